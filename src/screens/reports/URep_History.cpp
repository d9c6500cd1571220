#include "screens/reports/URep_History.h"

#include "core/AuditTrail.h"
#include "core/Messages.h"
#include "screens/common/Busy.h"
#include "screens/common/CriteriaPanel.h"
#include "screens/common/Dialogs.h"
#include "screens/common/Grid.h"
#include "screens/common/Guard.h"
#include "screens/common/ReportParts.h"
#include "screens/common/Session.h"
#include "util/ThaiDate.h"

#include <QGroupBox>
#include <QLocale>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString Title = QStringLiteral("ประวัติการแก้ไขข้อมูล");

QList<criteria::Criterion> historyCriteria()
{
    using criteria::Input;
    criteria::Criterion key = criteria::makeCriterion(
        QStringLiteral("CheckBox1"), QStringLiteral("เลขที่เอกสาร (รหัส)"), QStringLiteral("edtRow_Key1"),
        Input::Text, {}, {});
    criteria::Criterion period = criteria::makeCriterion(
        QStringLiteral("CheckBox2"), QStringLiteral("วันที่แก้ไข"), QStringLiteral("edtDate_Beg1"),
        Input::DateRange, {}, {});
    period.field2 = QStringLiteral("edtDate_End1");
    period.label2 = QStringLiteral("ถึงวันที่");
    period.initial = criteria::Initial::TodayThai;
    criteria::Criterion user = criteria::makeCriterion(
        QStringLiteral("CheckBox3"), QStringLiteral("ผู้ใช้"), QStringLiteral("edtUser_Name1"),
        Input::Text, {}, {});
    return {key, period, user};
}

} // namespace

TfrmRep_History::TfrmRep_History(Session &session, QWidget *parent)
    : Screen(session, QStringLiteral("frmRep_History"), parent)
{
    setWindowTitle(Title);
    auto *column = new QVBoxLayout(this);
    column->addWidget(reportTitle(this, Title));
    CriteriaBox box = criteriaBox(this, historyCriteria());
    criteria_ = std::move(box.panel);
    column->addWidget(box.box);
    auto *result = new QGroupBox(QStringLiteral("2. รายการที่ต้องการ"), this);
    auto *inside = new QVBoxLayout(result);
    Label2 = new QLabel(result);
    Label2->setObjectName(QStringLiteral("Label2"));
    StringGrid1 = new Grid(result);
    StringGrid1->setObjectName(QStringLiteral("StringGrid1"));
    inside->addWidget(StringGrid1->sortAndFind());
    inside->addWidget(StringGrid1, 1);
    inside->addWidget(Label2);
    column->addWidget(result, 1);
    connect(box.btnSelect_Data, &QPushButton::clicked, this, &TfrmRep_History::btnSelect_DataClick);
    connect(box.btnExit1, &QPushButton::clicked, this, &TfrmRep_History::btnExit1Click);
    criteria_->reset(session.Today_Thai);
    StringGrid1->setColCount(int(audit::header().size()) + 1);
    StringGrid1->setRowCount(2);
    StringGrid1->setRowCells(0, QStringList{QStringLiteral("No")} + audit::header());
}

TfrmRep_History::~TfrmRep_History() = default;

void TfrmRep_History::btnSelect_DataClick()
{
    Session &s = session();
    if (BusyScope::isBusy(this))
        return;
    if (!criteria_->datesReal([&](const QString &text) { s.dialogs.message(this, text); }))
        return;
    const criteria::Entered entered = criteria_->entered();
    audit::Filter filter;
    filter.newest = Newest;
    if (entered.value(0))
        filter.key = entered.value(0)->value(0).trimmed();
    if (entered.value(1)) {
        filter.from = typedDayOf(entered.value(1)->value(0));
        filter.to = typedDayOf(entered.value(1)->value(1));
    }
    if (entered.value(2))
        filter.user = entered.value(2)->value(0).trimmed();
    QList<audit::Entry> found;
    guarded(this, s.dialogs, [&] {
        BusyScope busy(this);
        audit::read(s.connection, filter, [&](const audit::Entry &e) {
            found.append(e);
            busy.keepPainting();
        });
    });
    StringGrid1->setRowCount(2);
    StringGrid1->clearRow(1);
    if (found.isEmpty()) {
        Label2->clear();
        s.dialogs.message(this, msg::NotFound);
        return;
    }
    QList<QStringList> rows;
    for (const audit::Entry &e : std::as_const(found)) {
        for (const QStringList &line : audit::lines(e))
            rows.append(QStringList{QString::number(rows.size() + 1)} + line);
    }
    StringGrid1->setColWidths({30, 100, 60, 50, 115, 95, 110, 170, 170});
    StringGrid1->fillRows(rows);
    Label2->setText(found.size() >= Newest
                        ? QStringLiteral("แสดง %1 รายการล่าสุด (ระบุเงื่อนไขเพิ่มเพื่อดูรายการที่เก่ากว่า)")
                              .arg(QLocale(QLocale::English).toString(Newest))
                        : QStringLiteral("%1 รายการ %2 บรรทัด").arg(found.size()).arg(rows.size()));
}

void TfrmRep_History::btnExit1Click()
{
    closeScreen();
}
