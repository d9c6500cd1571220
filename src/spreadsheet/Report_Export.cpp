#include "spreadsheet/Report_Export.h"

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

constexpr int Max_Columns = 256; // A .. IV
constexpr int Max_Sheet_Rows = 1048576;
constexpr lxw_color_t Title_Blue = 0x0C058F;  // (12, 5, 143)
constexpr lxw_color_t Header_Fill = 0x9BCDE6; // (155, 205, 230)
constexpr lxw_color_t White = 0xFFFFFF;
constexpr double Points_Per_Inch = 72.0;

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
    Title_Cell,  // A1
    Title_Span,  // the rest of the title span
    Blue_14,     // A2, A3
    Header_In,   // A4 .. last formatted column
    Header_Out,  // header cells past it
    Data_Mid,    // data cell inside the span, between the first and last data rows
    Data_Top,    // ... in the first data row
    Data_Bottom, // ... in the last
    Data_Only,   // ... in the single data row
    Data_Out,    // data cell past the span: fill and size, no border
    Border_Mid,  // span cell with no grid column: borders only
    Border_Top,
    Border_Bottom,
    Border_Only,
    Role_Count
};

class Formats {
public:
    explicit Formats(lxw_workbook *book) : book_(book) {}

    lxw_format *get(Role role, const Typed_Cell &cell)
    {
        if (cell.numFormat.isEmpty() && cell.kind != Cell_Kind::Quoted_Text) {
            lxw_format *&f = plain_[role];
            if (!f)
                f = make(role, nullptr);
            return f;
        }
        // Quoted text keeps the text format so that an edit in the sheet stays text.
        const QString numFormat =
            cell.kind == Cell_Kind::Quoted_Text ? QStringLiteral("@") : cell.numFormat;
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
        case Title_Cell:
            format_set_font_color(f, Title_Blue);
            format_set_font_size(f, 16);
            format_set_align(f, LXW_ALIGN_CENTER_ACROSS);
            break;
        case Title_Span:
            format_set_align(f, LXW_ALIGN_CENTER_ACROSS);
            break;
        case Blue_14:
            format_set_font_color(f, Title_Blue);
            format_set_font_size(f, 14);
            break;
        case Header_In:
            format_set_font_size(f, 12);
            format_set_font_color(f, Title_Blue);
            format_set_pattern(f, LXW_PATTERN_SOLID);
            format_set_bg_color(f, Header_Fill);
            format_set_align(f, LXW_ALIGN_CENTER);
            format_set_border(f, LXW_BORDER_THIN);
            break;
        case Header_Out:
            format_set_font_size(f, 12);
            break;
        case Data_Mid:
        case Data_Top:
        case Data_Bottom:
        case Data_Only:
            format_set_font_size(f, 12);
            white();
            verticals();
            if (role == Data_Top || role == Data_Only)
                format_set_top(f, LXW_BORDER_THIN);
            if (role == Data_Bottom || role == Data_Only)
                format_set_bottom(f, LXW_BORDER_THIN);
            break;
        case Data_Out:
            format_set_font_size(f, 12);
            white();
            break;
        case Border_Mid:
        case Border_Top:
        case Border_Bottom:
        case Border_Only:
            format_set_font_size(f, 12);
            verticals();
            if (role == Border_Top || role == Border_Only)
                format_set_top(f, LXW_BORDER_THIN);
            if (role == Border_Bottom || role == Border_Only)
                format_set_bottom(f, LXW_BORDER_THIN);
            break;
        case Role_Count:
            break;
        }
        return f;
    }

    lxw_workbook *book_;
    std::array<lxw_format *, Role_Count> plain_{};
    QHash<QString, lxw_format *> withFormat_;
};

// Writes one sheet; the first failing call is kept and reported when the book is closed.
class Sheet_Writer {
public:
    Sheet_Writer(lxw_worksheet *sheet, Formats &formats) : sheet_(sheet), formats_(formats) {}

