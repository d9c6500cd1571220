// Tab through every screen of the menu, as the main window opens it: the focus never stops on a
// control that is hidden or that a panel covers, also with each of the screen's panels shown
// over the rest.

#include "AppFixture.h"
#include "screens/common/Screen.h"

#include <QRegularExpression>
#include <QStackedLayout>

namespace {

// What the user would see at the middle of w: w itself (or a part of it, as the viewport of a
// grid), unless something lies over it.
bool inSight(QWidget *w, QWidget *screen)
{
    if (!w->isVisible())
        return false;
    QWidget *top = screen->childAt(w->mapTo(screen, w->rect().center()));
    return top && (top == w || w->isAncestorOf(top));
}

QString describe(QWidget *w)
{
    QStringList path;
    for (QWidget *p = w; p; p = p->parentWidget())
        path.prepend(p->objectName().isEmpty() ? QString::fromLatin1(p->metaObject()->className())
                                               : p->objectName());
    return path.join(u'/');
}

int tabStops(QWidget *screen)
{
    int n = 0;
    for (QWidget *w : screen->findChildren<QWidget *>())
        n += (w->focusPolicy() & Qt::TabFocus) ? 1 : 0;
    return n;
}

// Walks Tab (or Shift+Tab) twice round the screen; gives the widgets it stopped at that the
// user could not see, and how many stops there were in all.
QStringList walk(QWidget *screen, Qt::KeyboardModifiers modifiers, int &stops)
{
    QStringList out;
    const int steps = 2 * tabStops(screen) + 2;
    for (int i = 0; i < steps; ++i) {
        QWidget *from = screen->window()->focusWidget();
        if (!from || !screen->isAncestorOf(from))
            from = screen;
        QTest::keyClick(from, Qt::Key_Tab, modifiers);
        QWidget *now = screen->window()->focusWidget();
        if (!now || !screen->isAncestorOf(now))
            continue;
        ++stops;
        if (!inSight(now, screen))
            out << describe(now);
    }
    return out;
}

} // namespace

class TestFocusWalk : public QObject {
    Q_OBJECT

private slots:
    void everyScreen_data()
    {
        QTest::addColumn<QString>("item");
        for (const menu::Entry &e : menu::entries()) {
            if (e.screen)
                QTest::newRow(e.name) << QString::fromLatin1(e.name);
        }
    }
    void everyScreen()
    {
        QFETCH(QString, item);
        AppFixture f(QStringLiteral("sqlite"));
        f.addUser(QStringLiteral("super"), QStringLiteral("pw"), 9);
        TfrmMain_Vostrel &w = f.start();
        w.resize(1280, 960);
        f.login(QStringLiteral("super"), QStringLiteral("pw"));
        Screen *screen = w.openScreen(item);
        QVERIFY(screen);
        QCoreApplication::processEvents();

        int stops = 0;
        QCOMPARE(walk(screen, Qt::NoModifier, stops), QStringList());
        QCOMPARE(walk(screen, Qt::ShiftModifier, stops), QStringList());
        QVERIFY(stops > 0);

        // Each panel the screen keeps hidden, shown over the rest as its buttons would show it.
        static const QRegularExpression panelName(QStringLiteral("^Panel\\d+$"));
        for (QWidget *panel : screen->findChildren<QWidget *>(panelName)) {
            if (!panel->isHidden())
                continue;
            // A page of a stack is shown by turning the stack to it, never beside another page.
            QStackedLayout *stack = nullptr;
            for (QStackedLayout *l : screen->findChildren<QStackedLayout *>())
                stack = l->indexOf(panel) >= 0 ? l : stack;
            QWidget *page = stack ? stack->currentWidget() : nullptr;
            if (stack) {
                stack->setCurrentWidget(panel);
            } else {
                panel->show();
                panel->raise();
            }
            QCoreApplication::processEvents();
            // The focus left whatever the panel now covers.
            QWidget *focus = screen->window()->focusWidget();
            if (focus && screen->isAncestorOf(focus))
                QVERIFY2(inSight(focus, screen), qPrintable(describe(focus)));
            stops = 0;
            QCOMPARE(walk(screen, Qt::NoModifier, stops), QStringList());
            QCOMPARE(walk(screen, Qt::ShiftModifier, stops), QStringList());
            QVERIFY2(stops > 0, qPrintable(describe(panel)));
            if (stack)
                stack->setCurrentWidget(page);
            else
                panel->hide();
            QCoreApplication::processEvents();
        }
        QCOMPARE(f.dialogs.shown.size(), 0);
    }

    // The case that was found: the edit panel shown over the search panel, Space on the focus
    // never reaches a criterion's tick box beneath it.
    void spaceNeverTicksACoveredBox()
    {
        AppFixture f(QStringLiteral("sqlite"));
        f.addUser(QStringLiteral("super"), QStringLiteral("pw"), 9);
        TfrmMain_Vostrel &w = f.start();
        w.resize(1280, 960);
        f.login(QStringLiteral("super"), QStringLiteral("pw"));
        Screen *screen = w.openScreen(QStringLiteral("N4"));
        QCoreApplication::processEvents();
        auto *panel2 = screen->findChild<QWidget *>(QStringLiteral("Panel2"));
        auto *panel1 = screen->findChild<QWidget *>(QStringLiteral("Panel1"));
        QVERIFY(panel1 && panel2);
        QList<QAbstractButton *> boxes = panel1->findChildren<QAbstractButton *>();
        QVERIFY(!boxes.isEmpty());
        boxes.first()->setFocus();
        panel2->show();
        QCoreApplication::processEvents();
        QList<bool> before;
        for (QAbstractButton *b : boxes)
            before << b->isChecked();
        for (int i = 0; i < 3 * tabStops(screen); ++i) {
            QTest::keyClick(screen->window()->focusWidget(), Qt::Key_Tab);
            QWidget *now = screen->window()->focusWidget();
            QVERIFY2(!panel1->isAncestorOf(now), qPrintable(describe(now)));
            if (!qobject_cast<QAbstractButton *>(now) || qobject_cast<QPushButton *>(now))
                continue;
            QTest::keyClick(now, Qt::Key_Space);
        }
        QList<bool> after;
        for (QAbstractButton *b : boxes)
            after << b->isChecked();
        QCOMPARE(after, before);
    }
};

QTEST_MAIN(TestFocusWalk)
#include "tst_focus_walk.moc"
