// The demo catalog's vouchers: one row of data per document, its columns drawn stage by stage.

#include "admin/Demo.h"
#include "admin/Rows.h"
#include "data/Connection.h"
#include "data/schema.h"
#include "util/ThaiDate.h"
#include "util/Utility.h"

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

struct Document {
    Stage stage;
    int daysAgo;    // registration in the division, days before the server's date
    int daysInside; // finished documents: days until the exit
    const char *priority, *docNumber, *fromUnit, *topic, *fromSite, *company;
    const char *officer, *docType;
};

const Document Documents[] = {
    {Stage::Waiting, 1, 0, "ปกติ", "อว 0604.05/1187", "งานคลังและพัสดุ คณะวิศวกรรมศาสตร์",
     "ขออนุมัติเบิกจ่ายค่าวัสดุวิทยาศาสตร์สำหรับห้องปฏิบัติการ", "คณะวิศวกรรมศาสตร์", "บริษัท ไซแอนติฟิค ซัพพลาย จำกัด",
     "", "01"},
    {Stage::Waiting, 2, 0, "ด่วน", "อว 0604.11/0452", "งานบริหารทั่วไป สำนักหอสมุด",
     "ขอเบิกค่าจ้างเหมาทำความสะอาดอาคารหอสมุด ประจำเดือน", "สำนักหอสมุด", "ห้างหุ้นส่วนจำกัด สะอาดดี เซอร์วิส", "",
     "03"},
    {Stage::Waiting, 3, 0, "ปกติ", "อว 0604.02/2210", "ภาควิชาเคมี คณะวิทยาศาสตร์",
     "ขอเบิกค่าเดินทางไปราชการเข้าร่วมประชุมวิชาการ ณ จังหวัดเชียงใหม่", "คณะวิทยาศาสตร์", "ผศ.ดร.สมศักดิ์ วงศ์ใหญ่",
     "", "06"},
    {Stage::Waiting, 4, 0, "ด่วนที่สุด", "อว 0604.01/0033", "กองอาคารสถานที่",
     "ขอเบิกค่าไฟฟ้าอาคารเรียนรวม ประจำเดือน", "กองอาคารสถานที่", "การไฟฟ้านครหลวง", "", "04"},
    {Stage::KeyedIn, 1, 0, "", "", "", "", "", "ห้างหุ้นส่วนจำกัด โอ'ไบรอัน เทรดดิ้ง", "02", "01"},
    {Stage::KeyedIn, 2, 0, "", "", "", "", "", "บริษัท คอมพิวเตอร์ไทย จำกัด", "03", "02"},
    {Stage::Assigned, 5, 0, "ปกติ", "อว 0604.07/0981", "งานคลัง คณะเกษตร",
     "ขออนุมัติเบิกจ่ายค่าปุ๋ยและเวชภัณฑ์สำหรับแปลงทดลอง", "คณะเกษตร", "บริษัท เกษตรรุ่งเรือง จำกัด", "01", "01"},
    {Stage::Assigned, 6, 0, "ปกติ", "อว 0604.09/1402", "งานพัสดุ คณะครุศาสตร์อุตสาหกรรม",
     "ขอเบิกค่าครุภัณฑ์คอมพิวเตอร์สำหรับห้องเรียน", "คณะครุศาสตร์อุตสาหกรรม", "บริษัท ไอที โซลูชั่น จำกัด", "02", "02"},
    {Stage::Assigned, 7, 0, "ด่วน", "อว 0604.03/0777", "สำนักงานอธิการบดี",
     "ขอเบิกเงินยืมทดรองจ่ายสำหรับจัดกิจกรรมวันสถาปนา", "สำนักงานอธิการบดี", "นางสาวพิมพ์ใจ แสงทอง", "03", "05"},
    {Stage::Numbered, 9, 0, "ปกติ", "อว 0604.05/1120", "งานคลังและพัสดุ คณะวิศวกรรมศาสตร์",
     "ขอเบิกค่าซ่อมแซมเครื่องปรับอากาศ อาคารปฏิบัติการ", "คณะวิศวกรรมศาสตร์", "ห้างหุ้นส่วนจำกัด เย็นฉ่ำ แอร์", "04",
     "03"},
    {Stage::Numbered, 10, 0, "ปกติ", "อว 0604.12/0318", "สำนักวิทยบริการ", "ขอเบิกค่าน้ำประปา ประจำเดือน",
     "สำนักวิทยบริการ", "การประปานครหลวง", "01", "04"},
    {Stage::Appointed, 12, 0, "ปกติ", "อว 0604.02/2004", "ภาควิชาฟิสิกส์ คณะวิทยาศาสตร์",
     "ขออนุมัติเบิกจ่ายค่าวัสดุสำนักงาน", "คณะวิทยาศาสตร์", "บริษัท ไทยออฟฟิศ ซัพพลาย จำกัด", "02", "01"},
    {Stage::Appointed, 14, 0, "ด่วน", "อว 0604.06/0560", "งานบริหาร คณะสถาปัตยกรรมศาสตร์",
     "ขอเบิกค่าจ้างเหมาจัดทำแบบจำลองอาคาร", "คณะสถาปัตยกรรมศาสตร์", "บริษัท โมเดลเมกเกอร์ จำกัด", "03", "03"},
    {Stage::Finished, 20, 6, "ปกติ", "อว 0604.05/1003", "งานคลังและพัสดุ คณะวิศวกรรมศาสตร์",
     "ขอเบิกค่าวัสดุไฟฟ้าสำหรับงานซ่อมบำรุง", "คณะวิศวกรรมศาสตร์", "ร้าน ช่างไฟ การไฟฟ้า", "01", "01"},
    {Stage::Finished, 25, 1, "ด่วนที่สุด", "อว 0604.01/0012", "กองอาคารสถานที่",
     "ขอเบิกค่าโทรศัพท์ ประจำเดือน", "กองอาคารสถานที่", "บริษัท โทรคมนาคมแห่งชาติ จำกัด (มหาชน)", "04", "04"},
    {Stage::Paid, 30, 8, "ปกติ", "อว 0604.07/0870", "งานคลัง คณะเกษตร",
     "ขอเบิกค่าครุภัณฑ์การเกษตร เครื่องพ่นยา", "คณะเกษตร", "บริษัท เกษตรรุ่งเรือง จำกัด", "02", "02"},
    {Stage::Paid, 35, 11, "ปกติ", "อว 0604.11/0401", "งานบริหารทั่วไป สำนักหอสมุด",
     "ขอเบิกค่าจ้างเหมาบริการรักษาความปลอดภัย", "สำนักหอสมุด", "บริษัท การ์ดแม็กซ์ ซีเคียวริตี้ จำกัด", "03", "03"},
    {Stage::Unpaid, 40, 9, "ปกติ", "อว 0604.09/1300", "งานพัสดุ คณะครุศาสตร์อุตสาหกรรม",
     "ขอเบิกค่าวัสดุฝึกสำหรับการเรียนการสอน", "คณะครุศาสตร์อุตสาหกรรม", "บริษัท ช่างไทย เครื่องมือ จำกัด", "01",
     "01"},
};

