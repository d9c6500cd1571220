#include "screens/common/Grid.h"

#include "screens/common/GridModel.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QStyledItemDelegate>
#include <QTimer>
#include <QToolTip>
#include <QtMath>
#include <algorithm>

namespace {

constexpr int DefaultColWidth = 64;
constexpr int RowHeight = 24;
// The screens' widths were laid out for an 8-point face at 96 dpi (an em of 10⅔ pixels) with the
// proportions of the common sans faces: digits 0.556 em wide, capitals 0.667 em on average. The
// narrow columns hold keys, dates and amounts, digits and capitals, so the widths grow by the
// larger of the two ratios of the font in use to that face.
constexpr double OriginalEm = 8.0 * 96.0 / 72.0;
constexpr double OriginalDigitWidth = 0.556 * OriginalEm;
constexpr double OriginalCapitalWidth = 0.667 * OriginalEm;
// The original cells set their text 2 pixels in from the left and clipped it at the right edge.
constexpr int OriginalTextMargins = 2;
// Keystrokes in the find box within this many milliseconds narrow the rows once.
constexpr int FindDelayMs = 150;

double scaleFor(const QFont &font, const QPaintDevice *device)
{
    const QFontMetricsF metrics(font, device);
    const double digit = metrics.horizontalAdvance(QStringLiteral("0123456789")) / 10.0;
    const double capital =
        metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ")) / 26.0;
    // A narrower face leaves the texts room enough; the columns stay as laid out.
    return std::max({1.0, digit / OriginalDigitWidth, capital / OriginalCapitalWidth});
}

bool textClipped(const QStyledItemDelegate &delegate, const QStyleOptionViewItem &option,
                 const QModelIndex &index, int width)
{
    return delegate.sizeHint(option, index).width() > width;
}

// Column 0 keeps the header's colours, selected row or not, as a fixed column does; the current
// cell sits there, so its focus frame is not drawn either (the row highlight shows the choice).
// A cell whose text does not fit shows the whole text as its tool tip.
class GridDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    bool helpEvent(QHelpEvent *event, QAbstractItemView *view, const QStyleOptionViewItem &option,
                   const QModelIndex &index) override
    {
        if (event->type() != QEvent::ToolTip || !index.isValid())
            return QStyledItemDelegate::helpEvent(event, view, option, index);
        const QString text = index.data().toString();
        if (!text.isEmpty() && textClipped(*this, option, index, option.rect.width())) {
            QToolTip::showText(event->globalPos(), text, view, option.rect);
            return true;
        }
        QToolTip::hideText();
        event->ignore();
        return true;
    }

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        if (index.column() != 0)
            return;
        option->state &= ~(QStyle::State_Selected | QStyle::State_HasFocus);
        option->backgroundBrush = option->palette.button();
        option->palette.setBrush(QPalette::Text, option->palette.buttonText());
    }
};

} // namespace

Grid::Grid(QWidget *parent) : QTableView(parent), model_(new GridModel(this))
{
    setModel(model_);
    setItemDelegate(new GridDelegate(this));
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Tab leaves the grid, as Enter-moves-on expects of every control.
    setTabKeyNavigation(false);
    setWordWrap(false);
    setTextElideMode(Qt::ElideNone);
    setCornerButtonEnabled(false);

    // Fixed row heights keep the vertical header from measuring 100,000 rows.
    QHeaderView *rows = verticalHeader();
    rows->hide();
    rows->setMinimumSectionSize(0);
    rows->setSectionResizeMode(QHeaderView::Fixed);

    QHeaderView *cols = horizontalHeader();
    cols->setMinimumSectionSize(0);
    cols->setSectionResizeMode(QHeaderView::Interactive);
    cols->setStretchLastSection(false);
    cols->setSectionsClickable(false);
    cols->setHighlightSections(false);
    cols->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    fitToFont();

    connect(this, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex &index) {
        if (!index.isValid())
            return;
        selectModelRow(index.row());
        emit dblClick();
    });
    connect(model_, &QAbstractItemModel::modelAboutToBeReset, this, &Grid::rememberCurrent);
    connect(model_, &QAbstractItemModel::modelReset, this, &Grid::afterArrangement);

    // The counts a freshly placed string grid has.
    setColCount(5);
    setRowCount(5);
}

Grid::~Grid() = default;

int Grid::colCount() const
{
    return model_->cols();
}

