// SPDX-License-Identifier: GPL-3.0-or-later
#include "evaluation/seriesofrunswindow.h"

#include "widgets/controls.h"
#include "widgets/keyboard.h"
#include "widgets/popupaccessibility.h"
#include "widgets/screenfit.h"
#include "widgets/windowplaces.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPrintDialog>
#include <QPrinter>
#include <QTableWidget>
#include <QTextDocument>
#include <QVBoxLayout>

namespace kelmot {

SeriesOfRunsWindow::SeriesOfRunsWindow(const MeasurementStore& store, SeriesSelector& selector,
                                       const QWidget* mainWindow, QWidget* parent)
    : QWidget(parent, Qt::Window), store_(store), selector_(selector), mainWindow_(mainWindow) {
    setObjectName("FormMessreihe");
    setWindowTitle(tr("   Messreihe"));
    auto* layout = new QVBoxLayout(this);
    L_hinweis = new QLabel(this);
    L_hinweis->setObjectName("L_hinweis");
    L_hinweis->setWordWrap(true);
    layout->addWidget(L_hinweis);
    SG_reihe = new QTableWidget(this);
    SG_reihe->setObjectName("SG_reihe");
    SG_reihe->setAccessibleName(tr("Messreihe"));
    SG_reihe->setToolTip(tr("Rechter Mausklick öffnet Menü"));
    SG_reihe->setEditTriggers(QAbstractItemView::NoEditTriggers);
    SG_reihe->verticalHeader()->hide();
    SG_reihe->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    SG_reihe->setFocusPolicy(Qt::StrongFocus);
    SG_reihe->setContextMenuPolicy(Qt::NoContextMenu);
    QFont f = SG_reihe->font();
    f.setPointSize(12);
    SG_reihe->setFont(f);
    layout->addWidget(SG_reihe);

    PopupMenu1 = new QMenu(this);
    exposePopupToScreenReaders(this, PopupMenu1);
    PopupMenu1->setObjectName("PopupMenu1");
    Zwischenablage1 = PopupMenu1->addAction(tr("Tabelle in Zwischenablage"));
    Zwischenablage1->setObjectName("Zwischenablage1");
    Ausdrucken1 = PopupMenu1->addAction(tr("Ausdrucken"));
    Ausdrucken1->setObjectName("Ausdrucken1");
    connect(Zwischenablage1, &QAction::triggered, this, &SeriesOfRunsWindow::Zwischenablage1Click);
    connect(Ausdrucken1, &QAction::triggered, this, &SeriesOfRunsWindow::Ausdrucken1Click);
    offerShortcut(this, Zwischenablage1, QKeySequence(Qt::CTRL | Qt::Key_C));
    offerShortcut(this, Ausdrucken1, QKeySequence(Qt::CTRL | Qt::Key_P));
    markMnemonics(PopupMenu1);
    SG_reihe->installEventFilter(this);
    SG_reihe->viewport()->installEventFilter(this);
    resize(620, 320);
}

SeriesOfRunsWindow::~SeriesOfRunsWindow() = default;

void SeriesOfRunsWindow::open() {
    refresh();
    if (!isVisible() && mainWindow_)
        setGeometry(
            fittedGeometry({mainWindow_->x() + 40, mainWindow_->y() + ClientTop, width(), height()},
                           this, mainWindow_));
    show();
    raise();
    activateWindow();
}

void SeriesOfRunsWindow::refresh() {
    const std::vector<RunFit> fits = runFits(store_, selector_.count());
    const bool series = isSeriesOfRuns(fits);
    L_hinweis->setText(
        series ? tr("a und v₀ aus der Ausgleichskurve jeder Messung (s-t), darunter ihr Mittelwert "
                    "und ihre Streuung.")
               : tr("Eine Messreihe braucht zwei oder drei gespeicherte Messungen: in den "
                    "Einstellungen \"Drei Listen\" wählen und mehrmals messen."));
    SG_reihe->setVisible(series);
    const TableTexts table = series ? seriesOfRunsTable(fits) : TableTexts{};
    if (table == table_) return;
    table_ = table;
    SG_reihe->clear();
    SG_reihe->setRowCount(std::max(0, int(table.size()) - 1));
    SG_reihe->setColumnCount(table.empty() ? 0 : int(table[0].size()));
    if (!table.empty()) SG_reihe->setHorizontalHeaderLabels(table[0]);
    for (std::size_t r = 1; r < table.size(); ++r) {
        for (int c = 0; c < int(table[r].size()); ++c) {
            auto* item = new QTableWidgetItem(table[r][c]);
            item->setTextAlignment(c == 0 ? Qt::AlignLeft | Qt::AlignVCenter
                                          : Qt::AlignRight | Qt::AlignVCenter);
            // Each run's name in the colour its diagrams draw it in.
            if (c == 0 && r <= fits.size()) item->setForeground(toQColor(fits[r - 1].colour));
            SG_reihe->setItem(int(r) - 1, c, item);
        }
    }
    SG_reihe->setCurrentCell(-1, -1);
    // Wide and tall enough for the whole table: no cut-off uncertainty.
    SG_reihe->resizeColumnsToContents();
    const int margins = 2 * SG_reihe->frameWidth() + 32;
    const int tableWidth = SG_reihe->horizontalHeader()->length() + margins;
    const int tableHeight =
        SG_reihe->horizontalHeader()->height() + SG_reihe->verticalHeader()->length() + margins;
    resize(std::max(width(), tableWidth), std::max(height(), tableHeight + 60));
}

bool SeriesOfRunsWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == SG_reihe && event->type() == QEvent::KeyPress &&
        isContextMenuKey(static_cast<QKeyEvent*>(event))) {
        PopupMenuOpen();
        return true;
    }
    if (watched == SG_reihe->viewport() && event->type() == QEvent::MouseButtonPress) {
        const auto* press = static_cast<QMouseEvent*>(event);
        if (press->button() == Qt::RightButton || press->button() == Qt::MiddleButton) {
            PopupMenuOpen();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void SeriesOfRunsWindow::PopupMenuOpen() {
    PopupMenu1->popup(frameGeometry().topLeft() + QPoint(30, 30));
}

void SeriesOfRunsWindow::Zwischenablage1Click() {
    if (!table_.empty()) QApplication::clipboard()->setText(tabSeparatedText(table_));
}

void SeriesOfRunsWindow::printOn(QPrinter& printer) {
    // The table as the window shows it, with its heading; every text escaped.
    QString html = QStringLiteral("<h2>%1</h2><table border=\"1\" cellpadding=\"6\" "
                                  "cellspacing=\"0\">")
                       .arg(tr("Messreihe").toHtmlEscaped());
    for (std::size_t r = 0; r < table_.size(); ++r) {
        html += QStringLiteral("<tr>");
        for (const QString& cell : table_[r])
            html += (r == 0 ? QStringLiteral("<th>") : QStringLiteral("<td>")) +
                    cell.toHtmlEscaped() +
                    (r == 0 ? QStringLiteral("</th>") : QStringLiteral("</td>"));
        html += QStringLiteral("</tr>");
    }
    html += QStringLiteral("</table>");
    QTextDocument document;
    document.setHtml(html);
    document.print(&printer);
}

void SeriesOfRunsWindow::Ausdrucken1Click() {
    if (!printer_) printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    QPrintDialog dialog(printer_.get(), this);
    dialog.setObjectName("PrintDialog1");
    if (dialog.exec() == QDialog::Accepted) printOn(*printer_);
}

} // namespace kelmot
