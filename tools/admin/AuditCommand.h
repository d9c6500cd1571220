#pragma once

// vostrel-admin audit: the history of changes as tab-separated lines, and the check of its
// chain of hashes.

#include "admin/CommandCall.h"

namespace admin {

inline constexpr const char *AuditForm =
    "ใช้: vostrel-admin audit [KEY] [--from DD/MM/YYYY] [--to DD/MM/YYYY] [--user NAME]";
inline constexpr const char *AuditVerifyForm = "ใช้: vostrel-admin audit verify";

int auditCommand(const CommandCall &call);
// Exit status 0 when the whole chain fits, 1 naming the first entry that does not.
int auditVerify(const CommandCall &call);

} // namespace admin
