#pragma once

// The turnaround charts, each a chart view over plain figures (ChartData.h) that can be saved as
// a picture (PNG) or as a one-page PDF drawn in vectors. Their texts are set in the interface's
// Thai face, whatever font the application was given.

#include "screens/charts/ChartData.h"

#include <QChartView>
#include <QImage>

namespace charts {

// Working days per month of exit: the documents as bars against the left axis, the median and
// the 90th percentile as lines against the right one.
class MonthChart : public QChartView {
public:
    explicit MonthChart(QWidget *parent = nullptr);
    void setFigures(const QList<MonthFigures> &months);
};

// Each officer's share of documents within the target, as horizontal bars from 0 to 100 percent,
// the first officer given at the top.
class ShareChart : public QChartView {
public:
    explicit ShareChart(QWidget *parent = nullptr);
    void setShares(const QList<OfficerShare> &shares);
};

// How many documents took each number of working days (dayBins).
class DaysHistogram : public QChartView {
public:
    explicit DaysHistogram(QWidget *parent = nullptr);
    void setDays(const QList<int> &workingDays);
};

// The chart as drawn at the view's size, at least 800 x 500 pixels; a view that was never shown
// is laid out for it first.
QImage chartImage(QChartView &view);

// Write the chart to path in one step (a file there is replaced only by the whole new one).
// Throw Failure with a Thai message when the file cannot be written; nothing is left then.
void saveChartPng(QChartView &view, const QString &path);
void saveChartPdf(QChartView &view, const QString &path); // one A4 landscape page

} // namespace charts
