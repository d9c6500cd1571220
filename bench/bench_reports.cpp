// The two day-count reports over a large catalog, run as their screens run them: report::run with
// the criteria the screens open with, which select every document. The catalog holds a 20-year
// calendar (2550-2569, fixed holidays marked) and 100,000 documents with every stage's columns, a
// third of them finished, every one linked to a cleared ERP row (one in ten with no posting date).
// Beside the days-in-division run, the finished documents are counted once more from one read of
// the calendar, and with Count_Work_Days (two queries each) on a sample scaled to all of them.
// Last, the service-level summary of ten years of exits, and its figures grouped anew.
// A run's time is the statement, the rows and their counts; the grid keeps the rows, so freeing
// them is left out.
//
// Run: bench_reports [CATALOG] [RUNS]
//   CATALOG  sqlite (the default: a file in a temporary folder), or a server's
//            postgresql://USER@HOST[:PORT]/DB, on which a database of its own is made for the run
//            and dropped after it.
//   RUNS     how many times each measurement is repeated (default 5); min and median are shown.

#include "core/Calendar.h"
#include "core/Report.h"
#include "core/Reports.h"
#include "core/ServiceSummary.h"
#include "core/WorkDays.h"
#include "data/Catalog.h"
#include "data/Connection.h"
#include "data/schema.h"
#include "util/ThaiDate.h"
#include "util/Utility.h"

#include <QCoreApplication>
#include <QDate>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <memory>
#include <vector>

