// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/startoptions.h"

#include <cstdio>

namespace kelmot {

// `kelmot --analyse FILE`: every complete run in the recording as data-file
// blocks on `out` (runs separated by an empty line), or as NAME-1.kmd,
// NAME-2.kmd ... in the output folder. Returns the exit status: 0 with at
// least one run, 1 with none (`err` says how many edges were seen), 2 for a
// file that cannot be read or written.
int runAnalysis(const StartOptions& options, std::FILE* out, std::FILE* err);

} // namespace kelmot
