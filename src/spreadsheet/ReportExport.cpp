#include "spreadsheet/ReportExport.h"

#include "util/ThaiDate.h"
#include "util/Utility.h"

#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QStandardPaths>
#include <array>
#include <cmath>
#include <vector>
#include <xlsxwriter.h>

namespace spreadsheet {

namespace {

constexpr int MaxColumns = 256; // A .. IV
constexpr int MaxSheetRows = 1048576;
constexpr lxw_color_t TitleBlue = 0x0C058F;  // (12, 5, 143)
constexpr lxw_color_t HeaderFill = 0x9BCDE6; // (155, 205, 230)
constexpr lxw_color_t White = 0xFFFFFF;
constexpr double PointsPerInch = 72.0;

// The writer's own reason is kept in brackets for whoever has to look into it.
QString writerFailure(const QString &path, lxw_error error)
{
    return QStringLiteral("ไม่สามารถเขียนแฟ้มรายงานได้: ") + path + QStringLiteral(" (") +
           QString::fromUtf8(lxw_strerror(error)) + u')';
}

int columnIndex(QStringView letters)
{
    int index = 0;
    for (const QChar ch : letters) {
        const char16_t u = ch.toUpper().unicode();
        if (u < u'A' || u > u'Z')
            return -1;
        index = index * 26 + (u - u'A' + 1);
    }
    return letters.isEmpty() ? -1 : index - 1;
}

// "A1:L1" -> first and last column index; the rows are the title row in every layout.
std::pair<int, int> spanColumns(const QString &span)
{
    auto letters = [](QStringView cell) {
        qsizetype n = 0;
        while (n < cell.size() && cell[n].isLetter())
            ++n;
        return cell.left(n);
    };
    const qsizetype colon = span.indexOf(u':');
    if (colon < 0) {
        const int c = columnIndex(letters(span));
        return {c, c};
    }
    return {columnIndex(letters(QStringView(span).left(colon))),
            columnIndex(letters(QStringView(span).mid(colon + 1)))};
}

// The kinds of cell the sheet has, by where they sit; each gets its own formats.
enum Role {
    TitleCell,  // A1
    TitleSpan,  // the rest of the title span
    Blue14,     // A2, A3
    HeaderIn,   // A4 .. last formatted column
    HeaderOut,  // header cells past it
    DataMid,    // data cell inside the span, between the first and last data rows
    DataTop,    // ... in the first data row
    DataBottom, // ... in the last
    DataOnly,   // ... in the single data row
    DataOut,    // data cell past the span: fill and size, no border
    BorderMid,  // span cell with no grid column: borders only
    BorderTop,
    BorderBottom,
    BorderOnly,
    RoleCount
};

class Formats {
public:
    explicit Formats(lxw_workbook *book) : book_(book) {}

    lxw_format *get(Role role, const TypedCell &cell)
    {
        if (cell.numFormat.isEmpty() && cell.kind != CellKind::QuotedText) {
            lxw_format *&f = plain_[role];
            if (!f)
                f = make(role, nullptr);
            return f;
        }
        // Quoted text keeps the text format so that an edit in the sheet stays text.
        const QString numFormat =
            cell.kind == CellKind::QuotedText ? QStringLiteral("@") : cell.numFormat;
        lxw_format *&f = withFormat_[QString::number(role) + u'|' + numFormat];
        if (!f)
            f = make(role, &numFormat);
        return f;
    }

private:
    lxw_format *make(Role role, const QString *numFormat)
    {
        lxw_format *f = workbook_add_format(book_);
        if (numFormat)
            format_set_num_format(f, numFormat->toUtf8().constData());
        auto verticals = [f] {
            format_set_left(f, LXW_BORDER_THIN);
            format_set_right(f, LXW_BORDER_THIN);
        };
        auto white = [f] {
            format_set_pattern(f, LXW_PATTERN_SOLID);
            format_set_bg_color(f, White);
        };
        switch (role) {
        case TitleCell:
            format_set_font_color(f, TitleBlue);
            format_set_font_size(f, 16);
            format_set_align(f, LXW_ALIGN_CENTER_ACROSS);
            break;
        case TitleSpan:
            format_set_align(f, LXW_ALIGN_CENTER_ACROSS);
            break;
        case Blue14:
            format_set_font_color(f, TitleBlue);
            format_set_font_size(f, 14);
            break;
        case HeaderIn:
            format_set_font_size(f, 12);
            format_set_font_color(f, TitleBlue);
            format_set_pattern(f, LXW_PATTERN_SOLID);
            format_set_bg_color(f, HeaderFill);
            format_set_align(f, LXW_ALIGN_CENTER);
            format_set_border(f, LXW_BORDER_THIN);
            break;
        case HeaderOut:
            format_set_font_size(f, 12);
            break;
        case DataMid:
        case DataTop:
        case DataBottom:
        case DataOnly:
            format_set_font_size(f, 12);
            white();
            verticals();
            if (role == DataTop || role == DataOnly)
                format_set_top(f, LXW_BORDER_THIN);
            if (role == DataBottom || role == DataOnly)
                format_set_bottom(f, LXW_BORDER_THIN);
            break;
        case DataOut:
            format_set_font_size(f, 12);
            white();
            break;
        case BorderMid:
        case BorderTop:
        case BorderBottom:
        case BorderOnly:
            format_set_font_size(f, 12);
            verticals();
            if (role == BorderTop || role == BorderOnly)
                format_set_top(f, LXW_BORDER_THIN);
            if (role == BorderBottom || role == BorderOnly)
                format_set_bottom(f, LXW_BORDER_THIN);
            break;
        case RoleCount:
            break;
        }
        return f;
    }

