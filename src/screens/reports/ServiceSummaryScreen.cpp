#include "screens/reports/ServiceSummaryScreen.h"

#include "core/Messages.h"
#include "core/Reports.h"
#include "data/Deployment.h"
#include "screens/charts/ChartsPanel.h"
#include "screens/common/Busy.h"
#include "screens/common/CriteriaPanel.h"
#include "screens/common/DayBreakdown.h"
#include "screens/common/Dialogs.h"
#include "screens/common/Grid.h"
#include "screens/common/GridExport.h"
#include "screens/common/Guard.h"
#include "screens/common/MaskEdit.h"
#include "screens/common/ReportParts.h"
#include "screens/common/Session.h"
#include "screens/reports/SummaryCharts.h"
#include "util/ThaiDate.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

using summary::By;

namespace {

const QString BadDate = QStringLiteral("กรุณาใส่วันที่เรื่องออกจากกองให้ถูกต้อง (วว/ดด/ปปปป ปี พ.ศ.)");
const QString DatesReversed = QStringLiteral("วันที่เริ่มต้นต้องไม่อยู่หลังวันที่สิ้นสุด");
const QString BadTarget =
    QStringLiteral("กรุณาใส่เป้าหมายเป็นจำนวนวันทำการ เลขจำนวนเต็มตั้งแต่ 0 ถึง %1").arg(summary::MaxTarget);
const QString BadGrouping = QStringLiteral("กรุณาเลือกการแยกกลุ่มจากรายการ");

// A whole result into a grid: its header row, its rows (none: one empty row), its widths.
void fill(Grid *grid, const QStringList &header, const QList<QStringList> &rows,
          const QList<int> &widths)
{
    grid->setColCount(static_cast<int>(header.size()));
    grid->setRowCount(2);
    grid->clearRow(1);
    grid->setRowCells(0, header);
    if (!rows.isEmpty())
        grid->fillRows(rows);
    for (qsizetype c = 0; c < widths.size(); ++c) {
        if (widths.at(c) > 0)
            grid->setColWidth(static_cast<int>(c), widths.at(c));
    }
}

// A read that may take a moment, the pointer saying so and the buttons resting meanwhile; false
// when it failed (and was told) or another read of this screen is still running.
template <class F> bool busy(QWidget *screen, Dialogs &dialogs, F &&read)
{
    if (BusyScope::isBusy(screen))
        return false;
    return guardedOk(screen, dialogs, [&] {
        BusyScope scope(screen);
        read();
    });
}

// The row's cells as the grid shows them.
QStringList rowCells(const Grid &grid, int row)
{
    QStringList cells;
    for (int c = 0; c < grid.colCount(); ++c)
        cells << grid.cell(c, row);
    return cells;
}

} // namespace

ServiceSummaryScreen::ServiceSummaryScreen(Session &session, QWidget *parent)
    : Screen(session, QStringLiteral("frmService_Summary"), parent)
{
    choosePdfFile = askReportPdfFile;
    setWindowTitle(summary::title());
    auto *outer = new QGridLayout(this);
    auto *page = new QWidget(this);
    auto *column = new QVBoxLayout(page);
    Label1 = reportTitle(page, summary::title());
    column->addWidget(Label1);
    column->addWidget(buildCriteria());
    column->addWidget(buildResult(), 1);
    outer->addWidget(page, 0, 0);
    // Laid over the result, hidden until a document is broken down.
    Panel2 = new DayBreakdownPanel(session.connection, session.dialogs, this);
    outer->addWidget(Panel2, 0, 0);
    FormCreate();
}

ServiceSummaryScreen::~ServiceSummaryScreen() = default;

QWidget *ServiceSummaryScreen::buildCriteria()
{
    CriteriaBox made =
        criteriaBox(this, summary::screenCriteria(session().deployment.summaryTarget));
    criteria_ = std::move(made.panel);
    btnSelect_Data = made.btnSelect_Data;
    btnExit1 = made.btnExit1;
    connect(btnSelect_Data, &QPushButton::clicked, this,
            &ServiceSummaryScreen::btnSelect_DataClick);
    connect(btnExit1, &QPushButton::clicked, this, &ServiceSummaryScreen::btnExit1Click);
    return made.box;
}

