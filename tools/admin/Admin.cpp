#include "admin/Admin.h"

#include "core/Calendar.h"
#include "data/Connection.h"
#include "data/schema.h"
#include "util/ThaiDate.h"
#include "util/Utility.h"

#include <QStringList>

namespace admin {

namespace {

using db::Statement;

constexpr int PasswordWidth = 10;

// A column value as it goes into a statement: text quoted, numbers and the server time bare.
struct Value {
    QString sql;
    static Value text(const QString &v)
    {
        return {QLatin1Char('\'') + db::sqlText(v) + QLatin1Char('\'')};
    }
    static Value number(double v) { return {QString::number(v, 'f', 2)}; }
    static Value integer(qint64 v) { return {QString::number(v)}; }
    static Value serverTime() { return {QStringLiteral("CURRENT_TIMESTAMP")}; }
};

using Row = QList<QPair<const char *, Value>>;

void insert(db::Connection &c, const char *table, const Row &row)
{
    QStringList columns;
    QStringList values;
    for (const auto &[column, value] : row) {
        columns << QLatin1String(column);
        values << value.sql;
    }
    c.execute(Statement{QStringLiteral("INSERT INTO %1").arg(QLatin1String(table)),
                        QLatin1Char('(') + columns.join(QStringLiteral(", ")) + QLatin1Char(')'),
                        QStringLiteral("VALUES (") + values.join(QStringLiteral(", ")) +
                            QLatin1Char(')')});
}

bool userExists(db::Connection &c, const QString &name)
{
    db::Rows r = c.select(
        Statement{QStringLiteral("Select * From TR_User"),
                  QStringLiteral("Where UserName='") + db::sqlText(name) + QLatin1Char('\'')});
    return r.next();
}

void insertUser(db::Connection &c, const User &u)
{
    insert(c, "TR_User",
           {{"UserName", Value::text(u.name)},
            {"Password", Value::text(u.password)},
            {"U_Level", Value::integer(u.level)}});
}

QDate serverDate(db::Connection &c)
{
    db::Rows r = c.select(Statement{QStringLiteral("Select Getdate() As C_Date")});
    if (!r.next())
        throw db::Error(QStringLiteral("อ่านวันที่ของเครื่องแม่ข่ายไม่ได้"));
    return r.dateTime(QStringLiteral("C_Date")).date();
}

// A date and time as the electronic-document export's cells read: d/m/yyyy h:mm:ss, Buddhist era.
QString sheetDateTime(const QDate &d, int hour, int minute)
{
    return QStringLiteral("%1/%2/%3 %4:%5:00")
        .arg(d.day())
        .arg(d.month())
        .arg(d.year() + Buddhist_Era_Offset)
        .arg(hour, 2, 10, QLatin1Char('0'))
        .arg(minute, 2, 10, QLatin1Char('0'));
}

QString dayKeyOf(const QString &dateText)
{
    return dayKeyOfDate(dateText);
}

// ---- the demo's reference data ----

struct Officer {
    const char *code, *name, *status;
};
const Officer Officers[] = {
    {"01", "นางสาวสุภาพร ใจดี", "A"}, {"02", "นายวิทยา รักงาน", "A"},      {"03", "นางมาลี ศรีสุข", "A"},
    {"04", "นายประเสริฐ มั่นคง", "A"}, {"05", "นางสาวกาญจนา ทองคำ", "N"},
};

struct DocType {
    const char *code, *name;
};
const DocType DocTypes[] = {
    {"01", "ค่าวัสดุ"},        {"02", "ค่าครุภัณฑ์"},       {"03", "ค่าจ้างเหมาบริการ"},
    {"04", "ค่าสาธารณูปโภค"}, {"05", "เงินยืมทดรองจ่าย"}, {"06", "ค่าเดินทางไปราชการ"},
};

struct Holiday {
    const char *ddmm, *name;
};
// The public holidays that fall on the same day every year.
const Holiday FixedHolidays[] = {
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

// How far a demo document has come.
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

struct Guarantee {
    int daysAgo;
    bool finished;
    double amount;
    const char *company, *topic, *invoice, *tel, *fax, *toWho;
    bool atBank;
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
};

void loadReference(db::Connection &c)
{
    for (const Officer &o : Officers)
        insert(c, "TR_PerSon",
               {{"Per_Code", Value::text(QString::fromUtf8(o.code))},
                {"Per_Name", Value::text(QString::fromUtf8(o.name))},
                {"Per_status", Value::text(QString::fromUtf8(o.status))}});
    for (const DocType &t : DocTypes)
        insert(c, "TR_DocType",
               {{"DocType_Code", Value::text(QString::fromUtf8(t.code))},
                {"DocType_Name", Value::text(QString::fromUtf8(t.name))}});
    for (const Holiday &h : FixedHolidays)
        insert(c, "TR_Hard_StopDay",
               {{"D_DDMM", Value::text(QString::fromUtf8(h.ddmm))},
                {"SD_Remark", Value::text(QString::fromUtf8(h.name))}});
}

int loadDocuments(db::Connection &c, const QDate &today, int &erpRows)
{
    const QString year = QString::number(today.year() + Buddhist_Era_Offset);
    int number = 0;
    for (const Document &d : Documents) {
        ++number;
        const QString key =
            QStringLiteral("QDTX%1/%2").arg(year).arg(number, 5, 10, QLatin1Char('0'));
        const QDate registered = today.addDays(-d.daysAgo);
        const QString company = QString::fromUtf8(d.company);
        const QString officer = QString::fromUtf8(d.officer);
        const QString docType = QString::fromUtf8(d.docType);
        const QString controlNo = QStringLiteral("%1/%2").arg(100 + number).arg(year);

        if (d.stage == Stage::KeyedIn) {
            insert(
                c, "Main_Deega_Control",
                {{"Doc_PK", Value::text(key)},
                 {"DocNo", Value::text(key)},
                 {"Per_Code", Value::text(officer)},
                 {"KumDeega_No", Value::text(controlNo)},
                 {"Company_Rec_Cheq", Value::text(company)},
                 {"Remark1", Value::text(QStringLiteral("รับเอกสารตัวจริงแล้ว รอข้อมูลจากระบบสารบรรณ"))},
                 {"Date_Ent_Asign", Value::serverTime()},
                 {"DocType_Code", Value::text(docType)}});
            continue;
        }

        const bool finished = d.stage >= Stage::Finished;
        const QString docNoDate = sheetDateTime(registered, 9 + number % 7, (number * 13) % 60);
        const QString exit =
            finished ? sheetDateTime(registered.addDays(d.daysInside), 15, 30) : QString();
        const QString status = finished                    ? schema::code::DocStatus_Finished
                               : d.stage == Stage::Waiting ? schema::code::DocStatus_Waiting
                                                           : schema::code::DocStatus_InProgress;
        const QString statusText = finished ? schema::caption::DocStatus_Finished
                                   : d.stage == Stage::Waiting
                                       ? schema::caption::DocStatus_Waiting
                                       : schema::caption::DocStatus_InProgress;
        Row row = {
            {"DovPriLevelName", Value::text(QString::fromUtf8(d.priority))},
            {"Doc_PK", Value::text(key)},
            {"DocNo", Value::text(key)},
            {"DocNoDate", Value::text(docNoDate)},
            {"DocNumber", Value::text(QString::fromUtf8(d.docNumber))},
            {"DocDate", Value::text(Thai_Date_Text(registered.addDays(-2)))},
            {"From_Unit", Value::text(QString::fromUtf8(d.fromUnit))},
            {"Topic", Value::text(QString::fromUtf8(d.topic))},
            {"To_Who", Value::text(QStringLiteral("ผู้อำนวยการกองคลัง"))},
            {"FromSite", Value::text(QString::fromUtf8(d.fromSite))},
            {"Doc_Stat", Value::text(statusText)},
            {"Modified_Date", Value::text(exit)},
            {"Item_Type", Value::text(QStringLiteral("ภายใน"))},
            {"DocStatus", Value::text(status)},
            {"Date_Into_Fin", Value::text(docNoDate)},
            {"DocNoDate_YYYYMMDD", Value::text(dayKeyOf(docNoDate))},
            {"Modified_Date_YYYYMMDD", Value::text(dayKeyOf(exit))},
            {"IS_Rec_Cheq", Value::text(finished ? schema::code::Cheque_Collected
                                                 : schema::code::Cheque_NotCollected)},
            {"IS_Success",
             Value::text(finished ? schema::code::Success_Yes : schema::code::Success_No)},
        };
        if (d.stage >= Stage::Assigned) {
            row << QPair<const char *, Value>{"Per_Code", Value::text(officer)}
                << QPair<const char *, Value>{"DocType_Code", Value::text(docType)}
                << QPair<const char *, Value>{"KumDeega_No", Value::text(controlNo)}
                << QPair<const char *, Value>{"Company_Rec_Cheq", Value::text(company)}
                << QPair<const char *, Value>{"Remark1", Value::text(QString())}
                << QPair<const char *, Value>{"Date_Ent_Asign", Value::serverTime()};
        }
        if (d.stage >= Stage::Numbered) {
            row << QPair<const char *, Value>{"Deega_No", Value::text(QStringLiteral("ฎ%1/%2")
                                                                          .arg(4000 + number)
                                                                          .arg(year))}
                << QPair<const char *, Value>{"Sumkun_No", Value::text(QStringLiteral("บจ%1").arg(
                                                               61000 + number))}
                << QPair<const char *, Value>{"Rec_Cheq_Branch",
                                              Value::text(number % 2
                                                              ? QStringLiteral("SCB ชิดลม")
                                                              : QStringLiteral("กองคลัง Orvaleth"))}
                << QPair<const char *, Value>{"Date_Ent_Deega", Value::serverTime()};
        }
        if (d.stage >= Stage::Appointed) {
            const QDate appointment =
                finished ? registered.addDays(d.daysInside) : today.addDays(3 + number % 4);
            row << QPair<const char *, Value>{"Date_Nud_Rec_Cheq",
                                              Value::text(Thai_Date_Text(appointment))}
                << QPair<const char *, Value>{"Date_Ent_Nud_rec_Cheq", Value::serverTime()};
        }
        if (d.stage == Stage::Paid || d.stage == Stage::Unpaid) {
            const QString fiDoc = QStringLiteral("31000%1").arg(number, 5, 10, QLatin1Char('0'));
            const QString fiscal = Fiscal_Year_Of(registered);
            row << QPair<const char *, Value>{"SAP_Doc_No", Value::text(fiDoc)}
                << QPair<const char *, Value>{"SAP_Fiscal_Year", Value::text(fiscal)}
                << QPair<const char *, Value>{"SAP_Doc_Remark",
                                              Value::text(QStringLiteral("ตั้งเบิกในระบบ ERP แล้ว"))}
                << QPair<const char *, Value>{"User_Key_Doc", Value::text(QStringLiteral("clerk"))}
                << QPair<const char *, Value>{"Date_Key_Doc",
                                              Value::text(Thai_Date_Text(registered.addDays(2)))};
            const bool paid = d.stage == Stage::Paid;
            const QDate cleared = registered.addDays(d.daysInside + 4);
            insert(c, "M_Imp_ERP",
                   {{"Fiscal_Year", Value::text(fiscal)},
                    {"FI_Doc_No", Value::text(fiDoc)},
                    {"Posting_Date", Value::text(Thai_Date_Text(registered.addDays(3)))},
                    {"Check_No",
                     Value::text(paid ? QStringLiteral("%1").arg(70012300 + number) : QString())},
                    {"Clearing_Date", Value::text(paid ? Thai_Date_Text(cleared) : QString())},
                    {"Pay_date", Value::text(paid ? Thai_Date_Text(cleared) : QString())},
                    {"Clearing_Doc", Value::text(paid ? QStringLiteral("20000%1").arg(
                                                            number, 5, 10, QLatin1Char('0'))
                                                      : QString())},
                    {"Deka_Number",
                     Value::text(QStringLiteral("ฎ%1/%2").arg(4000 + number).arg(year))},
                    {"Deka_Status", Value::text(paid ? QStringLiteral("C") : QStringLiteral("P"))},
                    {"Vendor_Name", Value::text(Left_Chars(company, 50))},
                    {"Description_Erp", Value::text(Left_Chars(QString::fromUtf8(d.topic), 20))},
                    {"Fund_ERP", Value::text(QStringLiteral("10000"))},
                    {"Functional_Area", Value::text(QStringLiteral("1100"))}});
            ++erpRows;
        }
        insert(c, "Main_Deega_Control", row);
    }
    return number;
}

int loadGuarantees(db::Connection &c, const QDate &today)
{
    const QString year = QString::number(today.year() + Buddhist_Era_Offset);
    int number = 0;
    for (const Guarantee &g : Guarantees) {
        ++number;
        const QString key = year + schema::code::Guarantee_Mark +
                            Right_Chars(QStringLiteral("0000000") + QString::number(number), 7);
        const QString entered = Thai_Date_Text(today.addDays(-g.daysAgo));
        const QString invoice = QString::fromUtf8(g.invoice);
        insert(
            c, "Main_Deega_Control",
            {{"DovPriLevelName", Value::text(QStringLiteral("ปกติ"))},
             {"Doc_PK", Value::text(key)},
             {"DocNo", Value::text(key)},
             {"DocNoDate", Value::text(entered)},
             {"DocNumber", Value::text(invoice)},
             {"DocDate", Value::text(entered)},
             {"From_Unit", Value::text(invoice)},
             {"Topic", Value::text(QString::fromUtf8(g.topic))},
             {"To_Who", Value::text(QString::fromUtf8(g.toWho))},
             {"FromSite", Value::text(QString::fromUtf8(g.company))},
             {"Doc_Stat", Value::text(g.finished ? schema::caption::DocStatus_Finished
                                                 : schema::caption::DocStatus_InProgress)},
             {"Modified_Date",
              Value::text(g.finished ? Thai_Date_Text(today.addDays(-g.daysAgo + 20)) : QString())},
             {"DocStatus", Value::text(g.finished ? schema::code::DocStatus_Finished
                                                  : schema::code::DocStatus_InProgress)},
             {"IS_Rec_Cheq", Value::text(schema::code::Cheque_NotCollected)},
             {"IS_Success", Value::text(schema::code::Success_No)},
             {"Date_Into_Fin", Value::text(entered)},
             {"DocNoDate_YYYYMMDD", Value::text(QString())},
             {"Modified_Date_YYYYMMDD", Value::text(QString())},
             {"No_Money", Value::number(g.amount)},
             {"Vendor_Tel", Value::text(QString::fromUtf8(g.tel))},
             {"Vendor_Fax", Value::text(QString::fromUtf8(g.fax))},
             {"Deega_Remark", Value::text(QString())},
             {"Place_Rec_Cheque", Value::text(g.atBank ? schema::code::PlaceCheque_Bank
                                                       : schema::code::PlaceCheque_Division)}});
    }
    insert(c, "TR_Deega_Runno", {{"Year_S", Value::text(year)}, {"Runno", Value::integer(number)}});
    return number;
}

} // namespace

void checkUser(const User &user)
{
    if (user.name.isEmpty())
        throw db::Error(QStringLiteral("กรุณาระบุชื่อผู้ใช้ (--user)"));
    if (user.password.isEmpty())
        throw db::Error(QStringLiteral("กรุณาระบุรหัสผ่าน (--password): ระบบไม่รับรหัสผ่านว่าง"));
    if (user.password.size() > PasswordWidth)
        throw db::Error(QStringLiteral("รหัสผ่านยาวเกิน %1 ตัวอักษร").arg(PasswordWidth));
}

void initCatalog(db::Connection &connection, const User &first)
{
    checkUser(first);
    schema::create(connection, [&] { insertUser(connection, first); });
}

void addUser(db::Connection &connection, const User &user)
{
    checkUser(user);
    if (userExists(connection, user.name))
        throw db::Error(QStringLiteral("มีผู้ใช้ชื่อ %1 อยู่แล้ว").arg(user.name));
    insertUser(connection, user);
}

DemoSummary loadDemo(db::Connection &connection)
{
    DemoSummary summary;
    schema::create(connection, [&] {
        const QDate today = serverDate(connection);
        loadReference(connection);
        for (const User &u : DemoUsers) {
            insertUser(connection, u);
            summary.users << u;
        }
        summary.documents = loadDocuments(connection, today, summary.erpRows);
        summary.guarantees = loadGuarantees(connection, today);
        // The documents' years, and the next, so the day counts work from the first start.
        const int year = today.year() + Buddhist_Era_Offset;
        summary.calendarDays = Generate_Calendar(connection, year - 1, year + 1);
        Mark_Holidays(connection);
    });
    return summary;
}

} // namespace admin
