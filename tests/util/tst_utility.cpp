#include "util/Utility.h"

#include <QTest>
#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

// Reference words built from the decimal digits of an integer, independent of the
// floating-point routine: six-digit blocks joined by "ล้าน".
const QString kRefDigits[] = {u""_s,   u"หนึ่ง"_s, u"สอง"_s, u"สาม"_s, u"สี่"_s,
                              u"ห้า"_s, u"หก"_s,  u"เจ็ด"_s, u"แปด"_s, u"เก้า"_s};

QString refBlock(const std::string &six)
{
    static const QString places[] = {u"แสน"_s, u"หมื่น"_s, u"พัน"_s, u"ร้อย"_s, u"สิบ"_s, u""_s};
    QString out;
    for (int i = 0; i < 6; ++i) {
        const int d = six[static_cast<size_t>(i)] - '0';
        if (d == 0)
            continue;
        if (i == 4)
            out += d == 1 ? QString() : d == 2 ? u"ยี่"_s : kRefDigits[d];
        else if (i == 5 && d == 1 && six[4] != '0')
            out += u"เอ็ด"_s;
        else
            out += kRefDigits[d];
        out += places[i];
    }
    return out;
}

QString refWhole(quint64 n)
{
    std::string digits = std::to_string(n);
    digits.insert(0, (6 - digits.size() % 6) % 6, '0');
    QString out;
    for (size_t at = 0; at < digits.size(); at += 6) {
        if (at > 0)
            out += u"ล้าน"_s;
        out += refBlock(digits.substr(at, 6));
    }
    return out;
}

QString refWords(quint64 satang)
{
    const quint64 fraction = satang % 100;
    QString out = refWhole(satang / 100) + u"บาท"_s;
    if (fraction == 0)
        return out + u"ถ้วน"_s;
    return out + refBlock(std::string(4, '0') + std::to_string(100 + fraction).substr(1)) +
           u"สตางค์"_s;
}

// Every amount below ten million million baht, in satang.
constexpr quint64 kSatangLimit = 1'000'000'000'000'000;

std::vector<quint64> satangSamples()
{
    std::vector<quint64> samples;
    // Baht around every place and the word changes (10, 11, 20, 21, 1e6, 1e7, 21e6 + 1, ...).
    quint64 power = 1;
    for (int k = 0; k <= 12; ++k, power *= 10) {
        for (quint64 m : {1, 2, 9, 10, 11, 20, 21}) {
            for (quint64 baht : {m * power - 1, m * power, m * power + 1, m * power + 11,
                                 m * power + 21, m * power + 101}) {
                for (quint64 fraction : {0, 1, 2, 10, 11, 20, 21, 99})
                    if (baht * 100 + fraction < kSatangLimit)
                        samples.push_back(baht * 100 + fraction);
            }
        }
    }
    // Then values of every length, 1 to 15 digits.
    std::mt19937_64 random(20120105);
    std::uniform_int_distribution<int> length(1, 15);
    for (int i = 0; i < 200'000; ++i) {
        const int digits = length(random);
        const quint64 low = digits == 1 ? 0 : static_cast<quint64>(std::pow(10.0, digits - 1));
        const quint64 high = static_cast<quint64>(std::pow(10.0, digits)) - 1;
        samples.push_back(std::uniform_int_distribution<quint64>(low, high)(random));
    }
    return samples;
}

} // namespace

class TestUtility : public QObject {
    Q_OBJECT

private slots:
    void stripComma_data();
    void stripComma();
    void trimSpace_data();
    void trimSpace();
    void trimText_data();
    void trimText();
    void rightChars_data();
    void rightChars();
    void cutsKeepWholeCharacters_data();
    void cutsKeepWholeCharacters();
    void dateRoutinesNeverHalveACharacter();
    void normDateText_data();
    void normDateText();
    void dayKey_data();
    void dayKey();
    void typedDay_data();
    void typedDay();
    void powerOf_data();
    void powerOf();
    void amountInWords_data();
    void amountInWords();
    void amountInWordsMatchesDigitWords();
    void amountInWordsLargeWholeAmounts();
    void amountInWordsNonFinite();
};

