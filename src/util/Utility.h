#pragma once

// Small, pure text routines shared by every screen: blank trimming, comma removal,
// zero-fill, date-text normalisation and the Thai words of an amount of money.
// Lengths and positions count characters (QString units), never bytes.
// None of these routines fails: every input, the empty text included, has a result.

#include <QString>
#include <QtGlobal>

// The text with every comma removed; "0" when nothing is left.
// Only commas go: a decimal point and every other character stay.
QString Strip_Comma(const QString &s);

// The text without its leading / trailing / leading and trailing blanks. A blank is the
// space character U+0020 alone; tabs, line breaks and other controls are kept.
QString Trim_Left_Space(const QString &s);
QString Trim_Right_Space(const QString &s);
QString Trim_Space(const QString &s);

// The text without leading and trailing characters of code 32 or below (blanks and
// controls such as tab, CR, LF). Inner characters are untouched.
QString trimText(const QString &s);

// Cuts. Lengths count QString units, as the catalog's column widths do, but a cut never
// splits a character outside the basic plane (an emoji, say: two units): a character that
// does not fit whole is left out, so the result may be one unit shorter than asked. Half a
// character would be no text at all, and a statement holding one can lose its closing quote.
// Every cut of a text that comes from a user, a workbook or the catalog goes through these.

// The first count characters of the text; the whole text when it is shorter.
QString leftChars(const QString &s, qsizetype count);

// count characters from from (counted from 0); those of them that lie inside the text.
QString midChars(const QString &s, qsizetype from, qsizetype count);

// The last count characters of the text; the whole text when it is shorter; empty for 0.
// Zero-fill a number with it: Right_Chars("00000" + number, 5).
QString Right_Chars(const QString &s, quint16 count);

// Brings a date text with "/" separators into dd/mm/yyyy. Day and month are blank-trimmed
// and zero-filled to two characters (so one leading apostrophe before a two-digit day is
// dropped); the year is the first four characters after the second "/", taken as they
// are, so a time of day after it is dropped. A missing day or month becomes "00", a missing
// year stays empty: "12/2555" -> "12/00/2555", "2555" -> "00/00/2555", "" -> "00/00/".
// Only the 20 characters after the first "/" are searched for the second.
QString Norm_Date_Text(const QString &s);

// The day key yyyymmdd of a dd/mm/yyyy text: characters 7-10, 4-5, then 1-2. Unchecked:
// on a shorter text the missing characters are simply absent ("00/00/" -> "0000").
QString Day_Key(const QString &d);

// The day key of any date text the division writes: Day_Key(Norm_Date_Text(date)).
QString dayKeyOfDate(const QString &date);

// The spreadsheet letters of a column counted from 1: A .. Z, AA, AB, ...; empty below 1.
QString columnLetters(int column);

// 1 multiplied exponent times by base (1 for exponent 0).
double Power_Of(int base, quint8 exponent);

// The amount as Thai words for payment documents: the baht words and "บาท", then the
// satang words and "สตางค์", or "ถ้วน" when there are no satang (0 -> "บาทถ้วน").
// The whole part is truncated and the rest rounded to satang half-to-even; a rest that
// rounds to 100 satang carries into the baht, one that rounds to 0 gives "ถ้วน".
// Ten million baht and more are written through the count of millions, recursively
// (1e12 -> "หนึ่งล้านล้านบาทถ้วน"). A negative amount is "ลบ" and the words of its
// absolute value, unless it rounds to zero. NaN and infinities give an empty text.
QString Amount_In_Words(double amount);

// Dates as the division writes them (Buddhist-era texts).
#include "util/ThaiDate.h"
