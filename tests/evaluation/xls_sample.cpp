// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the sample v-t table as an .xls file, for readers outside the
// program to check, and the texts the table shows as ";"-separated lines:
//   kelmot_xls_sample <file.xls> [<shown.csv>]
#include "evaluation/xlswriter.h"
#include "tests/evaluation/xls_sample_table.h"

#include <QFile>
#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: kelmot_xls_sample <file.xls> [<shown.csv>]\n");
        return 2;
    }
    const kelmot::TableTexts table = kelmot::test::sampleVtTable();
    QFile f(QString::fromLocal8Bit(argv[1]));
    if (!f.open(QIODevice::WriteOnly)) return 1;
    const QByteArray bytes = kelmot::xlsWorkbook("Kelmotmessung", table, u',');
    if (f.write(bytes) != bytes.size()) return 1;
    if (argc == 3) {
        QFile csv(QString::fromLocal8Bit(argv[2]));
        if (!csv.open(QIODevice::WriteOnly)) return 1;
        for (const QStringList& row : table)
            csv.write(row.join(u';').toUtf8() + "\n");
    }
    return 0;
}
