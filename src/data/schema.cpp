#include "data/schema.h"

#include "data/Backend.h"
#include "data/Connection.h"
#include "data/History.h"

#include <QSqlDatabase>

namespace schema {

namespace {

constexpr Kind T = Kind::Text;

// The voucher workflow: one row per document, one column group per stage.
Table workflowTable()
{
    return {"Main_Deega_Control",
            {
                {"Doc_PK", T, 40},
                {"DocNo", T, 40},
                {"DovPriLevelName", T, 20},
                {"DocNoDate", T, 20},
                {"DocNumber", T, 150},
                {"DocDate", T, 10},
                {"From_Unit", T, 150},
                {"Topic", T, 250},
                {"To_Who", T, 100},
                {"FromSite", T, 250},
                {"Doc_Stat", T, 50},
                {"Modified_Date", T, 20},
                {"Item_Type", T, 10},
                {"DocStatus", T, 1},
                {"Date_Into_Fin", T, 20},
                {"DocNoDate_YYYYMMDD", T, 8},
                {"Modified_Date_YYYYMMDD", T, 8},
                {"IS_Rec_Cheq", T, 1},
                {"IS_Success", T, 1},
                {"Per_Code", T, 2},
                {"DocType_Code", T, 2},
                {"KumDeega_No", T, 20},
                {"Company_Rec_Cheq", T, 150},
                {"Remark1", T, 250},
                {"Date_Ent_Asign", Kind::DateTime},
                {"Deega_No", T, 0},
                {"Sumkun_No", T, 20},
                {"Rec_Cheq_Branch", T, 0},
                {"Date_Ent_Deega", Kind::DateTime},
                {"Date_Nud_Rec_Cheq", T, 10},
                {"Date_Ent_Nud_rec_Cheq", Kind::DateTime},
                {"SAP_Doc_No", T, 10},
                {"SAP_Fiscal_Year", T, 4},
                {"SAP_Doc_Remark", T, 150},
                {"User_Key_Doc", T, 0},
                {"Date_Key_Doc", T, 10},
                {"No_Money", Kind::Number},
                {"Vendor_Tel", T, 30},
                {"Vendor_Fax", T, 30},
                {"Deega_Remark", T, 150},
                {"Place_Rec_Cheque", T, 1},
            },
            {"Doc_PK"},
            {},
            {{"SAP_Fiscal_Year", "SAP_Doc_No"}, {"DocNoDate_YYYYMMDD"}}};
}

std::vector<Table> makeTables()
{
    return {
        workflowTable(),
        {"TR_User",
         {{"UserName", T, 50}, {"Password", T, 10, true}, {"U_Level", Kind::Integer}},
         {},
         {{"UserName"}},
         {}},
        {"TR_PerSon",
         {{"Per_Code", T, 2}, {"Per_Name", T, 100}, {"Per_status", T, 1}},
         {},
         {{"Per_Code"}},
         {}},
        {"TR_DocType",
         {{"DocType_Code", T, 2}, {"DocType_Name", T, 100}},
         {},
         {{"DocType_Code"}},
         {}},
        {"TR_Version", {{"Version_NO", T, 10}}, {}, {}, {}},
        {"TR_Day_Calendar",
         {{"D_YYYYMMDD", T, 8},
          {"Eng_Day", T, 10},
          {"Thai_Day", T, 10},
          {"Name_Day", T, 20},
          {"Day_Status", T, 1},
          {"Day_Remark", T, 50}},
         {"D_YYYYMMDD"},
         {},
         {{"Thai_Day"}}},
        {"TR_Hard_StopDay", {{"D_DDMM", T, 5}, {"SD_Remark", T, 50}}, {}, {}, {}},
        {"TR_Deega_Runno", {{"Year_S", T, 4}, {"Runno", Kind::Integer}}, {"Year_S"}, {}, {}},
        {"M_Imp_ERP",
         {{"Fiscal_Year", T, 20},
          {"FI_Doc_No", T, 20},
          {"Posting_Date", T, 0},
          {"Check_No", T, 40},
          {"Clearing_Date", T, 0},
          {"Pay_date", T, 150},
          {"Clearing_Doc", T, 250},
          {"Deka_Number", T, 100},
          {"Deka_Status", T, 250},
          {"Vendor_Name", T, 50},
          {"Description_Erp", T, 20},
          {"Fund_ERP", T, 0},
          {"Functional_Area", T, 0}},
         {"Fiscal_Year", "FI_Doc_No"},
         {},
         {}},
    };
}

} // namespace

const std::vector<Table> &tables()
{
    static const std::vector<Table> all = makeTables();
    return all;
}

const Table *findTable(QStringView name)
{
    for (const Table &t : tables()) {
        if (name.compare(QLatin1String(t.name), Qt::CaseInsensitive) == 0)
            return &t;
    }
    return nullptr;
}

std::vector<const char *> rowKey(const Table &table)
{
    if (!table.primaryKey.empty())
        return table.primaryKey;
    if (!table.unique.empty())
        return table.unique.front();
    return {table.columns.front().name};
}

const Table &historyTable()
{
    static const Table history{"TR_History",
                               {{"History_ID", Kind::Integer},
                                {"History_Time", T, 23},
                                {"User_Name", T, 0},
                                {"Station", T, 0},
                                {"Table_Name", T, 40},
                                {"Row_Key", T, 0},
                                {"Action", T, 20},
                                {"Changes", T, 0},
                                {"Hash", T, 64}},
                               {"History_ID"},
                               {},
                               {{"Row_Key"}}};
    return history;
}

bool isDateTimeColumn(QStringView name)
{
    // Few enough to scan; asked once per column of a result, not per row.
    for (const Table &t : tables()) {
        for (const Column &c : t.columns) {
            if (c.kind == Kind::DateTime &&
                name.compare(QLatin1String(c.name), Qt::CaseInsensitive) == 0)
                return true;
        }
    }
    return false;
}

void create(db::Connection &connection, const std::function<void()> &alsoInside)
{
    if (hasTables(connection))
        throw db::Error(QStringLiteral("ฐานข้อมูลนี้มีตารางอยู่แล้ว จึงไม่สร้างตารางซ้ำ (%1)")
                            .arg(connection.location().describe()));

    db::Transaction work(connection);
    for (const QString &ddl : connection.schemaStatements(tables()))
        connection.execute(db::Statement{ddl});
    // The history records from the first row on: the version and the first user too.
    db::history::install(connection);
    db::history::startRecording(connection);
    connection.execute(
        db::Statement{QStringLiteral("INSERT INTO TR_Version (Version_NO)"),
                      QStringLiteral("VALUES ('") + db::sqlText(Version) + QStringLiteral("')")});
    if (alsoInside)
        alsoInside();
    work.commit();
}

bool hasTables(const db::Connection &connection)
{
    return !connection.tableNames().isEmpty();
}

} // namespace schema

