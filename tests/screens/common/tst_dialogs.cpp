#include "ScriptedDialogs.h"
#include "data/DbError.h"
#include "screens/common/Guard.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <stdexcept>

namespace {

enum class Throw { Nothing, DbError, StdError, ThaiStdError };

// Runs `handle` on the message box once it is up; the box's own event loop drives the timer.
void whenBoxShown(std::function<void(QMessageBox *)> handle)
{
    auto *timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, handle] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            handle(box);
        }
    });
    timer->start();
}

struct Seen {
    QString title;
    QString text;
    QStringList buttons;
    Qt::TextFormat format = Qt::AutoText;
};

Seen look(QMessageBox *box)
{
    Seen seen{box->windowTitle(), box->text(), {}, box->textFormat()};
    for (QAbstractButton *button : box->buttons())
        seen.buttons.append(button->text());
    seen.buttons.sort();
    return seen;
}

} // namespace

Q_DECLARE_METATYPE(Throw)

class TestDialogs : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QApplication::setApplicationName(QStringLiteral("Vostrel")); }

    void scriptedDialogsRecordAndAnswer()
    {
        ScriptedDialogs dialogs;
        Dialogs &boxes = dialogs;
        dialogs.answer(false);
        dialogs.answer(true);
        dialogs.answer(false);

        boxes.message(nullptr, QStringLiteral("ไม่พบข้อมูลที่ต้องการ"));
        QCOMPARE(boxes.confirm(nullptr, QStringLiteral("ยืนยันการบันทึกข้อมูล ")), false);
        boxes.error(nullptr, QStringLiteral("timeout"));
        QCOMPARE(boxes.confirm(nullptr, QStringLiteral("two")), true);
        QCOMPARE(dialogs.pendingAnswers(), 1);

        using S = ScriptedDialogs::Shown;
        const QList<S> expected{{S::Message, QStringLiteral("ไม่พบข้อมูลที่ต้องการ")},
                                {S::Confirm, QStringLiteral("ยืนยันการบันทึกข้อมูล ")},
                                {S::Error, QStringLiteral("timeout")},
                                {S::Confirm, QStringLiteral("two")}};
        QCOMPARE(dialogs.shown, expected);
        QCOMPARE(dialogs.texts(),
                 QStringList({QStringLiteral("ไม่พบข้อมูลที่ต้องการ"), QStringLiteral("ยืนยันการบันทึกข้อมูล "),
                              QStringLiteral("timeout"), QStringLiteral("two")}));
        QCOMPARE(dialogs.last(), QStringLiteral("two"));

        // clear() forgets what was shown, not what is still scripted.
        dialogs.clear();
        QVERIFY(dialogs.shown.isEmpty());
        QCOMPARE(dialogs.last(), QString());
        QCOMPARE(boxes.confirm(nullptr, QStringLiteral("three")), false);
        // With the script played out, every confirmation is OK.
        QCOMPARE(boxes.confirm(nullptr, QStringLiteral("four")), true);
        QCOMPARE(dialogs.pendingAnswers(), 0);
    }

    void guardShowsTheFailure_data()
    {
        QTest::addColumn<Throw>("thrown");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QStringList>("errors");
        QTest::newRow("no failure") << Throw::Nothing << true << QStringList();
        QTest::newRow("catalog error")
            << Throw::DbError << false
            << QStringList{QStringLiteral("Invalid column name 'Doc_PK2'.")};
        QTest::newRow("library error")
            << Throw::StdError << false << QStringList{QStringLiteral("cannot open file")};
        QTest::newRow("Thai message")
            << Throw::ThaiStdError << false << QStringList{QStringLiteral("เปิดไฟล์ไม่ได้")};
    }
    void guardShowsTheFailure()
    {
        QFETCH(Throw, thrown);
        QFETCH(bool, ok);
        QFETCH(QStringList, errors);
        ScriptedDialogs dialogs;
        QStringList steps;
        const auto action = [&] {
            steps << QStringLiteral("written");
            switch (thrown) {
            case Throw::Nothing:
                break;
            case Throw::DbError:
                throw db::Error(QStringLiteral("Invalid column name 'Doc_PK2'."));
            case Throw::StdError:
                throw std::runtime_error("cannot open file");
            case Throw::ThaiStdError:
                throw std::runtime_error(QStringLiteral("เปิดไฟล์ไม่ได้").toStdString());
            }
            steps << QStringLiteral("finished");
        };

        QCOMPARE(guardedOk(nullptr, dialogs, action), ok);
        QCOMPARE(dialogs.texts(), errors);
        for (const ScriptedDialogs::Shown &box : dialogs.shown)
            QCOMPARE(box.kind, ScriptedDialogs::Shown::Error);
        // The action ends where it failed; what it did before stays done.
        QCOMPARE(steps.size(), ok ? 2 : 1);

        dialogs.clear();
        steps.clear();
        guarded(nullptr, dialogs, action);
        QCOMPARE(dialogs.texts(), errors);
    }

    void guardLetsForeignExceptionsThrough()
    {
        ScriptedDialogs dialogs;
        QVERIFY_THROWS_EXCEPTION(int, guarded(nullptr, dialogs, [] { throw 42; }));
        QVERIFY(dialogs.shown.isEmpty());
    }

    void confirmBox_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<bool>("expected");
        QTest::newRow("OK") << QStringLiteral("ok") << true;
        QTest::newRow("Cancel") << QStringLiteral("cancel") << false;
        QTest::newRow("Escape") << QStringLiteral("escape") << false;
        QTest::newRow("closed") << QStringLiteral("close") << false;
    }
    void confirmBox()
    {
        QFETCH(QString, how);
        QFETCH(bool, expected);
        QtDialogs dialogs;
        Seen seen;
        whenBoxShown([&](QMessageBox *box) {
            seen = look(box);
            if (how == u"ok")
                box->button(QMessageBox::Ok)->click();
            else if (how == u"cancel")
                box->button(QMessageBox::Cancel)->click();
            else if (how == u"escape")
                QTest::keyClick(box, Qt::Key_Escape);
            else
                box->close();
        });
        QCOMPARE(dialogs.confirm(nullptr, QStringLiteral("ยืนยันการบันทึกข้อมูล ")), expected);
        QCOMPARE(seen.title, QStringLiteral("Confirm"));
        QCOMPARE(seen.text, QStringLiteral("ยืนยันการบันทึกข้อมูล "));
        QCOMPARE(seen.buttons, QStringList({QStringLiteral("Cancel"), QStringLiteral("OK")}));
    }

    void messageAndErrorBoxes()
    {
        QtDialogs dialogs;
        Seen seen;
        const auto closeWithOk = [&](QMessageBox *box) {
            seen = look(box);
            box->button(QMessageBox::Ok)->click();
        };

        whenBoxShown(closeWithOk);
        dialogs.message(nullptr, QStringLiteral("ทำการบันทึกข้อมูลเรียบร้อยแล้ว"));
        QCOMPARE(seen.title, QStringLiteral("Vostrel"));
        QCOMPARE(seen.text, QStringLiteral("ทำการบันทึกข้อมูลเรียบร้อยแล้ว"));
        QCOMPARE(seen.buttons, QStringList{QStringLiteral("OK")});

        // A server message is shown as it came, never read as markup.
        const QString serverText = QStringLiteral("Incorrect syntax near '<b>'.");
        whenBoxShown(closeWithOk);
        dialogs.error(nullptr, serverText);
        QCOMPARE(seen.title, QStringLiteral("Vostrel"));
        QCOMPARE(seen.text, serverText);
        QCOMPARE(seen.format, Qt::PlainText);
        QCOMPARE(seen.buttons, QStringList{QStringLiteral("OK")});
    }
};

QTEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
