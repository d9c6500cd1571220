#include "admin/AuditCommand.h"

#include "admin/GivenOptions.h"
#include "admin/OptionTexts.h"
#include "core/AuditTrail.h"
#include "data/Connection.h"
#include "data/History.h"
#include "util/ThaiDate.h"

#include <QCommandLineParser>
#include <QTextStream>

namespace admin {

namespace {

// A cell that holds the separator or a line break keeps its own line: both are escaped, as is
// the escape itself.
QString cell(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        switch (c.unicode()) {
        case '\\':
            out += QLatin1String("\\\\");
            break;
        case '\t':
            out += QLatin1String("\\t");
            break;
        case '\n':
            out += QLatin1String("\\n");
            break;
        case '\r':
            out += QLatin1String("\\r");
            break;
        default:
            out += c;
        }
    }
    return out;
}

QString line(const QStringList &cells)
{
    QStringList escaped;
    for (const QString &c : cells)
        escaped << cell(c);
    return escaped.join(u'\t');
}

} // namespace

int auditCommand(const CommandCall &call)
{
    const QList<GivenOption> given = optionsGiven(call.args);
    QString problem = checkGiven(QStringLiteral("คำสั่ง audit"),
                                 {QStringLiteral("from"), QStringLiteral("to"), QStringLiteral("user")},
                                 given);
    if (!problem.isEmpty())
        return refuse(call.err, problem);
    if (call.operands.size() > 1)
        return refuse(call.err, QString::fromUtf8(AuditForm));
    audit::Filter filter;
    filter.key = call.operands.value(0);
    for (const GivenOption &g : given) {
        const QString value = g.value.value_or(QString());
        if (g.name == QLatin1String("user")) {
            filter.user = value;
            continue;
        }
        if (!isDateText(value))
            return refuse(call.err, notDateText(QStringLiteral("--") + g.name, value));
        (g.name == QLatin1String("from") ? filter.from : filter.to) = typedDayOf(value);
    }
    if (filter.from.isValid() && filter.to.isValid() && filter.from > filter.to)
        return refuse(call.err, QStringLiteral("--from ต้องไม่อยู่หลัง --to"));
    db::Connection &c = call.connection;
    c.open();
    call.out << line(audit::header()) << '\n';
    audit::read(c, filter, [&call](const audit::Entry &e) {
        for (const QStringList &l : audit::lines(e))
            call.out << line(l) << '\n';
    });
    return 0;
}

int auditVerify(const CommandCall &call)
{
    db::Connection &c = call.connection;
    c.open();
    const db::history::Verdict v = db::history::verify(c);
    if (!v.ok()) {
        call.err << v.why << '\n';
        call.err.flush();
        return 1;
    }
    call.out << QStringLiteral("ประวัติการแก้ไขข้อมูลครบถ้วน %1 รายการ ไม่มีรายการใดถูกแก้ไข\n")
                    .arg(v.entries);
    return 0;
}

} // namespace admin
