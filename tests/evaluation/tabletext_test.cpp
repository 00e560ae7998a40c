// SPDX-License-Identifier: GPL-3.0-or-later
#include "evaluation/compoundfile.h"
#include "evaluation/csvwriter.h"
#include "evaluation/tabletext.h"
#include "evaluation/xlswriter.h"
#include "experiments/falltable.h"
#include "experiments/pendulumtable.h"
#include "store/numberconversion.h"
#include "tests/evaluation/xls_sample_table.h"

#include <QFile>
#include <QTemporaryDir>
#include <freexl.h>
#include <gtest/gtest.h>
#include <utility>

using namespace kelmot;

namespace {

TableTexts stTable() {
    TableTexts t{{"Ort (m)", "Zeit aus (s)", "Quotient (m/s)"}};
    for (int k = 0; k < 10; ++k)
        t.push_back({QString("0.%1").arg(k), QString("%1.00").arg(k), k == 0 ? " - " : "  "});
    return t;
}

// What an independent reader (libfreexl) finds in the file: texts, and
// numbers as the value they hold.
struct ReadBack {
    struct Cell {
        bool number = false;
        double value = 0;
        QString text;
    };
    QString sheetName;
    unsigned sheets = 0;
    unsigned rows = 0;
    unsigned short columns = 0;
    std::vector<std::vector<Cell>> cells;
    std::vector<QStringList> texts() const {
        std::vector<QStringList> all;
        for (const auto& row : cells) {
            QStringList line;
            for (const Cell& c : row)
                line << c.text;
            all.push_back(line);
        }
        return all;
    }
};

ReadBack readWithFreexl(const QByteArray& file) {
    QTemporaryDir dir;
    const QString path = dir.filePath("t.xls");
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(file);
    f.close();
    ReadBack r;
    const void* handle = nullptr;
    const int opened = freexl_open(QFile::encodeName(path).constData(), &handle);
    EXPECT_EQ(opened, FREEXL_OK);
    if (opened != FREEXL_OK) return r;
    freexl_get_info(handle, FREEXL_BIFF_SHEET_COUNT, &r.sheets);
    const char* name = nullptr;
    if (freexl_get_worksheet_name(handle, 0, &name) == FREEXL_OK)
        r.sheetName = QString::fromUtf8(name);
    freexl_select_active_worksheet(handle, 0);
    freexl_worksheet_dimensions(handle, &r.rows, &r.columns);
    for (unsigned row = 0; row < r.rows; ++row) {
        std::vector<ReadBack::Cell> line;
        for (unsigned short c = 0; c < r.columns; ++c) {
            FreeXL_CellValue v{};
            EXPECT_EQ(freexl_get_cell_value(handle, row, c, &v), FREEXL_OK);
            ReadBack::Cell cell;
            if (v.type == FREEXL_CELL_SST_TEXT || v.type == FREEXL_CELL_TEXT) {
                cell.text = QString::fromUtf8(v.value.text_value);
            } else if (v.type == FREEXL_CELL_DOUBLE || v.type == FREEXL_CELL_INT) {
                cell.number = true;
                cell.value = v.type == FREEXL_CELL_INT ? v.value.int_value : v.value.double_value;
            } else {
                EXPECT_EQ(v.type, FREEXL_CELL_NULL) << row << "," << c;
            }
            line.push_back(cell);
        }
        r.cells.push_back(line);
    }
    freexl_close(handle);
    return r;
}

} // namespace

TEST(TableExport, ClipboardTextOfTheStTable) {
    const TableTexts t = stTable();
    const QString text = tableClipboardText(t, 0);
    const QStringList lines = text.split("\r\n");
    ASSERT_EQ(lines.size(), 12); // 11 lines, the last one ended too
    EXPECT_TRUE(lines[11].isEmpty());
    EXPECT_EQ(lines[0], "Ort (m)  Zeit aus (s)  Quotient (m/s)  ");
    // Fills: 7 + 2 after column 0; 12 − 4 + 0 and 14 − 4 + 0 after the others.
    EXPECT_EQ(lines[1],
              "0.0" + QString(9, ' ') + "0.00" + QString(8, ' ') + " - " + QString(10, ' '));
    EXPECT_EQ(lines[2],
              "0.1" + QString(9, ' ') + "1.00" + QString(8, ' ') + "  " + QString(10, ' '));
    EXPECT_EQ(tableClipboardText(t, 1).split("\r\n")[1],
              "0.0" + QString(9, ' ') + "0.00" + QString(9, ' ') + " - " + QString(11, ' '));
}

