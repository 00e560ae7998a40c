#include "diagrams/vtdiagramm_u.h"

namespace kelmot {

TForm4* Form4 = nullptr;

TForm4::TForm4(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName("Form4");
    setWindowTitle(QStringLiteral("   v-t Diagramm"));
    setGeometry(667, 385, 356, 480);
}

} // namespace kelmot
