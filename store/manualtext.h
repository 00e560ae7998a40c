// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace kelmot {

// The program's manual page (the few man macros it is written with: .SH,
// .PP, .TP, .br, .B, .I and their alternating forms, and the escapes \-,
// \(+-, \(S2, \(em, \f…) as plain text for the help window: a heading a
// line of its own after an empty line, each paragraph one line (the window
// wraps it), a .TP item's body indented below its tag.
QString manualText(const QString& roff);

} // namespace kelmot
