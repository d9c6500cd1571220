#pragma once

// Copies of the embedded catalog: a consistent copy written while stations use it, the check of
// a copy before it is put back, the putting back, and the rotating copy of each day. The shared
// server is backed up with its own tools (pg_dump / pg_restore, see README).

#include <QDate>
#include <QString>

namespace db {

class Connection;

// Writes a consistent copy of the catalog to path; an existing file is never overwritten. The
// copy is written under another name and renamed once whole and on disk: a copy that fails (a
// full disk) leaves nothing behind. Throws db::Error with a Thai message (the shared server, a
// folder that cannot be written, a copy that could not be finished).
void backupCatalog(Connection &c, const QString &path);

// Empty when the file is a whole catalog of this program's version that holds exactly the
// catalog's own tables, columns and indexes (the history's may be missing from an older copy)
// and nothing else: no trigger, view or other object. Otherwise why not.
QString catalogCopyProblem(const QString &path);

// Replaces what the nine tables hold with the copy's rows, after catalogCopyProblem found
// nothing: the catalog as it stood is first kept as a copy beside its file, whose path is
// given. Rows are deleted, changed and added in one write transaction, so the stations keep
// their connections, the history records every row the restore changes and keeps its own
// entries. Another station's write in progress is waited for as long as any write waits, then
// the restore gives up. Throws db::Error with a Thai message.
QString restoreCatalog(Connection &c, const QString &path);

// The day's copy in folder ("catalog-yyyy-MM-dd.sqlite"), made when the day has none yet; the
// newest `keep` whole copies stay, older ones are removed, and so are damaged ones and what a
// copy that failed left. Does nothing for the shared server. Gives the path of the day's copy
// (empty for the server).
QString keepDailyCopy(Connection &c, const QString &folder, const QDate &day, int keep = 14);

// Whether the file looks like a whole copy: an SQLite header whose page count matches the
// file's size. Cheap enough for every copy at every start; restore checks far more.
bool looksWhole(const QString &path);

// Where the daily copies of an embedded catalog file go: a "backups" folder beside it.
QString dailyCopyFolder(const QString &catalogPath);

} // namespace db
