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

struct CalendarDay {
    QString key;     // D_YYYYMMDD, Buddhist-era year first
    QString engDay;  // dd/mm/yyyy, Gregorian
    QString thaiDay; // dd/mm/yyyy, Buddhist era
    QString nameDay; // full weekday name of the workstation's locale
    QString status;  // "S" Saturday and Sunday, else "N"
    int weekday = 0; // 1 Monday ... 7 Sunday; shown, never stored
};

inline constexpr int CalendarFirstYear = 544; // Gregorian year 1
inline constexpr int CalendarLastYear = 9999; // a Thai_Day of ten characters

// Empty when the years can be previewed, else the message telling why not. A last year before
// the first is no error: it previews nothing.
QString calendarYearsError(int first, int last);

// Every day of the Buddhist-era years first..last in order; empty when last < first or the
// range is refused by calendarYearsError.
QList<CalendarDay> previewYears(int first, int last);

db::Statement dayExistsStatement(const QString &key);
db::Statement insertDayStatement(const CalendarDay &day);

// Checks and inserts each day on its own, without a transaction: a failure (db::Error) leaves the
// days before it stored. A day with an empty key is skipped. progress(r) follows every day,
// r counting from 1. Gives the number of days inserted.
int saveDays(db::Connection &c, const QList<CalendarDay> &days,
             const std::function<void(int)> &progress = {});

// Preview and save in one: what the administration tool runs. Throws db::Error with the Thai
// message of calendarYearsError for a refused range.
int generateCalendar(db::Connection &c, int first, int last,
                     const std::function<void(int)> &progress = {});

struct HardStopDay {
    QString ddmm;   // D_DDMM, dd/mm
    QString remark; // SD_Remark
};

db::Statement stopDaysStatement();
QList<HardStopDay> readStopDays(db::Connection &c);
db::Statement markHolidayStatement(const HardStopDay &day);

// One update per listed holiday, in list order, without a transaction: a failure (db::Error)
// leaves the holidays before it marked. Gives the number of holidays processed.
int markHolidays(db::Connection &c);
