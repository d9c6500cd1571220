#include "screens/guarantee/UEntry_DateRecCheque.h"

#include "core/Guarantee.h"
#include "core/Messages.h"
#include "data/Deployment.h"
#include "screens/common/CriteriaPanel.h"
#include "screens/common/Dialogs.h"
#include "screens/common/Grid.h"
#include "screens/common/Guard.h"
#include "screens/common/MaskEdit.h"
#include "screens/common/Session.h"
#include "screens/guarantee/GuaranteeForm.h"
#include "util/ThaiDate.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

const QString Title = QStringLiteral("การบันทึกวันที่รับเช็ค");

QPushButton *button(QWidget *parent, const char *name, const QString &caption)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    return b;
}

QLabel *title(QWidget *parent)
{
    auto *l = new QLabel(Title, parent);
    l->setAlignment(Qt::AlignCenter);
    QFont f = l->font();
    f.setBold(true);
    f.setPointSizeF(f.pointSizeF() * 1.4);
    l->setFont(f);
    return l;
}

} // namespace

TfrmEntry_DateRecCheque::TfrmEntry_DateRecCheque(Session &session, QWidget *parent)
    : Screen(session, QStringLiteral("frmEntry_DateRecCheque"), parent)
{
    setWindowTitle(Title);
    auto *stack = new QGridLayout(this);
    stack->addWidget(buildSearch(), 0, 0);
    stack->addWidget(buildRecord(), 0, 0);
    FormCreate();
}

TfrmEntry_DateRecCheque::~TfrmEntry_DateRecCheque() = default;

QWidget *TfrmEntry_DateRecCheque::buildSearch()
{
    Panel1 = new QWidget(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    auto *column = new QVBoxLayout(Panel1);
    column->addWidget(title(Panel1));
    FinderGroups finder = addFinderGroups(Panel1, column, QStringLiteral("3. บันทึกวันที่รับเช็ค"));
    filters_ = std::move(finder.filters);
    StringGrid1 = finder.grid;
    // The kind of work, before the search button; back to the menu after it.
    RadioButton1 = new QRadioButton(QStringLiteral("เพิ่มข้อมูล"), Panel1);
    RadioButton1->setObjectName(QStringLiteral("RadioButton1"));
    RadioButton2 = new QRadioButton(QStringLiteral("แก้ไขข้อมูล"), Panel1);
    RadioButton2->setObjectName(QStringLiteral("RadioButton2"));
    QPushButton *exit = button(Panel1, "btnExit1", QStringLiteral("กลับสู่เมนูหลัก"));
    finder.buttonLine->insertWidget(0, RadioButton1);
    finder.buttonLine->insertWidget(1, RadioButton2);
    finder.buttonLine->insertSpacing(2, 20);
    finder.buttonLine->insertWidget(4, exit);
    connect(finder.search, &QPushButton::clicked, this,
            &TfrmEntry_DateRecCheque::btnSearch_DataClick);
    connect(exit, &QPushButton::clicked, this, &TfrmEntry_DateRecCheque::btnExit1Click);
    connect(finder.load, &QPushButton::clicked, this, &TfrmEntry_DateRecCheque::btnEdit_Data4Click);
    return Panel1;
}

QWidget *TfrmEntry_DateRecCheque::buildRecord()
{
    Panel2 = new QWidget(this);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    Panel2->setAutoFillBackground(true);
    auto *column = new QVBoxLayout(Panel2);
    column->addWidget(title(Panel2));
    auto *fields = new QGridLayout;
    form_ = std::make_unique<GuaranteeForm>(Panel2, fields, false, false);
    edtModified_Date = new MaskEdit(MaskEdit::Kind::Date, Panel2);
    edtModified_Date->setObjectName(QStringLiteral("edtModified_Date"));
    const int r = fields->rowCount();
    fields->addWidget(new QLabel(guarantee::ReceiptDateCaption, Panel2), r, 0);
    fields->addWidget(edtModified_Date, r, 1);
    column->addLayout(fields);
    QPushButton *save = button(Panel2, "btnSave1", QStringLiteral("บันทึกข้อมูล"));
    QPushButton *leave = button(Panel2, "btnExit2", QStringLiteral("ออก"));
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(save);
    buttons->addWidget(leave);
    buttons->addStretch();
    column->addLayout(buttons);
    column->addStretch(1);
    connect(save, &QPushButton::clicked, this, &TfrmEntry_DateRecCheque::btnSave1Click);
    connect(leave, &QPushButton::clicked, this, &TfrmEntry_DateRecCheque::btnExit2Click);
    return Panel2;
}

void TfrmEntry_DateRecCheque::FormCreate()
{
    filters_->reset(session().Today_Thai);
    resetFinderGrid(*StringGrid1);
    RadioButton1->setChecked(true);
    Panel2->hide();
}

bool TfrmEntry_DateRecCheque::search()
{
    const QString state =
        RadioButton1->isChecked() ? guarantee::waitingLine() : guarantee::finishedLine();
    return searchFinder(session(), this, *StringGrid1, filters_->entered(), {state});
}

void TfrmEntry_DateRecCheque::btnSearch_DataClick()
{
    guarded(this, session().dialogs, [this] { search(); });
}

void TfrmEntry_DateRecCheque::btnEdit_Data4Click()
{
    Session &s = session();
    guarded(this, s.dialogs, [&] {
        loaded_ = loadSelected(s, this, *StringGrid1);
        if (!loaded_)
            return;
        showLoaded();
        Panel2->show();
        Panel2->raise();
    });
}

void TfrmEntry_DateRecCheque::btnSave1Click()
{
    Session &s = session();
    guarded(this, s.dialogs, [&] {
        const QString date = edtModified_Date->text();
        if (guarantee::untouchedDate(date)) {
            s.dialogs.message(this, QStringLiteral("กรุณาใส่วันที่รับเช็คด้วย"));
            edtModified_Date->setFocus();
            return;
        }
        if (!typedDayOf(date).isValid()) {
            s.dialogs.message(this, msg::notADay(guarantee::ReceiptDateCaption, date));
            edtModified_Date->setFocus();
            return;
        }
        if (!s.dialogs.confirm(this, msg::ConfirmSave))
            return;
        if (!loaded_)
            return;
        QList<loaded::Change> changed;
        const loaded::Outcome outcome =
            guarantee::receive(s.connection, loaded_->key, date, loaded_->stored, &changed);
        if (!savedOver(s, this, outcome, changed, [&] {
                loaded_ = loadAgain(s, this, loaded_->key);
                if (loaded_)
                    showLoaded();
            }))
            return;
        Panel2->hide();
        search();
    });
}

void TfrmEntry_DateRecCheque::showLoaded()
{
    form_->show(loaded_->stored.form);
    // A waiting document starts with an empty date; a finished one with its own.
    if (RadioButton1->isChecked())
        edtModified_Date->clear();
    else
        edtModified_Date->setText(loaded_->stored.modifiedDate);
}

void TfrmEntry_DateRecCheque::btnExit2Click()
{
    Panel2->hide();
}

void TfrmEntry_DateRecCheque::btnExit1Click()
{
    closeScreen();
}
