// The one menu table: its shape holds for the menu built from it, and it opens the same screens
// as the screen modules register for their items.

#include "AppFixture.h"
#include "screens/calendar/CalendarScreens.h"
#include "screens/common/Screen.h"
#include "screens/imports/ImportScreens.h"
#include "screens/workflow/WorkflowScreens.h"

#include <QSet>

class TestMenuTable : public QObject {
    Q_OBJECT

private slots:
    // Names are unique and a menu comes before what it holds: the menu is built in one pass.
    void shape()
    {
        QSet<QString> seen;
        QSet<QString> menus;
        for (const menu::Entry &e : menu::entries()) {
            const QString name = QLatin1String(e.name);
            QVERIFY2(!seen.contains(name), e.name);
            seen.insert(name);
            if (e.parent)
                QVERIFY2(menus.contains(QLatin1String(e.parent)), e.name);
            if (e.kind == menu::Kind::Menu)
                menus.insert(name);
            QCOMPARE(e.kind == menu::Kind::Separator, QByteArray(e.caption).isEmpty());
            if (e.screen)
                QCOMPARE(e.kind, menu::Kind::Item);
        }
    }

    void opensTheModulesScreens()
    {
        AppFixture f(QStringLiteral("sqlite"));
        Session &session = f.start().session();
        ScreenRegistry modules;
        registerWorkflowScreens(modules);
        registerCalendarScreens(modules);
        registerImportScreens(modules);
        const ScreenRegistry table = menu::screens();
        int opened = 0;
        for (const menu::Entry &e : menu::entries()) {
            const QString name = QLatin1String(e.name);
            QCOMPARE(table.has(name), e.screen != nullptr);
            if (!modules.has(name))
                continue;
            QVERIFY2(table.has(name), e.name);
            std::unique_ptr<Screen> fromModule(modules.create(name, session));
            std::unique_ptr<Screen> fromTable(table.create(name, session));
            QCOMPARE(fromTable->objectName(), fromModule->objectName());
            ++opened;
        }
        // Every screen the modules register (ten) has its row; the password change is the
        // shell's own.
        QCOMPARE(opened, 10);
        QVERIFY(table.has(QStringLiteral("ChangePassword1")));
    }
};

QTEST_MAIN(TestMenuTable)
#include "tst_menu_table.moc"
