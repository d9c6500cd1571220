#include "core/ServiceSummary.h"

#include "util/ThaiDate.h"

#include <QRegularExpression>
#include <algorithm>
#include <map>
#include <vector>

namespace summary {

namespace {

// Where a group stands among the others: documents without a group last, months in time order.
std::pair<bool, QString> orderOf(By by, const QString &group)
{
    if (by == By::Month && group.size() == 7)
        return {group.isEmpty(), group.mid(3) + group.left(2)};
    return {group.isEmpty(), group};
}

// The items by group in the groups' order, each group's items in key order.
std::vector<QList<Item>> grouped(const QList<Item> &items, By by)
{
    std::map<std::pair<bool, QString>, QList<Item>> groups;
    for (const Item &i : items)
        groups[orderOf(by, i.group)].append(i);
    std::vector<QList<Item>> out;
    out.reserve(groups.size());
    for (auto &[order, list] : groups) {
        std::stable_sort(list.begin(), list.end(),
                         [](const Item &a, const Item &b) { return a.key < b.key; });
        out.push_back(std::move(list));
    }
    return out;
}

std::vector<int> sortedDays(const QList<Item> &items)
{
    std::vector<int> days;
    days.reserve(static_cast<size_t>(items.size()));
    for (const Item &i : items)
        days.push_back(i.days);
    std::sort(days.begin(), days.end());
    return days;
}

// The item of the most days, the first in the list's (key) order on a tie.
const Item &largest(const QList<Item> &items)
{
    const Item *best = &items.first();
    for (const Item &i : items) {
        if (i.days > best->days)
            best = &i;
    }
    return *best;
}

Figures figuresOf(QList<Item> items, int target)
{
    Figures f;
    f.group = items.first().group;
    f.documents = static_cast<int>(items.size());
    const std::vector<int> days = sortedDays(items);
    const size_t n = days.size();
    qint64 sum = 0;
    for (const int d : days) {
        sum += d;
        if (d <= target)
            ++f.withinTarget;
    }
    f.meanTenths = roundedTenths(sum, static_cast<qint64>(n));
    f.medianTenths = n % 2 ? days[n / 2] * 10 : (days[n / 2 - 1] + days[n / 2]) * 5;
    // ceil(0.9 n) in whole numbers, so no rounding of 0.9 can move the rank.
    f.p90 = days[(9 * n + 9) / 10 - 1];
    f.shareTenths = roundedTenths(100 * qint64(f.withinTarget), static_cast<qint64>(n));
    f.longest = largest(items).key;
    f.items = std::move(items);
    return f;
}

OpenFigures openFiguresOf(QList<Item> items, int target)
{
    OpenFigures f;
    f.group = items.first().group;
    f.documents = static_cast<int>(items.size());
    qint64 sum = 0;
    for (const Item &i : items) {
        sum += i.days;
        if (i.days > target)
            ++f.pastTarget;
    }
    f.meanTenths = roundedTenths(sum, f.documents);
    const Item &oldest = largest(items);
    f.oldest = oldest.days;
    f.oldestKey = oldest.key;
    f.items = std::move(items);
    return f;
}

} // namespace

QList<Figures> finishedFigures(const QList<Item> &items, int target, By by)
{
    QList<Figures> out;
    for (QList<Item> &group : grouped(items, by))
        out.append(figuresOf(std::move(group), target));
    return out;
}

QList<OpenFigures> openFigures(const QList<Item> &items, int target, By by)
{
    QList<OpenFigures> out;
    for (QList<Item> &group : grouped(items, by))
        out.append(openFiguresOf(std::move(group), target));
    return out;
}

int roundedTenths(qint64 numerator, qint64 denominator)
{
    if (denominator <= 0)
        return 0;
    // floor(10 n / d + 1/2) = floor((20 n + d) / 2d), in whole numbers.
    const qint64 twice = 20 * numerator + denominator;
    const qint64 d2 = 2 * denominator;
    const qint64 q = twice / d2;
    return static_cast<int>(twice % d2 < 0 ? q - 1 : q);
}

QString tenthsText(int tenths)
{
    const int whole = std::abs(tenths);
    return (tenths < 0 ? QStringLiteral("-") : QString()) + QString::number(whole / 10) + u'.' +
           QString::number(whole % 10);
}

Figures overall(const QList<Document> &documents, int target)
{
    QList<Item> items;
    items.reserve(documents.size());
    for (const Document &d : documents)
        items.append({d.key, QString(), d.days});
    const QList<Figures> one = finishedFigures(items, target, By::Officer);
    return one.isEmpty() ? Figures{} : one.first();
}

QList<Item> itemsBy(const QList<Document> &documents, By by)
{
    QList<Item> out;
    out.reserve(documents.size());
    for (const Document &d : documents) {
        const QString &group = by == By::Officer   ? d.officer
                               : by == By::DocType ? d.docType
                                                   : d.month;
        out.append({d.key, group, d.days});
    }
    return out;
}

std::optional<int> targetOf(const QString &text)
{
    static const QRegularExpression form(QStringLiteral("^[0-9]{1,3}$"));
    const QString t = text.trimmed();
    if (!form.match(t).hasMatch())
        return std::nullopt;
    return t.toInt();
}

namespace {

// Each grouping: its word on the tool's command line and its caption on the screen.
struct Grouping {
    By by;
    const char *word;
    const char *caption;
};

const Grouping Groupings[] = {
    {By::Officer, "officer", "ผู้รับผิดชอบ"},
    {By::DocType, "type", "ประเภทเอกสาร"},
    {By::Month, "month", "เดือนที่เรื่องออกจากกอง"},
};

const Grouping &groupingOf(By by)
{
    for (const Grouping &g : Groupings) {
        if (g.by == by)
            return g;
    }
    return Groupings[0];
}

} // namespace

const QList<By> &allBys()
{
    static const QList<By> list = [] {
        QList<By> bys;
        for (const Grouping &g : Groupings)
            bys << g.by;
        return bys;
    }();
    return list;
}

QString byWord(By by)
{
    return QLatin1String(groupingOf(by).word);
}

QString byCaption(By by)
{
    return QString::fromUtf8(groupingOf(by).caption);
}

std::optional<By> byOf(const QString &word)
{
    for (const Grouping &g : Groupings) {
        if (word == QLatin1String(g.word))
            return g.by;
    }
    return std::nullopt;
}

std::optional<By> byOfCaption(const QString &text)
{
    for (const By by : allBys()) {
        if (text.trimmed() == byCaption(by))
            return by;
    }
    return std::nullopt;
}

QList<criteria::Criterion> screenCriteria(int target)
{
    using criteria::Input;
    criteria::Criterion period =
        criteria::makeCriterion(QString(), QStringLiteral("วันที่เรื่องออกจากกอง"),
                                QStringLiteral("edtExit_Date_Beg"), Input::DateRange, {}, {});
    period.field2 = QStringLiteral("edtExit_Date_End");
    period.label2 = QStringLiteral("ถึงวันที่");
    criteria::Criterion goal =
        criteria::makeCriterion(QString(), QStringLiteral("เป้าหมาย (วันทำการ)"),
                                QStringLiteral("edtTarget_Days"), Input::Text, {}, {});
    goal.initial = criteria::Initial::Text;
    goal.initialText = QString::number(target);
    criteria::Criterion by = criteria::makeCriterion(
        QString(), QStringLiteral("แยกตาม"), QStringLiteral("cmbGroup_By"), Input::Choice, {}, {});
    for (const By b : allBys())
        by.items << byCaption(b);
    by.initial = criteria::Initial::FirstItem;
    QList<criteria::Criterion> list{period, goal, by};
    for (criteria::Criterion &c : list)
        c.toggle = criteria::Switch::Always;
    return list;
}

Period fiscalYearPeriod(const QString &fiscalYear)
{
    const int year = fiscalYear.trimmed().toInt() + BuddhistEraOffset;
    return {QStringLiteral("01/10/%1").arg(year - 1, 4, 10, QLatin1Char('0')),
            QStringLiteral("30/09/%1").arg(year, 4, 10, QLatin1Char('0'))};
}

QStringList figuresHeader(By by)
{
    return {byCaption(by),
            QStringLiteral("จำนวนเรื่อง"),
            QStringLiteral("เฉลี่ย (วันทำการ)"),
            QStringLiteral("มัธยฐาน (วันทำการ)"),
            QStringLiteral("เปอร์เซ็นไทล์ที่ 90 (วันทำการ)"),
            QStringLiteral("ภายในเป้าหมาย (เรื่อง)"),
            QStringLiteral("ร้อยละภายในเป้าหมาย"),
            QStringLiteral("เรื่องที่ใช้เวลานานที่สุด")};
}

QStringList figuresCells(const Figures &f)
{
    return {f.group,
            QString::number(f.documents),
            tenthsText(f.meanTenths),
            tenthsText(f.medianTenths),
            QString::number(f.p90),
            QString::number(f.withinTarget),
            tenthsText(f.shareTenths),
            f.longest};
}

namespace {

const QString NameHeader = QStringLiteral("ชื่อ");

// The running number, the group and its name before the cells; the documents without a group
// are named so.
QStringList gridRow(int number, const QStringList &cells, const QMap<QString, QString> &names)
{
    const QString &group = cells.value(0);
    const QString name = group.isEmpty() ? QStringLiteral("(ไม่ระบุ)") : names.value(group);
    return QStringList{QString::number(number), group, name} + cells.mid(1);
}

} // namespace

QStringList finishedGridHeader(By by)
{
    const QStringList h = figuresHeader(by);
    return QStringList{QStringLiteral("No"), h.first(), NameHeader} + h.mid(1);
}

QList<QStringList> finishedGridRows(const QList<Figures> &groups,
                                    const QMap<QString, QString> &names)
{
    QList<QStringList> rows;
    for (const Figures &f : groups)
        rows.append(gridRow(static_cast<int>(rows.size()) + 1, figuresCells(f), names));
    return rows;
}

QList<int> groupWidths()
{
    // The last is a document key.
    return {30, 100, 170, 90, 110, 130, 180, 140, 150, 140};
}

QStringList openGridHeader(By by)
{
    // An open document has no exit yet: its month is the one it came in.
    return {QStringLiteral("No"),
            by == By::Month ? QStringLiteral("เดือนที่เรื่องเข้ากอง") : byCaption(by),
            NameHeader,
            QStringLiteral("จำนวนเรื่องที่ยังไม่เสร็จ"),
            QStringLiteral("อายุเฉลี่ย (วันทำการ)"),
            QStringLiteral("อายุมากที่สุด (วันทำการ)"),
            QStringLiteral("เรื่องที่ค้างนานที่สุด"),
            QStringLiteral("เกินเป้าหมาย (เรื่อง)")};
}

QList<QStringList> openGridRows(const QList<OpenFigures> &groups,
                                const QMap<QString, QString> &names)
{
    QList<QStringList> rows;
    for (const OpenFigures &f : groups) {
        const QStringList cells{f.group,
                                QString::number(f.documents),
                                tenthsText(f.meanTenths),
                                QString::number(f.oldest),
                                f.oldestKey,
                                QString::number(f.pastTarget)};
        rows.append(gridRow(static_cast<int>(rows.size()) + 1, cells, names));
    }
    return rows;
}

QString title()
{
    return QStringLiteral("รายงานสรุปจำนวนวันทำการตามเป้าหมายการให้บริการ");
}

QString openTitle()
{
    return QStringLiteral("รายงานเรื่องที่ยังไม่เสร็จสิ้นดำเนินการ อายุนับถึงวันนี้");
}

QStringList criteriaLines(const Request &request)
{
    return {
        QStringLiteral("วันที่เรื่องออกจากกอง %1 ถึงวันที่ %2").arg(request.period.from, request.period.to),
        QStringLiteral("เป้าหมาย %1 วันทำการ").arg(request.target),
        QStringLiteral("แยกตาม%1").arg(byCaption(request.by))};
}

Listing finishedListing(const Summary &s, const QMap<QString, QString> &names)
{
    return {title(), criteriaLines(s.request), finishedGridHeader(s.request.by),
            finishedGridRows(s.finished, names)};
}

} // namespace summary
