#pragma once

// What the turnaround charts draw, as plain figures: whoever computes them (the summary, a
// test) hands them over; the charts read no catalog.

#include <QList>
#include <QString>

namespace charts {

// One month of exit dates: how many documents left, and their median and 90th percentile of
// working days.
struct MonthFigures {
    QString month; // as the axis shows it, e.g. "10/2567"
    int documents = 0;
    double median = 0;
    double p90 = 0;
};

// One officer's share of documents finished within the target, in percent.
struct OfficerShare {
    QString officer; // as the axis shows it, e.g. "01 สมชาย"
    double percent = 0;
};

// One bar of the working-days histogram.
struct DayBin {
    QString label; // "0", "1", ..., or "N+" for the tail
    int count = 0;
};

// Bars of one working day each, from 0 to the longest. When the longest lies beyond both the
// 95th percentile (nearest rank) and 14 days, the days past the larger of the two (at most 59)
// go into one last bar "N+". A negative count counts as 0.
QList<DayBin> dayBins(const QList<int> &workingDays);

} // namespace charts
