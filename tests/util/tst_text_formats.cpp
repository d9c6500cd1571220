// The TIS-620 codec and delimited text: what other programs' exports hold reads as they mean
// it, and what we write reads back as it was.

#include "util/DelimitedText.h"
#include "util/Tis620.h"

#include <QTest>

using delimited::Field;
using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(QList<Field>)

namespace {

QList<Field> fields(std::initializer_list<const char *> values)
{
    QList<Field> out;
    for (const char *v : values)
        out << (v ? Field(QString::fromUtf8(v)) : Field());
    return out;
}

} // namespace

class TestTextFormats : public QObject {
    Q_OBJECT

private slots:
    // Letters and signs checked against the published table, not against the code's formula.
    void tis620KnownBytes_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("ภาษาไทย") << QByteArray("\xC0\xD2\xC9\xD2\xE4\xB7\xC2") << u"ภาษาไทย"_s;
        QTest::newRow("first and last letters") << QByteArray("\xA1\xCE") << u"กฮ"_s;
        QTest::newRow("phinthu, baht sign") << QByteArray("\xDA\xDF") << u"\u0E3A฿"_s;
        QTest::newRow("last digit, khomut") << QByteArray("\xF9\xFB") << u"๙\u0E5B"_s;
        QTest::newRow("tone marks") << QByteArray("\xA1\xE8\xA1\xE9\xA1\xEA\xA1\xEB") << u"ก่ก้ก๊ก๋"_s;
        QTest::newRow("ASCII as it is") << QByteArray("A,\"b\"\t\r\n") << u"A,\"b\"\t\r\n"_s;
        QTest::newRow("code page 874")
            << QByteArray("\x80\x85\x91\x92\x93\x94\x95\x96\x97\xA0") << u"€…‘’“”•–—\u00A0"_s;
    }
    void tis620KnownBytes()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        qsizetype bad = 0;
        QCOMPARE(tis620::decode(bytes, &bad), text);
        QCOMPARE(bad, -1);
        QCOMPARE(tis620::encode(text, &bad), bytes);
        QCOMPARE(bad, -1);
    }

    // Every byte either stands for one character that encodes back to it, or for none.
    void tis620EveryByte()
    {
        int thai = 0;
        for (int b = 0; b < 256; ++b) {
            const QByteArray one(1, char(b));
            qsizetype bad = 0;
            const QString c = tis620::decode(one, &bad);
            QCOMPARE(c.size(), 1);
            const bool none =
                (b >= 0xDB && b <= 0xDE) || b >= 0xFC ||
                (b >= 0x80 && b < 0xA0 &&
                 !QByteArray("\x80\x85\x91\x92\x93\x94\x95\x96\x97").contains(char(b)));
            QCOMPARE(bad, none ? 0 : -1);
            if (none) {
                QCOMPARE(c.at(0), QChar(0xFFFD));
                continue;
            }
            QCOMPARE(tis620::encode(c, &bad), one);
            thai += c.at(0).unicode() >= 0x0E01 && c.at(0).unicode() <= 0x0E5B;
        }
        QCOMPARE(thai, 87); // every character of the Unicode Thai block
    }

    void tis620NamesWhatItCannotTake_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<qsizetype>("badByte");
        QTest::addColumn<QString>("text");
        QTest::addColumn<qsizetype>("badChar");
        QTest::newRow("gap after phinthu")
            << QByteArray("ab\xDB") << qsizetype(2) << u"abé"_s << qsizetype(2);
        QTest::newRow("past khomut")
            << QByteArray("\xA1\xFC\xFF") << qsizetype(1) << u"ก😀"_s << qsizetype(1);
        QTest::newRow("unused upper byte")
            << QByteArray("\x81") << qsizetype(0) << u"\uFFFD"_s << qsizetype(0);
    }
    void tis620NamesWhatItCannotTake()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(qsizetype, badByte);
        QFETCH(QString, text);
        QFETCH(qsizetype, badChar);
        qsizetype bad = -2;
        tis620::decode(bytes, &bad);
        QCOMPARE(bad, badByte);
        tis620::encode(text, &bad);
        QCOMPARE(bad, badChar);
    }

    void parse_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QChar>("separator");
        QTest::addColumn<QList<int>>("lines");
        QTest::addColumn<QList<QList<Field>>>("records");
        QTest::newRow("plain") << u"a,b\nc,d\n"_s << QChar(u',') << QList<int>{1, 2}
                               << QList<QList<Field>>{fields({"a", "b"}), fields({"c", "d"})};
        QTest::newRow("no last line break")
            << u"a,b\nc,d"_s << QChar(u',') << QList<int>{1, 2}
            << QList<QList<Field>>{fields({"a", "b"}), fields({"c", "d"})};
        QTest::newRow("CRLF") << u"a,b\r\nc,d\r\n"_s << QChar(u',') << QList<int>{1, 2}
                              << QList<QList<Field>>{fields({"a", "b"}), fields({"c", "d"})};
        QTest::newRow("NULL and empty text")
            << u",\"\",x,\n"_s << QChar(u',') << QList<int>{1}
            << QList<QList<Field>>{fields({nullptr, "", "x", nullptr})};
        QTest::newRow("quotes, separator, line breaks")
            << u"\"say \"\"hi\"\"\",\"a,b\",\"l1\nl2\r\nl3\"\nnext,\" \",z\n"_s << QChar(u',')
            << QList<int>{1, 4}
            << QList<QList<Field>>{fields({"say \"hi\"", "a,b", "l1\nl2\r\nl3"}),
                                   fields({"next", " ", "z"})};
        QTest::newRow("tab") << u"ก\t\"ข\tค\"\t,\n"_s << QChar(u'\t') << QList<int>{1}
                             << QList<QList<Field>>{fields({"ก", "ข\tค", ","})};
        QTest::newRow("a quote inside an unquoted field stays")
            << u"5\" pipe,x\n"_s << QChar(u',') << QList<int>{1}
            << QList<QList<Field>>{fields({"5\" pipe", "x"})};
        QTest::newRow("blank line is one NULL")
            << u"a\n\nb\n"_s << QChar(u',') << QList<int>{1, 2, 3}
            << QList<QList<Field>>{fields({"a"}), fields({nullptr}), fields({"b"})};
    }
    void parse()
    {
        QFETCH(QString, text);
        QFETCH(QChar, separator);
        QFETCH(QList<int>, lines);
        QFETCH(QList<QList<Field>>, records);
        const QList<delimited::Record> got = delimited::parse(text, separator);
        QList<int> gotLines;
        QList<QList<Field>> gotFields;
        for (const delimited::Record &r : got) {
            gotLines << r.line;
            gotFields << r.fields;
        }
        QCOMPARE(gotFields, records);
        QCOMPARE(gotLines, lines);
    }

    void parseRefuses_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("line");
        QTest::newRow("quote left open, named where it opened")
            << u"a,b\nc,\"d\ne\nf\n"_s << u"บรรทัด 2:"_s;
        QTest::newRow("text after the closing quote") << u"a\n\"b\"c,d\n"_s << u"บรรทัด 2:"_s;
        QTest::newRow("after a quoted line break") << u"\"a\nb\" c\n"_s << u"บรรทัด 2:"_s;
    }
    void parseRefuses()
    {
        QFETCH(QString, text);
        QFETCH(QString, line);
        try {
            delimited::parse(text, u',');
            QFAIL("no error");
        } catch (const delimited::Error &e) {
            QVERIFY2(e.message().startsWith(line), qPrintable(e.message()));
        }
    }

    // Whatever a value holds, writing and reading gives it back, with either separator.
    void writeThenRead()
    {
        const QList<Field> values{Field(),       u""_s,          u" lead"_s,       u"trail\t"_s,
                                  u"a,b"_s,      u"tab\there"_s, u"\"quoted\""_s,  u"line\nbreak"_s,
                                  u"cr\ronly"_s, u"crlf\r\n"_s,  u"ภาษาไทย ๑๒๓"_s, Field()};
        for (QChar separator : {QChar(u','), QChar(u'\t')}) {
            const QString text = delimited::record(values, separator) + u'\n' +
                                 delimited::record(values, separator) + u'\n';
            const QList<delimited::Record> back = delimited::parse(text, separator);
            QCOMPARE(back.size(), 2);
            QCOMPARE(back.at(0).fields, values);
            QCOMPARE(back.at(1).fields, values);
            QCOMPARE(back.at(1).line, 4); // two line breaks inside the first; a lone CR is none
        }
    }
};

QTEST_APPLESS_MAIN(TestTextFormats)
#include "tst_text_formats.moc"
