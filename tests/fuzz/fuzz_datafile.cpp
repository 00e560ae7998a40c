// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target: any bytes as a .kmd data file, read as "Laden" does.
#include "store/datafile.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    kelmot::MeasurementStore store;
    kelmot::readDataFileLines(kelmot::splitTextLines(bytes, 11), store);
    return 0;
}
