#pragma once

// The working-day count: calendar days, holidays and working days between two date texts,
// counted from TR_Day_Calendar. Count_Work_Days sends the two counting queries; a report that
// counts thousands of documents reads the calendar once into Work_Day_Calendar instead.

#include <QString>
#include <QStringList>
#include <vector>

namespace db {
class Connection;
class Statement;
} // namespace db

struct Day_Counts {
    int calendarDays = 0;
    int holidays = 0;
    int workingDays = 0;
    bool operator==(const Day_Counts &) const = default;
};

// The closed key range [k1, k2] the two date texts stand for (Norm_Date_Text, then Day_Key).
QString Work_Day_Key(const QString &date);

// The two queries of a count, for the keys of Work_Day_Key.
db::Statement Calendar_Days_Statement(const QString &k1, const QString &k2);
db::Statement Holidays_Statement(const QString &k1, const QString &k2);

// Counts over the calendar rows whose keys lie in the range; a year not generated adds nothing.
Day_Counts Count_Work_Days(db::Connection &c, const QString &start, const QString &end);

// "calendar_days holidays working_days", decimal without separators (the tool's count line).
QString Day_Counts_Text(const Day_Counts &counts);

// The same answers as Count_Work_Days from one read of the calendar, as long as the calendar
// does not change in between. Keys compare as the catalog compares them: as text, letter case
// aside; a status "S" (either case) is a holiday.
class Work_Day_Calendar {
public:
    Work_Day_Calendar() = default;
    // One SELECT of every calendar row.
    explicit Work_Day_Calendar(db::Connection &c);

    void load(db::Connection &c);
    Day_Counts count(const QString &start, const QString &end) const;
    int size() const { return static_cast<int>(keys_.size()); }

private:
    std::vector<QString> keys_; // sorted, folded as the catalog compares them
    std::vector<int> holidays_; // holidays_[i]: holidays among keys_[0..i-1]
};
