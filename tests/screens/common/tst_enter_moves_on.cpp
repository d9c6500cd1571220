#include "screens/common/EnterMovesOn.h"
#include "screens/common/Grid.h"

#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

namespace {

// A screen whose tab order differs from the order its controls were made in, so a move that
// follows the creation order instead of the tab order shows.
struct Form {
    QWidget window;
    QLineEdit *name = new QLineEdit;
    QLineEdit *password = new QLineEdit;
    QLineEdit *unit = new QLineEdit;
    QLineEdit *plain = new QLineEdit;
    QPushButton *ok = new QPushButton(QStringLiteral("OK"));

    Form()
    {
        auto *layout = new QVBoxLayout(&window);
        for (QWidget *w : {static_cast<QWidget *>(unit), static_cast<QWidget *>(plain),
                           static_cast<QWidget *>(password), static_cast<QWidget *>(name),
                           static_cast<QWidget *>(ok)})
            layout->addWidget(w);
        name->setObjectName(QStringLiteral("edtName"));
        password->setObjectName(QStringLiteral("edtPassword"));
        unit->setObjectName(QStringLiteral("edtUnit"));
        plain->setObjectName(QStringLiteral("edtPlain"));
        ok->setObjectName(QStringLiteral("btnOK"));
        QWidget::setTabOrder(name, password);
        QWidget::setTabOrder(password, unit);
        QWidget::setTabOrder(unit, ok);
        QWidget::setTabOrder(ok, plain);
    }

    bool show()
    {
        window.show();
        window.activateWindow();
        return QTest::qWaitForWindowActive(&window);
    }
};

QString focusName()
{
    QWidget *focus = QApplication::focusWidget();
    return focus ? focus->objectName() : QString();
}

} // namespace

class TestEnterMovesOn : public QObject {
    Q_OBJECT

private slots:
    void movesInTabOrder_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("Return") << int(Qt::Key_Return);
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter);
    }
    void movesInTabOrder()
    {
        QFETCH(int, key);
        const auto modifiers = key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier;
        Form form;
        enterMovesOn({form.name, form.password, form.unit});
        QVERIFY(form.show());
        form.name->setFocus();

        QTest::keyClick(form.name, Qt::Key(key), modifiers);
        QCOMPARE(focusName(), QStringLiteral("edtPassword"));
        QTest::keyClick(form.password, Qt::Key(key), modifiers);
        QCOMPARE(focusName(), QStringLiteral("edtUnit"));
        QTest::keyClick(form.unit, Qt::Key(key), modifiers);
        QCOMPARE(focusName(), QStringLiteral("btnOK"));
    }

    void enterStillReachesTheControl()
    {
        Form form;
        enterMovesOn({form.name});
        enterMovesOn({form.name}); // twice must not move twice
        QVERIFY(form.show());
        form.name->setFocus();
        QSignalSpy returned(form.name, &QLineEdit::returnPressed);
        QTest::keyClick(form.name, Qt::Key_Return);
        QCOMPARE(returned.count(), 1);
        QCOMPARE(focusName(), QStringLiteral("edtPassword"));
    }

    void onlyWatchedControlsMove()
    {
        Form form;
        enterMovesOn(QList<QWidget *>{form.name});
        QVERIFY(form.show());
        form.password->setFocus();
        QTest::keyClick(form.password, Qt::Key_Return);
        QCOMPARE(focusName(), QStringLiteral("edtPassword"));

        // Ctrl+Enter is not Enter.
        form.name->setFocus();
        QTest::keyClick(form.name, Qt::Key_Return, Qt::ControlModifier);
        QCOMPARE(focusName(), QStringLiteral("edtName"));
        // Other keys are typed as usual.
        QTest::keyClicks(form.name, QStringLiteral("ab"));
        QCOMPARE(form.name->text(), QStringLiteral("ab"));
        QCOMPARE(focusName(), QStringLiteral("edtName"));
    }

    void handlerThatMovesTheFocusItself()
    {
        Form form;
        enterMovesOn({form.name});
        QObject::connect(form.name, &QLineEdit::returnPressed, form.plain,
                         [&] { form.plain->setFocus(); });
        QVERIFY(form.show());
        form.name->setFocus();
        QTest::keyClick(form.name, Qt::Key_Return);
        QCOMPARE(focusName(), QStringLiteral("edtPlain"));
    }

    void moveOnFromAHandler()
    {
        Form form;
        QVERIFY(form.show());
        form.unit->setFocus();
        moveOn(form.unit);
        QCOMPARE(focusName(), QStringLiteral("btnOK"));
    }

    void gridPassesTheFocusOn()
    {
        QWidget window;
        auto *layout = new QVBoxLayout(&window);
        auto *grid = new Grid;
        auto *after = new QLineEdit;
        after->setObjectName(QStringLiteral("after"));
        layout->addWidget(grid);
        layout->addWidget(after);
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        grid->setFocus();
        QTest::keyClick(grid, Qt::Key_Tab);
        QCOMPARE(focusName(), QStringLiteral("after"));
    }

    void enterClicksTheFocusedButton_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<int>("clicks");
        QTest::newRow("Return") << int(Qt::Key_Return) << true << 1;
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << true << 1;
        QTest::newRow("disabled") << int(Qt::Key_Return) << false << 0;
        QTest::newRow("other key") << int(Qt::Key_A) << true << 0;
    }
    void enterClicksTheFocusedButton()
    {
        QFETCH(int, key);
        QFETCH(bool, enabled);
        QFETCH(int, clicks);
        Form form;
        enterClicks(form.ok);
        QVERIFY(form.show());
        form.ok->setFocus();
        form.ok->setEnabled(enabled);
        QSignalSpy clicked(form.ok, &QPushButton::clicked);
        QTest::keyClick(form.ok, Qt::Key(key));
        QCOMPARE(clicked.count(), clicks);
    }

    void loginLikeSequence()
    {
        // Name, Enter, password, Enter, Enter: the last Enter presses OK.
        Form form;
        enterMovesOn({form.name, form.password});
        enterClicks(form.ok);
        QVERIFY(form.show());
        form.password->setEchoMode(QLineEdit::Password);
        QWidget::setTabOrder(form.password, form.ok);
        QSignalSpy clicked(form.ok, &QPushButton::clicked);
        form.name->setFocus();
        QTest::keyClicks(form.name, QStringLiteral("somchai"));
        QTest::keyClick(form.name, Qt::Key_Return);
        QTest::keyClicks(form.password, QStringLiteral("1234"));
        QTest::keyClick(form.password, Qt::Key_Return);
        QCOMPARE(focusName(), QStringLiteral("btnOK"));
        QCOMPARE(clicked.count(), 0);
        QTest::keyClick(form.ok, Qt::Key_Return);
        QCOMPARE(clicked.count(), 1);
        QCOMPARE(form.name->text(), QStringLiteral("somchai"));
        QCOMPARE(form.password->text(), QStringLiteral("1234"));
    }
};

QTEST_MAIN(TestEnterMovesOn)
#include "tst_enter_moves_on.moc"
