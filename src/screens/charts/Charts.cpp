#include "screens/charts/Charts.h"

#include "print/ThaiFace.h"
#include "print/ThaiPdfText.h"
#include "util/Failure.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QBuffer>
#include <QCategoryAxis>
#include <QCoreApplication>
#include <QHorizontalBarSeries>
#include <QLineSeries>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QValueAxis>
#include <algorithm>

namespace charts {

namespace {

const QSize LeastSize(800, 500);

QFont face(qreal points, bool bold = false)
{
    static const QString family = print::interfaceThaiFace();
    QFont f;
    if (!family.isEmpty())
        f.setFamily(family);
    f.setPointSizeF(points);
    f.setBold(bold);
    return f;
}

// An empty chart with its title, its legend below; no animation, so that what is saved is the
// chart as it ends.
QChart *startChart(QChartView &view, const QString &title)
{
    QChart *chart = view.chart();
    chart->removeAllSeries();
    for (QAbstractAxis *axis : chart->axes()) {
        chart->removeAxis(axis);
        delete axis;
    }
    chart->setTitle(title);
    chart->setTitleFont(face(13, true));
    chart->legend()->setFont(face(10));
    chart->legend()->setAlignment(Qt::AlignBottom);
    chart->setAnimationOptions(QChart::NoAnimation);
    view.setRenderHint(QPainter::Antialiasing);
    return chart;
}

template <class Axis> Axis *addAxis(QChart *chart, Qt::Alignment where, const QString &title)
{
    auto *axis = new Axis;
    axis->setTitleText(title);
    axis->setTitleFont(face(10));
    axis->setLabelsFont(face(9));
    chart->addAxis(axis, where);
    return axis;
}

// 0 up to a little above the highest value, in round steps.
void fromZero(QValueAxis *axis, double highest, bool whole)
{
    axis->setRange(0, std::max(highest * 1.1, whole ? 4.0 : 1.0));
    axis->applyNiceNumbers();
    if (whole)
        axis->setLabelFormat(QStringLiteral("%d"));
}

void attach(QAbstractSeries *series, QAbstractAxis *one, QAbstractAxis *other)
{
    series->attachAxis(one);
    series->attachAxis(other);
}

QLineSeries *line(const QString &name)
{
    auto *series = new QLineSeries;
    series->setName(name);
    series->setPointsVisible(true);
    return series;
}

} // namespace

MonthChart::MonthChart(QWidget *parent) : QChartView(parent)
{
    setObjectName(QStringLiteral("chartMonths"));
    setFigures({});
}

void MonthChart::setFigures(const QList<MonthFigures> &months)
{
    QChart *c = startChart(*this, QStringLiteral("จำนวนวันทำการของเอกสารที่เสร็จในแต่ละเดือน"));
    auto *documents = new QBarSet(QStringLiteral("จำนวนเอกสาร"));
    QLineSeries *median = line(QStringLiteral("มัธยฐานของวันทำการ"));
    QLineSeries *p90 = line(QStringLiteral("เปอร์เซ็นไทล์ที่ 90 ของวันทำการ"));
    QStringList labels;
    int most = 0;
    double longest = 0;
    for (qsizetype i = 0; i < months.size(); ++i) {
        const MonthFigures &m = months.at(i);
        *documents << m.documents;
        median->append(double(i), m.median);
        p90->append(double(i), m.p90);
        labels << m.month;
        most = std::max(most, m.documents);
        longest = std::max({longest, m.median, m.p90});
    }
    auto *bars = new QBarSeries;
    bars->append(documents);
    c->addSeries(bars);
    c->addSeries(median);
    c->addSeries(p90);
    auto *x = addAxis<QBarCategoryAxis>(c, Qt::AlignBottom, QStringLiteral("เดือนที่เรื่องออกจากกอง"));
    x->append(labels);
    auto *count = addAxis<QValueAxis>(c, Qt::AlignLeft, QStringLiteral("เอกสาร (เรื่อง)"));
    fromZero(count, most, true);
    auto *days = addAxis<QValueAxis>(c, Qt::AlignRight, QStringLiteral("วันทำการ"));
    fromZero(days, longest, false);
    attach(bars, x, count);
    attach(median, x, days);
    attach(p90, x, days);
}

ShareChart::ShareChart(QWidget *parent) : QChartView(parent)
{
    setObjectName(QStringLiteral("chartShares"));
    setShares({});
}

void ShareChart::setShares(const QList<OfficerShare> &shares)
{
    QChart *c = startChart(*this, QStringLiteral("ร้อยละของเอกสารที่เสร็จภายในเป้าหมาย แยกตามผู้รับผิดชอบ"));
    auto *within = new QBarSet(QStringLiteral("ร้อยละภายในเป้าหมาย"));
    QStringList labels;
    // Categories run upwards: the last given first.
    for (auto it = shares.crbegin(); it != shares.crend(); ++it) {
        *within << it->percent;
        labels << it->officer;
    }
    auto *bars = new QHorizontalBarSeries;
    bars->append(within);
    bars->setLabelsVisible(true);
    bars->setLabelsPrecision(4);
    c->addSeries(bars);
    c->legend()->hide();
    auto *officers = addAxis<QBarCategoryAxis>(c, Qt::AlignLeft, QStringLiteral("ผู้รับผิดชอบ"));
    officers->append(labels);
    auto *percent = addAxis<QValueAxis>(c, Qt::AlignBottom, QStringLiteral("ร้อยละ"));
    percent->setRange(0, 100);
    percent->setTickCount(11);
    percent->setLabelFormat(QStringLiteral("%d"));
    attach(bars, officers, percent);
}

DaysHistogram::DaysHistogram(QWidget *parent) : QChartView(parent)
{
    setObjectName(QStringLiteral("chartDays"));
    setDays({});
}

void DaysHistogram::setDays(const QList<int> &workingDays)
{
    QChart *c = startChart(*this, QStringLiteral("การกระจายของจำนวนวันทำการ"));
    auto *documents = new QBarSet(QStringLiteral("จำนวนเอกสาร"));
    QStringList labels;
    int most = 0;
    for (const DayBin &bin : dayBins(workingDays)) {
        *documents << bin.count;
        labels << bin.label;
        most = std::max(most, bin.count);
    }
    auto *bars = new QBarSeries;
    bars->append(documents);
    bars->setBarWidth(0.9);
    c->addSeries(bars);
    c->legend()->hide();
    // Every bar named while they are few; past twenty, every fifth day clear of the last bar,
    // and the last.
    auto *x = addAxis<QCategoryAxis>(c, Qt::AlignBottom, QStringLiteral("วันทำการ"));
    x->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    x->setRange(-0.5, double(labels.size()) - 0.5);
    const qsizetype last = labels.size() - 1;
    for (qsizetype i = 0; i <= last; ++i) {
        if (labels.size() <= 20 || i == last || (i % 5 == 0 && last - i > 2))
            x->append(labels.at(i), double(i));
    }
    auto *count = addAxis<QValueAxis>(c, Qt::AlignLeft, QStringLiteral("เอกสาร (เรื่อง)"));
    fromZero(count, most, true);
    attach(bars, x, count);
}

QImage chartImage(QChartView &view)
{
    view.resize(view.size().expandedTo(LeastSize));
    // A window never shown is shown off the screen for the moment: its chart is laid out on the
    // events that showing delivers.
    const bool lent = view.isWindow() && !view.isVisible();
    if (lent) {
        view.setAttribute(Qt::WA_DontShowOnScreen);
        view.show();
    }
    // The chart lays itself out again (new figures, a new title) on posted events.
    QCoreApplication::processEvents();
    const QImage image = view.grab().toImage();
    if (lent) {
        view.hide();
        view.setAttribute(Qt::WA_DontShowOnScreen, false);
    }
    return image;
}

void saveChartPng(QChartView &view, const QString &path)
{
    const QImage image = chartImage(view);
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly) || !image.save(&out, "PNG") || !out.commit())
        throw Failure(QStringLiteral("บันทึกแฟ้มภาพ %1 ไม่ได้: %2").arg(path, out.errorString()));
}

void saveChartPdf(QChartView &view, const QString &path)
{
    chartImage(view); // lays the chart out as the picture would be
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape,
                                         QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter));
        writer.setTitle(view.chart()->title());
        writer.setCreator(QStringLiteral("Vostrel"));
        QPainter painter(&writer);
        painter.setRenderHint(QPainter::Antialiasing);
        view.render(&painter);
    }
    print::saveThaiPdf(path, buffer.data());
}

} // namespace charts
