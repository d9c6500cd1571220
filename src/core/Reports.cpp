#include "core/Reports.h"

#include "core/WorkDays.h"
#include "core/Workflow.h"
#include "data/Connection.h"
#include "util/Utility.h"

#include <memory>

using criteria::Criterion;
using criteria::Input;
using report::Column;
using report::Shape;

namespace {

QString s(const char *text)
{
    return QString::fromUtf8(text);
}

Column col(const char *header, int width, const char *field,
           report::Trim trim = report::Trim::Space, const char *prefix = "")
{
    return {s(header), width, s(field), trim, s(prefix)};
}

// A cell the report computes.
Column computed(const char *header, int width = 0)
{
    return {s(header), width, QString(), report::Trim::Space, QString()};
}

Criterion text(const char *box, const char *caption, const char *field, Input input,
               const char *before, const char *after)
{
    return criteria::makeCriterion(s(box), s(caption), s(field), input, s(before), s(after));
}

Criterion choice(const char *box, const char *caption, const char *field, int take,
                 const char *before, const char *after)
{
    Criterion c = text(box, caption, field, Input::Choice, before, after);
    c.take = take;
    return c;
}

Criterion fromList(Criterion c, criteria::Items source)
{
    c.source = source;
    return c;
}

Criterion withItems(Criterion c, QStringList items)
{
    c.items = std::move(items);
    return c;
}

// The documents with their officer's name.
QStringList documentsHead()
{
    return {s("SELECT Main_Deega_Control.*, TR_PerSon.*"),
            s("FROM Main_Deega_Control LEFT JOIN TR_PerSon"),
            s(" ON Main_Deega_Control.Per_Code = TR_PerSon.Per_Code"),
            s("Where (Main_Deega_Control.doc_pk is not null)")};
}

Criterion officer()
{
    return fromList(choice("CheckBox5", "ผู้รับผิดชอบ", "cmbPer_Code1", 2,
                           "And (Main_Deega_Control.Per_Code ='", "')"),
                    criteria::Items::Officers);
}

Criterion chequeState()
{
    return withItems(choice("CheckBox6", "รับเช็ค หรือ ยัง", "cmbIS_Rec_Cheq1", 1,
                            "And (Main_Deega_Control.IS_Rec_Cheq ='", "')"),
                     {s("N ยังไม่รับเช็ค"), s("A รับเช็คแล้ว")});
}

Criterion successState()
{
    return withItems(choice("CheckBox7", "เสร็จสิ้น หรือ ยัง", "cmbIS_Success1", 1,
                            "And (Main_Deega_Control.IS_Success ='", "')"),
                     {s("N ยังไม่เสร็จสิ้น"), s("S เสร็จสิ้นแล้ว")});
}

// The seven criteria of the document reports, in their order.
QList<Criterion> documentCriteria()
{
    return {text("CheckBox1", "เลขที่หนังสือ", "edtDocNumber1", Input::Text,
                 "And (Main_Deega_Control.DocNumber like '%", "%')"),
            text("CheckBox2", "วันที่หนังสือ", "edtDocDate1", Input::Date,
                 "And (Main_Deega_Control.DocDate like '", "%')"),
            text("CheckBox3", "เรื่อง", "edtTopic1", Input::Text,
                 "And (Main_Deega_Control.Topic like '%", "%')"),
            text("CheckBox4", "เลขที่ฏีกา", "edtDeega_No1", Input::Text,
                 "And (Main_Deega_Control.Deega_No like'%", "%')"),
            officer(),
            chequeState(),
            successState()};
}

// The workflow columns of the movement and document-type reports.
QList<Column> movementColumns(report::Trim t)
{
    return {col("รหัส", 110, "Doc_PK", t),
            col("วันที่เรื่องเข้ากอง", 120, "DocNoDate", t, "'"),
            col("DocNumber", 110, "DocNumber", t),
            col("DocDate", 90, "DocDate", t),
            col("Topic", 190, "Topic", t),
            col("To_Who", 190, "To_Who", t),
            col("From Site", 190, "FromSite", t),
            col("Doc Status", 0, "Doc_Stat", t),
            col("วันที่เรื่องออกจากกอง", 110, "Modified_Date", t, "'"),
            col("วันทีรับเรื่องวางฏีกา", 0, "Date_Ent_Asign", t),
            col("ทะเบียนคุมฏีกา", 0, "KumDeega_No", t),
            col("เลขทีใบสำคัญ", 0, "Sumkun_No", t),
            col("วันที่บันทึกฏีกา", 0, "Date_Ent_Deega", t),
            col("เลขทีฏีกา", 0, "Deega_No", t),
            col("รับเช็คที่สาขา", 0, "Rec_Cheq_Branch", t),
            col("สถานภาพจ่ายเช็ค", 0, "IS_Rec_Cheq", t),
            col("วันที่นัดรับเช็ค", 0, "Date_Nud_Rec_Cheq", t),
            col("สถานภาพเสร็จเสิ้น", 0, "IS_Success", t),
            col("ผู้รับผิดชอบ", 0, "Per_Name", t)};
}

QList<Column> countColumns()
{
    return {computed("จำนวนวัน"), computed("จำนวนวันหยุด"), computed("จำนวนวันทำการ")};
}

// One read of the calendar for the whole run.
using Calendar = std::shared_ptr<const WorkDayCalendar>;

Calendar readCalendar(db::Connection &c)
{
    return std::make_shared<const WorkDayCalendar>(c);
}

// The three count cells from `at`: calendar days, holidays, working days. A range with an empty
// end stays empty; so does one with an empty start, which would otherwise count from the first
// day the calendar holds.
void putCounts(QStringList &cells, int at, const WorkDayCalendar &calendar, const QString &start,
               const QString &end)
{
    if (Trim_Space(start).isEmpty() || Trim_Space(end).isEmpty())
        return;
    const DayCounts n = calendar.count(start, end);
    cells[at] = QString::number(n.calendarDays);
    cells[at + 1] = QString::number(n.holidays);
    cells[at + 2] = QString::number(n.workingDays);
}

} // namespace

