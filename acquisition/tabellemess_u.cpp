// SPDX-License-Identifier: GPL-3.0-or-later
#include "acquisition/tabellemess_u.h"

#include "drawing/rounding.h"
#include "store/columnheaders.h"
#include "store/measurementstore.h"
#include "store/numberformat.h"
#include "store/programsettings.h"
#include "widgets/controls.h"
#include "widgets/errorreport.h"
#include "widgets/keyboard.h"
#include "widgets/screenfit.h"
#include "widgets/tablegrid.h"
#include "widgets/windowplaces.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>

namespace kelmot {

namespace {

constexpr TableColumn Headings[3] = {TableColumn::Position, TableColumn::DarkTime,
                                     TableColumn::BrightTime};
const QString Blank = QStringLiteral("     ");

} // namespace

TForm2::TForm2(MeasurementStore& store, const QWidget* mainWindow, MeasurementSession& session,
               SeriesSelector& selector, RunKeeper& keeper, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), AudioIn(&session.capture()),
      Detection(session.detector()), store_(store), mainWindow_(mainWindow), session_(session),
      selector_(selector), keeper_(keeper) {
    setObjectName("Form2");
    setWindowTitle(tr("   Tabelle"));
    resize(650, 600);
    placeTexts();
    placeTableAndControls();
    connectControls();
}

// The mixer's line, the status, the journal's problem and the hint.
void TForm2::placeTexts() {
    L_mixerinfo = place<QLabel>(this, "L_mixerinfo", {65, 50, 500, 20});
    L_status = place<QLabel>(this, "L_status", {260, 20, 200, 24});
    L_status->setFont(sizedFont(L_status->font(), 16, true));
    L_status->setAutoFillBackground(true);
    QPalette tip = L_status->palette();
    tip.setColor(QPalette::Window, QApplication::palette().color(QPalette::ToolTipBase));
    L_status->setPalette(tip);

    L_journal = place<QLabel>(this, "L_journal", {65, 450, 520, 40});
    L_journal->setWordWrap(true);
    L_journal->setFont(sizedFont(L_journal->font(), 11, true));
    setTextColour(L_journal, toQColor(Red));
    L_journal->hide();
    // What looks wrong about the last run (a light barrier read by the
    // wrong rule): it stands as found, and this says why and what to do.
    L_hinweis = place<QLabel>(this, "L_hinweis", {65, 450, 520, 40});
    L_hinweis->setWordWrap(true);
    L_hinweis->setFont(sizedFont(L_hinweis->font(), 11, true));
    setTextColour(L_hinweis, toQColor(Red));
    L_hinweis->hide();
}

void TForm2::placeTableAndControls() {
    SG1 = createTableGrid(this, "SG1", {65, 80, 390, 360}, 3);
    SG1->setAccessibleName(tr("Messtabelle"));
    // Tab reaches the live table, as it does the evaluation table; the arrows
    // move from cell to cell there, Tab goes on.
    SG1->setFocusPolicy(Qt::StrongFocus);
    SG1->setTabKeyNavigation(false);

    GB1 = place<QGroupBox>(this, "GB1", {488, 80, 140, 100}, tr("   Auflösung   "));
    GB1->setToolTip(tr("Zeitauflösung der Messung"));
    RB1 = place<QRadioButton>(GB1, "RB1", {16, 28, 110, 22}, tr("    1 ms"));
    RB2 = place<QRadioButton>(GB1, "RB2", {16, 60, 110, 22}, tr("   10 ms"));
    RB2->setChecked(true);
    GB2 = place<QGroupBox>(this, "GB2", {488, 200, 140, 100}, tr("   Messung   "));
    GB2->setToolTip(tr("Messung verwalten"));
    B_mess = place<QPushButton>(GB2, "B_mess", {20, 26, 100, 28}, tr("Messen"));
    B_abbruch = place<QPushButton>(GB2, "B_abbruch", {20, 62, 100, 28}, tr("Abbrechen"));
    CB_ansage = place<QCheckBox>(this, "CB_ansage", {488, 316, 150, 22}, tr("Zeiten ansagen"));
    CB_ansage->setToolTip(tr("Ein Bildschirmleser sagt jede Zeit an, sobald sie gemessen ist"));
    CB_ansage->setChecked(rememberedTimeAnnouncements());
}

void TForm2::connectControls() {
    // State changes, not clicks: the keyboard and screen readers choose too.
    connect(RB1, &QRadioButton::toggled, this, [this](bool on) {
        if (on) RB1Click();
    });
    connect(RB2, &QRadioButton::toggled, this, [this](bool on) {
        if (on) RB2Click();
    });
    connect(CB_ansage, &QCheckBox::toggled, this, [this](bool on) {
        if (const auto failure = rememberTimeAnnouncements(on)) reportError(this, *failure);
    });
    connect(B_mess, &QPushButton::clicked, this, &TForm2::B_messClick);
    connect(B_abbruch, &QPushButton::clicked, this, &TForm2::B_abbruchClick);
    measureByKeyboard(this, B_mess, B_abbruch);
    // From "Messen" the keyboard reaches first what a run needs: "Abbrechen"
    // and the times.
    setTabOrder(B_mess, B_abbruch);
    setTabOrder(B_abbruch, SG1);
    setTabOrder(SG1, CB_ansage);
    setTabOrder(CB_ansage, RB1);
}

TForm2::~TForm2() {
    // No buffer may reach a half-destroyed window.
    session_.forget(*this);
}

QString TForm2::mixerInfoText(int gap) const {
    const auto [product, line] = session_.sourceParts();
    //: %1 the sound card, %2 blanks between the two, %3 its input line
    return tr("SOUNDKARTE :  %1%2EINGANG:  %3").arg(product, QString(gap, u' '), line);
}

QString TForm2::sourceText() const {
    return session_.sourceText();
}

void TForm2::FormCreate() {
    if (mainWindow_)
        setGeometry(fittedGeometry(
            {0, ClientTop, nearest(mainWindow_->width() / 2.0), mainWindow_->height() - ClientTop},
            this, mainWindow_));
    L_mixerinfo->move(nearest(width() * 0.1), 50);
    L_mixerinfo->setText(mixerInfoText(7));
    L_mixerinfo->adjustSize();
    L_status->hide();
    L_status->clear();
    shownState_.reset();
    store_.SeriesResolution[0] = RB1->isChecked() ? 1 : 0;
}

void TForm2::FormResize() {
    // Below the main window's tool bar, and whole on the screen.
    const QRect fitted = fittedGeometry({x(), ClientTop, width(), height()}, this, mainWindow_);
    if (fitted != geometry()) {
        setGeometry(fitted); // a resize runs this handler again
        if (size() != fitted.size()) move(fitted.topLeft());
    }
    const int w = width();
    const int h = height();
    const int columns = std::max(store_.ColumnCount, 1);
    // Three columns always exist: v-t to s-t keeps the bright times hidden
    // until the next "Messen" blanks them.
    SG1->setColumnCount(std::max(SG1->columnCount(), 3));
    layoutTableGrid(SG1, columns, {nearest(w * 0.1), 80, nearest(w * 0.6), nearest(h * 0.6)});
    SG1->clearSelection();
    for (int c = 0; c < 3; ++c)
        SG1->item(0, c)->setText(columnHeader(Headings[c]));
    for (int k = 0; k < 10; ++k)
        SG1->item(k + 1, 0)->setText(formatGeneral(k / 10.0));

    L_mixerinfo->move(nearest(w * 0.1), 50);
    L_mixerinfo->setText(mixerInfoText(8));
    L_mixerinfo->adjustSize();
    GB1->move(nearest(w * 0.75), 80);
    GB2->move(nearest(w * 0.75), 200);
    CB_ansage->move(nearest(w * 0.75), 316);
    L_status->move(nearest(w * 0.4), 20);
    L_status->clear();
    L_status->hide();
    shownState_.reset();
    placeNotices();
    store_.SeriesResolution[0] = RB1->isChecked() ? 1 : 0;
}

void TForm2::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    FormResize();
}

