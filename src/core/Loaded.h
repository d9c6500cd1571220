#pragma once

// What a screen loaded of a row, kept so that its save writes only over the values the user saw.
// The save reads the row again inside its own write transaction: a value another station
// changed meanwhile is found there, and nothing is written over it; the user is told which
// fields changed and to what, and may load the row again.

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

namespace db {
class Connection;
class Rows;
class Statement;
} // namespace db

namespace loaded {

// The stored texts of the columns a screen shows, by column name.
using Row = QHash<QString, QString>;

// One shown value that is no longer what was loaded.
struct Change {
    QString caption; // the box that shows it, as the screen names it
    QString was;
    QString now;
};

// The texts of the columns of the row the cursor stands on.
Row read(const db::Rows &row, const QStringList &columns);

// A column a screen shows, with the caption of its box.
struct Shown {
    QString column;
    QString caption;
};

// The shown columns, in their order, whose stored text is no longer what was loaded.
QList<Change> changes(const Row &was, const Row &now, const QList<Shown> &shown);

enum class Outcome {
    Saved,
    NotFound, // the row is gone (or the write changed none): nothing claimed
    Changed,  // a shown value is no longer as loaded: nothing written
};

// The guarded write, in one write transaction: the row is read with lookup (and locked where
// the back end locks rows), the shown columns are compared with what was loaded, and only then
// is the statement that write builds from the row sent. On Changed, changed holds what differs.
Outcome writeOver(db::Connection &c, db::Statement lookup, const Row &was,
                  const QList<Shown> &shown,
                  const std::function<db::Statement(const db::Rows &row)> &write,
                  QList<Change> *changed);

// "ข้อมูลนี้ถูกแก้ไขจากเครื่องอื่น..." with one line per change, then the offer to load the row
// again: the screen asks it as a confirmation.
QString message(const QList<Change> &changes);

} // namespace loaded
