#pragma once

// The forms the tool's date, month and year options take, and the one Thai line that refuses a
// value of the wrong form. Every command reads them alike.

#include "util/ThaiDate.h"

#include <QString>

namespace admin {

// A day that exists, DD/MM/YYYY or D/M/YYYY with the Buddhist-era year.
bool isDateText(const QString &text);
// Such a day as DD/MM/YYYY, the form a fully typed date box gives; empty for any other text.
QString dateOption(const QString &text);
// MM/YYYY, a month 01 to 12: the screens' own routine.
using ::isMonthYearText;
// YYYY, four digits.
bool isYearText(const QString &text);

// "--name: "text" ..." saying which form was expected.
QString notDateText(const QString &option, const QString &text);
QString notMonthYearText(const QString &option, const QString &text);
QString notYearText(const QString &option, const QString &text);

} // namespace admin
