// SPDX-License-Identifier: GPL-3.0-or-later
#include "evaluation/tabelle_u.h"

#include "drawing/rounding.h"
#include "evaluation/controlsbelowgrid.h"
#include "platform/flagwidth.h"
#include "store/measurementstore.h"
#include "store/numberformat.h"
#include "widgets/controls.h"
#include "widgets/errorreport.h"
#include "widgets/keyboard.h"
#include "widgets/popupaccessibility.h"
#include "widgets/screenfit.h"
#include "widgets/tablegrid.h"
#include "widgets/windowplaces.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QRadioButton>
#include <QTableWidget>
#include <limits>
#include <utility>
#include <vector>

namespace kelmot {

namespace {

enum Column { PositionColumn = 0, DarkColumn, SecondColumn, DtColumn, SpeedColumn, AccelColumn };

} // namespace

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

TForm6::TForm6(MeasurementStore& store, const QWidget* mainWindow, OverwriteQuestion& overwrite,
               QWidget* parent)
    : QWidget(parent, Qt::Window), Combo1(new QComboBox(this)), store_(store),
      mainWindow_(mainWindow), overwrite_(overwrite), selector_(Combo1) {
    setObjectName("Form6");
    setWindowTitle(tr("   Messtabelle"));
    resize(688, 515);

    createTableAndColumnControls();
    createRelationshipGroups();
    setUpSeriesSelector();
    createExportControls();
    connectControls();
}

void TForm6::createTableAndColumnControls() {
    L_daten = place<QLabel>(this, "L_daten", {65, 28, 400, 20}, tr("Daten : "));
    SG2 = createTableGrid(this, "SG2", {65, 60, 390, 300}, 3);
    SG2->setAccessibleName(tr("Auswertungstabelle"));
    SG2->setToolTip(tr("Rechter Mausklick öffnet Menü"));

    // The boxes have no caption: each stands under the column it switches.
    CB1 = place<QCheckBox>(this, "CB1", {385, 460, 20, 20});
    CB1->setAccessibleName(columnHeader(TableColumn::DarkInterval));
    CB2 = place<QCheckBox>(this, "CB2", {475, 460, 20, 20});
    CB2->setAccessibleName(columnHeader(TableColumn::Speed));
    CB3 = place<QCheckBox>(this, "CB3", {564, 460, 20, 20});
    CB3->setAccessibleName(columnHeader(TableColumn::Acceleration));

    GB1 = place<QGroupBox>(this, "GB1", {103, 460, 150, 64}, tr("   Streifenbreite    "));
    Edit1 = place<QLineEdit>(GB1, "Edit1", {16, 26, 70, 24});
    Edit1->setText(QString::number(UsualFlagWidthMm));
    Edit1->setAccessibleName(tr("Streifenbreite in mm"));
    L_mm = place<QLabel>(GB1, "L_mm", {94, 28, 30, 20}, tr("mm"));
}

void TForm6::createRelationshipGroups() {
    GB2 = place<QGroupBox>(this, "GB2", {206, 480, 220, 132}, tr("   vermuteter Zusammenhang    "));
    RB4 = place<QRadioButton>(GB2, "RB4", {16, 24, 180, 22}, tr(" keiner"));
    RB1 = place<QRadioButton>(GB2, "RB1", {16, 50, 180, 22}, tr(" s  ~  t"));
    RB2 = place<QRadioButton>(GB2, "RB2", {16, 76, 180, 22}, tr(" s  ~ t ²"));
    RB3 = place<QRadioButton>(GB2, "RB3", {16, 102, 180, 22}, tr(" s ²  ~  t"));
    RB4->setChecked(true);

    GB3 = place<QGroupBox>(this, "GB3", {385, 500, 220, 106}, tr("  vermuteter Zusammenhang   "));
    RB_no = place<QRadioButton>(GB3, "RB_no", {16, 24, 180, 22}, tr(" keiner"));
    RB_k = place<QRadioButton>(GB3, "RB_k", {16, 50, 180, 22}, tr(" v konstant"));
    RB_l = place<QRadioButton>(GB3, "RB_l", {16, 76, 180, 22}, tr(" v ~ t"));
    RB_no->setChecked(true);
}

void TForm6::setUpSeriesSelector() {
    Combo1->setObjectName("Combo1");
    Combo1->setEditable(true);
    Combo1->setInsertPolicy(QComboBox::NoInsert);
    Combo1->lineEdit()->setText(tr("Auswahl Daten"));
    Combo1->setAccessibleName(tr("Auswahl Daten"));
    Combo1->setGeometry(100, 24, 160, 24);
}

void TForm6::createExportControls() {
    PopupMenu1 = new QMenu(this);
    exposePopupToScreenReaders(this, PopupMenu1);
    PopupMenu1->setObjectName("PopupMenu1");
    TabelleinZwischenablage1 = PopupMenu1->addAction(tr("Tabelle in Zwischenablage"));
    TabelleinZwischenablage1->setObjectName("TabelleinZwischenablage1");
    ExportalsEXCELDatei1 = PopupMenu1->addAction(tr("Export als EXCEL-Datei"));
    ExportalsEXCELDatei1->setObjectName("ExportalsEXCELDatei1");
    // Ctrl+C on the table copies it; in the flag width's field the field's text.
    offerShortcut(SG2, TabelleinZwischenablage1, QKeySequence(Qt::CTRL | Qt::Key_C),
                  Qt::WidgetShortcut);
    markMnemonics(PopupMenu1);
}

void TForm6::connectControls() {
    // State changes, not clicks: keyboard, screen reader and code act alike.
    connect(Edit1, &QLineEdit::textChanged, this, &TForm6::geaendert);
    connect(CB1, &QCheckBox::toggled, this, &TForm6::CB1Click);
    connect(CB2, &QCheckBox::toggled, this, &TForm6::CB2Click);
    connect(CB3, &QCheckBox::toggled, this, &TForm6::CB3Click);
    const std::pair<QRadioButton*, void (TForm6::*)()> radios[] = {
        {RB1, &TForm6::RB1Click},    {RB2, &TForm6::RB2Click},   {RB3, &TForm6::RB3Click},
        {RB4, &TForm6::RB4Click},    {RB_k, &TForm6::RB_kClick}, {RB_l, &TForm6::RB_lClick},
        {RB_no, &TForm6::RB_noClick}};
    for (const auto& [button, action] : radios)
        connect(button, &QRadioButton::toggled, this, [this, action](bool checked) {
            if (checked) (this->*action)();
        });
    // The user choosing a series; refills of the list from code are no choice.
    connect(Combo1, &QComboBox::activated, this, &TForm6::Combo1Change);
    SG2->viewport()->installEventFilter(this);
    // Tab reaches the table after the window's own controls; the menu key
    // and Shift+F10 open its popup there.
    SG2->setFocusPolicy(Qt::StrongFocus);
    SG2->installEventFilter(this);
    setTabOrder(Combo1, SG2);
    for (QWidget* control : std::initializer_list<QWidget*>{CB1, CB2, CB3, GB1, GB2, GB3})
        control->installEventFilter(this);
    connect(TabelleinZwischenablage1, &QAction::triggered, this,
            &TForm6::TabelleinZwischenablage1Click);
    connect(ExportalsEXCELDatei1, &QAction::triggered, this, &TForm6::ExportalsEXCELDatei1Click);
}

void TForm6::FormCreate() {
    if (mainWindow_)
        setGeometry(
            fittedGeometry({0, ClientTop, mainWindow_->width(), mainWindow_->height() - ClientTop},
                           this, mainWindow_));
    setTextColour(L_daten, toQColor(Navy));
    L_daten->setText(titleCaption());
}

QString TForm6::titleCaption() const {
    if (store_.OutputMode == 0) return tr("Daten :  %1").arg(store_.DataTitle);
    return tr("Daten : ");
}

void TForm6::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    FormResize();
}

