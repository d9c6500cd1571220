#include "admin/Help.h"

#include "admin/ReportCommand.h"
#include "util/Version.h"

#include <vector>

namespace admin {

namespace {

struct OptionText {
    const char *name;
    const char *value; // nullptr: a switch
    const char *about;
};

// Every option of every command, once; a report's option means the same box in each report.
const OptionText Options[] = {
    {"catalog", "URL",
     "ฐานข้อมูลที่ใช้: sqlite:PATH หรือ postgresql://USER@HOST[:PORT]/DB "
     "(ไม่ระบุ: ตามแฟ้มตั้งค่า ~/.config/vostrel/vostrel.ini หรือฐานข้อมูลในเครื่อง)"},
    {"trace", nullptr, "พิมพ์คำสั่งฐานข้อมูลทุกคำสั่งที่ส่งออกไปทาง standard error"},
    {"help", nullptr, "แสดงคำอธิบาย (vostrel-admin COMMAND --help: คำอธิบายของคำสั่งนั้น)"},
    {"version", nullptr, "แสดงรุ่นของโปรแกรม"},
    {"user", "NAME",
     "ชื่อผู้ใช้ ไม่เกิน 50 ตัวอักษร ไม่คำนึงตัวพิมพ์เล็กใหญ่ (init และ user add: ต้องไม่ซ้ำกับผู้ใช้ที่มีอยู่; "
     "audit: เฉพาะการแก้ไขของผู้ใช้นั้น)"},
    {"password", "PW", "รหัสผ่าน ไม่ว่าง ไม่เกิน 10 ตัวอักษร ไม่ขึ้นต้นหรือลงท้ายด้วยช่องว่าง"},
    {"name", "TEXT",
     "ชื่อ: ของเจ้าหน้าที่หรือประเภทเอกสาร (ไม่เกิน 100 ตัวอักษร) หรือของวันหยุด (ไม่เกิน 50 ตัวอักษร)"},
    {"active", "yes|no",
     "เจ้าหน้าที่ใช้งานอยู่หรือไม่ (add: yes เมื่อไม่ระบุ) มีเพียงผู้ใช้งานอยู่ที่แสดงในรายการให้เลือก"},
    {"level", "N",
     "ระดับผู้ใช้ (จำนวนเต็ม): 5 ขึ้นไปบันทึกข้อมูล, 7 ขึ้นไปเมนู Administrator, "
     "9 ขึ้นไปสร้างปฏิทิน"},
    {"from", "YYYY|DD/MM/YYYY",
     "calendar generate: ปีแรก (พ.ศ.); summary: วันแรกที่เรื่องออกจากกอง (ปี พ.ศ.); "
     "audit: วันแรกของประวัติ"},
    {"to", "YYYY|DD/MM/YYYY",
     "calendar generate: ปีสุดท้าย (พ.ศ.); summary: วันสุดท้ายที่เรื่องออกจากกอง (ปี พ.ศ.); "
     "audit: วันสุดท้ายของประวัติ"},
    {"xlsx", "FILE", "เขียนแฟ้มรายงาน Excel แบบที่หน้าจอรายงานส่งออก ไปที่ FILE ด้วย (แทนที่แฟ้มเดิม)"},
    {"encoding", "NAME",
     "การเข้ารหัสของแฟ้ม: utf-8 (ค่าเริ่มต้น) หรือ tis-620 (อ่านรหัสหน้า 874 ของ Windows ได้ด้วย)"},
    {"separator", "comma|tab", "ตัวคั่นช่องที่ dump เขียน: comma (ค่าเริ่มต้น) หรือ tab"},
    {"replace", nullptr, "ลบแถวเดิมทั้งตารางก่อนบันทึก ในธุรกรรมเดียวกัน"},
    // The report criteria.
    {"doc-number", "TEXT", "เลขที่หนังสือ"},
    {"doc-date", "DD/MM/YYYY", "วันที่หนังสือ"},
    {"topic", "TEXT", "เรื่อง"},
    {"deega-no", "TEXT", "เลขที่ฎีกา"},
    {"officer", "TEXT", "เจ้าหน้าที่: รหัส หรือรหัสและชื่อตามที่รายการแสดง (01 หรือ \"01 สมชาย\")"},
    {"cheque", "TEXT", "การรับเช็ค ตามที่รายการแสดง (ยังไม่รับเช็ค / รับเช็คแล้ว)"},
    {"success", "TEXT", "การเสร็จสิ้น ตามที่รายการแสดง (ยังไม่เสร็จสิ้น / เสร็จสิ้นแล้ว)"},
    {"entered", "FROM TO", "รับเรื่องตั้งแต่วันที่ FROM ถึง TO (DD/MM/YYYY)"},
    {"status", "TEXT", "สถานะเอกสาร ตามที่รายการแสดง"},
    {"type", "TEXT", "ประเภทเอกสาร: รหัส หรือรหัสและชื่อตามที่รายการแสดง"},
    {"clearing-month", "MM/YYYY", "เดือนที่จ่ายเงิน (Clearing) ในระบบ ERP"},
    {"year", "YYYY", "ปี พ.ศ."},
    {"all", nullptr, "ทุกปีในปฏิทิน"},
    {"day", "DD/MM/YYYY", "วันเดียว"},
    {"month", "MM/YYYY", "เดือนเดียว"},
    // The guarantee document's boxes.
    {"from-site", "TEXT", "บริษัทหรือห้างร้านที่วางเงินประกันสัญญา"},
    {"from-unit", "TEXT", "หน่วยงานเจ้าของเรื่อง"},
    {"amount", "N", "จำนวนเงิน (ค่าเริ่มต้น 0.00)"},
    {"fax", "TEXT", "โทรสารของบริษัท"},
    {"tel", "TEXT", "โทรศัพท์ของบริษัท"},
    {"to-who", "TEXT", "ถึง (ผู้รับเรื่อง)"},
    {"date", "DD/MM/YYYY", "วันที่: ของหนังสือ (guarantee add) หรือวันรับเช็ค (guarantee receive)"},
    {"into-fin", "DD/MM/YYYY", "วันที่เข้ากองคลัง"},
    {"remark", "TEXT", "หมายเหตุ"},
    {"place", "bank|finance",
     "ที่รับเช็ค: bank ธนาคาร หรือ finance งานการเงิน กองคลัง (guarantee add: ธนาคารเมื่อไม่ระบุ; "
     "notice: ตามที่บันทึกไว้เมื่อไม่ระบุ)"},
    {"pdf", "FILE", "แฟ้ม PDF ที่จะเขียน"},
    {"count", "N", "สำหรับการทดสอบ: บันทึก N เรื่อง แต่ละเรื่องเป็นธุรกรรมของตัวเอง"},
    // The service-level summary.
    {"target", "N",
     "เป้าหมายเป็นจำนวนวันทำการ 0 ถึง 999 (ไม่ระบุ: ค่า target ในหมวด [summary] ของแฟ้มตั้งค่า "
     "หรือ 3)"},
    {"by", "officer|type|month",
     "แยกตาม officer ผู้รับผิดชอบ (ค่าเริ่มต้น), type ประเภทเอกสาร หรือ month "
     "เดือนที่เรื่องออกจากกอง (mm/yyyy ปี พ.ศ.)"},
};

struct CommandText {
    const char *words;
    const char *form;    // after "vostrel-admin "
    const char *purpose; // one line
    const char *details; // more, or empty
    std::vector<const char *> options;
};

// "catalog" and "trace" are every command's that opens the catalog; they are added below.
const CommandText Commands[] = {
    {"init",
     "init --user NAME --password PW --level N [--catalog URL]",
     "สร้างฐานข้อมูลใหม่พร้อมผู้ใช้คนแรก",
     "สร้างตารางทั้งเก้า บันทึกรุ่น และผู้ใช้คนแรก ทั้งหมดหรือไม่มีเลย "
     "ฐานข้อมูลที่มีตารางอยู่แล้วจะไม่ถูกแตะต้อง",
     {"user", "password", "level"}},
    {"user add",
     "user add --user NAME --password PW --level N [--catalog URL]",
     "เพิ่มผู้ใช้",
     "ชื่อที่มีอยู่แล้ว (ไม่คำนึงตัวพิมพ์เล็กใหญ่) จะไม่ถูกบันทึก",
     {"user", "password", "level"}},
    {"user set",
     "user set --user NAME [--password PW] [--level N] [--catalog URL]",
     "เปลี่ยนรหัสผ่านหรือระดับของผู้ใช้",
     "ผู้ใช้ระดับ 9 คนสุดท้ายลดระดับไม่ได้",
     {"user", "password", "level"}},
    {"user remove",
     "user remove --user NAME [--catalog URL]",
     "ลบผู้ใช้",
     "ผู้ใช้ระดับ 9 คนสุดท้ายลบไม่ได้",
     {"user"}},
    {"user list",
     "user list [--catalog URL]",
     "พิมพ์ชื่อผู้ใช้และระดับ คั่นด้วย tab",
     "บรรทัดแรกเป็นชื่อคอลัมน์ เรียงตามชื่อ ไม่พิมพ์รหัสผ่าน",
     {}},
    {"person add",
     "person add CODE --name TEXT [--active yes|no] [--catalog URL]",
     "เพิ่มเจ้าหน้าที่ผู้รับผิดชอบ",
     "CODE คือรหัสสองตัวอักษรที่ไม่ซ้ำกับที่มีอยู่ (ไม่คำนึงตัวพิมพ์เล็กใหญ่) ไม่มีช่องว่าง",
     {"name", "active"}},
    {"person set",
     "person set CODE [--name TEXT] [--active yes|no] [--catalog URL]",
     "เปลี่ยนชื่อของเจ้าหน้าที่ หรือเปลี่ยนเป็นใช้งานหรือไม่ใช้งาน",
     "",
     {"name", "active"}},
    {"person remove",
     "person remove CODE [--catalog URL]",
     "ลบเจ้าหน้าที่",
     "เจ้าหน้าที่ที่มีเอกสารอ้างถึงลบไม่ได้ แต่เปลี่ยนเป็นไม่ใช้งานได้ (person set CODE --active no)",
     {}},
    {"person list",
     "person list [--catalog URL]",
     "พิมพ์เจ้าหน้าที่ทุกคน คั่นด้วย tab",
     "บรรทัดแรกเป็นชื่อคอลัมน์ เรียงตามรหัส Per_status: A ใช้งาน, N ไม่ใช้งาน",
     {}},
    {"doctype add",
     "doctype add CODE --name TEXT [--catalog URL]",
     "เพิ่มประเภทเอกสาร",
     "CODE คือรหัสสองตัวอักษรที่ไม่ซ้ำกับที่มีอยู่ (ไม่คำนึงตัวพิมพ์เล็กใหญ่) ไม่มีช่องว่าง",
     {"name"}},
    {"doctype set",
     "doctype set CODE --name TEXT [--catalog URL]",
     "เปลี่ยนชื่อของประเภทเอกสาร",
     "",
     {"name"}},
    {"doctype remove",
     "doctype remove CODE [--catalog URL]",
     "ลบประเภทเอกสาร",
     "ประเภทเอกสารที่มีเอกสารอ้างถึงลบไม่ได้",
     {}},
    {"doctype list",
     "doctype list [--catalog URL]",
     "พิมพ์ประเภทเอกสารทุกประเภท คั่นด้วย tab",
     "บรรทัดแรกเป็นชื่อคอลัมน์ เรียงตามรหัส",
     {}},
    {"holiday add",
     "holiday add DD/MM --name TEXT [--catalog URL]",
     "เพิ่มวันหยุดประจำปี",
     "DD/MM คือวันและเดือนที่มีจริง สองหลักทั้งคู่ (29/02 ได้, 31/04 ไม่ได้) ไม่ซ้ำกับที่มีอยู่ "
     "วันหยุดลงปฏิทินเมื่อสั่ง holidays mark หรือกดประมวลผลที่หน้าจอวันหยุดประจำปี",
     {"name"}},
    {"holiday set",
     "holiday set DD/MM --name TEXT [--catalog URL]",
     "เปลี่ยนชื่อของวันหยุดประจำปี",
     "",
     {"name"}},
    {"holiday remove",
     "holiday remove DD/MM [--catalog URL]",
     "ลบวันหยุดประจำปี",
     "วันที่ทำเครื่องหมายในปฏิทินไปแล้วยังคงเป็นวันหยุด",
     {}},
    {"holiday list",
     "holiday list [--catalog URL]",
     "พิมพ์วันหยุดประจำปีทุกวัน คั่นด้วย tab",
     "บรรทัดแรกเป็นชื่อคอลัมน์ เรียงตาม DD/MM",
     {}},
    {"demo",
     "demo [--catalog URL]",
     "สร้างฐานข้อมูลทดลองและพิมพ์ชื่อผู้ใช้ทดลอง",
     "ผู้ใช้หนึ่งคนต่อระดับ เจ้าหน้าที่ ประเภทเอกสาร วันหยุดประจำปี ปฏิทินวันทำการสามปี "
     "รอบวันที่ของเครื่องแม่ข่าย และฎีกาในทุกขั้นตอน ฐานข้อมูลที่มีตารางอยู่แล้วจะไม่ถูกแตะต้อง",
     {}},
    {"calendar generate",
     "calendar generate --from YYYY --to YYYY [--catalog URL]",
     "เพิ่มวันของปีในปฏิทินวันทำการ",
     "ทุกวันตั้งแต่ปี --from ถึง --to (พ.ศ.) วันเสาร์และอาทิตย์เป็นวันหยุด "
     "วันที่มีในปฏิทินอยู่แล้วไม่เปลี่ยน",
     {"from", "to"}},
    {"holidays mark",
     "holidays mark [--catalog URL]",
     "ทำเครื่องหมายวันหยุดประจำปีในปฏิทิน",
     "วันหยุดของตาราง TR_Hard_StopDay ทุกวันในทุกปีที่มีในปฏิทิน",
     {}},
    {"count",
     "count START END [--catalog URL]",
     "นับวันระหว่างสองวันที่",
     "START และ END เป็น DD/MM/YYYY (พ.ศ.) พิมพ์: วันทั้งหมด วันหยุด วันทำการ",
     {}},
    {"backup",
     "backup FILE [--catalog URL]",
     "สำเนาฐานข้อมูลในเครื่อง",
     "สำเนาที่ถูกต้องครบถ้วนแม้ขณะมีผู้ใช้งาน ไม่เขียนทับแฟ้มที่มีอยู่ "
     "(ฐานข้อมูลกลางใช้ pg_dump ของเครื่องแม่ข่าย)",
     {}},
    {"restore",
     "restore FILE [--catalog URL]",
     "นำสำเนาฐานข้อมูลในเครื่องกลับ",
     "ตรวจก่อนว่าเป็นสำเนาที่ครบ เป็นรุ่นเดียวกับโปรแกรม และมีเพียงตาราง คอลัมน์ และดัชนีของโปรแกรม "
     "(ไม่มี trigger หรือ view) เก็บฐานข้อมูลเดิมไว้เป็นสำเนาข้างแฟ้มฐานข้อมูลและบอกที่อยู่ "
     "ประวัติการแก้ไขข้อมูลคงอยู่และบันทึกทุกแถวที่เปลี่ยน ผู้ใช้ที่เปิดโปรแกรมอยู่เห็นข้อมูลจากสำเนา "
     "เมื่อเครื่องอื่นกำลังบันทึกนานเกินที่รอได้ จะยกเลิกโดยไม่เปลี่ยนสิ่งใด",
     {}},
    {"import",
     "import kvsis|stopdays|erp FILE [--catalog URL]",
     "นำเข้าแฟ้ม Excel (.xls หรือ .xlsx)",
     "kvsis: ฎีกาจากระบบเอกสารอิเล็กทรอนิกส์, stopdays: วันหยุดชดเชย, erp: ข้อมูลจาก KV-ERP "
     "เหมือนหน้าจอนำเข้า พิมพ์: inserted updated not_found skipped refused "
     "(refused: แถวฎีกาที่เลขที่เป็นของเอกสารเงินประกันสัญญา ไม่ถูกบันทึก) "
     "แฟ้มที่ไม่ใช่รูปแบบของการนำเข้านั้นถูกปฏิเสธทั้งแฟ้ม (exit 2) ไม่บันทึกข้อมูลใด ๆ",
     {}},
    {"preview",
     "preview kvsis|stopdays|erp FILE",
     "แสดงตารางที่หน้าจอนำเข้าจะแสดง คั่นด้วย tab",
     "ไม่ใช้ฐานข้อมูล แฟ้มที่ไม่ใช่รูปแบบของการนำเข้านั้นถูกปฏิเสธ (exit 2)",
     {}},
    {"report guarantee-register",
     "report guarantee-register --day DD/MM/YYYY | --month MM/YYYY | --year YYYY [--catalog URL]",
     "รายงานการบันทึกข้อมูลเงินประกันสัญญา",
     "ระบุอย่างใดอย่างหนึ่ง: วัน เดือน หรือปี พิมพ์ตารางของหน้าจอรายงาน คั่นด้วย tab",
     {"day", "month", "year"}},
    {"report",
     "report NAME [เงื่อนไข] [--xlsx FILE] [--pdf FILE] [--catalog URL]",
     "พิมพ์ตารางของหน้าจอรายงาน คั่นด้วย tab",
     "เงื่อนไขแต่ละข้อคือช่องของหน้าจอที่ติ๊กและพิมพ์ค่าไว้ --pdf: แฟ้ม PDF ขนาด A4 แบบที่หน้าจอ"
     "รายงานบันทึก (ชื่อรายงาน เงื่อนไข หัวตารางทุกหน้า เลขหน้า วันที่พิมพ์) ไม่พบข้อมูล: "
     "ข้อความไปทาง standard error และไม่พิมพ์หรือเขียนสิ่งใด รายงานเงินประกันสัญญา: "
     "vostrel-admin report guarantee-register --help",
     {"xlsx", "pdf"}},
    {"guarantee add",
     "guarantee add --from-site TEXT --topic TEXT [ตัวเลือก] [--catalog URL]",
     "บันทึกเงินประกันสัญญาเรื่องใหม่ พิมพ์เลขที่เอกสาร",
     "เหมือนการบันทึกของหน้าจอบันทึกเงินประกันสัญญา ใช้เลขที่ถัดไปของปีปัจจุบันของเครื่องแม่ข่าย "
     "ช่องที่ไม่ระบุเป็นเหมือนแบบฟอร์มใหม่",
     {"from-site", "topic", "from-unit", "amount", "fax", "tel", "to-who", "date", "into-fin",
      "remark", "place", "count"}},
    {"guarantee receive",
     "guarantee receive KEY --date DD/MM/YYYY [--catalog URL]",
     "บันทึกวันที่รับเช็คของเงินประกันสัญญา",
     "KEY คือเลขที่เอกสารเงินประกันสัญญาที่มีในฐานข้อมูล",
     {"date"}},
    // The notice command comes with its own branch; its text is here for when it arrives.
    {"notice",
     "notice KEY --pdf FILE [--place bank|finance] [--catalog URL]",
     "เขียนหนังสือแจ้งของเงินประกันสัญญาเป็นแฟ้ม PDF หนึ่งหน้า",
     "หน้าเดียวกับที่หน้าจอบันทึกเงินประกันสัญญาแสดงตัวอย่าง KEY คือเลขที่เอกสารเงินประกันสัญญา",
     {"pdf", "place"}},
    {"load",
     "load TABLE FILE [--encoding utf-8|tis-620] [--replace] [--catalog URL]",
     "บันทึกแถวของตารางจากแฟ้มข้อความที่คั่นด้วยจุลภาคหรือ tab",
     "บรรทัดแรกเป็นชื่อคอลัมน์ เรียงลำดับใดก็ได้ คอลัมน์ที่ไม่มีเก็บเป็นค่าว่าง (NULL) "
     "ช่องที่มีตัวคั่น เครื่องหมายคำพูด หรือขึ้นบรรทัดใหม่อยู่ในเครื่องหมายคำพูด \"...\" "
     "ช่องว่างที่ไม่มีเครื่องหมายคำพูดคือ NULL ส่วน \"\" คือข้อความว่าง "
     "บันทึกทุกแถวในธุรกรรมเดียว: ทุกแถวหรือไม่มีเลย แถวที่ยาวเกินคอลัมน์ ไม่ใช่ตัวเลข "
     "หรือคีย์ซ้ำ บอกเลขบรรทัดของแฟ้ม (หัวตารางคือบรรทัด 1) และแถวที่เท่าใด",
     {"encoding", "replace"}},
    {"dump",
     "dump TABLE [FILE] [--encoding utf-8|tis-620] [--separator comma|tab] [--catalog URL]",
     "เขียนแถวของตารางเป็นแฟ้มข้อความแบบที่ load อ่าน",
     "ไม่ระบุ FILE: เขียนออกทาง standard output แถวเรียงตามคีย์ วันเวลาเป็น "
     "yyyy-MM-dd HH:mm:ss.zzz ย้ายฐานข้อมูลระหว่าง SQLite และ PostgreSQL ได้โดยไม่สูญข้อมูล: "
     "dump ทุกตารางจากฐานข้อมูลเดิม แล้ว load --replace ทุกตารางในฐานข้อมูลใหม่ที่สร้างด้วย init",
     {"encoding", "separator"}},
    {"audit",
     "audit [KEY] [--from DD/MM/YYYY] [--to DD/MM/YYYY] [--user NAME] [--catalog URL]",
     "พิมพ์ประวัติการแก้ไขข้อมูล คั่นด้วย tab",
     "บรรทัดแรกเป็นหัวตาราง: เวลา ผู้ใช้ เครื่อง ตาราง รหัส คอลัมน์ ค่าเดิม ค่าใหม่ "
     "แล้วบรรทัดละคอลัมน์ที่เปลี่ยน เรียงจากเก่าไปใหม่ การเข้าสู่ระบบมีตารางว่างและชื่อเหตุการณ์แทนคอลัมน์ "
     "KEY: เฉพาะแถวที่มีรหัสนั้น (เช่นเลขที่เอกสาร QDTX2557/00001) --from และ --to: ช่วงวัน (ปี พ.ศ.) "
     "--user: เฉพาะผู้ใช้นั้น ไม่บันทึกรหัสผ่าน มีแต่การเปลี่ยน ช่องที่มี tab หรือขึ้นบรรทัดใหม่เขียนเป็น \\t \\n",
     {"from", "to", "user"}},
    {"audit verify",
     "audit verify [--catalog URL]",
     "ตรวจสายรหัสตรวจสอบของประวัติการแก้ไขข้อมูลทั้งหมด",
     "ครบถ้วน: exit 0 ไม่ครบหรือมีรายการถูกแก้ไขหลังบันทึก: exit 1 พร้อมเลขที่ของรายการแรกที่ไม่ตรง",
     {}},
    {"summary",
     "summary --from DD/MM/YYYY --to DD/MM/YYYY [--target N] [--by officer|type|month] "
     "[--xlsx FILE | --pdf FILE] [--catalog URL]",
     "สรุปจำนวนวันทำการของเรื่องที่เสร็จสิ้นเทียบกับเป้าหมาย คั่นด้วย tab",
     "เรื่องที่เสร็จสิ้น (สถานะ 4) ซึ่งวันที่เรื่องออกจากกองอยู่ระหว่าง --from ถึง --to รวมทั้งสองวัน "
     "นับวันทำการแบบรายงานแสดงจำนวนวันที่อยู่ในกองคลัง เรื่องที่ไม่มีวันที่เข้ากองไม่นับ "
     "พิมพ์หัวตารางหนึ่งบรรทัด แล้วบรรทัดละกลุ่ม: กลุ่ม (รหัสผู้รับผิดชอบ รหัสประเภทเอกสาร "
     "หรือเดือน mm/yyyy ปี พ.ศ.; ว่างสำหรับเรื่องที่ไม่มี) จำนวนเรื่อง ค่าเฉลี่ย มัธยฐาน "
     "เปอร์เซ็นไทล์ที่ 90 (nearest rank) จำนวนเรื่องภายในเป้าหมาย ร้อยละภายในเป้าหมาย "
     "และรหัสเรื่องที่ใช้เวลานานที่สุด ไม่พบข้อมูล: ข้อความไปทาง standard error "
     "และไม่พิมพ์หรือเขียนสิ่งใด --xlsx: แฟ้ม Excel ของตารางกลุ่มแบบที่หน้าจอบันทึก "
     "--pdf: แฟ้ม PDF ขนาด A4 ของตารางเดียวกัน พร้อมชื่อรายงานและเงื่อนไข ระบุได้อย่างใดอย่างหนึ่ง",
     {"from", "to", "target", "by", "xlsx", "pdf"}},
};

constexpr int Width = 100;
constexpr int AboutColumn = 30;

// The text broken at blanks into lines of at most Width characters, every line after the first
// indented; first is what the first line starts with.
QString wrapped(const QString &first, const QString &text, int indent)
{
    QString out;
    QString line = first;
    for (const QString &word : text.split(u' ', Qt::SkipEmptyParts)) {
        const bool fresh = line.size() <= indent && line.trimmed().isEmpty();
        if (!fresh && line.size() > indent && line.size() + 1 + word.size() > Width) {
            out += line + u'\n';
            line = QString(indent, u' ');
        } else if (!fresh && !line.endsWith(u' ')) {
            line += u' ';
        }
        line += word;
    }
    return out + line + u'\n';
}

const OptionText *optionNamed(const QString &name)
{
    for (const OptionText &o : Options) {
        if (name == QLatin1String(o.name))
            return &o;
    }
    return nullptr;
}

QString optionLine(const QString &name)
{
    const OptionText *o = optionNamed(name);
    QString head = QStringLiteral("  --") + name;
    if (o && o->value)
        head += u' ' + QLatin1String(o->value);
    const QString about = o ? QString::fromUtf8(o->about) : QString::fromUtf8(NoHelpYet);
    if (head.size() >= AboutColumn - 2)
        return head + u'\n' + wrapped(QString(AboutColumn, u' '), about, AboutColumn);
    return wrapped(head.leftJustified(AboutColumn, u' '), about, AboutColumn);
}

const CommandText *textOf(const QString &words)
{
    for (const CommandText &c : Commands) {
        if (words == QLatin1String(c.words))
            return &c;
    }
    return nullptr;
}

bool usesCatalog(const QString &words)
{
    return words != QLatin1String("preview");
}

// The reports by name, each with its options as the usage gives them.
QString reportList()
{
    QString out = QStringLiteral("\nรายงาน (NAME) และเงื่อนไข:\n");
    QStringList names;
    for (const ReportCommand &command : reportCommands()) {
        QString line = QStringLiteral("  %1").arg(QLatin1String(command.name), -20);
        for (const ReportOption &option : command.options) {
            const QString form = optionForm(command, option);
            if (line.size() + 1 + form.size() > 100) {
                out += line + u'\n';
                line = QString(22, u' ');
            } else if (!line.endsWith(u' ')) {
                line += u' ';
            }
            line += form;
            if (!names.contains(QLatin1String(option.name)))
                names << QLatin1String(option.name);
        }
        out += line + u'\n';
    }
    out += QStringLiteral("\nเงื่อนไข:\n");
    for (const QString &name : names)
        out += optionLine(name);
    return out;
}

QString oneCommand(const QString &words)
{
    const CommandText *c = textOf(words);
    if (!c)
        return QStringLiteral("vostrel-admin %1  %2\n").arg(words, QString::fromUtf8(NoHelpYet));
    QString out = QStringLiteral("ใช้: vostrel-admin ") + QString::fromUtf8(c->form) + u'\n';
    out += u'\n' + wrapped(QString(), QString::fromUtf8(c->purpose), 0);
    if (*c->details)
        out += wrapped(QString(), QString::fromUtf8(c->details), 0);
    QStringList options;
    for (const char *o : c->options)
        options << QLatin1String(o);
    if (usesCatalog(words))
        options << QStringLiteral("catalog") << QStringLiteral("trace");
    out += QStringLiteral("\nตัวเลือก:\n");
    for (const QString &o : options)
        out += optionLine(o);
    if (words == QLatin1String("report"))
        out += reportList();
    return out;
}

} // namespace

QString toolHelp(const QStringList &commands)
{
    QString out =
        QStringLiteral("vostrel-admin %1: เครื่องมือผู้ดูแลระบบของ Vostrel\n").arg(programVersion());
    out +=
        QStringLiteral("ใช้: vostrel-admin COMMAND [ตัวเลือก]\n"
                       "     vostrel-admin COMMAND --help   (รูปแบบ ความหมาย และตัวเลือกของคำสั่ง)\n");
    out += QStringLiteral("\nคำสั่ง:\n");
    for (const QString &words : commands) {
        const CommandText *c = textOf(words);
        const QString purpose = c ? QString::fromUtf8(c->purpose) : QString::fromUtf8(NoHelpYet);
        out += QStringLiteral("  %1%2\n").arg(words, -28).arg(purpose);
    }
    out += QStringLiteral("\nตัวเลือกของทุกคำสั่งที่ใช้ฐานข้อมูล:\n");
    for (const char *o : {"catalog", "trace"})
        out += optionLine(QLatin1String(o));
    out += QStringLiteral("\nตัวเลือกอื่น:\n");
    for (const char *o : {"help", "version"})
        out += optionLine(QLatin1String(o));
    out += u'\n' + wrapped(QString(),
                           QStringLiteral("ไม่ระบุ --catalog: ใช้ฐานข้อมูลตามแฟ้มตั้งค่า "
                                          "(ปกติคือฐานข้อมูลในเครื่อง "
                                          "~/.local/share/vostrel/catalog.sqlite)"),
                           0);
    out += wrapped(QString(),
                   QStringLiteral("ข้อมูลผิดรูปแบบ: ข้อความหนึ่งบรรทัดและรหัสออก 2 โดยไม่เขียนสิ่งใด; "
                                  "ฐานข้อมูลขัดข้อง: ข้อความของฐานข้อมูลและรหัสออก 1"),
                   0);
    return out;
}

QString commandHelp(const QStringList &words, const QStringList &commands)
{
    const QString given = words.join(u' ');
    QStringList named;
    if (commands.contains(given)) {
        named << given;
    } else {
        for (const QString &c : commands) {
            if (c.startsWith(given + u' '))
                named << c;
        }
    }
    // "report days-in-division --help": the words after the command's own are its operands.
    if (named.isEmpty()) {
        for (const QString &c : commands) {
            if (given.startsWith(c + u' ')) {
                named << c;
                break;
            }
        }
    }
    QStringList parts;
    for (const QString &c : named)
        parts << oneCommand(c);
    return parts.join(u'\n');
}

} // namespace admin
