#include "screens/calendar/UEntry_Stop_Day.h"

#include "core/Messages.h"
#include "screens/common/Dialogs.h"
#include "screens/common/EnterMovesOn.h"
#include "screens/common/Grid.h"
#include "screens/common/Guard.h"
#include "screens/common/Session.h"
#include "screens/reference/ReferenceScreen.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QPushButton>
#include <QVBoxLayout>

TfrmEntry_Stop_Day::TfrmEntry_Stop_Day(Session &session, QWidget *parent)
    : Screen(session, QStringLiteral("frmEntry_Stop_Day"), parent)
{
    auto *group = new QGroupBox(QStringLiteral("แสดงรายการ"), this);
    StringGrid1 = new Grid(group);
    StringGrid1->setObjectName(QStringLiteral("StringGrid1"));
    auto *groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(StringGrid1);
    btnShow_Data = new QPushButton(QStringLiteral("btnShow_Data"), this);
    btnShow_Data->setObjectName(QStringLiteral("btnShow_Data"));
    btnEdit_Data = new QPushButton(QStringLiteral("ประมวลผลวันหยุด ลงฐานข้อมูล"), this);
    btnEdit_Data->setObjectName(QStringLiteral("btnEdit_Data"));
    btnAdd_Data = new QPushButton(QStringLiteral("เพิ่มข้อมูล"), this);
    btnAdd_Data->setObjectName(QStringLiteral("btnAdd_Data"));
    btnExit1 = new QPushButton(QStringLiteral("กลับสู่เมนูหลัก"), this);
    btnExit1->setObjectName(QStringLiteral("btnExit1"));

    auto *grid = new QGridLayout(this);
    grid->addWidget(group, 0, 0, 1, 5);
    grid->addWidget(btnShow_Data, 1, 0);
    grid->addWidget(btnEdit_Data, 1, 1);
    grid->addWidget(btnAdd_Data, 1, 2);
    grid->addWidget(btnExit1, 1, 3);
    grid->setRowStretch(0, 1);
    grid->setColumnStretch(4, 1);

    for (QPushButton *b : {btnShow_Data, btnEdit_Data, btnAdd_Data, btnExit1})
        enterClicks(b);
    connect(btnShow_Data, &QPushButton::clicked, this, &TfrmEntry_Stop_Day::btnShow_DataClick);
    connect(btnEdit_Data, &QPushButton::clicked, this, &TfrmEntry_Stop_Day::btnEdit_DataClick);
    connect(btnAdd_Data, &QPushButton::clicked, this, &TfrmEntry_Stop_Day::btnAdd_DataClick);
    connect(btnExit1, &QPushButton::clicked, this, &TfrmEntry_Stop_Day::btnExit1Click);
    FormCreate();
}

void TfrmEntry_Stop_Day::FormCreate()
{
    btnShow_DataClick();
}

void TfrmEntry_Stop_Day::showList()
{
    StringGrid1->setColCount(5);
    StringGrid1->setRowCount(2);
    StringGrid1->setColWidth(0, 50);
    StringGrid1->setColWidth(1, 90);
    StringGrid1->setColWidth(2, 90);
    StringGrid1->setCell(0, 0, QStringLiteral("No. "));
    StringGrid1->setCell(1, 0, QStringLiteral("Date(DD/MM)"));
    StringGrid1->setCell(2, 0, QStringLiteral("ชื่อวันหยุด"));
    // A refreshed list shows no holiday the catalog no longer holds.
    StringGrid1->clearRow(1);
    const QList<HardStopDay> days = readStopDays(session().connection);
    if (!days.isEmpty())
        StringGrid1->setRowCount(static_cast<int>(days.size()) + 1);
    for (qsizetype i = 0; i < days.size(); ++i) {
        const int r = static_cast<int>(i + 1);
        StringGrid1->setCell(0, r, QString::number(r));
        StringGrid1->setCell(1, r, days[i].ddmm);
        StringGrid1->setCell(2, r, days[i].remark);
    }
}

void TfrmEntry_Stop_Day::btnShow_DataClick()
{
    guarded(this, session().dialogs, [&] { showList(); });
}

void TfrmEntry_Stop_Day::btnEdit_DataClick()
{
    Session &s = session();
    guarded(this, s.dialogs, [&] {
        if (!s.dialogs.confirm(this, msg::ConfirmSave))
            return;
        markHolidays(s.connection);
        s.dialogs.message(this, msg::Saved);
    });
}

void TfrmEntry_Stop_Day::btnAdd_DataClick()
{
    Session &s = session();
    guarded(this, s.dialogs, [&] {
        if (!s.openScreen)
            return;
        Screen *upkeep = s.openScreen(QLatin1String(reference_items::Holidays));
        // Back from the upkeep, the list shows what it changed.
        if (upkeep)
            connect(upkeep, &QObject::destroyed, this, [this] { btnShow_DataClick(); });
    });
}

void TfrmEntry_Stop_Day::btnExit1Click()
{
    closeScreen();
}
