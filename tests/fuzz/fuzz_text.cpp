// The text and date routines on any text: no crash, cuts keep whole characters and stay
// prefixes/suffixes, trims are idempotent, a day key is built from its date's characters.

#include "FuzzInput.h"
#include "util/Utility.h"

namespace {

bool cutsAPair(const QString &whole, qsizetype at)
{
    return at > 0 && at < whole.size() && whole.at(at - 1).isHighSurrogate() &&
           whole.at(at).isLowSurrogate();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput in(data, size);
    const int n = in.number(40);
    const int from = in.number(40);
    const QString s = in.rest();

    const QString left = leftChars(s, n);
    FUZZ_CHECK(left.size() <= n && s.startsWith(left) && !cutsAPair(s, left.size()));
    const QString right = Right_Chars(s, n);
    FUZZ_CHECK(right.size() <= n && s.endsWith(right) &&
               !cutsAPair(s, s.size() - right.size()));
    const QString mid = midChars(s, from, n);
    FUZZ_CHECK(mid.size() <= n);
    if (!mid.isEmpty()) {
        const qsizetype at = s.indexOf(mid, std::max<qsizetype>(0, from - 1));
        FUZZ_CHECK(at >= 0);
    }

    FUZZ_CHECK(Trim_Space(Trim_Space(s)) == Trim_Space(s));
    FUZZ_CHECK(trimText(trimText(s)) == trimText(s));
    FUZZ_CHECK(!Strip_Comma(s).contains(QLatin1Char(',')));

    const QString date = Norm_Date_Text(s);
    const QString key = Day_Key(date);
    FUZZ_CHECK(key.size() <= 8);
    FUZZ_CHECK(dayKeyOfDate(s) == key);
    return 0;
}
