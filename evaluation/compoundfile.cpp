// SPDX-License-Identifier: GPL-3.0-or-later
#include "evaluation/compoundfile.h"

#include <QtEndian>
#include <algorithm>
#include <vector>

namespace kelmot {

namespace {

constexpr quint32 FreeSector = 0xFFFFFFFF;
constexpr quint32 EndOfChain = 0xFFFFFFFE;
constexpr quint32 FatSector = 0xFFFFFFFD;
constexpr quint32 NoStream = 0xFFFFFFFF;
constexpr int SectorSize = 512;
constexpr int MiniSectorSize = 64;
constexpr int MiniStreamCutoff = 4096;
constexpr int EntriesPerSector = SectorSize / 4;

void put16(QByteArray& b, int at, quint16 v) {
    qToLittleEndian(v, b.data() + at);
}
void put32(QByteArray& b, int at, quint32 v) {
    qToLittleEndian(v, b.data() + at);
}

int sectorsFor(qsizetype bytes, int size) {
    return int((bytes + size - 1) / size);
}

// One 128-byte directory entry.
QByteArray directoryEntry(const QString& name, quint8 type, quint32 child, quint32 start,
                          quint32 size) {
    QByteArray e(128, '\0');
    for (qsizetype i = 0; i < name.size() && i < 31; ++i)
        put16(e, int(2 * i), name[i].unicode());
    put16(e, 64, quint16(name.isEmpty() ? 0 : 2 * (std::min<qsizetype>(name.size(), 31) + 1)));
    e[66] = char(type);
    e[67] = 1; // black in the red-black tree
    put32(e, 68, NoStream);
    put32(e, 72, NoStream);
    put32(e, 76, child);
    put32(e, 116, start);
    put32(e, 120, size);
    return e;
}

// Appends a chain of `count` sectors starting at `first` to the FAT.
void chain(std::vector<quint32>& fat, quint32 first, int count) {
    for (int i = 0; i < count; ++i)
        fat[first + i] = i + 1 < count ? first + i + 1 : EndOfChain;
}

// Where each part of a file holding one stream of `bytes` lies. After the
// header and the FAT: the directory, then the mini FAT and the mini
// stream's container, or the stream itself.
struct SectorLayout {
    bool mini = false;
    int miniSectors = 0;
    int miniFatSectors = 0;
    int dataSectors = 0;
    int fatSectors = 1;
    quint32 directory = 0;
    quint32 miniFat = 0;
    quint32 data = 0;
};

SectorLayout layoutFor(qsizetype bytes) {
    SectorLayout l;
    l.mini = bytes < MiniStreamCutoff;
    l.miniSectors = l.mini ? sectorsFor(bytes, MiniSectorSize) : 0;
    l.miniFatSectors = l.mini ? sectorsFor(l.miniSectors, EntriesPerSector) : 0;
    l.dataSectors = l.mini ? sectorsFor(qsizetype(l.miniSectors) * MiniSectorSize, SectorSize)
                           : sectorsFor(bytes, SectorSize);
    const int others = 1 + l.miniFatSectors + l.dataSectors;
    while (l.fatSectors * EntriesPerSector < l.fatSectors + others)
        ++l.fatSectors;
    l.directory = quint32(l.fatSectors);
    l.miniFat = l.directory + 1;
    l.data = l.miniFat + quint32(l.miniFatSectors);
    return l;
}

QByteArray headerSector(const SectorLayout& l) {
    QByteArray header(SectorSize, '\0');
    const char signature[] = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1";
    std::copy(signature, signature + 8, header.data());
    put16(header, 24, 0x003E); // minor version
    put16(header, 26, 0x0003); // major version: 512-byte sectors
    put16(header, 28, 0xFFFE); // little-endian
    put16(header, 30, 9);      // sector size 2^9
    put16(header, 32, 6);      // mini sector size 2^6
    put32(header, 44, quint32(l.fatSectors));
    put32(header, 48, l.directory);
    put32(header, 56, MiniStreamCutoff);
    put32(header, 60, l.mini ? l.miniFat : EndOfChain);
    put32(header, 64, quint32(l.miniFatSectors));
    put32(header, 68, EndOfChain); // no further FAT index sectors
    for (int i = 0; i < 109; ++i)
        put32(header, 76 + 4 * i, i < l.fatSectors ? quint32(i) : FreeSector);
    return header;
}

QByteArray fatSectors(const SectorLayout& l) {
    std::vector<quint32> fat(std::size_t(l.fatSectors) * EntriesPerSector, FreeSector);
    for (int i = 0; i < l.fatSectors; ++i)
        fat[std::size_t(i)] = FatSector;
    chain(fat, l.directory, 1);
    if (l.mini) chain(fat, l.miniFat, l.miniFatSectors);
    chain(fat, l.data, l.dataSectors);
    QByteArray bytes(l.fatSectors * SectorSize, '\0');
    for (std::size_t i = 0; i < fat.size(); ++i)
        put32(bytes, int(4 * i), fat[i]);
    return bytes;
}

QByteArray directorySector(const SectorLayout& l, const QString& streamName, qsizetype bytes) {
    QByteArray dir;
    dir += directoryEntry(QStringLiteral("Root Entry"), 5, 1, l.mini ? l.data : EndOfChain,
                          l.mini ? quint32(l.miniSectors * MiniSectorSize) : 0);
    dir += directoryEntry(streamName, 2, NoStream, l.mini ? 0 : l.data, quint32(bytes));
    dir += directoryEntry(QString(), 0, NoStream, 0, 0);
    dir += directoryEntry(QString(), 0, NoStream, 0, 0);
    return dir;
}

} // namespace

QByteArray compoundFileWithStream(const QString& streamName, const QByteArray& stream) {
    const SectorLayout l = layoutFor(stream.size());
    QByteArray file = headerSector(l);
    file.reserve(SectorSize * (l.fatSectors + 1 + l.miniFatSectors + l.dataSectors + 1));
    file += fatSectors(l);
    file += directorySector(l, streamName, stream.size());
    if (l.mini) {
        QByteArray miniFatBytes(l.miniFatSectors * SectorSize, '\xFF');
        for (int i = 0; i < l.miniSectors; ++i)
            put32(miniFatBytes, 4 * i, i + 1 < l.miniSectors ? quint32(i + 1) : EndOfChain);
        file += miniFatBytes;
    }
    QByteArray body = stream;
    body.append(QByteArray(l.dataSectors * SectorSize - stream.size(), '\0'));
    file += body;
    return file;
}

} // namespace kelmot
