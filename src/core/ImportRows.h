#pragma once

// The three spreadsheet imports without their windows, as one table: per import, which sheet
// cells become which preview columns and how they are cut, the target table, the key cells and
// the statements of the row save. One read and one upsert loop serve all three. The screens,
// the tests and the administration tool run this same code.

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

namespace db {
class Connection;
class Statement;
} // namespace db

class SheetCells;

enum class ImportKind {
    Kvsis,    // vouchers from the electronic-document export into Main_Deega_Control
    StopDays, // compensatory holidays into TR_Day_Calendar
    Erp,      // ERP clearing rows into M_Imp_ERP
};

// How one sheet cell becomes the text of its preview column.
enum class ImportTake {
    Number,    // column 0: the running number of the preview row
    Cut,       // the first maxChars characters, untrimmed
    Trim,      // blanks and control characters removed at both ends
    Date,      // day.month.year (Gregorian) to dd/mm/yyyy (Buddhist era); must convert
    DateOrCut, // converted when the trimmed text is not empty, else cut to maxChars
};

struct ImportColumn {
    int sheetCol = 0; // 1-based sheet column (A = 1); 0 for the running number
    QString header;
    int width = 0; // pixels; 0 keeps the grid's standard width
    ImportTake take = ImportTake::Cut;
    int maxChars = 0;
};

using ImportStatement = db::Statement (*)(const QStringList &cells);

// The form of the key cells an import's workbook holds.
enum class KeyForm {
    DocumentKey, // letters, a four-digit year, "/" and digits: QDTX2556/00002
    DayText,     // day, month and four-digit year: 03/01/2555 (also 3.1.2555, a time after it)
    Year,        // four digits: 2017
};

// What the workbook an import expects looks like, for telling another workbook from it before
// anything is read: its headings row holds text in these columns (and no key: a sheet without
// headings would lose its first row), and among the rows the read would take at least one key
// cell has the key's form.
struct ImportSheetShape {
    QString name; // the workbook as the messages name it
    QList<int> headingCols;
    int keyCol = 0;
    KeyForm keyForm = KeyForm::DocumentKey;
    QString keyName;    // what the key column holds, e.g. "เลขที่เอกสาร"
    QString keyExample; // a key of the form, e.g. "QDTX2556/00002"
};

struct ImportLayout {
    ImportKind kind;
    QString title;     // the screen's title strip
    int headerRow = 0; // the sheet row holding the column headings (for the layout picture)
    int firstRow = 0;  // the first sheet row read
    int endCol = 0;    // the sheet column whose empty cell ends the read
    QList<ImportColumn> columns; // grid column i is columns[i]

    // The row save.
    QString table;
    QList<int> keyCells; // grid cells of the key; a row with any of them blank is skipped
    ImportStatement lookup = nullptr;
    ImportStatement update = nullptr;
    ImportStatement insert = nullptr; // nullptr: a key not found is listed, not inserted
    QList<int> listedCells;           // the cells naming the row in the lists, blank-joined
    QList<int> notFoundCells;         // the same for the list of keys not found
    QString notFoundReason;           // why such a row was not saved, in the completion message
    // Keys the import must never write (another kind of document's), and why, in the message.
    bool (*refusedKey)(const QString &key) = nullptr;
    QString refusedReason;

    ImportSheetShape sheet;
};

const ImportLayout &importLayoutOf(ImportKind kind);

// A preview: one list of grid cells per data row (cell 0 the running number).
struct ImportPreview {
    QList<QStringList> rows;
    // Empty when the whole sheet was read; otherwise the Thai message of the cell that stopped
    // the read. The rows before that cell are kept.
    QString error;
};

ImportPreview readPreview(ImportKind kind, const SheetCells &sheet);

// Whether a trimmed cell text has the key form.
bool keyFits(KeyForm form, const QString &text);

// Empty when the sheet has the shape of the import's workbook; otherwise the Thai message
// saying what does not fit and which workbook the import expects. A sheet that fits is read
// by readPreview exactly as any other; one that does not is to be refused whole.
QString sheetMismatch(ImportKind kind, const SheetCells &sheet);

// A day.month.year text with a Gregorian year as dd/mm/yyyy with the Buddhist-era year:
// "13.10.2016" -> "13/10/2559", "1.2.2017" -> "01/02/2560". Blanks around the text are
// ignored and anything after the four year digits is dropped. Gives false (and leaves out
// untouched) for a text that is no such date, so that no made-up date is ever stored.
bool erpDateText(const QString &text, QString &out);

// What a save did. The keys are listed as the screens show them: the document key, the date
// and holiday name of a day the calendar does not hold, fiscal year and FI number.
struct ImportResult {
    int inserted = 0;
    int updated = 0;
    int notFound = 0;
    int skipped = 0; // rows with an empty key: never written
    int refused = 0; // rows whose key the import may not write: never written
    QStringList insertedKeys;
    QStringList updatedKeys;
    QStringList notFoundKeys;
    QStringList refusedKeys;
};

// "ทำการบันทึกข้อมูลเรียบร้อยแล้ว", followed, when some rows were not saved, by how many were
// saved and how many were not, and why.
QString completionText(ImportKind kind, const ImportResult &result);

// Saves the rows in order, each looked up and then updated or inserted (or listed as not
// found) on its own statement, no transaction:
// when a statement fails (db::Error is thrown) the rows before it stay saved and result holds
// what they did. progress(i) follows every row, i counting from 1.
void savePreview(ImportKind kind, db::Connection &c, const QList<QStringList> &rows,
                 ImportResult &result, const std::function<void(int)> &progress = {});

// The statements, cells being the grid cells of one row (cell 0 the running number).
db::Statement kvsisLookupStatement(const QString &key);
db::Statement kvsisUpdateStatement(const QStringList &cells);
db::Statement kvsisInsertStatement(const QStringList &cells);
db::Statement stopDayLookupStatement(const QString &thaiDay);
db::Statement stopDayUpdateStatement(const QStringList &cells);
db::Statement erpLookupStatement(const QString &fiscalYear, const QString &fiDocNo);
db::Statement erpUpdateStatement(const QStringList &cells);
db::Statement erpInsertStatement(const QStringList &cells);
