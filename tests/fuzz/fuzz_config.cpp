// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target: any bytes as kelmot.cfg.
#include "store/configfile.h"

#include <QBuffer>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    QBuffer file(&bytes);
    file.open(QIODevice::ReadOnly);
    kelmot::MeasurementStore store;
    kelmot::readConfig(file, store);
    return 0;
}
