// The demo catalog's vouchers: one row of data per document, its columns drawn stage by stage.

#include "admin/Demo.h"
#include "admin/Rows.h"
#include "data/Connection.h"
#include "data/schema.h"
#include "util/ThaiDate.h"
#include "util/Utility.h"

#include <algorithm>

namespace admin::demo {

namespace {

namespace code = schema::code;
namespace caption = schema::caption;

// How far a demo document has come. In order: a document has the columns of every stage before
// its own; the two linked to the ERP come last.
enum class Stage {
    Waiting,   // imported, nobody assigned yet
    KeyedIn,   // keyed in at receipt before any import brought it
    Assigned,  // officer and control number recorded
    Numbered,  // voucher number recorded
    Appointed, // cheque collection date given
    Finished,  // cheque collected, case closed, exit date imported
    Paid,      // finished and linked to a cleared ERP document
    Unpaid,    // finished and linked to an ERP document not cleared yet
};

// When a document was in the division.
struct Timing {
    int daysAgo = 0; // open documents: registration, days before the server's date
    // Finished documents: their last day (the clearing when paid, else the exit) in thousandths
    // of the way from the calendar's first day to the server's date, so that they spread over
    // the calendar's years; 1000 is the server's date.
    int along = 0;
    int inside = 0;     // finished documents: days from the entry to the exit
    int toClear = 0;    // paid documents: days from the exit to the ERP's clearing
    bool posted = true; // linked to the ERP: the ERP row has a posting date
};

// The timings of the table below: open, finished, finished and paid.
constexpr Timing ago(int days)
{
    return {.daysAgo = days};
}
constexpr Timing finishedAt(int along, int inside)
{
    return {.along = along, .inside = inside};
}
constexpr bool NotPosted = false;
constexpr Timing paidAt(int along, int inside, int toClear, bool posted = true)
{
    return {.along = along, .inside = inside, .toClear = toClear, .posted = posted};
}

struct Document {
    Stage stage;
    Timing when;
    const char *priority, *docNumber, *fromUnit, *topic, *fromSite, *company;
    const char *officer, *docType;
};

const Document Documents[] = {
    {Stage::Waiting, ago(1), "ปกติ", "อว 0604.05/1187", "งานคลังและพัสดุ คณะวิศวกรรมศาสตร์",
     "ขออนุมัติเบิกจ่ายค่าวัสดุวิทยาศาสตร์สำหรับห้องปฏิบัติการ", "คณะวิศวกรรมศาสตร์", "บริษัท ไซแอนติฟิค ซัพพลาย จำกัด",
     "", "01"},
    {Stage::Waiting, ago(2), "ด่วน", "อว 0604.11/0452", "งานบริหารทั่วไป สำนักหอสมุด",
     "ขอเบิกค่าจ้างเหมาทำความสะอาดอาคารหอสมุด ประจำเดือน", "สำนักหอสมุด", "ห้างหุ้นส่วนจำกัด สะอาดดี เซอร์วิส", "",
     "03"},
    {Stage::Waiting, ago(3), "ปกติ", "อว 0604.02/2210", "ภาควิชาเคมี คณะวิทยาศาสตร์",
     "ขอเบิกค่าเดินทางไปราชการเข้าร่วมประชุมวิชาการ ณ จังหวัดเชียงใหม่", "คณะวิทยาศาสตร์", "ผศ.ดร.สมศักดิ์ วงศ์ใหญ่",
     "", "06"},
    {Stage::Waiting, ago(4), "ด่วนที่สุด", "อว 0604.01/0033", "กองอาคารสถานที่",
     "ขอเบิกค่าไฟฟ้าอาคารเรียนรวม ประจำเดือน", "กองอาคารสถานที่", "การไฟฟ้านครหลวง", "", "04"},
    {Stage::KeyedIn, ago(1), "", "", "", "", "", "ห้างหุ้นส่วนจำกัด โอ'ไบรอัน เทรดดิ้ง", "02", "01"},
    {Stage::KeyedIn, ago(2), "", "", "", "", "", "บริษัท คอมพิวเตอร์ไทย จำกัด", "03", "02"},
    {Stage::Assigned, ago(5), "ปกติ", "อว 0604.07/0981", "งานคลัง คณะเกษตร",
     "ขออนุมัติเบิกจ่ายค่าปุ๋ยและเวชภัณฑ์สำหรับแปลงทดลอง", "คณะเกษตร", "บริษัท เกษตรรุ่งเรือง จำกัด", "01", "01"},
    {Stage::Assigned, ago(6), "ปกติ", "อว 0604.09/1402", "งานพัสดุ คณะครุศาสตร์อุตสาหกรรม",
     "ขอเบิกค่าครุภัณฑ์คอมพิวเตอร์สำหรับห้องเรียน", "คณะครุศาสตร์อุตสาหกรรม", "บริษัท ไอที โซลูชั่น จำกัด", "02", "02"},
    {Stage::Assigned, ago(7), "ด่วน", "อว 0604.03/0777", "สำนักงานอธิการบดี",
     "ขอเบิกเงินยืมทดรองจ่ายสำหรับจัดกิจกรรมวันสถาปนา", "สำนักงานอธิการบดี", "นางสาวพิมพ์ใจ แสงทอง", "03", "05"},
    {Stage::Numbered, ago(9), "ปกติ", "อว 0604.05/1120", "งานคลังและพัสดุ คณะวิศวกรรมศาสตร์",
     "ขอเบิกค่าซ่อมแซมเครื่องปรับอากาศ อาคารปฏิบัติการ", "คณะวิศวกรรมศาสตร์", "ห้างหุ้นส่วนจำกัด เย็นฉ่ำ แอร์", "04",
     "03"},
    {Stage::Numbered, ago(10), "ปกติ", "อว 0604.12/0318", "สำนักวิทยบริการ", "ขอเบิกค่าน้ำประปา ประจำเดือน",
     "สำนักวิทยบริการ", "การประปานครหลวง", "01", "04"},
    {Stage::Appointed, ago(12), "ปกติ", "อว 0604.02/2004", "ภาควิชาฟิสิกส์ คณะวิทยาศาสตร์",
     "ขออนุมัติเบิกจ่ายค่าวัสดุสำนักงาน", "คณะวิทยาศาสตร์", "บริษัท ไทยออฟฟิศ ซัพพลาย จำกัด", "02", "01"},
    {Stage::Appointed, ago(14), "ด่วน", "อว 0604.06/0560", "งานบริหาร คณะสถาปัตยกรรมศาสตร์",
     "ขอเบิกค่าจ้างเหมาจัดทำแบบจำลองอาคาร", "คณะสถาปัตยกรรมศาสตร์", "บริษัท โมเดลเมกเกอร์ จำกัด", "03", "03"},
    {Stage::Finished, finishedAt(0, 6), "ปกติ", "อว 0604.05/1003", "งานคลังและพัสดุ คณะวิศวกรรมศาสตร์",
     "ขอเบิกค่าวัสดุไฟฟ้าสำหรับงานซ่อมบำรุง", "คณะวิศวกรรมศาสตร์", "ร้าน ช่างไฟ การไฟฟ้า", "01", "01"},
    {Stage::Finished, finishedAt(150, 12), "ปกติ", "อว 0604.08/0215", "งานบริหาร คณะแพทยศาสตร์",
     "ขอเบิกค่าวัสดุการแพทย์สำหรับหน่วยปฐมพยาบาล", "คณะแพทยศาสตร์", "บริษัท เมดิคอล ซัพพลาย จำกัด", "02", "01"},
    {Stage::Finished, finishedAt(300, 21), "ด่วน", "อว 0604.03/0642", "สำนักงานอธิการบดี",
     "ขอเบิกค่าเดินทางไปราชการ ณ กรุงเทพมหานคร", "สำนักงานอธิการบดี", "นายธนพล ศรีวงศ์", "03", "06"},
    {Stage::Finished, finishedAt(450, 4), "ปกติ", "อว 0604.12/0188", "สำนักวิทยบริการ",
     "ขอเบิกค่าครุภัณฑ์เครื่องพิมพ์", "สำนักวิทยบริการ", "บริษัท ไอที โซลูชั่น จำกัด", "04", "02"},
    {Stage::Finished, finishedAt(600, 15), "ปกติ", "อว 0604.06/0411", "งานบริหาร คณะสถาปัตยกรรมศาสตร์",
     "ขอเบิกค่าวัสดุเขียนแบบ", "คณะสถาปัตยกรรมศาสตร์", "บริษัท ไทยออฟฟิศ ซัพพลาย จำกัด", "01", "01"},
    {Stage::Finished, finishedAt(750, 9), "ด่วนที่สุด", "อว 0604.01/0107", "กองอาคารสถานที่",
     "ขอเบิกค่าจ้างเหมาซ่อมแซมหลังคาอาคารเรียน", "กองอาคารสถานที่", "ห้างหุ้นส่วนจำกัด ช่างดี ก่อสร้าง", "02", "03"},
    {Stage::Finished, finishedAt(900, 30), "ปกติ", "อว 0604.11/0533", "งานบริหารทั่วไป สำนักหอสมุด",
     "ขอเบิกเงินยืมทดรองจ่ายสำหรับจัดนิทรรศการหนังสือ", "สำนักหอสมุด", "นางวันเพ็ญ ใจงาม", "03", "05"},
    {Stage::Finished, finishedAt(1000, 1), "ด่วนที่สุด", "อว 0604.01/0012", "กองอาคารสถานที่",
     "ขอเบิกค่าโทรศัพท์ ประจำเดือน", "กองอาคารสถานที่", "บริษัท โทรคมนาคมแห่งชาติ จำกัด (มหาชน)", "04", "04"},
    {Stage::Paid, paidAt(1000, 8, 4), "ปกติ", "อว 0604.07/0870", "งานคลัง คณะเกษตร",
     "ขอเบิกค่าครุภัณฑ์การเกษตร เครื่องพ่นยา", "คณะเกษตร", "บริษัท เกษตรรุ่งเรือง จำกัด", "02", "02"},
    {Stage::Paid, paidAt(1000, 5, 2, NotPosted), "ด่วน", "อว 0604.02/2150",
     "ภาควิชาชีววิทยา คณะวิทยาศาสตร์", "ขอเบิกค่าวัสดุวิทยาศาสตร์ สารเคมี", "คณะวิทยาศาสตร์",
     "บริษัท ไซแอนติฟิค ซัพพลาย จำกัด", "01", "01"},
    {Stage::Paid, paidAt(980, 11, 4), "ปกติ", "อว 0604.11/0401", "งานบริหารทั่วไป สำนักหอสมุด",
     "ขอเบิกค่าจ้างเหมาบริการรักษาความปลอดภัย", "สำนักหอสมุด", "บริษัท การ์ดแม็กซ์ ซีเคียวริตี้ จำกัด", "03", "03"},
    {Stage::Paid, paidAt(700, 7, 6, NotPosted), "ปกติ", "อว 0604.12/0290", "สำนักวิทยบริการ",
     "ขอเบิกค่าไฟฟ้า ประจำเดือน", "สำนักวิทยบริการ", "การไฟฟ้านครหลวง", "04", "04"},
    {Stage::Paid, paidAt(400, 13, 5), "ปกติ", "อว 0604.09/1211", "งานพัสดุ คณะครุศาสตร์อุตสาหกรรม",
     "ขอเบิกค่าครุภัณฑ์เครื่องกลึง", "คณะครุศาสตร์อุตสาหกรรม", "บริษัท ช่างไทย เครื่องมือ จำกัด", "02", "02"},
    {Stage::Paid, paidAt(100, 10, 3), "ปกติ", "อว 0604.05/0930", "งานคลังและพัสดุ คณะวิศวกรรมศาสตร์",
     "ขอเบิกค่าวัสดุคอมพิวเตอร์", "คณะวิศวกรรมศาสตร์", "บริษัท คอมพิวเตอร์ไทย จำกัด", "01", "01"},
    {Stage::Unpaid, finishedAt(950, 9), "ปกติ", "อว 0604.09/1300", "งานพัสดุ คณะครุศาสตร์อุตสาหกรรม",
     "ขอเบิกค่าวัสดุฝึกสำหรับการเรียนการสอน", "คณะครุศาสตร์อุตสาหกรรม", "บริษัท ช่างไทย เครื่องมือ จำกัด", "01",
     "01"},
};

// A demo document with what its columns are drawn from.
struct Voucher {
    const Document &d;
    int number; // its place among the documents, from 1
    QDate today;
    QString year; // of the registration, Buddhist era
    QDate registered;
    bool finished;
    bool paid;
    QDate left;    // finished documents: the exit
    QDate cleared; // paid documents: the ERP's clearing
    QString key;
    QString controlNo;
    QString docNoDate;
    QString exit; // finished documents only
    QString deegaNo;
    QString fiDoc;
    QString fiscal;
};

// A date and time as the electronic-document export's cells read: d/m/yyyy h:mm:ss, Buddhist era.
QString sheetDateTime(const QDate &d, int hour, int minute)
{
    return QStringLiteral("%1/%2/%3 %4:%5:00")
        .arg(d.day())
        .arg(d.month())
        .arg(d.year() + BuddhistEraOffset)
        .arg(hour, 2, 10, QLatin1Char('0'))
        .arg(minute, 2, 10, QLatin1Char('0'));
}

// Open documents count from their registration; finished ones back from their last day, which
// lies between the calendar's first day (room left for their stay) and the server's date.
Voucher voucherOf(const Document &d, int number, const QDate &today, const QDate &firstDay)
{
    const Timing &t = d.when;
    const bool finished = d.stage >= Stage::Finished;
    const bool paid = d.stage == Stage::Paid;
    QDate registered = today.addDays(-t.daysAgo);
    QDate left;
    QDate cleared;
    if (finished) {
        const QDate earliest = firstDay.addDays(t.inside + (paid ? t.toClear : 0));
        const QDate last = earliest.addDays(earliest.daysTo(today) * t.along / 1000);
        cleared = paid ? last : QDate();
        left = last.addDays(paid ? -t.toClear : 0);
        registered = left.addDays(-t.inside);
    }
    const QString year = QString::number(registered.year() + BuddhistEraOffset);
    return {
        .d = d,
        .number = number,
        .today = today,
        .year = year,
        .registered = registered,
        .finished = finished,
        .paid = paid,
        .left = left,
        .cleared = cleared,
        .key = QStringLiteral("QDTX%1/%2").arg(year).arg(number, 5, 10, QLatin1Char('0')),
        .controlNo = QStringLiteral("%1/%2").arg(100 + number).arg(year),
        .docNoDate = sheetDateTime(registered, 9 + number % 7, (number * 13) % 60),
        .exit = finished ? sheetDateTime(left, 15, 30) : QString(),
        .deegaNo = QStringLiteral("ฎ%1/%2").arg(4000 + number).arg(year),
        .fiDoc = QStringLiteral("31000%1").arg(number, 5, 10, QLatin1Char('0')),
        .fiscal = fiscalYearOf(registered),
    };
}

using VoucherColumn = Column<Voucher>;

// Received on paper before any import brought the document.
const VoucherColumn KeyedIn[] = {
    {"Doc_PK", [](const Voucher &v) { return Value::text(v.key); }},
    {"DocNo", [](const Voucher &v) { return Value::text(v.key); }},
    {"Per_Code", [](const Voucher &v) { return Value::utf8(v.d.officer); }},
    {"KumDeega_No", [](const Voucher &v) { return Value::text(v.controlNo); }},
    {"Company_Rec_Cheq", [](const Voucher &v) { return Value::utf8(v.d.company); }},
    {"Remark1",
     [](const Voucher &) {
         return Value::text(QStringLiteral("รับเอกสารตัวจริงแล้ว รอข้อมูลจากระบบสารบรรณ"));
     }},
    {"Date_Ent_Asign", [](const Voucher &) { return Value::serverTime(); }},
    {"DocType_Code", [](const Voucher &v) { return Value::utf8(v.d.docType); }},
};

// As the electronic-document import writes it.
const VoucherColumn Imported[] = {
    {"DovPriLevelName", [](const Voucher &v) { return Value::utf8(v.d.priority); }},
    {"Doc_PK", [](const Voucher &v) { return Value::text(v.key); }},
    {"DocNo", [](const Voucher &v) { return Value::text(v.key); }},
    {"DocNoDate", [](const Voucher &v) { return Value::text(v.docNoDate); }},
    {"DocNumber", [](const Voucher &v) { return Value::utf8(v.d.docNumber); }},
    {"DocDate",
     [](const Voucher &v) { return Value::text(thaiDateText(v.registered.addDays(-2))); }},
    {"From_Unit", [](const Voucher &v) { return Value::utf8(v.d.fromUnit); }},
    {"Topic", [](const Voucher &v) { return Value::utf8(v.d.topic); }},
    {"To_Who", [](const Voucher &) { return Value::text(QStringLiteral("ผู้อำนวยการกองคลัง")); }},
    {"FromSite", [](const Voucher &v) { return Value::utf8(v.d.fromSite); }},
    {"Doc_Stat",
     [](const Voucher &v) {
         return Value::text(v.finished                    ? caption::DocStatusFinished
                            : v.d.stage == Stage::Waiting ? caption::DocStatusWaiting
                                                          : caption::DocStatusInProgress);
     }},
    {"Modified_Date", [](const Voucher &v) { return Value::text(v.exit); }},
    {"Item_Type", [](const Voucher &) { return Value::text(QStringLiteral("ภายใน")); }},
    {"DocStatus",
     [](const Voucher &v) {
         return Value::text(v.finished                    ? code::DocStatusFinished
                            : v.d.stage == Stage::Waiting ? code::DocStatusWaiting
                                                          : code::DocStatusInProgress);
     }},
    {"Date_Into_Fin", [](const Voucher &v) { return Value::text(v.docNoDate); }},
    {"DocNoDate_YYYYMMDD", [](const Voucher &v) { return Value::text(dayKeyOfDate(v.docNoDate)); }},
    {"Modified_Date_YYYYMMDD", [](const Voucher &v) { return Value::text(dayKeyOfDate(v.exit)); }},
    {"IS_Rec_Cheq",
     [](const Voucher &v) {
         return Value::text(v.finished ? code::ChequeCollected : code::ChequeNotCollected);
     }},
    {"IS_Success",
     [](const Voucher &v) { return Value::text(v.finished ? code::SuccessYes : code::SuccessNo); }},
};

const VoucherColumn Assigned[] = {
    {"Per_Code", [](const Voucher &v) { return Value::utf8(v.d.officer); }},
    {"DocType_Code", [](const Voucher &v) { return Value::utf8(v.d.docType); }},
    {"KumDeega_No", [](const Voucher &v) { return Value::text(v.controlNo); }},
    {"Company_Rec_Cheq", [](const Voucher &v) { return Value::utf8(v.d.company); }},
    {"Remark1", [](const Voucher &) { return Value::text(QString()); }},
    {"Date_Ent_Asign", [](const Voucher &) { return Value::serverTime(); }},
};

const VoucherColumn Numbered[] = {
    {"Deega_No", [](const Voucher &v) { return Value::text(v.deegaNo); }},
    {"Sumkun_No",
     [](const Voucher &v) { return Value::text(QStringLiteral("บจ%1").arg(61000 + v.number)); }},
    {"Rec_Cheq_Branch",
     [](const Voucher &v) {
         return Value::text(v.number % 2 ? QStringLiteral("SCB ชิดลม")
                                         : QStringLiteral("กองคลัง Orvaleth"));
     }},
    {"Date_Ent_Deega", [](const Voucher &) { return Value::serverTime(); }},
};

const VoucherColumn Appointed[] = {
    {"Date_Nud_Rec_Cheq",
     [](const Voucher &v) {
         return Value::text(thaiDateText(v.finished ? v.left : v.today.addDays(3 + v.number % 4)));
     }},
    {"Date_Ent_Nud_rec_Cheq", [](const Voucher &) { return Value::serverTime(); }},
};

const VoucherColumn LinkedToErp[] = {
    {"SAP_Doc_No", [](const Voucher &v) { return Value::text(v.fiDoc); }},
    {"SAP_Fiscal_Year", [](const Voucher &v) { return Value::text(v.fiscal); }},
    {"SAP_Doc_Remark",
     [](const Voucher &) { return Value::text(QStringLiteral("ตั้งเบิกในระบบ ERP แล้ว")); }},
    {"User_Key_Doc", [](const Voucher &) { return Value::text(QStringLiteral("clerk")); }},
    {"Date_Key_Doc",
     [](const Voucher &v) {
         return Value::text(thaiDateText(v.registered.addDays(std::min(2, v.d.when.inside))));
     }},
};

// What a document holds from each stage on.
struct StageColumns {
    Stage from;
    std::span<const VoucherColumn> columns;
};
const StageColumns DocumentColumns[] = {
    {Stage::Waiting, Imported},    {Stage::Assigned, Assigned}, {Stage::Numbered, Numbered},
    {Stage::Appointed, Appointed}, {Stage::Paid, LinkedToErp},
};

// The ERP's row for a linked document: cleared when paid, still open otherwise; posted within
// the document's first days unless the ERP has no posting date for it.
const VoucherColumn ErpColumns[] = {
    {"Fiscal_Year", [](const Voucher &v) { return Value::text(v.fiscal); }},
    {"FI_Doc_No", [](const Voucher &v) { return Value::text(v.fiDoc); }},
    {"Posting_Date",
     [](const Voucher &v) {
         return Value::text(v.d.when.posted
                                ? thaiDateText(v.registered.addDays(std::min(3, v.d.when.inside)))
                                : QString());
     }},
    {"Check_No",
     [](const Voucher &v) {
         return Value::text(v.paid ? QStringLiteral("%1").arg(70012300 + v.number) : QString());
     }},
    {"Clearing_Date",
     [](const Voucher &v) { return Value::text(v.paid ? thaiDateText(v.cleared) : QString()); }},
    {"Pay_date",
     [](const Voucher &v) { return Value::text(v.paid ? thaiDateText(v.cleared) : QString()); }},
    {"Clearing_Doc",
     [](const Voucher &v) {
         return Value::text(
             v.paid ? QStringLiteral("20000%1").arg(v.number, 5, 10, QLatin1Char('0')) : QString());
     }},
    {"Deka_Number", [](const Voucher &v) { return Value::text(v.deegaNo); }},
    {"Deka_Status",
     [](const Voucher &v) {
         return Value::text(v.paid ? QStringLiteral("C") : QStringLiteral("P"));
     }},
    {"Vendor_Name",
     [](const Voucher &v) { return Value::text(leftChars(QString::fromUtf8(v.d.company), 50)); }},
    {"Description_Erp",
     [](const Voucher &v) { return Value::text(leftChars(QString::fromUtf8(v.d.topic), 20)); }},
    {"Fund_ERP", [](const Voucher &) { return Value::text(QStringLiteral("10000")); }},
    {"Functional_Area", [](const Voucher &) { return Value::text(QStringLiteral("1100")); }},
};

} // namespace

int loadDocuments(db::Connection &c, const QDate &today, const QDate &firstDay, int &erpRows)
{
    int number = 0;
    for (const Document &d : Documents) {
        const Voucher v = voucherOf(d, ++number, today, firstDay);
        Row row;
        if (d.stage == Stage::KeyedIn) {
            append<Voucher>(row, KeyedIn, v);
        } else {
            for (const StageColumns &s : DocumentColumns)
                if (d.stage >= s.from)
                    append(row, s.columns, v);
        }
        if (d.stage >= Stage::Paid) {
            Row erp;
            append<Voucher>(erp, ErpColumns, v);
            insert(c, "M_Imp_ERP", erp);
            ++erpRows;
        }
        insert(c, "Main_Deega_Control", row);
    }
    return number;
}

} // namespace admin::demo