void TForm6::FormResize() {
    const int formHeight = mainWindow_ ? mainWindow_->height() - ClientTop : height();
    // Below the main window's tool bar, and whole on the screen: moved up
    // or shortened where the screen is small.
    const QRect place = fittedGeometry({0, ClientTop, width(), formHeight}, this, mainWindow_);
    if (geometry() != place) {
        // Placing the window resizes it, which runs this handler again.
        setGeometry(place);
        if (height() != place.height()) return; // the window manager had the last word
    }
    const int w = width();
    const int h = height();
    const int columns = store_.ColumnCount;
    const int gridWidth = nearest((columns > 3 ? 0.8 : 0.6) * w);
    layoutTableGrid(SG2, columns, {nearest(0.1 * w), 60, gridWidth, nearest(0.6 * h)});
    setHeader(PositionColumn, TableColumn::Position);
    setHeader(DarkColumn, TableColumn::DarkTime);
    for (int k = 0; k < BarrierCount; ++k)
        setGridCell(SG2, PositionColumn, k + 1, formatFixed(barrierPosition(k), 1));

    CB1->move(nearest(0.56 * w), 460);
    CB2->move(nearest(0.69 * w), 460);
    CB3->move(nearest(0.82 * w), 460);
    GB1->move(nearest(0.15 * w), 460);
    GB2->move(nearest(0.3 * w), 480);
    GB3->move(nearest(0.56 * w), 500);
    placeControlsBelowGrid();

    // The a column is not recomputed here: it follows the speeds only when
    // the v column was computed anew.
    if (CB1->isChecked()) CB1Click();
    if (CB2->isChecked()) CB2Click();

    L_daten->move(nearest(0.1 * w), L_daten->y());
    setTextColour(L_daten, toQColor(Navy));
    L_daten->setText(titleCaption());
    SG2->clearSelection();
    SG2->setCurrentCell(-1, -1);
}

