#pragma once

// Search criteria as data: a check box with its input and the line it adds to a statement
// when ticked. The browse-and-edit screens and the report screens build their criteria panels
// from these lists and their statements through criteriaLines.

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace criteria {

enum class Input {
    Text,      // a plain edit box
    Date,      // a masked date box dd/mm/yyyy
    MonthYear, // a masked box mm/yyyy
    Choice,    // a combo box; its first `take` characters are the value
    DateRange, // two masked date boxes; their day keys go into the line
};

// What switches a criterion on.
enum class Switch {
    CheckBox,  // ticked or not; starts unticked
    Always,    // no switch: the line is always added
    RadioPair, // two radio buttons: the criterion's own (on) and offButton (off)
};

// What an input holds when the screen opens.
enum class Initial {
    Empty,
    TodayThai,      // Today_Thai
    TodayMonthYear, // characters 4-10 of Today_Thai
    TodayYear,      // characters 7-10 of Today_Thai
    FirstItem,      // the first item of the list; one blank for a catalog list with no row
    Text,           // initialText
};

// Where a combo's items come from.
enum class Items { Fixed, Officers, DocTypes };

struct Criterion {
    QString checkBox; // "CheckBox4"
    QString caption;  // "ทะเบียนคุมฎีกา"
    QString field;    // "edtKumDeega_No1"; the first box of a range
    Input input = Input::Text;
    QString before; // "And (KumDeega_No like'%"
    QString after;  // "%')"
    int take = 0;   // Choice: characters of the chosen text used; 0: all
    // DateRange: the end box, its label and what stands between the two keys.
    QString field2;
    QString label2;
    QString between;
    QStringList items; // Choice: the fixed items
    Switch toggle = Switch::CheckBox;
    QString offButton; // RadioPair
    QString offCaption;
    bool onAtStart = false; // RadioPair: the criterion's own button starts selected
    Initial initial = Initial::Empty;
    QString initialText;
    Items source = Items::Fixed;
};

// A criterion of a check box and its input.
Criterion makeCriterion(const QString &checkBox, const QString &caption, const QString &field,
                        Input input, const QString &before, const QString &after);

// The text an input starts with.
QString initialText(const Criterion &criterion, const QString &todayThai, const QStringList &items);

// What the user entered: per criterion, nullopt when unticked, else the input texts (one, or
// two for a range), as the controls read.
using Entered = QList<std::optional<QStringList>>;

// The line of one ticked criterion: before + value (quotes doubled) + after; a range gives
// before + Day_Key(first) + between + Day_Key(second) + after. A real day given as d/m/yyyy
// goes in as dd/mm/yyyy.
QString criterionLine(const Criterion &criterion, const QStringList &values);

// A ticked date, range or month box whose text is neither untouched nor a real day or month
// (a partly typed one, 31/02/2569): which criterion, which
// of its boxes (0, or 1 for a range's end) and the message naming the box.
struct DateProblem {
    qsizetype criterion = -1;
    int box = 0;
    QString message;
};
// The first such box, in list order; nullopt when every ticked one holds a real day (or month).
std::optional<DateProblem> dateProblem(const QList<Criterion> &list, const Entered &entered);

// One line per ticked criterion, in list order.
QStringList criteriaLines(const QList<Criterion> &list, const Entered &entered);

// The criteria in words, for a printed report: one line per criterion in use, in list order,
// its caption and what was entered ("วันที่หนังสือเข้ากองคลัง: 01/10/2567 ถึงวันที่ 31/10/2567");
// a radio pair switched off gives its off caption ("ทั้งหมด").
QStringList enteredTexts(const QList<Criterion> &list, const Entered &entered);

} // namespace criteria
