#include "app/MenuTable.h"

#include "app/AboutScreen.h"
#include "app/UChange_Password.h"
#include "screens/calendar/UCreate_Calendar.h"
#include "screens/calendar/UEntry_Stop_Day.h"
#include "screens/calendar/URep_Day_Of_Year.h"
#include "screens/erp/URep_Day_Kolvet.h"
#include "screens/guarantee/UEntry_DateRecCheque.h"
#include "screens/guarantee/UEntry_Money_Promise.h"
#include "screens/guarantee/URep_Money_Pormise.h"
#include "screens/imports/UImp_Day_Stop.h"
#include "screens/imports/UImp_Excel_Deega.h"
#include "screens/imports/UImp_Excel_KVERP.h"
#include "screens/reports/ServiceSummaryScreen.h"
#include "screens/reference/ReferenceScreen.h"
#include "screens/reports/URep_Deega_No_date.h"
#include "screens/reports/URep_Detail_Deega.h"
#include "screens/reports/URep_History.h"
#include "screens/reports/URep_DivBy_DocType.h"
#include "screens/workflow/UEntry_Deega_No.h"
#include "screens/workflow/UEntry_Deega_Veq.h"
#include "screens/workflow/UEntry_Doc_No.h"
#include "screens/workflow/UEntry_LastDay_Into_Fin.h"
#include "screens/workflow/UEntry_Nud_Rec_Cheq.h"

