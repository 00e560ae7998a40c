// Writes the sample v-t table as an .xls file, for readers outside the
// program to check:  kelmot_xls_sample <file.xls>
#include "evaluation/xlswriter.h"
#include "tests/evaluation/xls_sample_table.h"

#include <QFile>
#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: kelmot_xls_sample <file.xls>\n");
        return 2;
    }
    QFile f(QString::fromLocal8Bit(argv[1]));
    if (!f.open(QIODevice::WriteOnly)) return 1;
    const QByteArray bytes = kelmot::xlsWorkbook("Kelmotmessung", kelmot::test::sampleVtTable());
    return f.write(bytes) == bytes.size() ? 0 : 1;
}
