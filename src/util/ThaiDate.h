#pragma once

// Dates as the division writes them: day first, Buddhist-era year (Gregorian + 543).

#include <QDate>
#include <QDateTime>
#include <QString>

// "dd/mm/yyyy" with the Buddhist-era year, e.g. 5 October 2014 -> "05/10/2557".
QString thaiDateText(const QDate &date);

// The day of a "dd/mm/yyyy" text with the Buddhist-era year; an invalid date for any other text
// (no time of day after it, no day that does not exist).
QDate thaiDateOf(const QString &text);

// The day a typed date names, in the forms the day key reads: a day and a month of one or two
// digits, with blanks around them where a masked box left a place empty, and a year of four
// digits with nothing after it: "5/1/2557", " 5/ 1/2557" and "05/01/2557" alike. An invalid
// date for any other text and for a day that does not exist (31/02/2569).
QDate typedDayOf(const QString &text);

// Whether a date box holds nothing: blanks, "/" and "_" only, as an untouched mask reads.
bool isBlankDateText(const QString &text);

// What a date box may hold where it may stay empty: nothing, or a real day.
bool isBlankOrDay(const QString &text);

// "mm/yyyy" of a month 01 to 12, as the masked month box reads.
bool isMonthYearText(const QString &text);

// "dd/mm/yyyy hh:mm:ss" with the Buddhist-era year: how a server time stamp is shown.
QString thaiDateTimeText(const QDateTime &moment);

// "dd/mm/yyyy" with the Gregorian year.
QString engDateText(const QDate &date);

// The fiscal year (Gregorian) a date falls in: its year, plus 1 from October on.
QString fiscalYearOf(const QDate &date);

inline constexpr int BuddhistEraOffset = 543;