namespace {

constexpr int Documents = 100000;
constexpr int Sample = 2000; // finished documents counted with Count_Work_Days
constexpr int Batch = 200;   // rows per INSERT

struct Stats {
    double min = 0;
    double median = 0;
};

// Wall time is the target's measure; the process's own processor time shows what a busy machine
// added to it (a server's work is not in it).
struct Timing {
    Stats wall;
    Stats cpu;
};

double cpuMs()
{
    return static_cast<double>(std::clock()) * 1e3 / CLOCKS_PER_SEC;
}

Stats statsOf(std::vector<double> ms)
{
    std::sort(ms.begin(), ms.end());
    const size_t n = ms.size();
    return {ms.front(), n % 2 ? ms[n / 2] : (ms[n / 2 - 1] + ms[n / 2]) / 2};
}

// Milliseconds of each of `runs` calls; `before` runs untimed ahead of each.
Timing timed(int runs, const std::function<void()> &work, const std::function<void()> &before = {})
{
    std::vector<double> wall;
    std::vector<double> cpu;
    for (int i = 0; i < runs; ++i) {
        if (before)
            before();
        QElapsedTimer t;
        const double cpu0 = cpuMs();
        t.start();
        work();
        wall.push_back(static_cast<double>(t.nsecsElapsed()) / 1e6);
        cpu.push_back(cpuMs() - cpu0);
    }
    return {statsOf(wall), statsOf(cpu)};
}

QString quoted(const QString &v)
{
    return QLatin1Char('\'') + db::sqlText(v) + QLatin1Char('\'');
}

// A date and time as the electronic-document export's cells read: d/m/yyyy h:mm:ss, Buddhist era.
QString sheetDateTime(const QDate &d, int hour, int minute)
{
    return QStringLiteral("%1/%2/%3 %4:%5:00")
        .arg(d.day())
        .arg(d.month())
        .arg(d.year() + BuddhistEraOffset)
        .arg(hour, 2, 10, QLatin1Char('0'))
        .arg(minute, 2, 10, QLatin1Char('0'));
}

// Multi-row INSERTs of the tuples, Batch at a time.
class Inserter {
public:
    Inserter(db::Connection &c, const char *table, const char *columns)
        : c_(c), head_(QStringLiteral("INSERT INTO %1 (%2) VALUES")
                           .arg(QLatin1String(table), QLatin1String(columns)))
    {
    }
    ~Inserter() { flush(); }
    void add(const QStringList &values)
    {
        tuples_ << QLatin1Char('(') + values.join(QLatin1Char(',')) + QLatin1Char(')');
        if (tuples_.size() == Batch)
            flush();
    }
    void flush()
    {
        if (tuples_.isEmpty())
            return;
        c_.execute(db::Statement{head_, tuples_.join(QStringLiteral(",\n"))});
        tuples_.clear();
    }

private:
    db::Connection &c_;
    QString head_;
    QStringList tuples_;
};

const char *const DocumentColumns =
    "DovPriLevelName, Doc_PK, DocNo, DocNoDate, DocNumber, DocDate, From_Unit, Topic, To_Who, "
    "FromSite, Doc_Stat, Modified_Date, Item_Type, DocStatus, Date_Into_Fin, DocNoDate_YYYYMMDD, "
    "Modified_Date_YYYYMMDD, IS_Rec_Cheq, IS_Success, Per_Code, DocType_Code, KumDeega_No, "
    "Deega_No, SAP_Doc_No, SAP_Fiscal_Year, Company_Rec_Cheq, Remark1, Date_Ent_Asign, Sumkun_No, "
    "Rec_Cheq_Branch, Date_Ent_Deega, Date_Nud_Rec_Cheq, Date_Ent_Nud_rec_Cheq, SAP_Doc_Remark, "
    "User_Key_Doc, Date_Key_Doc";
const char *const ErpColumns =
    "Fiscal_Year, FI_Doc_No, Posting_Date, Check_No, Clearing_Date, Pay_date, Clearing_Doc, "
    "Deka_Number, Deka_Status, Vendor_Name, Description_Erp, Fund_ERP, Functional_Area";

// The calendar, officers, types and documents; gives the finished documents' entry and exit.
std::vector<std::pair<QString, QString>> fill(db::Connection &c)
{
    std::vector<std::pair<QString, QString>> finished;
    db::Transaction t(c);
    c.execute(db::Statement{QStringLiteral(
        "INSERT INTO TR_Hard_StopDay (D_DDMM, SD_Remark) VALUES ('01/01', 'New Year'), "
        "('13/04', 'Songkran'), ('14/04', 'Songkran'), ('05/12', 'Father'), ('31/12', 'Eve')")});
    generateCalendar(c, 2550, 2569);
    markHolidays(c);
    for (int i = 1; i <= 5; ++i) {
        c.execute(db::Statement{
            QStringLiteral("INSERT INTO TR_PerSon (Per_Code, Per_Name, Per_status) VALUES "
                           "('0%1', 'นางสาวเจ้าหน้าที่ การเงิน %1', 'A')")
                .arg(i)});
        c.execute(db::Statement{
            QStringLiteral("INSERT INTO TR_DocType (DocType_Code, DocType_Name) VALUES "
                           "('0%1', 'ประเภทเอกสาร %1')")
                .arg(i)});
    }

    QRandomGenerator random(42);
    Inserter documents(c, "Main_Deega_Control", DocumentColumns);
    Inserter erp(c, "M_Imp_ERP", ErpColumns);
    for (int i = 1; i <= Documents; ++i) {
        const QDate in = QDate(2007, 1, 1).addDays(random.bounded(7000));
        const bool done = i % 3 == 0;
        const QDate out = in.addDays(random.bounded(60));
        const QString entry = sheetDateTime(in, 8 + i % 9, i % 60);
        const QString exit = done ? sheetDateTime(out, 15, 30) : QString();
        const QString year = QString::number(in.year() + BuddhistEraOffset);
        const QString key = QStringLiteral("QDTX%1/%2").arg(year).arg(i, 6, 10, QLatin1Char('0'));
        const QString fiDoc = QStringLiteral("31%1").arg(i, 8, 10, QLatin1Char('0'));
        const QString fiscal = fiscalYearOf(in);
        const QString status = done ? schema::code::DocStatusFinished
                                    : (i % 3 == 1 ? schema::code::DocStatusWaiting
                                                  : schema::code::DocStatusInProgress);
        const QString caption = done ? schema::caption::DocStatusFinished
                                     : (i % 3 == 1 ? schema::caption::DocStatusWaiting
                                                   : schema::caption::DocStatusInProgress);
        if (done)
            finished.emplace_back(entry, exit);
        documents.add(
            {quoted(QStringLiteral("ปกติ")), quoted(key), quoted(key), quoted(entry),
             quoted(QStringLiteral("อว 0604.%1/%2").arg(i % 13).arg(i % 3000)),
             quoted(thaiDateText(in.addDays(-2))),
             quoted(QStringLiteral("งานคลังและพัสดุ คณะวิศวกรรมศาสตร์")),
             quoted(QStringLiteral("ขออนุมัติเบิกจ่ายค่าวัสดุสำนักงาน รายการที่ %1").arg(i)),
             quoted(QStringLiteral("ผู้อำนวยการกองคลัง")), quoted(QStringLiteral("คณะวิศวกรรมศาสตร์")),
             quoted(caption), quoted(exit), quoted(QStringLiteral("ภายใน")), quoted(status),
             quoted(entry), quoted(dayKeyOfDate(entry)), quoted(dayKeyOfDate(exit)),
             quoted(done ? QStringLiteral("A") : QStringLiteral("N")),
             quoted(done ? QStringLiteral("S") : QStringLiteral("N")),
             quoted(QStringLiteral("0%1").arg(1 + i % 5)),
             quoted(QStringLiteral("0%1").arg(1 + i % 5)),
             quoted(QStringLiteral("%1/%2").arg(i).arg(year)),
             quoted(QStringLiteral("ฎ%1/%2").arg(i).arg(year)), quoted(fiDoc), quoted(fiscal),
             // Every stage's columns, as a document linked to the ERP has them.
             quoted(QStringLiteral("บริษัท ไทยออฟฟิศ ซัพพลาย จำกัด")), quoted(QString()),
             QStringLiteral("CURRENT_TIMESTAMP"), quoted(QStringLiteral("บจ%1").arg(i)),
             quoted(QStringLiteral("SCB ชิดลม")), QStringLiteral("CURRENT_TIMESTAMP"),
             quoted(thaiDateText(out)), QStringLiteral("CURRENT_TIMESTAMP"),
             quoted(QStringLiteral("ตั้งเบิกในระบบ ERP แล้ว")), quoted(QStringLiteral("clerk")),
             quoted(thaiDateText(in.addDays(2)))});
        const QDate cleared = out.addDays(1 + random.bounded(20));
        erp.add({quoted(fiscal), quoted(fiDoc),
                 quoted(i % 10 ? thaiDateText(in.addDays(random.bounded(5))) : QString()),
                 quoted(QString::number(70000000 + i)), quoted(thaiDateText(cleared)),
                 quoted(thaiDateText(cleared)),
                 quoted(QStringLiteral("20%1").arg(i, 8, 10, QLatin1Char('0'))),
                 quoted(QStringLiteral("ฎ%1/%2").arg(i).arg(year)), quoted(QStringLiteral("C")),
                 quoted(QStringLiteral("บริษัท ไทยออฟฟิศ ซัพพลาย จำกัด")),
                 quoted(QStringLiteral("ค่าวัสดุสำนักงาน")), quoted(QStringLiteral("10000")),
                 quoted(QStringLiteral("1100"))});
    }
    documents.flush();
    erp.flush();
    t.commit();
    // A server's catalog in use has its statistics; without them a plan is a guess.
    if (c.backend() == db::BackendKind::PostgreSQL)
        c.execute(db::Statement{QStringLiteral("ANALYZE")});
    return finished;
}

// The catalog of the run: a temporary SQLite file, or a database made on a PostgreSQL server.
class BenchCatalog {
public:
    explicit BenchCatalog(const QString &url)
    {
        if (url.isEmpty() || url == QLatin1String("sqlite")) {
            where_.backend = db::BackendKind::SQLite;
            where_.path = dir_.filePath(QStringLiteral("bench.sqlite"));
        } else {
            server_ = db::CatalogLocation::parse(url);
            name_ = QStringLiteral("bench_reports_%1").arg(QCoreApplication::applicationPid());
            serverRun(QStringLiteral("CREATE DATABASE ") + name_ +
                      QStringLiteral(" TEMPLATE template0 ENCODING 'UTF8'"));
            where_ = server_;
            where_.database = name_;
        }
        connection_ = std::make_unique<db::Connection>(where_);
        connection_->open(db::Connection::OpenMode::Create);
        schema::create(*connection_);
    }
    ~BenchCatalog()
    {
        connection_.reset();
        if (!name_.isEmpty()) {
            try {
                serverRun(QStringLiteral("DROP DATABASE IF EXISTS ") + name_);
            } catch (const db::Error &e) {
                std::fprintf(stderr, "could not drop %s: %s\n", qPrintable(name_),
                             qPrintable(e.message()));
            }
        }
    }
    db::Connection &connection() { return *connection_; }
    QString describe() const { return where_.describe(); }

private:
    void serverRun(const QString &statement)
    {
        db::Connection c(server_);
        c.open();
        c.execute(db::Statement{statement});
    }

