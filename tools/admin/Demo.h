#pragma once

// The parts of the demo catalog that loadDemo puts together.

#include <QDate>

namespace db {
class Connection;
}

namespace admin::demo {

// Documents at every stage, and the ERP rows of those linked to one: the open ones registered in
// the days before the server's date, the finished ones spread from firstDay (the calendar's
// first day) to it. Gives the number of documents; adds the ERP rows to erpRows.
int loadDocuments(db::Connection &c, const QDate &today, const QDate &firstDay, int &erpRows);

} // namespace admin::demo
