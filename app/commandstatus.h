// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <cstdio>
#include <string>

namespace kelmot {

// "kelmot: TEXT" on a line of its own, in the desktop's encoding.
void sayOnStderr(std::FILE* err, const QString& text);

// How a one-barrier experiment's analysis ends: 2 after a read error (said
// with the reason), 1 when no run gave a result (`nothingFound` said), else 0.
int oneBarrierStatus(const std::string& readError, int runsWithResult, const QString& nothingFound,
                     std::FILE* err);

} // namespace kelmot
