// Amount_In_Words on amounts of whole satang from 0 to just below ten million millions, and
// their negatives, against words computed here on their own, from the integer digits.

#include "FuzzInput.h"
#include "util/Utility.h"

#include <cmath>
#include <cstring>

namespace {

const char *const Digits[] = {"", "หนึ่ง", "สอง", "สาม", "สี่", "ห้า", "หก", "เจ็ด", "แปด", "เก้า"};
const char *const Places[] = {"", "สิบ", "ร้อย", "พัน", "หมื่น", "แสน", "ล้าน"};

QString w(const char *s)
{
    return QString::fromUtf8(s);
}

// A number below ten million read digit by digit: ones after a tens digit read "เอ็ด", a tens
// digit of one is "สิบ" alone and of two "ยี่สิบ".
QString below10Million(qint64 n)
{
    const QString digits = QString::number(n);
    QString out;
    const qsizetype len = digits.size();
    for (qsizetype i = 0; i < len; ++i) {
        const int d = digits.at(i).digitValue();
        const qsizetype place = len - 1 - i;
        if (d == 0)
            continue;
        if (place == 1) {
            out += (d == 1 ? QString() : d == 2 ? w("ยี่") : w(Digits[d])) + w("สิบ");
        } else if (place == 0) {
            const bool tens = len >= 2 && digits.at(len - 2) != QLatin1Char('0');
            out += d == 1 && tens ? w("เอ็ด") : w(Digits[d]);
        } else {
            out += w(Digits[d]) + w(Places[place]);
        }
    }
    return out;
}

QString baht(qint64 n)
{
    if (n >= 10'000'000)
        return below10Million(n / 1'000'000) + w("ล้าน") + below10Million(n % 1'000'000);
    return below10Million(n);
}

QString satang(int s)
{
    if (s == 0)
        return w("ถ้วน");
    const int tens = s / 10;
    const int ones = s % 10;
    QString out = tens == 0   ? QString()
                  : tens == 1 ? w("สิบ")
                  : tens == 2 ? w("ยี่สิบ")
                              : w(Digits[tens]) + w("สิบ");
    if (ones == 1)
        out += tens == 0 ? w("หนึ่ง") : w("เอ็ด");
    else
        out += w(Digits[ones]);
    return out + w("สตางค์");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 10)
        return 0;
    quint64 raw = 0;
    std::memcpy(&raw, data, sizeof raw);
    const qint64 whole = qint64(raw % 10'000'000'000'000ULL);
    const int cents = data[8] % 100;
    const bool negative = data[9] & 1;
    // Large amounts carry too few bits for their satang: only the whole baht is tried there.
    const int satangTried = whole < 1'000'000'000'000 ? cents : 0;
    const double amount = double(whole) + satangTried / 100.0;

    QString expected = baht(whole) + w("บาท") + satang(satangTried);
    if (negative && (whole != 0 || satangTried != 0))
        expected = w("ลบ") + expected;
    FUZZ_CHECK(Amount_In_Words(negative ? -amount : amount) == expected);
    return 0;
}
