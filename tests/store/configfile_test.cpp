// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/configfile.h"
#include "store/fileio.h"
#include "store/numberconversion.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>
#include <optional>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace kelmot;

namespace {

QString writeFile(const QTemporaryDir& dir, const QByteArray& content) {
    const QString path = dir.filePath("kelmot.cfg");
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(content);
    return path;
}

// Runs `action` as a user without privileges and returns its text: directly
// when this process has none, else in a child that has dropped to "nobody"
// (65534). Nothing when the child could not drop them.
template <typename Action> std::optional<QString> asUnprivilegedUser(Action action) {
    if (geteuid() != 0) return action();
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) return std::nullopt;
    const pid_t child = fork();
    if (child == 0) {
        close(pipeEnds[0]);
        if (setgid(65534) != 0 || setuid(65534) != 0) _exit(2);
        const QByteArray text = action().toUtf8();
        const ssize_t written = write(pipeEnds[1], text.constData(), std::size_t(text.size()));
        _exit(written == text.size() ? 0 : 3);
    }
    close(pipeEnds[1]);
    QByteArray text;
    char block[256];
    for (ssize_t n; (n = read(pipeEnds[0], block, sizeof block)) > 0;)
        text.append(block, n);
    close(pipeEnds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return std::nullopt;
    return QString::fromUtf8(text);
}

} // namespace

TEST(ConfigRead, MissingFileGivesDefaultsAndCreatesNothing) {
    QTemporaryDir dir;
    MeasurementStore s;
    s.MixerDevice = 9;
    s.Threshold = 1;
    const QString path = dir.filePath("kelmot.cfg");
    EXPECT_FALSE(readConfigFile(path, s).has_value());
    EXPECT_EQ(s.MixerDevice, 0);
    EXPECT_EQ(s.InputLine, 0);
    EXPECT_EQ(s.Threshold, 5000);
    EXPECT_EQ(s.OutputMode, 0);
    EXPECT_FALSE(QFile::exists(path));
}

TEST(ConfigRead, FourLinesWithCrLfOrLf) {
    QTemporaryDir dir;
    MeasurementStore s;
    EXPECT_FALSE(readConfigFile(writeFile(dir, "0\r\n-1\r\n40000\r\n1\r\n"), s));
    EXPECT_EQ(s.InputLine, -1);
    EXPECT_EQ(s.Threshold, 40000); // the reader checks no range
    EXPECT_EQ(s.OutputMode, 1);
    EXPECT_FALSE(readConfigFile(writeFile(dir, "2\n3\n4\n0"), s));
    EXPECT_EQ(s.MixerDevice, 2);
    EXPECT_EQ(s.OutputMode, 0);
}

TEST(ConfigRead, ThreeLinesGiveTheConversionErrorWithEmptyText) {
    QTemporaryDir dir;
    MeasurementStore s;
    const auto error = readConfigFile(writeFile(dir, "1\r\n2\r\n3000\r\n"), s);
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(*error, QString::fromUtf8("'' ist kein gültiger Integerwert"));
    EXPECT_EQ(s.MixerDevice, 1);
    EXPECT_EQ(s.InputLine, 2);
    EXPECT_EQ(s.Threshold, 3000);
    EXPECT_EQ(s.OutputMode, 0);
}

TEST(ConfigRead, MalformedLineKeepsTheValuesBeforeIt) {
    QTemporaryDir dir;
    MeasurementStore s;
    const auto error = readConfigFile(writeFile(dir, "1\r\n2x\r\n3000\r\n1\r\n"), s);
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(*error, QString::fromUtf8("'2x' ist kein gültiger Integerwert"));
    EXPECT_EQ(s.MixerDevice, 1);
    EXPECT_EQ(s.InputLine, 0);
    EXPECT_EQ(s.Threshold, 5000); // the default, not 0: noise would start a run
    EXPECT_EQ(s.OutputMode, 0);
}

TEST(ConfigWrite, AFailedWriteKeepsTheEarlierFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath("kelmot.cfg");
    ASSERT_FALSE(writeConfigFile(path, {1, 2, 3000, 1}));
    const auto contents = [&] {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    };
    // A disk that fills up after 5 bytes.
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 5;
    setrlimit(RLIMIT_FSIZE, &small);
    const auto error = writeConfigFile(path, {0, 0, 5000, 0});
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, previousHandler);
    EXPECT_EQ(error.value_or(""), QString("E/A-Fehler %1").arg(EFBIG));
    EXPECT_EQ(contents(), QByteArray("1\r\n2\r\n3000\r\n1\r\n"));
    // A link is followed: the file it names is replaced, the link stays.
    const QString link = dir.filePath("link.cfg");
    ASSERT_TRUE(QFile::link(path, link));
    ASSERT_FALSE(writeConfigFile(link, {4, 4, 4000, 0}));
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(contents(), QByteArray("4\r\n4\r\n4000\r\n0\r\n"));
}

TEST(ConfigStrictInt, AcceptsOnlyWholeDecimalIntegers) {
    EXPECT_EQ(parseStrictInt("-2147483648"), std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(parseStrictInt("2147483647"), 2147483647);
    EXPECT_EQ(parseStrictInt("+5"), 5);
    for (const char* bad :
         {"", " 5", "5 ", "2147483648", "-", "1.0", "0x10", "99999999999999999999"})
        EXPECT_FALSE(parseStrictInt(bad).has_value()) << bad;
}

TEST(ConfigWrite, WritesFourCrLfLinesThatReadBack) {
    QTemporaryDir dir;
    const QString path = dir.filePath("kelmot.cfg");
    EXPECT_FALSE(writeConfigFile(path, {0, 2, 5000, 1}).has_value());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("0\r\n2\r\n5000\r\n1\r\n"));
    MeasurementStore s;
    EXPECT_FALSE(readConfigFile(path, s));
    EXPECT_EQ(s.InputLine, 2);
    EXPECT_EQ(s.OutputMode, 1);
}

TEST(ConfigWrite, ReportsAccessDeniedAndOtherErrorsInGerman) {
    QTemporaryDir dir;
    // A directory in place of the file cannot be opened for writing.
    EXPECT_EQ(writeConfigFile(dir.path(), {}).value_or(""), QString("E/A-Fehler %1").arg(EISDIR));
    // A folder the writer may not write into. Root may write anywhere, so
    // as root (CI) the write runs in a child that has dropped to "nobody".
    const QString ro = dir.filePath("ro");
    ASSERT_TRUE(QDir().mkdir(ro));
    ASSERT_EQ(chmod(QFile::encodeName(dir.path()).constData(), 0755), 0);
    ASSERT_EQ(chmod(QFile::encodeName(ro).constData(), 0555), 0);
    const auto denied = asUnprivilegedUser(
        [&] { return writeConfigFile(ro + "/kelmot.cfg", {}).value_or("written"); });
    ASSERT_TRUE(denied.has_value()) << "could not drop privileges";
    EXPECT_EQ(*denied, "Dateizugriff verweigert");
    EXPECT_FALSE(QFile::exists(ro + "/kelmot.cfg"));
    EXPECT_EQ(fileAccessText(EACCES), "Dateizugriff verweigert");
    // A device that is always full: written in place, the failure reported.
    ASSERT_TRUE(QFile::exists("/dev/full"));
    EXPECT_EQ(writeConfigFile("/dev/full", {}).value_or(""), QString("E/A-Fehler %1").arg(ENOSPC));
}
