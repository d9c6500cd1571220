#include "util/Utility.h"

#include <QStringView>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <string_view>

namespace {

constexpr char16_t kBlank = u' ';

// Zero is written as nothing: "หนึ่งร้อยหนึ่ง" for 101, "บาท" alone for 0 baht.
constexpr QStringView kDigitWords[] = {u"",   u"หนึ่ง", u"สอง", u"สาม", u"สี่",
                                       u"ห้า", u"หก",  u"เจ็ด", u"แปด", u"เก้า"};
// Indexed by the power of ten; index 0 is unused.
constexpr QStringView kPlaceWords[] = {u"", u"สิบ", u"ร้อย", u"พัน", u"หมื่น", u"แสน", u"ล้าน"};
constexpr QStringView kTwentyPrefix = u"ยี่";
constexpr QStringView kUnitOneAfterTens = u"เอ็ด";
constexpr QStringView kTen = kPlaceWords[1];
constexpr QStringView kMillion = kPlaceWords[6];
constexpr QStringView kBaht = u"บาท";
constexpr QStringView kSatang = u"สตางค์";
constexpr QStringView kExact = u"ถ้วน";
constexpr QStringView kMinus = u"ลบ";

// "สิบ" for 1, "ยี่สิบ" for 2, otherwise the digit and "สิบ"; nothing for 0.
void appendTens(QString &out, int d)
{
    if (d == 0)
        return;
    if (d == 2)
        out += kTwentyPrefix;
    else if (d != 1)
        out += kDigitWords[d];
    out += kTen;
}

// Writes a whole number below 10,000,000 place by place, largest first.
void appendGroup(QString &out, double q)
{
    int tens = 0;
    for (int n = 6; n >= 1; --n) {
        const double place = Power_Of(10, static_cast<quint8>(n));
        const int d = static_cast<int>(std::trunc(q / place));
        if (n == 1) {
            appendTens(out, d);
            tens = d;
        } else if (d > 0) {
            out += kDigitWords[d];
            out += kPlaceWords[n];
        }
        q -= place * d;
    }
    const int units = static_cast<int>(std::trunc(q));
    out += (units == 1 && tens > 0) ? kUnitOneAfterTens : kDigitWords[units];
}

// Whole baht given as decimal digits. Ten million and more go through the count of
// millions, itself written the same way, so every finite amount gets exact words
// (no double division on values too large to hold every integer).
void appendWhole(QString &out, std::string_view digits)
{
    if (digits.size() > 7) {
        appendWhole(out, digits.substr(0, digits.size() - 6));
        out += kMillion;
        digits.remove_prefix(digits.size() - 6);
    }
    double q = 0;
    for (const char c : digits)
        q = q * 10 + (c - '0');
    appendGroup(out, q);
}

double roundHalfToEven(double x)
{
    const double lower = std::floor(x);
    const double diff = x - lower;
    if (diff > 0.5)
        return lower + 1;
    if (diff < 0.5)
        return lower;
    return std::fmod(lower, 2.0) == 0 ? lower : lower + 1;
}

QString trimmed(const QString &s, bool (*cut)(QChar), bool left, bool right)
{
    qsizetype begin = 0;
    qsizetype end = s.size();
    while (left && begin < end && cut(s.at(begin)))
        ++begin;
    while (right && end > begin && cut(s.at(end - 1)))
        --end;
    // Most texts have nothing to cut: they are shared, not copied.
    if (begin == 0 && end == s.size())
        return s;
    return s.mid(begin, end - begin);
}

bool isBlank(QChar c)
{
    return c == kBlank;
}

bool isBlankOrControl(QChar c)
{
    return c.unicode() <= 32;
}

QString twoDigitPart(const QString &part)
{
    return Right_Chars(QString(u"00" + Trim_Space(part)), 2);
}

} // namespace

QString Strip_Comma(const QString &s)
{
    QString result = s;
    result.remove(u',');
    return result.isEmpty() ? QStringLiteral("0") : result;
}

