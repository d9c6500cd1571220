#include "spreadsheet/ReportExport.h"
#include "util/ThaiDate.h"

#include <QDate>
#include <cmath>

// How a grid text is typed when it goes into the report workbook.

namespace spreadsheet {

namespace {

bool allDigits(QStringView s)
{
    if (s.isEmpty())
        return false;
    for (const QChar ch : s)
        if (ch < u'0' || ch > u'9')
            return false;
    return true;
}

bool typeNumber(const QString &text, TypedCell &cell)
{
    QStringView s(text);
    const bool negative = s.startsWith(u'-');
    if (negative)
        s = s.mid(1);
    const qsizetype dot = s.indexOf(u'.');
    const QStringView whole = dot < 0 ? s : s.left(dot);
    const QStringView fraction = dot < 0 ? QStringView() : s.mid(dot + 1);
    if (!allDigits(whole) || (dot >= 0 && !allDigits(fraction)))
        return false;
    if (whole.size() > 1 && whole[0] == u'0')
        return false; // a code such as "01" keeps its zero as text
    qsizetype significant = whole == u"0" ? 0 : whole.size();
    if (significant == 0) {
        qsizetype firstNonZero = 0;
        while (firstNonZero < fraction.size() && fraction[firstNonZero] == u'0')
            ++firstNonZero;
        significant = fraction.size() - firstNonZero;
    } else {
        significant += fraction.size();
    }
    if (significant > 15)
        return false; // the spreadsheet would round it: keep every digit as text
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (!ok || (negative && value == 0))
        return false;
    cell.kind = CellKind::Number;
    cell.number = value;
    if (!fraction.isEmpty())
        cell.numFormat = QStringLiteral("0.") + QString(fraction.size(), u'0');
    return true;
}

bool typeDate(const QString &text, TypedCell &cell)
{
    const QStringView s(text);
    const qsizetype first = s.indexOf(u'/');
    const qsizetype second = first < 0 ? -1 : s.indexOf(u'/', first + 1);
    if (second < 0)
        return false;
    const QStringView day = s.left(first);
    const QStringView month = s.mid(first + 1, second - first - 1);
    const QStringView year = s.mid(second + 1);
    if (!allDigits(day) || !allDigits(month) || !allDigits(year) || day.size() > 2 ||
        month.size() > 2 || year.size() != 4)
        return false;
    int y = year.toInt();
    const bool buddhist = y >= 2400;
    if (buddhist)
        y -= BuddhistEraOffset;
    const QDate date(y, month.toInt(), day.toInt());
    // Before March 1900 the spreadsheet's day numbers are off by its leap-year quirk.
    if (!date.isValid() || date < QDate(1900, 3, 1) || date.year() > 9999)
        return false;
    cell.kind = CellKind::Date;
    cell.number = static_cast<double>(QDate(1899, 12, 30).daysTo(date));
    // Calendar 07 of the locale tag shows the Buddhist-era year, as the text had it.
    cell.numFormat = (buddhist ? QStringLiteral("[$-1070000]") : QString()) +
                     (day.size() == 2 ? u"dd" : u"d") + u'/' + (month.size() == 2 ? u"mm" : u"m") +
                     QStringLiteral("/yyyy;@");
    return true;
}

} // namespace

TypedCell typeCellText(const QString &text)
{
    TypedCell cell;
    if (text.isEmpty())
        return cell;
    if (text.startsWith(u'\'')) {
        cell.kind = CellKind::QuotedText;
        cell.text = text.mid(1);
        return cell;
    }
    if (typeNumber(text, cell) || typeDate(text, cell))
        return cell;
    cell.kind = CellKind::Text;
    cell.text = text;
    return cell;
}

} // namespace spreadsheet
