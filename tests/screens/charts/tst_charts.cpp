// The turnaround charts over plain figures: their series, the bins of the histogram, their
// pictures (Thai drawn, not blank) and their files.

#include "PdfReadback.h"
#include "ScriptedDialogs.h"
#include "screens/charts/Charts.h"
#include "screens/charts/ChartsPanel.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QFile>
#include <QHorizontalBarSeries>
#include <QLineSeries>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QValueAxis>

using namespace charts;

Q_DECLARE_METATYPE(QList<DayBin>)

namespace {

const QList<MonthFigures> Months{{QStringLiteral("10/2567"), 12, 2.5, 6},
                                 {QStringLiteral("11/2567"), 30, 3, 9},
                                 {QStringLiteral("12/2567"), 7, 1, 2.5}};
const QList<OfficerShare> Shares{{QStringLiteral("01 สมชาย"), 87.5},
                                 {QStringLiteral("02 สมหญิง"), 66.7},
                                 {QStringLiteral("03 ประยุทธ์"), 100}};

QList<qreal> valuesOf(const QBarSet *set)
{
    QList<qreal> values;
    for (int i = 0; i < set->count(); ++i)
        values << set->at(i);
    return values;
}

template <class Series> Series *only(QChartView &view)
{
    Series *found = nullptr;
    for (QAbstractSeries *s : view.chart()->series()) {
        if (auto *typed = qobject_cast<Series *>(s)) {
            if (found)
                return nullptr;
            found = typed;
        }
    }
    return found;
}

QLineSeries *lineNamed(QChartView &view, const QString &name)
{
    for (QAbstractSeries *s : view.chart()->series()) {
        if (s->name() == name)
            return qobject_cast<QLineSeries *>(s);
    }
    return nullptr;
}

QStringList categoriesOf(QChartView &view, Qt::Orientation orientation)
{
    for (QAbstractAxis *axis : view.chart()->axes(orientation)) {
        if (auto *categories = qobject_cast<QBarCategoryAxis *>(axis))
            return categories->categories();
    }
    return {};
}

int inked(const QImage &image, const QRect &area)
{
    int n = 0;
    const QRect inside = area.intersected(image.rect());
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        for (int x = inside.left(); x <= inside.right(); ++x)
            n += qGray(image.pixel(x, y)) < 160;
    }
    return n;
}

// The band across the top where the title stands.
QRect titleBand(const QImage &image)
{
    return QRect(0, 0, image.width(), image.height() / 10);
}

} // namespace

class TestCharts : public QObject {
    Q_OBJECT

private slots:
    void dayBins_data()
    {
        QTest::addColumn<QList<int>>("days");
        QTest::addColumn<QList<DayBin>>("bins");
        const auto bins = [](std::initializer_list<int> counts, const char *tail = nullptr) {
            QList<DayBin> out;
            int d = 0;
            for (int c : counts)
                out << DayBin{QString::number(d++), c};
            if (tail)
                out.last().label = QString::fromLatin1(tail);
            return out;
        };
        QTest::newRow("none") << QList<int>{} << QList<DayBin>{};
        QTest::newRow("all on day 0") << QList<int>{0, 0} << bins({2});
        QTest::newRow("a gap keeps its empty bar") << QList<int>{0, 3, 3, 1} << bins({1, 1, 0, 2});
        QTest::newRow("negative as 0") << QList<int>{-2, 1} << bins({1, 1});
        // Nothing beyond 14 days: every day its own bar, however few documents.
        QTest::newRow("up to 14, one far") << QList<int>{1, 14} << [&] {
            QList<DayBin> b = bins({0, 1});
            for (int d = 2; d <= 14; ++d)
                b << DayBin{QString::number(d), d == 14};
            return b;
        }();
        // Twenty documents: the 95th percentile is the 19th; one at 90 days lies beyond.
        QList<int> tailed(18, 2);
        tailed << 20 << 90;
        QTest::newRow("long tail past the 95th percentile") << tailed << [&] {
            QList<DayBin> b;
            for (int d = 0; d <= 20; ++d)
                b << DayBin{QString::number(d), d == 2 ? 18 : d == 20 ? 1 : 0};
            b << DayBin{QStringLiteral("21+"), 1};
            return b;
        }();
        // A tail past 14 days when the 95th percentile is below it.
        QList<int> short95(40, 1);
        short95 << 30;
        QTest::newRow("tail past 14 days") << short95 << [&] {
            QList<DayBin> b;
            for (int d = 0; d <= 14; ++d)
                b << DayBin{QString::number(d), d == 1 ? 40 : 0};
            b << DayBin{QStringLiteral("15+"), 1};
            return b;
        }();
        // Many long documents: at most sixty bars.
        QList<int> spread;
        for (int d = 0; d < 500; ++d)
            spread << d;
        QTest::newRow("at most sixty bars") << spread << [&] {
            QList<DayBin> b;
            for (int d = 0; d <= 59; ++d)
                b << DayBin{QString::number(d), 1};
            b << DayBin{QStringLiteral("60+"), 440};
            return b;
        }();
    }
    void dayBins()
    {
        QFETCH(QList<int>, days);
        QFETCH(QList<DayBin>, bins);
        const QList<DayBin> got = charts::dayBins(days);
        QCOMPARE(got.size(), bins.size());
        int total = 0;
        for (qsizetype i = 0; i < got.size(); ++i) {
            QCOMPARE(got.at(i).label, bins.at(i).label);
            QCOMPARE(got.at(i).count, bins.at(i).count);
            total += got.at(i).count;
        }
        QCOMPARE(total, days.size());
    }

