// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <sndfile.h>

#include <string>

namespace kelmot::platform {

// libsndfile, opened when the first sound file is read or written rather
// than linked: with the codecs it brings (FLAC, Ogg Vorbis, Opus, MP3) it
// would stay resident in every program at rest, most of which never touch
// a sound file. The declarations are libsndfile's own.
struct SndFileLibrary {
    decltype(&::sf_open) open = nullptr;
    decltype(&::sf_close) close = nullptr;
    decltype(&::sf_error) error = nullptr;
    decltype(&::sf_strerror) strerror = nullptr;
    decltype(&::sf_readf_float) readfFloat = nullptr;
    decltype(&::sf_readf_short) readfShort = nullptr;
    decltype(&::sf_writef_short) writefShort = nullptr;
};

// The library, opened on the first call and kept; nullptr when it cannot be
// opened, with `error` saying why (the loader's own words).
const SndFileLibrary* sndFileLibrary(std::string& error);

} // namespace kelmot::platform