    void put(int row, int col, const QString &text, Role role)
    {
        const Typed_Cell cell = Type_Cell_Text(text);
        lxw_format *f = formats_.get(role, cell);
        const auto r = static_cast<lxw_row_t>(row);
        const auto c = static_cast<lxw_col_t>(col);
        lxw_error e = LXW_NO_ERROR;
        switch (cell.kind) {
        case Cell_Kind::Blank:
            e = worksheet_write_blank(sheet_, r, c, f);
            break;
        case Cell_Kind::Text:
        case Cell_Kind::Quoted_Text:
            if (cell.text.isEmpty())
                e = worksheet_write_blank(sheet_, r, c, f);
            else
                e = worksheet_write_string(sheet_, r, c, cell.text.toUtf8().constData(), f);
            break;
        case Cell_Kind::Number:
        case Cell_Kind::Date:
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
void applyWidths(lxw_worksheet *sheet, const QList<Column_Width> &widths, Sheet_Writer &out)
{
    std::vector<double> width(Max_Columns, -1);
    for (const Column_Width &w : widths) {
        const auto [first, last] = spanColumns(w.span);
        for (int c = std::max(first, 0); c <= last && c < Max_Columns; ++c)
            width[static_cast<size_t>(c)] = w.width;
    }
    // One <col> run per width: overlapping runs would make the file invalid.
    int c = 0;
    while (c < Max_Columns) {
        const double w = width[static_cast<size_t>(c)];
        int end = c;
        while (end + 1 < Max_Columns && width[static_cast<size_t>(end + 1)] == w)
            ++end;
        if (w >= 0)
            out.note(worksheet_set_column(sheet, static_cast<lxw_col_t>(c),
                                          static_cast<lxw_col_t>(end), w, nullptr));
        c = end + 1;
    }
}

void pageSetup(lxw_worksheet *sheet, const Report_Layout &layout, Sheet_Writer &out)
{
    lxw_header_footer_options header{};
    header.margin = 20 / Points_Per_Inch;
    lxw_header_footer_options footer{};
    footer.margin = 20 / Points_Per_Inch;
    out.note(worksheet_set_header_opt(sheet, "&LPage &P From &N&R(Emp001)", &header));
    out.note(worksheet_set_footer_opt(sheet, "&LDevelop By Varnolt&R&D &T", &footer));
    worksheet_set_margins(sheet, 20 / Points_Per_Inch, 20 / Points_Per_Inch, 70 / Points_Per_Inch,
                          45 / Points_Per_Inch);
    if (layout.orientation == Orientation::Landscape)
        worksheet_set_landscape(sheet);
    else
        worksheet_set_portrait(sheet);
    worksheet_set_paper(sheet, 9); // A4; page order stays down, then over
    out.note(worksheet_repeat_rows(sheet, 0, 3));
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

QString Column_Letter(int c)
{
    if (c < 0 || c >= Max_Columns)
        return {};
    return columnLetters(c + 1);
}

QString Export_Report(const Report_Table &table, const Report_Layout &layout, const QString &folder)
{
    const int cols = std::max(table.cols, 0);
    const int rows = std::max(table.rows, 0);
    if (cols > Max_Columns)
        throw Error(QStringLiteral("ตารางมีมากกว่า 256 คอลัมน์ ไม่สามารถออกรายงานทาง Excel ได้"));
    if (rows + 3 > Max_Sheet_Rows)
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
    Sheet_Writer out(sheet, formats);
    if (!sheet)
        out.note(LXW_ERROR_MEMORY_MALLOC_FAILED);
    else {
        // Rows 1 to 3: the title centred across its span, the optional second line.
        out.put(0, 0, layout.title, Title_Cell);
        for (int c = std::max(titleFirst, 1); c <= titleLast; ++c)
            out.put(0, c, QString(), Title_Span);
        out.put(1, 0, layout.line2, Blue_14);
        out.put(2, 0, QString(), Blue_14);

        // Row 4: the grid's header row.
        Typed_Cell plain;
        out.rowFormat(3, formats.get(Header_Out, plain));
        for (int c = 0; c < width; ++c) {
            const QString text = c < cols && rows > 0 ? cellText(c, 0) : QString();
            out.put(3, c, text, c <= lastFormatted ? Header_In : Header_Out);
        }

        // Data rows: grid row g into sheet row g + 4.
        lxw_format *rowSize = formats.get(Header_Out, plain);
        for (int g = 1; g < rows && out.error() == LXW_NO_ERROR; ++g) {
            const bool top = g == 1;
            const bool bottom = g == rows - 1;
            const Role data = top && bottom ? Data_Only
                              : top         ? Data_Top
                              : bottom      ? Data_Bottom
                                            : Data_Mid;
            const Role border = top && bottom ? Border_Only
                                : top         ? Border_Top
                                : bottom      ? Border_Bottom
                                              : Border_Mid;
            out.rowFormat(g + 3, rowSize);
            for (int c = 0; c < width; ++c) {
                if (c < cols)
                    out.put(g + 3, c, cellText(c, g), c <= lastFormatted ? data : Data_Out);
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

QString reportsFolder()
{
    QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (documents.isEmpty())
        documents = QDir::homePath();
    const QString folder = documents + QStringLiteral("/Vostrel reports");
    if (!QDir().mkpath(folder))
        throw Error(QStringLiteral("ไม่สามารถสร้างโฟลเดอร์สำหรับเก็บรายงานได้: ") + folder);
    return folder;
}

} // namespace spreadsheet
