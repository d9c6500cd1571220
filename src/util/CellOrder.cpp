#include "util/CellOrder.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <numeric>
#include <optional>
#include <string>

namespace cellorder {

namespace {

QStringView valuePart(QStringView text)
{
    text = text.trimmed();
    if (text.startsWith(u'\''))
        text = text.sliced(1).trimmed();
    return text;
}

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// The whole run of digits at pos, when its length lies within [least, most].
bool readNumber(QStringView s, qsizetype &pos, int least, int most, int &value)
{
    const qsizetype start = pos;
    value = 0;
    while (pos < s.size() && isDigit(s[pos])) {
        if (pos - start < 9)
            value = value * 10 + (s[pos].unicode() - u'0');
        ++pos;
    }
    const qsizetype length = pos - start;
    return length >= least && length <= most;
}

bool readChar(QStringView s, qsizetype &pos, char16_t c)
{
    if (pos >= s.size() || s[pos] != c)
        return false;
    ++pos;
    return true;
}

// h:mm or h:mm:ss after at least one blank, up to the end; hhmmss.
std::optional<int> timeOf(QStringView s, qsizetype pos)
{
    const qsizetype start = pos;
    while (pos < s.size() && s[pos] == u' ')
        ++pos;
    int h = 0;
    int m = 0;
    int sec = 0;
    if (pos == start || !readNumber(s, pos, 1, 2, h) || !readChar(s, pos, u':') ||
        !readNumber(s, pos, 2, 2, m))
        return std::nullopt;
    if (readChar(s, pos, u':') && !readNumber(s, pos, 2, 2, sec))
        return std::nullopt;
    if (pos != s.size() || h > 23 || m > 59 || sec > 59)
        return std::nullopt;
    return h * 10000 + m * 100 + sec;
}

// d/m/yyyy [time] or mm/yyyy, as yyyymmddhhmmss.
std::optional<double> dateOf(QStringView s)
{
    qsizetype pos = 0;
    int first = 0;
    int second = 0;
    if (!readNumber(s, pos, 1, 2, first) || !readChar(s, pos, u'/'))
        return std::nullopt;
    const qsizetype secondAt = pos;
    if (readNumber(s, pos, 4, 4, second) && pos == s.size()) {
        if (first < 1 || first > 12)
            return std::nullopt;
        return (second * 100.0 + first) * 100.0 * 1e6;
    }
    pos = secondAt;
    int year = 0;
    if (!readNumber(s, pos, 1, 2, second) || !readChar(s, pos, u'/') ||
        !readNumber(s, pos, 4, 4, year))
        return std::nullopt;
    if (first < 1 || first > 31 || second < 1 || second > 12)
        return std::nullopt;
    int time = 0;
    if (pos < s.size()) {
        const auto t = timeOf(s, pos);
        if (!t)
            return std::nullopt;
        time = *t;
    }
    return ((year * 100.0 + second) * 100.0 + first) * 1e6 + time;
}

// An optional sign, digits (in groups of three between commas, or none), an optional
// fraction, an optional per cent sign.
std::optional<double> numberOf(QStringView s)
{
    // The digits, sign and point gathered as plain characters; a longer run is no amount.
    std::array<char, 64> plain{};
    size_t n = 0;
    const auto keep = [&](QChar c) {
        if (n < plain.size())
            plain[n] = static_cast<char>(c.unicode());
        ++n;
    };
    qsizetype pos = 0;
    if (pos < s.size() && (s[pos] == u'-' || s[pos] == u'+')) {
        if (s[pos] == u'-')
            keep(s[pos]);
        ++pos;
    }
    int group = 0;
    bool grouped = false;
    int digits = 0;
    for (; pos < s.size(); ++pos) {
        if (isDigit(s[pos])) {
            keep(s[pos]);
            ++group;
            ++digits;
        } else if (s[pos] == u',') {
            if (group < 1 || group > 3 || (grouped && group != 3))
                return std::nullopt;
            grouped = true;
            group = 0;
        } else {
            break;
        }
    }
    if (grouped && group != 3)
        return std::nullopt;
    if (readChar(s, pos, u'.')) {
        keep(u'.');
        const qsizetype fraction = pos;
        while (pos < s.size() && isDigit(s[pos]))
            keep(s[pos++]);
        if (pos == fraction)
            return std::nullopt;
        digits += static_cast<int>(pos - fraction);
    }
    readChar(s, pos, u'%');
    if (digits == 0 || pos != s.size() || n > plain.size())
        return std::nullopt;
    double value = 0;
    const auto [end, error] = std::from_chars(plain.data(), plain.data() + n, value);
    return error == std::errc() ? std::optional<double>(value) : std::nullopt;
}

bool isThaiConsonant(QChar c)
{
    return c.unicode() >= 0x0E01 && c.unicode() <= 0x0E2E;
}

bool isThaiLeadingVowel(QChar c)
{
    return c.unicode() >= 0x0E40 && c.unicode() <= 0x0E44;
}

// Tone marks, the shortener, the silencer and the other marks above: they tell words apart
// only where the letters are equal.
bool isThaiMark(QChar c)
{
    return c.unicode() >= 0x0E47 && c.unicode() <= 0x0E4E;
}

bool isThai(QChar c)
{
    return c.unicode() >= 0x0E00 && c.unicode() <= 0x0E7F;
}

// Weights of a text key: spaces and signs keep their code (all below a run of digits), then
// digits, then Thai, then the other alphabets.
constexpr char32_t DigitRun = 0xFFFF;
constexpr char32_t ThaiBase = 0x10000;
constexpr char32_t OtherLetterBase = 0x20000;

char32_t letterWeight(QChar c)
{
    if (isThai(c))
        return ThaiBase + c.unicode();
    if (c.isLetter())
        return OtherLetterBase + c.toCaseFolded().unicode();
    return c.unicode();
}

// A weight as three bytes, most significant first, so that keys compare as bytes.
void appendWeight(std::string &key, char32_t weight)
{
    key += static_cast<char>((weight >> 16) & 0xFF);
    key += static_cast<char>((weight >> 8) & 0xFF);
    key += static_cast<char>(weight & 0xFF);
}

// A text's key in Thai dictionary order, compared weight by weight: a leading vowel goes after
// the consonant it is spoken after, marks count only where the letters are equal, letter case
// not at all, and a run of digits by its value (its length first, leading zeros dropped).
// Thai consonants and vowels otherwise stand in the alphabet's order in Unicode, and Thai comes
// before other alphabets, as the Thai dictionary and the Thai locale's collation have it.
std::string textKey(QStringView text)
{
    std::string letters;
    std::string marks;
    letters.reserve(static_cast<size_t>(text.size()) * 3 + 12);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (isDigit(c)) {
            while (i + 1 < text.size() && text[i] == u'0' && isDigit(text[i + 1]))
                ++i;
            const qsizetype start = i;
            while (i + 1 < text.size() && isDigit(text[i + 1]))
                ++i;
            appendWeight(letters, DigitRun);
            appendWeight(letters,
                         static_cast<char32_t>(std::min<qsizetype>(i - start + 1, 0xFFFF)));
            for (qsizetype d = start; d <= i; ++d)
                appendWeight(letters, text[d].unicode());
        } else if (isThaiLeadingVowel(c) && i + 1 < text.size() && isThaiConsonant(text[i + 1])) {
            appendWeight(letters, letterWeight(text[++i]));
            appendWeight(letters, letterWeight(c));
        } else if (isThaiMark(c)) {
            appendWeight(marks, c.unicode());
        } else {
            appendWeight(letters, letterWeight(c));
        }
    }
    appendWeight(letters, 0);
    return letters + marks;
}

// Each text's rank among the texts: equal keys share a rank.
std::vector<int> rankTexts(const QStringList &texts)
{
    std::vector<std::string> keys;
    keys.reserve(static_cast<size_t>(texts.size()));
    for (const QString &t : texts)
        keys.push_back(textKey(valuePart(t)));
    std::vector<int> byKey(keys.size());
    std::iota(byKey.begin(), byKey.end(), 0);
    std::sort(byKey.begin(), byKey.end(), [&keys](int a, int b) {
        return keys[static_cast<size_t>(a)] < keys[static_cast<size_t>(b)];
    });
    std::vector<int> rank(keys.size());
    int r = 0;
    for (size_t k = 0; k < byKey.size(); ++k) {
        const auto at = static_cast<size_t>(byKey[k]);
        if (k > 0 && keys[at] != keys[static_cast<size_t>(byKey[k - 1])])
            ++r;
        rank[at] = r;
    }
    return rank;
}

} // namespace

