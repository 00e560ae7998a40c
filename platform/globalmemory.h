// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>

namespace kelmot::platform {

// Memory blocks that stay at one address from allocation to release, for
// buffers a driver writes into. Tests replace it to make allocation or
// locking fail.
class GlobalMemory {
public:
    virtual ~GlobalMemory() = default;
    virtual void* allocate(std::size_t bytes, bool zeroed) = 0; // null on failure
    virtual bool lock(void* block) = 0;
    virtual void unlock(void* block) = 0;
    virtual void release(void* block) = 0;
};

GlobalMemory& defaultGlobalMemory();

} // namespace kelmot::platform
