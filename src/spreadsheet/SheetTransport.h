#pragma once

// A worksheet's cell texts carried from the reader process to the program: a framed binary form
// in which every text arrives unit for unit, tabs, line breaks and quotes included.

#include "spreadsheet/Workbook.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <memory>
#include <utility>

class QIODevice;

namespace spreadsheet {

// A worksheet held in memory: the used size and the non-empty cells another reader gave.
class SheetTexts final : public WorkbookReader {
public:
    // Row and column from 1 to the text of the cell.
    using Cells = QHash<std::pair<int, int>, QString>;

    SheetTexts(int rows, int cols, Cells cells = {})
        : rows_(rows), cols_(cols), cells_(std::move(cells))
    {
    }

    // Row and column from 1, inside the used size.
    void setCell(int row, int col, const QString &text) { cells_.insert({row, col}, text); }

    QString cellText(int row, int col) const override { return cells_.value({row, col}); }
    int rowCount() const override { return rows_; }
    int columnCount() const override { return cols_; }

private:
    int rows_;
    int cols_;
    Cells cells_;
};

// Writes the sheet's used size and every non-empty cell; false when the device fails.
bool writeSheet(QIODevice &out, const WorkbookReader &sheet);

// Writes the reader's refusal of a file: its Thai message in place of a sheet.
bool writeRefusal(QIODevice &out, const QString &message);

// What a reader wrote, read back whole. Bytes that are not exactly one well-formed frame (cut
// short, trailing bytes, a cell outside the used size or out of order) are Damaged.
struct Frame {
    enum Kind { Damaged, Sheet, Refusal } kind = Damaged;
    std::unique_ptr<SheetTexts> sheet; // Sheet
    QString message;                   // Refusal
};
Frame readFrame(const QByteArray &bytes);

} // namespace spreadsheet
