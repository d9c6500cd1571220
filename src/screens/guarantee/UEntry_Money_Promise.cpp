#include "screens/guarantee/UEntry_Money_Promise.h"

#include "core/Guarantee.h"
#include "core/GuaranteeNotice.h"
#include "core/Messages.h"
#include "data/Deployment.h"
#include "screens/common/CriteriaPanel.h"
#include "screens/common/Dialogs.h"
#include "screens/common/EnterMovesOn.h"
#include "screens/common/Grid.h"
#include "screens/common/Guard.h"
#include "screens/common/MaskEdit.h"
#include "screens/common/Session.h"
#include "screens/guarantee/GuaranteeForm.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

const QString Title = QStringLiteral("การบันทึกเงินประกันสัญญา");

QPushButton *button(QWidget *parent, const char *name, const QString &caption)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    return b;
}

QWidget *panel(QWidget *parent, const char *name)
{
    auto *p = new QWidget(parent);
    p->setObjectName(QLatin1String(name));
    p->setAutoFillBackground(true);
    return p;
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

bool isEnter(QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<QKeyEvent *>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

} // namespace

TfrmEntry_Money_Promise::TfrmEntry_Money_Promise(Session &session, QWidget *parent)
    : Screen(session, QStringLiteral("frmEntry_Money_Promise"), parent)
{
    setWindowTitle(Title);
    auto *stack = new QGridLayout(this);
    // From the bottom: the buttons, the finder, the form; the key panel at the foot, so the
    // buttons beside it stay usable.
    stack->addWidget(buildButtons(), 0, 0);
    stack->addWidget(buildFinder(), 0, 0);
    stack->addWidget(buildForm(), 0, 0);
    stack->addWidget(buildKey(), 0, 0, Qt::AlignBottom);
    printNotice = [this](const QString &key) { previewStoredNotice(key); };
    FormCreate();
}

TfrmEntry_Money_Promise::~TfrmEntry_Money_Promise() = default;

QWidget *TfrmEntry_Money_Promise::buildButtons()
{
    Panel1 = panel(this, "Panel1");
    auto *column = new QVBoxLayout(Panel1);
    column->addWidget(title(Panel1));
    auto *row = new QHBoxLayout;
    QPushButton *add = button(Panel1, "btnAdd_Data", QStringLiteral("เพิ่มข้อมูล"));
    QPushButton *edit = button(Panel1, "btnEdit_Data", QStringLiteral("แก้ไขข้อมูล"));
    QPushButton *exit = button(Panel1, "btnExit", QStringLiteral("กลับสู่เมนูหลัก"));
    row->addWidget(add);
    row->addWidget(edit);
    row->addWidget(exit);
    row->addStretch();
    column->addLayout(row);
    column->addStretch(1);
    connect(add, &QPushButton::clicked, this, &TfrmEntry_Money_Promise::btnAdd_DataClick);
    connect(edit, &QPushButton::clicked, this, &TfrmEntry_Money_Promise::btnEdit_DataClick);
    connect(exit, &QPushButton::clicked, this, &TfrmEntry_Money_Promise::btnExitClick);
    return Panel1;
}

QWidget *TfrmEntry_Money_Promise::buildFinder()
{
    Panel4 = panel(this, "Panel4");
    auto *column = new QVBoxLayout(Panel4);
    column->addWidget(title(Panel4));
    FinderGroups finder = addFinderGroups(Panel4, column, QStringLiteral("แก้ไขข้อมูล"));
    filters_ = std::move(finder.filters);
    StringGrid1 = finder.grid;
    QPushButton *leave = button(Panel4, "btnExit4", QStringLiteral("ออก"));
    finder.buttonLine->insertWidget(1, leave);
    connect(finder.search, &QPushButton::clicked, this,
            &TfrmEntry_Money_Promise::btnSearch_DataClick);
    connect(leave, &QPushButton::clicked, this, &TfrmEntry_Money_Promise::btnExit4Click);
    connect(finder.load, &QPushButton::clicked, this, &TfrmEntry_Money_Promise::btnEdit_Data4Click);
    return Panel4;
}

QWidget *TfrmEntry_Money_Promise::buildForm()
{
    Panel2 = panel(this, "Panel2");
    auto *column = new QVBoxLayout(Panel2);
    column->addWidget(title(Panel2));
    auto *fields = new QGridLayout;
    form_ = std::make_unique<GuaranteeForm>(Panel2, fields, true, true);
    column->addLayout(fields);
    QPushButton *save = button(Panel2, "btnSave1", QStringLiteral("บันทึกข้อมูล"));
    QPushButton *leave = button(Panel2, "btnExit1", QStringLiteral("ออก"));
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(save);
    buttons->addWidget(leave);
    buttons->addStretch();
    column->addLayout(buttons);
    column->addStretch(1);
    enterMovesOn({form_->edtFromSite, form_->edtTopic, form_->edtFrom_Unit, form_->edtVendor_Fax,
                  form_->edtVendor_Tel, form_->edtTo_Who, form_->edtDate_Into_Fin,
                  form_->edtDeega_Remark});
    // These two do their own work on Enter before moving on.
    form_->edtNo_Money->installEventFilter(this);
    form_->edtDocNoDate->installEventFilter(this);
    connect(save, &QPushButton::clicked, this, &TfrmEntry_Money_Promise::btnSave1Click);
    connect(leave, &QPushButton::clicked, this, &TfrmEntry_Money_Promise::btnExit1Click);
    return Panel2;
}

QWidget *TfrmEntry_Money_Promise::buildKey()
{
    Panel3 = panel(this, "Panel3");
    auto *row = new QHBoxLayout(Panel3);
    Label11 = new QLabel(Panel3);
    Label11->setObjectName(QStringLiteral("Label11"));
    QFont big = Label11->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 2);
    Label11->setFont(big);
    Label11->setStyleSheet(QStringLiteral("color: #008000; background: #ffff00;"));
    QPushButton *print = button(Panel3, "btnPrintDoc", QStringLiteral("พิมพ์เอกสาร"));
    row->addWidget(Label11, 1);
    row->addWidget(print);
    // The notice's two key labels: the print takes the key from QRL_DocNo.
    QRL_DocNo = new QLabel(Panel3);
    QRL_DocNo->setObjectName(QStringLiteral("QRL_DocNo"));
    QRL_DocNo->hide();
    QRL_DocNo1 = new QLabel(Panel3);
    QRL_DocNo1->setObjectName(QStringLiteral("QRL_DocNo1"));
    QRL_DocNo1->hide();
    connect(print, &QPushButton::clicked, this, &TfrmEntry_Money_Promise::btnPrintDocClick);
    return Panel3;
}

