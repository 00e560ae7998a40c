// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdio>

namespace kelmot {

// --classroom: switches the classroom view on, shows its window, and prints
// each address with its code on `out` ("Klassenansicht: http://…/?code=…",
// one a line, for scripts); a view that cannot start is told on `err`.
// True when the view is on.
bool announceClassroomView(std::FILE* out, std::FILE* err);

} // namespace kelmot
