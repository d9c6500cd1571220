#pragma once

// The reference tables a division keeps for itself: its officers (TR_PerSon), document types
// (TR_DocType), users (TR_User) and fixed annual holidays (TR_Hard_StopDay). One table of rules
// per catalog table says its fields, key, widths and what may not be removed; one set of calls
// lists, adds, changes and removes rows under those rules. The maintenance screens and the
// administration tool both go through here, so both refuse the same things with the same words.
//
// Every write runs in one write transaction with the table locked against other stations, and
// its checks (a key taken, a row in use, the last level-9 user) are made inside it: a refusal
// writes nothing, and two stations cannot both pass a check that only one of them may pass.

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>
#include <span>

namespace db {
class Connection;
class Statement;
} // namespace db

namespace reference {

enum class TableId { Officers, DocTypes, Users, Holidays };

enum class FieldKind {
    Code,     // a key of exactly `width` characters with no blank (the lists cut it so)
    Name,     // a required text of at most `width` characters, blanks around it dropped
    Login,    // a user name: required, at most `width`, blanks around it dropped
    Password, // required when a user is added; kept as typed, so no blank around it
    Level,    // a whole number
    Active,   // "A" active, "N" not
    DayMonth, // dd/mm of a day that exists in some year (29/02 included)
};

struct Field {
    const char *column;
    const char *caption; // the field's label, UTF-8
    FieldKind kind;
    int width = 0;
    bool listed = true; // shown in lists (a password never is)
};

struct Rules {
    TableId id;
    const char *table;
    const char *title; // UTF-8: the screen's heading
    const char *noun;  // UTF-8: what one row is, in messages ("เจ้าหน้าที่")
    QList<Field> fields; // the key first
    // The Main_Deega_Control column that refers to the key; a row referred to cannot be removed.
    const char *usedBy = nullptr;

    const Field &key() const { return fields.front(); }
};

const Rules &rulesOf(TableId id);
std::span<const TableId> allTables();

// Values by column name. A column left out of a change keeps its stored value; left out of an
// addition it takes its default (active for Per_status) or is refused as missing.
using Values = QHash<QString, QString>;

// A refusal: the Thai message, and the field at fault (its index in the rules; -1: none).
struct Outcome {
    QString refusal;
    int field = -1;
    // The row is no longer as the screen loaded it: refusal says what changed and offers to
    // load it again.
    bool changedMeanwhile = false;
    bool ok() const { return refusal.isEmpty(); }
};

// Who acts: the logged-in user on a screen; nobody (the administration tool acts as the
// administrator) from the command line. A user may neither lower their own level nor remove
// themselves.
struct Actor {
    QString user;
};

// The values as they will be stored: names with the blanks around them dropped, the rest as
// given.
Values normalised(const Rules &rules, const Values &values);

// Checks the given values alone, without the catalog. adding: whether the row is new, so that
// every required field must be there.
Outcome checkValues(const Rules &rules, const Values &values, bool adding);

// Whether the text is dd/mm of a real day in some year.
bool isDayMonth(const QString &text);

// Every row, ordered by key: the listed fields' stored texts, trimmed.
QList<QStringList> list(db::Connection &c, TableId id);

// One row's stored values (every field but the password), by key as the catalog compares it.
std::optional<Values> find(db::Connection &c, TableId id, const QString &key);

Outcome add(db::Connection &c, TableId id, const Values &values);
// The key names the row; the values hold what changes (a key among them must be the same key).
// Given the row as find gave it to the screen, nothing is written when another station changed
// any of its fields since (changedMeanwhile).
Outcome change(db::Connection &c, TableId id, const QString &key, const Values &values,
               const Actor &actor = {}, const Values *loaded = nullptr);
Outcome remove(db::Connection &c, TableId id, const QString &key, const Actor &actor = {});

// The level at and above which a user may keep the users; one such user must always remain.
inline constexpr int UsersLevel = 9;

} // namespace reference
