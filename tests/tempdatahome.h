// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

// Every test process keeps its runs in a data folder of its own and its
// settings in a configuration folder of its own, both removed at the end:
// no test reads or writes the journal or the settings in a real home.
class TemporaryDataHome {
public:
    TemporaryDataHome() {
        qputenv("XDG_DATA_HOME", QFile::encodeName(dir_.path()));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(dir_.filePath(QStringLiteral("config"))));
    }
    QString path() const { return dir_.path(); }

private:
    QTemporaryDir dir_{QDir::tempPath() + QStringLiteral("/kelmot-test-data-XXXXXX")};
};
