#pragma once

// The catalog: its nine tables, the form of their values and the code values several screens
// share. The program itself only reads and writes rows; the tables are made here, by the
// administration tool.

#include <QString>
#include <QStringView>
#include <functional>
#include <vector>

namespace db {
class Connection;
}

namespace schema {

enum class Kind {
    Text,     // a quoted literal; dates are stored as text too
    Integer,  // a bare whole number
    Number,   // a bare decimal literal
    DateTime, // set by the server with CURRENT_TIMESTAMP; read for display
};

struct Column {
    const char *name;
    Kind kind;
    int width = 0; // text: the longest value the program writes (0: no stated limit)
    bool secret = false; // the history records that it changed, never its value
};

struct Table {
    const char *name;
    std::vector<Column> columns;
    std::vector<const char *> primaryKey; // empty: none
    std::vector<std::vector<const char *>> unique;
    std::vector<std::vector<const char *>> indexes;
};

// The nine tables, in creation order.
const std::vector<Table> &tables();
const Table *findTable(QStringView name);

// The columns that name one row of the table: its primary key, else its first unique key, else
// its first column (the history's key of a row of a table without a key).
std::vector<const char *> rowKey(const Table &table);

// The history of changes: one entry per row written and per login, beside the nine tables.
const Table &historyTable();

// Whether a column (of any table) holds a server date-time.
bool isDateTimeColumn(QStringView name);

// The schema version the program runs with.
inline const QString Version = QStringLiteral("2.0");

// Creates every table, and what the back end needs for the program's statements, in one
// transaction, then stores the version. Throws db::Error; a failure leaves no table behind.
// alsoInside runs inside the same transaction, after the tables exist (the first user, say).
void create(db::Connection &connection, const std::function<void()> &alsoInside = {});

// Whether the catalog holds any table at all.
bool hasTables(const db::Connection &connection);

// Code values of Main_Deega_Control and TR_Day_Calendar.
namespace code {
inline const QString DocStatusWaiting = QStringLiteral("2");
inline const QString DocStatusInProgress = QStringLiteral("3");
inline const QString DocStatusFinished = QStringLiteral("4");
inline const QString ChequeNotCollected = QStringLiteral("N");
inline const QString ChequeCollected = QStringLiteral("A");
inline const QString SuccessNo = QStringLiteral("N");
inline const QString SuccessYes = QStringLiteral("S");
inline const QString DayHoliday = QStringLiteral("S");
inline const QString DayWorking = QStringLiteral("N");
inline const QString PersonActive = QStringLiteral("A");
inline const QString PersonInactive = QStringLiteral("N");
inline const QString PlaceChequeBank = QStringLiteral("0");
inline const QString PlaceChequeDivision = QStringLiteral("1");
// The letter that marks a guarantee document's key.
inline const QString GuaranteeMark = QStringLiteral("ส");
} // namespace code

// Captions of the status codes, as the screens show them.
namespace caption {
inline const QString DocStatusWaiting = QStringLiteral("รอดำเนินการ");
inline const QString DocStatusInProgress = QStringLiteral("ติดตามดำเนินการ");
inline const QString DocStatusFinished = QStringLiteral("เสร็จสิ้นดำเนินการ");
inline const QString ChequeNotCollected = QStringLiteral("ยังไม่รับเช็ค");
inline const QString ChequeCollected = QStringLiteral("รับเช็คแล้ว");
inline const QString SuccessNo = QStringLiteral("ยังไม่เสร็จสิ้น");
inline const QString SuccessYes = QStringLiteral("เสร็จสิ้นแล้ว");
} // namespace caption

} // namespace schema
