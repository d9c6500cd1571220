#include "XlsWriter.h"

#include <QFile>
#include <QList>
#include <algorithm>
#include <cstring>

namespace {

constexpr int kSector = 512;
constexpr quint32 kEndOfChain = 0xFFFFFFFE;
constexpr quint32 kFatSector = 0xFFFFFFFD;
constexpr quint32 kFree = 0xFFFFFFFF;
constexpr int kMaxRecord = 8224;

void put16(QByteArray &b, quint32 v)
{
    b.append(char(v & 0xFF)).append(char((v >> 8) & 0xFF));
}

void put32(QByteArray &b, quint32 v)
{
    put16(b, v & 0xFFFF);
    put16(b, v >> 16);
}

void set32(QByteArray &b, qsizetype at, quint32 v)
{
    for (int i = 0; i < 4; ++i)
        b[at + i] = char((v >> (8 * i)) & 0xFF);
}

void record(QByteArray &stream, quint16 type, const QByteArray &data)
{
    put16(stream, type);
    put16(stream, quint32(data.size()));
    stream.append(data);
}

QByteArray bof(quint16 kind)
{
    QByteArray d;
    put16(d, 0x0600); // BIFF8
    put16(d, kind);   // 0x0005 workbook globals, 0x0010 worksheet
    put16(d, 0x0DBB);
    put16(d, 0x07CC);
    put32(d, 0);
    put32(d, 0x06);
    return d;
}

QByteArray xf(quint16 format)
{
    QByteArray d;
    put16(d, 0); // font
    put16(d, format);
    put16(d, 0x0001); // cell xf, locked
    d.append(QByteArray(14, '\0'));
    return d;
}

// The shared-string table as its SST record and CONTINUE records. A string's characters that
// do not fit go on in the next record after a fresh option byte.
QList<QByteArray> sstRecords(const QList<QString> &strings)
{
    QList<QByteArray> out;
    QByteArray current;
    put32(current, quint32(strings.size()));
    put32(current, quint32(strings.size()));
    auto startNext = [&]() {
        out.append(current);
        current.clear();
    };
    for (const QString &s : strings) {
        if (kMaxRecord - current.size() < 5) // header and at least one character
            startNext();
        put16(current, quint32(s.size()));
        current.append(char(0x01)); // two-byte characters
        for (const QChar c : s) {
            if (kMaxRecord - current.size() < 2) {
                startNext();
                current.append(char(0x01));
            }
            put16(current, c.unicode());
        }
    }
    out.append(current);
    return out;
}

} // namespace

XlsWriter &XlsWriter::text(int row, int col, const QString &text)
{
    if (text.isEmpty())
        cells_.remove({row, col});
    else
        cells_.insert({row, col}, Cell{Cell::Text, text, 0});
    return *this;
}

XlsWriter &XlsWriter::number(int row, int col, double value)
{
    cells_.insert({row, col}, Cell{Cell::Number, {}, value});
    return *this;
}

XlsWriter &XlsWriter::date(int row, int col, double serial)
{
    cells_.insert({row, col}, Cell{Cell::Date, {}, serial});
    return *this;
}

