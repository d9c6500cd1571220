#pragma once

// A main window on a fresh real catalog whose server clock the test chooses.

#include "ScriptedDialogs.h"
#include "TestCatalog.h"
#include "app/MenuTable.h"
#include "app/main_window.h"
#include "data/Connection.h"

#include <QApplication>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTest>
#include <memory>

struct AppFixture {
    explicit AppFixture(const QString &backend,
                        QDateTime serverNow = QDateTime(QDate(2014, 10, 5), QTime(9, 30)))
        : catalog(backend), now(serverNow)
    {
        deployment.catalog = catalog.location();
        deployment.serverShortName = QStringLiteral("FIN");
    }

    void addUser(const QString &name, const QString &password, int level)
    {
        catalog.connection().execute(
            db::Statement{QStringLiteral("INSERT INTO TR_User (UserName, Password, U_Level)"),
                          QStringLiteral("VALUES ('%1', '%2', %3)")
                              .arg(db::sqlText(name), db::sqlText(password))
                              .arg(level)});
    }

    TfrmMain_Vostrel &start()
    {
        const QDateTime pinned = now;
        window = std::make_unique<TfrmMain_Vostrel>(
            deployment, dialogs, menu::screens(),
            [pinned](db::Connection &c) { c.pinServerClockForTests(pinned); });
        window->show();
        window->activateWindow();
        (void)QTest::qWaitForWindowActive(window.get());
        return *window;
    }

    void login(const QString &name, const QString &password)
    {
        window->findChild<QLineEdit *>(QStringLiteral("edtName"))->setText(name);
        window->findChild<QLineEdit *>(QStringLiteral("edtPassword"))->setText(password);
        window->btnOKClick();
    }

    QString focused() const
    {
        QWidget *w = QApplication::focusWidget();
        return w ? w->objectName() : QString();
    }

    TestCatalog catalog;
    QDateTime now;
    Deployment deployment;
    ScriptedDialogs dialogs;
    std::unique_ptr<TfrmMain_Vostrel> window;
};