QWidget *ServiceSummaryScreen::gridPage(const char *gridName, Grid *&grid, const char *labelName,
                                        QLabel *&label)
{
    auto *page = new QWidget(tabResults);
    auto *inside = new QVBoxLayout(page);
    label = new QLabel(page);
    label->setObjectName(QLatin1String(labelName));
    grid = new Grid(page);
    grid->setObjectName(QLatin1String(gridName));
    inside->addWidget(label);
    inside->addWidget(grid->sortAndFind());
    inside->addWidget(grid, 1);
    return page;
}

QWidget *ServiceSummaryScreen::buildResult()
{
    auto *box = new QGroupBox(QStringLiteral("2. รายการที่ต้องการ"), this);
    box->setObjectName(QStringLiteral("GroupBox2"));
    auto *inside = new QVBoxLayout(box);
    tabResults = new QTabWidget(box);
    tabResults->setObjectName(QStringLiteral("tabResults"));
    tabResults->addTab(gridPage("StringGrid1", StringGrid1, "lblFinished", lblFinished),
                       QStringLiteral("เรื่องที่เสร็จสิ้น"));
    tabResults->addTab(gridPage("StringGrid2", StringGrid2, "lblOpen", lblOpen),
                       QStringLiteral("เรื่องที่ยังไม่เสร็จ"));
    tabResults->addTab(gridPage("StringGrid3", StringGrid3, "lblDocuments", lblDocuments),
                       QStringLiteral("รายการเรื่อง"));
    Charts = new charts::ChartsPanel(session().dialogs, tabResults);
    Charts->setObjectName(QStringLiteral("Charts"));
    tabResults->addTab(Charts, QStringLiteral("แผนภูมิ"));
    inside->addWidget(tabResults, 1);
    const ExportButtons exports = exportButtons(box, inside);
    btnExp_excel = exports.btnExp_excel;
    btnSavePdf = exports.btnSavePdf;
    connect(StringGrid1, &Grid::dblClick, this, &ServiceSummaryScreen::StringGrid1DblClick);
    connect(StringGrid2, &Grid::dblClick, this, &ServiceSummaryScreen::StringGrid2DblClick);
    connect(StringGrid3, &Grid::dblClick, this, &ServiceSummaryScreen::StringGrid3DblClick);
    connect(btnExp_excel, &QPushButton::clicked, this, &ServiceSummaryScreen::btnExp_excelClick);
    connect(btnSavePdf, &QPushButton::clicked, this, &ServiceSummaryScreen::btnSavePdfClick);
    connect(this, &ServiceSummaryScreen::summaryShown, this, &ServiceSummaryScreen::drawCharts);
    return box;
}

void ServiceSummaryScreen::FormCreate()
{
    Session &s = session();
    criteria_->reset(s.Today_Thai);
    // The current fiscal year, October to September.
    const summary::Period year = summary::fiscalYearPeriod(s.Fiscal_Year);
    findChild<MaskEdit *>(QStringLiteral("edtExit_Date_Beg"))->setText(year.from);
    findChild<MaskEdit *>(QStringLiteral("edtExit_Date_End"))->setText(year.to);
    fill(StringGrid1, summary::finishedGridHeader(By::Officer), {}, summary::groupWidths());
    fill(StringGrid2, summary::openGridHeader(By::Officer), {}, summary::groupWidths());
    const report::Shape documents = reports::daysInDivision();
    fill(StringGrid3, report::headerRow(documents), {}, report::widths(documents));
    Panel2->hide();
}

void ServiceSummaryScreen::setExportFolder(const QString &folder, bool openAfter)
{
    exportFolder_ = folder;
    openAfterExport_ = openAfter;
}