void TForm2::labelPositions(int column, int decimals) {
    for (int k = 0; k < 10; ++k)
        SG1->item(k + 1, column)->setText(formatFixed(k / 10.0, decimals));
}

void TForm2::prepareRun(const QString& caption, bool withBrightTimes) {
    setWindowTitle(caption);
    if (mainWindow_)
        setGeometry(
            fittedGeometry({x(), y(), mainWindow_->width(), mainWindow_->height() - ClientTop},
                           this, mainWindow_));
    FormResize();
    show();
    raise();
    // Enter or Space measures at once; Tab goes on to "Abbrechen" and the table.
    B_mess->setFocus(Qt::OtherFocusReason);
    if (withBrightTimes) SG1->item(0, 2)->setText(columnHeader(Headings[2]));
    setGridPointSize(SG1, 14);
    labelPositions(0, 1);
    for (int k = 1; k <= 10; ++k) {
        SG1->item(k, 1)->setText(QString());
        if (withBrightTimes) SG1->item(k, 2)->setText(QString());
    }
    brightTimes_ = withBrightTimes;
    // A journal that cannot keep runs is said before the first run, too.
    showJournalProblem(keeper_.problem());
    liveChanged_ = true;
    announceLiveTable();
}

void TForm2::announceLiveTable() {
    if (!liveChanged_) return;
    liveChanged_ = false;
    emit liveTableChanged();
}

void TForm2::RB1Click() {
    store_.SeriesResolution[0] = 1;
    RB1->setChecked(true);
    RB2->setChecked(false);
}

void TForm2::RB2Click() {
    store_.SeriesResolution[0] = 0;
    RB2->setChecked(true);
    RB1->setChecked(false);
}

