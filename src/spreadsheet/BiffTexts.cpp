#include "spreadsheet/BiffTexts.h"

#include <QList>
#include <algorithm>
#include <functional>
#include <optional>

namespace spreadsheet {

namespace {

constexpr quint32 kEndOfChain = 0xFFFFFFFE;
constexpr quint32 kNoStream = 0xFFFFFFFF;
constexpr int kHeaderDifatEntries = 109;

// Record types of the BIFF8 workbook stream.
constexpr quint16 kBof = 0x0809;
constexpr quint16 kEof = 0x000A;
constexpr quint16 kBoundSheet = 0x0085;
constexpr quint16 kSst = 0x00FC;
constexpr quint16 kContinue = 0x003C;
constexpr quint16 kLabelSst = 0x00FD;
constexpr quint16 kLabel = 0x0204;
constexpr quint16 kRString = 0x00D6;
constexpr quint16 kBiff8 = 0x0600;

// The bytes from..from+n of b, as far as b reaches (n < 0: to the end).
QByteArrayView part(QByteArrayView b, qsizetype from, qsizetype n = -1)
{
    from = std::clamp<qsizetype>(from, 0, b.size());
    const qsizetype left = b.size() - from;
    return b.sliced(from, n < 0 ? left : std::min(n, left));
}

std::optional<quint32> le(QByteArrayView b, qsizetype at, int size)
{
    if (at < 0 || size <= 0 || at + size > b.size())
        return std::nullopt;
    quint32 v = 0;
    for (int i = size - 1; i >= 0; --i)
        v = (v << 8) | static_cast<quint8>(b[at + i]);
    return v;
}

// The streams of a compound file (the container of every .xls): sectors chained through a
// file allocation table, small streams kept in a mini stream of 64-byte sectors.
class CompoundFile {
public:
    explicit CompoundFile(const QByteArray &file) : file_(file)
    {
        if (readHeader())
            dir_ = chain(fat_, firstDirSector_, sectorSize_, regularSector());
    }

    // The directory entry of the named stream of the root storage; empty when absent.
    QByteArrayView streamEntry(const QString &name) const
    {
        for (qsizetype at = 0; at + 128 <= dir_.size(); at += 128) {
            const QByteArrayView entry = part(dir_, at, 128);
            const quint32 nameBytes = le(entry, 64, 2).value_or(0);
            if (nameBytes < 2 || nameBytes > 64 || entry[66] != 2) // 2: a stream
                continue;
            QString entryName;
            for (quint32 i = 0; i + 2 < nameBytes; i += 2)
                entryName += QChar(char16_t(le(entry, i, 2).value_or(0)));
            if (entryName == name)
                return entry;
        }
        return {};
    }

    // The named stream of the root storage; empty when absent or unreadable.
    QByteArray stream(const QString &name) const
    {
        const QByteArrayView entry = streamEntry(name);
        if (entry.isEmpty())
            return {};
        const quint32 start = le(entry, 116, 4).value_or(kEndOfChain);
        const quint32 size = le(entry, 120, 4).value_or(0);
        const QByteArray data = size < miniCutoff_
                                    ? miniStreamData(start)
                                    : chain(fat_, start, sectorSize_, regularSector());
        return data.left(size);
    }

private:
    using SectorReader = std::function<QByteArrayView(quint32)>;

    SectorReader regularSector() const
    {
        return [this](quint32 s) -> QByteArrayView {
            const qint64 at = (qint64(s) + 1) * sectorSize_;
            if (at + sectorSize_ > file_.size())
                return {};
            return part(file_, at, sectorSize_);
        };
    }

