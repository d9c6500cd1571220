// Fills the grid the way a search screen does and reports how long it took.
#include "screens/common/Grid.h"

#include <QApplication>
#include <QElapsedTimer>
#include <cstdio>
#include <vector>

namespace {

constexpr int kRows = 100000;
constexpr int kCols = 15;

// Texts are made up front: the figure is the grid's cost, not QString::number's.
std::vector<QString> makeTexts()
{
    std::vector<QString> texts;
    texts.reserve(static_cast<size_t>(kRows) * kCols);
    const QString topic = QStringLiteral("ขออนุมัติเบิกจ่ายค่าวัสดุสำนักงาน ");
    for (int r = 1; r <= kRows; ++r) {
        texts.push_back(QString::number(r));
        texts.push_back(u"QDTX2567/" + QString::number(r).rightJustified(5, u'0'));
        texts.push_back(u"ศธ 0513/" + QString::number(r % 9000));
        texts.push_back(QStringLiteral("05/10/2567"));
        texts.push_back(topic + QString::number(r));
        for (int c = 5; c < kCols; ++c)
            texts.push_back(QString::number(r * 31 + c));
    }
    return texts;
}

void header(Grid &grid)
{
    for (int c = 0; c < kCols; ++c)
        grid.setCell(c, 0, u"Col" + QString::number(c));
}

qint64 settle(QApplication &app, Grid &grid)
{
    QElapsedTimer timer;
    timer.start();
    app.processEvents();
    grid.scrollToBottom();
    grid.setRow(grid.rowCount() - 1);
    app.processEvents();
    grid.scrollToTop();
    app.processEvents();
    return timer.elapsed();
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const std::vector<QString> texts = makeTexts();

    Grid grid;
    grid.resize(1200, 800);
    grid.show();
    app.processEvents();

    // 1: size the grid once, then write row after row.
    QElapsedTimer timer;
    timer.start();
    grid.setColCount(kCols);
    grid.setRowCount(kRows + 1);
    header(grid);
    size_t i = 0;
    for (int r = 1; r <= kRows; ++r)
        for (int c = 0; c < kCols; ++c)
            grid.setCell(c, r, texts[i++]);
    const qint64 presized = timer.elapsed();
    const qint64 presizedSettle = settle(app, grid);

    // 2: back to two rows, then grow by one row per result row.
    timer.restart();
    grid.setRowCount(2);
    const qint64 cut = timer.elapsed();
    app.processEvents();
    timer.restart();
    header(grid);
    i = 0;
    for (int r = 1; r <= kRows; ++r) {
        grid.setRowCount(r + 1);
        for (int c = 0; c < kCols; ++c)
            grid.setCell(c, r, texts[i++]);
    }
    const qint64 growing = timer.elapsed();
    const qint64 growingSettle = settle(app, grid);

    std::printf("grid %d rows x %d columns (offscreen, shown)\n", kRows, kCols);
    std::printf("  fill, rows set first:     %lld ms (+ %lld ms events, scroll to end)\n",
                static_cast<long long>(presized), static_cast<long long>(presizedSettle));
    std::printf("  cut back to 2 rows:       %lld ms\n", static_cast<long long>(cut));
    std::printf("  fill, growing row by row: %lld ms (+ %lld ms events, scroll to end)\n",
                static_cast<long long>(growing), static_cast<long long>(growingSettle));
    const bool ok =
        grid.cell(1, kRows) == u"QDTX2567/" + QString::number(kRows) && grid.row() == kRows;
    return ok ? 0 : 1;
}
