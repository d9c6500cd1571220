#include "app/UMain_Vostrel.h"

#include "app/Background.h"
#include "app/UChange_Password.h"
#include "data/Connection.h"
#include "data/schema.h"
#include "screens/common/Dialogs.h"
#include "screens/common/EnterMovesOn.h"
#include "screens/common/Guard.h"
#include "screens/common/Screen.h"
#include "util/Utility.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>

namespace {

// The six intake items that need level 5, in the order they are disabled.
const char *const IntakeItems[] = {"ImportDataExcel1", "N3", "N4", "N22", "N6", "N20"};
const char *const TopMenus[] = {"N1", "N2", "N7", "N29", "Administrator1", "NExit"};

} // namespace

TfrmMain_Vostrel::TfrmMain_Vostrel(Deployment deployment, Dialogs &dialogs, ScreenRegistry registry,
                                   std::function<void(db::Connection &)> afterConnect,
                                   QWidget *parent)
    : QMainWindow(parent), deployment_(std::move(deployment)), dialogs_(dialogs),
      registry_(std::move(registry)), afterConnect_(std::move(afterConnect)),
      DBConnec1(std::make_unique<db::Connection>(deployment_.catalog))
{
    setObjectName(QStringLiteral("frmMain_Vostrel"));
    setWindowTitle(QStringLiteral("frmMain_Vostrel"));
    session_ = std::make_unique<Session>(
        Session{*DBConnec1, dialogs_, deployment_, {}, {}, {}, 0, [this] { endProgram(); }});
    registry_.add(QStringLiteral("ChangePassword1"),
                  [](Session &s) { return new TfrmChange_Password(s); });

    Image1 = new BackgroundArea(deployment_.organisation.title, deployment_.organisation.emblemPath,
                                this);
    Image1->setObjectName(QStringLiteral("Image1"));
    setCentralWidget(Image1);
    buildLoginPanel();
    buildStatusBar();
    buildMenu();
    FormCreate();
    edtName->setFocus(); // the login starts in the name field
}

TfrmMain_Vostrel::~TfrmMain_Vostrel()
{
    // Screens hold the session: they go before it does.
    Image1->closeAllSubWindows();
    delete Image1;
}

void TfrmMain_Vostrel::buildLoginPanel()
{
    Panel1 = new QFrame(Image1->viewport());
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameShape(QFrame::Panel);
    Panel1->setFrameShadow(QFrame::Raised);
    Panel1->setAutoFillBackground(true);
    Panel1->setMinimumSize(320, 150);

    auto *grid = new QGridLayout(Panel1);
    auto *nameLabel = new QLabel(QStringLiteral("ใส่ชื่อ"), Panel1);
    auto *passwordLabel = new QLabel(QStringLiteral("รหัสผ่าน"), Panel1);
    edtName = new QLineEdit(Panel1);
    edtName->setObjectName(QStringLiteral("edtName"));
    edtPassword = new QLineEdit(Panel1);
    edtPassword->setObjectName(QStringLiteral("edtPassword"));
    edtPassword->setEchoMode(QLineEdit::Password);
    edtPassword->setStyleSheet(QStringLiteral("lineedit-password-character: 42"));
    btnOK = new QPushButton(QStringLiteral("OK"), Panel1);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnCancel = new QPushButton(QStringLiteral("Cancel"), Panel1);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    auto *version = new QLabel(QStringLiteral("S.Ver.1.6"), Panel1);
    QFont small = version->font();
    small.setPointSizeF(small.pointSizeF() * 0.8);
    version->setFont(small);

    grid->addWidget(nameLabel, 0, 0);
    grid->addWidget(edtName, 0, 1, 1, 2);
    grid->addWidget(passwordLabel, 1, 0);
    grid->addWidget(edtPassword, 1, 1, 1, 2);
    grid->addWidget(btnOK, 2, 1);
    grid->addWidget(btnCancel, 2, 2);
    grid->addWidget(version, 3, 0, 1, 3, Qt::AlignRight);

    setTabOrder(edtName, edtPassword);
    setTabOrder(edtPassword, btnOK);
    setTabOrder(btnOK, btnCancel);
    enterMovesOn({edtName, edtPassword});
    enterClicks(btnOK);
    enterClicks(btnCancel);
    connect(btnOK, &QPushButton::clicked, this, &TfrmMain_Vostrel::btnOKClick);
    connect(btnCancel, &QPushButton::clicked, this, &TfrmMain_Vostrel::btnCancelClick);
    Image1->setOverlay(Panel1);
}