    bool readHeader()
    {
        static const char signature[] = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1";
        if (file_.size() < 512 || !file_.startsWith(QByteArrayView(signature, 8)))
            return false;
        const quint32 shift = le(file_, 0x1E, 2).value_or(0);
        if (shift != 9 && shift != 12)
            return false;
        sectorSize_ = 1 << shift;
        const quint32 fatSectors = le(file_, 0x2C, 4).value_or(0);
        firstDirSector_ = le(file_, 0x30, 4).value_or(kEndOfChain);
        miniCutoff_ = le(file_, 0x38, 4).value_or(4096);
        firstMiniFatSector_ = le(file_, 0x3C, 4).value_or(kEndOfChain);
        quint32 difatSector = le(file_, 0x44, 4).value_or(kEndOfChain);
        const qint64 sectors = file_.size() / sectorSize_;
        if (fatSectors > sectors)
            return false;

        // The sectors holding the allocation table: 109 in the header, the rest in a chain.
        QList<quint32> fatSectorList;
        for (int i = 0; i < kHeaderDifatEntries && quint32(fatSectorList.size()) < fatSectors; ++i)
            fatSectorList.append(le(file_, 0x4C + 4 * i, 4).value_or(kNoStream));
        const auto sector = regularSector();
        for (qint64 guard = 0; quint32(fatSectorList.size()) < fatSectors &&
                               difatSector < kEndOfChain && guard < sectors;
             ++guard) {
            const QByteArrayView d = sector(difatSector);
            if (d.isEmpty())
                return false;
            const int perSector = sectorSize_ / 4 - 1;
            for (int i = 0; i < perSector && quint32(fatSectorList.size()) < fatSectors; ++i)
                fatSectorList.append(le(d, 4 * i, 4).value_or(kNoStream));
            difatSector = le(d, 4 * perSector, 4).value_or(kEndOfChain);
        }
        for (const quint32 s : fatSectorList) {
            const QByteArrayView d = sector(s);
            if (d.isEmpty())
                return false;
            for (qsizetype i = 0; i + 4 <= d.size(); i += 4)
                fat_.append(le(d, i, 4).value_or(kEndOfChain));
        }
        return true;
    }

    // The sectors of a chain from start, joined; a chain that loops or leaves the table ends
    // there.
    static QByteArray chain(const QList<quint32> &table, quint32 start, int sectorSize,
                            const SectorReader &sector)
    {
        QByteArray out;
        quint32 s = start;
        for (qsizetype guard = 0;
             s < kEndOfChain && s < quint32(table.size()) && guard < table.size(); ++guard) {
            const QByteArrayView d = sector(s);
            if (d.size() != sectorSize)
                break;
            out.append(d);
            s = table.at(s);
        }
        return out;
    }

    QByteArray miniStreamData(quint32 start) const
    {
        // The mini stream is the root entry's own stream; the mini table has its own chain.
        if (dir_.size() < 128 || dir_[66] != 5) // 5: the root storage
            return {};
        const QByteArray mini =
            chain(fat_, le(dir_, 116, 4).value_or(kEndOfChain), sectorSize_, regularSector());
        const QByteArray miniFatBytes =
            chain(fat_, firstMiniFatSector_, sectorSize_, regularSector());
        QList<quint32> miniFat;
        for (qsizetype i = 0; i + 4 <= miniFatBytes.size(); i += 4)
            miniFat.append(le(miniFatBytes, i, 4).value_or(kEndOfChain));
        constexpr int miniSize = 64;
        return chain(miniFat, start, miniSize, [&mini](quint32 s) -> QByteArrayView {
            const qint64 at = qint64(s) * miniSize;
            if (at + miniSize > mini.size())
                return {};
            return part(mini, at, miniSize);
        });
    }

    const QByteArray &file_;
    QByteArray dir_; // the directory stream: 128-byte entries, the root storage first
    int sectorSize_ = 512;
    quint32 firstDirSector_ = kEndOfChain;
    quint32 miniCutoff_ = 4096;
    quint32 firstMiniFatSector_ = kEndOfChain;
    QList<quint32> fat_;
};

struct Record {
    quint16 type = 0;
    QByteArrayView data;
};

// The records of a workbook stream from an offset, one at a time.
class Records {
public:
    Records(QByteArrayView stream, qsizetype from) : stream_(stream), at_(from) {}

    bool next(Record &r)
    {
        const auto type = le(stream_, at_, 2);
        const auto size = le(stream_, at_ + 2, 2);
        if (!type || !size || at_ + 4 + *size > stream_.size() || (*type == 0 && *size == 0))
            return false;
        r.type = quint16(*type);
        r.data = part(stream_, at_ + 4, *size);
        at_ += 4 + *size;
        return true;
    }

    // The next record, without moving past it.
    std::optional<Record> peek() const
    {
        Records copy = *this;
        Record r;
        if (!copy.next(r))
            return std::nullopt;
        return r;
    }

private:
    QByteArrayView stream_;
    qsizetype at_;
};

// Reads across a record and its CONTINUE records. Where a string's characters go on in the
// next record, that record starts with a fresh option byte: 1 for two-byte characters.
class Pieces {
public:
    explicit Pieces(QList<QByteArrayView> parts) : parts_(std::move(parts)) {}

    bool byte(quint8 &b)
    {
        if (!toData())
            return false;
        b = static_cast<quint8>(parts_[part_][at_++]);
        return true;
    }