// What the date boxes accept: the forms the day key reads, of days that exist.
void TestUtility::typedDay_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QDate>("day");
    QTest::newRow("full") << u"05/01/2557"_s << QDate(2014, 1, 5);
    QTest::newRow("no zeros") << u"5/1/2557"_s << QDate(2014, 1, 5);
    QTest::newRow("mask blanks") << u" 5/ 1/2557"_s << QDate(2014, 1, 5);
    QTest::newRow("leap day") << u"29/02/2567"_s << QDate(2024, 2, 29);
    QTest::newRow("no leap day") << u"29/02/2566"_s << QDate();
    QTest::newRow("31 February") << u"31/02/2569"_s << QDate();
    QTest::newRow("day zero") << u"00/01/2557"_s << QDate();
    QTest::newRow("month 13") << u"01/13/2557"_s << QDate();
    QTest::newRow("untouched mask") << u"  /  /    "_s << QDate();
    QTest::newRow("half typed year") << u"05/01/25  "_s << QDate();
    QTest::newRow("two-digit year") << u"5/1/57"_s << QDate();
    QTest::newRow("time after") << u"05/01/2557 10:00"_s << QDate();
    QTest::newRow("dashes") << u"05-01-2557"_s << QDate();
    QTest::newRow("text") << u"any text"_s << QDate();
}

void TestUtility::typedDay()
{
    QFETCH(QString, typed);
    QFETCH(QDate, day);
    QCOMPARE(typedDayOf(typed), day);
}

void TestUtility::stripComma_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("expected");
    QTest::newRow("thousands") << u"1,234,567.50"_s << u"1234567.50"_s;
    QTest::newRow("empty") << QString() << u"0"_s;
    QTest::newRow("commas only") << u",,,"_s << u"0"_s;
    QTest::newRow("no comma") << u"1234"_s << u"1234"_s;
    QTest::newRow("blanks stay") << u" , "_s << u"  "_s;
    QTest::newRow("sign and point stay") << u"-1,000.5"_s << u"-1000.5"_s;
    QTest::newRow("thai digits") << u"๑,๒๓๔"_s << u"๑๒๓๔"_s;
    QTest::newRow("other commas stay") << u"1\uFF0C2\u060C3"_s << u"1\uFF0C2\u060C3"_s;
}

void TestUtility::stripComma()
{
    QFETCH(QString, input);
    QFETCH(QString, expected);
    QCOMPARE(Strip_Comma(input), expected);
}

void TestUtility::trimSpace_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("left");
    QTest::addColumn<QString>("right");
    QTest::addColumn<QString>("both");
    QTest::newRow("two each side") << u"  ab c  "_s << u"ab c  "_s << u"  ab c"_s << u"ab c"_s;
    QTest::newRow("empty") << QString() << QString() << QString() << QString();
    QTest::newRow("blanks only") << u"    "_s << QString() << QString() << QString();
    QTest::newRow("one blank") << u" "_s << QString() << QString() << QString();
    QTest::newRow("leading tab stays") << u"\tab "_s << u"\tab "_s << u"\tab"_s << u"\tab"_s;
    QTest::newRow("controls stop the cut")
        << u" \tab\n "_s << u"\tab\n "_s << u" \tab\n"_s << u"\tab\n"_s;
    QTest::newRow("no-break space stays")
        << u"\u00A0x\u00A0"_s << u"\u00A0x\u00A0"_s << u"\u00A0x\u00A0"_s << u"\u00A0x\u00A0"_s;
    QTest::newRow("thai") << u"  สวัสดี ครับ "_s << u"สวัสดี ครับ "_s << u"  สวัสดี ครับ"_s << u"สวัสดี ครับ"_s;
}

void TestUtility::trimSpace()
{
    QFETCH(QString, input);
    QFETCH(QString, left);
    QFETCH(QString, right);
    QFETCH(QString, both);
    QCOMPARE(Trim_Left_Space(input), left);
    QCOMPARE(Trim_Right_Space(input), right);
    QCOMPARE(Trim_Space(input), both);
}

