#pragma once

// The turnaround charts' figures from a summary, whatever its grouping: per month of exit, per
// officer, and every finished document's working days, all under the summary's period and target.

#include "core/ServiceSummary.h"
#include "screens/charts/ChartData.h"

#include <QList>
#include <QMap>
#include <QString>

struct SummaryCharts {
    QList<charts::MonthFigures> months;
    QList<charts::OfficerShare> shares; // labelled with code and name, as the grids show them
    QList<int> workingDays;             // of every finished document
};

SummaryCharts summaryCharts(const summary::Summary &s, const QMap<QString, QString> &officerNames);