void TfrmEntry_Money_Promise::FormCreate()
{
    Panel2->hide();
    Panel3->hide();
    Panel4->hide();
    form_->RadioButton1->setChecked(true);
}

void TfrmEntry_Money_Promise::btnAdd_DataClick()
{
    Save_Mode = 1;
    Panel2->show();
    Panel2->raise();
    Panel3->raise();
    form_->edtDocNoDate->setEnabled(true);
    btnClear_FormClick();
    form_->edtFromSite->setFocus();
}

void TfrmEntry_Money_Promise::btnClear_FormClick()
{
    // The radio buttons keep their state.
    form_->clear();
}

void TfrmEntry_Money_Promise::btnEdit_DataClick()
{
    Save_Mode = 2;
    Panel4->show();
    Panel4->raise();
    Panel3->raise();
    filters_->reset(session().Today_Thai);
    resetFinderGrid(*StringGrid1);
    form_->edtDocNoDate->setEnabled(false);
}

bool TfrmEntry_Money_Promise::search()
{
    return searchFinder(session(), this, *StringGrid1, filters_->entered());
}

void TfrmEntry_Money_Promise::btnSearch_DataClick()
{
    guarded(this, session().dialogs, [this] { search(); });
}

void TfrmEntry_Money_Promise::btnEdit_Data4Click()
{
    Session &s = session();
    guarded(this, s.dialogs, [&] {
        loaded_ = loadSelected(s, this, *StringGrid1);
        if (!loaded_)
            return;
        form_->show(loaded_->stored.form);
        Panel2->show();
        Panel2->raise();
        Panel3->raise();
    });
}

