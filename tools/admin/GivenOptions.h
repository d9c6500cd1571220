#pragma once

// The options a command of vostrel-admin was given, read alike by every command that takes
// named options, and the one Thai line that refuses them.

#include "admin/ReportCommand.h"

#include <QList>
#include <QString>
#include <QStringList>

class QCommandLineParser;
class QTextStream;

namespace admin {

// Every option given but the tool's own (--catalog, --trace, --help), in order, each with its
// own value.
QList<GivenOption> optionsGiven(const QCommandLineParser &args);

// The first problem with the options given to a command that takes the names allowed: another
// command's option, one given twice, or one whose value is the next option.
QString checkGiven(const QString &owner, const QStringList &allowed,
                   const QList<GivenOption> &given);

// Writes the line and gives exit status 2.
int refuse(QTextStream &err, const QString &problem);

// Why a file cannot be written where the option names it (an empty name, a folder, a folder
// that is not there), or an empty text.
QString outputFileProblem(const QString &option, const QString &file);

} // namespace admin