void Grid::setColCount(int count)
{
    model_->setCols(std::max(0, count));
    keepCurrentRow();
}

int Grid::rowCount() const
{
    return model_->rows();
}

void Grid::setRowCount(int count)
{
    model_->setRows(std::max(0, count));
    keepCurrentRow();
}

QString Grid::cell(int col, int row) const
{
    return model_->contains(col, row) ? model_->at(col, row) : QString();
}

void Grid::setCell(int col, int row, const QString &text)
{
    if (model_->contains(col, row))
        model_->set(col, row, text);
}

void Grid::clearRow(int row)
{
    if (row < 0 || row >= model_->rows())
        return;
    for (int col = 0; col < model_->cols(); ++col)
        model_->set(col, row, QString());
}

void Grid::setRowCells(int row, const QStringList &cells)
{
    for (qsizetype c = 0; c < cells.size(); ++c)
        setCell(static_cast<int>(c), row, cells.at(c));
}

void Grid::fillRows(const QList<QStringList> &rows)
{
    setRowCount(static_cast<int>(rows.size()) + 1);
    for (qsizetype r = 0; r < rows.size(); ++r)
        setRowCells(static_cast<int>(r + 1), rows.at(r));
}

void Grid::setColWidths(const QList<int> &widths)
{
    for (qsizetype c = 0; c < widths.size(); ++c)
        setColWidth(static_cast<int>(c), widths.at(c));
}

int Grid::colWidth(int col) const
{
    return col >= 0 && col < model_->cols() ? givenWidth(columnWidth(col)) : 0;
}

void Grid::setColWidth(int col, int px)
{
    if (col >= 0 && col < model_->cols())
        setColumnWidth(col, shownWidth(px));
}

double Grid::widthScale() const
{
    return scale_;
}

bool Grid::isClipped(int col, int row) const
{
    const int modelRow = model_->modelRow(row);
    if (modelRow < 0 || col < 0 || col >= model_->cols())
        return false;
    const QModelIndex index = model_->index(modelRow, col);
    if (index.data().toString().isEmpty())
        return false;
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    const auto *delegate = static_cast<const QStyledItemDelegate *>(itemDelegate());
    // The cell's painted width: its column less the grid line.
    return textClipped(*delegate, option, index, columnWidth(col) - (showGrid() ? 1 : 0));
}

void Grid::changeEvent(QEvent *event)
{
    QTableView::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        fitToFont();
}

int Grid::shownWidth(int given) const
{
    return given > 0 ? qRound(given * scale_) + extraMargins_ : 0;
}

int Grid::givenWidth(int shown) const
{
    return std::max(0, qRound((shown - extraMargins_) / scale_));
}

void Grid::fitToFont()
{
    QList<int> given;
    for (int c = 0; c < model_->cols(); ++c)
        given << colWidth(c);
    scale_ = scaleFor(font(), this);
    // The cells' own text margins, beyond the original's, come on top of the scaled width.
    const int margin = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
    extraMargins_ = std::max(0, 2 * margin - OriginalTextMargins);
    // Rows as high as the face needs, its Thai marks above and below included.
    const double line = QFontMetricsF(font(), this).lineSpacing();
    verticalHeader()->setDefaultSectionSize(std::max(RowHeight, qCeil(line) + 4));
    // A new default size resizes every column, so the given widths go back after it.
    horizontalHeader()->setDefaultSectionSize(shownWidth(DefaultColWidth));
    setColWidths(given);
}

int Grid::row() const
{
    if (model_->rows() < 2)
        return 0;
    const QModelIndex current = currentIndex();
    if (current.isValid())
        return model_->gridRow(current.row());
    return model_->rowCount() > 0 ? model_->gridRow(0) : model_->rows();
}

void Grid::setRow(int row)
{
    const int modelRow = model_->modelRow(row);
    if (modelRow >= 0 && model_->cols() > 0)
        selectModelRow(modelRow);
}

void Grid::selectModelRow(int modelRow)
{
    const int col = std::max(0, currentIndex().column());
    selectionModel()->setCurrentIndex(model_->index(modelRow, col),
                                      QItemSelectionModel::ClearAndSelect |
                                          QItemSelectionModel::Rows);
}

