#pragma once

#include <QWidget>

namespace kelmot {

// The s-t diagram window. Its drawing comes with the diagram work; for now
// it is the window that the main window's commands hide and show.
class TForm3 : public QWidget {
    Q_OBJECT
public:
    explicit TForm3(QWidget* parent = nullptr);
    void FormCreate() {}
};

extern TForm3* Form3;

} // namespace kelmot
