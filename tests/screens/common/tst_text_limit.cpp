#include "screens/common/TextLimit.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>

using namespace Qt::StringLiterals;

// A limited box keeps whole characters however the text arrives: pasted, typed or set.
class TestTextLimit : public QObject {
    Q_OBJECT

private slots:
    void wholeCharactersOnly_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("how"); // paste, type, set
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        const QString e = u"😀"_s;
        QTest::newRow("pasted across the limit") << QString() << "paste" << u"ab"_s + e << u"ab"_s;
        QTest::newRow("pasted, fits whole") << QString() << "paste" << u"a"_s + e << u"a"_s + e;
        QTest::newRow("typed at the limit") << u"ab"_s << "type" << e << u"ab"_s;
        QTest::newRow("typed inside the limit") << u"a"_s << "type" << e << u"a"_s + e;
        QTest::newRow("set across the limit")
            << QString() << "set" << u"ab"_s + e + u"c"_s << u"ab"_s;
        QTest::newRow("Thai marks count as characters") << QString() << "paste" << u"กิ่้"_s << u"กิ่"_s;
        QTest::newRow("a lone half is dropped")
            << QString() << "paste" << u"a"_s + QChar(0xDE00) + u"b"_s << u"ab"_s;
    }
    void wholeCharactersOnly()
    {
        QFETCH(QString, before);
        QFETCH(QString, how);
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QLineEdit edit;
        limitLength(&edit, 3);
        edit.setText(before);
        edit.end(false);
        if (how == u"paste") {
            edit.insert(text);
        } else if (how == u"set") {
            edit.setText(text);
        } else {
            QKeyEvent key(QEvent::KeyPress, 0, Qt::NoModifier, text);
            QCoreApplication::sendEvent(&edit, &key);
        }
        QCOMPARE(edit.text(), expected);
        QCOMPARE(edit.maxLength(), 3);
        QVERIFY(edit.cursorPosition() <= expected.size());
    }
};

QTEST_MAIN(TestTextLimit)
#include "tst_text_limit.moc"
