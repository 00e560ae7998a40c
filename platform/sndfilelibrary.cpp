// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/sndfilelibrary.h"

#include <dlfcn.h>

#include <mutex>

namespace kelmot::platform {

namespace {

template <typename Function> bool resolve(void* handle, const char* name, Function& into) {
    into = reinterpret_cast<Function>(::dlsym(handle, name));
    return into != nullptr;
}

struct Loaded {
    SndFileLibrary library;
    std::string error; // empty when the library is usable
};

Loaded load() {
    Loaded loaded;
    // The soname the -dev package's link would have recorded.
    void* handle = ::dlopen("libsndfile.so.1", RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        const char* why = ::dlerror();
        loaded.error = why ? why : "libsndfile.so.1";
        return loaded;
    }
    SndFileLibrary& l = loaded.library;
    const bool complete =
        resolve(handle, "sf_open", l.open) && resolve(handle, "sf_close", l.close) &&
        resolve(handle, "sf_error", l.error) && resolve(handle, "sf_strerror", l.strerror) &&
        resolve(handle, "sf_readf_float", l.readfFloat) &&
        resolve(handle, "sf_readf_short", l.readfShort) &&
        resolve(handle, "sf_writef_short", l.writefShort);
    if (!complete) {
        const char* why = ::dlerror();
        loaded.error = why ? why : "libsndfile.so.1";
        ::dlclose(handle);
    }
    return loaded;
}

} // namespace

const SndFileLibrary* sndFileLibrary(std::string& error) {
    // Read from the capture thread (a replayed file) and the window's alike.
    static std::once_flag once;
    static Loaded loaded;
    std::call_once(once, [] { loaded = load(); });
    if (!loaded.error.empty()) {
        error = loaded.error;
        return nullptr;
    }
    return &loaded.library;
}

} // namespace kelmot::platform
