#include "admin/CommandCall.h"

#include "admin/ReportCommand.h"

#include <QCommandLineParser>
#include <QHash>

namespace admin {

namespace {

QString dashed(const QString &name)
{
    return QStringLiteral("--") + name;
}

} // namespace

QList<GivenOption> optionsGiven(const QCommandLineParser &args)
{
    QList<GivenOption> given;
    QHash<QString, qsizetype> seen;
    for (const QString &name : args.optionNames()) {
        const qsizetype k = seen[name]++;
        if (name == QLatin1String("catalog") || name == QLatin1String("trace") ||
            name == QLatin1String("help"))
            continue;
        const QStringList values = args.values(name);
        given.append({name, k < values.size() ? std::optional(values.at(k)) : std::nullopt});
    }
    return given;
}

QString checkGiven(const QString &owner, const QStringList &allowed,
                   const QList<GivenOption> &given)
{
    QStringList seen;
    for (const GivenOption &g : given) {
        if (!allowed.contains(g.name))
            return QStringLiteral("%1 ไม่มีตัวเลือก %2").arg(owner, dashed(g.name));
        if (seen.contains(g.name))
            return QStringLiteral("ระบุ %1 ซ้ำ").arg(dashed(g.name));
        seen << g.name;
        if (g.value && g.value->startsWith(QLatin1String("--")))
            return QStringLiteral("ต้องระบุค่าหลัง %1").arg(dashed(g.name));
    }
    return {};
}

} // namespace admin