void TestUtility::trimText_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("expected");
    QTest::newRow("blanks and line ends") << u" \t\nก ข\r\n"_s << u"ก ข"_s;
    QTest::newRow("nul and unit separator") << u"\0\u001Fab\0"_s << u"ab"_s;
    QTest::newRow("inner controls stay") << u"a\tb\nc"_s << u"a\tb\nc"_s;
    QTest::newRow("above 32 stays") << u"!\u007Fx\u00A0"_s << u"!\u007Fx\u00A0"_s;
    QTest::newRow("controls only") << u" \t\r\n"_s << QString();
    QTest::newRow("empty") << QString() << QString();
    QTest::newRow("thai vowel at the edge") << u"\tเก้า\t"_s << u"เก้า"_s;
}

void TestUtility::trimText()
{
    QFETCH(QString, input);
    QFETCH(QString, expected);
    QCOMPARE(::trimText(input), expected);
}

void TestUtility::rightChars_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("expected");
    QTest::newRow("zero fill") << u"0000012"_s << 5 << u"00012"_s;
    QTest::newRow("shorter than count") << u"ab"_s << 5 << u"ab"_s;
    QTest::newRow("count zero") << u"abc"_s << 0 << QString();
    QTest::newRow("exact length") << u"abc"_s << 3 << u"abc"_s;
    QTest::newRow("empty") << QString() << 2 << QString();
    QTest::newRow("largest count") << u"abc"_s << 65535 << u"abc"_s;
    QTest::newRow("thai counts characters") << u"สวัสดี"_s << 2 << u"ดี"_s;
}

void TestUtility::rightChars()
{
    QFETCH(QString, input);
    QFETCH(int, count);
    QFETCH(QString, expected);
    QCOMPARE(Right_Chars(input, static_cast<quint16>(count)), expected);
}

// Cuts keep whole characters: a pair (an emoji) across the cut is left out, never halved;
// Thai marks are characters of their own and are cut as any other.
void TestUtility::cutsKeepWholeCharacters_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<int>("from"); // -1: leftChars, -2: Right_Chars
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("expected");
    const QString e = u"😀"_s;
    QTest::newRow("left, pair across the cut") << u"ab"_s + e << -1 << 3 << u"ab"_s;
    QTest::newRow("left, pair just inside") << u"ab"_s + e + u"c"_s << -1 << 4 << u"ab"_s + e;
    QTest::newRow("left, only a pair, one unit") << e << -1 << 1 << QString();
    QTest::newRow("left, negative count") << u"abc"_s << -1 << -3 << QString();
    QTest::newRow("left, longer than the text") << u"a"_s + e << -1 << 10 << u"a"_s + e;
    QTest::newRow("left, Thai base and marks") << u"กิ่"_s << -1 << 2 << u"กิ"_s;
    QTest::newRow("right, pair across the cut") << e + u"ab"_s << -2 << 3 << u"ab"_s;
    QTest::newRow("right, pair just inside") << u"x"_s + e + u"ab"_s << -2 << 4 << e + u"ab"_s;
    QTest::newRow("right, zero fill of an emoji") << u"00"_s + e << -2 << 2 << e;
    QTest::newRow("mid, both ends inside pairs") << e + u"ab"_s + e << 1 << 4 << u"ab"_s;
    QTest::newRow("mid, start past the end") << u"ab"_s << 5 << 2 << QString();
    QTest::newRow("mid, negative start") << u"abc"_s << -4 << 2 << u"ab"_s;
    QTest::newRow("mid, inside one pair") << e << 1 << 1 << QString();
    QTest::newRow("mid, lone half kept as given")
        << u"a"_s + QChar(0xD83D) + u"b"_s << 1 << 1 << QString(QChar(0xD83D));
}

void TestUtility::cutsKeepWholeCharacters()
{
    QFETCH(QString, input);
    QFETCH(int, from);
    QFETCH(int, count);
    QFETCH(QString, expected);
    const QString got = from == -1   ? leftChars(input, count)
                        : from == -2 ? Right_Chars(input, static_cast<quint16>(count))
                                     : midChars(input, from, count);
    QCOMPARE(got, expected);
}

