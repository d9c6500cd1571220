#include "screens/common/DayBreakdown.h"

#include "core/Messages.h"
#include "core/WorkDays.h"
#include "screens/common/Dialogs.h"
#include "screens/common/Grid.h"

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

DayBreakdownPanel::DayBreakdownPanel(db::Connection &connection, Dialogs &dialogs, QWidget *parent,
                                     BreakdownHeadings headings)
    : QWidget(parent), connection_(connection), dialogs_(dialogs), headings_(headings)
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
    groupLayout->addWidget(StringGrid2->sortAndFind());
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
    return Show_Day_Breakdown(reportGrid.cell(headings_.topic, row),
                              reportGrid.cell(headings_.toWho, row),
                              reportGrid.cell(headings_.fromSite, row),
                              reportGrid.cell(startCol, row), reportGrid.cell(endCol, row));
}

bool DayBreakdownPanel::Show_Day_Breakdown(const QString &topic, const QString &toWho,
                                           const QString &fromSite, const QString &startDate,
                                           const QString &endDate)
{
    const QList<BreakdownDay> days = readDayBreakdown(connection_, startDate, endDate);
    const int n = static_cast<int>(days.size());

    StringGrid2->setColCount(6);
    StringGrid2->setRowCount(2);
    if (n == 0) {
        dialogs_.message(this, msg::NotFound);
        StringGrid2->clearRow(1);
        return false;
    }
    edtTopic2->setText(topic);
    edtTo_Who2->setText(toWho);
    edtFrom_Site2->setText(fromSite);

    StringGrid2->setColWidths({30, 100, 100, 90, 90, 120});
    StringGrid2->setRowCells(0, {QStringLiteral("No"), QStringLiteral("Eng_Date"),
                                 QStringLiteral("Thai Date"), QStringLiteral("Name Of Day"),
                                 QStringLiteral("Day Status"), QStringLiteral("Day Remark")});
    QList<QStringList> rows;
    int h = 0;
    for (int i = 0; i < n; ++i) {
        if (days[i].holiday())
            ++h;
        rows.append(breakdownCells(i + 1, days[i]));
    }
    StringGrid2->fillRows(rows);
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
