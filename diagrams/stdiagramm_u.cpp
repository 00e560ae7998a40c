#include "diagrams/stdiagramm_u.h"

namespace kelmot {

TForm3* Form3 = nullptr;

TForm3::TForm3(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName("Form3");
    setWindowTitle(QStringLiteral("   s-t Diagramm"));
    setGeometry(623, 439, 393, 405);
}

} // namespace kelmot