// What the criteria ask for; nullopt, the user told why, when one of them cannot be read.
std::optional<summary::Request> ServiceSummaryScreen::request()
{
    const criteria::Entered entered = criteria_->entered();
    const QStringList period = entered.value(0).value_or(QStringList());
    const QString target = entered.value(1).value_or(QStringList()).value(0);
    const QString grouping = entered.value(2).value_or(QStringList()).value(0);
    QString problem;
    const QDate from = thaiDateOf(period.value(0));
    const QDate to = thaiDateOf(period.value(1));
    const std::optional<int> days = summary::targetOf(target);
    const std::optional<By> by = summary::byOfCaption(grouping);
    if (!from.isValid() || !to.isValid())
        problem = BadDate;
    else if (from > to)
        problem = DatesReversed;
    else if (!days)
        problem = BadTarget;
    else if (!by)
        problem = BadGrouping;
    if (!problem.isEmpty()) {
        session().dialogs.message(this, problem);
        return std::nullopt;
    }
    return summary::Request{{period.value(0), period.value(1)}, *days, *by};
}

void ServiceSummaryScreen::btnSelect_DataClick()
{
    const std::optional<summary::Request> asked = request();
    if (!asked)
        return;
    Session &s = session();
    summary::Summary found;
    QMap<QString, QString> names;
    QMap<QString, QString> officers;
    if (!busy(this, s.dialogs, [&] {
            found = summary::run(s.connection, *asked, s.Today_Thai);
            names = summary::namesOf(s.connection, asked->by);
            officers =
                asked->by == By::Officer ? names : summary::namesOf(s.connection, By::Officer);
        }))
        return;
    result_ = std::move(found);
    names_ = std::move(names);
    officerNames_ = std::move(officers);
    showSummary();
    if (result_.finished.isEmpty())
        s.dialogs.message(this, msg::NotFound);
    emit summaryShown();
}

void ServiceSummaryScreen::showSummary()
{
    const summary::Request &r = result_.request;
    fill(StringGrid1, summary::finishedGridHeader(r.by),
         summary::finishedGridRows(result_.finished, names_), summary::groupWidths());
    fill(StringGrid2, summary::openGridHeader(r.by), summary::openGridRows(result_.open, names_),
         summary::groupWidths());
    const summary::Figures all = summary::overall(result_.documents.finished, r.target);
    QString finished =
        QStringLiteral("เรื่องที่เสร็จสิ้น %1 เรื่อง ภายในเป้าหมาย %2 วันทำการ %3 เรื่อง "
                       "(ร้อยละ %4) ค่ามัธยฐาน %5 วันทำการ")
            .arg(all.documents)
            .arg(r.target)
            .arg(all.withinTarget)
            .arg(summary::tenthsText(all.shareTenths), summary::tenthsText(all.medianTenths));
    if (result_.documents.withoutEntry > 0)
        finished +=
            QStringLiteral("  ไม่นับ %1 เรื่องที่ไม่มีวันที่เข้ากอง").arg(result_.documents.withoutEntry);
    lblFinished->setText(finished);
    int past = 0;
    for (const summary::OpenFigures &f : result_.open)
        past += f.pastTarget;
    lblOpen->setText(QStringLiteral("เรื่องที่ยังไม่เสร็จ %1 เรื่อง เกินเป้าหมายแล้ว %2 เรื่อง "
                                    "(อายุนับถึงวันที่ %3)")
                         .arg(result_.documents.open.size())
                         .arg(past)
                         .arg(session().Today_Thai));
    // The documents of a group of the summary before are no longer the ones shown.
    const report::Shape documents = reports::daysInDivision();
    fill(StringGrid3, report::headerRow(documents), {}, report::widths(documents));
    lblDocuments->clear();
    tabResults->setCurrentIndex(0);
}

QString ServiceSummaryScreen::groupCaption(const QString &group) const
{
    const QString shown = group.isEmpty() ? QStringLiteral("(ไม่ระบุ)") : group;
    const QString name = names_.value(group);
    return name.isEmpty() ? shown : shown + u' ' + name;
}