void TfrmEntry_Money_Promise::btnSave1Click()
{
    Session &s = session();
    guarded(this, s.dialogs, [&] {
        const guarantee::Form values = form_->values();
        const guarantee::FormProblem problem = guarantee::formProblem(values);
        if (!problem.message.isEmpty()) {
            s.dialogs.message(this, problem.message);
            if (auto *box = findChild<QWidget *>(problem.box))
                box->setFocus();
            return;
        }
        if (!s.dialogs.confirm(this, msg::ConfirmSave))
            return;
        if (Save_Mode == 1) {
            showKey(guarantee::saveNew(s.connection, values, s.Today_Thai));
            Panel2->hide();
            return;
        }
        if (!loaded_)
            return;
        const QString key = loaded_->key;
        QList<loaded::Change> changed;
        const loaded::Outcome outcome =
            guarantee::saveEdit(s.connection, key, values, loaded_->stored, &changed);
        if (!savedOver(s, this, outcome, changed, [&] {
                loaded_ = loadAgain(s, this, key);
                if (loaded_)
                    form_->show(loaded_->stored.form);
            }))
            return;
        Panel2->hide();
        if (s.dialogs.confirm(this, QStringLiteral("ต้องการพิมพ์เอกสารหรือไม่ ")))
            showKey(key);
        search();
    });
}

void TfrmEntry_Money_Promise::showKey(const QString &key)
{
    Label11->setText(QStringLiteral("เลขที่เอกสารคือ ") + key);
    QRL_DocNo->setText(key);
    QRL_DocNo1->setText(key);
    Panel3->show();
    Panel3->raise();
}

void TfrmEntry_Money_Promise::btnPrintDocClick()
{
    const bool printed = guardedOk(this, session().dialogs, [this] {
        if (printNotice)
            printNotice(QRL_DocNo->text());
    });
    if (printed)
        Panel3->hide();
}

void TfrmEntry_Money_Promise::previewStoredNotice(const QString &key)
{
    Session &s = session();
    // The fields show the row as stored, also right after an edit.
    const auto values = guarantee::notice(s.connection, key, s.deployment.organisation,
                                          form_->RadioButton1->isChecked());
    if (!values)
        throw Failure(guarantee::noticeMissing(key));
    previewNotice(this, *values, s.dialogs, choosePdfFile);
}

void TfrmEntry_Money_Promise::btnExit1Click()
{
    Panel2->hide();
}

void TfrmEntry_Money_Promise::btnExit4Click()
{
    Panel4->hide();
}

void TfrmEntry_Money_Promise::btnExitClick()
{
    closeScreen();
}

void TfrmEntry_Money_Promise::amountEntered()
{
    const auto shown = guarantee::reformatAmount(form_->edtNo_Money->text());
    if (!shown) {
        // The box keeps the text and the focus.
        session().dialogs.message(this, guarantee::AmountNotNumber);
        return;
    }
    form_->edtNo_Money->setText(*shown);
    moveOn(form_->edtNo_Money);
}

bool TfrmEntry_Money_Promise::eventFilter(QObject *watched, QEvent *event)
{
    if (isEnter(event)) {
        if (watched == form_->edtNo_Money) {
            amountEntered();
            return true;
        }
        if (watched == form_->edtDocNoDate) {
            form_->edtDate_Into_Fin->setText(form_->edtDocNoDate->text());
            moveOn(form_->edtDocNoDate);
            return true;
        }
    }
    return Screen::eventFilter(watched, event);
}
