#pragma once

// The forms the tool's date, month and year options take, and the one Thai line that refuses a
// value of the wrong form. Every command reads them alike.

#include <QString>

namespace admin {

// A day that exists, DD/MM/YYYY with the Buddhist-era year, as the masked date box reads.
bool isDateText(const QString &text);
// MM/YYYY, a month 01 to 12.
bool isMonthYearText(const QString &text);
// YYYY, four digits.
bool isYearText(const QString &text);

// "--name: "text" ..." saying which form was expected.
QString notDateText(const QString &option, const QString &text);
QString notMonthYearText(const QString &option, const QString &text);
QString notYearText(const QString &option, const QString &text);

} // namespace admin
