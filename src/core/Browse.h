#pragma once

// The browse-and-edit family without its window: search Main_Deega_Control with ticked
// criteria, read the result into grid rows, load one document's fields, check and write the
// stage with one UPDATE keyed by Doc_PK. What differs between the screens is data (Shape);
// the statements and the save are plain functions the windows, the tests and tools call.

#include "core/Criteria.h"
#include "core/Loaded.h"
#include "data/Statement.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace db {
class Connection;
class Rows;
} // namespace db

namespace browse {

// Which trim a grid cell gets: blanks only, or blanks and control characters.
enum class Trim { Space, Text };

// The stage filter of the radio pair.
enum class Stage { Add, Update };

enum class FieldKind {
    Shown,  // a read-only detail of the chosen document
    Text,   // an edit box
    Choice, // an editable combo box
    Check,  // a check box storing one of two codes
    Date,   // a masked date box
    Stamp,  // no control: a program value written with the stage
};

// Where a field's text comes from when a document is loaded.
enum class Load {
    AsStored,
    NormDate,     // Norm_Date_Text of the stored text
    OrFiscalYear, // the stored text, or the fiscal year when it is empty
    Nothing,      // the field is not loaded
};

// The program values a Stamp field writes.
enum class StampValue { None, LoginUser, TodayThai };

struct Field {
    QString objectName; // "edtDeega_No2"
    QString label;      // "ใส่เลขที่ฏีกา"; the caption of a check box
    QString column;     // Main_Deega_Control column loaded from and written to
    FieldKind kind = FieldKind::Text;
    int maxLength = 0; // 0: no limit
    // Shown when the field is empty at save; empty: the field may stay empty.
    QString requiredMessage;
    Trim requiredTrim = Trim::Text; // how emptiness is judged
    int take = 0;                   // only the first characters are written; 0: all
    QString checkedCode;            // Check: stored when ticked
    QString uncheckedCode;          // Check: stored when not; a stored value other than
                                    // this one loads as ticked
    QStringList items;              // Choice: the fixed items; empty when the screen fills them
    QString group;                  // empty: the stage group; else a further group's name
    QString groupCaption;
    Load load = Load::AsStored;
    StampValue stamp = StampValue::None;
    bool written = true; // Shown fields are never written
    // The text is a date (a Date field always is): empty, or a real day in a form the day key
    // reads; it is written as typed.
    bool dayText = false;
    bool isDay() const { return dayText || kind == FieldKind::Date; }
};

struct Shape {
    QString searchTitle; // Label10
    QString editTitle;   // Label11
    QList<criteria::Criterion> criteria;

    // Column filled by this stage; empty: the screen has no Add/Update pair.
    QString stageColumn;
    // Server time of the first save that fills the stage; empty: none.
    QString entryTimeColumn;
    // Where the entry-time line goes among the assignment lines; -1: after the last.
    int entryTimeAt = -1;

    int colCount = 6;
    QStringList headers; // row 0, from column 0
    QStringList columns; // columns read into grid columns 1, 2, ...
    int topicWidth = 250;
    Trim trim = Trim::Space;

    // A search that finds nothing blanks row 1 (the grid is set up before the search runs).
    bool blankRowOnNoResult = false;
    // The save reads the row again first (and learns whether the stage was empty).
    bool rereadOnSave = true;
    // The save repeats the search with the criteria as they stand.
    bool searchAfterSave = false;

    QString chooseCaption; // BitBtn3
    QString stageGroup;    // GroupBox6

    // The screen's own fields, in the order they are shown and checked.
    QList<Field> fields;
    // The columns in the order the update writes them; empty: the fields' order.
    QStringList writeOrder;
};

// The first three criteria every screen of the family has.
criteria::Criterion docNumberCriterion();
criteria::Criterion docDateCriterion();
criteria::Criterion topicCriterion();
// The voucher-number criterion of the cheque appointment and last-entry screens.
criteria::Criterion deegaNoCriterion();

// The stage screens' grid: the six columns every screen shows, the control-register and
// receipt-voucher numbers, and on the later stages the voucher number.
void voucherGrid(Shape &shape, bool withVoucherNumber);

// The search: base lines, one line per ticked criterion, then the stage line when the shape
// has a stage column.
db::Statement searchStatement(const Shape &shape, const criteria::Entered &entered, Stage stage);

// "SELECT *" / "FROM Main_Deega_Control" / "Where Doc_PK = '...'".
db::Statement lookupStatement(const QString &key);

// "Update Main_Deega_Control", the assignments (with the entry-time line placed where the shape
// says, only when the stage was empty), "Where Doc_PK = '...'".
db::Statement updateStatement(const Shape &shape, const QStringList &assignments,
                              bool stageWasEmpty, const QString &key);

// One assignment line: "Set Col='v'" for the first, ", Col='v'" for the rest; quotes doubled.
QString assignment(bool first, const QString &column, const QString &value);

QString trimmed(Trim trim, const QString &value);

// The grid rows of a result: running number, then the shape's columns, trimmed.
QList<QStringList> readRows(const Shape &shape, db::Rows &rows);

// Runs the search and gives its grid rows.
QList<QStringList> search(db::Connection &c, const Shape &shape, const criteria::Entered &entered,
                          Stage stage);

// The document's texts by column (its letters, and every column of the shape's fields), when
// the key names one. An empty key names none.
using Document = QHash<QString, QString>;
std::optional<Document> findDocument(db::Connection &c, const Shape &shape, const QString &key);

// The program values that fields may show or write.
struct ProgramValues {
    QString loginUser;
    QString todayThai;
    QString fiscalYear;
};

// A field's text as loaded from the document's row.
QString loadedText(const Field &field, const Document &row, const ProgramValues &program);
// Whether a check box loads as ticked from its stored code.
bool loadsTicked(const Field &field, const QString &stored);

// The entered texts by column: edits and combos as they read, checks as their codes.
using Entered = QHash<QString, QString>;

// The first field that must not be empty and is; nullptr when all are given.
const Field *missingField(const Shape &shape, const Entered &entered);

// The first date field whose text is neither empty nor a real day; nullptr when all are.
const Field *badDayField(const Shape &shape, const Entered &entered);
// The message for such a field.
QString badDayMessage(const Field &field, const QString &text);

// The assignment lines of the fields in write order (stamps from the program values).
QStringList assignmentLines(const Shape &shape, const Entered &entered,
                            const ProgramValues &program);

// The columns the screen shows of a document (its letter's number, date and topic, and its
// fields'), with their boxes' captions: what a save compares with what was loaded.
QList<loaded::Shown> shownColumns(const Shape &shape);

using SaveOutcome = loaded::Outcome;

// The stage save: nothing for an empty key; the re-read (when the shape asks) tells whether
// the document still exists and whether its stage was empty; then the update. A document that
// vanished, found by the re-read or by an update changing no row, is NotFound: no success is
// claimed.
// Given what the screen loaded, the re-read is made inside the save's write transaction with
// the row locked, whatever the shape asks, and the update is sent only when every shown column
// is still as loaded; otherwise nothing is written, the outcome is Changed and changed holds
// what differs.
SaveOutcome saveStage(db::Connection &c, const Shape &shape, const QString &key,
                      const QStringList &assignments, const Document *loaded = nullptr,
                      QList<loaded::Change> *changed = nullptr);

} // namespace browse