void ServiceSummaryScreen::StringGrid1DblClick()
{
    // The group by its cell: the grid's rows may be in another order than the result's.
    const QString group = StringGrid1->cell(1, StringGrid1->row());
    for (const summary::Figures &f : result_.finished) {
        if (f.group == group)
            return listDocuments(f.items, QStringLiteral("เรื่องที่เสร็จสิ้นของ ") + groupCaption(group));
    }
}

void ServiceSummaryScreen::StringGrid2DblClick()
{
    const QString group = StringGrid2->cell(1, StringGrid2->row());
    for (const summary::OpenFigures &f : result_.open) {
        if (f.group == group)
            return listDocuments(f.items,
                                 QStringLiteral("เรื่องที่ยังไม่เสร็จของ ") + groupCaption(group));
    }
}

void ServiceSummaryScreen::listDocuments(const QList<summary::Item> &items, const QString &caption)
{
    Session &s = session();
    QStringList keys;
    for (const summary::Item &i : items)
        keys << i.key;
    QList<QStringList> rows;
    if (!busy(this, s.dialogs, [&] { rows = summary::documentRows(s.connection, keys); }))
        return;
    const report::Shape shape = reports::daysInDivision();
    fill(StringGrid3, report::headerRow(shape), rows, report::widths(shape));
    lblDocuments->setText(QStringLiteral("%1 (%2 เรื่อง)").arg(caption).arg(rows.size()));
    tabResults->setCurrentIndex(2);
}

void ServiceSummaryScreen::StringGrid3DblClick()
{
    Session &s = session();
    const int row = StringGrid3->row();
    const report::Shape shape = reports::daysInDivision();
    const QString refused = shape.breakdown.refusal(rowCells(*StringGrid3, row));
    if (!refused.isEmpty()) {
        s.dialogs.message(this, refused);
        return;
    }
    guarded(this, s.dialogs, [&] {
        Panel2->Show_Day_Breakdown(*StringGrid3, row, shape.breakdown.startCol,
                                   shape.breakdown.endCol);
    });
}

// The grid of the tab in front with its title; the groups' from any other tab (the charts).
ServiceSummaryScreen::Front ServiceSummaryScreen::front() const
{
    const int tab = tabResults->currentIndex();
    if (tab == 1)
        return {StringGrid2, summary::openTitle()};
    if (tab == 2)
        return {StringGrid3, reports::daysInDivision().title};
    return {StringGrid1, summary::title()};
}

void ServiceSummaryScreen::btnExp_excelClick()
{
    const Front f = front();
    if (f.grid->cell(0, 1).isEmpty()) {
        session().dialogs.message(this, msg::NotFound);
        return;
    }
    const QString criteria = summary::criteriaLines(result_.request).join(QStringLiteral("  "));
    const spreadsheet::ReportLayout layout =
        f.grid == StringGrid3 ? spreadsheet::daysInDivisionLayout()
                              : spreadsheet::summaryLayout(f.title, criteria, f.grid->colCount());
    guarded(this, session().dialogs, [&] {
        const QString folder =
            exportFolder_.isEmpty() ? spreadsheet::reportsFolder() : exportFolder_;
        exportGrid(*f.grid, layout, folder, openAfterExport_);
    });
}

void ServiceSummaryScreen::btnSavePdfClick()
{
    const Front f = front();
    if (f.grid->cell(0, 1).isEmpty()) {
        session().dialogs.message(this, msg::NotFound);
        return;
    }
    QStringList criteria = summary::criteriaLines(result_.request);
    if (f.grid == StringGrid3)
        criteria << lblDocuments->text(); // whose documents they are
    saveGridPdf(this, session(), *f.grid, f.title, criteria, choosePdfFile);
}

void ServiceSummaryScreen::drawCharts()
{
    const SummaryCharts figures = summaryCharts(result_, officerNames_);
    Charts->updateCharts(figures.months, figures.shares, figures.workingDays);
}

void ServiceSummaryScreen::btnExit1Click()
{
    closeScreen();
}
