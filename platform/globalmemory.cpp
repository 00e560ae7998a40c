// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/globalmemory.h"

#include <cstdlib>
#include <cstring>

namespace kelmot::platform {

namespace {

class HeapMemory final : public GlobalMemory {
public:
    void* allocate(std::size_t bytes, bool zeroed) override {
        if (bytes == 0) return nullptr;
        return zeroed ? std::calloc(1, bytes) : std::malloc(bytes);
    }
    bool lock(void* block) override { return block != nullptr; }
    void unlock(void*) override {}
    void release(void* block) override { std::free(block); }
};

} // namespace

GlobalMemory& defaultGlobalMemory() {
    static HeapMemory memory;
    return memory;
}

} // namespace kelmot::platform