QByteArray XlsWriter::bytes() const
{
    int lastRow = 0;
    int lastCol = 0;
    QList<QString> strings;
    QByteArray cellRecords;
    for (auto it = cells_.cbegin(); it != cells_.cend(); ++it) {
        const int r = it.key().first - 1;
        const int c = it.key().second - 1;
        lastRow = std::max(lastRow, r + 1);
        lastCol = std::max(lastCol, c + 1);
        QByteArray d;
        put16(d, quint32(r));
        put16(d, quint32(c));
        if (it->kind == Cell::Text) {
            put16(d, 0);
            put32(d, quint32(strings.size()));
            strings.append(it->text);
            record(cellRecords, 0x00FD, d); // LABELSST
        } else {
            put16(d, it->kind == Cell::Date ? 1 : 0);
            const double v = it->value;
            quint64 bits = 0;
            std::memcpy(&bits, &v, sizeof bits);
            put32(d, quint32(bits & 0xFFFFFFFF));
            put32(d, quint32(bits >> 32));
            record(cellRecords, 0x0203, d); // NUMBER
        }
    }

    // Globals: BOF, code page (UTF-16), date system, the two cell formats, the sheet, strings.
    QByteArray sheetName;
    sheetName.append(char(6)).append(char(0)).append("Sheet1");
    QByteArray globals;
    record(globals, 0x0809, bof(0x0005));
    QByteArray cp;
    put16(cp, 1200);
    record(globals, 0x0042, cp);
    QByteArray dm;
    put16(dm, 0);
    record(globals, 0x0022, dm);
    record(globals, 0x00E0, xf(0));  // xf 0: general
    record(globals, 0x00E0, xf(14)); // xf 1: d/m/yyyy
    const qsizetype boundSheetAt = globals.size();
    QByteArray bs;
    put32(bs, 0); // the sheet's offset, set below
    bs.append(char(0)).append(char(0));
    bs.append(sheetName);
    record(globals, 0x0085, bs);
    if (!strings.isEmpty()) {
        const QList<QByteArray> sst = sstRecords(strings);
        record(globals, 0x00FC, sst.first());
        for (qsizetype i = 1; i < sst.size(); ++i)
            record(globals, 0x003C, sst[i]);
    }
    record(globals, 0x000A, {});
    set32(globals, boundSheetAt + 4, quint32(globals.size()));

    QByteArray stream = globals;
    record(stream, 0x0809, bof(0x0010));
    QByteArray dim;
    put32(dim, 0);
    put32(dim, quint32(lastRow));
    put16(dim, 0);
    put16(dim, quint32(lastCol));
    put16(dim, 0);
    record(stream, 0x0200, dim);
    stream.append(cellRecords);
    record(stream, 0x000A, {});
    // Above the mini-stream cut-off, so the stream lives in ordinary sectors.
    if (stream.size() <= 4096)
        stream.append(QByteArray(4097 - stream.size(), '\0'));
    const quint32 streamSize = quint32(stream.size());
    stream.append(QByteArray((kSector - stream.size() % kSector) % kSector, '\0'));

    // Sectors: the stream, one directory sector, then the allocation table.
    const quint32 streamSectors = quint32(stream.size() / kSector);
    quint32 fatSectors = 1;
    while ((streamSectors + 1 + fatSectors) > fatSectors * (kSector / 4))
        ++fatSectors;
    const quint32 dirSector = streamSectors;
    const quint32 firstFat = dirSector + 1;

    QByteArray dir(kSector, '\0');
    auto entry = [&dir](int i, const QString &name, quint8 type, quint32 child, quint32 start,
                        quint32 size) {
        const qsizetype at = i * 128;
        for (qsizetype k = 0; k < name.size(); ++k) {
            dir[at + 2 * k] = char(name[k].unicode() & 0xFF);
            dir[at + 2 * k + 1] = char(name[k].unicode() >> 8);
        }
        dir[at + 64] = char((name.size() + 1) * 2);
        dir[at + 66] = char(type);
        dir[at + 67] = char(1); // black
        set32(dir, at + 68, kFree);
        set32(dir, at + 72, kFree);
        set32(dir, at + 76, child);
        set32(dir, at + 116, start);
        set32(dir, at + 120, size);
    };
    entry(0, QStringLiteral("Root Entry"), 5, 1, kEndOfChain, 0);
    entry(1, QStringLiteral("Workbook"), 2, kFree, 0, streamSize);
    for (int i = 2; i < 4; ++i) {
        set32(dir, i * 128 + 68, kFree);
        set32(dir, i * 128 + 72, kFree);
        set32(dir, i * 128 + 76, kFree);
    }

    QByteArray fat;
    for (quint32 s = 0; s < streamSectors; ++s)
        put32(fat, s + 1 < streamSectors ? s + 1 : kEndOfChain);
    put32(fat, kEndOfChain); // directory
    for (quint32 s = 0; s < fatSectors; ++s)
        put32(fat, kFatSector);
    fat.append(QByteArray(qsizetype(fatSectors) * kSector - fat.size(), char(0xFF)));

    QByteArray header(kSector, '\0');
    const char signature[] = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1";
    std::memcpy(header.data(), signature, 8);
    header[0x18] = char(0x3E);
    header[0x1A] = char(0x03);
    header[0x1C] = char(0xFE);
    header[0x1D] = char(0xFF);
    header[0x1E] = char(9);
    header[0x20] = char(6);
    set32(header, 0x2C, fatSectors);
    set32(header, 0x30, dirSector);
    set32(header, 0x38, 4096);
    set32(header, 0x3C, kEndOfChain);
    set32(header, 0x44, kEndOfChain);
    for (int i = 0; i < 109; ++i)
        set32(header, 0x4C + 4 * i, quint32(i) < fatSectors ? firstFat + quint32(i) : kFree);

    return header + stream + dir + fat;
}

bool XlsWriter::save(const QString &path) const
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    const QByteArray b = bytes();
    return f.write(b) == b.size();
}
