#pragma once

// What a command of vostrel-admin is given: the options, the words after its own, the catalog
// (not yet open) and where it prints.

#include <QStringList>

class QCommandLineParser;
class QTextStream;

namespace db {
class Connection;
}

namespace admin {

struct CommandCall {
    const QCommandLineParser &args;
    QStringList operands;
    db::Connection &connection;
    QTextStream &out;
    QTextStream &err;
};

} // namespace admin
