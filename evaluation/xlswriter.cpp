// SPDX-License-Identifier: GPL-3.0-or-later
#include "evaluation/xlswriter.h"

#include "evaluation/compoundfile.h"
#include "store/numberconversion.h"

#include <QHash>
#include <QtEndian>
#include <algorithm>
#include <optional>
#include <vector>

namespace kelmot {

namespace {

// Record types of BIFF8.
enum : quint16 {
    BofRecord = 0x0809,
    EofRecord = 0x000A,
    CodepageRecord = 0x0042,
    Window1Record = 0x003D,
    FontRecord = 0x0031,
    XfRecord = 0x00E0,
    StyleRecord = 0x0293,
    BoundSheetRecord = 0x0085,
    SstRecord = 0x00FC,
    ContinueRecord = 0x003C,
    DimensionsRecord = 0x0200,
    Window2Record = 0x023E,
    LabelSstRecord = 0x00FD,
    BlankRecord = 0x0201,
    NumberRecord = 0x0203,
    FormatRecord = 0x041E,
};
constexpr int MaxRecordData = 8224;
constexpr quint16 CellXf = 15; // the first cell format after the 15 style formats
// Number cells by their decimals: "0", "0.0", "0.00", "0.000", "0.0000"
// (the free fall's times to a tenth of a millisecond), "0.00000" (the
// pendulum's periods to ten microseconds). "0" and "0.00" are built into
// every reader (1 and 2); the others are ours (from 164 on). Each has its
// cell format right after the text cells' one.
constexpr quint16 NumberFormats[6] = {1, 164, 2, 165, 166, 167};
constexpr int MaxDecimals = 5;
constexpr quint16 NumberXf(int decimals) {
    return quint16(CellXf + 1 + decimals);
}

class Bytes {
public:
    Bytes& u8(quint8 v) {
        data.append(char(v));
        return *this;
    }
    Bytes& u16(quint16 v) {
        char b[2];
        qToLittleEndian(v, b);
        data.append(b, 2);
        return *this;
    }
    Bytes& u32(quint32 v) {
        char b[4];
        qToLittleEndian(v, b);
        data.append(b, 4);
        return *this;
    }
    // Characters after the option flags, always as UTF-16: readers differ
    // in how they take the 8-bit form of characters above 127 ("²", "ü").
    Bytes& chars(const QString& text) {
        u8(1);
        for (QChar c : text)
            u16(c.unicode());
        return *this;
    }
    Bytes& shortString(const QString& text) { // 8-bit length
        u8(quint8(text.size()));
        return chars(text);
    }
    Bytes& longString(const QString& text) { // 16-bit length
        u16(quint16(text.size()));
        return chars(text);
    }
    QByteArray data;
};

void record(QByteArray& out, quint16 type, const QByteArray& body) {
    Bytes header;
    header.u16(type).u16(quint16(body.size()));
    out += header.data + body;
}

// BOF of BIFF8 (0x0600) for the workbook globals or a worksheet, with the
// build and file-history fields the spreadsheet application writes.
enum : quint16 { WorkbookGlobals = 0x0005, Worksheet = 0x0010 };
QByteArray bof(quint16 kind) {
    constexpr quint16 Biff8 = 0x0600, Build = 0x0DBB, BuildYear = 0x07CC;
    constexpr quint32 History = 0x00000041, LowestVersion = 0x00000006;
    Bytes b;
    b.u16(Biff8).u16(kind).u16(Build).u16(BuildYear).u32(History).u32(LowestVersion);
    return b.data;
}

QByteArray font() {
    Bytes b;
    b.u16(200).u16(0).u16(0x7FFF).u16(400).u16(0).u8(0).u8(0).u8(0).u8(0);
    b.shortString(QStringLiteral("Arial"));
    return b.data;
}

QByteArray xf(bool style, quint16 numberFormat = 0) {
    Bytes b;
    b.u16(0).u16(numberFormat).u16(style ? 0xFFF5 : 0x0001).u8(0x20).u8(0).u8(0);
    // Used attributes: a cell format with a number format of its own says so.
    b.u8(style ? 0xF4 : numberFormat != 0 ? 0x04 : 0x00);
    b.u32(0).u32(0).u16(0x20C0);
    return b.data;
}

QByteArray format(quint16 id, const QString& code) {
    Bytes b;
    b.u16(id).longString(code);
    return b.data;
}

// A text of the table that is a number as the table writes them: [-]
// digits, and up to five decimals after the table's separator. Anything
// else (" - ", a heading, "1E-5") stays a text.
struct TableNumber {
    double value;
    int decimals;
};
std::optional<TableNumber> tableNumber(const QString& text, QChar separator) {
    qsizetype i = text.startsWith(u'-') ? 1 : 0;
    const qsizetype wholeStart = i;
    while (i < text.size() && text[i].isDigit() && text[i].unicode() < 128)
        ++i;
    if (i == wholeStart) return std::nullopt;
    int decimals = 0;
    if (i < text.size() && text[i] == separator) {
        ++i;
        const qsizetype fractionStart = i;
        while (i < text.size() && text[i].isDigit() && text[i].unicode() < 128)
            ++i;
        decimals = int(i - fractionStart);
        if (decimals == 0 || decimals > MaxDecimals) return std::nullopt;
    }
    if (i != text.size()) return std::nullopt;
    const auto value = parseFloat(text, separator);
    if (!value) return std::nullopt;
    return TableNumber{*value, decimals};
}

// The shared strings: whole strings only per record, continued in CONTINUE
// records when one would grow past the record limit.
void sharedStrings(QByteArray& out, const QStringList& unique, quint32 total) {
    Bytes first;
    first.u32(total).u32(quint32(unique.size()));
    QByteArray body = first.data;
    quint16 type = SstRecord;
    for (const QString& s : unique) {
        Bytes one;
        one.longString(s);
        if (body.size() + one.data.size() > MaxRecordData) {
            record(out, type, body);
            type = ContinueRecord;
            body.clear();
        }
        body += one.data;
    }
    record(out, type, body);
}

// One cell as the sheet stores it, the table's text read once.
struct Cell {
    enum Kind { Blank, Number, Text } kind = Blank;
    TableNumber number{0, 0};
    quint32 stringIndex = 0; // Text: its place among the shared strings
};

// The table's cells, and its texts as shared strings (each once).
struct SheetCells {
    std::vector<std::vector<Cell>> rows;
    int columns = 0;
    QStringList strings;
    quint32 textCells = 0;
};

SheetCells readCells(const TableTexts& table, QChar decimalSeparator) {
    SheetCells sheet;
    QHash<QString, quint32> index;
    for (const QStringList& texts : table) {
        std::vector<Cell>& row = sheet.rows.emplace_back();
        sheet.columns = std::max(sheet.columns, int(texts.size()));
        for (const QString& text : texts) {
            Cell& cell = row.emplace_back();
            // An empty text is an empty cell, as the spreadsheet application
            // makes of it; readers reject empty shared strings.
            if (text.isEmpty()) continue;
            if (const auto number = tableNumber(text, decimalSeparator)) {
                cell.kind = Cell::Number;
                cell.number = *number;
                continue;
            }
            cell.kind = Cell::Text;
            ++sheet.textCells;
            const auto known = index.constFind(text);
            if (known != index.constEnd()) {
                cell.stringIndex = *known;
            } else {
                cell.stringIndex = quint32(sheet.strings.size());
                index.insert(text, cell.stringIndex);
                sheet.strings << text;
            }
        }
    }
    return sheet;
}

// The workbook window: at the top left, 0x3000 × 0x2000 twips, scroll bars
// and sheet tabs shown, the first sheet active and selected, tabs taking
// 60 % of the bar.
QByteArray window1() {
    constexpr quint16 Width = 0x3000, Height = 0x2000, ScrollBarsAndTabs = 0x0038;
    constexpr quint16 TabBarShare = 600; // per mille
    return Bytes()
        .u16(0)
        .u16(0)
        .u16(Width)
        .u16(Height)
        .u16(ScrollBarsAndTabs)
        .u16(0) // active sheet
        .u16(0) // first tab shown
        .u16(1) // sheets selected
        .u16(TabBarShare)
        .data;
}

// The sheet's window: grid lines, headings, zeros, outline symbols, the
// automatic grid colour, selected and shown.
QByteArray window2() {
    constexpr quint16 Options = 0x06B6;
    constexpr quint32 AutomaticGridColour = 0x40;
    return Bytes().u16(Options).u16(0).u16(0).u32(AutomaticGridColour).u16(0).u16(0).u32(0).data;
}

// Everything before the sheet: code page, window, fonts, number formats,
// cell formats, the style, the sheet's name and place, the shared strings.
QByteArray workbookGlobals(const QString& sheetName, const SheetCells& cells) {
    constexpr quint16 Utf16 = 1200;
    constexpr quint16 BuiltInNormalStyle = 0x8000; // with cell format 0
    QByteArray globals;
    record(globals, BofRecord, bof(WorkbookGlobals));
    record(globals, CodepageRecord, Bytes().u16(Utf16).data);
    record(globals, Window1Record, window1());
    for (int i = 0; i < 5; ++i) // index 4 is never used; readers count on it
        record(globals, FontRecord, font());
    record(globals, FormatRecord, format(NumberFormats[1], QStringLiteral("0.0")));
    record(globals, FormatRecord, format(NumberFormats[3], QStringLiteral("0.000")));
    record(globals, FormatRecord, format(NumberFormats[4], QStringLiteral("0.0000")));
    record(globals, FormatRecord, format(NumberFormats[5], QStringLiteral("0.00000")));
    for (int i = 0; i < CellXf; ++i)
        record(globals, XfRecord, xf(true));
    record(globals, XfRecord, xf(false));
    for (const quint16 id : NumberFormats)
        record(globals, XfRecord, xf(false, id));
    record(globals, StyleRecord, Bytes().u16(BuiltInNormalStyle).u8(0).u8(0xFF).data);
    const qsizetype sheetOffsetAt = globals.size() + 4;
    record(globals, BoundSheetRecord, Bytes().u32(0).u16(0).shortString(sheetName).data);
    sharedStrings(globals, cells.strings, cells.textCells);
    record(globals, EofRecord, {});
    // The sheet begins right after the globals.
    qToLittleEndian(quint32(globals.size()), globals.data() + sheetOffsetAt);
    return globals;
}

QByteArray worksheet(const SheetCells& cells) {
    QByteArray sheet;
    record(sheet, BofRecord, bof(Worksheet));
    record(sheet, DimensionsRecord,
           Bytes()
               .u32(0)
               .u32(quint32(cells.rows.size()))
               .u16(0)
               .u16(quint16(cells.columns))
               .u16(0)
               .data);
    record(sheet, Window2Record, window2());
    for (std::size_t r = 0; r < cells.rows.size(); ++r) {
        for (std::size_t c = 0; c < cells.rows[r].size(); ++c) {
            const Cell& cell = cells.rows[r][c];
            Bytes body;
            body.u16(quint16(r)).u16(quint16(c));
            switch (cell.kind) {
            case Cell::Blank:
                record(sheet, BlankRecord, body.u16(CellXf).data);
                break;
            case Cell::Number: {
                // A number a spreadsheet computes with, shown as the table
                // shows it (with the reader's own separator).
                body.u16(NumberXf(cell.number.decimals));
                char ieee[8];
                qToLittleEndian(cell.number.value, ieee);
                body.data.append(ieee, 8);
                record(sheet, NumberRecord, body.data);
                break;
            }
            case Cell::Text:
                record(sheet, LabelSstRecord, body.u16(CellXf).u32(cell.stringIndex).data);
                break;
            }
        }
    }
    record(sheet, EofRecord, {});
    return sheet;
}

} // namespace

QByteArray xlsWorkbook(const QString& sheetName, const TableTexts& table, QChar decimalSeparator) {
    const SheetCells cells = readCells(table, decimalSeparator);
    return compoundFileWithStream(QStringLiteral("Workbook"),
                                  workbookGlobals(sheetName, cells) + worksheet(cells));
}

} // namespace kelmot
