#include "screens/charts/ChartData.h"

#include <algorithm>
#include <cmath>

namespace charts {

namespace {

constexpr int LeastTail = 14; // bars 0 .. 14 always stand on their own
constexpr int MostBars = 60;

} // namespace

QList<DayBin> dayBins(const QList<int> &workingDays)
{
    if (workingDays.isEmpty())
        return {};
    QList<int> days = workingDays;
    for (int &d : days)
        d = std::max(d, 0);
    std::sort(days.begin(), days.end());
    const int longest = days.constLast();
    const auto rank = static_cast<qsizetype>(std::ceil(0.95 * double(days.size())));
    const int p95 = days.at(std::max<qsizetype>(rank, 1) - 1);
    const int last = std::min(std::max(p95, LeastTail), MostBars - 1);
    const bool tail = longest > last;
    QList<DayBin> bins;
    for (int d = 0; d <= (tail ? last : longest); ++d)
        bins << DayBin{QString::number(d), 0};
    if (tail)
        bins << DayBin{QString::number(last + 1) + u'+', 0};
    for (int d : days)
        ++bins[std::min(d, int(bins.size()) - 1)].count;
    return bins;
}

} // namespace charts
