#pragma once

// vostrel-admin person|doctype|user|holiday add|set|remove|list: the reference tables kept from
// the command line under the same rules as their screens (core/Reference.h). The tool acts as
// the administrator: no user is "itself" here, but the last level-9 user is still kept. A
// refusal is one Thai line and exit status 2, with nothing written.

#include "admin/CommandCall.h"
#include "core/Reference.h"

class QCommandLineParser;

namespace admin {

struct User;

enum class ReferenceAction { Add, Set, Remove, List };

inline constexpr const char *PersonForm =
    "ใช้: vostrel-admin person add|set|remove CODE [--name TEXT] [--active yes|no]";
inline constexpr const char *DocTypeForm =
    "ใช้: vostrel-admin doctype add|set|remove CODE [--name TEXT]";
inline constexpr const char *HolidayForm =
    "ใช้: vostrel-admin holiday add|set|remove DD/MM [--name TEXT]";

// --name and --active.
void addReferenceOptions(QCommandLineParser &args);

// The command on the table: the key is the operand, or --user for the users.
int referenceCommand(reference::TableId table, ReferenceAction action, const CommandCall &call);

// user add, once the tool has read --user, --password and --level.
int userAdd(const CommandCall &call, const User &user);

} // namespace admin
