#include "ZipWriter.h"

#include <QFile>
#include <array>

namespace {

quint32 crc32(const QByteArray &data)
{
    static const std::array<quint32, 256> table = [] {
        std::array<quint32, 256> t{};
        for (quint32 i = 0; i < 256; ++i) {
            quint32 c = i;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[i] = c;
        }
        return t;
    }();
    quint32 c = 0xFFFFFFFFu;
    for (const char ch : data)
        c = table[(c ^ quint8(ch)) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

void put16(QByteArray &b, quint32 v)
{
    b.append(char(v & 0xFF)).append(char((v >> 8) & 0xFF));
}

void put32(QByteArray &b, quint32 v)
{
    put16(b, v & 0xFFFF);
    put16(b, v >> 16);
}

// The fields a local and a central header share, from "version needed" to the name's length.
QByteArray common(const QByteArray &name, quint32 crc, quint32 packed, quint32 size, bool deflated,
                  bool encrypted)
{
    QByteArray b;
    put16(b, 20);                           // version needed
    put16(b, 0x0800 | (encrypted ? 1 : 0)); // names in UTF-8
    put16(b, deflated ? 8 : 0);
    put32(b, 0); // time and date
    put32(b, crc);
    put32(b, packed);
    put32(b, size);
    put16(b, quint32(name.size()));
    return b;
}

} // namespace

ZipWriter &ZipWriter::add(const QString &name, const QByteArray &data, bool deflate,
                          qint64 claimedSize)
{
    Entry e;
    e.name = name.toUtf8();
    e.crc = crc32(data);
    e.size = claimedSize >= 0 ? quint32(claimedSize) : quint32(data.size());
    e.deflated = deflate;
    if (deflate) {
        // qCompress gives a 4-byte length, a 2-byte zlib header, the deflate data and a 4-byte
        // checksum: the deflate data is what a zip holds.
        const QByteArray z = qCompress(data, 9);
        e.packed = z.mid(6, z.size() - 10);
    } else {
        e.packed = data;
    }
    entries_.append(e);
    return *this;
}

ZipWriter &ZipWriter::addAll(const QMap<QString, QByteArray> &parts)
{
    for (auto it = parts.cbegin(); it != parts.cend(); ++it)
        add(it.key(), it.value());
    return *this;
}

ZipWriter &ZipWriter::encryptLast()
{
    if (!entries_.isEmpty())
        entries_.last().encrypted = true;
    return *this;
}

QByteArray ZipWriter::bytes() const
{
    QByteArray out;
    QByteArray directory;
    for (const Entry &e : entries_) {
        const QByteArray fields =
            common(e.name, e.crc, quint32(e.packed.size()), e.size, e.deflated, e.encrypted);
        const quint32 offset = quint32(out.size());
        put32(out, 0x04034b50);
        out.append(fields);
        put16(out, 0); // extra field
        out.append(e.name).append(e.packed);

        put32(directory, 0x02014b50);
        put16(directory, 20); // made by
        directory.append(fields);
        put16(directory, 0); // extra field
        put16(directory, 0); // comment
        put16(directory, 0); // disk
        put16(directory, 0); // internal attributes
        put32(directory, 0); // external attributes
        put32(directory, offset);
        directory.append(e.name);
    }
    const quint32 directoryAt = quint32(out.size());
    out.append(directory);
    put32(out, 0x06054b50);
    put16(out, 0);
    put16(out, 0);
    put16(out, quint32(entries_.size()));
    put16(out, quint32(entries_.size()));
    put32(out, quint32(directory.size()));
    put32(out, directoryAt);
    put16(out, 0);
    return out;
}

bool ZipWriter::save(const QString &path) const
{
    QFile f(path);
    const QByteArray b = bytes();
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(b) == b.size();
}

QMap<QString, QByteArray> xlsxParts(const QByteArray &rows, const QByteArray &sst,
                                    const QByteArray &numFmts, const QByteArray &cellXfs)
{
    const QByteArray main = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
    const QByteArray rel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
    const QByteArray pkg = "http://schemas.openxmlformats.org/package/2006/relationships";
    QMap<QString, QByteArray> parts;
    parts["_rels/.rels"] = "<Relationships xmlns=\"" + pkg + "\"><Relationship Id=\"r1\" Type=\"" +
                           rel + "/officeDocument\" Target=\"xl/workbook.xml\"/></Relationships>";
    parts["xl/workbook.xml"] = "<workbook xmlns=\"" + main + "\" xmlns:r=\"" + rel +
                               "\"><sheets><sheet name=\"s\" sheetId=\"1\" r:id=\"r1\"/>"
                               "</sheets></workbook>";
    QByteArray rels = "<Relationships xmlns=\"" + pkg + "\"><Relationship Id=\"r1\" Type=\"" + rel +
                      "/worksheet\" Target=\"worksheets/sheet1.xml\"/>";
    if (!sst.isEmpty()) {
        rels += "<Relationship Id=\"r2\" Type=\"" + rel +
                "/sharedStrings\" Target=\"sharedStrings.xml\"/>";
        parts["xl/sharedStrings.xml"] = "<sst xmlns=\"" + main + "\">" + sst + "</sst>";
    }
    if (!numFmts.isEmpty() || !cellXfs.isEmpty()) {
        rels += "<Relationship Id=\"r3\" Type=\"" + rel + "/styles\" Target=\"styles.xml\"/>";
        parts["xl/styles.xml"] = "<styleSheet xmlns=\"" + main + "\"><numFmts>" + numFmts +
                                 "</numFmts><cellXfs>" + cellXfs + "</cellXfs></styleSheet>";
    }
    parts["xl/_rels/workbook.xml.rels"] = rels + "</Relationships>";
    parts["xl/worksheets/sheet1.xml"] =
        "<worksheet xmlns=\"" + main + "\"><sheetData>" + rows + "</sheetData></worksheet>";
    return parts;
}

QByteArray inlineTextCell(int row, int col, const QString &text)
{
    QByteArray ref;
    for (int c = col; c > 0; c = (c - 1) / 26)
        ref.prepend(char('A' + (c - 1) % 26));
    QString xml;
    for (const QChar ch : text) {
        const char16_t u = ch.unicode();
        if (u == u'&')
            xml += QStringLiteral("&amp;");
        else if (u == u'<')
            xml += QStringLiteral("&lt;");
        else if (u == u'>')
            xml += QStringLiteral("&gt;");
        else if (u < 0x20 || u == u'_' || ch.isSurrogate() || u >= 0xFFFE)
            xml += QStringLiteral("_x") +
                   QString::number(uint(u), 16).toUpper().rightJustified(4, u'0') + u'_';
        else
            xml += ch;
    }
    return "<c r=\"" + ref + QByteArray::number(row) +
           "\" t=\"inlineStr\"><is><t xml:space=\"preserve\">" + xml.toUtf8() + "</t></is></c>";
}
