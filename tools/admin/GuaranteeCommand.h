#pragma once

// The guarantee commands of vostrel-admin: a new document saved as the entry screen saves it,
// the cheque date recorded as the receipt screen records it, and the register's grid as the
// register screen shows it. Every refusal is one Thai line and exit status 2, given before the
// catalog is written to.

#include "admin/CommandCall.h"
#include "admin/ReportCommand.h"
#include "core/Guarantee.h"

#include <QList>
#include <QString>
#include <QStringList>

class QCommandLineParser;
class QTextStream;

namespace db {
class Connection;
}

namespace admin {

inline constexpr const char *GuaranteeAddForm =
    "ใช้: vostrel-admin guarantee add --from-site TEXT --topic TEXT [ตัวเลือก]";
inline constexpr const char *GuaranteeReceiveForm =
    "ใช้: vostrel-admin guarantee receive KEY --date DD/MM/YYYY";

// The options of the three commands that no report has made already.
void addGuaranteeOptions(QCommandLineParser &args);

// guarantee add: prints the key of each document saved, one a line.
int guaranteeAdd(const CommandCall &call);
// guarantee receive KEY --date DD/MM/YYYY.
int guaranteeReceive(const CommandCall &call);
// report guarantee-register --day|--month|--year.
int guaranteeRegister(const CommandCall &call);

// What guarantee add saves: the form as the entry screen would hand it over, how many times.
struct AddRequest {
    guarantee::Form form;
    int count = 1;
};

// Reads the options onto a form that starts as the screen's new-document form (dates untouched,
// amount "0.00", the bank). Gives an empty text or the one Thai line that refuses them.
QString readAddOptions(const QList<GivenOption> &given, AddRequest &request);

} // namespace admin
