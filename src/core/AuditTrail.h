#pragma once

// The history of changes as people read it: who changed what and when, filtered by a row's
// key, a period and a user; one line per changed column. The tool's audit command, the
// history screen and a document's own history read it here.

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

namespace db {
class Connection;
}

namespace audit {

struct Filter {
    QString key;  // a row's key as recorded (a document's Doc_PK), letter case aside
    QDate from;   // the first day; invalid: no bound
    QDate to;     // the last day, whole; invalid: no bound
    QString user; // letter case aside
    // At most this many entries, the newest (a screen over a long history); 0: every one.
    int newest = 0;
};

struct Change {
    QString column; // as the catalog's own tables spell it
    QString was;
    QString now;
};

struct Entry {
    qint64 id = 0;
    QDateTime time;
    QString user;
    QString station;
    QString table; // empty for a login
    QString key;
    QString action; // insert, update, delete, login, login-failed
    QList<Change> changes;
};

// The entries the filter takes, oldest first, each handed to take as it is read.
void read(db::Connection &c, const Filter &filter, const std::function<void(const Entry &)> &take);
QList<Entry> entries(db::Connection &c, const Filter &filter);
// Every change of one document (or any row of that key), oldest first.
QList<Entry> ofDocument(db::Connection &c, const QString &key);

// The columns of a listing: time, user, station, table, key, column, old value, new value.
QStringList header();
// An entry's lines under that header: one per changed column; a login one line, its event
// named in the column's place.
QList<QStringList> lines(const Entry &entry);

} // namespace audit