QString Trim_Left_Space(const QString &s)
{
    return trimmed(s, isBlank, true, false);
}

QString Trim_Right_Space(const QString &s)
{
    return trimmed(s, isBlank, false, true);
}

QString Trim_Space(const QString &s)
{
    // The right end cut first, then the left: the same as both in one pass.
    return trimmed(s, isBlank, true, true);
}

QString trimText(const QString &s)
{
    return trimmed(s, isBlankOrControl, true, true);
}

QString midChars(const QString &s, qsizetype from, qsizetype count)
{
    const qsizetype size = s.size();
    qsizetype begin = std::clamp<qsizetype>(from, 0, size);
    qsizetype end = begin + std::clamp<qsizetype>(count, 0, size - begin);
    // A boundary between the two halves of a pair moves inwards, leaving the pair out.
    if (begin > 0 && begin < end && s.at(begin).isLowSurrogate() &&
        s.at(begin - 1).isHighSurrogate())
        ++begin;
    if (end < size && end > begin && s.at(end).isLowSurrogate() && s.at(end - 1).isHighSurrogate())
        --end;
    return s.mid(begin, end - begin);
}

QString leftChars(const QString &s, qsizetype count)
{
    return midChars(s, 0, count);
}

QString Right_Chars(const QString &s, quint16 count)
{
    const qsizetype from = std::max<qsizetype>(s.size() - count, 0);
    return midChars(s, from, count);
}

QString Norm_Date_Text(const QString &s)
{
    // Positions of the separators counted from 1; 0 when absent.
    const qsizetype p1 = s.indexOf(u'/') + 1;
    const QString day = p1 > 1 ? s.left(p1 - 1) : QString();
    const QString rest = midChars(s, p1, 20);
    const qsizetype p2 = rest.indexOf(u'/') + 1;
    const QString month = p2 > 1 ? rest.left(p2 - 1) : QString();
    const QString year = midChars(rest, p2, 4);
    return twoDigitPart(day) + u'/' + twoDigitPart(month) + u'/' + year;
}

QString Day_Key(const QString &d)
{
    return midChars(d, 6, 4) + midChars(d, 3, 2) + midChars(d, 0, 2);
}

QString dayKeyOfDate(const QString &date)
{
    return Day_Key(Norm_Date_Text(date));
}

QString columnLetters(int column)
{
    QString letters;
    for (int n = column; n > 0; n = (n - 1) / 26)
        letters.prepend(QChar(u'A' + (n - 1) % 26));
    return letters;
}

double Power_Of(int base, quint8 exponent)
{
    double result = 1.0;
    for (quint8 i = 0; i < exponent; ++i)
        result *= static_cast<double>(base);
    return result;
}

QString Amount_In_Words(double amount)
{
    if (!std::isfinite(amount))
        return {};

    const double magnitude = std::fabs(amount);
    double whole = std::trunc(magnitude);
    const double fraction = magnitude - whole;
    int satang = 0;
    if (fraction > 0) {
        satang = static_cast<int>(roundHalfToEven(fraction * 100.0));
        if (satang == 100) {
            whole += 1;
            satang = 0;
        }
    }

    QString words;
    // A rounded-away sign would print "minus nothing".
    if (amount < 0 && (whole > 0 || satang > 0))
        words += kMinus;

    // The largest double has 309 digits before the point.
    char digits[320];
    const auto converted =
        std::to_chars(digits, digits + sizeof digits, whole, std::chars_format::fixed, 0);
    appendWhole(words, std::string_view(digits, static_cast<size_t>(converted.ptr - digits)));
    words += kBaht;

    if (satang == 0) {
        words += kExact;
        return words;
    }
    const int tens = satang / 10;
    const int units = satang % 10;
    appendTens(words, tens);
    // As with the baht, a one after no tens is "หนึ่ง": 0.01 is "หนึ่งสตางค์".
    words += (units == 1 && tens > 0) ? kUnitOneAfterTens : kDigitWords[units];
    words += kSatang;
    return words;
}
