#include "spreadsheet/ReportExport.h"

#include <algorithm>

// The workbook layouts of the report screens: titles, spans and column widths.

namespace spreadsheet {

namespace {

ReportLayout baseLayout(const QString &title, const QString &span, const QString &last)
{
    ReportLayout l;
    l.title = title;
    l.titleSpan = span;
    l.lastFormattedColumn = last;
    return l;
}

QList<ColumnWidth> detailWidths()
{
    return {{QStringLiteral("A:A"), 4},    {QStringLiteral("B:B"), 20},
            {QStringLiteral("C:K"), 15.5}, {QStringLiteral("F:F"), 103},
            {QStringLiteral("G:H"), 33},   {QStringLiteral("L:L"), 22}};
}

QList<ColumnWidth> daysWidths()
{
    return {{QStringLiteral("A:A"), 4},    {QStringLiteral("B:B"), 20},
            {QStringLiteral("C:K"), 15.5}, {QStringLiteral("F:F"), 30},
            {QStringLiteral("G:H"), 33},   {QStringLiteral("K:M"), 13},
            {QStringLiteral("N:N"), 19.8}};
}

} // namespace

ReportLayout movementDetailLayout()
{
    ReportLayout l =
        baseLayout(QStringLiteral("รายงานฏีกา "), QStringLiteral("A1:L1"), QStringLiteral("T"));
    l.widths = detailWidths();
    return l;
}

ReportLayout daysInDivisionLayout()
{
    ReportLayout l =
        baseLayout(QStringLiteral("รายงานฏีกา "), QStringLiteral("A1:L1"), QStringLiteral("N"));
    l.widths = daysWidths();
    return l;
}

ReportLayout calendarOfYearLayout()
{
    ReportLayout l = baseLayout(QStringLiteral("รายงานวันในแต่ละปี "), QStringLiteral("A1:F1"),
                                QStringLiteral("F"));
    l.widths = {
        {QStringLiteral("A:A"), 4}, {QStringLiteral("B:B"), 15}, {QStringLiteral("C:F"), 21}};
    return l;
}

ReportLayout byDocTypeLayout()
{
    ReportLayout l = baseLayout(QStringLiteral("รายงานฏีกา แยกตามประเภทเอกสาร"),
                                QStringLiteral("A1:U1"), QStringLiteral("U"));
    l.widths = detailWidths();
    return l;
}

ReportLayout daysToPaymentLayout(const QString &docTypeLine)
{
    ReportLayout l =
        baseLayout(QStringLiteral("รายงานฏีกา "), QStringLiteral("A1:AH1"), QStringLiteral("AH"));
    l.orientation = Orientation::Landscape;
    l.widths = daysWidths();
    l.line2 = docTypeLine;
    return l;
}

QString docTypeLine(const QString &docTypeText)
{
    return QStringLiteral("ประเภทเอกสาร ") + docTypeText;
}

ReportLayout summaryLayout(const QString &title, const QString &criteriaLine, int columns)
{
    const QString last = columnLetter(std::max(columns, 1) - 1);
    ReportLayout l = baseLayout(title, QStringLiteral("A1:") + last + u'1', last);
    l.orientation = Orientation::Landscape;
    // The number, the group, its name, then the figures; the last, a document key, widest.
    l.widths = {{QStringLiteral("A:A"), 4},
                {QStringLiteral("B:B"), 14},
                {QStringLiteral("C:C"), 30},
                {QStringLiteral("D:") + last, 16},
                {last + u':' + last, 22}};
    l.line2 = criteriaLine;
    return l;
}

} // namespace spreadsheet
