// Sorts and narrows a 100,000-row result grid the way a user does, and reports how long each
// click and each find keystroke took until the view had settled.
#include "screens/common/Grid.h"

#include <QApplication>
#include <QElapsedTimer>
#include <cstdio>
#include <functional>

namespace {

constexpr int Rows = 100000;
constexpr int Cols = 15;

const QStringList Offices{QStringLiteral("กองคลัง"),         QStringLiteral("คณะวิทยาศาสตร์"),
                          QStringLiteral("กองแผนงาน"),      QStringLiteral("เกษตรศาสตร์"),
                          QStringLiteral("สำนักงานอธิการบดี"), QStringLiteral("คณะวิศวกรรมศาสตร์"),
                          QStringLiteral("โรงพยาบาล"),      QStringLiteral("สถาบันวิจัย")};

QList<QStringList> makeRows()
{
    QList<QStringList> rows;
    rows.reserve(Rows);
    for (int r = 1; r <= Rows; ++r) {
        // Scrambled so that no column arrives already in order.
        const int s = static_cast<int>((static_cast<qint64>(r) * 7919) % Rows);
        QStringList cells;
        cells << QString::number(r) << u"QDTX2567/" + QString::number(s).rightJustified(5, u'0')
              << u"ศธ 0513." + QString::number(s % 97) + u'/' + QString::number(s % 9000)
              << QStringLiteral("'%1/%2/%3 %4:%5:00")
                     .arg(s % 28 + 1)
                     .arg(s % 12 + 1)
                     .arg(2560 + s % 8)
                     .arg(s % 24)
                     .arg(s % 60, 2, 10, QLatin1Char('0'))
              << u"ขออนุมัติเบิกจ่ายค่าวัสดุสำนักงาน " + Offices.at(s % Offices.size()) + u' ' +
                     QString::number(s)
              << Offices.at(s % Offices.size())
              << (s % 10 == 0 ? QString() : QString::number(s % 1000))
              << QString::number(s % 50000 * 12.5, 'f', 2);
        for (int c = static_cast<int>(cells.size()); c < Cols; ++c)
            cells << QString::number(s * 31 + c);
        rows << cells;
    }
    return rows;
}

qint64 timed(QApplication &app, const std::function<void()> &act)
{
    QElapsedTimer timer;
    timer.start();
    act();
    app.processEvents();
    return timer.elapsed();
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QList<QStringList> rows = makeRows();

    QWidget host;
    Grid *grid = new Grid(&host);
    QWidget *findBar = grid->sortAndFind();
    findBar->move(0, 0);
    grid->setGeometry(0, 40, 1200, 760);
    host.resize(1200, 800);
    host.show();
    grid->setColCount(Cols);
    grid->setRowCount(2);
    QStringList header;
    for (int c = 0; c < Cols; ++c)
        header << u"Col" + QString::number(c);
    grid->setRowCells(0, header);
    grid->fillRows(rows);
    app.processEvents();

    std::printf("result grid %d rows x %d columns (offscreen, shown)\n", Rows, Cols);
    const auto sortBoth = [&](const char *what, int col) {
        const qint64 up = timed(app, [&] { grid->sortByColumn(col, Qt::AscendingOrder); });
        const qint64 down = timed(app, [&] { grid->sortByColumn(col, Qt::DescendingOrder); });
        std::printf("  sort by %-22s %5lld ms, reversed %5lld ms\n", what,
                    static_cast<long long>(up), static_cast<long long>(down));
    };
    sortBoth("key (text):", 1);
    sortBoth("entry date:", 3);
    sortBoth("topic (Thai text):", 4);
    sortBoth("count (some empty):", 6);
    sortBoth("amount:", 7);

    // One find keystroke narrows once; the box's short delay only gathers fast typing.
    const auto find = [&](const char *what, const QString &text) {
        const qint64 ms = timed(app, [&] { grid->setFindText(text); });
        std::printf("  find %-27s %5lld ms, %d rows shown\n", what, static_cast<long long>(ms),
                    grid->shownRowCount() - 1);
    };
    find("\"ข\" (every row):", QStringLiteral("ข"));
    find("\"กองคลัง\" (an eighth):", QStringLiteral("กองคลัง"));
    find("\"qdtx2567/0001\" (a few):", QStringLiteral("qdtx2567/0001"));
    find("\"ไม่มี\" (none):", QStringLiteral("ไม่มี"));
    find("cleared:", QString());

    const qint64 shown = timed(app, [&] { (void)grid->shownRows(); });
    std::printf("  rows as shown, all copied: %5lld ms\n", static_cast<long long>(shown));
    return grid->shownRowCount() == Rows + 1 ? 0 : 1;
}