// The date routines cut too; whatever text they get, they never make half a character.
void TestUtility::dateRoutinesNeverHalveACharacter()
{
    const QList<QChar> alphabet = {u'/',  u'0', u'1',          u'9',         u' ',
                                   u'\'', u'ก', QChar(0xD83D), QChar(0xDE00)};
    std::mt19937 random(9122026);
    auto whole = [](const QString &s) {
        // A pair is whole when its halves stand together; nothing else may be a half.
        for (qsizetype i = 0; i < s.size(); ++i) {
            if (s[i].isHighSurrogate() && i + 1 < s.size() && s[i + 1].isLowSurrogate())
                ++i;
            else if (s[i].isSurrogate())
                return false;
        }
        return true;
    };
    for (int round = 0; round < 20000; ++round) {
        QString text;
        const int length = int(random() % 30);
        for (int i = 0; i < length; ++i) {
            if (random() % 4 == 0)
                text += u"😀"_s;
            else
                text += alphabet.at(qsizetype(random() % 7));
        }
        const QString norm = Norm_Date_Text(text);
        QVERIFY2(whole(norm), qPrintable(text));
        QVERIFY2(whole(Day_Key(norm)), qPrintable(text));
        QVERIFY2(whole(Day_Key(text)), qPrintable(text));
    }
}

void TestUtility::normDateText_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("expected");
    QTest::newRow("normal") << u"05/01/2555"_s << u"05/01/2555"_s;
    QTest::newRow("one-digit day and month") << u"1/2/2555"_s << u"01/02/2555"_s;
    QTest::newRow("time after year") << u"15/10/2555 13:45:00"_s << u"15/10/2555"_s;
    QTest::newRow("blank and digit") << u" 3/ 7/2554"_s << u"03/07/2554"_s;
    QTest::newRow("blanks around parts") << u"  5 / 1 /2555  "_s << u"05/01/2555"_s;
    QTest::newRow("leading apostrophe") << u"'05/01/2555"_s << u"05/01/2555"_s;
    QTest::newRow("tab is not a blank") << u"\t5/1/2555"_s << u"\t5/01/2555"_s;
    QTest::newRow("three-digit day") << u"123/4/2555"_s << u"23/04/2555"_s;
    QTest::newRow("short year kept") << u"1/2/55"_s << u"01/02/55"_s;
    QTest::newRow("month and year") << u"12/2555"_s << u"12/00/2555"_s;
    QTest::newRow("year only") << u"2555"_s << u"00/00/2555"_s;
    QTest::newRow("empty") << QString() << u"00/00/"_s;
    QTest::newRow("no day") << u"/2/2555"_s << u"00/02/2555"_s;
    QTest::newRow("no month") << u"1//2555"_s << u"01/00/2555"_s;
    QTest::newRow("trailing slash") << u"7/"_s << u"07/00/"_s;
    // Only the 20 characters after the first "/" are looked at.
    QTest::newRow("second slash at 20") << u"1/1234567890123456789/2555"_s << u"01/89/"_s;
    QTest::newRow("second slash at 21") << u"1/12345678901234567890/2555"_s << u"01/00/1234"_s;
    QTest::newRow("thai characters") << u"ก/ข/2555"_s << u"0ก/0ข/2555"_s;
}

void TestUtility::normDateText()
{
    QFETCH(QString, input);
    QFETCH(QString, expected);
    QCOMPARE(Norm_Date_Text(input), expected);
}

void TestUtility::dayKey_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("expected");
    QTest::newRow("date") << u"05/01/2555"_s << u"25550105"_s;
    QTest::newRow("year end") << u"31/12/2555"_s << u"25551231"_s;
    QTest::newRow("normalised empty") << u"00/00/"_s << u"0000"_s;
    QTest::newRow("empty") << QString() << QString();
    QTest::newRow("day and month") << u"05/01"_s << u"0105"_s;
    QTest::newRow("two-digit year") << u"05/01/25"_s << u"250105"_s;
    QTest::newRow("time ignored") << u"05/01/2555 13:45"_s << u"25550105"_s;
}

void TestUtility::dayKey()
{
    QFETCH(QString, input);
    QFETCH(QString, expected);
    QCOMPARE(Day_Key(input), expected);
}

