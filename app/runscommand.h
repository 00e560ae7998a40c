// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/startoptions.h"

#include <cstdio>

namespace kelmot {

// Reading the journal without a window.

// `kelmot --runs`: every run the journal keeps, oldest first, one line each
// on `out` (see runLine), or one data file each in the output folder.
// Returns the exit status: 0 with at least one run, 1 with none, 2 when the
// journal cannot be read or a file not written (`err` says why).
int listRuns(const StartOptions& options, std::FILE* out, std::FILE* err);

// `kelmot --backup FILE`: the whole journal as one consistent SQLite file
// (a running program's newest runs included), read without changing the
// journal. Returns 0 when written, 1 when there is no journal yet, 2 when
// it cannot be read or the copy not written (`err` says why).
int backUpJournal(const StartOptions& options, std::FILE* out, std::FILE* err);

} // namespace kelmot
