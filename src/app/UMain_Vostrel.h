#pragma once

// The program's frame (TfrmMain_Vostrel): it opens the one connection, derives the program-wide
// values from the server's date, checks the schema version, logs the user in and opens each
// task's screen from its menu as a child window.

#include "data/Deployment.h"
#include "screens/common/ScreenRegistry.h"
#include "screens/common/Session.h"

#include <QDate>
#include <QMainWindow>
#include <functional>
#include <memory>
#include <vector>

class BackgroundArea;
class QAction;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class Screen;

namespace db {
class Connection;
}

class TfrmMain_Vostrel : public QMainWindow {
    Q_OBJECT

public:
    // registry: the screens the menu opens, menu::screens() in the program. afterConnect runs
    // right after the connection opened (tests pin the server's clock there).
    TfrmMain_Vostrel(Deployment deployment, Dialogs &dialogs, ScreenRegistry registry,
                     std::function<void(db::Connection &)> afterConnect = {},
                     QWidget *parent = nullptr);
    ~TfrmMain_Vostrel() override;

    // Whether the program is to end: a failed start, "Cancel", "ออกจากระบบ", a password change.
    bool hasEnded() const { return ended_; }
    Session &session() { return *session_; }
    QString statusText(int panel) const;

    // What choosing a menu item does: a fresh instance of its screen as a child window.
    Screen *openScreen(const QString &menuItem);
    // The "หน้าต่าง" menu, filled as when it opens.
    QMenu *windowMenu();

    // The handlers of the login panel and the exit item.
    void FormCreate();
    void btnOKClick();
    void btnCancelClick();
    void NExitClick();

signals:
    void programEnded();

private:
    void buildMenu();
    void buildWindowMenu(QMenu *menu);
    // The window menu as it stands: the arranging actions, then one checkable action per open
    // screen, by title, the active one ticked.
    void fillWindowMenu();
    void buildLoginPanel();
    void buildStatusBar();
    void endProgram();
    void startUp();
    void keepDailyCopy(const QDate &day);
    void hideTopMenus();
    // The program once the user is known: their values, the menus of their level, the status bar.
    void enterProgram(const QString &name, int level);

    Deployment deployment_;
    Dialogs &dialogs_;
    ScreenRegistry registry_;
    std::function<void(db::Connection &)> afterConnect_;
    std::unique_ptr<db::Connection> DBConnec1;
    std::unique_ptr<Session> session_;
    bool ended_ = false;

    BackgroundArea *Image1 = nullptr;
    QFrame *Panel1 = nullptr;
    QLineEdit *edtName = nullptr;
    QLineEdit *edtPassword = nullptr;
    QPushButton *btnOK = nullptr;
    QPushButton *btnCancel = nullptr;
    QLabel *panels_[5] = {};
    std::vector<QAction *> menuActions_; // one per row of menu::entries(), in its order
    QMenu *windowMenu_ = nullptr;
    QList<QAction *> windowActions_; // tile, cascade, close all
};