    lxw_workbook *book_;
    std::array<lxw_format *, RoleCount> plain_{};
    QHash<QString, lxw_format *> withFormat_;
};

// Writes one sheet; the first failing call is kept and reported when the book is closed.
class SheetWriter {
public:
    SheetWriter(lxw_worksheet *sheet, Formats &formats) : sheet_(sheet), formats_(formats) {}

    void put(int row, int col, const QString &text, Role role)
    {
        const TypedCell cell = typeCellText(text);
        lxw_format *f = formats_.get(role, cell);
        const auto r = static_cast<lxw_row_t>(row);
        const auto c = static_cast<lxw_col_t>(col);
        lxw_error e = LXW_NO_ERROR;
        switch (cell.kind) {
        case CellKind::Blank:
            e = worksheet_write_blank(sheet_, r, c, f);
            break;
        case CellKind::Text:
        case CellKind::QuotedText:
            if (cell.text.isEmpty())
                e = worksheet_write_blank(sheet_, r, c, f);
            else
                e = worksheet_write_string(sheet_, r, c, cell.text.toUtf8().constData(), f);
            break;
        case CellKind::Number:
        case CellKind::Date:
            e = worksheet_write_number(sheet_, r, c, cell.number, f);
            break;
        }
        note(e);
    }

    void rowFormat(int row, lxw_format *f)
    {
        note(worksheet_set_row(sheet_, static_cast<lxw_row_t>(row), LXW_DEF_ROW_HEIGHT, f));
    }

