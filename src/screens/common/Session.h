#pragma once

// What every screen may reach for the whole run: the one connection, the program-wide values
// set at start-up and login, the dialogs, and the deployment's values. The main window owns it;
// screens never open a connection of their own.

#include <QString>
#include <functional>

class Dialogs;
class Screen;
struct Deployment;

namespace db {
class Connection;
}

struct Session {
    db::Connection &connection; // DBConnec1
    Dialogs &dialogs;
    const Deployment &deployment;

    QString Today_Thai;  // the server's date, dd/mm/yyyy with the Buddhist-era year
    QString Fiscal_Year; // Gregorian year of that date, plus 1 from October on
    QString Login_User;  // the name exactly as typed at login
    int User_Level = 0;

    // Ends the program (after a password change, say).
    std::function<void()> endProgram;
    // Opens a menu item's screen as a further child window, as choosing the item does; gives
    // the screen, or nullptr when the item has none. Empty outside the main window.
    std::function<Screen *(const QString &menuItem)> openScreen{};
};