namespace reports {

Shape daysInDivision()
{
    Shape sh;
    sh.objectName = s("frmRep_Deega_No_date");
    sh.title = s("รายงานแสดงจำนวนวันที่ทำรายการในกองคลัง");
    sh.head = documentsHead();
    sh.criteria = documentCriteria();
    Criterion entered = text("CheckBox8", "วันที่หนังสือเข้ากองคลัง", "edtDocNoDate_Beg1",
                             Input::DateRange, "And (DocNoDate_YYYYMMDD between '", "')");
    entered.field2 = s("edtDocNoDate_End1");
    entered.label2 = s("ถึงวันที่");
    entered.between = s("' and '");
    entered.initial = criteria::Initial::TodayThai;
    Criterion status =
        withItems(choice("CheckBox9", "สถานะเอกสาร", "cmbDocStatus1", 1, "And (DocStatus ='", "')"),
                  {s("2. รอดำเนินการ"), s("3. ติดตามดำเนินการ"), s("4. เสร็จสิ้นดำเนินการ")});
    status.initial = criteria::Initial::FirstItem;
    sh.criteria << entered << status;
    sh.columns = {col("รหัส", 110, "Doc_PK"),
                  col("DocNumber", 120, "DocNumber"),
                  col("DocDate", 110, "DocDate"),
                  col("Topic", 90, "Topic"),
                  col("To_Who", 190, "To_Who"),
                  col("From Site", 190, "FromSite"),
                  col("Doc Status", 190, "Doc_Stat"),
                  col("วันที่เรื่องเข้ากอง", 110, "DocNoDate"),
                  col("วันที่เรื่องเข้ากองครั้งสุดท้าย", 110, "Date_Into_Fin"),
                  col("วันที่เรื่องออกจากกอง", 110, "Modified_Date")};
    sh.columns << countColumns() << col("ผู้รับผิดชอบ", 0, "Per_Name");
    // Counts for the finished documents only, by the status code.
    sh.filling = [](db::Connection &c, const criteria::Entered &) -> report::RowHook {
        const Calendar calendar = readCalendar(c);
        return [calendar](db::Rows &row, QStringList &cells) {
            if (row.text(QStringLiteral("DocStatus")) == QLatin1String("4"))
                putCounts(cells, 11, *calendar, row.text(QStringLiteral("Date_Into_Fin")),
                          row.text(QStringLiteral("Modified_Date")));
        };
    };
    // The breakdown follows the status text; a finished document without both dates has no
    // range to list.
    sh.breakdown = {9, 10, [](const QStringList &cells) {
                        if (cells.value(7) != QStringLiteral("เสร็จสิ้นดำเนินการ"))
                            return NotFinished;
                        if (cells.value(9).isEmpty() || cells.value(10).isEmpty())
                            return CannotCount;
                        return QString();
                    }};
    return sh;
}

Shape movementDetail()
{
    Shape sh;
    sh.objectName = s("frmRep_Detail_Deega");
    sh.title = s("รายงานรายละเอียดขั้นตอนฏีกา");
    sh.head = documentsHead();
    sh.criteria = documentCriteria();
    sh.tail = {s("And (Main_Deega_Control.DocStatus ='4')")};
    sh.columns = movementColumns(report::Trim::Space);
    return sh;
}

Shape byDocType()
{
    Shape sh;
    sh.objectName = s("frmRep_DivBy_DocType");
    sh.title = s("รายงานแบ่งตามประเภทเอกสาร");
    sh.head = documentsHead();
    Criterion type = fromList(choice("", "ประเภทเอกสาร", "cmbDocType_Code", 2,
                                     "And (Main_Deega_Control.DocType_Code ='", "')"),
                              criteria::Items::DocTypes);
    type.toggle = criteria::Switch::Always;
    type.initial = criteria::Initial::FirstItem;
    sh.criteria = {type, officer(), chequeState(), successState()};
    sh.columns = movementColumns(report::Trim::Text);
    sh.columns << computed("ประเภทเอกสาร");
    // The type combo's whole text, the same in every row.
    sh.filling = [](db::Connection &, const criteria::Entered &entered) -> report::RowHook {
        const QString typeText = entered.value(0).value_or(QStringList()).value(0);
        return [typeText](db::Rows &, QStringList &cells) { cells[20] = typeText; };
    };
    return sh;
}

Shape daysToPayment()
{
    Shape sh;
    sh.objectName = s("frmRep_Day_Kolvet");
    sh.title = s("รายงานแสดงจำนวนวันที่ทำรายการในกองคลัง จนถึงจ่ายเจ้าหนี้ (KV-ERP)");
    sh.head = {s("SELECT Main_Deega_Control.*, M_Imp_ERP.*"),
               s("FROM Main_Deega_Control LEFT JOIN M_Imp_ERP ON (Main_Deega_Control.SAP_Doc_No "
                 "= M_Imp_ERP.FI_Doc_No)"),
               s("AND (Main_Deega_Control.SAP_Fiscal_Year = M_Imp_ERP.Fiscal_Year)"),
               s("WHERE (M_Imp_ERP.Clearing_Doc<>'')")};
    Criterion month = text("CheckBox1", "เดือนปี Clearing Date(KV-ERP)", "edtClearing_Date",
                           Input::MonthYear, "AND (SUBSTring(Clearing_Date,4,7)='", "')");
    month.initial = criteria::Initial::TodayMonthYear;
    sh.criteria = {month, fromList(choice("CheckBox2", "ประเภทเอกสาร", "cmbDocType_Code2", 2,
                                          "AND (Main_Deega_Control.DocType_Code='", "')"),
                                   criteria::Items::DocTypes)};
    sh.columns = {col("รหัส", 110, "Doc_PK"),
                  col("DocNumber", 120, "DocNumber"),
                  col("DocDate", 110, "DocDate"),
                  col("Topic", 90, "Topic"),
                  col("To_Who", 190, "To_Who"),
                  col("From Site", 190, "FromSite"),
                  col("Doc Status", 190, "Doc_Stat"),
                  col("วันที่เรื่องเข้ากอง", 110, "DocNoDate", report::Trim::Space, "'"),
                  col("วันที่เรื่องเข้ากองครั้งสุดท้าย", 110, "Date_Into_Fin", report::Trim::Space, "'"),
                  col("วันที่ Posting Date(KV-ERP))", 110, "Posting_Date", report::Trim::Space, "'")};
    sh.columns << countColumns() << col("Fiscal_Year", 0, "Fiscal_Year")
               << col("FI_Doc_No", 0, "FI_Doc_No") << col("Check_No", 0, "Check_No")
               << col("Clearing_Doc", 0, "Clearing_Doc") << col("Deka_Number", 0, "Deka_Number")
               << col("Deka_Status", 0, "Deka_Status") << col("Vendor_Name", 0, "Vendor_Name")
               << col("Description_Erp", 0, "Description_Erp") << col("Fund_ERP", 0, "Fund_ERP")
               << col("Functional_Area", 0, "Functional_Area")
               << col("วันที่ Posting Date(KV-ERP)", 0, "Posting_Date", report::Trim::Space, "'")
               << col("วันที่ Clearing Date(KV-ERP)", 0, "Clearing_Date", report::Trim::Space, "'")
               << countColumns()
               << col("วันที่เรื่องเข้ากองครั้งสุดท้าย", 0, "Date_Into_Fin", report::Trim::Space, "'")
               << col("วันที่ Clearing Date(KV-ERP)", 0, "Clearing_Date", report::Trim::Space, "'")
               << countColumns();
    sh.filling = [](db::Connection &c, const criteria::Entered &) -> report::RowHook {
        const Calendar calendar = readCalendar(c);
        return [calendar](db::Rows &row, QStringList &cells) {
            const QString entry = row.text(QStringLiteral("Date_Into_Fin"));
            const QString posting = row.text(QStringLiteral("Posting_Date"));
            const QString clearing = row.text(QStringLiteral("Clearing_Date"));
            // The entry date as the count reads it, once the range has an end.
            const QString entryShown = u'\'' + Norm_Date_Text(entry);
            if (!posting.isEmpty()) {
                cells[9] = entryShown;
                putCounts(cells, 11, *calendar, entry, posting);
            }
            if (!clearing.isEmpty()) {
                putCounts(cells, 26, *calendar, posting, clearing);
                cells[29] = entryShown;
                putCounts(cells, 31, *calendar, entry, clearing);
            }
        };
    };
    // No posting date, or no entry date (column 9 then holds the normalised empty date, so
    // the empty count cells tell it): range A has nothing to list.
    sh.breakdown = {9, 10, [](const QStringList &cells) {
                        if (cells.value(10) == QStringLiteral("'") || cells.value(11).isEmpty())
                            return CannotCount;
                        return QString();
                    }};
    return sh;
}

Shape calendarOfYear()
{
    Shape sh;
    sh.objectName = s("frmRep_Day_Of_Year");
    sh.title = s("รายงานวันที่ในแต่ละปี");
    sh.head = {s("SELECT *"), s("FROM TR_Day_Calendar"), s("Where (D_YYYYMMDD is not null )")};
    Criterion year = text("RadioButton2", "เฉพาะปี", "edtSel_Year", Input::Text,
                          "And (SUBSTRING(d_yyyymmdd,1,4)='", "')");
    year.toggle = criteria::Switch::RadioPair;
    year.offButton = s("RadioButton1");
    year.offCaption = s("ทั้งหมด");
    year.onAtStart = true;
    year.initial = criteria::Initial::TodayYear;
    sh.criteria = {year};
    sh.tail = {s("Order by D_YYYYMMDD")};
    sh.columns = {computed("Eng_Date", 100), computed("Thai Date", 100),
                  computed("Name Of Day", 90), computed("Day Status", 90),
                  computed("Day Remark", 120)};
    // The day list's cells, as the breakdown shows them.
    sh.filling = [](db::Connection &, const criteria::Entered &) -> report::RowHook {
        return [](db::Rows &row, QStringList &cells) {
            const BreakdownDay day{
                row.text(QStringLiteral("Eng_Day")), row.text(QStringLiteral("Thai_Day")),
                row.text(QStringLiteral("Name_Day")), row.text(QStringLiteral("Day_Status")),
                row.text(QStringLiteral("Day_Remark"))};
            const QStringList shown = breakdownCells(cells.value(0).toInt(), day);
            for (int i = 1; i < shown.size(); ++i)
                cells[i] = shown.at(i);
        };
    };
    return sh;
}

const QList<Named> &all()
{
    static const QList<Named> list{{s("days-in-division"), daysInDivision},
                                   {s("movement"), movementDetail},
                                   {s("by-doc-type"), byDocType},
                                   {s("days-to-payment"), daysToPayment},
                                   {s("calendar-of-year"), calendarOfYear}};
    return list;
}

QStringList itemsOf(db::Connection &c, criteria::Items source)
{
    switch (source) {
    case criteria::Items::Officers:
        return deega_veq::officerItems(c);
    case criteria::Items::DocTypes:
        return deega_veq::docTypeItems(c);
    case criteria::Items::Fixed:
        break;
    }
    return {};
}

} // namespace reports
