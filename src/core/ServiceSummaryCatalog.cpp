// The service-level summary's reads: the documents with their working days, the names of the
// groups and the days-in-division rows of a group's documents.

#include "core/Reports.h"
#include "core/ServiceSummary.h"
#include "core/WorkDays.h"
#include "data/Connection.h"
#include "data/schema.h"
#include "util/Utility.h"

#include <optional>

namespace summary {

namespace {

db::Statement documentsStatement()
{
    return {QStringLiteral("SELECT Doc_PK, Per_Code, DocType_Code, DocStatus, Date_Into_Fin, "
                           "Modified_Date"),
            QStringLiteral("FROM Main_Deega_Control"),
            QStringLiteral("Where (Doc_PK is not null)")};
}

// "mm/yyyy" of a date text as the division writes it.
QString monthOf(const QString &date)
{
    return Norm_Date_Text(date).mid(3, 7);
}

// The result's columns, looked up once.
struct Places {
    int key, officer, type, status, entry, exit;
    explicit Places(db::Rows &rows)
        : key(rows.column(QStringLiteral("Doc_PK"))),
          officer(rows.column(QStringLiteral("Per_Code"))),
          type(rows.column(QStringLiteral("DocType_Code"))),
          status(rows.column(QStringLiteral("DocStatus"))),
          entry(rows.column(QStringLiteral("Date_Into_Fin"))),
          exit(rows.column(QStringLiteral("Modified_Date")))
    {
    }
};

} // namespace

Documents readDocuments(db::Connection &c, const Period &period, const QString &todayThai)
{
    const WorkDayCalendar calendar(c);
    const QString first = Day_Key(period.from);
    const QString last = Day_Key(period.to);
    Documents out;
    db::Rows rows = c.select(documentsStatement());
    std::optional<Places> at;
    while (rows.next()) {
        if (!at)
            at.emplace(rows);
        const QString entry = rows.text(at->entry);
        const bool entered = !Trim_Space(entry).isEmpty();
        Document d{rows.text(at->key), Trim_Space(rows.text(at->officer)),
                   Trim_Space(rows.text(at->type)), QString(), 0};
        // The status code compared as the days-in-division report compares it.
        if (rows.text(at->status) != schema::code::DocStatusFinished) {
            if (!entered)
                continue;
            d.month = monthOf(entry);
            d.days = calendar.count(entry, todayThai).workingDays;
            out.open.append(d);
            continue;
        }
        const QString exit = rows.text(at->exit);
        if (Trim_Space(exit).isEmpty())
            continue;
        const QString day = dayKeyOfDate(exit);
        if (day < first || day > last)
            continue;
        if (!entered) {
            ++out.withoutEntry;
            continue;
        }
        d.month = monthOf(exit);
        d.days = calendar.count(entry, exit).workingDays;
        out.finished.append(d);
    }
    return out;
}

Summary run(db::Connection &c, const Request &request, const QString &todayThai)
{
    Summary s;
    s.request = request;
    s.documents = readDocuments(c, request.period, todayThai);
    s.finished =
        finishedFigures(itemsBy(s.documents.finished, request.by), request.target, request.by);
    s.open = openFigures(itemsBy(s.documents.open, request.by), request.target, request.by);
    return s;
}

QMap<QString, QString> namesOf(db::Connection &c, By by)
{
    QMap<QString, QString> names;
    if (by == By::Month)
        return names;
    const bool officers = by == By::Officer;
    db::Rows rows = c.select(
        officers
            ? db::Statement{QStringLiteral("SELECT Per_Code, Per_Name FROM TR_PerSon")}
            : db::Statement{QStringLiteral("SELECT DocType_Code, DocType_Name FROM TR_DocType")});
    while (rows.next())
        names.insert(Trim_Space(rows.text(0)), Trim_Space(rows.text(1)));
    return names;
}

report::Shape documentsShape(const QStringList &keys)
{
    report::Shape sh = reports::daysInDivision();
    QStringList literals;
    literals.reserve(keys.size());
    for (const QString &k : keys)
        literals << u'\'' + db::sqlText(k) + u'\'';
    sh.tail = {QStringLiteral("And (Main_Deega_Control.Doc_PK in (") +
                   literals.join(QStringLiteral(", ")) + QStringLiteral("))"),
               QStringLiteral("Order by Main_Deega_Control.Doc_PK")};
    return sh;
}

QList<QStringList> documentRows(db::Connection &c, const QStringList &keys)
{
    if (keys.isEmpty())
        return {};
    const report::Shape shape = documentsShape(keys);
    return report::run(c, shape, criteria::Entered(shape.criteria.size(), std::nullopt));
}

} // namespace summary
