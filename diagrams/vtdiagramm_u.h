#pragma once

#include <QWidget>

namespace kelmot {

// The v-t diagram window (drawing to come, see the s-t diagram).
class TForm4 : public QWidget {
    Q_OBJECT
public:
    explicit TForm4(QWidget* parent = nullptr);
    void FormCreate() {}
};

extern TForm4* Form4;

} // namespace kelmot
