#include "spreadsheet/XlsxParts.h"

#include "spreadsheet/Workbook.h"
#include "spreadsheet/ZipPackage.h"

#include <QHash>
#include <QUrl>
#include <QXmlStreamReader>

namespace spreadsheet {

namespace {

// More strings than a sheet has cells: a file made to fill the memory.
constexpr qsizetype MaxSharedStrings = qsizetype(1) << 24;

struct Relationship {
    QString type;   // ends in /worksheet, /sharedStrings, ...
    QString target; // the part it names, resolved to a name in the package
};

// The part name a relationship target stands for, seen from the part source; empty when it
// leads outside the package.
QString resolvePart(const QString &source, const QString &target)
{
    const QString t = QUrl::fromPercentEncoding(target.toUtf8());
    QStringList parts;
    if (!t.startsWith(u'/')) {
        parts = source.split(u'/');
        parts.removeLast(); // the source's own name
    }
    for (const QString &segment : t.split(u'/')) {
        if (segment.isEmpty() || segment == u".")
            continue;
        if (segment == u"..") {
            if (parts.isEmpty())
                return {};
            parts.removeLast();
        } else {
            parts.append(segment);
        }
    }
    return parts.join(u'/');
}

// The relationships of the part source ("" for the package itself), by id.
QHash<QString, Relationship> readRelationships(ZipPackage &package, const QString &source)
{
    const qsizetype slash = source.lastIndexOf(u'/');
    const QString rels = source.left(slash + 1) + QStringLiteral("_rels/") + source.mid(slash + 1) +
                         QStringLiteral(".rels");
    QHash<QString, Relationship> out;
    if (!package.has(rels))
        return out;
    XmlPart part(package, rels);
    part.enterRoot(u"Relationships");
    QXmlStreamReader &x = part.xml;
    while (x.readNextStartElement()) {
        const QXmlStreamAttributes a = x.attributes();
        if (x.name() == u"Relationship" && a.value(QLatin1String("TargetMode")) != u"External") {
            out.insert(a.value(QLatin1String("Id")).toString(),
                       {a.value(QLatin1String("Type")).toString(),
                        resolvePart(source, a.value(QLatin1String("Target")).toString())});
        }
        x.skipCurrentElement();
    }
    part.finish();
    return out;
}

// The first relationship of a kind; its target, or empty.
QString targetOfType(const QHash<QString, Relationship> &rels, QStringView kind)
{
    for (const Relationship &r : rels) {
        if (r.type.endsWith(kind))
            return r.target;
    }
    return {};
}

// The relationship id of a sheet element: the id attribute in the relationships namespace.
QString relationshipId(const QXmlStreamAttributes &attributes)
{
    for (const QXmlStreamAttribute &a : attributes) {
        if (a.name() == u"id" && !a.namespaceUri().isEmpty())
            return a.value().toString();
    }
    return {};
}

bool isTrue(QStringView value)
{
    return value == u"1" || value == u"true";
}

// The workbook part: its date system and the relationship ids of its sheets, in order.
QStringList readWorkbook(ZipPackage &package, const QString &name, XlsxBook &book)
{
    QStringList sheetIds;
    XmlPart part(package, name);
    part.enterRoot(u"workbook");
    QXmlStreamReader &x = part.xml;
    while (x.readNextStartElement()) {
        if (x.name() == u"workbookPr") {
            book.date1904 = isTrue(x.attributes().value(QLatin1String("date1904")));
            x.skipCurrentElement();
        } else if (x.name() == u"sheets") {
            while (x.readNextStartElement()) {
                if (x.name() == u"sheet")
                    sheetIds.append(relationshipId(x.attributes()));
                x.skipCurrentElement();
            }
        } else {
            x.skipCurrentElement();
        }
    }
    part.finish();
    return sheetIds;
}

// The format numbers of the cell styles, and the date kind of each format the workbook defines.
void readStyleParts(XmlPart &part, QList<int> &styleFormats, QHash<int, DateKind> &formats)
{
    QXmlStreamReader &x = part.xml;
    while (x.readNextStartElement()) {
        const bool numFmts = x.name() == u"numFmts";
        if (!numFmts && x.name() != u"cellXfs") {
            x.skipCurrentElement();
            continue;
        }
        while (x.readNextStartElement()) {
            const QXmlStreamAttributes a = x.attributes();
            const int id = a.value(QLatin1String("numFmtId")).toInt();
            if (numFmts && x.name() == u"numFmt")
                formats.insert(id, formatDateKind(a.value(QLatin1String("formatCode"))));
            else if (!numFmts && x.name() == u"xf")
                styleFormats.append(id);
            x.skipCurrentElement();
        }
    }
}

bool hexDigits(QStringView s)
{
    for (const QChar c : s) {
        if (!c.isDigit() && !(c >= u'a' && c <= u'f') && !(c >= u'A' && c <= u'F'))
            return false;
    }
    return true;
}

} // namespace

XlsxBook readXlsxBook(ZipPackage &package)
{
    QString main = targetOfType(readRelationships(package, QString()), u"/officeDocument");
    if (main.isEmpty())
        main = QStringLiteral("xl/workbook.xml"); // a package without its relationships
    if (!package.has(main))
        throw Error(damagedMessage(package.path()));
    XlsxBook book;
    const QStringList sheetIds = readWorkbook(package, main, book);
    const QHash<QString, Relationship> rels = readRelationships(package, main);
    for (const QString &id : sheetIds) {
        const auto rel = rels.constFind(id);
        if (rel == rels.cend() || rel->target.isEmpty())
            throw Error(damagedMessage(package.path()));
        // A chart sheet comes before the first worksheet in the order, not in its place.
        if (rel->type.endsWith(u"/worksheet")) {
            book.sheetPart = rel->target;
            break;
        }
    }
    if (book.sheetPart.isEmpty())
        throw Error(noSheetMessage(package.path()));
    book.sharedStringsPart = targetOfType(rels, u"/sharedStrings");
    book.stylesPart = targetOfType(rels, u"/styles");
    return book;
}

QList<DateKind> readCellStyles(ZipPackage &package, const QString &part)
{
    QList<int> styleFormats;
    QHash<int, DateKind> formats;
    XmlPart styles(package, part);
    styles.enterRoot(u"styleSheet");
    readStyleParts(styles, styleFormats, formats);
    styles.finish();
    // The built-in date formats first, as the .xls reader takes them.
    QList<DateKind> kinds;
    kinds.reserve(styleFormats.size());
    for (const int id : styleFormats) {
        const DateKind builtIn = builtInDateKind(id);
        kinds.append(builtIn != DateKind::None ? builtIn : formats.value(id, DateKind::None));
    }
    return kinds;
}

QStringList readSharedStrings(ZipPackage &package, const QString &part)
{
    QStringList strings;
    XmlPart sst(package, part);
    sst.enterRoot(u"sst");
    QXmlStreamReader &x = sst.xml;
    while (x.readNextStartElement()) {
        if (x.name() != u"si") {
            x.skipCurrentElement();
            continue;
        }
        QString text;
        if (!storedText(richText(x), text))
            throw Error(damagedMessage(package.path()));
        if (strings.size() == MaxSharedStrings)
            throw Error(tooLargeMessage(package.path()));
        strings.append(text);
    }
    sst.finish();
    return strings;
}

QString richText(QXmlStreamReader &xml)
{
    QString text;
    while (xml.readNextStartElement()) {
        if (xml.name() == u"t") {
            text += xml.readElementText();
        } else if (xml.name() == u"r") {
            while (xml.readNextStartElement()) {
                if (xml.name() == u"t")
                    text += xml.readElementText();
                else
                    xml.skipCurrentElement(); // the run's font
            }
        } else {
            xml.skipCurrentElement(); // phonetic guides
        }
    }
    return text;
}

bool storedText(QStringView raw, QString &out)
{
    out.clear();
    out.reserve(raw.size());
    for (qsizetype i = 0; i < raw.size(); ++i) {
        if (raw[i] == u'_' && i + 6 < raw.size() && raw[i + 1] == u'x' && raw[i + 6] == u'_' &&
            hexDigits(raw.sliced(i + 2, 4))) {
            out.append(QChar(char16_t(raw.sliced(i + 2, 4).toUShort(nullptr, 16))));
            i += 6;
        } else {
            out.append(raw[i]);
        }
    }
    out.remove(QChar(u'\0'));
    for (qsizetype i = 0; i < out.size(); ++i) {
        if (out[i].isHighSurrogate() && i + 1 < out.size() && out[i + 1].isLowSurrogate())
            ++i;
        else if (out[i].isSurrogate())
            return false;
    }
    return true;
}

} // namespace spreadsheet