void TestUtility::powerOf_data()
{
    QTest::addColumn<int>("base");
    QTest::addColumn<int>("exponent");
    QTest::addColumn<double>("expected");
    QTest::newRow("10^0") << 10 << 0 << 1.0;
    QTest::newRow("10^1") << 10 << 1 << 10.0;
    QTest::newRow("10^6") << 10 << 6 << 1e6;
    QTest::newRow("10^22") << 10 << 22 << 1e22;
    QTest::newRow("2^10") << 2 << 10 << 1024.0;
    QTest::newRow("0^0") << 0 << 0 << 1.0;
    QTest::newRow("0^3") << 0 << 3 << 0.0;
    QTest::newRow("(-3)^3") << -3 << 3 << -27.0;
    QTest::newRow("2^255") << 2 << 255 << std::ldexp(1.0, 255);
}

void TestUtility::powerOf()
{
    QFETCH(int, base);
    QFETCH(int, exponent);
    QFETCH(double, expected);
    QCOMPARE(Power_Of(base, static_cast<quint8>(exponent)), expected);
}

void TestUtility::amountInWords_data()
{
    QTest::addColumn<double>("amount");
    QTest::addColumn<QString>("expected");

    QTest::newRow("0") << 0.0 << u"บาทถ้วน"_s;
    QTest::newRow("0.01") << 0.01 << u"บาทหนึ่งสตางค์"_s;
    QTest::newRow("0.21") << 0.21 << u"บาทยี่สิบเอ็ดสตางค์"_s;
    QTest::newRow("0.5") << 0.5 << u"บาทห้าสิบสตางค์"_s;
    QTest::newRow("1.1") << 1.1 << u"หนึ่งบาทสิบสตางค์"_s;
    QTest::newRow("2.02") << 2.02 << u"สองบาทสองสตางค์"_s;
    QTest::newRow("11") << 11.0 << u"สิบเอ็ดบาทถ้วน"_s;
    QTest::newRow("20") << 20.0 << u"ยี่สิบบาทถ้วน"_s;
    QTest::newRow("21") << 21.0 << u"ยี่สิบเอ็ดบาทถ้วน"_s;
    QTest::newRow("101") << 101.0 << u"หนึ่งร้อยหนึ่งบาทถ้วน"_s;
    QTest::newRow("200") << 200.0 << u"สองร้อยบาทถ้วน"_s;
    QTest::newRow("1234.50") << 1234.50 << u"หนึ่งพันสองร้อยสามสิบสี่บาทห้าสิบสตางค์"_s;
    QTest::newRow("99.99") << 99.99 << u"เก้าสิบเก้าบาทเก้าสิบเก้าสตางค์"_s;
    QTest::newRow("1000000") << 1e6 << u"หนึ่งล้านบาทถ้วน"_s;
    QTest::newRow("1000001") << 1000001.0 << u"หนึ่งล้านหนึ่งบาทถ้วน"_s;
    QTest::newRow("10000000") << 1e7 << u"สิบล้านบาทถ้วน"_s;
    QTest::newRow("21000001") << 21000001.0 << u"ยี่สิบเอ็ดล้านหนึ่งบาทถ้วน"_s;
    QTest::newRow("110000000") << 110000000.0 << u"หนึ่งร้อยสิบล้านบาทถ้วน"_s;
    QTest::newRow("12345678.90") << 12345678.90
                                 << u"สิบสองล้านสามแสนสี่หมื่นห้าพันหกร้อยเจ็ดสิบแปดบาทเก้าสิบสตางค์"_s;

    // Rounding to satang: a carry into the baht, a rest that vanishes, ties to even.
    QTest::newRow("0.995 carries") << 0.995 << u"หนึ่งบาทถ้วน"_s;
    QTest::newRow("1.999 carries") << 1.999 << u"สองบาทถ้วน"_s;
    QTest::newRow("99.999 carries to hundred") << 99.999 << u"หนึ่งร้อยบาทถ้วน"_s;
    QTest::newRow("carry into millions step") << 9999999.996 << u"สิบล้านบาทถ้วน"_s;
    QTest::newRow("0.001 rounds away") << 0.001 << u"บาทถ้วน"_s;
    QTest::newRow("5.004 rounds away") << 5.004 << u"ห้าบาทถ้วน"_s;
    QTest::newRow("0.006 rounds up") << 0.006 << u"บาทหนึ่งสตางค์"_s;
    QTest::newRow("tie 12.5 down") << 0.125 << u"บาทสิบสองสตางค์"_s;
    QTest::newRow("tie 37.5 up") << 0.375 << u"บาทสามสิบแปดสตางค์"_s;
    QTest::newRow("tie 62.5 down") << 2.625 << u"สองบาทหกสิบสองสตางค์"_s;

    QTest::newRow("negative") << -1234.5 << u"ลบหนึ่งพันสองร้อยสามสิบสี่บาทห้าสิบสตางค์"_s;
    QTest::newRow("negative satang") << -0.01 << u"ลบบาทหนึ่งสตางค์"_s;
    QTest::newRow("negative carry") << -0.995 << u"ลบหนึ่งบาทถ้วน"_s;
    QTest::newRow("negative rounding to zero") << -0.001 << u"บาทถ้วน"_s;
    QTest::newRow("negative zero") << -0.0 << u"บาทถ้วน"_s;

    QTest::newRow("largest in range") << 9999999999999.99
                                      << u"เก้าล้านเก้าแสนเก้าหมื่นเก้าพันเก้าร้อยเก้าสิบเก้าล้าน"
                                         u"เก้าแสนเก้าหมื่นเก้าพันเก้าร้อยเก้าสิบเก้าบาท"
                                         u"เก้าสิบเก้าสตางค์"_s;
    QTest::newRow("1e12") << 1e12 << u"หนึ่งล้านล้านบาทถ้วน"_s;
    QTest::newRow("1e13") << 1e13 << u"สิบล้านล้านบาทถ้วน"_s;
    QTest::newRow("21e12 + 1") << 21e12 + 1 << u"ยี่สิบเอ็ดล้านล้านหนึ่งบาทถ้วน"_s;
    QTest::newRow("1e18") << 1e18 << u"หนึ่งล้านล้านล้านบาทถ้วน"_s;
    QTest::newRow("1e20") << 1e20 << u"หนึ่งร้อยล้านล้านล้านบาทถ้วน"_s;
}

