#include "app/UMain_Vostrel.h"

#include "app/Background.h"
#include "app/MenuTable.h"
#include "core/Access.h"
#include "data/Backup.h"
#include "data/Connection.h"
#include "screens/common/Dialogs.h"
#include "screens/common/EnterMovesOn.h"
#include "screens/common/Guard.h"
#include "screens/common/Screen.h"

#include <QFrame>
#include <QGridLayout>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QStatusBar>
#include <span>

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
    session_->openScreen = [this](const QString &item) { return openScreen(item); };

    Image1 = new BackgroundArea(deployment_.organisation.title, deployment_.organisation.emblemPath,
                                this);
    Image1->setObjectName(QStringLiteral("Image1"));
    // A dialog opened over a maximised screen keeps its own size.
    Image1->setOption(QMdiArea::DontMaximizeSubWindowOnActivation);
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
    QHash<QString, QMenu *> menus;
    const std::span<const menu::Entry> entries = menu::entries();
    menuActions_.reserve(entries.size());
    for (const menu::Entry &e : entries) {
        const QString name = QLatin1String(e.name);
        const QString caption = QString::fromUtf8(e.caption);
        QMenu *parent = e.parent ? menus.value(QLatin1String(e.parent)) : nullptr;
        Q_ASSERT(parent || !e.parent);
        QAction *a = nullptr;
        switch (e.kind) {
        case menu::Kind::Menu: {
            QMenu *m = parent ? parent->addMenu(caption) : bar->addMenu(caption);
            m->setObjectName(name);
            menus.insert(name, m);
            a = m->menuAction();
            break;
        }
        case menu::Kind::Separator:
            a = parent ? parent->addSeparator() : bar->addSeparator();
            break;
        case menu::Kind::Item:
        case menu::Kind::Inert:
        case menu::Kind::Exit:
            a = parent ? parent->addAction(caption) : bar->addAction(caption);
            break;
        }
        a->setObjectName(name);
        if (e.kind == menu::Kind::Item) {
            connect(a, &QAction::triggered, this,
                    [this, name] { guarded(this, dialogs_, [&] { openScreen(name); }); });
        } else if (e.kind == menu::Kind::Exit) {
            connect(a, &QAction::triggered, this, &TfrmMain_Vostrel::NExitClick);
        }
        menuActions_.push_back(a);
    }
    buildWindowMenu(menus.value(QLatin1String(menu::WindowMenu)));
}

void TfrmMain_Vostrel::buildWindowMenu(QMenu *menu)
{
    windowMenu_ = menu;
    if (!menu)
        return;
    const auto add = [&](const char *name, const QString &caption, auto slot) {
        QAction *a = new QAction(caption, menu);
        a->setObjectName(QLatin1String(name));
        connect(a, &QAction::triggered, Image1, slot);
        windowActions_.append(a);
    };
    add("windowTile", QStringLiteral("เรียงแบบเต็มพื้นที่ (Tile)"), &QMdiArea::tileSubWindows);
    add("windowCascade", QStringLiteral("เรียงแบบซ้อนกัน (Cascade)"), &QMdiArea::cascadeSubWindows);
    add("windowCloseAll", QStringLiteral("ปิดทุกหน้าต่าง (Close All)"), &QMdiArea::closeAllSubWindows);
    connect(menu, &QMenu::aboutToShow, this, &TfrmMain_Vostrel::fillWindowMenu);
    fillWindowMenu();
}

QMenu *TfrmMain_Vostrel::windowMenu()
{
    fillWindowMenu();
    return windowMenu_;
}

