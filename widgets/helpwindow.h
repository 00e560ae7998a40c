// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QTextBrowser;

namespace kelmot {

// F1: the program's manual ("man kelmot") in the program's language, as
// plain text a screen reader reads line by line; a window of its own that
// stays open beside the others.
class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);

    // Shows the window with the manual at its top, the text in the focus.
    void showManual();

    QTextBrowser* TB_hilfe = nullptr;
};

} // namespace kelmot
