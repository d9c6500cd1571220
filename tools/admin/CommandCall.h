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

struct GivenOption;

struct CommandCall {
    const QCommandLineParser &args;
    QStringList operands;
    db::Connection &connection;
    QTextStream &out;
    QTextStream &err;
};

// Every option given but the tool's own (--catalog, --trace, --help), in order, each with its
// own value.
QList<GivenOption> optionsGiven(const QCommandLineParser &args);

// The first problem with the options given to a command that takes the names allowed: another
// command's option, one given twice, or one whose value is the next option. owner names the
// command in the message.
QString checkGiven(const QString &owner, const QStringList &allowed,
                   const QList<GivenOption> &given);

} // namespace admin