void TForm6::showSeriesSelector(bool shown, int usualLeft) {
    Combo1->setVisible(shown);
    if (!shown) return;
    const int labelEnd = L_daten->x() + L_daten->sizeHint().width() + 4;
    Combo1->move(std::max(usualLeft, labelEnd), 24);
}

void TForm6::showControls(Controls controls) {
    const bool vt = controls == Controls::VtColumns || controls == Controls::VtColumnsAndFit;
    for (QWidget* box : std::initializer_list<QWidget*>{CB1, CB2, CB3, GB1})
        box->setVisible(vt);
    GB2->setVisible(controls == Controls::StRelations);
    GB3->setVisible(controls == Controls::VtColumnsAndFit);
    if (controls == Controls::LoadedTable) Combo1->hide();
}

void TForm6::placeControlsBelowGrid() {
    // The usual tops; the controls shown keep their places to each other.
    struct Control {
        QWidget* widget;
        QRect place; // within the block, at the usual top
    };
    std::vector<Control> shown;
    const std::pair<QWidget*, int> controls[] = {{CB1, 460}, {CB2, 460}, {CB3, 460},
                                                 {GB1, 460}, {GB2, 480}, {GB3, 500}};
    for (const auto& [control, top] : controls) {
        if (!control->isVisibleTo(this)) continue;
        // Whole inside the window's width: a narrow window (the table beside
        // the diagrams) moves a control left from its usual place...
        const int x = std::max(GapBelowGrid,
                               std::min(control->x(), width() - GapBelowGrid - control->width()));
        QRect place(x, top, control->width(), control->height());
        // ...and below another it would then cover.
        for (const Control& other : shown)
            if (place.intersects(other.place.adjusted(0, 0, 0, GapBelowGrid)))
                place.moveTop(std::max(place.top(), other.place.bottom() + 1 + GapBelowGrid));
        shown.push_back({control, place});
    }
    const int gridTop = SG2->y();
    int gridHeight = nearest(0.6 * height());
    int shift = 0;
    if (!shown.empty()) {
        int first = std::numeric_limits<int>::max();
        int end = 0;
        for (const Control& c : shown) {
            first = std::min(first, c.place.top());
            end = std::max(end, c.place.bottom() + 1);
        }
        const BelowGridLayout l = placeBelowGrid(gridTop, gridHeight, first, end - first, height());
        gridHeight = l.gridHeight;
        shift = l.controlsTop - first;
    }
    for (const Control& c : shown)
        c.widget->move(c.place.left(), c.place.top() + shift);
    if (SG2->height() != gridHeight)
        layoutTableGrid(SG2, SG2->columnCount(), {SG2->x(), gridTop, SG2->width(), gridHeight});
}