void Grid::keepCurrentRow()
{
    // A string grid always has a current data row, highlighted; row 1 until one is chosen,
    // and the nearest one left when rows are cut away.
    if (model_->rowCount() < 1 || model_->cols() < 1)
        return;
    QItemSelectionModel *selection = selectionModel();
    const QModelIndex current = currentIndex();
    if (!current.isValid())
        selection->setCurrentIndex(model_->index(0, 0),
                                   QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    else if (!selection->isRowSelected(current.row()))
        selection->select(current, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void Grid::rememberCurrent()
{
    const QModelIndex current = currentIndex();
    currentBefore_ = current.isValid() ? model_->gridRow(current.row()) : -1;
}

void Grid::afterArrangement()
{
    showFindCount();
    if (model_->rowCount() < 1 || model_->cols() < 1)
        return;
    // A new sort or find keeps the row the user was on, where it is still shown; a new result
    // starts at its first row.
    int modelRow = -1;
    if (!model_->lastArrangeWasForNewCells() && currentBefore_ > 0)
        modelRow = model_->modelRow(currentBefore_);
    if (modelRow < 0) {
        selectModelRow(0);
        scrollToTop();
        return;
    }
    selectModelRow(modelRow);
    scrollTo(model_->index(modelRow, std::max(0, currentIndex().column())));
}

QWidget *Grid::sortAndFind()
{
    if (findBox_)
        return findBox_->parentWidget();
    QHeaderView *header = horizontalHeader();
    header->setSortIndicator(-1, Qt::AscendingOrder);
    header->setSectionsClickable(true);
    setSortingEnabled(true);

    auto *bar = new QWidget(parentWidget());
    bar->setObjectName(QStringLiteral("findBar"));
    auto *line = new QHBoxLayout(bar);
    line->setContentsMargins(0, 0, 0, 0);
    findBox_ = new QLineEdit(bar);
    findBox_->setObjectName(QStringLiteral("findBox"));
    findBox_->setPlaceholderText(QStringLiteral("ค้นหา…"));
    findBox_->setClearButtonEnabled(true);
    findBox_->setMinimumWidth(shownWidth(240));
    findCount_ = new QLabel(bar);
    findCount_->setObjectName(QStringLiteral("findCount"));
    line->addWidget(findBox_);
    line->addWidget(findCount_);
    line->addStretch(1);

    // Typing narrows the rows once the keystrokes pause, not at every letter of 100,000 rows.
    findDelay_ = new QTimer(this);
    findDelay_->setSingleShot(true);
    findDelay_->setInterval(FindDelayMs);
    connect(findBox_, &QLineEdit::textChanged, findDelay_, qOverload<>(&QTimer::start));
    connect(findDelay_, &QTimer::timeout, this, [this] {
        model_->setFind(findBox_->text());
        showFindCount();
    });
    return bar;
}

QString Grid::findText() const
{
    return model_->find();
}

void Grid::setFindText(const QString &text)
{
    if (findBox_) {
        findBox_->setText(text);
        findDelay_->stop();
    }
    model_->setFind(text);
    showFindCount();
}

void Grid::showFindCount()
{
    if (!findCount_)
        return;
    if (model_->find().isEmpty()) {
        findCount_->clear();
        return;
    }
    findCount_->setText(QStringLiteral("แสดง %1 จาก %2 รายการ")
                            .arg(model_->rowCount())
                            .arg(std::max(0, model_->rows() - 1)));
}

int Grid::shownRowCount() const
{
    model_->arrangeIfDue();
    return model_->rows() < 1 ? 0 : model_->rowCount() + 1;
}

QString Grid::shownCell(int col, int shownRow) const
{
    if (shownRow == 0)
        return cell(col, 0);
    model_->arrangeIfDue();
    if (col < 0 || col >= model_->cols() || shownRow < 1 || shownRow > model_->rowCount())
        return {};
    return model_->shownText(col, shownRow - 1);
}

QList<QStringList> Grid::shownRows() const
{
    const int rows = shownRowCount();
    QList<QStringList> out;
    out.reserve(rows);
    for (int r = 0; r < rows; ++r) {
        QStringList cells;
        cells.reserve(model_->cols());
        for (int c = 0; c < model_->cols(); ++c)
            cells << shownCell(c, r);
        out << cells;
    }
    return out;
}

int Grid::sourceRow(int shownRow) const
{
    if (shownRow == 0)
        return model_->rows() > 0 ? 0 : -1;
    model_->arrangeIfDue();
    if (shownRow < 1 || shownRow > model_->rowCount())
        return -1;
    return model_->gridRow(shownRow - 1);
}
