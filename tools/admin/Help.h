#pragma once

// vostrel-admin --help and COMMAND --help: what each command does and what each of its options
// means, in Thai, on standard output.

#include <QString>
#include <QStringList>

namespace admin {

// Marks a command of the tool's table that has no help text yet (a test looks for it).
inline constexpr const char *NoHelpYet = "(ยังไม่มีคำอธิบาย)";

// The tool's help: every command of `commands` (the words of the tool's command table, in its
// order) with its purpose, the options every command shares, and the catalog's forms.
QString toolHelp(const QStringList &commands);

// The help of each command the words name or begin ("guarantee" gives both guarantee commands):
// its form, what it does, and each of its options. Empty when the words begin no command.
QString commandHelp(const QStringList &words, const QStringList &commands);

} // namespace admin
