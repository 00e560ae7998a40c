// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "evaluation/evaluationtable.h"
#include "evaluation/evaluationview.h"
#include "evaluation/tabletext.h"
#include "store/columnheaders.h"
#include "store/seriesselector.h"
#include "widgets/dateivorhanden_u.h"

#include <QWidget>
#include <optional>

class QCheckBox;
class QComboBox;
class QFileDialog;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QAction;
class QRadioButton;
class QTableWidget;

namespace kelmot {

// The series selector as the store sees it, over the window's combo box.
class ComboSeriesSelector : public SeriesSelector {
public:
    explicit ComboSeriesSelector(QComboBox* combo) : combo_(combo) {}
    void clear() override;
    void insertItem(int position, const QString& text) override;
    int count() const override;
    int itemIndex() const override;
    void setItemIndex(int index) override;
    void setShown(bool shown) override;

private:
    QComboBox* combo_;
};

// The evaluation table: one series per barrier row, with the quotient of a
// suspected s-t relationship, or the dark intervals, speeds and
// accelerations of the v-t evaluation. It also holds what the diagrams draw:
// the flag width (Edit1) and, through the store, the chosen relationships.
class TForm6 : public QWidget, public EvaluationView {
    Q_OBJECT
public:
    // `mainWindow` gives the place and size the window takes; `overwrite`
    // asks before an export replaces a file.
    TForm6(MeasurementStore& store, const QWidget* mainWindow, OverwriteQuestion& overwrite,
           QWidget* parent = nullptr);
    void FormCreate();
    void FormResize();

    void geaendert();
    void CB1Click();
    void CB2Click();
    void CB3Click();
    void RB1Click();
    void RB2Click();
    void RB3Click();
    void RB4Click();
    void RB_kClick();
    void RB_lClick();
    void RB_noClick();
    void Combo1Change();

    // Export: the popup menu on a right or middle press, the table as text
    // on the clipboard, and as a spreadsheet file.
    void SG2MouseDown(Qt::MouseButton button);
    void TabelleinZwischenablage1Click() { CopySG(); }
    void CopySG();
    void ExportalsEXCELDatei1Click();
    // True when the file was saved; a failure is reported with its reason.
    bool SaveAsExcelFile(const QTableWidget* grid, const QString& sheetName,
                         const QString& fileName);
    // The texts the table shows, rows 0..10 of its shown columns.
    TableTexts tableTexts() const;

    // What an opening command does with the window once ColumnCount is set:
    // frame or none, caption, width, layout, shown in front.
    void present(const QString& caption, bool withFrame, int width);
    // The controls each opening command shows below the table; the rest are
    // hidden. The series selector is shown apart (showSeriesSelector).
    enum class Controls {
        StRelations,     // "Auswerten s-t", "Diagramm s-t": the s-t relationships
        VtColumns,       // "Auswerten v-t": the column boxes and the v-t relationships
        VtColumnsAndFit, // "Diagramm v-t": the same and the diagrams' fit
        LoadedTable      // a data file's times alone
    };
    void showControls(Controls controls);
    // The series selector, hidden, or shown at its usual left or right of the
    // "Daten :" label where a narrow window would put it onto the label's text.
    void showSeriesSelector(bool shown, int usualLeft);
    // The s-t relationship button that is checked runs its action.
    void runCheckedStRelation();
    // Rows 1..10 of a column.
    void setColumn(int column, const ColumnTexts& texts);
    void setGridColour(Rgb colour);
    // The colour of the series chosen in Combo1, black when none is chosen:
    // what the opening commands show a series in.
    void colourGridBySelectedSeries();

    QString cellText(int column, int row) const;
    // The header of a column, in row 0.
    void setHeader(int column, TableColumn header);
    // Columns 2 to 5 of the v-t evaluation: bright time, dt, v and a.
    void setVtHeaders();

    // EvaluationView
    SeriesSelector& selector() override { return selector_; }
    QString flagWidthText() const override;
    // The slot of the series chosen in Combo1; none while nothing is chosen.
    std::optional<int> selectedSeries() const;
    // The series the v-t columns use: the chosen one with three lists, else 0.
    std::optional<int> vtColumnSeries() const;
    // "Daten :  <title>" with one list, "Daten : " with three.
    QString titleCaption() const;

    QLabel* L_daten = nullptr;
    QTableWidget* SG2 = nullptr;
    QCheckBox* CB1 = nullptr;
    QCheckBox* CB2 = nullptr;
    QCheckBox* CB3 = nullptr;
    QGroupBox* GB1 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QLabel* L_mm = nullptr;
    QGroupBox* GB2 = nullptr;
    QRadioButton* RB4 = nullptr;
    QRadioButton* RB1 = nullptr;
    QRadioButton* RB2 = nullptr;
    QRadioButton* RB3 = nullptr;
    QGroupBox* GB3 = nullptr;
    QRadioButton* RB_no = nullptr;
    QRadioButton* RB_k = nullptr;
    QRadioButton* RB_l = nullptr;
    QComboBox* Combo1 = nullptr;
    QFileDialog* SD1 = nullptr; // made at its first use
    QMenu* PopupMenu1 = nullptr;
    QAction* TabelleinZwischenablage1 = nullptr;
    QAction* ExportalsEXCELDatei1 = nullptr;

    // The speeds the v column computed last, whatever series and flag width
    // were current then; only the a column reads them.
    BarrierValues TableSpeeds{};

signals:
    // An s-t relationship changed: the s-t diagram draws anew.
    void stDiagramChanged();
    // A v-t relationship or the flag width changed: the v-t diagram draws anew.
    void vtDiagramChanged();
    // A spreadsheet file was written: the confirmation shows.
    void excelFileSaved();

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The window's parts, made in the order Tab visits them.
    void createTableAndColumnControls();
    void createRelationshipGroups();
    void setUpSeriesSelector();
    void createExportControls();
    void connectControls();
    // The check boxes and groups shown below the table: at their usual
    // places where those fit, else moved (or the rows shortened) so that no
    // control covers a cell and none is cut off by the window.
    void placeControlsBelowGrid();
    void chooseStRelation(int relation);
    void chooseVtRelation(int relation);
    void clearColumn(int column);
    // Before a v-t column is filled: the series' colour with three lists,
    // navy with one.
    void colourForVtColumn(int series);

    MeasurementStore& store_;
    const QWidget* mainWindow_;
    OverwriteQuestion& overwrite_;
    ComboSeriesSelector selector_;
};

} // namespace kelmot
