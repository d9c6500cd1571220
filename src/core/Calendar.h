#pragma once

// The working-day calendar: the days of a range of Buddhist-era years previewed and inserted
// into TR_Day_Calendar, and the fixed annual holidays of TR_Hard_StopDay marked on every
// generated year. Weekends are holidays from the start; other holidays are marked later by
// updates of the same rows, which a later generation never undoes.

#include <QList>
#include <QString>
#include <functional>

namespace db {
class Connection;
class Statement;
} // namespace db

struct Calendar_Day {
    QString key;     // D_YYYYMMDD, Buddhist-era year first
    QString engDay;  // dd/mm/yyyy, Gregorian
    QString thaiDay; // dd/mm/yyyy, Buddhist era
    QString nameDay; // full weekday name of the workstation's locale
    QString status;  // "S" Saturday and Sunday, else "N"
    int weekday = 0; // 1 Monday ... 7 Sunday; shown, never stored
};

inline constexpr int Calendar_First_Year = 544; // Gregorian year 1
inline constexpr int Calendar_Last_Year = 9999; // a Thai_Day of ten characters

// Empty when the years can be previewed, else the message telling why not. A last year before
// the first is no error: it previews nothing.
QString Calendar_Years_Error(int first, int last);

// Every day of the Buddhist-era years first..last in order; empty when last < first or the
// range is refused by Calendar_Years_Error.
QList<Calendar_Day> Preview_Years(int first, int last);

db::Statement Day_Exists_Statement(const QString &key);
db::Statement Insert_Day_Statement(const Calendar_Day &day);

// Checks and inserts each day on its own, without a transaction: a failure (db::Error) leaves the
// days before it stored. A day with an empty key is skipped. progress(r) follows every day,
// r counting from 1. Gives the number of days inserted.
int Save_Days(db::Connection &c, const QList<Calendar_Day> &days,
              const std::function<void(int)> &progress = {});

// Preview and save in one: what the administration tool runs. Throws db::Error with the Thai
// message of Calendar_Years_Error for a refused range.
int Generate_Calendar(db::Connection &c, int first, int last,
                      const std::function<void(int)> &progress = {});

struct Hard_Stop_Day {
    QString ddmm;   // D_DDMM, dd/mm
    QString remark; // SD_Remark
};

db::Statement Stop_Days_Statement();
QList<Hard_Stop_Day> Read_Stop_Days(db::Connection &c);
db::Statement Mark_Holiday_Statement(const Hard_Stop_Day &day);

// One update per listed holiday, in list order, without a transaction: a failure (db::Error)
// leaves the holidays before it marked. Gives the number of holidays processed.
int Mark_Holidays(db::Connection &c);
