#pragma once

// The administration work behind vostrel-admin: how a catalog comes to exist, gets its users and,
// for trying the program, its demo data. The tool's command line only parses and prints.

#include <QDate>
#include <QList>
#include <QString>

namespace db {
class Connection;
}

namespace admin {

struct User {
    QString name;
    QString password;
    int level = 0;
};

// Refuses (db::Error with a plain message) what the users' rules refuse (core/Reference.h): an
// empty name, a password that is empty (the login refuses one), longer than the catalog keeps
// or with a blank around it.
void checkUser(const User &user);

// Tables, version "2.0" and the first user, all or nothing. Refuses a catalog with tables.
void initCatalog(db::Connection &connection, const User &first);

// Refuses (db::Error) a name that exists already (letter case aside, as the login matches
// names), and what checkUser refuses.
void addUser(db::Connection &connection, const User &user);

struct DemoSummary {
    QList<User> users;
    int documents = 0;
    int guarantees = 0;
    int erpRows = 0;
    int calendarDays = 0;
};

// A catalog for trying the program, around the server's date: officers, document types, the
// fixed annual holidays, one user per access level and documents at every stage.
// Refuses a catalog with tables.
DemoSummary loadDemo(db::Connection &connection);

} // namespace admin