void TfrmMain_Vostrel::buildStatusBar()
{
    QStatusBar *bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBar1"));
    bar->setSizeGripEnabled(false);
    const int widths[5] = {200, 200, 250, 300, 50};
    const char *texts[5] = {"Date", "User Name", "IP Address", "Remark", "V"};
    for (int i = 0; i < 5; ++i) {
        panels_[i] = new QLabel(QLatin1String(texts[i]), bar);
        panels_[i]->setObjectName(QStringLiteral("StatusBar1_Panel%1").arg(i));
        panels_[i]->setFixedWidth(widths[i]);
        panels_[i]->setFrameShape(QFrame::StyledPanel);
        bar->addWidget(panels_[i]);
    }
}

void TfrmMain_Vostrel::buildMenu()
{
    QMenuBar *bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));

    auto top = [bar](const char *name, const QString &caption) {
        QMenu *m = bar->addMenu(caption);
        m->setObjectName(QLatin1String(name));
        m->menuAction()->setObjectName(QLatin1String(name));
        return m;
    };
    auto item = [this](QMenu *menu, const char *name, const QString &caption) {
        QAction *a = menu->addAction(caption);
        a->setObjectName(QLatin1String(name));
        const QString key = QLatin1String(name);
        connect(a, &QAction::triggered, this,
                [this, key] { guarded(this, dialogs_, [&] { openScreen(key); }); });
        return a;
    };
    auto separator = [](QMenu *menu, const char *name) {
        menu->addSeparator()->setObjectName(QLatin1String(name));
    };

    // "ข้อมูลอ้างอิง" has no items and no action.
    bar->addAction(QStringLiteral("ข้อมูลอ้างอิง"))->setObjectName(QStringLiteral("N1"));

    QMenu *N2 = top("N2", QStringLiteral("บันทึกข้อมูล"));
    item(N2, "ImportDataExcel1", QStringLiteral("นำเข้าข้อมูล (Import Data Excel) จาก KV SIS"));
    separator(N2, "N5");
    item(N2, "N3", QStringLiteral("รับเรื่องวางฎีกา (Veq)"));
    item(N2, "N4", QStringLiteral("บันทึกเลขที่ฏีกา (Veq)"));
    item(N2, "N22", QStringLiteral("บันทึกวันรับเช็ค(ประกันสัญญา)(Veq)"));
    separator(N2, "N10");
    item(N2, "N6", QStringLiteral("บันทึกนัด วันรับเช็ค(Pelrin)"));
    separator(N2, "N19");
    QMenu *N20 = N2->addMenu(QStringLiteral("บันทึกเงินประกันสัญญา(ใบเหลือง(Hask))"));
    N20->setObjectName(QStringLiteral("N20"));
    N20->menuAction()->setObjectName(QStringLiteral("N20"));
    item(N20, "N21", QStringLiteral("บันทึกข้อมูล"));
    separator(N20, "N23");
    item(N20, "N24", QStringLiteral("รายงานการบันทึกข้อมูลเงินประกันสัญญา"));
    separator(N2, "N27");
    item(N2, "N28", QStringLiteral("บันทึกเลขที่เอกสาร"));
    separator(N2, "N30");
    item(N2, "InportKVERP1", QStringLiteral("Inport ข้อมูลจาก KV-ERP"));

    QMenu *N7 = top("N7", QStringLiteral("รายงาน"));
    item(N7, "N8", QStringLiteral("รายงานรายละเอียดการเคลื่อนไหว"));
    item(N7, "N9", QStringLiteral("รายงานแสดงจำนวนวันที่อยู่ในกองคลัง"));
    separator(N7, "N25");
    item(N7, "N26", QStringLiteral("รายงานแยกตามประเภทเอกสาร"));
    separator(N7, "N31");
    item(N7, "KvsisKverp1", QStringLiteral("รายงานแสดงจำนวนวัน (KVSIS-KVERP)"));

    QMenu *N29 = top("N29", QStringLiteral("ระบบ (System)"));
    item(N29, "ChangePassword1", QStringLiteral("เปลี่ยนรหัสผ่าน (Change Password)"));

    QMenu *admin = top("Administrator1", QStringLiteral("Administrator"));
    item(admin, "N11", QStringLiteral("บันทึกวันหยุดประจำปี"));
    item(admin, "N12", QStringLiteral("Import วันหยุดชดเชย"));
    separator(admin, "N13");
    item(admin, "CreateCalendar1", QStringLiteral("Create Calendar"));
    separator(admin, "N14");
    // "ประมวลผลจำนวนวัน" has no action: nothing is counted in advance.
    admin->addAction(QStringLiteral("ประมวลผลจำนวนวัน"))->setObjectName(QStringLiteral("N15"));
    separator(admin, "N16");
    item(admin, "N17", QStringLiteral("รายงาน วันในแต่ลปี"));
    item(admin, "N18", QStringLiteral("บันทึกวันที่เข้ากองคลังครั้งสุดท้าย"));

    QAction *exit = bar->addAction(QStringLiteral("ออกจากระบบ"));
    exit->setObjectName(QStringLiteral("NExit"));
    connect(exit, &QAction::triggered, this, &TfrmMain_Vostrel::NExitClick);
}

