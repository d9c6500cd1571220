#pragma once

// The service-level summary: per officer, document type or month of exit, how many finished
// documents there were, how many working days they took and how many stayed within the target;
// beside them the documents still open and their age. A document's working days are counted as
// the days-in-division report counts them: from one read of the calendar, entry date
// (Date_Into_Fin) to exit date (Modified_Date). The figures are pure functions over
// (document, group, days), so they can be checked without a catalog.
//
// Dates are dd/mm/yyyy with the Buddhist-era year, as the program shows and takes them; a month
// group is "mm/yyyy" in the same era.

#include "core/Report.h"

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>
#include <optional>

namespace db {
class Connection;
}

namespace summary {

enum class By { Officer, DocType, Month };

inline constexpr int DefaultTarget = 3; // working days
inline constexpr int MaxTarget = 999;

// One document of a group: its key (Doc_PK), its group and its working days (for an open
// document, its age).
struct Item {
    QString key;
    QString group;
    int days = 0;
};

// The figures of one group of finished documents. Tenths are rounded half up.
struct Figures {
    QString group; // officer or type code, "mm/yyyy", or empty for documents without one
    int documents = 0;
    int meanTenths = 0;   // mean working days, in tenths
    int medianTenths = 0; // the mean of the two middle values for an even count
    int p90 = 0;          // the value at rank ceil(0.9 n) of the sorted days
    int withinTarget = 0; // days <= target
    int shareTenths = 0;  // percent within the target, in tenths
    QString longest;      // the key of the most days; the first in key order on a tie
    QList<Item> items;    // the group's documents in key order

    double mean() const { return meanTenths / 10.0; }
    double median() const { return medianTenths / 10.0; }
    double share() const { return shareTenths / 10.0; }
};

// The documents of one group still open, aged to today.
struct OpenFigures {
    QString group;
    int documents = 0;
    int meanTenths = 0; // mean age in working days, in tenths
    int oldest = 0;     // the largest age
    QString oldestKey;  // the first in key order on a tie
    int pastTarget = 0; // age > target
    QList<Item> items;  // in key order
};

// The groups in their order: codes as text, months by year then month; the group of documents
// without one last.
QList<Figures> finishedFigures(const QList<Item> &items, int target, By by);
QList<OpenFigures> openFigures(const QList<Item> &items, int target, By by);

// round(numerator / denominator, one decimal) in tenths, half up; 0 for no denominator.
int roundedTenths(qint64 numerator, qint64 denominator);
// "2.5", "-0.5": tenths as a number with one decimal.
QString tenthsText(int tenths);

// ---- reading the catalog ----

struct Period {
    QString from; // dd/mm/yyyy, both days included
    QString to;
};

struct Document {
    QString key;
    QString officer; // Per_Code, blanks trimmed
    QString docType; // DocType_Code, blanks trimmed
    QString month;   // mm/yyyy of the exit date; of the entry date for an open document
    int days = 0;    // working days entry to exit; for an open document, entry to today
};

struct Documents {
    QList<Document> finished; // DocStatus "4", exit day within the period, both dates present
    QList<Document> open;     // every other status with an entry date, whatever the period
    int withoutEntry = 0;     // finished within the period but with no entry date: left out
};

// One read of the documents and one of the calendar. Throws db::Error.
Documents readDocuments(db::Connection &c, const Period &period, const QString &todayThai);

// The documents as (key, group, days) for the grouping.
QList<Item> itemsBy(const QList<Document> &documents, By by);
// The figures of all the documents as one group (no documents: all zero).
Figures overall(const QList<Document> &documents, int target);

struct Request {
    Period period;
    int target = DefaultTarget;
    By by = By::Officer;
};

struct Summary {
    Request request;
    Documents documents;
    QList<Figures> finished;
    QList<OpenFigures> open;
};

Summary run(db::Connection &c, const Request &request, const QString &todayThai);

// ---- inputs ----

// A whole number from 0 to MaxTarget, blanks around it allowed.
std::optional<int> targetOf(const QString &text);
// "officer", "type" or "month".
std::optional<By> byOf(const QString &word);
QString byWord(By by);
// The Thai caption of a grouping, as the screen's choice and the first header show it.
QString byCaption(By by);
const QList<By> &allBys();

// The grouping whose caption the text is, blanks around it aside.
std::optional<By> byOfCaption(const QString &text);

// The summary screen's criteria, each always used: the exit dates (both boxes start empty), the
// target (starting as given) and the grouping (starting with the first).
QList<criteria::Criterion> screenCriteria(int target);

// 01/10 to 30/09 of the fiscal year given as Fiscal_Year (Gregorian, the year it ends in).
Period fiscalYearPeriod(const QString &fiscalYear);

// ---- texts ----

// The columns the tool prints, in order: group, documents, mean, median, 90th percentile,
// within target, share within target, longest.
QStringList figuresHeader(By by);
QStringList figuresCells(const Figures &f);

// The screen's grids: a running number, the group, its name, then the figures.
QStringList finishedGridHeader(By by);
QList<QStringList> finishedGridRows(const QList<Figures> &groups,
                                    const QMap<QString, QString> &names);
// The group grids' widths in the screens' pixels: number, group, name, then the figures.
QList<int> groupWidths();
QStringList openGridHeader(By by);
QList<QStringList> openGridRows(const QList<OpenFigures> &groups,
                                const QMap<QString, QString> &names);

// The officers' or types' names by code (every row, inactive officers too); none for months.
QMap<QString, QString> namesOf(db::Connection &c, By by);

QString title();
QString openTitle();
// The criteria as the printed report lists them, one a line.
QStringList criteriaLines(const Request &request);

// A titled table ready for paper: the workbook and a page writer take the same.
struct Listing {
    QString title;
    QStringList criteria;
    QStringList header;
    QList<QStringList> rows;
};
Listing finishedListing(const Summary &s, const QMap<QString, QString> &names);

// The days-in-division report's grid for these documents only, in key order (no keys: no rows).
report::Shape documentsShape(const QStringList &keys);
QList<QStringList> documentRows(db::Connection &c, const QStringList &keys);

} // namespace summary
