#include "screens/common/MaskEdit.h"

#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>

Q_DECLARE_METATYPE(MaskEdit::Kind)

namespace {

void addKinds()
{
    QTest::addColumn<MaskEdit::Kind>("kind");
}

} // namespace

class TestMaskEdit : public QObject {
    Q_OBJECT

private slots:
    void untouched_data()
    {
        addKinds();
        QTest::addColumn<QString>("expected");
        QTest::newRow("date") << MaskEdit::Kind::Date << QStringLiteral("  /  /    ");
        QTest::newRow("month-year") << MaskEdit::Kind::MonthYear << QStringLiteral("  /    ");
        QTest::newRow("year") << MaskEdit::Kind::Year << QStringLiteral("    ");
    }
    void untouched()
    {
        QFETCH(MaskEdit::Kind, kind);
        QFETCH(QString, expected);
        MaskEdit edit(kind);
        QCOMPARE(edit.kind(), kind);
        QCOMPARE(edit.text(), expected);

        edit.setText(QStringLiteral("01/01/2557"));
        edit.clear();
        QCOMPARE(edit.text(), expected);
        edit.setText(QString());
        QCOMPARE(edit.text(), expected);
    }

    void setText_data()
    {
        addKinds();
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("expected");
        const auto date = MaskEdit::Kind::Date;
        const auto monthYear = MaskEdit::Kind::MonthYear;
        const auto year = MaskEdit::Kind::Year;
        QTest::newRow("full date") << date << "05/10/2557"
                                   << "05/10/2557";
        QTest::newRow("date, year left blank") << date << "00/00/    "
                                               << "00/00/    ";
        QTest::newRow("the untouched text") << date << "  /  /    "
                                            << "  /  /    ";
        QTest::newRow("date, blanks inside") << date << "5 /1 /2557"
                                             << "5 /1 /2557";
        QTest::newRow("separators line up") << date << "5/1/2557"
                                            << "5 /1 /2557";
        QTest::newRow("digits only") << date << "05102557"
                                     << "05/10/2557";
        QTest::newRow("letters dropped") << date << "ab/cd/efgh"
                                         << "  /  /    ";
        QTest::newRow("longer than the mask") << date << "05/10/2557 10:30"
                                              << "05/10/2557";
        QTest::newRow("month-year") << monthYear << "10/2557"
                                    << "10/2557";
        QTest::newRow("month-year, part") << monthYear << "10/"
                                          << "10/    ";
        QTest::newRow("year") << year << "2557"
                              << "2557";
        QTest::newRow("year, too long") << year << "25571"
                                        << "2557";
        QTest::newRow("year, short") << year << "25"
                                     << "25  ";
    }
    void setText()
    {
        QFETCH(MaskEdit::Kind, kind);
        QFETCH(QString, input);
        QFETCH(QString, expected);
        MaskEdit edit(kind);
        edit.setText(input);
        QCOMPARE(edit.text(), expected);
        QCOMPARE(edit.text().size(), edit.maxLength());
    }

    void typing_data()
    {
        addKinds();
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("expected");
        const auto date = MaskEdit::Kind::Date;
        QTest::newRow("digits") << date << "05102557"
                                << "05/10/2557";
        QTest::newRow("digits and slashes") << date << "05/10/2557"
                                            << "05/10/2557";
        QTest::newRow("day and month only") << date << "0510"
                                            << "05/10/    ";
        QTest::newRow("non-digits refused") << date << "0a5 x1-0"
                                            << "05/10/    ";
        QTest::newRow("too many digits") << date << "051025571234"
                                         << "05/10/2557";
        QTest::newRow("month-year") << MaskEdit::Kind::MonthYear << "102557"
                                    << "10/2557";
        QTest::newRow("year") << MaskEdit::Kind::Year << "2557"
                              << "2557";
        QTest::newRow("year, letters") << MaskEdit::Kind::Year << "2x5"
                                       << "25  ";
    }
    void typing()
    {
        QFETCH(MaskEdit::Kind, kind);
        QFETCH(QString, keys);
        QFETCH(QString, expected);
        MaskEdit edit(kind);
        edit.show();
        QVERIFY(QTest::qWaitForWindowExposed(&edit));
        edit.setFocus();
        edit.setCursorPosition(0);
        QTest::keyClicks(&edit, keys);
        QCOMPARE(edit.text(), expected);
    }

    void editingAnEnteredDate()
    {
        MaskEdit edit(MaskEdit::Kind::Date);
        edit.show();
        QVERIFY(QTest::qWaitForWindowExposed(&edit));
        edit.setFocus();
        edit.setText(QStringLiteral("05/10/2557"));
        edit.setCursorPosition(edit.maxLength());
        QTest::keyClick(&edit, Qt::Key_Backspace);
        QTest::keyClick(&edit, Qt::Key_Backspace);
        QCOMPARE(edit.text(), QStringLiteral("05/10/25  "));

        edit.selectAll();
        QTest::keyClicks(&edit, QStringLiteral("3112"));
        QCOMPARE(edit.text(), QStringLiteral("31/12/    "));

        edit.selectAll();
        QTest::keyClick(&edit, Qt::Key_Delete);
        QCOMPARE(edit.text(), QStringLiteral("  /  /    "));
    }

    void partlyFilledBoxCanBeLeft()
    {
        QWidget window;
        auto *layout = new QVBoxLayout(&window);
        auto *date = new MaskEdit(MaskEdit::Kind::Date);
        auto *next = new QLineEdit;
        layout->addWidget(date);
        layout->addWidget(next);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        date->setFocus();
        date->setCursorPosition(0);
        QTest::keyClicks(date, QStringLiteral("0510"));

        QSignalSpy returned(date, &QLineEdit::returnPressed);
        QSignalSpy finished(date, &QLineEdit::editingFinished);
        QTest::keyClick(date, Qt::Key_Return);
        QCOMPARE(returned.count(), 1);
        QTest::keyClick(date, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), next);
        QVERIFY(finished.count() >= 1);
        QCOMPARE(date->text(), QStringLiteral("05/10/    "));
    }
};

QTEST_MAIN(TestMaskEdit)
#include "tst_mask_edit.moc"