void TestUtility::amountInWords()
{
    QFETCH(double, amount);
    QFETCH(QString, expected);
    QCOMPARE(Amount_In_Words(amount), expected);
}

void TestUtility::amountInWordsMatchesDigitWords()
{
    int checked = 0;
    for (const quint64 satang : satangSamples()) {
        const double amount = static_cast<double>(satang) / 100.0;
        const QString got = Amount_In_Words(amount);
        const QString want = refWords(satang);
        if (got != want) {
            const QByteArray message = QByteArray::number(satang) + " satang: got " + got.toUtf8() +
                                       ", want " + want.toUtf8();
            QFAIL(message.constData());
        }
        ++checked;
    }
    QVERIFY(checked > 200'000);
}

void TestUtility::amountInWordsLargeWholeAmounts()
{
    // Whole amounts past the exact-integer range of a double must still be written
    // digit for digit, not through a rounded division.
    std::vector<double> amounts = {123456789012345678.0, 9007199254740993.0,
                                   18446744073709549568.0};
    for (int bits = 53; bits <= 63; ++bits) {
        amounts.push_back(std::ldexp(1.0, bits));
        amounts.push_back(std::ldexp(1.0, bits) - std::ldexp(1.0, bits - 52));
    }
    for (const double amount : amounts) {
        const quint64 whole = static_cast<quint64>(amount);
        QCOMPARE(Amount_In_Words(amount), QString(refWhole(whole) + u"บาทถ้วน"_s));
    }

    const QString largest = Amount_In_Words(std::numeric_limits<double>::max());
    QVERIFY(largest.endsWith(u"บาทถ้วน"_s));
    QVERIFY(largest.startsWith(u"หนึ่งร้อยเจ็ดสิบเก้าล้าน"_s));
    QCOMPARE(Amount_In_Words(-std::numeric_limits<double>::max()), QString(u"ลบ"_s + largest));
}

void TestUtility::amountInWordsNonFinite()
{
    QVERIFY(Amount_In_Words(std::numeric_limits<double>::quiet_NaN()).isEmpty());
    QVERIFY(Amount_In_Words(std::numeric_limits<double>::infinity()).isEmpty());
    QVERIFY(Amount_In_Words(-std::numeric_limits<double>::infinity()).isEmpty());
}

QTEST_GUILESS_MAIN(TestUtility)
#include "tst_utility.moc"