QString TfrmMain_Vostrel::statusText(int panel) const
{
    return panel >= 0 && panel < 5 ? panels_[panel]->text() : QString();
}

void TfrmMain_Vostrel::setTopMenusVisible(bool visible)
{
    for (const char *name : TopMenus) {
        if (auto *a = findChild<QAction *>(QLatin1String(name)))
            a->setVisible(visible);
    }
}

void TfrmMain_Vostrel::FormCreate()
{
    edtName->clear();
    edtPassword->clear();
    try {
        DBConnec1->open();
        if (afterConnect_)
            afterConnect_(*DBConnec1);
    } catch (const db::Error &) {
        dialogs_.message(this, QStringLiteral("ไม่สามารถติดต่อฐานข้อมูลได้"));
        endProgram();
        return;
    }
    // A failure past this point is the catalog's own (no table, a broken row): its message is
    // shown and the program ends, as it cannot run without these values.
    if (!guardedOk(this, dialogs_, [this] { startUp(); }))
        endProgram();
}

void TfrmMain_Vostrel::startUp()
{
    panels_[3]->setText(QStringLiteral("Server IT:DU_Vuv_Evaduve(") + deployment_.serverShortName +
                        QStringLiteral(" 2014)"));
    statusBar()->hide();
    setTopMenusVisible(false);

    db::Rows now = DBConnec1->select(db::Statement{QStringLiteral("Select Getdate() As C_Date")});
    if (!now.next())
        throw db::Error(QStringLiteral("ไม่ได้รับวันที่จากเครื่องแม่ข่าย"));
    const QDateTime serverNow = now.dateTime(QStringLiteral("C_Date"));
    if (!serverNow.isValid())
        throw db::Error(QStringLiteral("วันที่จากเครื่องแม่ข่ายอ่านไม่ได้: ") +
                        now.text(QStringLiteral("C_Date")));
    // S is the server's date as dd/mm/yyyy with the Gregorian year.
    const QString S = Eng_Date_Text(serverNow.date());
    QString fiscal = S.mid(6, 4);
    if (S.mid(3, 2).toInt() > 9)
        fiscal = QString::number(fiscal.toInt() + 1);
    session_->Fiscal_Year = fiscal;
    session_->Today_Thai = S.left(6) + QString::number(S.mid(6, 4).toInt() + Buddhist_Era_Offset);

    edtName->clear();
    edtPassword->clear();

    db::Rows version = DBConnec1->select(
        db::Statement{QStringLiteral("SELECT  *"), QStringLiteral("FROM TR_Version")});
    const QString stored = version.next() ? version.text(QStringLiteral("Version_NO")) : QString();
    if (Trim_Text(stored) != schema::Version) {
        dialogs_.message(this, QStringLiteral("Invalid Version ") + QLatin1Char('\n') +
                                   QStringLiteral("Pressent Version Is : ") + stored);
        ended_ = true; // the program ends once start-up is through
    }
    panels_[4]->setText(QStringLiteral("V.") + stored);
    if (ended_)
        endProgram();
}

