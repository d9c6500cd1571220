#pragma once

// vostrel-admin load and dump: one table of the catalog from and to delimited text (see
// data/TableText.h). Input that cannot be loaded is one Thai line and exit status 2, with the
// table as it was; a failure at the server is exit status 1.

#include "admin/CommandCall.h"

#include <QStringList>

class QCommandLineParser;
class QTextStream;

namespace db {
class Connection;
}

namespace admin {

inline constexpr const char *LoadForm =
    "ใช้: vostrel-admin load TABLE FILE [--encoding utf-8|tis-620] [--replace]";
inline constexpr const char *DumpForm =
    "ใช้: vostrel-admin dump TABLE [FILE] [--encoding utf-8|tis-620] [--separator comma|tab]";

// --encoding, --separator and --replace.
void addTableOptions(QCommandLineParser &args);

// load TABLE FILE: prints how many rows were stored.
int loadTable(const CommandCall &call);
// dump TABLE [FILE]: the text to FILE (replacing one there, never half-written) or standard
// output.
int dumpTable(const CommandCall &call);

} // namespace admin
