#include "spreadsheet/Workbook.h"

#include "spreadsheet/BiffTexts.h"
#include "spreadsheet/XlsxReader.h"
#include "util/ThaiDate.h"

#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QStringView>
#include <cerrno>
#include <cmath>
#include <fcntl.h>
#include <freexl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace spreadsheet {

namespace {

// The first worksheet of a BIFF (.xls) workbook through FreeXL. FreeXL parses the whole
// file at open, so every cell read afterwards is a lookup.
class XlsReader final : public WorkbookReader {
public:
    XlsReader(const QString &path, const QByteArray &file)
    {
        const QByteArray name = QFile::encodeName(path);
        // The library can give up part-way yet answer OK, with no workbook: damaged too.
        if (freexl_open(name.constData(), &handle_) != FREEXL_OK || !handle_) {
            close();
            throw Error(damagedMessage(path));
        }
        unsigned int sheets = 0;
        if (freexl_get_info(handle_, FREEXL_BIFF_SHEET_COUNT, &sheets) != FREEXL_OK ||
            sheets == 0) {
            close();
            throw Error(noSheetMessage(path));
        }
        unsigned int rows = 0;
        unsigned short cols = 0;
        if (freexl_select_active_worksheet(handle_, 0) != FREEXL_OK ||
            freexl_worksheet_dimensions(handle_, &rows, &cols) != FREEXL_OK) {
            close();
            throw Error(damagedMessage(path));
        }
        rows_ = static_cast<int>(rows);
        cols_ = cols;
        nulTexts_ = biffTextsWithNul(file);
    }
    ~XlsReader() override { close(); }
    XlsReader(const XlsReader &) = delete;
    XlsReader &operator=(const XlsReader &) = delete;

    int rowCount() const override { return rows_; }
    int columnCount() const override { return cols_; }

    QString cellText(int row, int col) const override
    {
        if (row < 1 || col < 1 || row > rows_ || col > cols_)
            return {};
        FreeXL_CellValue v;
        if (freexl_get_cell_value(handle_, static_cast<unsigned int>(row - 1),
                                  static_cast<unsigned short>(col - 1), &v) != FREEXL_OK)
            return {};
        switch (v.type) {
        case FREEXL_CELL_INT:
            return QString::number(v.value.int_value);
        case FREEXL_CELL_DOUBLE:
            return numberText(v.value.double_value);
        case FREEXL_CELL_TEXT:
        case FREEXL_CELL_SST_TEXT:
            return text(row, col, QString::fromUtf8(v.value.text_value));
        case FREEXL_CELL_DATE:
        case FREEXL_CELL_DATETIME:
        case FREEXL_CELL_TIME:
            return dateCellText(QString::fromLatin1(v.value.text_value));
        default:
            return {};
        }
    }

private:
    // The library's text ends at a NUL; the whole text is read from the file itself. NUL
    // characters are dropped (no catalog can store them), the rest of the text stays.
    QString text(int row, int col, const QString &upToNul) const
    {
        const auto whole = nulTexts_.constFind({row - 1, col - 1});
        if (whole == nulTexts_.cend() || !whole->startsWith(upToNul))
            return upToNul;
        QString out = *whole;
        out.remove(QChar(u'\0'));
        return out;
    }

    void close()
    {
        if (handle_)
            freexl_close(handle_);
        handle_ = nullptr;
    }

