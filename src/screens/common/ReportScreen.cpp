#include "screens/common/ReportScreen.h"

#include "core/Messages.h"
#include "core/Reports.h"
#include "print/TablePdf.h"
#include "screens/common/Busy.h"
#include "screens/common/CriteriaPanel.h"
#include "screens/common/DayBreakdown.h"
#include "screens/common/Dialogs.h"
#include "screens/common/Grid.h"
#include "screens/common/GridExport.h"
#include "screens/common/Guard.h"
#include "screens/common/Session.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QPushButton *button(QWidget *parent, const char *name, const QString &caption)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    return b;
}

QString askPdfFile(QWidget *parent, const QString &suggested)
{
    return QFileDialog::getSaveFileName(parent, QStringLiteral("บันทึกรายงานเป็นแฟ้ม PDF"), suggested,
                                        QStringLiteral("PDF (*.pdf)"));
}

} // namespace

ReportScreen::ReportScreen(Session &session, report::Shape shape, Layout layout, QWidget *parent)
    : Screen(session, shape.objectName, parent), shape_(std::move(shape)),
      layout_(std::move(layout))
{
    choosePdfFile = askPdfFile;
    setWindowTitle(shape_.title);
    auto *outer = new QGridLayout(this);
    auto *page = new QWidget(this);
    auto *column = new QVBoxLayout(page);
    Label1 = new QLabel(shape_.title, page);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setAlignment(Qt::AlignCenter);
    QFont big = Label1->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.4);
    Label1->setFont(big);
    column->addWidget(Label1);
    column->addWidget(buildCriteria());
    column->addWidget(buildResult(), 1);
    outer->addWidget(page, 0, 0);
    if (shape_.breakdown.startCol >= 0) {
        // Laid over the grid, hidden until a row is broken down.
        Panel2 = new DayBreakdownPanel(session.connection, session.dialogs, this);
        outer->addWidget(Panel2, 0, 0);
    }
    FormCreate();
}

ReportScreen::~ReportScreen() = default;

QWidget *ReportScreen::buildCriteria()
{
    auto *box = new QGroupBox(QStringLiteral("1.กำหนดเงื่อนไข"), this);
    box->setObjectName(QStringLiteral("GroupBox1"));
    auto *rows = new QGridLayout(box);
    criteria_ = std::make_unique<CriteriaPanel>(box, rows, shape_.criteria);
    btnSelect_Data = button(box, "btnSelect_Data", QStringLiteral("แสดงข้อมูล"));
    btnExit1 = button(box, "btnExit1", QStringLiteral("กลับสู่เมนูหลัก"));
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(btnSelect_Data);
    buttons->addWidget(btnExit1);
    buttons->addStretch();
    rows->addLayout(buttons, rows->rowCount(), 0, 1, 2);
    rows->setColumnStretch(1, 1);
    connect(btnSelect_Data, &QPushButton::clicked, this, &ReportScreen::btnSelect_DataClick);
    connect(btnExit1, &QPushButton::clicked, this, &ReportScreen::btnExit1Click);
    return box;
}

QWidget *ReportScreen::buildResult()
{
    auto *box = new QGroupBox(QStringLiteral("2. รายการที่ต้องการ"), this);
    box->setObjectName(QStringLiteral("GroupBox2"));
    auto *inside = new QVBoxLayout(box);
    StringGrid1 = new Grid(box);
    StringGrid1->setObjectName(QStringLiteral("StringGrid1"));
    inside->addWidget(StringGrid1->sortAndFind());
    inside->addWidget(StringGrid1, 1);
    btnExp_excel = button(box, "btnExp_excel", QStringLiteral("3. ออกรายงานทาง MS Excel"));
    btnSavePdf = button(box, "btnSavePdf", QStringLiteral("บันทึกเป็น PDF"));
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(btnExp_excel);
    buttons->addWidget(btnSavePdf);
    buttons->addStretch();
    inside->addLayout(buttons);
    connect(StringGrid1, &Grid::dblClick, this, &ReportScreen::StringGrid1DblClick);
    connect(btnExp_excel, &QPushButton::clicked, this, &ReportScreen::btnExp_excelClick);
    connect(btnSavePdf, &QPushButton::clicked, this, &ReportScreen::btnSavePdfClick);
    return box;
}