Key keyOf(QStringView text)
{
    const QStringView v = valuePart(text);
    if (v.isEmpty())
        return {};
    if (const auto n = numberOf(v))
        return {Kind::Number, *n};
    if (const auto d = dateOf(v))
        return {Kind::Date, *d};
    return {Kind::Text, 0};
}

std::vector<Key> columnKeys(const QStringList &cells)
{
    std::vector<Key> keys(static_cast<size_t>(cells.size()));
    QStringList texts;
    std::vector<size_t> textAt;
    for (qsizetype i = 0; i < cells.size(); ++i) {
        const auto at = static_cast<size_t>(i);
        keys[at] = keyOf(cells.at(i));
        if (keys[at].kind == Kind::Text) {
            texts << cells.at(i);
            textAt.push_back(at);
        }
    }
    const std::vector<int> rank = rankTexts(texts);
    for (size_t t = 0; t < textAt.size(); ++t)
        keys[textAt[t]].value = rank[t];
    return keys;
}

std::vector<int> sortedOrder(const std::vector<Key> &keys, bool descending)
{
    struct Item {
        int kind;
        double value;
        int index;
    };
    std::vector<Item> items;
    items.reserve(keys.size());
    for (size_t i = 0; i < keys.size(); ++i) {
        const Key &k = keys[i];
        int kind = static_cast<int>(k.kind);
        double value = k.value;
        // Reversed, the kinds and values turn round; the empty cells stay at the end.
        if (descending && k.kind != Kind::Empty) {
            kind = static_cast<int>(Kind::Text) - kind;
            value = -value;
        }
        items.push_back({kind, value, static_cast<int>(i)});
    }
    std::sort(items.begin(), items.end(), [](const Item &a, const Item &b) {
        if (a.kind != b.kind)
            return a.kind < b.kind;
        if (a.value != b.value)
            return a.value < b.value;
        return a.index < b.index;
    });
    std::vector<int> order;
    order.reserve(items.size());
    for (const Item &item : items)
        order.push_back(item.index);
    return order;
}

} // namespace cellorder
