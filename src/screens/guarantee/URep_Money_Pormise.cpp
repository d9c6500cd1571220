#include "screens/guarantee/URep_Money_Pormise.h"

#include "core/Guarantee.h"
#include "core/Messages.h"
#include "screens/common/Dialogs.h"
#include "screens/common/Grid.h"
#include "screens/common/Guard.h"
#include "screens/common/MaskEdit.h"
#include "screens/common/Session.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

TfrmRep_Money_Pormise::TfrmRep_Money_Pormise(Session &session, QWidget *parent)
    : Screen(session, QStringLiteral("frmRep_Money_Pormise"), parent)
{
    setWindowTitle(QStringLiteral("รายงานการบันทึกข้อมูลเงินประกันสัญญา"));
    auto *column = new QVBoxLayout(this);
    auto *choice = new QGroupBox(QStringLiteral("1. เลือกเงือนไข"), this);
    auto *rows = new QGridLayout(choice);
    const auto option = [&](QRadioButton *&radio, MaskEdit *&box, const char *name,
                            const QString &caption, MaskEdit::Kind kind, const char *boxName) {
        radio = new QRadioButton(caption, choice);
        radio->setObjectName(QLatin1String(name));
        box = new MaskEdit(kind, choice);
        box->setObjectName(QLatin1String(boxName));
        const int r = rows->rowCount();
        rows->addWidget(radio, r, 0);
        rows->addWidget(box, r, 1);
    };
    option(RadioButton1, edtDDMMYY_Search, "RadioButton1", QStringLiteral("วันที่บันทึก"),
           MaskEdit::Kind::Date, "edtDDMMYY_Search");
    option(RadioButton2, edtMMYY_Search, "RadioButton2", QStringLiteral("เดือนปีที่บันทึก"),
           MaskEdit::Kind::MonthYear, "edtMMYY_Search");
    option(RadioButton3, edtYY_Search, "RadioButton3", QStringLiteral("ปีที่บันทึก"),
           MaskEdit::Kind::Year, "edtYY_Search");
    auto *search = new QPushButton(QStringLiteral("ค้นหาข้อมูล"), choice);
    search->setObjectName(QStringLiteral("btnSearch_data"));
    auto *exit = new QPushButton(QStringLiteral("กลับสู่เมนูหลัก"), choice);
    exit->setObjectName(QStringLiteral("btnExit1"));
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(search);
    buttons->addWidget(exit);
    buttons->addStretch();
    rows->addLayout(buttons, rows->rowCount(), 0, 1, 2);
    rows->setColumnStretch(2, 1);
    column->addWidget(choice);

    auto *shown = new QGroupBox(QStringLiteral("2. แสดงข้อมูลตามเงื่อนไข"), this);
    auto *inside = new QVBoxLayout(shown);
    StringGrid1 = new Grid(shown);
    StringGrid1->setObjectName(QStringLiteral("StringGrid1"));
    inside->addWidget(StringGrid1->sortAndFind());
    inside->addWidget(StringGrid1);
    column->addWidget(shown, 1);

    connect(search, &QPushButton::clicked, this, &TfrmRep_Money_Pormise::btnSearch_dataClick);
    connect(exit, &QPushButton::clicked, this, &TfrmRep_Money_Pormise::btnExit1Click);
    FormCreate();
}

void TfrmRep_Money_Pormise::FormCreate()
{
    const QString &today = session().Today_Thai;
    RadioButton1->setChecked(true);
    edtDDMMYY_Search->setText(today);
    edtMMYY_Search->setText(today.mid(3, 7));
    edtYY_Search->setText(today.mid(6, 4));
}

void TfrmRep_Money_Pormise::btnSearch_dataClick()
{
    Session &s = session();
    guarded(this, s.dialogs, [&] {
        using guarantee::RegisterBy;
        const RegisterBy by = RadioButton1->isChecked()   ? RegisterBy::Day
                              : RadioButton2->isChecked() ? RegisterBy::Month
                                                          : RegisterBy::Year;
        MaskEdit *box = by == RegisterBy::Day     ? edtDDMMYY_Search
                        : by == RegisterBy::Month ? edtMMYY_Search
                                                  : edtYY_Search;
        const QString text = box->text();
        const QAbstractButton *choice = by == RegisterBy::Day     ? RadioButton1
                                        : by == RegisterBy::Month ? RadioButton2
                                                                  : RadioButton3;
        const QString problem = guarantee::registerProblem(by, text, choice->text());
        if (!problem.isEmpty()) {
            s.dialogs.message(this, problem);
            box->setFocus();
            return;
        }
        StringGrid1->setColCount(6);
        StringGrid1->setRowCount(2);
        const QList<QStringList> rows = guarantee::registerRows(s.connection, by, text);
        if (rows.isEmpty()) {
            s.dialogs.message(this, msg::NotFound);
            StringGrid1->clearRow(1);
            return;
        }
        StringGrid1->setColWidths(guarantee::registerWidths());
        StringGrid1->setRowCells(0, guarantee::registerHeaders());
        StringGrid1->fillRows(rows);
    });
}

void TfrmRep_Money_Pormise::btnExit1Click()
{
    closeScreen();
}
