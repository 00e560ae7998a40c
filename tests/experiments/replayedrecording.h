// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/paced_wavein.h"
#include "platform/wavfilesource.h"

#include <QString>
#include <QStringList>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <utility>

namespace kelmot::test {

// A recording played into a window as --replay plays it, as fast as the
// test takes it and without loss.
inline std::shared_ptr<platform::PacedBackend> losslessReplay(const QString& wav,
                                                              const std::string& name) {
    return std::make_shared<platform::PacedBackend>(
        "Wiedergabe",
        [wav](int rate, std::string& error) -> std::unique_ptr<platform::SampleSource> {
            return platform::WavFileSource::load(wav.toStdString(), rate, error);
        },
        50.0, name, platform::PacedBackend::Pacing::Lossless);
}

// What a command wrote to the file it is handed, line by line (CR LF), and
// its exit status.
template <typename Command> std::pair<int, QStringList> printedLines(Command command) {
    char* printed = nullptr;
    std::size_t printedSize = 0;
    std::FILE* out = open_memstream(&printed, &printedSize);
    const int status = command(out);
    std::fclose(out);
    const QStringList lines = QString::fromUtf8(printed, qsizetype(printedSize)).split("\r\n");
    std::free(printed);
    return {status, lines};
}

} // namespace kelmot::test