void TfrmMain_Vostrel::btnOKClick()
{
    guarded(this, dialogs_, [this] {
        const QString name = edtName->text();
        const QString password = edtPassword->text();
        if (name.isEmpty()) {
            dialogs_.message(this, QStringLiteral("กรุณาใส่ชื่อผู้ใช้ด้วย"));
            edtName->setFocus();
            return;
        }
        if (password.isEmpty()) {
            dialogs_.message(this, QStringLiteral("กรุณาใส่รหัสผ่านด้วย"));
            edtPassword->setFocus();
            return;
        }
        db::Rows user = DBConnec1->select(db::Statement{QStringLiteral("Select * From TR_User"),
                                                        QStringLiteral("Where UserName='") +
                                                            db::sqlText(name) + QLatin1Char('\'')});
        if (!user.next()) {
            dialogs_.message(this, QStringLiteral("ไม่พบชื่อผู้ใช้ในระบบ กรุณาใส่ชื่อใหม่"));
            edtName->setFocus();
            return;
        }
        if (Trim_Text(user.text(QStringLiteral("password"))) != password) {
            dialogs_.message(this, QStringLiteral("รหัสผ่านไม่ถูกต้อง กรุณาใส่รหัสผ่านใหม่"));
            edtPassword->setFocus();
            return;
        }
        const int level = static_cast<int>(user.integer(QStringLiteral("U_Level")));

        panels_[1]->setText(QStringLiteral("ผู้ใช้งาน :") + name);
        session_->Login_User = name;
        session_->User_Level = level;
        for (const char *menu : {"N1", "N2", "N7", "N29"})
            findChild<QAction *>(QLatin1String(menu))->setVisible(true);
        if (level > 6)
            findChild<QAction *>(QStringLiteral("Administrator1"))->setVisible(true);
        if (level < 5) {
            for (const char *intake : IntakeItems)
                findChild<QAction *>(QLatin1String(intake))->setEnabled(false);
        }
        findChild<QAction *>(QStringLiteral("NExit"))->setVisible(true);
        Panel1->hide();
        panels_[2]->setText(QStringLiteral("Date : ") + session_->Today_Thai);
        findChild<QAction *>(QStringLiteral("CreateCalendar1"))->setEnabled(level > 8);
        statusBar()->show();
    });
}

void TfrmMain_Vostrel::btnCancelClick()
{
    endProgram();
}

void TfrmMain_Vostrel::NExitClick()
{
    endProgram();
}

void TfrmMain_Vostrel::endProgram()
{
    ended_ = true;
    emit programEnded();
}

Screen *TfrmMain_Vostrel::openScreen(const QString &menuItem)
{
    Screen *screen = registry_.create(menuItem, *session_);
    if (!screen)
        return nullptr;
    QMdiSubWindow *child = Image1->addSubWindow(screen);
    child->setWindowTitle(screen->windowTitle().isEmpty() ? screen->objectName()
                                                          : screen->windowTitle());
    child->showMaximized();
    return screen;
}