TEST(TableExport, ClipboardTextOfTheVtTableWithColumnsOff) {
    const TableTexts t = test::sampleVtTable();
    const QStringList lines = tableClipboardText(t, 0).split("\r\n");
    EXPECT_EQ(lines[0], "Ort (m)  Zeit aus (s)  Zeit an (s)  dt (s)  v (m/s)  a (m/s²)  ");
    // dt, v and a: 2, 3 and 4 blanks at 10 ms, whatever the cell holds.
    EXPECT_TRUE(lines[1].endsWith("0,020  0,500    - " + QString(4, ' ')))
        << lines[1].toStdString();
    EXPECT_TRUE(lines[2].endsWith("0,020  0,500   " + QString(4, ' '))) << lines[2].toStdString();
    // A header shorter than 4 - resolution gives no fill at all.
    const TableTexts narrow{{"x", "y"}, {"1", "2"}};
    EXPECT_EQ(tableClipboardText(narrow, 0), "x  y  \r\n1   2\r\n");
}

TEST(TableExport, CellReferences) {
    EXPECT_EQ(RefToCell(1, 1), "A1");
    EXPECT_EQ(RefToCell(11, 3), "C11");
    EXPECT_EQ(RefToCell(11, 6), "F11");
}

// Every number of the table arrives as a number cell holding the value its
// text shows; headings, " - " and blanks stay texts, empty cells empty.
TEST(TableExport, XlsReadBackByAnIndependentReader) {
    const std::pair<TableTexts, QChar> tables[] = {{stTable(), u'.'},
                                                   {test::sampleVtTable(), u','}};
    for (const auto& [table, separator] : tables) {
        const ReadBack r = readWithFreexl(xlsWorkbook("Kelmotmessung", table, separator));
        EXPECT_EQ(r.sheets, 1u);
        EXPECT_EQ(r.sheetName, "Kelmotmessung");
        EXPECT_EQ(r.rows, 11u);
        EXPECT_EQ(r.columns, table[0].size());
        for (std::size_t row = 0; row < table.size() && row < r.cells.size(); ++row) {
            for (qsizetype c = 0; c < table[row].size(); ++c) {
                const QString& text = table[row][c];
                const ReadBack::Cell& cell = r.cells[row][std::size_t(c)];
                const bool isNumber = row > 0 && !text.trimmed().isEmpty() && text != " - ";
                EXPECT_EQ(cell.number, isNumber) << row << "," << c << " " << text.toStdString();
                if (isNumber)
                    EXPECT_EQ(cell.value, parseFloat(text, separator).value_or(-1)) << row;
                else
                    EXPECT_EQ(cell.text, text) << row << "," << c;
            }
        }
    }
}

// The texts the table writes, and texts that only look like numbers.
TEST(TableExport, WhichTextsBecomeNumbers) {
    const TableTexts table{{"0,000", "-0,02", "12", "1,5", "0,1234", "1,41852", "0,123456", "1E-5",
                            "1,", ",5", "0.5", "−1,0", "٣"}};
    const ReadBack r = readWithFreexl(xlsWorkbook("Kelmotmessung", table, u','));
    ASSERT_EQ(r.cells.size(), 1u);
    const auto& row = r.cells[0];
    // Five decimals at most: the free fall's times to a tenth of a
    // millisecond, the pendulum's periods to ten microseconds.
    const double values[6] = {0, -0.02, 12, 1.5, 0.1234, 1.41852};
    for (int c = 0; c < 6; ++c) {
        EXPECT_TRUE(row[std::size_t(c)].number) << c;
        EXPECT_EQ(row[std::size_t(c)].value, values[c]) << c;
    }
    for (std::size_t c = 6; c < row.size(); ++c) {
        EXPECT_FALSE(row[c].number) << c;
        EXPECT_EQ(row[c].text, table[0][qsizetype(c)]) << c;
    }
}

TEST(TableExport, LargeTablesLeaveTheMiniStreamAndContinueTheStrings) {
    // Far more than an evaluation table: regular sectors, several FAT
    // sectors' worth of data and shared strings over more than one record.
    TableTexts big;
    for (int r = 0; r < 400; ++r) {
        QStringList row;
        for (int c = 0; c < 6; ++c)
            row << QString("Zelle %1/%2 mit ü und ² und €").arg(r).arg(c);
        big.push_back(row);
    }
    const QByteArray file = xlsWorkbook("Kelmotmessung", big, u',');
    EXPECT_GT(file.size(), 70000);
    const ReadBack r = readWithFreexl(file);
    EXPECT_EQ(r.rows, 400u);
    ASSERT_EQ(r.cells.size(), 400u);
    EXPECT_EQ(r.cells[399][5].text, "Zelle 399/5 mit ü und ² und €");
    EXPECT_EQ(r.cells[0][0].text, big[0][0]);
}

