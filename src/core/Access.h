#pragma once

// Who may use the program and how far: the login check, the access levels the menu follows,
// the program-wide values read from the server's clock at start-up, the schema version check
// and the password change. No widget: the main window and the password screen move values
// between their controls and these calls.

#include <QDateTime>
#include <QString>
#include <limits>

namespace db {
class Connection;
class Statement;
} // namespace db

namespace user_access {

// ---- login ----

enum class LoginOutcome { Ok, EmptyName, EmptyPassword, UnknownUser, WrongPassword };

struct LoginResult {
    LoginOutcome outcome = LoginOutcome::Ok;
    int level = 0; // U_Level of the user found; 0 unless ok
    bool ok() const { return outcome == LoginOutcome::Ok; }
};

// The user's row by name; the catalog compares the name letter case aside.
db::Statement userStatement(const QString &name);

// An empty name, then an empty password, fail before anything is sent. Then the name is looked
// up and the stored password, trimmed of blanks and controls around it, must equal the typed
// one exactly. Throws db::Error when the catalog fails.
LoginResult checkLogin(db::Connection &c, const QString &name, const QString &password);

// The login as the program makes it: checkLogin, then the history's entry of it (a login, or
// a refused one under the name typed), and from then on the connection's writes recorded under
// the name that logged in.
LoginResult logIn(db::Connection &c, const QString &name, const QString &password);

// What the login panel says for a failure; empty for Ok.
QString loginMessage(LoginOutcome outcome);

// ---- access levels ----

// A level is the user's U_Level, any integer. An entry with a minimum level is open to a user
// whose level reaches it; below it the entry is either hidden or shown disabled.
inline constexpr int AnyLevel = std::numeric_limits<int>::min();
inline constexpr int IntakeLevel = 5; // the intake items of "บันทึกข้อมูล"
inline constexpr int AdministratorLevel = 7; // the Administrator menu
inline constexpr int CalendarLevel = 9;      // "Create Calendar"
inline constexpr int SummaryLevel = 5;       // the service-level summary

enum class Below { Hidden, Disabled };

struct Rule {
    int minimumLevel = AnyLevel;
    Below below = Below::Disabled;
};

bool allows(const Rule &rule, int level);

struct EntryState {
    bool visible = true;
    bool enabled = true;
    bool operator==(const EntryState &) const = default;
};

// How an entry under the rule stands once a user of this level has logged in.
EntryState stateAfterLogin(const Rule &rule, int level);

// ---- start-up values ----

struct StartUpValues {
    QDateTime serverNow;
    QString Today_Thai;  // dd/mm/yyyy, Buddhist-era year
    QString Fiscal_Year; // Gregorian year of the date, plus 1 from October on
};

db::Statement serverDateStatement();

// The values of the server's date. Fiscal_Year is cut from the four-digit year text, so a year
// below 1000 keeps its leading zeros until October turns it.
StartUpValues startUpValuesOf(const QDateTime &serverNow);

// Asks the server for its date. Throws db::Error when no row or no readable date comes back.
StartUpValues readStartUpValues(db::Connection &c);

// ---- version check ----

struct VersionCheck {
    QString stored; // Version_NO as stored; empty when TR_Version has no row
    bool matches = false;
};

db::Statement versionStatement();

// The first row of TR_Version compared, trimmed, with schema::Version.
VersionCheck checkVersion(db::Connection &c);

QString invalidVersionMessage(const QString &stored);

// ---- password change ----

enum class PasswordChange { Changed, OldPasswordWrong, ConfirmationDiffers };

db::Statement passwordCheckStatement(const QString &user, const QString &oldPassword);
db::Statement passwordUpdateStatement(const QString &user, const QString &newPassword);

// Checks the old password against the catalog first, then the confirmation, then stores the new
// password as typed (an empty one too). Throws db::Error when the catalog fails.
PasswordChange changePassword(db::Connection &c, const QString &user, const QString &oldPassword,
                              const QString &newPassword, const QString &confirmation);

QString passwordChangeMessage(PasswordChange outcome);

} // namespace user_access
