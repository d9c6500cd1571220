#pragma once

// Which number cells are dates: a cell style's number format decides, and a date cell reads as
// the text WorkbookReader::cellText gives. Both workbook readers follow the same rules, so a
// sheet saved as .xls and as .xlsx reads the same.

#include <QString>
#include <QStringView>

namespace spreadsheet {

// How a number format shows a number, as far as reading cells goes.
enum class DateKind { None, Date, DateTime, Time };

// The kind of a built-in format number: 14-17 dates, 22 a date with a time, 18-21 and 45-47
// times; None for every other number (a workbook's own formats are numbered from 164).
DateKind builtInDateKind(int numFmtId);

// The kind of a format code, from the date and time letters it holds (y, m, d, h, s in either
// case; m is a month or a minute): year, month, day and hour make a date-time; year and month, or
// month and day, a date; hour and minute, or minute and second, a time. Letters in quoted text,
// in brackets (colours, locales, conditions; [h] [mm] [ss] do count) and escaped by \ _ or * are
// not format letters.
DateKind formatDateKind(QStringView code);

// The text of a number in a date format. serial counts days: 1 is 1900-01-01 and 1900 has a
// 29 February (day 60), as the spreadsheets count, day 0 reading as day 1; or, when date1904,
// 0 is 1904-01-01. Its fraction is the time of day, rounded to the second. A Date drops the
// time, a Time the day. A serial below 0 or past the year 9999 is no date: it reads as a number.
QString serialDateText(double serial, DateKind kind, bool date1904);

} // namespace spreadsheet
