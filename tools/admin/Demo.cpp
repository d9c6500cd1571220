// The demo catalog: its reference data, users and contract guarantees as tables, and the loops
// that write them; the vouchers are in DemoVouchers.cpp.

#include "admin/Demo.h"

#include "admin/Admin.h"
#include "admin/Rows.h"
#include "core/Access.h"
#include "core/Calendar.h"
#include "data/Connection.h"
#include "data/schema.h"
#include "util/ThaiDate.h"
#include "util/Utility.h"

namespace admin {

namespace {

using db::Statement;
namespace code = schema::code;
namespace caption = schema::caption;

// ---- reference data ----

const char *const OfficerColumns[] = {"Per_Code", "Per_Name", "Per_status"};
const char *const Officers[][3] = {
    {"01", "นางสาวสุภาพร ใจดี", "A"}, {"02", "นายวิทยา รักงาน", "A"},      {"03", "นางมาลี ศรีสุข", "A"},
    {"04", "นายประเสริฐ มั่นคง", "A"}, {"05", "นางสาวกาญจนา ทองคำ", "N"},
};

const char *const DocTypeColumns[] = {"DocType_Code", "DocType_Name"};
const char *const DocTypes[][2] = {
    {"01", "ค่าวัสดุ"},        {"02", "ค่าครุภัณฑ์"},       {"03", "ค่าจ้างเหมาบริการ"},
    {"04", "ค่าสาธารณูปโภค"}, {"05", "เงินยืมทดรองจ่าย"}, {"06", "ค่าเดินทางไปราชการ"},
};

const char *const HolidayColumns[] = {"D_DDMM", "SD_Remark"};
// The public holidays that fall on the same day every year.
const char *const FixedHolidays[][2] = {
    {"01/01", "วันขึ้นปีใหม่"},
    {"06/04", "วันจักรี"},
    {"13/04", "วันสงกรานต์"},
    {"14/04", "วันสงกรานต์"},
    {"15/04", "วันสงกรานต์"},
    {"01/05", "วันแรงงานแห่งชาติ"},
    {"04/05", "วันฉัตรมงคล"},
    {"03/06", "วันเฉลิมพระชนมพรรษาสมเด็จพระราชินี"},
    {"28/07", "วันเฉลิมพระชนมพรรษาพระบาทสมเด็จพระเจ้าอยู่หัว"},
    {"12/08", "วันแม่แห่งชาติ"},
    {"13/10", "วันนวมินทรมหาราช"},
    {"23/10", "วันปิยมหาราช"},
    {"05/12", "วันพ่อแห่งชาติ"},
    {"10/12", "วันรัฐธรรมนูญ"},
    {"31/12", "วันสิ้นปี"},
};

const User DemoUsers[] = {
    {QStringLiteral("viewer"), QStringLiteral("view1234"), 4},
    {QStringLiteral("clerk"), QStringLiteral("clerk1234"), 5},
    {QStringLiteral("admin"), QStringLiteral("admin1234"), 7},
    {QStringLiteral("super"), QStringLiteral("super1234"), 9},
};

// ---- contract guarantees ----

struct Guarantee {
    int daysAgo;
    bool finished;
    double amount;
    const char *company, *topic, *invoice, *tel, *fax, *toWho;
    bool atBank;
    // Keyed in the earlier layout (six digits, "ส", five digits), before the yearly numbering.
    bool olderKey = false;
};

const Guarantee Guarantees[] = {
    {45, true, 12500.00, "บริษัท ก่อสร้างไทย จำกัด", "คืนเงินประกันสัญญาจ้างปรับปรุงห้องน้ำ อาคาร 2",
     "INV-2567/0144", "02-329-8000", "02-329-8001", "งานการเงิน กองคลัง", true},
    {15, false, 48000.00, "ห้างหุ้นส่วนจำกัด รุ่งเรืองวิศวกรรม", "คืนเงินประกันสัญญาซื้อครุภัณฑ์ห้องปฏิบัติการ",
     "ใบส่งของ 0581", "081-234-5678", "", "งานการเงิน กองคลัง", true},
    {6, false, 3250.50, "บริษัท เครื่องเขียนสยาม จำกัด", "คืนเงินประกันสัญญาซื้อวัสดุสำนักงาน", "INV-0098",
     "02-123-4567", "02-123-4568", "งานการเงิน กองคลัง", false},
    {2, false, 150000.00, "บริษัท ระบบไฟฟ้า เอ็นจิเนียริ่ง จำกัด",
     "คืนเงินประกันสัญญาจ้างติดตั้งระบบไฟฟ้า อาคารเรียนรวม", "INV-2569/0312", "02-555-0101", "",
     "งานการเงิน กองคลัง", true},
    {300, false, 7800.00, "ร้าน ช่างศิลป์ การพิมพ์", "คืนเงินประกันสัญญาจ้างพิมพ์เอกสาร (เลขที่แบบเดิม)",
     "INV-0031", "02-444-0031", "", "งานการเงิน กองคลัง", false, true},
};

// A guarantee with what its columns are drawn from.
struct GuaranteeEntry {
    const Guarantee &g;
    QDate today;
    QString key;
    QString entered;
};

using GuaranteeColumn = Column<GuaranteeEntry>;
const GuaranteeColumn GuaranteeColumns[] = {
    {"DovPriLevelName", [](const GuaranteeEntry &) { return Value::text(QStringLiteral("ปกติ")); }},
    {"Doc_PK", [](const GuaranteeEntry &e) { return Value::text(e.key); }},
    {"DocNo", [](const GuaranteeEntry &e) { return Value::text(e.key); }},
    {"DocNoDate", [](const GuaranteeEntry &e) { return Value::text(e.entered); }},
    {"DocNumber", [](const GuaranteeEntry &e) { return Value::utf8(e.g.invoice); }},
    {"DocDate", [](const GuaranteeEntry &e) { return Value::text(e.entered); }},
    {"From_Unit", [](const GuaranteeEntry &e) { return Value::utf8(e.g.invoice); }},
    {"Topic", [](const GuaranteeEntry &e) { return Value::utf8(e.g.topic); }},
    {"To_Who", [](const GuaranteeEntry &e) { return Value::utf8(e.g.toWho); }},
    {"FromSite", [](const GuaranteeEntry &e) { return Value::utf8(e.g.company); }},
    {"Doc_Stat",
     [](const GuaranteeEntry &e) {
         return Value::text(e.g.finished ? caption::DocStatusFinished
                                         : caption::DocStatusInProgress);
     }},
    {"Modified_Date",
     [](const GuaranteeEntry &e) {
         return Value::text(e.g.finished ? thaiDateText(e.today.addDays(-e.g.daysAgo + 20))
                                         : QString());
     }},
    {"DocStatus",
     [](const GuaranteeEntry &e) {
         return Value::text(e.g.finished ? code::DocStatusFinished : code::DocStatusInProgress);
     }},
    {"IS_Rec_Cheq", [](const GuaranteeEntry &) { return Value::text(code::ChequeNotCollected); }},
    {"IS_Success", [](const GuaranteeEntry &) { return Value::text(code::SuccessNo); }},
    {"Date_Into_Fin", [](const GuaranteeEntry &e) { return Value::text(e.entered); }},
    {"DocNoDate_YYYYMMDD", [](const GuaranteeEntry &) { return Value::text(QString()); }},
    {"Modified_Date_YYYYMMDD", [](const GuaranteeEntry &) { return Value::text(QString()); }},
    {"No_Money", [](const GuaranteeEntry &e) { return Value::number(e.g.amount); }},
    {"Vendor_Tel", [](const GuaranteeEntry &e) { return Value::utf8(e.g.tel); }},
    {"Vendor_Fax", [](const GuaranteeEntry &e) { return Value::utf8(e.g.fax); }},
    {"Deega_Remark", [](const GuaranteeEntry &) { return Value::text(QString()); }},
    {"Place_Rec_Cheque",
     [](const GuaranteeEntry &e) {
         return Value::text(e.g.atBank ? code::PlaceChequeBank : code::PlaceChequeDivision);
     }},
};

int loadGuarantees(db::Connection &c, const QDate &today)
{
    const QString year = QString::number(today.year() + BuddhistEraOffset);
    int number = 0;
    int older = 0;
    for (const Guarantee &g : Guarantees) {
        const QString key =
            g.olderKey
                ? QString(year + QStringLiteral("01") + code::GuaranteeMark +
                          Right_Chars(QStringLiteral("00000") + QString::number(++older), 5))
                : QString(year + code::GuaranteeMark +
                          Right_Chars(QStringLiteral("0000000") + QString::number(++number), 7));
        const GuaranteeEntry entry{
            .g = g,
            .today = today,
            .key = key,
            .entered = thaiDateText(today.addDays(-g.daysAgo)),
        };
        Row row;
        append<GuaranteeEntry>(row, GuaranteeColumns, entry);
        insert(c, "Main_Deega_Control", row);
    }
    insert(c, "TR_Deega_Runno", {{"Year_S", Value::text(year)}, {"Runno", Value::integer(number)}});
    // The documents numbered this year; the older-layout one stands outside the counter.
    return number;
}

QDate serverDate(db::Connection &c)
{
    return user_access::readStartUpValues(c).serverNow.date();
}

} // namespace

DemoSummary loadDemo(db::Connection &connection)
{
    DemoSummary summary;
    schema::create(connection, [&] {
        const QDate today = serverDate(connection);
        insertTexts(connection, "TR_PerSon", OfficerColumns, Officers);
        insertTexts(connection, "TR_DocType", DocTypeColumns, DocTypes);
        insertTexts(connection, "TR_Hard_StopDay", HolidayColumns, FixedHolidays);
        for (const User &u : DemoUsers) {
            insertUser(connection, u);
            summary.users << u;
        }
        // The calendar holds the year before the server's, its own and the next; the finished
        // documents spread from its first day, so the day counts work from the first start.
        const int year = today.year() + BuddhistEraOffset;
        const int firstYear = year - 1;
        summary.documents = demo::loadDocuments(
            connection, today, QDate(firstYear - BuddhistEraOffset, 1, 1), summary.erpRows);
        summary.guarantees = loadGuarantees(connection, today);
        summary.calendarDays = generateCalendar(connection, firstYear, year + 1);
        markHolidays(connection);
    });
    return summary;
}

} // namespace admin