void ReportScreen::FormCreate()
{
    Session &s = session();
    guarded(this, s.dialogs, [&] {
        criteria_->reset(s.Today_Thai, [&s](criteria::Items source) {
            return reports::itemsOf(s.connection, source);
        });
    });
    if (Panel2)
        Panel2->hide();
}

criteria::Entered ReportScreen::entered() const
{
    return criteria_->entered();
}

void ReportScreen::setExportFolder(const QString &folder, bool openAfter)
{
    exportFolder_ = folder;
    openAfterExport_ = openAfter;
}

void ReportScreen::btnSelect_DataClick()
{
    Session &s = session();
    if (BusyScope::isBusy(this))
        return;
    StringGrid1->setColCount(report::columnCount(shape_));
    StringGrid1->setRowCount(2);
    QList<QStringList> rows;
    shownCriteria_.reset();
    const bool ran = guardedOk(this, s.dialogs, [&] {
        // A run over a large catalog takes a moment: the pointer says so, the window keeps
        // painting, and all is itself again before any message.
        BusyScope busy(this);
        report::runInto(s.connection, shape_, entered(), rows,
                        [&busy](db::Rows &, QStringList &) { busy.keepPainting(); });
    });
    // A failure ends the run; the rows read before it are shown all the same.
    if (!ran && rows.isEmpty())
        return;
    if (rows.isEmpty()) {
        s.dialogs.message(this, msg::NotFound);
        StringGrid1->clearRow(1);
        return;
    }
    showRows(rows);
    shownCriteria_ = criteria::enteredTexts(shape_.criteria, entered());
}

void ReportScreen::showRows(const QList<QStringList> &rows)
{
    const QList<int> widths = report::widths(shape_);
    for (qsizetype c = 0; c < widths.size(); ++c) {
        if (widths.at(c) > 0)
            StringGrid1->setColWidth(static_cast<int>(c), widths.at(c));
    }
    StringGrid1->setRowCells(0, report::headerRow(shape_));
    StringGrid1->fillRows(rows);
}

void ReportScreen::StringGrid1DblClick()
{
    if (!Panel2)
        return;
    Session &s = session();
    const int row = StringGrid1->row();
    QStringList cells;
    for (int c = 0; c < StringGrid1->colCount(); ++c)
        cells << StringGrid1->cell(c, row);
    const QString refused = shape_.breakdown.refusal ? shape_.breakdown.refusal(cells) : QString();
    if (!refused.isEmpty()) {
        s.dialogs.message(this, refused);
        return;
    }
    guarded(this, s.dialogs, [&] {
        Panel2->Show_Day_Breakdown(*StringGrid1, row, shape_.breakdown.startCol,
                                   shape_.breakdown.endCol);
    });
}

void ReportScreen::btnExp_excelClick()
{
    guarded(this, session().dialogs, [this] {
        // Made only now, so that a folder that cannot be made is told as the export's failure.
        const QString folder =
            exportFolder_.isEmpty() ? spreadsheet::reportsFolder() : exportFolder_;
        exportGrid(*StringGrid1, layout_(entered()), folder, openAfterExport_);
    });
}

void ReportScreen::btnSavePdfClick()
{
    Session &s = session();
    if (!shownCriteria_) {
        s.dialogs.message(this, msg::NotFound);
        return;
    }
    const QString suggested =
        QDir(spreadsheet::reportsFolderPath()).filePath(shape_.title + QStringLiteral(".pdf"));
    const QString file = choosePdfFile(this, suggested);
    if (file.isEmpty())
        return;
    guarded(this, s.dialogs, [&] {
        {
            // Some thousand rows take seconds: the pointer says so, and is itself again before
            // any message.
            QApplication::setOverrideCursor(Qt::WaitCursor);
            const auto restore = qScopeGuard([] { QApplication::restoreOverrideCursor(); });
            print::TablePdf doc = gridTablePdf(*StringGrid1);
            doc.title = shape_.title;
            doc.criteria = *shownCriteria_;
            doc.printedDate = s.Today_Thai;
            print::writeTablePdf(doc, file);
        }
        s.dialogs.message(this, QStringLiteral("บันทึกรายงานลงแฟ้ม %1 เรียบร้อยแล้ว").arg(file));
    });
}

void ReportScreen::btnExit1Click()
{
    closeScreen();
}
