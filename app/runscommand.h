// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/startoptions.h"

#include <cstdio>

namespace kelmot {

// `kelmot --runs`: every run the journal keeps, oldest first, one line each
// on `out` (see runLine), or one data file each in the output folder.
// Returns the exit status: 0 with at least one run, 1 with none, 2 when the
// journal cannot be read or a file not written (`err` says why).
int listRuns(const StartOptions& options, std::FILE* out, std::FILE* err);

} // namespace kelmot
