// Report export of a 100,000-row, 15-column grid (days-in-division layout) and the read of a
// 10,000-row voucher export, as the import preview reads it.
//
//   bench_export [kvsis.xls|kvsis.xlsx]
// Without a workbook argument, /tmp/vostrel-bench/kvsis-10000.xls and the .xlsx of the same
// sheet are read, made first with the fixture script when LibreOffice is installed.

#include "spreadsheet/ReportExport.h"
#include "spreadsheet/Workbook.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>
#include <QTemporaryDir>
#include <cstdio>

namespace {

void benchExport()
{
    const int rows = 100000 + 1, cols = 15;
    QStringList header;
    for (int c = 0; c < cols; ++c)
        header << QStringLiteral("หัวคอลัมน์ %1").arg(c);
    const spreadsheet::ReportTable table{
        cols, rows, [&header](int c, int r) -> QString {
            if (r == 0)
                return header[c];
            switch (c) {
            case 0:
                return QString::number(r);
            case 1:
                return QStringLiteral("QDTX2556/%1").arg(r % 100000, 5, 10, QLatin1Char('0'));
            case 2:
            case 3:
                return QStringLiteral("%1/10/2557").arg(r % 28 + 1, 2, 10, QLatin1Char('0'));
            case 5:
                return QStringLiteral("ขออนุมัติเบิกจ่ายเงิน รายการที่ %1").arg(r);
            case 11:
            case 12:
            case 13:
                return QString::number(r % 40);
            default:
                return QStringLiteral("ข้อความ %1").arg(c);
            }
        }};
    QElapsedTimer timer;
    timer.start();
    qsizetype chars = 0;
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c)
            chars += table.cell(c, r).size();
    const qint64 gridMs = timer.elapsed();

    QTemporaryDir dir;
    timer.restart();
    const QString path =
        spreadsheet::exportReport(table, spreadsheet::daysInDivisionLayout(), dir.path());
    const qint64 ms = timer.elapsed();
    std::printf("export 100000 x 15 (days-in-division): %lld ms, %.1f MB (target < 5000 ms); "
                "producing the grid texts alone: %lld ms (%lld characters)\n",
                static_cast<long long>(ms), QFileInfo(path).size() / 1e6,
                static_cast<long long>(gridMs), static_cast<long long>(chars));
}

QStringList benchWorkbooks(const QString &given)
{
    if (!given.isEmpty())
        return {given};
    const QStringList paths{QStringLiteral("/tmp/vostrel-bench/kvsis-10000.xls"),
                            QStringLiteral("/tmp/vostrel-bench/kvsis-10000.xlsx")};
    const auto made = [&] { return QFileInfo::exists(paths[0]) && QFileInfo::exists(paths[1]); };
    if (made())
        return paths;
    if (QStandardPaths::findExecutable(QStringLiteral("soffice")).isEmpty())
        return {};
    std::printf("making %s and .xlsx with LibreOffice ...\n", qPrintable(paths[0]));
    QProcess::execute(
        QStringLiteral(VOSTREL_FIXTURE_SCRIPT),
        {QStringLiteral("--bench"), QStringLiteral("/tmp/vostrel-bench"), QStringLiteral("10000")});
    return made() ? paths : QStringList();
}

void benchRead(const QString &path)
{
    if (path.isEmpty()) {
        std::printf("read: skipped (no workbook given and LibreOffice not installed)\n");
        return;
    }
    QElapsedTimer timer;
    timer.start();
    const auto book = spreadsheet::openWorkbook(path);
    const qint64 opened = timer.elapsed();
    // The preview's walk: the key column decides the end; columns B..M and O are read.
    int rows = 0;
    qsizetype chars = 0;
    for (int r = 2; !book->cellText(r, 4).isEmpty(); ++r, ++rows)
        for (int c : {2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 15})
            chars += book->cellText(r, c).size();
    const qint64 ms = timer.elapsed();
    std::printf("read %s, %d rows x 13 cells: %lld ms (open %lld ms), %lld characters\n",
                qPrintable(QFileInfo(path).suffix()), rows, static_cast<long long>(ms),
                static_cast<long long>(opened), static_cast<long long>(chars));
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    try {
        benchExport();
        const QStringList books =
            benchWorkbooks(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString());
        if (books.isEmpty())
            benchRead(QString());
        for (const QString &book : books)
            benchRead(book);
    } catch (const spreadsheet::Error &e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
