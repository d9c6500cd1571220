#include "screens/charts/ChartsPanel.h"

#include "screens/charts/Charts.h"
#include "screens/common/Dialogs.h"
#include "screens/common/Guard.h"

#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QPushButton>
#include <QStandardPaths>
#include <QTabWidget>
#include <QVBoxLayout>

namespace charts {

namespace {

QString askFile(QWidget *parent, const QString &suggested, const QString &filter)
{
    return QFileDialog::getSaveFileName(parent, QStringLiteral("บันทึกแผนภูมิ"), suggested, filter);
}

} // namespace

ChartsPanel::ChartsPanel(Dialogs &dialogs, QWidget *parent)
    : QWidget(parent), chooseFile(askFile), dialogs_(dialogs)
{
    setObjectName(QStringLiteral("chartsPanel"));
    months_ = new MonthChart;
    shares_ = new ShareChart;
    days_ = new DaysHistogram;
    tabs_ = new QTabWidget(this);
    tabs_->addTab(page(months_, QStringLiteral("Months")), QStringLiteral("รายเดือน"));
    tabs_->addTab(page(shares_, QStringLiteral("Shares")), QStringLiteral("ภายในเป้าหมาย"));
    tabs_->addTab(page(days_, QStringLiteral("Days")), QStringLiteral("การกระจายของวันทำการ"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(tabs_);
}

QWidget *ChartsPanel::page(QChartView *chart, const QString &name)
{
    auto *page = new QWidget;
    auto *column = new QVBoxLayout(page);
    column->addWidget(chart, 1);
    auto *png = new QPushButton(QStringLiteral("บันทึกเป็น PNG"), page);
    png->setObjectName(QStringLiteral("btnSavePng") + name);
    auto *pdf = new QPushButton(QStringLiteral("บันทึกเป็น PDF"), page);
    pdf->setObjectName(QStringLiteral("btnSavePdf") + name);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(png);
    buttons->addWidget(pdf);
    buttons->addStretch();
    column->addLayout(buttons);
    connect(png, &QPushButton::clicked, this, [this, chart] { save(chart, Format::Png); });
    connect(pdf, &QPushButton::clicked, this, [this, chart] { save(chart, Format::Pdf); });
    return page;
}

void ChartsPanel::updateCharts(const QList<MonthFigures> &months, const QList<OfficerShare> &shares,
                               const QList<int> &workingDays)
{
    months_->setFigures(months);
    shares_->setShares(shares);
    days_->setDays(workingDays);
}

void ChartsPanel::save(QChartView *chart, Format format)
{
    const bool png = format == Format::Png;
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString suggested = QDir(folder).filePath(
        chart->chart()->title() + (png ? QStringLiteral(".png") : QStringLiteral(".pdf")));
    const QString file = chooseFile(
        this, suggested, png ? QStringLiteral("PNG (*.png)") : QStringLiteral("PDF (*.pdf)"));
    if (file.isEmpty())
        return;
    guarded(this, dialogs_, [&] {
        if (png)
            saveChartPng(*chart, file);
        else
            saveChartPdf(*chart, file);
        dialogs_.message(this, QStringLiteral("บันทึกแผนภูมิลงแฟ้ม %1 เรียบร้อยแล้ว").arg(file));
    });
}

} // namespace charts