    QTemporaryDir dir_;
    db::CatalogLocation server_;
    db::CatalogLocation where_;
    QString name_;
    std::unique_ptr<db::Connection> connection_;
};

void print(const char *what, const Timing &t, const char *note = "")
{
    std::printf("  %-42s wall min %8.1f median %8.1f ms; cpu min %8.1f median %8.1f ms%s\n", what,
                t.wall.min, t.wall.median, t.cpu.min, t.cpu.median, note);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    std::setvbuf(stdout, nullptr, _IOLBF, 0); // each figure as soon as it is measured
    const QStringList args = app.arguments();
    const QString url = args.value(1);
    const int runs = std::max(1, args.value(2, QStringLiteral("5")).toInt());

    try {
        BenchCatalog catalog(url);
        db::Connection &c = catalog.connection();
        QElapsedTimer setup;
        setup.start();
        const std::vector<std::pair<QString, QString>> finished = fill(c);
        std::printf("%s: %d documents (%zu finished), 20-year calendar; filled in %lld ms; "
                    "%d runs each\n",
                    qPrintable(catalog.describe()), Documents, finished.size(),
                    static_cast<long long>(setup.elapsed()), runs);

        // The screens open with every check box unticked: no criterion line.
        const report::Shape division = reports::daysInDivision();
        const criteria::Entered none(division.criteria.size());
        // The grid keeps the rows of a run: the last run's are freed before the next, untimed.
        QList<QStringList> kept;
        const auto release = [&kept] { kept = {}; };
        const Timing run = timed(
            runs, [&] { kept = report::run(c, division, none); }, release);
        const auto counted = std::count_if(
            kept.begin(), kept.end(), [](const QStringList &r) { return !r.at(11).isEmpty(); });
        std::printf("days in division (%lld rows, %lld counted):\n",
                    static_cast<long long>(kept.size()), static_cast<long long>(counted));
        print("report::run (statement, rows, counts)", run, "   (target < 1000 ms)");

        // The counting alone, both ways, over the same finished documents.
        long long oneReadWorking = 0;
        const Timing oneRead = timed(runs, [&] {
            const WorkDayCalendar calendar(c);
            oneReadWorking = 0;
            for (const auto &[entry, exit] : finished)
                oneReadWorking += calendar.count(entry, exit).workingDays;
        });
        print("one read of the calendar, every finished", oneRead);

        // Every n-th finished document; its counts must be those of the one read.
        const size_t step = std::max<size_t>(1, finished.size() / Sample);
        std::vector<size_t> sample;
        for (size_t i = 0; i < finished.size() && sample.size() < Sample; i += step)
            sample.push_back(i);
        std::vector<DayCounts> byQueries(sample.size());
        const Timing queried = timed(runs, [&] {
            for (size_t k = 0; k < sample.size(); ++k) {
                const auto &[entry, exit] = finished[sample[k]];
                byQueries[k] = Count_Work_Days(c, entry, exit);
            }
        });
        const WorkDayCalendar check(c);
        int differing = 0;
        for (size_t k = 0; k < sample.size(); ++k) {
            const auto &[entry, exit] = finished[sample[k]];
            if (!(byQueries[k] == check.count(entry, exit)))
                ++differing;
        }
        const double scale = static_cast<double>(finished.size()) / sample.size();
        const auto scaled = [scale](const Stats &s) {
            return Stats{s.min * scale, s.median * scale};
        };
        const Timing allQueried{scaled(queried.wall), scaled(queried.cpu)};
        char note[96];
        std::snprintf(note, sizeof note, "   (%zu documents)", sample.size());
        print("Count_Work_Days, sample", queried, note);
        std::snprintf(note, sizeof note, "   (sample x %.2f)", scale);
        print("Count_Work_Days, every finished (scaled)", allQueried, note);
        std::printf("  counting from one read is %.0fx faster than two queries each (wall "
                    "medians); %d of the sample count otherwise\n",
                    allQueried.wall.median / oneRead.wall.median, differing);

        const report::Shape payment = reports::daysToPayment();
        const criteria::Entered noPaymentCriteria(payment.criteria.size());
        const Timing paid = timed(
            runs, [&] { kept = report::run(c, payment, noPaymentCriteria); }, release);
        std::printf("days to payment (%lld rows):\n", static_cast<long long>(kept.size()));
        print("report::run (statement, rows, counts)", paid, "   (target < 1500 ms)");

        // The service-level summary over ten years of exits: one read of the documents and one
        // of the calendar, every finished and open document counted, then the figures.
        const summary::Request decade{{QStringLiteral("01/01/2555"), QStringLiteral("31/12/2564")},
                                      summary::DefaultTarget,
                                      summary::By::Officer};
        summary::Summary found;
        const Timing summarised =
            timed(runs, [&] { found = summary::run(c, decade, QStringLiteral("31/12/2569")); });
        std::printf("service-level summary (%lld finished in the period, %lld open):\n",
                    static_cast<long long>(found.documents.finished.size()),
                    static_cast<long long>(found.documents.open.size()));
        print("summary::run (documents, counts, figures)", summarised);
        // Another grouping of the documents read: what a chart of the months adds.
        const Timing regrouped = timed(runs, [&] {
            const QList<summary::Figures> months = summary::finishedFigures(
                summary::itemsBy(found.documents.finished, summary::By::Month), decade.target,
                summary::By::Month);
            found.finished = months;
        });
        print("figures by month of the documents read", regrouped);
    } catch (const db::Error &e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.message()));
        return 1;
    }
    return 0;
}
