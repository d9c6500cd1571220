#pragma once

// Copies of the embedded catalog: a consistent copy written while stations use it, the check of
// a copy before it is put back, the putting back, and the rotating copy of each day. The shared
// server is backed up with its own tools (pg_dump / pg_restore, see README).

#include <QDate>
#include <QString>

namespace db {

class Connection;

// Writes a consistent copy of the catalog to path; an existing file is never overwritten.
// Throws db::Error with a Thai message (the shared server, a folder that cannot be written).
void backupCatalog(Connection &c, const QString &path);

// Empty when the file is a whole catalog of this program's version; otherwise why not.
QString catalogCopyProblem(const QString &path);

// Replaces what the catalog holds with the copy, after catalogCopyProblem found nothing; the
// stations keep their connections. Throws db::Error with a Thai message.
void restoreCatalog(Connection &c, const QString &path);

// The day's copy in folder ("catalog-yyyy-MM-dd.sqlite"), made when the day has none yet; the
// newest `keep` copies stay, older ones are removed. Does nothing for the shared server. Gives
// the path of the day's copy (empty for the server).
QString keepDailyCopy(Connection &c, const QString &folder, const QDate &day, int keep = 14);

// Where the daily copies of an embedded catalog file go: a "backups" folder beside it.
QString dailyCopyFolder(const QString &catalogPath);

} // namespace db
