#pragma once

// The report command behind `vostrel-admin report`: each report's options as data, each naming
// the control of the report's screen it stands for. An option given is that control's box
// ticked with the option's text typed in; what the tool hands the core's run is then what the
// screen would hand it, and the workbook is the one the screen's export writes.

#include "core/Report.h"
#include "spreadsheet/ReportExport.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace admin {

// How an option's text is checked beyond what its control's input asks.
enum class ValueForm {
    OfInput, // as the control's input: a date, a month-year, a pair of dates, any text
    Year,    // four digits
};

struct ReportOption {
    const char *name;    // on the command line, without the dashes: "doc-number"
    const char *control; // a criterion's field (the first box of a range) or its off button
    ValueForm form = ValueForm::OfInput;
};

struct ReportCommand {
    const char *name; // as reports::all() names the report
    QList<ReportOption> options;
    // The workbook layout for what was entered, as the report's screen makes it.
    spreadsheet::ReportLayout (*layout)(const criteria::Entered &entered);
};

const QList<ReportCommand> &reportCommands();
const ReportCommand *findReportCommand(const QString &name);
report::Shape shapeOf(const ReportCommand &command);

// An option's form for the usage text: "--type TEXT" when it must be given, else in brackets:
// "[--doc-date DD/MM/YYYY]", "[--all]".
QString optionForm(const ReportCommand &command, const ReportOption &option);
// Whether some report's option of that name takes a value (a switch does not).
bool takesValue(const QString &option);

// An option as given: its name and its text (none for a switch).
struct GivenOption {
    QString name;
    std::optional<QString> value;
};

// What the command line says of one criterion: nothing (the screen's opening state stands),
// or its input texts, or nullopt for its off button.
struct Setting {
    bool given = false;
    std::optional<QStringList> values;
};
using Settings = QList<Setting>;

// Reads the options, in the order given, and the words after the report's name (the second
// date of a range) onto the shape's criteria. Gives an empty text, or the one Thai line that
// says what is wrong; the catalog is not needed for this.
QString readReportOptions(const ReportCommand &command, const report::Shape &shape,
                          const QList<GivenOption> &given, QStringList moreWords,
                          Settings &settings);

// The criteria as the screen would hand them over; one that no option names keeps the state
// the screen opens with (todayThai is asked only then).
criteria::Entered enteredOf(const report::Shape &shape, const Settings &settings,
                            const std::function<QString()> &todayThai);

// The grid as the screen shows it: the header row, then the rows (read in place: they must
// outlive the table).
spreadsheet::ReportTable reportTable(const QStringList &header, const QList<QStringList> &rows);

// Writes the workbook to exactly file, replacing one that is there: it is written under a fresh
// name in file's folder and renamed onto file, so no partial file is ever left. Throws
// spreadsheet::Error.
void writeReportWorkbook(const QString &file, const spreadsheet::ReportTable &table,
                         const spreadsheet::ReportLayout &layout);

// Writes the PDF the report's screen saves for the same grid: the report's title, the criteria
// in words, the printed date (dd/mm/yyyy, Buddhist era), the header row and the rows. No
// partial file is left. Throws Failure (a Thai message).
void writeReportPdf(const QString &file, const report::Shape &shape,
                    const criteria::Entered &entered, const QList<QStringList> &rows,
                    const QString &printedDate);

} // namespace admin
