#include "spreadsheet/SheetTransport.h"

#include <QDataStream>
#include <QIODevice>
#include <algorithm>

namespace spreadsheet {

namespace {

constexpr quint32 Magic = 0x56534854; // "VSHT"
constexpr quint16 Version = 1;
constexpr quint32 EndMark = 0x454E4421; // "END!"
// The largest sheet a workbook format allows, and a refusal far longer than any message.
constexpr qint32 MaxRows = 1 << 20;
constexpr qint32 MaxCols = 1 << 14;
constexpr qsizetype MaxMessage = 4096;

void prepare(QDataStream &s)
{
    // Fixed, so the program and a reader built with another Qt still agree.
    s.setVersion(QDataStream::Qt_6_0);
}

bool finish(QDataStream &s)
{
    s << EndMark;
    return s.status() == QDataStream::Ok;
}

} // namespace

bool writeSheet(QIODevice &out, const WorkbookReader &sheet)
{
    QDataStream s(&out);
    prepare(s);
    const qint32 rows = std::max(0, sheet.rowCount());
    const qint32 cols = std::max(0, sheet.columnCount());
    s << Magic << Version << quint8(Frame::Sheet) << rows << cols;
    for (qint32 r = 1; r <= rows; ++r) {
        for (qint32 c = 1; c <= cols; ++c) {
            const QString text = sheet.cellText(r, c);
            if (!text.isEmpty())
                s << r << c << text;
        }
        if (s.status() != QDataStream::Ok)
            return false;
    }
    s << qint32(0);
    return finish(s);
}

bool writeRefusal(QIODevice &out, const QString &message)
{
    QDataStream s(&out);
    prepare(s);
    s << Magic << Version << quint8(Frame::Refusal) << message;
    return finish(s);
}

Frame readFrame(const QByteArray &bytes)
{
    QDataStream s(bytes);
    prepare(s);
    quint32 magic = 0;
    quint16 version = 0;
    quint8 kind = 0;
    s >> magic >> version >> kind;
    if (s.status() != QDataStream::Ok || magic != Magic || version != Version)
        return {};
    Frame frame;
    if (kind == Frame::Refusal) {
        s >> frame.message;
        if (frame.message.isEmpty() || frame.message.size() > MaxMessage)
            return {};
    } else if (kind == Frame::Sheet) {
        qint32 rows = -1;
        qint32 cols = -1;
        s >> rows >> cols;
        if (rows < 0 || rows > MaxRows || cols < 0 || cols > MaxCols)
            return {};
        frame.sheet = std::make_unique<SheetTexts>(rows, cols);
        std::pair<qint32, qint32> last{0, 0};
        for (;;) {
            qint32 row = 0;
            s >> row;
            if (s.status() != QDataStream::Ok)
                return {};
            if (row == 0)
                break;
            qint32 col = 0;
            QString text;
            s >> col >> text;
            // Each cell once, in the order written: anything else is no reader's output.
            const std::pair<qint32, qint32> at{row, col};
            if (s.status() != QDataStream::Ok || row < 1 || row > rows || col < 1 || col > cols ||
                text.isEmpty() || at <= last)
                return {};
            last = at;
            frame.sheet->setCell(row, col, text);
        }
    } else {
        return {};
    }
    quint32 end = 0;
    s >> end;
    if (s.status() != QDataStream::Ok || end != EndMark || !s.atEnd())
        return {};
    frame.kind = Frame::Kind(kind);
    return frame;
}

} // namespace spreadsheet