    void note(lxw_error e)
    {
        if (e != LXW_NO_ERROR && error_ == LXW_NO_ERROR)
            error_ = e;
    }
    lxw_error error() const { return error_; }

private:
    lxw_worksheet *sheet_;
    Formats &formats_;
    lxw_error error_ = LXW_NO_ERROR;
};

// Column widths after every span setting in order, as runs of equal width.
void applyWidths(lxw_worksheet *sheet, const QList<ColumnWidth> &widths, SheetWriter &out)
{
    std::vector<double> width(MaxColumns, -1);
    for (const ColumnWidth &w : widths) {
        const auto [first, last] = spanColumns(w.span);
        for (int c = std::max(first, 0); c <= last && c < MaxColumns; ++c)
            width[static_cast<size_t>(c)] = w.width;
    }
    // One <col> run per width: overlapping runs would make the file invalid.
    int c = 0;
    while (c < MaxColumns) {
        const double w = width[static_cast<size_t>(c)];
        int end = c;
        while (end + 1 < MaxColumns && width[static_cast<size_t>(end + 1)] == w)
            ++end;
        if (w >= 0)
            out.note(worksheet_set_column(sheet, static_cast<lxw_col_t>(c),
                                          static_cast<lxw_col_t>(end), w, nullptr));
        c = end + 1;
    }
}

void pageSetup(lxw_worksheet *sheet, const ReportLayout &layout, SheetWriter &out)
{
    lxw_header_footer_options header{};
    header.margin = 20 / PointsPerInch;
    lxw_header_footer_options footer{};
    footer.margin = 20 / PointsPerInch;
    out.note(worksheet_set_header_opt(sheet, "&LPage &P From &N&R(Emp001)", &header));
    out.note(worksheet_set_footer_opt(sheet, "&LDevelop By Varnolt&R&D &T", &footer));
    worksheet_set_margins(sheet, 20 / PointsPerInch, 20 / PointsPerInch, 70 / PointsPerInch,
                          45 / PointsPerInch);
    if (layout.orientation == Orientation::Landscape)
        worksheet_set_landscape(sheet);
    else
        worksheet_set_portrait(sheet);
    worksheet_set_paper(sheet, 9); // A4; page order stays down, then over
    out.note(worksheet_repeat_rows(sheet, 0, 3));
    // A report wider than the page goes on over more pages: the running number and the key on
    // each of them match its rows to the first page's.
    out.note(worksheet_repeat_columns(sheet, 0, 1));
}

QString reserveFreshName(const QString &folder)
{
    if (!QDir().mkpath(folder))
        throw Error(QStringLiteral("ไม่สามารถสร้างโฟลเดอร์สำหรับเก็บรายงานได้: ") + folder);
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    for (int n = 1; n <= 10000; ++n) {
        const QString path = QDir(folder).filePath(QStringLiteral("รายงาน-") + stamp + u'-' +
                                                   QString::number(n) + QStringLiteral(".xlsx"));
        QFile file(path);
        // Creating it here claims the name: a workbook already there is never replaced.
        if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            return path;
        if (!file.exists())
            break;
    }
    throw Error(QStringLiteral("ไม่สามารถสร้างแฟ้มรายงานในโฟลเดอร์นี้ได้: ") + folder);
}

} // namespace

QString columnLetter(int c)
{
    if (c < 0 || c >= MaxColumns)
        return {};
    return columnLetters(c + 1);
}

QString exportReport(const ReportTable &table, const ReportLayout &layout, const QString &folder)
{
    const int cols = std::max(table.cols, 0);
    const int rows = std::max(table.rows, 0);
    if (cols > MaxColumns)
        throw Error(QStringLiteral("ตารางมีมากกว่า 256 คอลัมน์ ไม่สามารถออกรายงานทาง Excel ได้"));
    if (rows + 3 > MaxSheetRows)
        throw Error(QStringLiteral("ตารางมีจำนวนแถวเกินกว่าที่แผ่นงาน Excel รับได้"));
    const auto [titleFirst, titleLast] = spanColumns(layout.titleSpan);
    const int lastFormatted = columnIndex(layout.lastFormattedColumn);
    const int width = std::max(cols, lastFormatted + 1); // columns that get a cell
    auto cellText = [&table](int c, int r) { return table.cell ? table.cell(c, r) : QString(); };

    const QString path = reserveFreshName(folder);
    const QByteArray tmpdir = QFile::encodeName(QDir::tempPath());
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE; // rows go out in order, so memory stays flat
    options.tmpdir = const_cast<char *>(tmpdir.constData());
    lxw_workbook *book = workbook_new_opt(QFile::encodeName(path).constData(), &options);
    if (!book) {
        QFile::remove(path);
        throw Error(QStringLiteral("ไม่สามารถสร้างแฟ้มรายงานได้: ") + path);
    }
    lxw_worksheet *sheet = workbook_add_worksheet(book, "Text 1");
    Formats formats(book);
    SheetWriter out(sheet, formats);
    if (!sheet)
        out.note(LXW_ERROR_MEMORY_MALLOC_FAILED);
    else {
        // Rows 1 to 3: the title centred across its span, the optional second line.
        out.put(0, 0, layout.title, TitleCell);
        for (int c = std::max(titleFirst, 1); c <= titleLast; ++c)
            out.put(0, c, QString(), TitleSpan);
        out.put(1, 0, layout.line2, Blue14);
        out.put(2, 0, QString(), Blue14);

        // Row 4: the grid's header row.
        TypedCell plain;
        out.rowFormat(3, formats.get(HeaderOut, plain));
        for (int c = 0; c < width; ++c) {
            const QString text = c < cols && rows > 0 ? cellText(c, 0) : QString();
            out.put(3, c, text, c <= lastFormatted ? HeaderIn : HeaderOut);
        }

        // Data rows: grid row g into sheet row g + 4.
        lxw_format *rowSize = formats.get(HeaderOut, plain);
        for (int g = 1; g < rows && out.error() == LXW_NO_ERROR; ++g) {
            const bool top = g == 1;
            const bool bottom = g == rows - 1;
            const Role data = top && bottom ? DataOnly
                              : top         ? DataTop
                              : bottom      ? DataBottom
                                            : DataMid;
            const Role border = top && bottom ? BorderOnly
                                : top         ? BorderTop
                                : bottom      ? BorderBottom
                                              : BorderMid;
            out.rowFormat(g + 3, rowSize);
            for (int c = 0; c < width; ++c) {
                if (c < cols)
                    out.put(g + 3, c, cellText(c, g), c <= lastFormatted ? data : DataOut);
                else
                    out.put(g + 3, c, QString(), border);
            }
        }
        applyWidths(sheet, layout.widths, out);
        pageSetup(sheet, layout, out);
    }
    const lxw_error written = out.error();
    const lxw_error closed = workbook_close(book);
    if (written != LXW_NO_ERROR || closed != LXW_NO_ERROR) {
        QFile::remove(path);
        throw Error(writerFailure(path, written != LXW_NO_ERROR ? written : closed));
    }
    return path;
}

QString reportsFolderPath()
{
    QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (documents.isEmpty())
        documents = QDir::homePath();
    return documents + QStringLiteral("/Vostrel reports");
}

QString reportsFolder()
{
    const QString folder = reportsFolderPath();
    if (!QDir().mkpath(folder))
        throw Error(QStringLiteral("ไม่สามารถสร้างโฟลเดอร์สำหรับเก็บรายงานได้: ") + folder);
    return folder;
}

} // namespace spreadsheet