namespace db::detail {

namespace {

QString joinNames(const std::vector<const char *> &names)
{
    QStringList out;
    for (const char *n : names)
        out << QLatin1String(n);
    return out.join(QStringLiteral(", "));
}

} // namespace

QStringList createTableStatements(const std::vector<schema::Table> &tables,
                                  QString (*columnType)(const schema::Column &))
{
    QStringList out;
    for (const schema::Table &t : tables) {
        QStringList parts;
        for (const schema::Column &c : t.columns) {
            QString col = QLatin1String(c.name) + QLatin1Char(' ') + columnType(c);
            for (const char *k : t.primaryKey) {
                if (qstrcmp(k, c.name) == 0)
                    col += QStringLiteral(" NOT NULL");
            }
            parts << col;
        }
        if (!t.primaryKey.empty())
            parts << QStringLiteral("PRIMARY KEY (") + joinNames(t.primaryKey) + QLatin1Char(')');
        for (const auto &u : t.unique)
            parts << QStringLiteral("UNIQUE (") + joinNames(u) + QLatin1Char(')');
        out << QStringLiteral("CREATE TABLE ") + QLatin1String(t.name) + QStringLiteral(" (") +
                   parts.join(QStringLiteral(", ")) + QLatin1Char(')');
        int n = 0;
        for (const auto &ix : t.indexes) {
            out << QStringLiteral("CREATE INDEX IX_%1_%2 ON %1 (%3)")
                       .arg(QLatin1String(t.name))
                       .arg(++n)
                       .arg(joinNames(ix));
        }
    }
    return out;
}

} // namespace db::detail