    void monthChartSeries()
    {
        MonthChart view;
        view.setFigures(Months);
        auto *bars = only<QBarSeries>(view);
        QVERIFY(bars);
        QCOMPARE(bars->count(), 1);
        QCOMPARE(valuesOf(bars->barSets().at(0)), (QList<qreal>{12, 30, 7}));
        QCOMPARE(categoriesOf(view, Qt::Horizontal),
                 (QStringList{"10/2567", "11/2567", "12/2567"}));
        QLineSeries *median = lineNamed(view, QStringLiteral("มัธยฐานของวันทำการ"));
        QLineSeries *p90 = lineNamed(view, QStringLiteral("เปอร์เซ็นไทล์ที่ 90 ของวันทำการ"));
        QVERIFY(median && p90);
        QCOMPARE(median->points(), (QList<QPointF>{{0, 2.5}, {1, 3}, {2, 1}}));
        QCOMPARE(p90->points(), (QList<QPointF>{{0, 6}, {1, 9}, {2, 2.5}}));
        // The lines stand against their own axis, which reaches the longest 90th percentile.
        const auto axes = p90->attachedAxes();
        QCOMPARE(axes.size(), 2);
        auto *days = qobject_cast<QValueAxis *>(axes.at(1));
        QVERIFY(days && days->alignment() == Qt::AlignRight);
        QVERIFY(days->max() >= 9);
        // New figures replace the old ones.
        view.setFigures(Months.mid(0, 1));
        QCOMPARE(view.chart()->series().size(), 3);
        QCOMPARE(lineNamed(view, QStringLiteral("มัธยฐานของวันทำการ"))->count(), 1);
        QCOMPARE(view.chart()->axes().size(), 3);
    }

    void shareChartSeries()
    {
        ShareChart view;
        view.setShares(Shares);
        auto *bars = only<QHorizontalBarSeries>(view);
        QVERIFY(bars);
        // From the bottom up: the first officer given is at the top.
        QCOMPARE(valuesOf(bars->barSets().at(0)), (QList<qreal>{100, 66.7, 87.5}));
        QCOMPARE(categoriesOf(view, Qt::Vertical),
                 (QStringList{"03 ประยุทธ์", "02 สมหญิง", "01 สมชาย"}));
        auto *percent = qobject_cast<QValueAxis *>(view.chart()->axes(Qt::Horizontal).value(0));
        QVERIFY(percent);
        QCOMPARE(percent->min(), 0.0);
        QCOMPARE(percent->max(), 100.0);
    }

    void histogramSeries()
    {
        DaysHistogram view;
        QList<int> days(18, 2);
        days << 20 << 90;
        view.setDays(days);
        auto *bars = only<QBarSeries>(view);
        QVERIFY(bars);
        const QList<qreal> values = valuesOf(bars->barSets().at(0));
        QCOMPARE(values.size(), 22);
        QCOMPARE(values.at(2), 18.0);
        QCOMPARE(values.last(), 1.0);
        // Past twenty bars, every fifth day is named, and the tail.
        auto *x = qobject_cast<QCategoryAxis *>(view.chart()->axes(Qt::Horizontal).value(0));
        QVERIFY(x);
        QCOMPARE(x->categoriesLabels(), (QStringList{"0", "5", "10", "15", "21+"}));
        QCOMPARE(x->endValue(QStringLiteral("21+")), 21.0);
        // Few bars: every one named.
        view.setDays({0, 2, 2});
        x = qobject_cast<QCategoryAxis *>(view.chart()->axes(Qt::Horizontal).value(0));
        QCOMPARE(x->categoriesLabels(), (QStringList{"0", "1", "2"}));
    }