void TfrmMain_Vostrel::fillWindowMenu()
{
    if (!windowMenu_)
        return;
    // The list is made afresh; the arranging actions stay and are only taken out.
    for (QAction *a : windowMenu_->actions()) {
        windowMenu_->removeAction(a);
        if (!windowActions_.contains(a))
            delete a;
    }
    const QList<QMdiSubWindow *> open = Image1->subWindowList();
    for (QAction *a : std::as_const(windowActions_)) {
        a->setEnabled(!open.isEmpty());
        windowMenu_->addAction(a);
    }
    if (open.isEmpty())
        return;
    windowMenu_->addSeparator();
    QMdiSubWindow *current = Image1->currentSubWindow();
    for (QMdiSubWindow *sub : open) {
        QAction *a = windowMenu_->addAction(
            QString(sub->windowTitle()).replace(QStringLiteral("&"), QStringLiteral("&&")));
        a->setObjectName(QStringLiteral("windowScreen"));
        a->setCheckable(true);
        a->setChecked(sub == current);
        connect(a, &QAction::triggered, this, [this, sub = QPointer<QMdiSubWindow>(sub)] {
            if (sub)
                Image1->setActiveSubWindow(sub);
        });
    }
}

QString TfrmMain_Vostrel::statusText(int panel) const
{
    return panel >= 0 && panel < 5 ? panels_[panel]->text() : QString();
}

void TfrmMain_Vostrel::hideTopMenus()
{
    const std::span<const menu::Entry> entries = menu::entries();
    for (size_t i = 0; i < entries.size(); ++i) {
        if (!entries[i].parent)
            menuActions_[i]->setVisible(false);
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
    hideTopMenus();

    const user_access::StartUpValues values = user_access::readStartUpValues(*DBConnec1);
    session_->Fiscal_Year = values.Fiscal_Year;
    session_->Today_Thai = values.Today_Thai;
    keepDailyCopy(values.serverNow.date());

    edtName->clear();
    edtPassword->clear();

    const user_access::VersionCheck version = user_access::checkVersion(*DBConnec1);
    if (!version.matches) {
        dialogs_.message(this, user_access::invalidVersionMessage(version.stored));
        ended_ = true; // the program ends once start-up is through
    }
    panels_[4]->setText(QStringLiteral("V.") + version.stored);
    if (ended_)
        endProgram();
}

void TfrmMain_Vostrel::keepDailyCopy(const QDate &day)
{
    if (DBConnec1->backend() != db::BackendKind::SQLite)
        return;
    // A copy that cannot be made is told, but the day's work goes on.
    try {
        db::keepDailyCopy(*DBConnec1, db::dailyCopyFolder(DBConnec1->location().path), day);
    } catch (const db::Error &e) {
        dialogs_.message(this, QStringLiteral("สำรองฐานข้อมูลประจำวันไม่ได้: ") + e.message());
    }
}

void TfrmMain_Vostrel::btnOKClick()
{
    guarded(this, dialogs_, [this] {
        const QString name = edtName->text();
        const user_access::LoginResult result =
            user_access::logIn(*DBConnec1, name, edtPassword->text());
        if (result.ok()) {
            enterProgram(name, result.level);
            return;
        }
        dialogs_.message(this, user_access::loginMessage(result.outcome));
        const bool nameAtFault = result.outcome == user_access::LoginOutcome::EmptyName ||
                                 result.outcome == user_access::LoginOutcome::UnknownUser;
        (nameAtFault ? edtName : edtPassword)->setFocus();
    });
}

void TfrmMain_Vostrel::enterProgram(const QString &name, int level)
{
    panels_[1]->setText(QStringLiteral("ผู้ใช้งาน :") + name);
    session_->Login_User = name;
    session_->User_Level = level;
    const std::span<const menu::Entry> entries = menu::entries();
    for (size_t i = 0; i < entries.size(); ++i) {
        const user_access::EntryState state = user_access::stateAfterLogin(entries[i].rule, level);
        menuActions_[i]->setVisible(state.visible);
        menuActions_[i]->setEnabled(state.enabled);
    }
    Panel1->hide();
    panels_[2]->setText(QStringLiteral("Date : ") + session_->Today_Thai);
    statusBar()->show();
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
    if (screen->opensMaximised()) {
        child->showMaximized();
        return screen;
    }
    // A small dialog: its own size, in the middle of the area, over any maximised screen.
    child->adjustSize();
    QRect place(QPoint(), child->size());
    place.moveCenter(Image1->viewport()->rect().center());
    child->move(std::max(place.left(), 0), std::max(place.top(), 0));
    child->show();
    return screen;
}
