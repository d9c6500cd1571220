#include "screens/calendar/UCreate_Calendar.h"

#include "data/Connection.h"
#include "data/Statement.h"
#include "data/schema.h"
#include "screens/common/Dialogs.h"
#include "screens/common/EnterMovesOn.h"
#include "screens/common/Grid.h"
#include "screens/common/Guard.h"
#include "screens/common/Session.h"
#include "util/Utility.h"

#include <QDate>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString Confirm_Save = QStringLiteral("ยืนยันการบันทึกข้อมูล ");
const QString Saved = QStringLiteral("ทำการบันทึกข้อมูลเรียบร้อยแล้ว");
const QString Year_Not_Number = QStringLiteral("กรุณาใส่ปีเป็นตัวเลข");

constexpr int Grid_Columns = 20;

// A year box read as a whole number; blanks around the digits are allowed.
bool readYear(const QLineEdit *edit, int &year)
{
    bool ok = false;
    year = Trim_Text(edit->text()).toInt(&ok);
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

QString Calendar_Years_Error(int first, int last)
{
    if (last < first)
        return {};
    if (first < Calendar_First_Year || last > Calendar_Last_Year)
        return QStringLiteral("กรุณาใส่ปี พ.ศ. ระหว่าง %1 ถึง %2")
            .arg(Calendar_First_Year)
            .arg(Calendar_Last_Year);
    return {};
}

QList<Calendar_Day> Preview_Years(int first, int last)
{
    QList<Calendar_Day> days;
    if (last < first || !Calendar_Years_Error(first, last).isEmpty())
        return days;
    const QLocale locale = QLocale::system();
    // Qt numbers the weekdays 1 = Monday ... 7 = Sunday, the same numbering as column 6.
    QString names[8];
    for (int w = 1; w <= 7; ++w)
        names[w] = locale.dayName(w, QLocale::LongFormat);
    days.reserve((last - first + 1) * 366);
    for (int y = first; y <= last; ++y) {
        const int g = y - Buddhist_Era_Offset;
        const int n = QDate::isLeapYear(g) ? 366 : 365;
        QDate d(g, 1, 1);
        const QString thaiYear = QString::number(y);
        for (int i = 0; i < n; ++i, d = d.addDays(1)) {
            Calendar_Day day;
            day.engDay = Eng_Date_Text(d);
            day.thaiDay = day.engDay.left(6) + thaiYear;
            day.key = Day_Key(day.thaiDay);
            day.weekday = d.dayOfWeek();
            day.nameDay = names[day.weekday];
            day.status = day.weekday >= 6 ? schema::code::Day_Holiday : schema::code::Day_Working;
            days.append(day);
        }
    }
    return days;
}

db::Statement Day_Exists_Statement(const QString &key)
{
    return db::Statement{QStringLiteral("SELECT *"), QStringLiteral("FROM TR_Day_Calendar"),
                         QStringLiteral("where D_YYYYMMDD ='") + db::sqlText(key) +
                             QLatin1Char('\'')};
}

db::Statement Insert_Day_Statement(const Calendar_Day &day)
{
    return db::Statement{QStringLiteral("INSERT INTO TR_Day_Calendar"),
                         QStringLiteral("(D_YYYYMMDD, Eng_Day, Thai_Day"),
                         QStringLiteral(", Name_Day, Day_Status )"),
                         QStringLiteral("VALUES ('") + db::sqlText(day.key) +
                             QStringLiteral("', '") + db::sqlText(day.engDay) +
                             QStringLiteral("', '") + db::sqlText(day.thaiDay) + QLatin1Char('\''),
                         QStringLiteral(", '") + db::sqlText(day.nameDay) + QStringLiteral("', '") +
                             db::sqlText(day.status) + QStringLiteral("')")};
}

int Save_Days(db::Connection &c, const QList<Calendar_Day> &days,
              const std::function<void(int)> &progress)
{
    int inserted = 0;
    for (qsizetype i = 0; i < days.size(); ++i) {
        const Calendar_Day &day = days[i];
        // A grid row no preview filled has no key; storing it would make a day of nothing.
        if (!Trim_Text(day.key).isEmpty()) {
            db::Rows existing = c.select(Day_Exists_Statement(day.key));
            if (!existing.next()) {
                c.execute(Insert_Day_Statement(day));
                ++inserted;
            }
        }
        if (progress)
            progress(static_cast<int>(i + 1));
    }
    return inserted;
}

int Generate_Calendar(db::Connection &c, int first, int last,
                      const std::function<void(int)> &progress)
{
    const QString refused = Calendar_Years_Error(first, last);
    if (!refused.isEmpty())
        throw db::Error(refused);
    return Save_Days(c, Preview_Years(first, last), progress);
}

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
        StringGrid1->setColCount(Grid_Columns);
        StringGrid1->setRowCount(2);
        setHeader(*StringGrid1);
        int first = 0;
        int last = 0;
        if (!readYear(edtBeg_Year, first)) {
            s.dialogs.message(this, Year_Not_Number);
            edtBeg_Year->setFocus();
            return;
        }
        if (!readYear(edtEnd_Year, last)) {
            s.dialogs.message(this, Year_Not_Number);
            edtEnd_Year->setFocus();
            return;
        }
        const QString refused = Calendar_Years_Error(first, last);
        if (!refused.isEmpty()) {
            s.dialogs.message(this, refused);
            (first < Calendar_First_Year ? edtBeg_Year : edtEnd_Year)->setFocus();
            return;
        }
        const QList<Calendar_Day> days = Preview_Years(first, last);
        if (days.isEmpty())
            return;
        StringGrid1->setRowCount(static_cast<int>(days.size()) + 1);
        for (qsizetype i = 0; i < days.size(); ++i) {
            const Calendar_Day &d = days[i];
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

QList<Calendar_Day> TfrmCreate_Calendar::gridDays() const
{
    QList<Calendar_Day> days;
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
    guarded(this, s.dialogs, [&] {
        if (!s.dialogs.confirm(this, Confirm_Save))
            return;
        ProgressBar1->setMaximum(std::max(StringGrid1->rowCount() - 1, 0));
        Save_Days(s.connection, gridDays(), [this](int r) { ProgressBar1->setValue(r); });
        s.dialogs.message(this, Saved);
    });
}

void TfrmCreate_Calendar::btnExit1Click()
{
    closeScreen();
}