void TForm2::B_messClick() {
    L_hinweis->hide(); // about the last run, not the new one
    L_hinweis->clear();
    labelPositions(0, 1);
    for (int k = 1; k <= 10; ++k)
        for (int c = 1; c <= std::min(4, SG1->columnCount() - 1); ++c)
            SG1->item(k, c)->setText(Blank);
    L_status->setText(QString(26, u' '));
    L_status->show();
    shownState_.reset();
    said_.forget(); // this run's "Warte auf Start" is said again
    liveChanged_ = true;
    // A journal that cannot keep runs is said before the run, too.
    showJournalProblem(keeper_.problem());
    session_.measure(*this);
    announceLiveTable();
}

void TForm2::checkDeviceAlive() {
    session_.checkDeviceAlive();
}

void TForm2::setClock(std::function<std::int64_t()> clock) {
    session_.setClock(std::move(clock));
}

void TForm2::B_abbruchClick() {
    session_.abort(*this);
    announceLiveTable();
}

void TForm2::closeEvent(QCloseEvent* event) {
    SG1->clearSelection();
    store_.DataTitle = tr("Messung");
    session_.release(*this);
    QWidget::closeEvent(event);
}

void TForm2::bufferAnalysed() {
    // The classroom view hears of the new rows before the window repaints.
    announceLiveTable();
    // Let the table and the status line repaint while the run goes on.
    QCoreApplication::processEvents();
}

QString TForm2::statusText() const {
    return shownState_ ? sessionStateText(*shownState_) : QString();
}

bool TForm2::captureOpen() const {
    return session_.captureOpen();
}

QString TForm2::cellText(int column, int row) const {
    return gridCell(SG1, column, row);
}

void TForm2::edgeFound(EdgeKind kind, int event, double time) {
    const int column = kind == EdgeKind::Dark ? 1 : 2;
    setCell(column, event + 1,
            formatFixed(time, decimalsForResolution(store_.SeriesResolution[0])));
}

void TForm2::setCell(int column, int row, const QString& text) {
    setGridCell(SG1, column, row, text);
    liveChanged_ = true;
    if (CB_ansage->isChecked()) announceRow(column, row);
}

void TForm2::announceRow(int column, int row) {
    // A row is complete with its bright time where the table shows one.
    if (column != (brightTimes_ ? 2 : 1)) return;
    const QString dark = cellText(1, row).trimmed();
    if (dark.isEmpty()) return;
    if (brightTimes_)
        //: said to a screen reader: %1 the barrier (1 to 10), %2 its dark time, %3 its bright time
        said_.say(tr("Schranke %1: %2 s bis %3 s").arg(row).arg(dark, cellText(2, row).trimmed()));
    else
        //: said to a screen reader: %1 the barrier (1 to 10), %2 its time
        said_.say(tr("Schranke %1: %2 s").arg(row).arg(dark));
}

void TForm2::stateChanged(const SessionState& state) {
    // Until the run's first buffer the status line stands blank, as it
    // always has; "Warte auf Start" comes with that buffer.
    if (state.phase == SessionPhase::Waiting && Detection.BufferCount == 0) return;
    const QString caption = sessionStateText(state);
    shownState_ = state;
    liveChanged_ = true;
    said_.sayOnChange(caption);
    L_status->setText(caption);
    setTextColour(L_status, toQColor(sessionStateColour(state)));
    L_status->adjustSize();
    // A state the session reaches outside a buffer (a failed start, a
    // device gone, "Abbrechen") is followed at once.
    if (state.finished()) announceLiveTable();
}

SeriesSelector& TForm2::seriesSelector() {
    return selector_;
}

void TForm2::runCommitted() {
    // A journal that fails never stops the measurement: the run is in the
    // store and the table as always, and the window says it is not on disk.
    const auto failure = keeper_.keepRun({brightTimes_});
    showJournalProblem(failure ? failure : keeper_.takeNotice());
}

void TForm2::showJournalProblem(const std::optional<QString>& problem) {
    if (!problem) {
        L_journal->hide();
        L_journal->clear();
        return;
    }
    if (L_journal->isVisible() && L_journal->text() == *problem) return; // said once
    L_journal->setText(*problem);
    L_journal->setAccessibleName(*problem);
    L_journal->show();
    placeNotices();
    liveChanged_ = true;
}

void TForm2::showHint(const QString& hint) {
    L_hinweis->setText(hint);
    L_hinweis->setAccessibleName(hint);
    L_hinweis->show();
    placeNotices();
}

void TForm2::placeNotices() {
    // Below the table, the hint about the run first, then the journal's problem.
    const int x = nearest(width() * 0.1);
    const int w = nearest(width() * 0.6);
    int y = 80 + nearest(height() * 0.6) + 10;
    if (!L_hinweis->isHidden()) {
        L_hinweis->setGeometry(x, y, w, L_hinweis->heightForWidth(w));
        y += L_hinweis->height() + 6;
    }
    L_journal->setGeometry(x, y, w, std::max(40, height() - y - 10));
}

} // namespace kelmot