void TForm6::present(const QString& caption, bool withFrame, int width) {
    setWindowFlags(withFrame ? Qt::Window : Qt::Window | Qt::FramelessWindowHint);
    setWindowTitle(caption);
    resize(width, height());
    FormResize();
    show();
    raise();
    // Its frame is known once it is shown: whole on the screen with it.
    setGeometry(fittedGeometry(geometry(), this, mainWindow_));
}

std::optional<int> TForm6::selectedSeries() const {
    return MeasurementStore::slotOf(Combo1->currentIndex());
}

std::optional<int> TForm6::vtColumnSeries() const {
    if (store_.threeLists()) return selectedSeries();
    return 0;
}

QString TForm6::cellText(int column, int row) const {
    return gridCell(SG2, column, row);
}

void TForm6::setHeader(int column, TableColumn header) {
    setGridCell(SG2, column, 0, columnHeader(header));
}

void TForm6::setVtHeaders() {
    setHeader(SecondColumn, TableColumn::BrightTime);
    setHeader(DtColumn, TableColumn::DarkInterval);
    setHeader(SpeedColumn, TableColumn::Speed);
    setHeader(AccelColumn, TableColumn::Acceleration);
}

QString TForm6::flagWidthText() const {
    return Edit1->text();
}

void TForm6::setColumn(int column, const ColumnTexts& texts) {
    for (int k = 0; k < BarrierCount; ++k)
        setGridCell(SG2, column, k + 1, texts[k]);
}

void TForm6::clearColumn(int column) {
    setColumn(column, ColumnTexts{});
}

void TForm6::setGridColour(Rgb colour) {
    QPalette p = SG2->palette();
    p.setColor(QPalette::Text, toQColor(colour));
    SG2->setPalette(p);
}

void TForm6::colourGridBySelectedSeries() {
    const auto s = selectedSeries();
    setGridColour(s ? store_.SeriesColor[*s] : Black);
}

void TForm6::colourForVtColumn(int series) {
    setGridColour(store_.threeLists() ? store_.SeriesColor[series] : Navy);
}

void TForm6::runCheckedStRelation() {
    const std::pair<QRadioButton*, void (TForm6::*)()> buttons[] = {{RB1, &TForm6::RB1Click},
                                                                    {RB2, &TForm6::RB2Click},
                                                                    {RB3, &TForm6::RB3Click},
                                                                    {RB4, &TForm6::RB4Click}};
    for (const auto& [button, action] : buttons)
        if (button->isChecked()) (this->*action)();
}

void TForm6::chooseStRelation(int relation) {
    const auto s = selectedSeries();
    if (!s) return; // a text typed into the selector names no series
    setColumn(SecondColumn,
              quotientColumn(relation, store_.SeriesDarkTimes[*s], store_.SeriesResolution[*s]));
    store_.SeriesStRelation[*s] = relation;
    emit stDiagramChanged();
}

void TForm6::RB1Click() {
    chooseStRelation(StProportional);
}

