#include "spreadsheet/XlsxReader.h"

#include "spreadsheet/SheetTransport.h"
#include "spreadsheet/XlsxParts.h"
#include "spreadsheet/ZipPackage.h"

#include <QDateTime>
#include <QXmlStreamReader>
#include <cmath>

namespace spreadsheet {

namespace {

// The largest sheet a workbook holds.
constexpr int MaxRows = 1 << 20;
constexpr int MaxCols = 1 << 14;
// The used area the .xls reader takes at most, walked cell by cell on the way to the program;
// and the cells held, each a text in memory.
constexpr qint64 MaxArea = qint64(1) << 24;
constexpr qsizetype MaxCells = qsizetype(1) << 22;

// What the cells of the sheet need from the rest of the workbook.
struct Book {
    QString path;
    QStringList strings;
    QList<DateKind> styles;
    bool date1904 = false;
};

// A c element as written: its type, style and value or inline text.
struct RawCell {
    QStringView type;
    int style = 0;
    QString value;
    QString inlineText;
    bool hasInline = false;
};

[[noreturn]] void damaged(const Book &book)
{
    throw Error(damagedMessage(book.path));
}

// "C7" to row 7, column 3; false for anything else or past the largest sheet.
bool cellReference(QStringView ref, int &row, int &col)
{
    qsizetype i = 0;
    int c = 0;
    for (; i < ref.size() && i < 3 && ref[i].isLetter() && ref[i].unicode() < 128; ++i)
        c = c * 26 + (ref[i].toUpper().unicode() - u'A' + 1);
    if (i == 0 || c > MaxCols)
        return false;
    const QStringView digits = ref.sliced(i);
    bool ok = false;
    const int r = digits.toInt(&ok);
    if (!ok || digits.isEmpty() || !digits[0].isDigit() || r < 1 || r > MaxRows)
        return false;
    row = r;
    col = c;
    return true;
}

// A date cell written as ISO 8601 text (the d type), in the form of dateCellText.
QString isoDateText(const QString &value)
{
    const QString v = value.trimmed();
    const QDateTime moment = QDateTime::fromString(v, Qt::ISODate);
    if (moment.isValid() && v.contains(u'T'))
        return dateCellText(moment.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")));
    const QDate day = QDate::fromString(v, Qt::ISODate);
    if (day.isValid())
        return dateCellText(day.toString(QStringLiteral("yyyy-MM-dd")));
    const QTime time = QTime::fromString(v, Qt::ISODate);
    if (time.isValid())
        return dateCellText(time.toString(QStringLiteral("hh:mm:ss")));
    return value;
}

QString numberCellText(const RawCell &c, const Book &book)
{
    const QString v = c.value.trimmed();
    if (v.isEmpty())
        return {};
    bool ok = false;
    const double number = v.toDouble(&ok);
    if (!ok || !std::isfinite(number))
        damaged(book);
    const DateKind kind =
        c.style >= 0 && c.style < book.styles.size() ? book.styles[c.style] : DateKind::None;
    return kind == DateKind::None ? numberText(number)
                                  : serialDateText(number, kind, book.date1904);
}

// The cell's text, as the .xls reader gives the same cell: booleans as 1 and 0, an error
// value as an empty cell; a formula's last result stands for it.
QString cellText(const RawCell &c, const Book &book)
{
    QString text;
    if (c.type.isEmpty() || c.type == u"n")
        return numberCellText(c, book);
    if (c.type == u"s") {
        const QString v = c.value.trimmed();
        if (v.isEmpty())
            return {};
        bool ok = false;
        const qsizetype index = v.toLongLong(&ok);
        if (!ok || index < 0 || index >= book.strings.size())
            damaged(book);
        return book.strings[index];
    }
    if (c.type == u"str" || c.type == u"inlineStr") {
        if (!storedText(c.hasInline ? c.inlineText : c.value, text))
            damaged(book);
        return text;
    }
    if (c.type == u"b") {
        const QString v = c.value.trimmed();
        if (v.isEmpty())
            return {};
        if (v == u"true" || v == u"false")
            return v == u"true" ? QStringLiteral("1") : QStringLiteral("0");
        bool ok = false;
        const double number = v.toDouble(&ok);
        if (!ok)
            damaged(book);
        return number != 0 ? QStringLiteral("1") : QStringLiteral("0");
    }
    if (c.type == u"e")
        return {};
    if (c.type == u"d")
        return isoDateText(c.value);
    damaged(book);
}

// The cells of the sheet with text, and the used size they make.
class Cells {
public:
    explicit Cells(const Book &book) : book_(book) {}

    void set(int row, int col, QString text)
    {
        if (text.isEmpty())
            return;
        rows_ = std::max(rows_, row);
        cols_ = std::max(cols_, col);
        cells_.insert({row, col}, std::move(text));
        if (qint64(rows_) * cols_ > MaxArea || cells_.size() > MaxCells)
            throw Error(tooLargeMessage(book_.path));
    }

    std::unique_ptr<WorkbookReader> sheet()
    {
        return std::make_unique<SheetTexts>(rows_, cols_, std::move(cells_));
    }

private:
    const Book &book_;
    int rows_ = 0;
    int cols_ = 0;
    SheetTexts::Cells cells_;
};

// One c element; a cell without a reference follows the one before it in the row.
void readCell(QXmlStreamReader &x, const Book &book, int row, int &col, Cells &cells)
{
    const QXmlStreamAttributes a = x.attributes();
    const QString type = a.value(QLatin1String("t")).toString();
    RawCell c;
    c.type = type;
    c.style = a.value(QLatin1String("s")).toInt();
    const QStringView ref = a.value(QLatin1String("r"));
    if (ref.isEmpty()) {
        if (++col > MaxCols)
            damaged(book);
    } else if (!cellReference(ref, row, col)) {
        damaged(book);
    }
    while (x.readNextStartElement()) {
        if (x.name() == u"v") {
            c.value = x.readElementText();
        } else if (x.name() == u"is") {
            c.inlineText = richText(x);
            c.hasInline = true;
        } else {
            x.skipCurrentElement(); // the formula, extensions
        }
    }
    if (!x.hasError())
        cells.set(row, col, cellText(c, book));
}

// The rows of sheetData; a row without a number follows the one before it.
void readRows(QXmlStreamReader &x, const Book &book, Cells &cells)
{
    int row = 0;
    while (x.readNextStartElement()) {
        if (x.name() != u"row") {
            x.skipCurrentElement();
            continue;
        }
        const QStringView r = x.attributes().value(QLatin1String("r"));
        bool ok = true;
        row = r.isEmpty() ? row + 1 : r.toInt(&ok);
        if (!ok || row < 1 || row > MaxRows)
            damaged(book);
        int col = 0;
        while (x.readNextStartElement()) {
            if (x.name() == u"c")
                readCell(x, book, row, col, cells);
            else
                x.skipCurrentElement();
        }
    }
}

} // namespace

std::unique_ptr<WorkbookReader> readXlsx(const QByteArray &bytes, const QString &path,
                                         const ZipLimits &limits)
{
    ZipPackage package(bytes, path, limits);
    const XlsxBook parts = readXlsxBook(package);
    Book book;
    book.path = path;
    book.date1904 = parts.date1904;
    // A style or string part named but missing leaves its cells to tell (a string cell then
    // names no string and is refused).
    if (package.has(parts.stylesPart))
        book.styles = readCellStyles(package, parts.stylesPart);
    if (package.has(parts.sharedStringsPart))
        book.strings = readSharedStrings(package, parts.sharedStringsPart);

    Cells cells(book);
    XmlPart sheet(package, parts.sheetPart);
    sheet.enterRoot(u"worksheet");
    QXmlStreamReader &x = sheet.xml;
    while (x.readNextStartElement()) {
        if (x.name() == u"sheetData")
            readRows(x, book, cells);
        else
            x.skipCurrentElement();
    }
    sheet.finish();
    return cells.sheet();
}

} // namespace spreadsheet
