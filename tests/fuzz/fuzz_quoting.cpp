// The statement quoting on any text: the literal it makes is always closed, SQLite reads exactly
// one statement from it, and the value stored is the text given, or its nearest valid text
// (halves of surrogate pairs become U+FFFD, NUL is dropped) computed here on its own.

#include "FuzzInput.h"
#include "data/Statement.h"

#include <sqlite3.h>

namespace {

QString nearestValid(const QString &s)
{
    QString out;
    for (qsizetype i = 0; i < s.size(); ++i) {
        const char16_t u = s.at(i).unicode();
        if (u == 0)
            continue;
        const bool high = u >= 0xD800 && u <= 0xDBFF;
        const bool low = u >= 0xDC00 && u <= 0xDFFF;
        if (high && i + 1 < s.size() && s.at(i + 1).unicode() >= 0xDC00 &&
            s.at(i + 1).unicode() <= 0xDFFF) {
            out += s.at(i);
            out += s.at(++i);
        } else if (high || low) {
            out += QChar(0xFFFD);
        } else {
            out += s.at(i);
        }
    }
    return out;
}

sqlite3 *database()
{
    static sqlite3 *db = [] {
        sqlite3 *opened = nullptr;
        sqlite3_open(":memory:", &opened);
        return opened;
    }();
    return db;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput in(data, size);
    const QString value = in.rest();
    const QString statement =
        QStringLiteral("SELECT '") + db::sqlText(value) + QStringLiteral("' AS v");
    FUZZ_CHECK(db::isSendable(statement));

    const QByteArray utf8 = statement.toUtf8();
    sqlite3_stmt *prepared = nullptr;
    const char *tail = nullptr;
    FUZZ_CHECK(sqlite3_prepare_v2(database(), utf8.constData(), int(utf8.size()), &prepared,
                                  &tail) == SQLITE_OK);
    // Nothing after the one statement: the literal closed where it should.
    FUZZ_CHECK(tail == utf8.constData() + utf8.size());
    FUZZ_CHECK(sqlite3_step(prepared) == SQLITE_ROW);
    // Compared as stored bytes: decoders drop a leading byte-order mark.
    const QByteArray stored(reinterpret_cast<const char *>(sqlite3_column_text(prepared, 0)),
                            sqlite3_column_bytes(prepared, 0));
    sqlite3_finalize(prepared);
    FUZZ_CHECK(stored == nearestValid(value).toUtf8());
    return 0;
}
