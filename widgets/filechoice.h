// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <optional>

class QFileDialog;
class QWidget;

namespace kelmot {

// Shows a file dialog and returns the file it accepted; none when it was
// cancelled. The name is the one the dialog handed out as it closed: asked
// afterwards, the dialog may already name another (it keeps reading its
// folder and restores the last selection).
std::optional<QString> chooseFileIn(QFileDialog& dialog);

// What a file dialog made at its first use is for: opening a file, saving
// one where the dialog asks before replacing it, or saving one where the
// caller asks, once the extension it adds is settled.
enum class FileUse { Open, Save, SaveCallerAsks };

// The dialog kept in `dialog`, made now (named `name`, a child of `parent`)
// when this is its first use: a file dialog reads its folder and its icons
// as it is made, which a program at rest should not carry. Once made it is
// kept, so it opens again in the folder last chosen.
QFileDialog& fileDialogMadeOnce(QFileDialog*& dialog, QWidget* parent, const char* name,
                                FileUse use);

} // namespace kelmot
