#include "screens/common/DayBreakdown.h"

#include "data/Connection.h"
#include "data/Statement.h"
#include "screens/common/Dialogs.h"
#include "screens/common/Grid.h"
#include "util/Utility.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QLineEdit *shownOnly(QWidget *parent, const char *name)
{
    auto *e = new QLineEdit(parent);
    e->setObjectName(QLatin1String(name));
    e->setEnabled(false);
    return e;
}

QLabel *label(QWidget *parent, const QString &text)
{
    return new QLabel(text, parent);
}

} // namespace

db::Statement Day_Breakdown_Statement(const QString &k1, const QString &k2)
{
    return db::Statement{QStringLiteral("SELECT *"), QStringLiteral("FROM TR_Day_Calendar"),
                         QStringLiteral("Where D_YYYYMMDD between '") + db::sqlText(k1) +
                             QStringLiteral("' and '") + db::sqlText(k2) + QLatin1Char('\''),
                         QStringLiteral("Order by D_YYYYMMDD")};
}

DayBreakdownPanel::DayBreakdownPanel(db::Connection &connection, Dialogs &dialogs, QWidget *parent)
    : QWidget(parent), connection_(connection), dialogs_(dialogs)
{
    setObjectName(QStringLiteral("Panel2"));
    setAutoFillBackground(true);
    edtTopic2 = shownOnly(this, "edtTopic2");
    edtTo_Who2 = shownOnly(this, "edtTo_Who2");
    edtFrom_Site2 = shownOnly(this, "edtFrom_Site2");
    edtNo_Date = shownOnly(this, "edtNo_Date");
    edtNo_Stop_Day = shownOnly(this, "edtNo_Stop_Day");
    edtSum1 = shownOnly(this, "edtSum1");
    Button1 = new QPushButton(QStringLiteral("ออก"), this);
    Button1->setObjectName(QStringLiteral("Button1"));

    auto *group = new QGroupBox(QStringLiteral("รายงานจำนวนวัน"), this);
    StringGrid2 = new Grid(group);
    StringGrid2->setObjectName(QStringLiteral("StringGrid2"));
    auto *groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(StringGrid2);

    auto *grid = new QGridLayout(this);
    grid->addWidget(label(this, QStringLiteral("Topic")), 0, 0);
    grid->addWidget(edtTopic2, 0, 1, 1, 3);
    grid->addWidget(label(this, QStringLiteral("To_Who")), 1, 0);
    grid->addWidget(edtTo_Who2, 1, 1, 1, 3);
    grid->addWidget(label(this, QStringLiteral("From Site")), 2, 0);
    grid->addWidget(edtFrom_Site2, 2, 1, 1, 3);
    grid->addWidget(group, 3, 0, 1, 4);
    grid->addWidget(label(this, QStringLiteral("จำนวนวัน")), 4, 0);
    grid->addWidget(edtNo_Date, 4, 1);
    grid->addWidget(label(this, QStringLiteral("วัน")), 4, 2);
    grid->addWidget(label(this, QStringLiteral("จำนวนวันหยุด")), 5, 0);
    grid->addWidget(edtNo_Stop_Day, 5, 1);
    grid->addWidget(label(this, QStringLiteral("วัน")), 5, 2);
    grid->addWidget(label(this, QStringLiteral("จำนวนวันทำการ")), 6, 0);
    grid->addWidget(edtSum1, 6, 1);
    grid->addWidget(label(this, QStringLiteral("วัน")), 6, 2);
    grid->addWidget(Button1, 6, 3, Qt::AlignRight);
    grid->setRowStretch(3, 1);
    grid->setColumnStretch(3, 1);

    connect(Button1, &QPushButton::clicked, this, &DayBreakdownPanel::Button1Click);
    hide();
}

bool DayBreakdownPanel::Show_Day_Breakdown(Grid &reportGrid, int row, int startCol, int endCol)
{
    return Show_Day_Breakdown(reportGrid.cell(4, row), reportGrid.cell(5, row),
                              reportGrid.cell(6, row), reportGrid.cell(startCol, row),
                              reportGrid.cell(endCol, row));
}

bool DayBreakdownPanel::Show_Day_Breakdown(const QString &topic, const QString &toWho,
                                           const QString &fromSite, const QString &startDate,
                                           const QString &endDate)
{
    const QString k1 = Day_Key(Norm_Date_Text(startDate));
    const QString k2 = Day_Key(Norm_Date_Text(endDate));
    struct Day {
        QString eng, thai, name, status, remark;
    };
    QList<Day> days;
    db::Rows rows = connection_.select(Day_Breakdown_Statement(k1, k2));
    while (rows.next()) {
        days.append({rows.text(QStringLiteral("Eng_Day")), rows.text(QStringLiteral("Thai_Day")),
                     rows.text(QStringLiteral("Name_Day")), rows.text(QStringLiteral("Day_Status")),
                     rows.text(QStringLiteral("Day_Remark"))});
    }
    const int n = static_cast<int>(days.size());

    StringGrid2->setColCount(6);
    StringGrid2->setRowCount(2);
    if (n == 0) {
        dialogs_.message(this, QStringLiteral("ไม่พบข้อมูลที่ต้องการ"));
        StringGrid2->clearRow(1);
        return false;
    }
    edtTopic2->setText(topic);
    edtTo_Who2->setText(toWho);
    edtFrom_Site2->setText(fromSite);

    static const int widths[] = {30, 100, 100, 90, 90, 120};
    static const char *const headers[] = {"No",          "Eng_Date",   "Thai Date",
                                          "Name Of Day", "Day Status", "Day Remark"};
    for (int c = 0; c < 6; ++c) {
        StringGrid2->setColWidth(c, widths[c]);
        StringGrid2->setCell(c, 0, QLatin1String(headers[c]));
    }
    StringGrid2->setRowCount(n + 1);
    int h = 0;
    for (int i = 0; i < n; ++i) {
        const Day &d = days[i];
        // Status compares as the catalog's counting query does: letter case aside.
        const bool holiday = d.status.compare(QLatin1String("S"), Qt::CaseInsensitive) == 0;
        if (holiday)
            ++h;
        const int r = i + 1;
        StringGrid2->setCell(0, r, QString::number(r));
        StringGrid2->setCell(1, r, u'\'' + d.eng);
        StringGrid2->setCell(2, r, u'\'' + Trim_Space(d.thai));
        StringGrid2->setCell(3, r, Trim_Space(d.name));
        StringGrid2->setCell(4, r, holiday ? QStringLiteral("วันหยุด") : QStringLiteral("-"));
        StringGrid2->setCell(5, r, Trim_Space(d.remark));
    }
    edtNo_Date->setText(QString::number(n));
    edtNo_Stop_Day->setText(QString::number(h));
    edtSum1->setText(QString::number(n - h));
    show();
    raise();
    return true;
}

void DayBreakdownPanel::Button1Click()
{
    hide();
}
