// The order a result grid sorts a column in: values, not characters.

#include "util/CellOrder.h"

#include <QTest>

using cellorder::Kind;
using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(cellorder::Kind)

namespace {

QStringList sorted(const QStringList &cells, bool descending)
{
    QStringList out;
    for (int i : cellorder::sortedOrder(cellorder::columnKeys(cells), descending))
        out << cells.at(i);
    return out;
}

} // namespace

class TestCellOrder : public QObject {
    Q_OBJECT

private slots:
    void keyOfACell_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<double>("value");
        QTest::newRow("empty") << u""_s << Kind::Empty << 0.0;
        QTest::newRow("blanks") << u"   "_s << Kind::Empty << 0.0;
        QTest::newRow("apostrophe alone") << u"'"_s << Kind::Empty << 0.0;
        QTest::newRow("count") << u"42"_s << Kind::Number << 42.0;
        QTest::newRow("zero-filled") << u"00123"_s << Kind::Number << 123.0;
        QTest::newRow("money") << u"1,234,567.50"_s << Kind::Number << 1234567.5;
        QTest::newRow("negative") << u"-3.25"_s << Kind::Number << -3.25;
        QTest::newRow("per cent") << u"87.5%"_s << Kind::Number << 87.5;
        QTest::newRow("padded") << u" 7 "_s << Kind::Number << 7.0;
        QTest::newRow("plus sign") << u"+5"_s << Kind::Number << 5.0;
        QTest::newRow("digits past any amount") << QString(70, u'1') << Kind::Text << 0.0;
        QTest::newRow("bad grouping") << u"1,23"_s << Kind::Text << 0.0;
        QTest::newRow("long group") << u"1234,567"_s << Kind::Text << 0.0;
        QTest::newRow("two points") << u"1.2.3"_s << Kind::Text << 0.0;
        QTest::newRow("sign alone") << u"-"_s << Kind::Text << 0.0;
        QTest::newRow("date") << u"5/10/2557"_s << Kind::Date << 25571005e6;
        QTest::newRow("date zero-filled") << u"05/10/2557"_s << Kind::Date << 25571005e6;
        QTest::newRow("date kept as text")
            << u"'2/1/2556 10:02:00"_s << Kind::Date << 25560102100200.0;
        QTest::newRow("time without seconds")
            << u"2/1/2556 9:05"_s << Kind::Date << 25560102090500.0;
        QTest::newRow("month-year") << u"10/2567"_s << Kind::Date << 25671000e6;
        QTest::newRow("day 32") << u"32/1/2567"_s << Kind::Text << 0.0;
        QTest::newRow("month 13") << u"1/13/2567"_s << Kind::Text << 0.0;
        QTest::newRow("month-year 13") << u"13/2567"_s << Kind::Text << 0.0;
        QTest::newRow("hour 25") << u"2/1/2556 25:00"_s << Kind::Text << 0.0;
        QTest::newRow("two-digit year") << u"2/1/56"_s << Kind::Text << 0.0;
        QTest::newRow("trailing letters") << u"2/1/2556x"_s << Kind::Text << 0.0;
        QTest::newRow("voucher key") << u"QDTX2556/00002"_s << Kind::Text << 0.0;
        QTest::newRow("guarantee key") << u"2569ส0000012"_s << Kind::Text << 0.0;
        QTest::newRow("day-month") << u"05/12"_s << Kind::Text << 0.0;
    }
    void keyOfACell()
    {
        QFETCH(QString, text);
        QFETCH(Kind, kind);
        QFETCH(double, value);
        const cellorder::Key key = cellorder::keyOf(text);
        QCOMPARE(key.kind, kind);
        QCOMPARE(key.value, value);
    }

    void sortsAColumn_data()
    {
        QTest::addColumn<QStringList>("cells");
        QTest::addColumn<QStringList>("ascending");
        QTest::addColumn<QStringList>("descending");
        QTest::newRow("counts, not characters")
            << QStringList{u"10"_s, u"9"_s, u""_s, u"100"_s, u"2"_s}
            << QStringList{u"2"_s, u"9"_s, u"10"_s, u"100"_s, u""_s}
            << QStringList{u"100"_s, u"10"_s, u"9"_s, u"2"_s, u""_s};
        QTest::newRow("money") << QStringList{u"1,250.00"_s, u"980.50"_s, u"12,000.00"_s}
                               << QStringList{u"980.50"_s, u"1,250.00"_s, u"12,000.00"_s}
                               << QStringList{u"12,000.00"_s, u"1,250.00"_s, u"980.50"_s};
        QTest::newRow("dates across a year end, some kept as text")
            << QStringList{u"'1/1/2567"_s, u"10/1/2567"_s, u""_s, u"'31/12/2566"_s, u"9/1/2567"_s}
            << QStringList{u"'31/12/2566"_s, u"'1/1/2567"_s, u"9/1/2567"_s, u"10/1/2567"_s, u""_s}
            << QStringList{u"10/1/2567"_s, u"9/1/2567"_s, u"'1/1/2567"_s, u"'31/12/2566"_s, u""_s};
        QTest::newRow("time of day orders one day")
            << QStringList{u"'2/1/2556 10:02:00"_s, u"'2/1/2556 9:30:00"_s, u"'2/1/2556"_s}
            << QStringList{u"'2/1/2556"_s, u"'2/1/2556 9:30:00"_s, u"'2/1/2556 10:02:00"_s}
            << QStringList{u"'2/1/2556 10:02:00"_s, u"'2/1/2556 9:30:00"_s, u"'2/1/2556"_s};
        QTest::newRow("months") << QStringList{u"01/2568"_s, u"12/2567"_s, u"02/2567"_s}
                                << QStringList{u"02/2567"_s, u"12/2567"_s, u"01/2568"_s}
                                << QStringList{u"01/2568"_s, u"12/2567"_s, u"02/2567"_s};
        // A leading vowel is written first but read after its consonant.
        QTest::newRow("Thai dictionary order") << QStringList{u"ขอนแก่น"_s, u"เกษตร"_s, u"กองคลัง"_s}
                                               << QStringList{u"กองคลัง"_s, u"เกษตร"_s, u"ขอนแก่น"_s}
                                               << QStringList{u"ขอนแก่น"_s, u"เกษตร"_s, u"กองคลัง"_s};
        QTest::newRow("tone marks count after the letters")
            << QStringList{u"กาง"_s, u"ก้า"_s, u"กา"_s} << QStringList{u"กา"_s, u"ก้า"_s, u"กาง"_s}
            << QStringList{u"กาง"_s, u"ก้า"_s, u"กา"_s};
        QTest::newRow("signs, then Thai, then other alphabets")
            << QStringList{u"Clearing"_s, u"ยกเลิก"_s, u"(ยกเลิก)"_s}
            << QStringList{u"(ยกเลิก)"_s, u"ยกเลิก"_s, u"Clearing"_s}
            << QStringList{u"Clearing"_s, u"ยกเลิก"_s, u"(ยกเลิก)"_s};
        QTest::newRow("numbers inside texts")
            << QStringList{u"ศธ 0513/123"_s, u"ศธ 0513/9"_s, u"ศธ 0513/45"_s}
            << QStringList{u"ศธ 0513/9"_s, u"ศธ 0513/45"_s, u"ศธ 0513/123"_s}
            << QStringList{u"ศธ 0513/123"_s, u"ศธ 0513/45"_s, u"ศธ 0513/9"_s};
        QTest::newRow("letter case ties keep their order")
            << QStringList{u"abc"_s, u"ABD"_s, u"Abc"_s}
            << QStringList{u"abc"_s, u"Abc"_s, u"ABD"_s}
            << QStringList{u"ABD"_s, u"abc"_s, u"Abc"_s};
        QTest::newRow("equal numbers keep their order")
            << QStringList{u"5"_s, u"3"_s, u"5.0"_s} << QStringList{u"3"_s, u"5"_s, u"5.0"_s}
            << QStringList{u"5"_s, u"5.0"_s, u"3"_s};
        QTest::newRow("mixed kinds") << QStringList{u"ไม่มี"_s, u""_s, u"5"_s, u"1/1/2567"_s}
                                     << QStringList{u"5"_s, u"1/1/2567"_s, u"ไม่มี"_s, u""_s}
                                     << QStringList{u"ไม่มี"_s, u"1/1/2567"_s, u"5"_s, u""_s};
        QTest::newRow("document keys")
            << QStringList{u"QDTX2556/00010"_s, u"QDTX2555/00099"_s, u"QDTX2556/00002"_s}
            << QStringList{u"QDTX2555/00099"_s, u"QDTX2556/00002"_s, u"QDTX2556/00010"_s}
            << QStringList{u"QDTX2556/00010"_s, u"QDTX2556/00002"_s, u"QDTX2555/00099"_s};
        QTest::newRow("only empty cells")
            << QStringList{u""_s, u" "_s, u"'"_s} << QStringList{u""_s, u" "_s, u"'"_s}
            << QStringList{u""_s, u" "_s, u"'"_s};
        QTest::newRow("nothing") << QStringList{} << QStringList{} << QStringList{};
    }
    void sortsAColumn()
    {
        QFETCH(QStringList, cells);
        QFETCH(QStringList, ascending);
        QFETCH(QStringList, descending);
        QCOMPARE(sorted(cells, false), ascending);
        QCOMPARE(sorted(cells, true), descending);
    }
};

QTEST_APPLESS_MAIN(TestCellOrder)
#include "tst_cell_order.moc"
