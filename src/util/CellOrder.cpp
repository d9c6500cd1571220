#include "util/CellOrder.h"

#include <QCollator>
#include <QHash>
#include <QLocale>
#include <algorithm>
#include <numeric>
#include <optional>

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
    qsizetype pos = 0;
    QString plain;
    plain.reserve(s.size());
    if (pos < s.size() && (s[pos] == u'-' || s[pos] == u'+'))
        plain += s[pos++];
    int group = 0;
    bool grouped = false;
    int digits = 0;
    for (; pos < s.size(); ++pos) {
        if (isDigit(s[pos])) {
            plain += s[pos];
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
        plain += u'.';
        const qsizetype fraction = pos;
        while (pos < s.size() && isDigit(s[pos]))
            plain += s[pos++];
        if (pos == fraction)
            return std::nullopt;
        digits += static_cast<int>(pos - fraction);
    }
    readChar(s, pos, u'%');
    if (digits == 0 || pos != s.size())
        return std::nullopt;
    bool ok = false;
    const double value = plain.toDouble(&ok);
    return ok ? std::optional<double>(value) : std::nullopt;
}

// Each distinct text's rank in Thai dictionary order, letter case aside, with the numbers
// inside texts compared by value. Sort keys are made once per text, so the sort itself only
// compares bytes.
std::vector<int> rankTexts(const QStringList &texts)
{
    QCollator collator(QLocale(QLocale::Thai, QLocale::Thailand));
    collator.setNumericMode(true);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::vector<QCollatorSortKey> keys;
    keys.reserve(static_cast<size_t>(texts.size()));
    for (const QString &t : texts)
        keys.push_back(collator.sortKey(t));
    std::vector<int> byKey(keys.size());
    std::iota(byKey.begin(), byKey.end(), 0);
    std::sort(byKey.begin(), byKey.end(), [&keys](int a, int b) {
        const int c = keys[static_cast<size_t>(a)].compare(keys[static_cast<size_t>(b)]);
        return c < 0 || (c == 0 && a < b);
    });
    std::vector<int> rank(keys.size());
    int r = 0;
    for (size_t k = 0; k < byKey.size(); ++k) {
        const auto at = static_cast<size_t>(byKey[k]);
        if (k > 0 && keys[at].compare(keys[static_cast<size_t>(byKey[k - 1])]) != 0)
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
    // Texts are ranked once per distinct text: a column of office names repeats a few.
    QHash<QString, int> ids;
    QStringList distinct;
    std::vector<int> textId(keys.size(), -1);
    for (qsizetype i = 0; i < cells.size(); ++i) {
        const auto at = static_cast<size_t>(i);
        keys[at] = keyOf(cells.at(i));
        if (keys[at].kind != Kind::Text)
            continue;
        const QString text = valuePart(cells.at(i)).toString();
        auto id = ids.constFind(text);
        if (id == ids.constEnd()) {
            id = ids.insert(text, static_cast<int>(distinct.size()));
            distinct << text;
        }
        textId[at] = *id;
    }
    const std::vector<int> rank = rankTexts(distinct);
    for (size_t i = 0; i < keys.size(); ++i) {
        if (textId[i] >= 0)
            keys[i].value = rank[static_cast<size_t>(textId[i])];
    }
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
