#include "spreadsheet/Report_Export.h"

// The workbook layouts of the report screens: titles, spans and column widths.

namespace spreadsheet {

namespace {

Report_Layout baseLayout(const QString &title, const QString &span, const QString &last)
{
    Report_Layout l;
    l.title = title;
    l.titleSpan = span;
    l.lastFormattedColumn = last;
    return l;
}

QList<Column_Width> detailWidths()
{
    return {{QStringLiteral("A:A"), 4},    {QStringLiteral("B:B"), 20},
            {QStringLiteral("C:K"), 15.5}, {QStringLiteral("F:F"), 103},
            {QStringLiteral("G:H"), 33},   {QStringLiteral("L:L"), 22}};
}

QList<Column_Width> daysWidths()
{
    return {{QStringLiteral("A:A"), 4},    {QStringLiteral("B:B"), 20},
            {QStringLiteral("C:K"), 15.5}, {QStringLiteral("F:F"), 30},
            {QStringLiteral("G:H"), 33},   {QStringLiteral("K:M"), 13},
            {QStringLiteral("N:N"), 19.8}};
}

} // namespace

Report_Layout Movement_Detail_Layout()
{
    Report_Layout l =
        baseLayout(QStringLiteral("รายงานฏีกา "), QStringLiteral("A1:L1"), QStringLiteral("T"));
    l.widths = detailWidths();
    return l;
}

Report_Layout Days_In_Division_Layout()
{
    Report_Layout l =
        baseLayout(QStringLiteral("รายงานฏีกา "), QStringLiteral("A1:L1"), QStringLiteral("N"));
    l.widths = daysWidths();
    return l;
}

Report_Layout Calendar_Of_Year_Layout()
{
    Report_Layout l = baseLayout(QStringLiteral("รายงานวันในแต่ละปี "), QStringLiteral("A1:F1"),
                                 QStringLiteral("F"));
    l.widths = {
        {QStringLiteral("A:A"), 4}, {QStringLiteral("B:B"), 15}, {QStringLiteral("C:F"), 21}};
    return l;
}

Report_Layout By_Doc_Type_Layout()
{
    Report_Layout l = baseLayout(QStringLiteral("รายงานฏีกา แยกตามประเภทเอกสาร"),
                                 QStringLiteral("A1:U1"), QStringLiteral("U"));
    l.widths = detailWidths();
    return l;
}

Report_Layout Days_To_Payment_Layout(const QString &docTypeLine)
{
    Report_Layout l =
        baseLayout(QStringLiteral("รายงานฏีกา "), QStringLiteral("A1:AH1"), QStringLiteral("AH"));
    l.orientation = Orientation::Landscape;
    l.widths = daysWidths();
    l.line2 = docTypeLine;
    return l;
}

QString Doc_Type_Line(const QString &docTypeText)
{
    return QStringLiteral("ประเภทเอกสาร ") + docTypeText;
}

} // namespace spreadsheet