    // Every chart draws on its picture, its Thai title in real letters: two titles of different
    // letters draw differently, where boxes for missing letters would draw alike.
    void picturesShowThaiText()
    {
        MonthChart months;
        months.setFigures(Months);
        ShareChart shares;
        shares.setShares(Shares);
        DaysHistogram days;
        days.setDays({0, 1, 1, 2, 3, 5, 8});
        for (QChartView *view : QList<QChartView *>{&months, &shares, &days}) {
            const QImage image = chartImage(*view);
            QVERIFY(image.width() >= 800 && image.height() >= 500);
            QVERIFY2(inked(image, titleBand(image)) > 200, qPrintable(view->objectName()));
            const int total = inked(image, image.rect());
            QVERIFY2(total > 5000, qPrintable(view->objectName()));
        }
        const QString title = months.chart()->title();
        months.chart()->setTitle(QStringLiteral("กขคงจฉชซฌญ"));
        const QImage one = chartImage(months);
        months.chart()->setTitle(QStringLiteral("ฎฏฐฑฒณดตถท"));
        const QImage other = chartImage(months);
        QVERIFY(inked(one, titleBand(one)) > 100);
        QVERIFY(one.copy(titleBand(one)) != other.copy(titleBand(other)));
        months.chart()->setTitle(title);
    }

    void savedFiles_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("title");
        QTest::newRow("months") << "Months"
                                << "จำนวนวันทำการของเอกสารที่เสร็จในแต่ละเดือน";
        QTest::newRow("shares") << "Shares"
                                << "ร้อยละของเอกสารที่เสร็จภายในเป้าหมาย";
        QTest::newRow("days") << "Days"
                              << "การกระจายของจำนวนวันทำการ";
    }
    // Through the panel's buttons: a PNG of the picture and a one-page PDF whose texts read back.
    void savedFiles()
    {
        QFETCH(QString, button);
        QFETCH(QString, title);
        ScriptedDialogs dialogs;
        ChartsPanel panel(dialogs);
        panel.resize(1000, 700);
        panel.show();
        panel.updateCharts(Months, Shares, {0, 1, 1, 2, 3, 5, 8, 40});
        QTemporaryDir dir;
        QString answer;
        panel.chooseFile = [&](QWidget *, const QString &, const QString &) { return answer; };
        const auto press = [&](const QString &name) {
            auto *b = panel.findChild<QPushButton *>(name);
            QVERIFY2(b, qPrintable(name));
            b->click();
        };

        answer = dir.filePath(QStringLiteral("แผนภูมิ.png"));
        press(QStringLiteral("btnSavePng") + button);
        QCOMPARE(dialogs.texts(),
                 QStringList{QStringLiteral("บันทึกแผนภูมิลงแฟ้ม %1 เรียบร้อยแล้ว").arg(answer)});
        const QImage png(answer);
        QVERIFY(!png.isNull());
        QVERIFY(inked(png, png.rect()) > 5000);

        answer = dir.filePath(QStringLiteral("แผนภูมิ.pdf"));
        press(QStringLiteral("btnSavePdf") + button);
        const PdfReadback pdf = readPdf(answer);
        QVERIFY2(pdf.problem.isEmpty(), qPrintable(pdf.problem));
        QCOMPARE(pdf.pages, 1);
        QVERIFY2(pdf.pageSize.endsWith(QLatin1String("(A4)")), qPrintable(pdf.pageSize));
        // Drawn as text, not as a picture of it. Sara am reads back as the two marks it is drawn
        // with: the chart's texts are shaped by the chart, not by the PDF pages' own drawing.
        // A reader may also see a gap where a mark stands moved left over a tall letter.
        QString text = pdf.text;
        text.remove(QRegularExpression(QStringLiteral("\\s")));
        text.replace(QStringLiteral("\u0E4D\u0E32"), QStringLiteral("\u0E33"));
        QVERIFY2(text.contains(QString(title).remove(u' ')), qPrintable(pdf.text));

        // No file given: nothing; a file that cannot be written: the error box, no file.
        dialogs.clear();
        answer.clear();
        press(QStringLiteral("btnSavePdf") + button);
        QVERIFY(dialogs.shown.isEmpty());
        answer = dir.filePath(QStringLiteral("none/แผนภูมิ.png"));
        press(QStringLiteral("btnSavePng") + button);
        QCOMPARE(dialogs.shown.size(), 1);
        QCOMPARE(dialogs.shown.at(0).kind, ScriptedDialogs::Shown::Error);
        QVERIFY(!QFile::exists(answer));
    }
};

QTEST_MAIN(TestCharts)
#include "tst_charts.moc"