TEST(TableExport, CompoundFileHeader) {
    const QByteArray small = compoundFileWithStream("Workbook", QByteArray(100, 'x'));
    EXPECT_TRUE(small.startsWith("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1"));
    EXPECT_EQ(small.size() % 512, 0);
    const QByteArray large = compoundFileWithStream("Workbook", QByteArray(5000, 'x'));
    EXPECT_EQ(large.size(), 512 * (1 + 1 + 1 + 10)); // header, FAT, directory, data
}

// A drop's table: its times to a tenth of a millisecond are numbers a
// spreadsheet computes with, an empty speed an empty cell.
TEST(TableExport, AFallTableReadsBackWithItsTimesAsNumbers) {
    FallDrop drop;
    drop.darkTimes = {-0.0003, 0.0568, 0.0943, 0.1243};
    drop.brightTimes = {0.0327, 0.0768, 0.0943, 0.1375};
    const QLocale de(QLocale::German, QLocale::Germany);
    const TableTexts table = fallTable(fallPoints(drop, {4, 50, 25}), de);
    const ReadBack r = readWithFreexl(fallWorkbook(table, de));
    ASSERT_EQ(r.cells.size(), 5u);
    EXPECT_EQ(r.cells[0][2].text, "t dunkel in s");
    EXPECT_TRUE(r.cells[1][2].number);
    EXPECT_DOUBLE_EQ(r.cells[1][2].value, -0.0003);
    EXPECT_TRUE(r.cells[4][3].number);
    EXPECT_DOUBLE_EQ(r.cells[4][3].value, 0.1375);
    EXPECT_DOUBLE_EQ(r.cells[2][4].value, 1.25);
    EXPECT_FALSE(r.cells[3][4].number);
    EXPECT_EQ(r.cells[3][4].text, "");
}

// A swing's table: its times and periods to ten microseconds are numbers a
// spreadsheet computes with; a passage that ends no period has an empty cell.
TEST(TableExport, APendulumTableReadsBackWithItsPeriodsAsNumbers) {
    const std::vector<Passage> passages =
        passagesOf({0.1, 0.80926, 1.51852}, {0.14, 0.84926, 1.55852}, 0.02);
    const QLocale de(QLocale::German, QLocale::Germany);
    const TableTexts table = pendulumTable(passages, de);
    ASSERT_EQ(table.size(), 4);
    EXPECT_EQ(table[3], QStringList({"3", "1,53852", "0,04000", "0,500", "1,41852"}));
    const ReadBack r = readWithFreexl(pendulumWorkbook(table, de));
    EXPECT_EQ(r.sheetName, "Kelmot Pendel");
    ASSERT_EQ(r.cells.size(), 4u);
    EXPECT_EQ(r.cells[0][4].text, "T in s");
    EXPECT_TRUE(r.cells[3][4].number);
    EXPECT_DOUBLE_EQ(r.cells[3][4].value, 1.41852);
    EXPECT_DOUBLE_EQ(r.cells[2][1].value, 0.82926);
    EXPECT_FALSE(r.cells[2][4].number);
    EXPECT_EQ(r.cells[2][4].text, "");
}

TEST(CsvWriter, SpreadsheetsOfEitherLanguageReadIt) {
    const TableTexts table{{"Ort (m)", "v (m/s)"}, {"0,1", "0,476"}, {"a;b", "say \"hi\""}};
    const QByteArray de = csvFile(table, QLocale(QLocale::German, QLocale::Germany));
    EXPECT_TRUE(de.startsWith("\xEF\xBB\xBF"));
    EXPECT_EQ(de.mid(3), "Ort (m);v (m/s)\r\n0,1;0,476\r\n\"a;b\";\"say \"\"hi\"\"\"\r\n");
    const TableTexts en{{"Position (m)"}, {"0.1", "1,000"}};
    EXPECT_EQ(csvFile(en, QLocale(QLocale::English, QLocale::UnitedStates)).mid(3),
              "Position (m)\r\n0.1,\"1,000\"\r\n");
}
