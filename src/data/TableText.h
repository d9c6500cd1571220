#pragma once

// One table of the catalog as delimited text (see util/DelimitedText.h): a header row of column
// names, then one line per row. This moves a catalog between the embedded and the shared back
// end, and brings tables over from another database's export.

#include "util/Failure.h"

#include <QByteArray>
#include <QChar>
#include <QString>

namespace db {
class Connection;
}
namespace schema {
struct Table;
}

namespace table_text {

enum class Encoding {
    Utf8,
    Tis620, // TIS-620, read with the additions of code page 874
};

// Input that cannot be loaded, or a table that cannot be written in the encoding asked: one
// Thai line naming the line of the text ("บรรทัด 501 (แถวที่ 500): ...": lines are counted
// from the header, which is line 1; rows from the first after it).
class InputError : public Failure {
public:
    using Failure::Failure;
};

// "utf-8", "tis-620" and their other spellings ("utf8", "tis620", "cp874", "windows-874").
bool encodingNamed(const QString &name, Encoding &encoding);

// The text of the bytes; a leading byte-order mark is dropped. Throws InputError naming the
// line of a byte that is no character in the encoding.
QString decode(const QByteArray &bytes, Encoding encoding);
// Throws InputError naming the line of a character the encoding has no byte for.
QByteArray encode(const QString &text, Encoding encoding);

struct LoadOptions {
    Encoding encoding = Encoding::Utf8;
    bool replace = false; // the table's rows are deleted first, in the same transaction
};

// Loads every row of the text into the table, in one transaction: every row is stored or none
// is. The header names the columns, in any order (letter case aside); a column it leaves out is
// stored as NULL. The separator is a tab when the header holds one, else a comma.
// Every row is checked before the first write: the number of fields, each value against its
// column's kind and width, a key value missing or given twice, in the text or in the table.
// Throws InputError for such a row, db::Error (naming the line too) when the server refuses one.
// Gives the number of rows stored.
int load(db::Connection &connection, const schema::Table &table, const QByteArray &bytes,
         const LoadOptions &options);

// The table's rows as text in the encoding: the header of its column names, then the rows in
// the order of their key (of every column for a table with none), so that the same rows give
// the same text on either back end. Date-times are written "yyyy-MM-dd HH:mm:ss.zzz", local.
QByteArray dump(db::Connection &connection, const schema::Table &table, Encoding encoding,
                QChar separator = u',');

} // namespace table_text