    bool number(quint32 &v, int size)
    {
        v = 0;
        for (int i = 0; i < size; ++i) {
            quint8 b = 0;
            if (!byte(b))
                return false;
            v |= quint32(b) << (8 * i);
        }
        return true;
    }

    bool skip(qint64 n)
    {
        quint8 b = 0;
        for (qint64 i = 0; i < n; ++i) {
            if (!byte(b))
                return false;
        }
        return true;
    }

    // cch characters, one or two bytes each as wide says, the option byte of a new part
    // deciding again.
    bool characters(quint32 cch, bool wide, QString &out)
    {
        out.reserve(cch);
        for (quint32 i = 0; i < cch; ++i) {
            if (at_ >= parts_.value(part_).size()) {
                ++part_;
                at_ = 0;
                quint8 flags = 0;
                if (!byte(flags))
                    return false;
                wide = flags & 0x01;
            }
            quint32 unit = 0;
            if (!numberInPart(unit, wide ? 2 : 1))
                return false;
            out.append(QChar(char16_t(unit)));
        }
        return true;
    }

private:
    bool toData()
    {
        while (part_ < parts_.size() && at_ >= parts_[part_].size()) {
            ++part_;
            at_ = 0;
        }
        return part_ < parts_.size();
    }

    // A character never spans two records.
    bool numberInPart(quint32 &v, int size)
    {
        const auto value = le(parts_.value(part_), at_, size);
        if (!value)
            return false;
        v = *value;
        at_ += size;
        return true;
    }

    QList<QByteArrayView> parts_;
    qsizetype part_ = 0;
    qsizetype at_ = 0;
};

// One unicode string: character count (one or two bytes), option byte, optional run count and
// phonetic size, the characters, then the runs and phonetic data, which are skipped.
bool readString(Pieces &p, int countSize, QString &out)
{
    quint32 cch = 0;
    quint8 flags = 0;
    if (!p.number(cch, countSize) || !p.byte(flags))
        return false;
    quint32 runs = 0;
    quint32 phonetic = 0;
    if ((flags & 0x08) && !p.number(runs, 2))
        return false;
    if ((flags & 0x04) && !p.number(phonetic, 4))
        return false;
    return p.characters(cch, flags & 0x01, out) && p.skip(qint64(runs) * 4) && p.skip(phonetic);
}

bool holdsNul(const QString &s)
{
    return s.contains(QChar(u'\0'));
}

} // namespace

bool compoundHasStream(const QByteArray &file, const QString &name)
{
    return !CompoundFile(file).streamEntry(name).isEmpty();
}

CellTexts biffTextsWithNul(const QByteArray &file)
{
    CellTexts out;
    const CompoundFile compound(file);
    const QByteArray stream = compound.stream(QStringLiteral("Workbook"));
    if (stream.isEmpty())
        return out;

    Records globals(stream, 0);
    Record r;
    if (!globals.next(r) || r.type != kBof || le(r.data, 0, 2).value_or(0) != kBiff8)
        return out;

    QHash<quint32, QString> shared; // only the shared strings that hold a NUL
    std::optional<qsizetype> firstSheet;
    while (globals.next(r) && r.type != kEof) {
        if (r.type == kBoundSheet && !firstSheet) {
            firstSheet = le(r.data, 0, 4).value_or(0);
        } else if (r.type == kSst) {
            QList<QByteArrayView> parts{part(r.data, 8)};
            while (globals.peek() && globals.peek()->type == kContinue) {
                globals.next(r);
                parts.append(r.data);
            }
            Pieces p(parts);
            QString text;
            for (quint32 i = 0; readString(p, 2, text); ++i, text.clear()) {
                if (holdsNul(text))
                    shared.insert(i, text);
            }
        }
    }
    if (!firstSheet)
        return out;

    Records sheet(stream, *firstSheet);
    if (!sheet.next(r) || r.type != kBof)
        return out;
    while (sheet.next(r) && r.type != kEof) {
        const auto row = le(r.data, 0, 2);
        const auto col = le(r.data, 2, 2);
        if (!row || !col)
            continue;
        const std::pair<int, int> at{int(*row), int(*col)};
        if (r.type == kLabelSst) {
            const auto index = le(r.data, 6, 4);
            if (index && shared.contains(*index))
                out.insert(at, shared.value(*index));
        } else if (r.type == kLabel || r.type == kRString) {
            Pieces p(QList<QByteArrayView>{part(r.data, 6)});
            QString text;
            if (readString(p, 2, text) && holdsNul(text))
                out.insert(at, text);
        }
    }
    return out;
}

} // namespace spreadsheet
