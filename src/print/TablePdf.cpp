#include "print/TablePdf.h"

#include "print/ThaiFace.h"
#include "print/ThaiPdfText.h"
#include "util/ThaiDate.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QTextLayout>
#include <algorithm>
#include <numeric>

namespace print {

namespace {

using Band = TablePlan::Band;
using Page = TablePlan::Page;

constexpr qreal MmPerInch = 25.4;
constexpr qreal MarginMm = 10;
constexpr qreal BasePoints = 9;
constexpr qreal LeastPoints = 7; // smaller does not read on paper: the columns are split instead
constexpr qreal TitlePoints = 13;
constexpr qreal CriteriaPoints = 10;
constexpr qreal FootPoints = 8;
constexpr qreal PadXMm = 1;
constexpr qreal SlackMm = 0.3; // so that a text measured to fit its column is not wrapped by a hair
constexpr qreal PadYMm = 0.5;
constexpr qreal GapMm = 2.5;
constexpr qreal PenMm = 0.15;
constexpr int CellLines = 3;
constexpr int TitleLines = 2;
// A column's own width: its texts on one line, within these bounds (padding aside).
constexpr qreal NarrowestMm = 8;
constexpr qreal WidestMm = 60;
constexpr qsizetype SampledRows = 400;

QFont faceAt(qreal points, bool bold = false)
{
    static const QString family = interfaceThaiFace();
    QFont f;
    if (!family.isEmpty())
        f.setFamily(family);
    f.setPointSizeF(points);
    f.setBold(bold);
    // Unhinted, a text is as wide when measured as when drawn; Latin unshaped, so that no
    // ligature reads back from the PDF as one odd character.
    f.setHintingPreference(QFont::PreferNoHinting);
    f.setStyleStrategy(QFont::PreferNoShaping);
    return f;
}

qreal dotsPerMm(const QPaintDevice &device)
{
    return device.logicalDpiX() / MmPerInch;
}

qreal sum(const QList<qreal> &values)
{
    return std::accumulate(values.begin(), values.end(), qreal(0));
}

int columnCount(const TablePdf &doc)
{
    qsizetype cols = doc.header.size();
    for (const QStringList &row : doc.rows)
        cols = std::max(cols, row.size());
    return static_cast<int>(cols);
}

QSizeF usableMm(QPageLayout::Orientation orientation)
{
    return tablePageLayout(orientation).paintRect(QPageLayout::Millimeter).size();
}

QString oneLine(const QString &text)
{
    const auto isBreak = [](QChar c) { return c == u'\n' || c == u'\r' || c == u'\t'; };
    if (std::none_of(text.begin(), text.end(), isBreak))
        return text;
    QString out = text;
    std::replace_if(out.begin(), out.end(), isBreak, u' ');
    return out;
}

// A cell's text as printed: a leading apostrophe, the grid's mark of a date kept as text, is
// left out as the workbook leaves it out.
QString cellText(const QStringList &row, int col)
{
    const QString text = row.value(col);
    return text.startsWith(u'\'') ? text.mid(1) : text;
}

QString withoutTrailingBlanks(QString text)
{
    while (!text.isEmpty() && text.back().isSpace())
        text.chop(1);
    return text;
}

// The lines a text takes in a width (dots): broken between words, or anywhere in a word too
// long for the line; past maxLines the last line ends in an ellipsis.
QStringList wrapText(const QString &given, const QFont &font, qreal width, int maxLines,
                     const QPaintDevice &device)
{
    const QString text = oneLine(given);
    if (text.isEmpty())
        return {};
    const QFontMetricsF metrics(font, &device);
    if (metrics.horizontalAdvance(text) <= width)
        return {text};
    QTextLayout layout(text, font, &device);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    QStringList lines;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        if (lines.size() == maxLines - 1) {
            const QString rest = withoutTrailingBlanks(text.mid(line.textStart()));
            lines << metrics.elidedText(rest, Qt::ElideRight, width);
            break;
        }
        lines << withoutTrailingBlanks(text.mid(line.textStart(), line.textLength()));
    }
    layout.endLayout();
    return lines;
}

qreal widestWord(const QString &text, const QFontMetricsF &metrics)
{
    qreal widest = 0;
    for (const QString &word : text.split(u' ', Qt::SkipEmptyParts))
        widest = std::max(widest, metrics.horizontalAdvance(word));
    return widest;
}

// Each column's own text width in millimetres at the base size: its header's widest word, or
// most of its cells whole on one line (a few long ones may wrap).
QList<qreal> textWidths(const TablePdf &doc, int cols, const QPaintDevice &device)
{
    const QFontMetricsF body(faceAt(BasePoints), &device);
    const QFontMetricsF head(faceAt(BasePoints, true), &device);
    const qsizetype step = std::max<qsizetype>(1, doc.rows.size() / SampledRows);
    QList<qreal> widths;
    for (int c = 0; c < cols; ++c) {
        QList<qreal> seen;
        for (qsizetype r = 0; r < doc.rows.size(); r += step)
            seen << body.horizontalAdvance(oneLine(cellText(doc.rows.at(r), c)));
        qreal need = widestWord(doc.header.value(c), head);
        if (!seen.isEmpty()) {
            const auto at = seen.begin() + seen.size() * 9 / 10;
            std::nth_element(seen.begin(), at, seen.end());
            need = std::max(need, *at);
        }
        widths << std::clamp(need / dotsPerMm(device), NarrowestMm, WidestMm);
    }
    return widths;
}

// The widths given, a column without one taking the mean of the others; none given: the
// columns' own.
QList<qreal> weightsOf(const TablePdf &doc, const QList<qreal> &natural)
{
    QList<qreal> given;
    for (int c = 0; c < natural.size(); ++c) {
        if (doc.widths.value(c) > 0)
            given << doc.widths.at(c);
    }
    if (given.isEmpty())
        return natural;
    const qreal mean = sum(given) / given.size();
    QList<qreal> weights;
    for (int c = 0; c < natural.size(); ++c)
        weights << (doc.widths.value(c) > 0 ? doc.widths.at(c) : mean);
    return weights;
}

// The columns in bands no wider than the page, each band after the first starting with the key
// columns again.
QList<QList<int>> groupColumns(int keyColumns, const QList<qreal> &natural, qreal usable)
{
    const int cols = static_cast<int>(natural.size());
    QList<int> all(cols);
    std::iota(all.begin(), all.end(), 0);
    if (sum(natural) <= usable)
        return {all};
    int keys = std::clamp(keyColumns, 0, cols - 1);
    qreal keyWidth = sum(natural.mid(0, keys));
    if (keyWidth > usable / 2) {
        keys = 0;
        keyWidth = 0;
    }
    QList<QList<int>> groups;
    QList<int> band = all.mid(0, keys);
    qreal width = keyWidth;
    for (int c = keys; c < cols; ++c) {
        if (band.size() > keys && width + natural.at(c) > usable) {
            groups << band;
            band = all.mid(0, keys);
            width = keyWidth;
        }
        band << c;
        width += natural.at(c);
    }
    groups << band;
    return groups;
}

// Measures and draws the table's pages on one device.
class Sheet {
public:
    Sheet(const TablePdf &doc, const TablePlan &plan, const QPaintDevice &device)
        : doc_(doc), plan_(plan), device_(device), mm_(dotsPerMm(device)),
          usable_(usableMm(plan.orientation) * mm_), body_(faceAt(plan.fontPoints)),
          head_(faceAt(plan.fontPoints, true)), title_(faceAt(TitlePoints, true)),
          criteria_(faceAt(CriteriaPoints)), foot_(faceAt(FootPoints))
    {
    }