    const void *handle_ = nullptr;
    int rows_ = 0;
    int cols_ = 0;
    CellTexts nulTexts_;
};

bool digitsAt(QStringView s, qsizetype from, qsizetype count)
{
    if (from + count > s.size())
        return false;
    for (qsizetype i = from; i < from + count; ++i)
        if (!s[i].isDigit())
            return false;
    return true;
}

int numberAt(QStringView s, qsizetype from, qsizetype count)
{
    return s.mid(from, count).toInt();
}

// H:mm:ss of an "hh:mm:ss" text at from; empty when it is not one.
QString timeText(QStringView s, qsizetype from)
{
    if (s.size() - from != 8 || !digitsAt(s, from, 2) || s[from + 2] != u':' ||
        !digitsAt(s, from + 3, 2) || s[from + 5] != u':' || !digitsAt(s, from + 6, 2))
        return {};
    return QString::number(numberAt(s, from, 2)) + u':' + s.mid(from + 3, 5);
}

// d/m/yyyy with the Buddhist-era year.
QString thaiDayText(int year, int month, int day)
{
    return QString::number(day) + u'/' + QString::number(month) + u'/' +
           QString::number(year + BuddhistEraOffset);
}

// A time of day rounded up to the next midnight.
constexpr QStringView WholeDay = u"24:00:00";

// What the first bytes of a file say it holds: a compound file, a zip package, an OpenDocument
// spreadsheet (a zip that starts so), or something else.
enum class Kind { Compound, Zip, Ods, Other };

constexpr qsizetype HeadSize = 4096;
// A workbook file larger than this is not read (it would unpack to far more than a sheet holds).
constexpr qint64 MaxFileBytes = qint64(256) << 20;

quint32 littleEndian(QByteArrayView b, qsizetype at, int size)
{
    quint32 v = 0;
    for (int i = size - 1; i >= 0; --i)
        v = (v << 8) | static_cast<quint8>(b[at + i]);
    return v;
}

// The content of a zip's first entry when it is "mimetype" stored unpacked, as an OpenDocument
// file begins; empty for any other zip.
QByteArrayView firstMimeType(QByteArrayView zip)
{
    if (zip.size() < 30)
        return {};
    const quint32 flags = littleEndian(zip, 6, 2);
    const quint32 method = littleEndian(zip, 8, 2);
    const quint32 size = littleEndian(zip, 18, 4);
    const qsizetype nameSize = littleEndian(zip, 26, 2);
    const qsizetype data = 30 + nameSize + littleEndian(zip, 28, 2);
    if (method != 0 || data > zip.size() || zip.sliced(30, nameSize) != "mimetype")
        return {};
    const QByteArrayView rest = zip.sliced(data);
    // Sizes may follow the data instead (flag bit 3); then the next header ends it.
    if (size == 0 && (flags & 0x8)) {
        const qsizetype end = rest.indexOf("PK");
        return end < 0 ? QByteArrayView() : rest.first(end);
    }
    return size <= quint32(rest.size()) ? rest.first(size) : QByteArrayView();
}

Kind workbookKind(QByteArrayView head)
{
    // Compound-document signature: the container of every BIFF workbook.
    if (head.startsWith(QByteArrayView("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8)))
        return Kind::Compound;
    if (!head.startsWith("PK\x03\x04"))
        return Kind::Other;
    const QByteArrayView mimeType = firstMimeType(head);
    if (mimeType.isEmpty())
        return Kind::Zip;
    // Another OpenDocument file (a text, a drawing) is no workbook at all.
    return mimeType == "application/vnd.oasis.opendocument.spreadsheet" ? Kind::Ods : Kind::Other;
}

QString cannotOpenMessage(const QString &path)
{
    return QStringLiteral("ไม่สามารถเปิดแฟ้มได้ (แฟ้มอาจถูกใช้งานอยู่หรือไม่มีสิทธิ์อ่าน): ") + path;
}

QString notRegularMessage(const QString &path)
{
    return QStringLiteral("ชื่อนี้ไม่ใช่แฟ้มข้อมูลธรรมดา (เช่น ท่อส่งข้อมูลหรืออุปกรณ์) จึงอ่านไม่ได้: ") + path;
}

// The first bytes of the file. Anything but a regular file is refused before it is opened
// (opening a FIFO waits for a writer, a device may act on it); the open itself never waits,
// so a file swapped for a FIFO meanwhile is refused too.
QByteArray readHead(const QString &path)
{
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists())
        throw Error(QStringLiteral("ไม่พบแฟ้ม ") + path);
    if (info.isDir())
        throw Error(QStringLiteral("ชื่อนี้เป็นโฟลเดอร์ ไม่ใช่แฟ้ม: ") + path);
    if (!info.isFile())
        throw Error(notRegularMessage(path));
    const int fd =
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        throw Error(cannotOpenMessage(path));
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        throw Error(notRegularMessage(path));
    }
    QByteArray head(HeadSize, '\0');
    qsizetype got = 0;
    while (got < head.size()) {
        const ssize_t n = ::read(fd, head.data() + got, static_cast<size_t>(head.size() - got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            ::close(fd);
            throw Error(cannotOpenMessage(path));
        }
        if (n == 0)
            break;
        got += n;
    }
    ::close(fd);
    head.truncate(got);
    return head;
}

} // namespace

QString numberText(double value)
{
    if (!std::isfinite(value))
        return QString::number(value);
    if (value == 0)
        return QStringLiteral("0");
    const double magnitude = std::fabs(value);
    if (magnitude < 1e-10 || magnitude >= 1e20)
        return QString::number(value, 'g', 15);
    // Fixed form with as many decimals as 15 significant digits leave, trailing zeros cut.
    const int intDigits = static_cast<int>(std::floor(std::log10(magnitude))) + 1;
    const int decimals = std::max(0, 15 - intDigits);
    QString text = QString::number(value, 'f', decimals);
    if (text.contains(u'.')) {
        qsizetype end = text.size();
        while (end > 0 && text[end - 1] == u'0')
            --end;
        if (end > 0 && text[end - 1] == u'.')
            --end;
        text.truncate(end);
    }
    if (text == u"-0")
        return QStringLiteral("0");
    return text;
}

QString dateCellText(const QString &iso)
{
    const QStringView s(iso);
    if (s.size() == 8) {
        const QString time = s[2] == u':' ? timeText(s, 0) : QString();
        if (time.isEmpty())
            return iso;
        return time == WholeDay ? QStringLiteral("0:00:00") : time;
    }
    if (s.size() < 10 || !digitsAt(s, 0, 4) || s[4] != u'-' || !digitsAt(s, 5, 2) || s[7] != u'-' ||
        !digitsAt(s, 8, 2))
        return iso;
    const int year = numberAt(s, 0, 4);
    const int month = numberAt(s, 5, 2);
    const int day = numberAt(s, 8, 2);
    if (s.size() == 10)
        return thaiDayText(year, month, day);
    if (s.size() != 19 || s[10] != u' ')
        return iso;
    const QString time = timeText(s, 11);
    if (time.isEmpty())
        return iso;
    if (time == u"0:00:00")
        return thaiDayText(year, month, day);
    // A time rounded up to midnight belongs to the next day.
    const QDate next = QDate(year, month, day).addDays(1);
    if (time == WholeDay && next.isValid())
        return thaiDayText(next.year(), next.month(), next.day());
    return thaiDayText(year, month, day) + u' ' + time;
}

QString damagedMessage(const QString &path)
{
    return QStringLiteral("แฟ้มนี้ไม่ใช่แฟ้ม Excel (.xls หรือ .xlsx) หรือแฟ้มเสียหาย: ") + path;
}

QString encryptedMessage(const QString &path)
{
    return QStringLiteral("แฟ้มนี้ถูกเข้ารหัสด้วยรหัสผ่าน จึงอ่านไม่ได้ "
                          "กรุณาเปิดแฟ้มด้วยโปรแกรม Excel ยกเลิกรหัสผ่าน แล้วบันทึกใหม่: ") +
           path;
}

QString noSheetMessage(const QString &path)
{
    return QStringLiteral("แฟ้มนี้ไม่มีแผ่นงาน (Worksheet): ") + path;
}

QString tooLargeMessage(const QString &path)
{
    return QStringLiteral("แฟ้มนี้มีข้อมูลมากเกินกว่าจะอ่านได้ หรือแฟ้มเสียหาย: ") + path;
}

namespace {

Kind checkedKind(const QString &path)
{
    const Kind kind = workbookKind(readHead(path));
    switch (kind) {
    case Kind::Compound:
    case Kind::Zip:
        return kind;
    case Kind::Ods:
        throw Error(QStringLiteral("แฟ้มนี้เป็นแบบ OpenDocument (.ods) ซึ่งยังอ่านไม่ได้ "
                                   "กรุณาบันทึกเป็นแบบ Excel (.xlsx หรือ .xls): ") +
                    path);
    case Kind::Other:
        break;
    }
    throw Error(damagedMessage(path));
}

QByteArray wholeFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw Error(cannotOpenMessage(path));
    if (file.size() > MaxFileBytes)
        throw Error(tooLargeMessage(path));
    QByteArray bytes = file.read(MaxFileBytes + 1);
    if (bytes.size() > MaxFileBytes)
        throw Error(tooLargeMessage(path));
    return bytes;
}

} // namespace

void checkWorkbookFile(const QString &path)
{
    checkedKind(path);
}

std::unique_ptr<WorkbookReader> openWorkbook(const QString &path)
{
    const Kind kind = checkedKind(path);
    const QByteArray bytes = wholeFile(path);
    if (kind == Kind::Zip)
        return readXlsx(bytes, path);
    if (compoundHasStream(bytes, QStringLiteral("EncryptedPackage")))
        throw Error(encryptedMessage(path));
    return std::make_unique<XlsReader>(path, bytes);
}

} // namespace spreadsheet