// A demo document with what its columns are drawn from.
struct Voucher {
    const Document &d;
    int number; // its place among the documents, from 1
    QDate today;
    QString year; // the server's, Buddhist era
    QDate registered;
    bool finished;
    bool paid;
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

Voucher voucherOf(const Document &d, int number, const QDate &today)
{
    const QString year = QString::number(today.year() + BuddhistEraOffset);
    const QDate registered = today.addDays(-d.daysAgo);
    const bool finished = d.stage >= Stage::Finished;
    return {
        .d = d,
        .number = number,
        .today = today,
        .year = year,
        .registered = registered,
        .finished = finished,
        .paid = d.stage == Stage::Paid,
        .key = QStringLiteral("QDTX%1/%2").arg(year).arg(number, 5, 10, QLatin1Char('0')),
        .controlNo = QStringLiteral("%1/%2").arg(100 + number).arg(year),
        .docNoDate = sheetDateTime(registered, 9 + number % 7, (number * 13) % 60),
        .exit = finished ? sheetDateTime(registered.addDays(d.daysInside), 15, 30) : QString(),
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
         return Value::text(thaiDateText(v.finished ? v.registered.addDays(v.d.daysInside)
                                                    : v.today.addDays(3 + v.number % 4)));
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
     [](const Voucher &v) { return Value::text(thaiDateText(v.registered.addDays(2))); }},
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

// The ERP's row for a linked document: cleared when paid, still open otherwise.
QDate clearedOn(const Voucher &v)
{
    return v.registered.addDays(v.d.daysInside + 4);
}
const VoucherColumn ErpColumns[] = {
    {"Fiscal_Year", [](const Voucher &v) { return Value::text(v.fiscal); }},
    {"FI_Doc_No", [](const Voucher &v) { return Value::text(v.fiDoc); }},
    {"Posting_Date",
     [](const Voucher &v) { return Value::text(thaiDateText(v.registered.addDays(3))); }},
    {"Check_No",
     [](const Voucher &v) {
         return Value::text(v.paid ? QStringLiteral("%1").arg(70012300 + v.number) : QString());
     }},
    {"Clearing_Date",
     [](const Voucher &v) { return Value::text(v.paid ? thaiDateText(clearedOn(v)) : QString()); }},
    {"Pay_date",
     [](const Voucher &v) { return Value::text(v.paid ? thaiDateText(clearedOn(v)) : QString()); }},
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

int loadDocuments(db::Connection &c, const QDate &today, int &erpRows)
{
    int number = 0;
    for (const Document &d : Documents) {
        const Voucher v = voucherOf(d, ++number, today);
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