    QList<Page> paginate() const;
    void drawPage(QPainter &p, int index) const;

private:
    qreal lineHeight(const QFont &font) const { return QFontMetricsF(font, &device_).height(); }
    QStringList wrap(const QString &text, const QFont &font, qreal width, int lines) const
    {
        return wrapText(text, font, width, lines, device_);
    }
    QList<QStringList> cellLines(const QStringList &row, const Band &band, bool header) const;
    qreal rowHeight(const QList<QStringList> &cells, bool header) const;
    qreal topHeight(bool first) const;
    qreal footHeight() const { return lineHeight(foot_) + GapMm * mm_; }
    qreal drawTop(QPainter &p, bool first) const;
    qreal drawRow(QPainter &p, qreal y, const QStringList &row, const Band &band,
                  bool header) const;
    void drawFoot(QPainter &p, int index) const;

    const TablePdf &doc_;
    const TablePlan &plan_;
    const QPaintDevice &device_;
    qreal mm_;
    QSizeF usable_; // dots
    QFont body_, head_, title_, criteria_, foot_;
};

QList<QStringList> Sheet::cellLines(const QStringList &row, const Band &band, bool header) const
{
    QList<QStringList> cells;
    for (qsizetype i = 0; i < band.columns.size(); ++i) {
        const qreal width = (band.widths.at(i) - 2 * PadXMm) * mm_;
        const int col = band.columns.at(i);
        cells << wrap(header ? row.value(col) : cellText(row, col), header ? head_ : body_, width,
                      CellLines);
    }
    return cells;
}

qreal Sheet::rowHeight(const QList<QStringList> &cells, bool header) const
{
    qsizetype lines = 1;
    for (const QStringList &cell : cells)
        lines = std::max(lines, cell.size());
    return lines * lineHeight(header ? head_ : body_) + 2 * PadYMm * mm_;
}

qreal Sheet::topHeight(bool first) const
{
    qreal height =
        wrap(doc_.title, title_, usable_.width(), TitleLines).size() * lineHeight(title_);
    if (first) {
        for (const QString &line : doc_.criteria)
            height +=
                wrap(line, criteria_, usable_.width(), CellLines).size() * lineHeight(criteria_);
    }
    return height + GapMm * mm_;
}

QList<Page> Sheet::paginate() const
{
    const qreal pageHeight = usable_.height() - footHeight();
    QList<Page> pages;
    for (int b = 0; b < plan_.bands.size(); ++b) {
        const Band &band = plan_.bands.at(b);
        const qreal headerHeight = rowHeight(cellLines(doc_.header, band, true), true);
        int r = 0;
        do {
            qreal room = pageHeight - topHeight(pages.isEmpty()) - headerHeight;
            Page page{b, r, 0};
            while (r < doc_.rows.size()) {
                const qreal h = rowHeight(cellLines(doc_.rows.at(r), band, false), false);
                if (page.rowCount > 0 && h > room)
                    break;
                room -= h;
                ++page.rowCount;
                ++r;
            }
            pages << page;
        } while (r < doc_.rows.size());
    }
    return pages;
}

bool isNumber(const QString &text)
{
    static const QRegularExpression number(QStringLiteral("^[-+]?[0-9][0-9,]*(\\.[0-9]+)?%?$"));
    return number.match(text).hasMatch();
}

qreal Sheet::drawTop(QPainter &p, bool first) const
{
    qreal y = 0;
    const QFontMetricsF titleMetrics(title_, &device_);
    for (const QString &line : wrap(doc_.title, title_, usable_.width(), TitleLines)) {
        const qreal x = (usable_.width() - titleMetrics.horizontalAdvance(line)) / 2;
        drawTextLine(p, QPointF(x, y), line, title_);
        y += lineHeight(title_);
    }
    if (first) {
        for (const QString &criterion : doc_.criteria) {
            for (const QString &line : wrap(criterion, criteria_, usable_.width(), CellLines)) {
                drawTextLine(p, QPointF(0, y), line, criteria_);
                y += lineHeight(criteria_);
            }
        }
    }
    return y + GapMm * mm_;
}

qreal Sheet::drawRow(QPainter &p, qreal y, const QStringList &row, const Band &band,
                     bool header) const
{
    const QFont &font = header ? head_ : body_;
    const QList<QStringList> cells = cellLines(row, band, header);
    const qreal height = rowHeight(cells, header);
    const QFontMetricsF metrics(font, &device_);
    qreal x = 0;
    for (qsizetype i = 0; i < cells.size(); ++i) {
        const QRectF box(x, y, band.widths.at(i) * mm_, height);
        if (header)
            p.fillRect(box, QColor(0xE4, 0xE4, 0xE4));
        p.drawRect(box);
        const bool right = !header && isNumber(cellText(row, band.columns.at(i)));
        qreal lineY = y + PadYMm * mm_;
        for (const QString &line : cells.at(i)) {
            const qreal advance = metrics.horizontalAdvance(line);
            qreal left = box.left() + PadXMm * mm_;
            if (header)
                left = box.left() + (box.width() - advance) / 2;
            else if (right)
                left = box.right() - PadXMm * mm_ - advance;
            drawTextLine(p, QPointF(left, lineY), line, font);
            lineY += metrics.height();
        }
        x = box.right();
    }
    return y + height;
}

void Sheet::drawFoot(QPainter &p, int index) const
{
    const qreal y = usable_.height() - lineHeight(foot_);
    const QString date =
        doc_.printedDate.isEmpty() ? thaiDateText(QDate::currentDate()) : doc_.printedDate;
    drawTextLine(p, QPointF(0, y), QStringLiteral("พิมพ์วันที่ ") + date, foot_);
    const QString number = QStringLiteral("หน้า %1/%2").arg(index + 1).arg(plan_.pages.size());
    const qreal width = QFontMetricsF(foot_, &device_).horizontalAdvance(number);
    drawTextLine(p, QPointF(usable_.width() - width, y), number, foot_);
}

void Sheet::drawPage(QPainter &p, int index) const
{
    const Page &page = plan_.pages.at(index);
    const Band &band = plan_.bands.at(page.band);
    p.setPen(QPen(Qt::black, PenMm * mm_));
    p.setBrush(Qt::NoBrush);
    qreal y = drawTop(p, index == 0);
    if (!band.columns.isEmpty()) {
        y = drawRow(p, y, doc_.header, band, true);
        for (int r = page.firstRow; r < page.firstRow + page.rowCount; ++r)
            y = drawRow(p, y, doc_.rows.at(r), band, false);
    }
    drawFoot(p, index);
}

} // namespace

