#include "evaluation/xlswriter.h"

#include "evaluation/compoundfile.h"
#include "store/numberconversion.h"

#include <QHash>
#include <QtEndian>
#include <algorithm>
#include <optional>

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
// Number cells by their decimals: "0", "0.0", "0.00", "0.000". "0" and
// "0.00" are built into every reader (1 and 2); the others are ours (from
// 164 on). Each has its cell format right after the text cells' one.
constexpr quint16 NumberFormats[4] = {1, 164, 2, 165};
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

QByteArray bof(quint16 kind) {
    Bytes b;
    b.u16(0x0600).u16(kind).u16(0x0DBB).u16(0x07CC).u32(0x00000041).u32(0x00000006);
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
// digits, and up to three decimals after the table's separator. Anything
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
        if (decimals == 0 || decimals > 3) return std::nullopt;
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

} // namespace

QByteArray xlsWorkbook(const QString& sheetName, const TableTexts& table, QChar decimalSeparator) {
    const int rows = int(table.size());
    int columns = 0;
    for (const QStringList& row : table)
        columns = std::max(columns, int(row.size()));

    QStringList unique;
    QHash<QString, quint32> index;
    quint32 total = 0;
    for (const QStringList& row : table) {
        for (const QString& cell : row) {
            if (cell.isEmpty() || tableNumber(cell, decimalSeparator)) continue;
            ++total;
            if (!index.contains(cell)) {
                index.insert(cell, quint32(unique.size()));
                unique << cell;
            }
        }
    }

    QByteArray globals;
    record(globals, BofRecord, bof(0x0005));
    record(globals, CodepageRecord, Bytes().u16(1200).data); // UTF-16
    record(globals, Window1Record,
           Bytes()
               .u16(0)
               .u16(0)
               .u16(0x3000)
               .u16(0x2000)
               .u16(0x0038)
               .u16(0)
               .u16(0)
               .u16(1)
               .u16(0x0258)
               .data);
    for (int i = 0; i < 5; ++i) // index 4 is never used; readers count on it
        record(globals, FontRecord, font());
    record(globals, FormatRecord, format(NumberFormats[1], QStringLiteral("0.0")));
    record(globals, FormatRecord, format(NumberFormats[3], QStringLiteral("0.000")));
    for (int i = 0; i < 15; ++i)
        record(globals, XfRecord, xf(true));
    record(globals, XfRecord, xf(false));
    for (const quint16 id : NumberFormats)
        record(globals, XfRecord, xf(false, id));
    record(globals, StyleRecord, Bytes().u16(0x8000).u8(0).u8(0xFF).data); // "Normal"
    const qsizetype sheetOffsetAt = globals.size() + 4;
    record(globals, BoundSheetRecord, Bytes().u32(0).u16(0).shortString(sheetName).data);
    sharedStrings(globals, unique, total);
    record(globals, EofRecord, {});
    // The sheet begins right after the globals.
    qToLittleEndian(quint32(globals.size()), globals.data() + sheetOffsetAt);

    QByteArray sheet;
    record(sheet, BofRecord, bof(0x0010));
    record(sheet, DimensionsRecord,
           Bytes().u32(0).u32(quint32(rows)).u16(0).u16(quint16(columns)).u16(0).data);
    record(sheet, Window2Record,
           Bytes().u16(0x06B6).u16(0).u16(0).u32(0x40).u16(0).u16(0).u32(0).data);
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < int(table[std::size_t(r)].size()); ++c) {
            const QString& text = table[std::size_t(r)][c];
            Bytes cell;
            cell.u16(quint16(r)).u16(quint16(c)).u16(CellXf);
            // An empty text is an empty cell, as the spreadsheet application
            // makes of it; readers reject empty shared strings.
            if (text.isEmpty()) {
                record(sheet, BlankRecord, cell.data);
            } else if (const auto number = tableNumber(text, decimalSeparator)) {
                // A number a spreadsheet computes with, shown as the table
                // shows it (with the reader's own separator).
                Bytes numberCell;
                numberCell.u16(quint16(r)).u16(quint16(c)).u16(NumberXf(number->decimals));
                char ieee[8];
                qToLittleEndian(number->value, ieee);
                numberCell.data.append(ieee, 8);
                record(sheet, NumberRecord, numberCell.data);
            } else {
                record(sheet, LabelSstRecord, cell.u32(index.value(text)).data);
            }
        }
    }
    record(sheet, EofRecord, {});

    return compoundFileWithStream(QStringLiteral("Workbook"), globals + sheet);
}

} // namespace kelmot