void TForm6::RB2Click() {
    chooseStRelation(StSquare);
}

void TForm6::RB3Click() {
    chooseStRelation(StSquareDistance);
}

void TForm6::RB4Click() {
    chooseStRelation(StNone);
}

void TForm6::chooseVtRelation(int relation) {
    const auto s = selectedSeries();
    if (!s) return;
    store_.SeriesVtRelation[*s] = relation;
    emit vtDiagramChanged();
}

void TForm6::RB_kClick() {
    chooseVtRelation(VtConstant);
}

void TForm6::RB_lClick() {
    chooseVtRelation(VtProportional);
}

void TForm6::RB_noClick() {
    chooseVtRelation(VtNone);
}

void TForm6::CB1Click() {
    if (!CB1->isChecked()) return clearColumn(DtColumn);
    const auto s = vtColumnSeries();
    if (!s) return;
    colourForVtColumn(*s);
    setColumn(DtColumn, darkIntervalColumn(store_.SeriesDarkTimes[*s], store_.SeriesBrightTimes[*s],
                                           store_.SeriesResolution[*s]));
}

void TForm6::CB2Click() {
    if (!CB2->isChecked()) return clearColumn(SpeedColumn);
    const auto s = vtColumnSeries();
    if (!s) return;
    colourForVtColumn(*s);
    const FlagWidthValue width = readFlagWidth(Edit1->text());
    if (!width.error.isEmpty()) return reportError(this, width.error);
    if (!width.millimetres || *width.millimetres == 0) return;
    TableSpeeds = speedsAtBarriers(*width.millimetres * 0.001, store_.SeriesDarkTimes[*s],
                                   store_.SeriesBrightTimes[*s]);
    setColumn(SpeedColumn, speedColumn(TableSpeeds, store_.SeriesResolution[*s]));
}

void TForm6::CB3Click() {
    if (!CB3->isChecked()) return clearColumn(AccelColumn);
    const auto s = vtColumnSeries();
    if (!s) return;
    colourForVtColumn(*s);
    if (Edit1->text().isEmpty()) return;
    setColumn(AccelColumn, accelerationColumn(TableSpeeds, store_.SeriesDarkTimes[*s],
                                              store_.SeriesResolution[*s]));
}

void TForm6::geaendert() {
    const FlagWidthEntry entry = interpretFlagWidth(Edit1->text());
    if (entry.action == FlagWidthEntry::Ignore) return;
    if (entry.text != Edit1->text()) {
        // The field's new text runs this handler again, which does the rest;
        // going on here too would report a bad number twice.
        Edit1->setText(entry.text);
        return;
    }
    Edit1->setCursorPosition(int(Edit1->text().size()));
    switch (entry.action) {
    case FlagWidthEntry::Invalid:
        reportError(this, entry.error);
        return;
    case FlagWidthEntry::Recompute:
        CB2Click();
        CB3Click();
        emit vtDiagramChanged();
        return;
    default:
        return; // still being typed, or not greater than 0
    }
}

void TForm6::Combo1Change() {
    const auto s = selectedSeries();
    if (!s) return;
    setGridColour(store_.SeriesColor[*s]);
    setColumn(DarkColumn, timeColumn(store_.SeriesDarkTimes[*s], store_.SeriesResolution[*s]));
    setColumn(SecondColumn, timeColumn(store_.SeriesBrightTimes[*s], store_.SeriesResolution[*s]));
    if (store_.EvaluationKind == 0) {
        // Choosing a series sets its relationship back to " keiner".
        if (RB4->isChecked())
            RB4Click();
        else
            RB4->setChecked(true);
        return;
    }
    if (CB1->isChecked()) CB1Click();
    if (CB2->isChecked()) CB2Click();
    if (CB3->isChecked()) CB3Click();
    RB_no->setChecked(true); // runs its action only when it was not checked
}

} // namespace kelmot
