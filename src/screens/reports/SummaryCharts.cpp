#include "screens/reports/SummaryCharts.h"

using summary::By;

SummaryCharts summaryCharts(const summary::Summary &s, const QMap<QString, QString> &officerNames)
{
    const QList<summary::Document> &finished = s.documents.finished;
    const int target = s.request.target;
    SummaryCharts out;
    for (const summary::Figures &f :
         summary::finishedFigures(summary::itemsBy(finished, By::Month), target, By::Month))
        out.months.append({f.group, f.documents, f.median(), double(f.p90)});
    for (const summary::Figures &f :
         summary::finishedFigures(summary::itemsBy(finished, By::Officer), target, By::Officer)) {
        const QString code = f.group.isEmpty() ? QStringLiteral("(ไม่ระบุ)") : f.group;
        const QString name = officerNames.value(f.group);
        out.shares.append({name.isEmpty() ? code : code + u' ' + name, f.share()});
    }
    for (const summary::Document &d : finished)
        out.workingDays << d.days;
    return out;
}
