#pragma once

// The three turnaround charts on tabs, each with its buttons to save it as a picture or a PDF.
// The panel is handed plain figures; whoever computes them decides when.

#include "screens/charts/ChartData.h"

#include <QWidget>
#include <functional>

class Dialogs;
class QChartView;
class QTabWidget;

namespace charts {

class DaysHistogram;
class MonthChart;
class ShareChart;

class ChartsPanel : public QWidget {
    Q_OBJECT

public:
    explicit ChartsPanel(Dialogs &dialogs, QWidget *parent = nullptr);

    void updateCharts(const QList<MonthFigures> &months, const QList<OfficerShare> &shares,
                      const QList<int> &workingDays);

    MonthChart *monthChart() const { return months_; }
    ShareChart *shareChart() const { return shares_; }
    DaysHistogram *daysHistogram() const { return days_; }

    // Names the file to write (a name and a filter are suggested); empty when the user gives
    // none. The standard save dialog unless a test says otherwise.
    std::function<QString(QWidget *parent, const QString &suggested, const QString &filter)>
        chooseFile;

private:
    enum class Format { Png, Pdf };
    QWidget *page(QChartView *chart, const QString &name);
    void save(QChartView *chart, Format format);

    Dialogs &dialogs_;
    QTabWidget *tabs_ = nullptr;
    MonthChart *months_ = nullptr;
    ShareChart *shares_ = nullptr;
    DaysHistogram *days_ = nullptr;
};

} // namespace charts
