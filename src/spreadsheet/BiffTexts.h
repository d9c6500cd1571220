#pragma once

// A second, narrow reading of an .xls file: the text cells of its first worksheet that hold a
// NUL character. The workbook library hands every text over as a NUL-terminated string, so
// such a text would silently end at its NUL; the reader replaces those cells with these.

#include <QByteArray>
#include <QHash>
#include <QString>
#include <utility>

namespace spreadsheet {

// Cell (row, column), both counted from 0, to its whole text, NUL characters included.
using CellTexts = QHash<std::pair<int, int>, QString>;

// Reads the compound file's workbook stream (BIFF8) from the bytes of an .xls file. Every read
// is bounds-checked; a file that is damaged or of another kind gives what was found before the
// damage, or nothing.
CellTexts biffTextsWithNul(const QByteArray &file);

// Whether the bytes are a compound file whose root storage holds a stream of that name (an
// .xlsx saved with a password is a compound file holding "EncryptedPackage").
bool compoundHasStream(const QByteArray &file, const QString &name);

} // namespace spreadsheet
