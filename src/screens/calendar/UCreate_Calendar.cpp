#include "screens/calendar/UCreate_Calendar.h"

#include "core/Messages.h"
#include "screens/common/Busy.h"
#include "screens/common/Dialogs.h"
#include "screens/common/EnterMovesOn.h"
#include "screens/common/Grid.h"
#include "screens/common/Guard.h"
#include "screens/common/Session.h"
#include "util/Utility.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int GridColumns = 20;

// A year box read as a whole number; blanks around the digits are allowed.
bool readYear(const QLineEdit *edit, int &year)
{
    bool ok = false;
    year = trimText(edit->text()).toInt(&ok);
    return ok;
}

void setHeader(Grid &g)
{
    static const int widths[] = {30, 110, 120, 110, 90, 90, 90};
    static const char *const headers[] = {"No",          "ปปปปดดวว", "วันเดือนปีค.ศ.",
                                          "วันเดือนปีพ.ศ.", "วัน",       "สถานะวัน"};
    for (int c = 0; c < 7; ++c)
        g.setColWidth(c, widths[c]);
    for (int c = 0; c < 6; ++c)
        g.setCell(c, 0, QString::fromUtf8(headers[c]));
}

} // namespace

TfrmCreate_Calendar::TfrmCreate_Calendar(Session &session, QWidget *parent)
    : Screen(session, QStringLiteral("frmCreate_Calendar"), parent)
{
    edtBeg_Year = new QLineEdit(this);
    edtBeg_Year->setObjectName(QStringLiteral("edtBeg_Year"));
    edtEnd_Year = new QLineEdit(this);
    edtEnd_Year->setObjectName(QStringLiteral("edtEnd_Year"));
    btnShow_Data = new QPushButton(QStringLiteral("แสดงผล"), this);
    btnShow_Data->setObjectName(QStringLiteral("btnShow_Data"));
    Button2 = new QPushButton(QStringLiteral("บันทึกข้อมูล"), this);
    Button2->setObjectName(QStringLiteral("Button2"));
    btnExit1 = new QPushButton(QStringLiteral("กลับสู่เมนูหลัก"), this);
    btnExit1->setObjectName(QStringLiteral("btnExit1"));
    auto *group = new QGroupBox(QStringLiteral("แสดงผล"), this);
    StringGrid1 = new Grid(group);
    StringGrid1->setObjectName(QStringLiteral("StringGrid1"));
    auto *groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(StringGrid1);
    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));

    auto *grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("ปีเริ่มต้น"), this), 0, 0);
    grid->addWidget(edtBeg_Year, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("ถึงปี"), this), 0, 2);
    grid->addWidget(edtEnd_Year, 0, 3);
    grid->addWidget(btnShow_Data, 0, 4);
    grid->addWidget(Button2, 0, 5);
    grid->addWidget(btnExit1, 0, 6);
    grid->addWidget(group, 1, 0, 1, 8);
    grid->addWidget(ProgressBar1, 2, 0, 1, 8);
    grid->setRowStretch(1, 1);
    grid->setColumnStretch(7, 1);

    enterMovesOn({edtBeg_Year, edtEnd_Year});
    enterClicks(btnShow_Data);
    enterClicks(Button2);
    enterClicks(btnExit1);
    connect(btnShow_Data, &QPushButton::clicked, this, &TfrmCreate_Calendar::btnShow_DataClick);
    connect(Button2, &QPushButton::clicked, this, &TfrmCreate_Calendar::Button2Click);
    connect(btnExit1, &QPushButton::clicked, this, &TfrmCreate_Calendar::btnExit1Click);
    FormCreate();
}

void TfrmCreate_Calendar::FormCreate()
{
    edtBeg_Year->setText(QStringLiteral("2555"));
    edtEnd_Year->setText(session().Today_Thai.mid(6, 4));
}

void TfrmCreate_Calendar::btnShow_DataClick()
{
    Session &s = session();
    guarded(this, s.dialogs, [&] {
        StringGrid1->setColCount(GridColumns);
        StringGrid1->setRowCount(2);
        setHeader(*StringGrid1);
        int first = 0;
        int last = 0;
        if (!readYear(edtBeg_Year, first)) {
            s.dialogs.message(this, msg::YearNotNumber);
            edtBeg_Year->setFocus();
            return;
        }
        if (!readYear(edtEnd_Year, last)) {
            s.dialogs.message(this, msg::YearNotNumber);
            edtEnd_Year->setFocus();
            return;
        }
        const QString refused = calendarYearsError(first, last);
        if (!refused.isEmpty()) {
            s.dialogs.message(this, refused);
            (first < CalendarFirstYear ? edtBeg_Year : edtEnd_Year)->setFocus();
            return;
        }
        const QList<CalendarDay> days = previewYears(first, last);
        if (days.isEmpty())
            return;
        StringGrid1->setRowCount(static_cast<int>(days.size()) + 1);
        for (qsizetype i = 0; i < days.size(); ++i) {
            const CalendarDay &d = days[i];
            const int r = static_cast<int>(i + 1);
            StringGrid1->setCell(0, r, QString::number(r));
            StringGrid1->setCell(1, r, d.key);
            StringGrid1->setCell(2, r, d.engDay);
            StringGrid1->setCell(3, r, d.thaiDay);
            StringGrid1->setCell(4, r, d.nameDay);
            StringGrid1->setCell(5, r, d.status);
            StringGrid1->setCell(6, r, QString::number(d.weekday));
        }
    });
}

QList<CalendarDay> TfrmCreate_Calendar::gridDays() const
{
    QList<CalendarDay> days;
    for (int r = 1; r < StringGrid1->rowCount(); ++r) {
        days.append({StringGrid1->cell(1, r), StringGrid1->cell(2, r), StringGrid1->cell(3, r),
                     StringGrid1->cell(4, r), StringGrid1->cell(5, r),
                     StringGrid1->cell(6, r).toInt()});
    }
    return days;
}

void TfrmCreate_Calendar::Button2Click()
{
    Session &s = session();
    if (BusyScope::isBusy(this))
        return;
    guarded(this, s.dialogs, [&] {
        if (!s.dialogs.confirm(this, msg::ConfirmSave))
            return;
        ProgressBar1->setMaximum(std::max(StringGrid1->rowCount() - 1, 0));
        {
            // Years of days take a while: the window keeps painting, nothing else starts.
            BusyScope busy(this);
            saveDays(s.connection, gridDays(), [&](int r) {
                ProgressBar1->setValue(r);
                busy.keepPainting();
            });
        }
        s.dialogs.message(this, msg::Saved);
    });
}

void TfrmCreate_Calendar::btnExit1Click()
{
    closeScreen();
}