QPageLayout tablePageLayout(QPageLayout::Orientation orientation)
{
    return QPageLayout(QPageSize(QPageSize::A4), orientation,
                       QMarginsF(MarginMm, MarginMm, MarginMm, MarginMm), QPageLayout::Millimeter);
}

TablePlan planTable(const TablePdf &doc, const QPaintDevice &device)
{
    TablePlan plan;
    const QList<qreal> text = textWidths(doc, columnCount(doc), device);
    const qreal padding = (2 * PadXMm + SlackMm) * text.size();
    const qreal total = sum(text) + padding;
    plan.orientation = total <= usableMm(QPageLayout::Portrait).width() ? QPageLayout::Portrait
                                                                        : QPageLayout::Landscape;
    const qreal usable = usableMm(plan.orientation).width();
    const qreal least = LeastPoints / BasePoints;
    const qreal shrink =
        total > usable ? std::max((usable - padding) / sum(text), least) : qreal(1);
    plan.fontPoints = BasePoints * shrink;
    QList<qreal> natural;
    for (qreal w : text)
        natural << w * shrink + 2 * PadXMm + SlackMm;
    const QList<qreal> weights = weightsOf(doc, natural);
    const QList<QList<int>> groups = groupColumns(doc.keyColumns, natural, usable);
    for (const QList<int> &columns : groups) {
        Band band{columns, {}};
        qreal bandWeight = 0;
        qreal bandNatural = 0;
        for (int c : columns) {
            bandWeight += weights.at(c);
            bandNatural += natural.at(c);
        }
        // Every column its own width; the room left over goes by the widths given. A band of a
        // split table that is far from full keeps to its own width rather than stretching a few
        // columns across the page.
        const bool stretch = groups.size() == 1 || bandNatural >= usable * 2 / 3;
        const qreal spare = stretch ? std::max(usable - bandNatural, qreal(0)) : 0;
        for (int c : columns)
            band.widths << natural.at(c) + spare * weights.at(c) / bandWeight;
        plan.bands << band;
    }
    plan.pages = Sheet(doc, plan, device).paginate();
    return plan;
}

void writeTablePdf(const TablePdf &doc, const QString &path)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setTitle(doc.title);
        writer.setCreator(QStringLiteral("Vostrel"));
        const TablePlan plan = planTable(doc, writer);
        writer.setPageLayout(tablePageLayout(plan.orientation));
        const Sheet sheet(doc, plan, writer);
        QPainter p(&writer);
        for (int i = 0; i < plan.pages.size(); ++i) {
            if (i > 0)
                writer.newPage();
            sheet.drawPage(p, i);
        }
    }
    saveThaiPdf(path, buffer.data());
}

} // namespace print
