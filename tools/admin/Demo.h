#pragma once

// The parts of the demo catalog that loadDemo puts together.

#include <QDate>

namespace db {
class Connection;
}

namespace admin::demo {

// Documents at every stage, registered in the days before the server's date, and the ERP rows
// of those linked to one. Gives the number of documents; adds the ERP rows to erpRows.
int loadDocuments(db::Connection &c, const QDate &today, int &erpRows);

} // namespace admin::demo
