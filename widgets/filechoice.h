// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <optional>

class QFileDialog;

namespace kelmot {

// Shows a file dialog and returns the file it accepted; none when it was
// cancelled. The name is the one the dialog handed out as it closed: asked
// afterwards, the dialog may already name another (it keeps reading its
// folder and restores the last selection).
std::optional<QString> chooseFileIn(QFileDialog& dialog);

} // namespace kelmot
