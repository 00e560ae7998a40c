// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/manualtext.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace kelmot;

TEST(ManualText, HeadingsParagraphsAndItemsAsPlainText) {
    const QString roff = QStringLiteral(".\\\" a comment\n"
                                        ".TH KELMOT 1 \"Dezember 2026\"\n"
                                        ".SH NAME\n"
                                        "kelmot \\- zehn Lichtschranken\n"
                                        ".SH OPTIONEN\n"
                                        ".TP\n"
                                        ".BI \\-\\-bands \" ZAHL\"\n"
                                        "Die Zahl der Latten\n"
                                        "(2 bis 30).\n"
                                        ".TP\n"
                                        ".B \\-\\-simulate\n"
                                        "Ohne Geräte: \"g = (... \\(+- ...) m/s\\(S2\".\n"
                                        ".PP\n"
                                        "Siehe \\fBkelmot.cfg\\fR.\n"
                                        ".br\n"
                                        ".RB [ \\-\\-output\n"
                                        ".IR ORDNER ]\n");
    EXPECT_EQ(manualText(roff).toStdString(), "NAME\n"
                                              "kelmot - zehn Lichtschranken\n"
                                              "\n"
                                              "OPTIONEN\n"
                                              "\n"
                                              "--bands ZAHL\n"
                                              "    Die Zahl der Latten (2 bis 30).\n"
                                              "\n"
                                              "--simulate\n"
                                              "    Ohne Geräte: \"g = (... ± ...) m/s²\".\n"
                                              "\n"
                                              "Siehe kelmot.cfg.\n"
                                              "[--output ORDNER]\n");
}

// The manual pages the package installs read as text: nothing of the
// markup is left.
TEST(ManualText, TheProgramsManualPagesReadAsText) {
    for (const char* name : {"kelmot.1", "kelmot.de.1"}) {
        QFile page(QStringLiteral(KELMOT_SOURCE_DIR "/resources/desktop/") + name);
        ASSERT_TRUE(page.open(QIODevice::ReadOnly)) << name;
        const QString text = manualText(QString::fromUtf8(page.readAll()));
        EXPECT_TRUE(text.startsWith("NAME\nkelmot - ")) << name;
        EXPECT_TRUE(text.contains("\n--simulate\n    ")) << name;
        EXPECT_TRUE(text.contains("m/s²")) << name;
        for (const QString& line : text.split('\n')) {
            EXPECT_FALSE(line.startsWith('.')) << name << ": " << line.toStdString();
            EXPECT_FALSE(line.contains('\\')) << name << ": " << line.toStdString();
        }
    }
}