namespace menu {

namespace {

template <class T> Screen *open(Session &session)
{
    return new T(session);
}

using user_access::Below;
using user_access::Rule;

constexpr Rule Intake{user_access::IntakeLevel, Below::Disabled};
constexpr Rule Administrator{user_access::AdministratorLevel, Below::Hidden};
constexpr Rule Calendar{user_access::CalendarLevel, Below::Disabled};
constexpr Rule Summary{user_access::SummaryLevel, Below::Disabled};
// Officers, document types and the fixed holidays at the Administrator menu's level; the users
// at the level that keeps them.
constexpr Rule ReferenceData{user_access::AdministratorLevel, Below::Disabled};
constexpr Rule UserData{reference::UsersLevel, Below::Disabled};

constexpr Entry Table[] = {
    {"N1", "ข้อมูลอ้างอิง", nullptr, Kind::Menu},
    // Our own: the reference tables, kept without SQL.
    {reference_items::Officers, "เจ้าหน้าที่ผู้รับผิดชอบ", "N1", Kind::Item, ReferenceData,
     openReference<reference::TableId::Officers>},
    {reference_items::DocTypes, "ประเภทเอกสาร", "N1", Kind::Item, ReferenceData,
     openReference<reference::TableId::DocTypes>},
    {"referenceSeparator", "", "N1", Kind::Separator},
    {reference_items::Holidays, "วันหยุดประจำปี", "N1", Kind::Item, ReferenceData,
     openReference<reference::TableId::Holidays>},
    {reference_items::Users, "ผู้ใช้ระบบ", "N1", Kind::Item, UserData,
     openReference<reference::TableId::Users>},

    {"N2", "บันทึกข้อมูล", nullptr, Kind::Menu},
    {"ImportDataExcel1", "นำเข้าข้อมูล (Import Data Excel) จาก KV SIS", "N2", Kind::Item, Intake,
     open<TfrmImp_Excel_Deega>},
    {"N5", "", "N2", Kind::Separator},
    {"N3", "รับเรื่องวางฎีกา (Veq)", "N2", Kind::Item, Intake, open<TfrmEntry_Deega_Veq>},
    {"N4", "บันทึกเลขที่ฏีกา (Veq)", "N2", Kind::Item, Intake, open<TfrmEntry_Deega_No>},
    {"N22", "บันทึกวันรับเช็ค(ประกันสัญญา)(Veq)", "N2", Kind::Item, Intake, open<TfrmEntry_DateRecCheque>},
    {"N10", "", "N2", Kind::Separator},
    {"N6", "บันทึกนัด วันรับเช็ค(Pelrin)", "N2", Kind::Item, Intake, open<TfrmEntry_Nud_Rec_Cheq>},
    {"N19", "", "N2", Kind::Separator},
    {"N20", "บันทึกเงินประกันสัญญา(ใบเหลือง(Hask))", "N2", Kind::Menu, Intake},
    {"N21", "บันทึกข้อมูล", "N20", Kind::Item, {}, open<TfrmEntry_Money_Promise>},
    {"N23", "", "N20", Kind::Separator},
    {"N24", "รายงานการบันทึกข้อมูลเงินประกันสัญญา", "N20", Kind::Item, {}, open<TfrmRep_Money_Pormise>},
    {"N27", "", "N2", Kind::Separator},
    {"N28", "บันทึกเลขที่เอกสาร", "N2", Kind::Item, {}, open<TfrmEntry_Doc_No>},
    {"N30", "", "N2", Kind::Separator},
    {"InportKVERP1", "Inport ข้อมูลจาก KV-ERP", "N2", Kind::Item, {}, open<TfrmImp_Excel_KVERP>},

    {"N7", "รายงาน", nullptr, Kind::Menu},
    {"N8", "รายงานรายละเอียดการเคลื่อนไหว", "N7", Kind::Item, {}, open<TfrmRep_Detail_Deega>},
    {"N9", "รายงานแสดงจำนวนวันที่อยู่ในกองคลัง", "N7", Kind::Item, {}, open<TfrmRep_Deega_No_date>},
    {"N25", "", "N7", Kind::Separator},
    {"N26", "รายงานแยกตามประเภทเอกสาร", "N7", Kind::Item, {}, open<TfrmRep_DivBy_DocType>},
    {"N31", "", "N7", Kind::Separator},
    {"KvsisKverp1",
     "รายงานแสดงจำนวนวัน (KVSIS-KVERP)",
     "N7",
     Kind::Item,
     {},
     open<TfrmRep_Day_Kolvet>},
    // Our own: the service-level summary.
    {"serviceSummarySeparator", "", "N7", Kind::Separator},
    {"serviceSummary", "รายงานสรุปจำนวนวันทำการตามเป้าหมาย", "N7", Kind::Item, Summary,
     open<ServiceSummaryScreen>},

    {"N29", "ระบบ (System)", nullptr, Kind::Menu},
    {"ChangePassword1",
     "เปลี่ยนรหัสผ่าน (Change Password)",
     "N29",
     Kind::Item,
     {},
     open<TfrmChange_Password>},

    {"Administrator1", "Administrator", nullptr, Kind::Menu, Administrator},
    {"N11", "บันทึกวันหยุดประจำปี", "Administrator1", Kind::Item, {}, open<TfrmEntry_Stop_Day>},
    {"N12", "Import วันหยุดชดเชย", "Administrator1", Kind::Item, {}, open<TfrmImp_Day_Stop>},
    {"N13", "", "Administrator1", Kind::Separator},
    {"CreateCalendar1", "Create Calendar", "Administrator1", Kind::Item, Calendar,
     open<TfrmCreate_Calendar>},
    {"N14", "", "Administrator1", Kind::Separator},
    // "ประมวลผลจำนวนวัน" has no action: nothing is counted in advance.
    {"N15", "ประมวลผลจำนวนวัน", "Administrator1", Kind::Inert},
    {"N16", "", "Administrator1", Kind::Separator},
    {"N17", "รายงาน วันในแต่ลปี", "Administrator1", Kind::Item, {}, open<TfrmRep_Day_Of_Year>},
    {"N18",
     "บันทึกวันที่เข้ากองคลังครั้งสุดท้าย",
     "Administrator1",
     Kind::Item,
     {},
     open<TfrmEntry_LastDay_Into_Fin>},
    // Our own: who changed what, and when.
    {"historySeparator", "", "Administrator1", Kind::Separator},
    {"history", "ประวัติการแก้ไขข้อมูล", "Administrator1", Kind::Item, {}, open<TfrmRep_History>},

    // Our own: arranging the open screens; the main window fills it.
    {WindowMenu, "หน้าต่าง", nullptr, Kind::Menu},

    // Our own: the version, the catalog in use and where the report workbooks go.
    {"helpMenu", "วิธีใช้ (Help)", nullptr, Kind::Menu},
    {"about", "เกี่ยวกับโปรแกรม (About)", "helpMenu", Kind::Item, {}, open<AboutScreen>},

    {"NExit", "ออกจากระบบ", nullptr, Kind::Exit},
};

} // namespace

std::span<const Entry> entries()
{
    return Table;
}

ScreenRegistry screens()
{
    ScreenRegistry registry;
    for (const Entry &e : Table) {
        if (e.screen)
            registry.add(QLatin1String(e.name), e.screen);
    }
    return registry;
}

} // namespace menu
