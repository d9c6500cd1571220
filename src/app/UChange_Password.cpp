#include "app/UChange_Password.h"

#include "core/Access.h"
#include "core/Messages.h"
#include "screens/common/Dialogs.h"
#include "screens/common/EnterMovesOn.h"
#include "screens/common/Guard.h"
#include "screens/common/Session.h"
#include "screens/common/TextLimit.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

QLineEdit *passwordField(QWidget *parent, const char *name)
{
    auto *e = new QLineEdit(parent);
    e->setObjectName(QLatin1String(name));
    e->setEchoMode(QLineEdit::Password);
    e->setStyleSheet(QStringLiteral("lineedit-password-character: 42"));
    limitLength(e, 10);
    return e;
}

} // namespace

TfrmChange_Password::TfrmChange_Password(Session &session, QWidget *parent)
    : Screen(session, QStringLiteral("frmChange_Password"), parent)
{
    openAtNaturalSize();
    auto *grid = new QGridLayout(this);
    auto *heading = new QLabel(QStringLiteral("การเปลี่ยนแปลงรหัสผ่าน"), this);
    QFont big = heading->font();
    big.setPointSizeF(big.pointSizeF() * 1.5);
    big.setBold(true);
    heading->setFont(big);
    edtOld_Password = passwordField(this, "edtOld_Password");
    edtNew_Password = passwordField(this, "edtNew_Password");
    edtConf_Password = passwordField(this, "edtConf_Password");
    btnSave_Data = new QPushButton(QStringLiteral("บันทึกข้อมูล"), this);
    btnSave_Data->setObjectName(QStringLiteral("btnSave_Data"));
    btnExit_Form = new QPushButton(QStringLiteral("กลับสู่เมนูหลัก"), this);
    btnExit_Form->setObjectName(QStringLiteral("btnExit_Form"));

    grid->addWidget(heading, 0, 0, 1, 3, Qt::AlignHCenter);
    grid->addWidget(new QLabel(QStringLiteral("รหัสผ่านเดิม"), this), 1, 0);
    grid->addWidget(edtOld_Password, 1, 1, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("รหัสผ่านใหม่"), this), 2, 0);
    grid->addWidget(edtNew_Password, 2, 1, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("ยืนยันรหัสผ่านใหม่"), this), 3, 0);
    grid->addWidget(edtConf_Password, 3, 1, 1, 2);
    grid->addWidget(btnSave_Data, 4, 1);
    grid->addWidget(btnExit_Form, 4, 2);
    grid->setRowStretch(5, 1);
    grid->setColumnStretch(3, 1);

    setTabOrder(edtOld_Password, edtNew_Password);
    setTabOrder(edtNew_Password, edtConf_Password);
    setTabOrder(edtConf_Password, btnSave_Data);
    setTabOrder(btnSave_Data, btnExit_Form);
    enterMovesOn({edtOld_Password, edtNew_Password, edtConf_Password});
    enterClicks(btnSave_Data);
    enterClicks(btnExit_Form);
    connect(btnSave_Data, &QPushButton::clicked, this, &TfrmChange_Password::btnSave_DataClick);
    connect(btnExit_Form, &QPushButton::clicked, this, &TfrmChange_Password::btnExit_FormClick);
    FormCreate();
}

void TfrmChange_Password::FormCreate()
{
    edtOld_Password->clear();
    edtNew_Password->clear();
    edtConf_Password->clear();
}

void TfrmChange_Password::btnSave_DataClick()
{
    Session &s = session();
    guarded(this, s.dialogs, [&] {
        if (!s.dialogs.confirm(this, msg::ConfirmSave))
            return;
        const user_access::PasswordChange outcome =
            user_access::changePassword(s.connection, s.Login_User, edtOld_Password->text(),
                                        edtNew_Password->text(), edtConf_Password->text());
        s.dialogs.message(this, user_access::passwordChangeMessage(outcome));
        switch (outcome) {
        case user_access::PasswordChange::OldPasswordWrong:
            edtOld_Password->setFocus();
            break;
        case user_access::PasswordChange::ConfirmationDiffers:
            edtNew_Password->clear();
            edtConf_Password->clear();
            edtNew_Password->setFocus();
            break;
        case user_access::PasswordChange::Changed:
            if (s.endProgram)
                s.endProgram();
            break;
        }
    });
}

void TfrmChange_Password::btnExit_FormClick()
{
    closeScreen();
}
