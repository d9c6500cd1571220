// Generates and saves 20 years into a fresh embedded catalog, each day checked and inserted on
// its own as the screen does, then counts 10,000 documents from one read of the calendar.
#include "core/Calendar.h"
#include "core/WorkDays.h"
#include "data/Catalog.h"
#include "data/Connection.h"
#include "data/schema.h"
#include "util/ThaiDate.h"

#include <QCoreApplication>
#include <QDate>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <cstdio>
#include <vector>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    db::CatalogLocation where;
    where.backend = db::BackendKind::SQLite;
    where.path = dir.filePath(QStringLiteral("bench.sqlite"));
    db::Connection c(where);
    c.open(db::Connection::OpenMode::Create);
    schema::create(c);

    QElapsedTimer timer;
    timer.start();
    const QList<CalendarDay> days = previewYears(2550, 2569);
    const qint64 previewMs = timer.elapsed();
    const int inserted = saveDays(c, days);
    const qint64 totalMs = timer.elapsed();
    std::printf("calendar: %lld days previewed in %lld ms; %d inserted, %lld ms in all "
                "(target < 2000 ms)\n",
                static_cast<long long>(days.size()), static_cast<long long>(previewMs), inserted,
                static_cast<long long>(totalMs));

    // Documents of a few weeks each, spread over the generated years.
    QRandomGenerator random(42);
    std::vector<std::pair<QString, QString>> documents;
    documents.reserve(10000);
    for (int i = 0; i < 10000; ++i) {
        const QDate start = QDate(2007, 1, 1).addDays(random.bounded(7000));
        documents.emplace_back(thaiDateText(start),
                               thaiDateText(start.addDays(random.bounded(60))));
    }
    timer.restart();
    const WorkDayCalendar calendar(c);
    const qint64 loadMs = timer.elapsed();
    long long working = 0;
    for (const auto &[start, end] : documents)
        working += calendar.count(start, end).workingDays;
    const qint64 countMs = timer.elapsed();
    std::printf("count: calendar read in %lld ms; 10000 documents counted in %lld ms in all "
                "(%lld working days)\n",
                static_cast<long long>(loadMs), static_cast<long long>(countMs), working);

    timer.restart();
    long long viaQueries = 0;
    for (int i = 0; i < 500; ++i)
        viaQueries += Count_Work_Days(c, documents[i].first, documents[i].second).workingDays;
    std::printf("count by queries: 500 documents in %lld ms\n",
                static_cast<long long>(timer.elapsed()));
    return 0;
}
