#include "evaluation/tabelle_u.h"

#include "app/kelmot_u.h"

#include <QComboBox>
#include <QLineEdit>

namespace kelmot {

TForm6* Form6 = nullptr;

void ComboSeriesSelector::clear() {
    combo_->clear();
}

void ComboSeriesSelector::insertItem(int position, const QString& text) {
    combo_->insertItem(position, text);
}

int ComboSeriesSelector::count() const {
    return combo_->count();
}

int ComboSeriesSelector::itemIndex() const {
    return combo_->currentIndex();
}

void ComboSeriesSelector::setItemIndex(int index) {
    combo_->setCurrentIndex(index >= 0 && index < combo_->count() ? index : -1);
}

void ComboSeriesSelector::setShown(bool shown) {
    combo_->setVisible(shown);
}

TForm6::TForm6(QWidget* parent)
    : QWidget(parent, Qt::Window), Combo1(new QComboBox(this)), selector_(Combo1) {
    setObjectName("Form6");
    setWindowTitle(QStringLiteral("   Messtabelle"));
    Combo1->setObjectName("Combo1");
    Combo1->setEditable(true);
    Combo1->setInsertPolicy(QComboBox::NoInsert);
    Combo1->lineEdit()->setText(QStringLiteral("Auswahl Daten"));
    Combo1->setAccessibleName(QStringLiteral("Auswahl Daten"));
    Combo1->setGeometry(100, 24, 160, 24);
}

void TForm6::FormCreate() {
    if (Form1)
        setGeometry(0, TForm1::ClientTop, Form1->width(), Form1->height() - TForm1::ClientTop);
}

} // namespace kelmot
