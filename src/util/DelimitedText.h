#pragma once

// Delimited text as spreadsheets and database exports write it: one record a line, fields
// between commas or tabs, a field in double quotes when it holds the separator, a quote (written
// twice) or a line break. A field left empty without quotes is no value at all (NULL); "" is an
// empty text, so both survive a write and a read.

#include "util/Failure.h"

#include <QList>
#include <QString>
#include <optional>

namespace delimited {

using Field = std::optional<QString>; // nullopt: no value

struct Record {
    int line = 0; // the line of the text the record starts on, the first line being 1
    QList<Field> fields;
};

// Text that cannot be read as records; the message names the line.
class Error : public Failure {
public:
    using Failure::Failure;
};

// Every record of the text. Records end at a line break outside quotes ("\n" or "\r\n"); the
// break after the last record is optional. Throws Error for a quote left open and for text
// after a closing quote.
QList<Record> parse(const QString &text, QChar separator);

// One field as written between separators: quoted when it is an empty text, holds the
// separator, a quote or a line break, or starts or ends with white space.
QString field(const Field &value, QChar separator);

// A whole record, without the line break.
QString record(const QList<Field> &values, QChar separator);

} // namespace delimited
