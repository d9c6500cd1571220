// The child windows of the main window: the "หน้าต่าง" menu arranges and lists them, and a
// small dialog opens at its own size in the middle rather than maximised.

#include "AppFixture.h"
#include "screens/common/Screen.h"

#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <algorithm>

namespace {

QAction *named(QMenu *menu, const char *name)
{
    for (QAction *a : menu->actions()) {
        if (a->objectName() == QLatin1String(name))
            return a;
    }
    return nullptr;
}

QList<QAction *> screenEntries(QMenu *menu)
{
    QList<QAction *> out;
    for (QAction *a : menu->actions()) {
        if (a->objectName() == QLatin1String("windowScreen"))
            out << a;
    }
    return out;
}

struct Logged {
    Logged() : f(QStringLiteral("sqlite"))
    {
        f.addUser(QStringLiteral("super"), QStringLiteral("pw"), 9);
        w = &f.start();
        w->resize(1280, 960);
        QCoreApplication::processEvents();
        f.login(QStringLiteral("super"), QStringLiteral("pw"));
        area = w->findChild<QMdiArea *>(QStringLiteral("Image1"));
    }
    AppFixture f;
    TfrmMain_Vostrel *w = nullptr;
    QMdiArea *area = nullptr;
};

} // namespace

class TestWindows : public QObject {
    Q_OBJECT

private slots:
    // After the system's menus, before Help; shown once a user is in, like the others.
    void windowMenuHasItsPlace()
    {
        AppFixture f(QStringLiteral("sqlite"));
        f.addUser(QStringLiteral("u"), QStringLiteral("p"), 4);
        TfrmMain_Vostrel &w = f.start();
        QMenu *menu = w.windowMenu();
        QVERIFY(menu);
        QCOMPARE(menu->title(), QStringLiteral("หน้าต่าง"));
        QVERIFY(!menu->menuAction()->isVisible());
        f.login(QStringLiteral("u"), QStringLiteral("p"));
        QVERIFY(menu->menuAction()->isVisible());
        QStringList order;
        for (QAction *a : w.menuBar()->actions())
            order << a->objectName();
        QCOMPARE(order.indexOf(QStringLiteral("windowMenu")),
                 order.indexOf(QStringLiteral("Administrator1")) + 1);
        QCOMPARE(order.indexOf(QStringLiteral("helpMenu")),
                 order.indexOf(QStringLiteral("windowMenu")) + 1);
        // Nothing open: nothing to arrange.
        for (const char *name : {"windowTile", "windowCascade", "windowCloseAll"})
            QVERIFY2(!named(menu, name)->isEnabled(), name);
        QVERIFY(screenEntries(menu).isEmpty());
    }

    // The open screens by their titles, in the order opened, the active one ticked; choosing
    // one brings it forward.
    void listsTheOpenScreens()
    {
        Logged l;
        for (const char *item : {"N3", "N4", "N8"})
            QVERIFY(l.w->openScreen(QLatin1String(item)));
        const QList<QMdiSubWindow *> subs = l.area->subWindowList();
        QCOMPARE(subs.size(), 3);
        QList<QAction *> entries = screenEntries(l.w->windowMenu());
        QStringList titles;
        QList<bool> ticks;
        for (QAction *a : entries) {
            titles << a->text();
            ticks << a->isChecked();
        }
        QCOMPARE(titles, (QStringList{subs[0]->windowTitle(), subs[1]->windowTitle(),
                                      subs[2]->windowTitle()}));
        QCOMPARE(titles[1], QStringLiteral("frmEntry_Deega_No"));
        QCOMPARE(ticks, (QList<bool>{false, false, true}));

        entries.first()->trigger();
        QCOMPARE(l.area->currentSubWindow(), subs[0]);
        ticks.clear();
        for (QAction *a : screenEntries(l.w->windowMenu()))
            ticks << a->isChecked();
        QCOMPARE(ticks, (QList<bool>{true, false, false}));
    }

    // Tile lays them side by side within the area, cascade one below and right of the other,
    // close all closes every one.
    void arrangesAndCloses()
    {
        Logged l;
        for (const char *item : {"N3", "N4", "N8", "N26"})
            QVERIFY(l.w->openScreen(QLatin1String(item)));
        QMenu *menu = l.w->windowMenu();

        named(menu, "windowTile")->trigger();
        QCoreApplication::processEvents();
        const QList<QMdiSubWindow *> subs = l.area->subWindowList();
        const QRect inside = l.area->viewport()->rect();
        for (int i = 0; i < subs.size(); ++i) {
            QVERIFY(!subs[i]->isMaximized());
            QVERIFY(inside.contains(subs[i]->geometry()));
            for (int j = i + 1; j < subs.size(); ++j)
                QVERIFY(!subs[i]->geometry().intersects(subs[j]->geometry()));
        }

        named(menu, "windowCascade")->trigger();
        QCoreApplication::processEvents();
        QList<QPoint> corners;
        for (QMdiSubWindow *s : l.area->subWindowList()) {
            QVERIFY(!s->isMaximized());
            corners << s->pos();
        }
        // One step down and right from the other, whichever went first.
        std::sort(corners.begin(), corners.end(),
                  [](const QPoint &a, const QPoint &b) { return a.x() < b.x(); });
        for (int i = 1; i < corners.size(); ++i) {
            QVERIFY(corners[i].x() > corners[i - 1].x());
            QVERIFY(corners[i].y() > corners[i - 1].y());
        }

        named(menu, "windowCloseAll")->trigger();
        QTRY_COMPARE(l.area->subWindowList().size(), 0);
        menu = l.w->windowMenu();
        QVERIFY(screenEntries(menu).isEmpty());
        QVERIFY(!named(menu, "windowTile")->isEnabled());
    }

    // The password change and the About window: their own size, centred, over a maximised
    // screen that stays maximised.
    void smallDialogsOpenAtTheirSizeCentred_data()
    {
        QTest::addColumn<QString>("item");
        QTest::newRow("password change") << QStringLiteral("ChangePassword1");
        QTest::newRow("about") << QStringLiteral("about");
    }
    void smallDialogsOpenAtTheirSizeCentred()
    {
        QFETCH(QString, item);
        Logged l;
        QVERIFY(l.w->openScreen(QStringLiteral("N3")));
        QMdiSubWindow *big = l.area->currentSubWindow();
        QVERIFY(big->isMaximized());
        QVERIFY(l.w->openScreen(item));
        QCoreApplication::processEvents();
        QMdiSubWindow *dialog = l.area->currentSubWindow();
        QVERIFY(dialog != big);
        QVERIFY(!dialog->isMaximized());
        QCOMPARE(dialog->size(), dialog->sizeHint());
        const QPoint offset = dialog->geometry().center() - l.area->viewport()->rect().center();
        QVERIFY2(offset.manhattanLength() <= 2,
                 qPrintable(QStringLiteral("%1,%2").arg(offset.x()).arg(offset.y())));
        QVERIFY(big->isMaximized());
        QVERIFY(l.area->viewport()->rect().contains(dialog->geometry()));
    }
};

QTEST_MAIN(TestWindows)
#include "tst_windows.moc"
