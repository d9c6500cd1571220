#include "screens/common/ReportScreen.h"

#include "core/Messages.h"
#include "core/Reports.h"
#include "screens/common/Busy.h"
#include "screens/common/CriteriaPanel.h"
#include "screens/common/DayBreakdown.h"
#include "screens/common/Dialogs.h"
#include "screens/common/Grid.h"
#include "screens/common/GridExport.h"
#include "screens/common/Guard.h"
#include "screens/common/ReportParts.h"
#include "screens/common/Session.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

ReportScreen::ReportScreen(Session &session, report::Shape shape, Layout layout, QWidget *parent)
    : Screen(session, shape.objectName, parent), shape_(std::move(shape)),
      layout_(std::move(layout))
{
    choosePdfFile = askReportPdfFile;
    setWindowTitle(shape_.title);
    auto *outer = new QGridLayout(this);
    auto *page = new QWidget(this);
    auto *column = new QVBoxLayout(page);
    Label1 = reportTitle(page, shape_.title);
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
    CriteriaBox made = criteriaBox(this, shape_.criteria);
    criteria_ = std::move(made.panel);
    btnSelect_Data = made.btnSelect_Data;
    btnExit1 = made.btnExit1;
    connect(btnSelect_Data, &QPushButton::clicked, this, &ReportScreen::btnSelect_DataClick);
    connect(btnExit1, &QPushButton::clicked, this, &ReportScreen::btnExit1Click);
    return made.box;
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
    const ExportButtons exports = exportButtons(box, inside);
    btnExp_excel = exports.btnExp_excel;
    btnSavePdf = exports.btnSavePdf;
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
    if (!criteria_->datesReal([&](const QString &text) { s.dialogs.message(this, text); }))
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
    saveGridPdf(this, s, *StringGrid1, shape_.title, *shownCriteria_, choosePdfFile);
}

void ReportScreen::btnExit1Click()
{
    closeScreen();
}
