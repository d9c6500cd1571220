#pragma once

// vostrel-admin summary: the service-level summary of the finished documents as tab-separated
// text, and with --xlsx the workbook the summary screen exports. Every refusal is one Thai line
// and exit status 2, given before the catalog is read.

#include "admin/CommandCall.h"
#include "admin/ReportCommand.h"
#include "core/ServiceSummary.h"

#include <QString>

class QCommandLineParser;

namespace admin {

inline constexpr const char *SummaryForm =
    "ใช้: vostrel-admin summary --from DD/MM/YYYY --to DD/MM/YYYY [--target N] "
    "[--by officer|type|month] [--xlsx FILE | --pdf FILE]";

// --target and --by; the others it takes are other commands' too.
void addSummaryOptions(QCommandLineParser &args);

// What the options ask for: the request and where it goes.
struct SummaryCall {
    summary::Request request;
    QString xlsx; // empty: none
    QString pdf;
};

// Reads the options given (the tool's own --catalog and --trace left out); defaultTarget stands
// when --target is not given. Gives an empty text or the one Thai line that refuses them.
QString readSummaryOptions(const QList<GivenOption> &given, int defaultTarget, SummaryCall &call);

int summaryCommand(const CommandCall &call);

} // namespace admin
