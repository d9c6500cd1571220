#pragma once

// The history of changes: who changed what, and when. Every insert, update and delete of the
// nine tables is recorded beneath every write path, one entry per row written (an update that
// changes nothing records nothing), with the server's time, the program's user, the station,
// the table, the row's key and each changed column's old and new value; logins and failed
// logins are entries too. No password is ever recorded, only that it changed.
//
// The shared server records with its own triggers, so a change made with any SQL client is
// recorded as well, and it refuses to change or remove an entry. On the embedded catalog each
// of the program's connections records what it writes itself (SQLite's pre-update hook).
//
// Each entry carries a hash over its fields and the previous entry's hash: an entry edited,
// removed or slipped in afterwards breaks the chain, which verify finds.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <initializer_list>
#include <optional>
#include <vector>

namespace db {

class Connection;

namespace history {

// Whether the catalog holds the history (and, on the shared server, what records it).
bool installed(Connection &c);

// Creates the history in the caller's transaction: its table, and on the shared server the
// functions and triggers that record into it. The nine tables must exist.
void install(Connection &c);

// From now on the connection's writes are recorded: on the embedded catalog by the connection
// itself, on the server by its own triggers. The history must be installed.
void startRecording(Connection &c);

// What a connection needs before its first write: the history installed when the catalog
// lacks it (in a transaction of its own), then startRecording. Does nothing on a catalog
// without the nine tables.
void attach(Connection &c);

enum class Event { Login, LoginFailed };
// Records a login (or a refused one) by the name typed.
void recordEvent(Connection &c, Event event, const QString &user);

// The stored fields of one entry.
struct Entry {
    qint64 id = 0;
    QString time; // yyyy-MM-dd HH:mm:ss.zzz, the server's local time
    QString user;
    QString station;
    QString table; // empty for a login
    QString key;
    QString action; // insert, update, delete, login, login-failed
    QString changes; // JSON: [[column, old, new], ...]
    QString hash;
};

// The hash an entry must carry after the previous one's: hex SHA-256 of its fields and
// previous, as UTF-8 joined by line feeds (in the order id, previous, time, user, station,
// table, key, action, changes). The server's functions compute the same.
QByteArray hashOf(std::initializer_list<QByteArrayView> fields);
QString entryHash(const Entry &entry, const QString &previous);

// The changes as the history stores them, written one changed column at a time: JSON
// [[column, old, new], ...] with null where there was no value and a secret column's values
// hidden. Values are UTF-8 text.
class ChangesJson {
public:
    void add(const char *column, bool secret, std::optional<QByteArrayView> before,
             std::optional<QByteArrayView> after);
    bool isEmpty() const { return text_.isEmpty(); }
    // The array; empty when no column was added.
    QByteArray take();

private:
    QByteArray text_;
};

// The result of checking the chain.
struct Verdict {
    qint64 entries = 0;
    qint64 firstBad = 0; // 0: the whole chain fits
    QString why;
    bool ok() const { return firstBad == 0; }
};
Verdict verify(Connection &c);

// What stands in a secret column's place.
inline constexpr char Hidden[] = "********";

} // namespace history
} // namespace db
