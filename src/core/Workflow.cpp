#include "core/Workflow.h"

#include "data/Connection.h"
#include "data/Statement.h"
#include "data/schema.h"
#include "util/Utility.h"

using browse::Field;
using browse::FieldKind;
using criteria::Criterion;
using criteria::Input;

namespace {

QString s(const char *text)
{
    return QString::fromUtf8(text);
}

Field shown(const char *name, const char *label, const char *column)
{
    Field f;
    f.objectName = s(name);
    f.label = s(label);
    f.column = s(column);
    f.kind = FieldKind::Shown;
    f.written = false;
    return f;
}

Field edit(const char *name, const char *label, const char *column, int maxLength = 0,
           const char *required = nullptr)
{
    Field f;
    f.objectName = s(name);
    f.label = s(label);
    f.column = s(column);
    f.maxLength = maxLength;
    if (required)
        f.requiredMessage = s(required);
    return f;
}

Field choice(const char *name, const char *label, const char *column, int take = 0)
{
    Field f = edit(name, label, column);
    f.kind = FieldKind::Choice;
    f.take = take;
    return f;
}

Field flag(const char *name, const char *caption, const char *column, const QString &checked,
           const QString &unchecked, const QString &group)
{
    Field f = edit(name, caption, column);
    f.kind = FieldKind::Check;
    f.checkedCode = checked;
    f.uncheckedCode = unchecked;
    f.group = group;
    return f;
}

// The cheque flags: "รับเช็ค" stores A or N, "เสร็จสิ้น" S or N.
Field chequeCollected(const char *name, const QString &group = {})
{
    return flag(name, "รับเช็ค", "IS_Rec_Cheq", schema::code::ChequeCollected,
                schema::code::ChequeNotCollected, group);
}

Field finished(const char *name, const QString &group = {})
{
    return flag(name, "เสร็จสิ้น", "IS_Success", schema::code::SuccessYes, schema::code::SuccessNo,
                group);
}

Field stamp(const char *column, browse::StampValue value)
{
    Field f;
    f.column = s(column);
    f.kind = FieldKind::Stamp;
    f.stamp = value;
    f.load = browse::Load::Nothing;
    return f;
}

Criterion textCriterion(const char *box, const char *caption, const char *field, const char *before,
                        const char *after)
{
    return criteria::makeCriterion(s(box), s(caption), s(field), Input::Text, s(before), s(after));
}

// The details the later stages show of the earlier ones.
QList<Field> voucherDetails()
{
    return {shown("edtKumDeega_No2", "ทะเบียนคุมฎีกา", "KumDeega_No"),
            shown("edtSumkun_No2", "เลขที่ใบสำคัญ", "Sumkun_No"),
            shown("edtCompany_Rec_Cheq2", "ชื่อบริษัท/ผู้รับเช็ค", "Company_Rec_Cheq"),
            shown("edtDeega_No2", "เลขที่ฏีกา", "Deega_No"),
            shown("edtRec_Cheq_Branch2", "รับเช็คที่", "Rec_Cheq_Branch")};
}

QStringList codeAndName(db::Connection &c, const db::Statement &statement, const char *code,
                        const char *name)
{
    QStringList items;
    db::Rows rows = c.select(statement);
    while (rows.next())
        items << rows.text(QLatin1String(code)) + QStringLiteral(" ") +
                     rows.text(QLatin1String(name));
    return items;
}

} // namespace

namespace deega_veq {

browse::Shape shape()
{
    browse::Shape sh;
    sh.searchTitle = s("การรับเรื่องวางฏีกา");
    sh.editTitle = s("การบันทึกรับเรื่องวางฏีกา");
    sh.criteria = {browse::docNumberCriterion(), browse::docDateCriterion(),
                   browse::topicCriterion()};
    sh.stageColumn = s("Per_Code");
    sh.entryTimeColumn = s("Date_Ent_Asign");
    // After the Per_Code, register, company and remark lines, before the document type.
    sh.entryTimeAt = 4;
    sh.colCount = 7;
    sh.headers = {s("No"), s("รหัส"), s("DocNumber"), s("DocDate"), s("Topic"), s("FromSite")};
    sh.columns = {s("Doc_PK"), s("DocNumber"), s("DocDate"), s("Topic"), s("FromSite")};
    sh.trim = browse::Trim::Space;
    sh.chooseCaption = s("3. บันทึกผู้รับผิดชอบ");
    sh.stageGroup = s("บันทึกการรับเรื่องวางฏีกา");
    // The checks are the screen's own: the officer must exist in TR_PerSon.
    sh.fields = {choice("cmbPer_Code2", "ส่งต่อให้กับ", "Per_Code", 2),
                 choice("cmbDocType_Code2", "ประเภทเอกสาร", "DocType_Code", 2),
                 edit("edtKumDeega_No2", "ทะเบียนคุมฎีกา", "KumDeega_No", 20),
                 edit("edtCompany_Rec_Cheq2", "ชื่อบริษัท/ผู้รับเช็ค", "Company_Rec_Cheq", 150),
                 edit("edtRemark1", "หมายเหตุ", "Remark1", 250)};
    sh.writeOrder = {s("Per_Code"), s("KumDeega_No"), s("Company_Rec_Cheq"), s("Remark1"),
                     s("DocType_Code")};
    return sh;
}

QString completeKey(const QString &typed, const QString &todayThai)
{
    if (typed.size() == 14)
        return typed;
    return QStringLiteral("QDTX") + todayThai.mid(6, 4) + QStringLiteral("/") +
           Right_Chars(QStringLiteral("00000") + Trim_Space(typed), 5);
}

db::Statement officerListStatement()
{
    return {QStringLiteral("SELECT *"), QStringLiteral("FROM TR_PerSon"),
            QStringLiteral("Where Per_status ='A'"), QStringLiteral("Order By Per_Name")};
}

db::Statement docTypeListStatement()
{
    return {QStringLiteral("SELECT *"), QStringLiteral("FROM TR_DocType"),
            QStringLiteral("order by doctype_code")};
}

db::Statement officerStatement(const QString &code)
{
    return {QStringLiteral("SELECT *"), QStringLiteral("FROM TR_PerSon"),
            QStringLiteral("Where per_code = '") + db::sqlText(code) + QStringLiteral("'")};
}

db::Statement insertStatement(const QString &key, const QString &code, const QString &registerNo,
                              const QString &company, const QString &remark, const QString &type)
{
    const QString k = db::sqlText(key);
    return {QStringLiteral("INSERT INTO Main_Deega_Control"),
            QStringLiteral("(Doc_PK, DocNo"),
            QStringLiteral(", Per_Code, KumDeega_No, Company_Rec_Cheq"),
            QStringLiteral(", Remark1, Date_Ent_Asign, DocType_Code )"),
            QStringLiteral("VALUES"),
            QStringLiteral("('") + k + QStringLiteral("','") + k + QStringLiteral("'"),
            QStringLiteral(",'") + db::sqlText(code) + QStringLiteral("','") +
                db::sqlText(registerNo) + QStringLiteral("','") + db::sqlText(company) +
                QStringLiteral("'"),
            QStringLiteral(",'") + db::sqlText(remark) + QStringLiteral("',CURRENT_TIMESTAMP,'") +
                db::sqlText(type) + QStringLiteral("')")};
}

bool insertDocument(db::Connection &c, const QString &key, const browse::Entered &entered)
{
    const auto v = [&](const char *column) { return entered.value(QLatin1String(column)); };
    try {
        c.execute(insertStatement(key, leftChars(v("Per_Code"), 2), v("KumDeega_No"),
                                  v("Company_Rec_Cheq"), v("Remark1"),
                                  leftChars(v("DocType_Code"), 2)));
        return true;
    } catch (const db::Error &) {
        // Written meanwhile by another station (or its import): the caller updates it.
        if (!c.exists(browse::lookupStatement(key)))
            throw;
    }
    return false;
}

QStringList officerItems(db::Connection &c)
{
    return codeAndName(c, officerListStatement(), "Per_Code", "Per_Name");
}

QStringList docTypeItems(db::Connection &c)
{
    return codeAndName(c, docTypeListStatement(), "DocType_Code", "DocType_Name");
}

bool officerKnown(db::Connection &c, const QString &code)
{
    return c.exists(officerStatement(code));
}

} // namespace deega_veq

namespace deega_no {

browse::Shape shape()
{
    browse::Shape sh;
    sh.searchTitle = sh.editTitle = s("การบันทึกเลขที่ฏีกา");
    sh.criteria = {
        browse::docNumberCriterion(), browse::docDateCriterion(), browse::topicCriterion(),
        textCriterion("CheckBox4", "ทะเบียนคุมฎีกา", "edtKumDeega_No1", "And (KumDeega_No like'%",
                      "%')"),
        textCriterion("CheckBox5", "เลขที่ใบสำคัญ", "edtSumkun_No1", "And (Sumkun_No like '%", "%')")};
    sh.stageColumn = s("Deega_No");
    sh.entryTimeColumn = s("Date_Ent_Deega");
    browse::voucherGrid(sh, false);
    sh.trim = browse::Trim::Text;
    sh.chooseCaption = s("3. บันทึกเลขที่ฏีการ");
    sh.stageGroup = s("บันทึกเลขที่ฏีกา");
    Field place = choice("cmbRec_Cheq_Branch2", "รับเช็คที่", "Rec_Cheq_Branch");
    place.requiredMessage = s("กรุณาเลือกสถานที่รับเช็คด้วย");
    place.items = chequePlaces();
    sh.fields = {shown("edtKumDeega_No2", "ทะเบียนคุมฎีกา", "KumDeega_No"),
                 shown("edtCompany_Rec_Cheq2", "ชื่อบริษัท/ผู้รับเช็ค", "Company_Rec_Cheq"),
                 edit("edtDeega_No2", "ใส่เลขที่ฏีกา", "Deega_No", 0, "กรุณาใส่เลขที่ฏีกาด้วย"),
                 edit("edtSumkun_No2", "เลขที่ใบตั้งหนี้ฏีกา", "Sumkun_No", 20), place};
    return sh;
}

QStringList chequePlaces()
{
    return {QStringLiteral("SCB ชิดลม"), QStringLiteral("กองคลัง Orvaleth")};
}

} // namespace deega_no

namespace nud_rec_cheq {

browse::Shape shape()
{
    browse::Shape sh;
    sh.searchTitle = sh.editTitle = s("การบันทึกนัดรับเช็ค");
    sh.criteria = {browse::docNumberCriterion(), browse::docDateCriterion(),
                   browse::topicCriterion(), browse::deegaNoCriterion()};
    sh.stageColumn = s("Date_Nud_Rec_Cheq");
    sh.entryTimeColumn = s("Date_Ent_Nud_rec_Cheq");
    browse::voucherGrid(sh, true);
    sh.trim = browse::Trim::Text;
    sh.blankRowOnNoResult = true;
    sh.chooseCaption = s("3. บันทึกนัดรับเช็ค");
    sh.stageGroup = s("บันทึกนัดรับเช็ค");
    sh.fields = voucherDetails();
    sh.fields << chequeCollected("CheckBox5") << finished("CheckBox6")
              << edit("edtDate_Nud_Rec_Cheq2", "นัดรับเช็ควันที่", "Date_Nud_Rec_Cheq", 10,
                      "กรุณาใส่วันที่รับเช็คด้วย");
    sh.fields.back().dayText = true;
    return sh;
}

bool tickedFrom(const QString &storedFlag)
{
    return storedFlag != QLatin1String("N");
}

} // namespace nud_rec_cheq

namespace lastday_into_fin {

browse::Shape shape()
{
    browse::Shape sh;
    sh.searchTitle = sh.editTitle = s("การบันทึกวันที่เข้ากองคลังครั้งสุดท้าย");
    sh.criteria = {browse::docNumberCriterion(), browse::docDateCriterion(),
                   browse::topicCriterion(), browse::deegaNoCriterion()};
    browse::voucherGrid(sh, true);
    sh.trim = browse::Trim::Space;
    sh.blankRowOnNoResult = true;
    sh.chooseCaption = s("3. บันทึกข้อมูล");
    sh.stageGroup = s("บันทึกวันที่เข้ากองคลังครั้งสุดท้าย");
    Field date = edit("edtDate_Into_Fin", "วันที่เข้ากองคลังครั้งสุดท้าย", "Date_Into_Fin", 0,
                      "กรุณาใส่วันที่เข้ากองคลังครั้งสุดท้ายด้วย");
    date.kind = FieldKind::Date;
    date.load = browse::Load::NormDate;
    sh.fields = voucherDetails();
    sh.fields << date;
    return sh;
}

} // namespace lastday_into_fin

namespace doc_no {

browse::Shape shape()
{
    browse::Shape sh;
    sh.searchTitle = sh.editTitle = s("การบันทึกเลขที่เอกสาร");
    sh.criteria = {
        browse::docNumberCriterion(), browse::docDateCriterion(), browse::topicCriterion(),
        // Ends-with: no wildcard after the text.
        textCriterion("CheckBox4", "ทะเบียนคุมฎีกา", "edtKumDeega_No1", "And (KumDeega_No like'%",
                      "')"),
        textCriterion("CheckBox5", "เลขที่ใบสำคัญ", "edtSumkun_No1", "And (Sumkun_No like '%", "%')"),
        textCriterion("CheckBox6", "จากส่วนงาน(From Site)", "edtFromSite1", "And (FromSite like '%",
                      "%')"),
        textCriterion("CheckBox7", "ปีเอกสาร", "edtYear_DocNoDate1", "And (DocNoDate like '%",
                      "%')")};
    sh.colCount = 11;
    sh.headers = {s("No"),          s("รหัส"),        s("DocNumber"),
                  s("DocDate"),     s("Topic"),      s("FromSite"),
                  s("ทะเบียนคุมฏีกา"), s("เลขทีใบสำคัญ"), s("เลขที SAP(Doc เบิก) "),
                  s("ปีงบประมาณ"),   s("หมายเหตุ")};
    sh.columns = {s("Doc_PK"),          s("DocNumber"),     s("DocDate"),   s("Topic"),
                  s("FromSite"),        s("KumDeega_No"),   s("Sumkun_No"), s("SAP_Doc_No"),
                  s("SAP_Fiscal_Year"), s("SAP_Doc_Remark")};
    sh.topicWidth = 400;
    sh.trim = browse::Trim::Text;
    sh.rereadOnSave = false;
    sh.searchAfterSave = true;
    sh.chooseCaption = s("3. บันทึกเลขที่เอกสาร");
    sh.stageGroup = s("บันทึกเลขที่ฏีกา");

    Field year = edit("edtSAP_Fiscal_Year2", "ปีงบประมาณ(คริสตศักราช)", "SAP_Fiscal_Year", 4);
    year.load = browse::Load::OrFiscalYear;
    Field date = edit("edtDate_Nud_Rec_Cheq2", "นัดรับเช็ควันที่", "Date_Nud_Rec_Cheq", 10);
    date.dayText = true;
    const QString cheque = s("GroupBox7");
    date.group = cheque;
    Field collected = chequeCollected("CheckBox8", cheque);
    collected.groupCaption = s("บันทึกนัดรับเช็ค");
    sh.fields = {shown("edtKumDeega_No2", "ทะเบียนคุมฎีกา", "KumDeega_No"),
                 shown("edtCompany_Rec_Cheq2", "ชื่อบริษัท/ผู้รับเช็ค", "Company_Rec_Cheq"),
                 edit("edtSAP_Doc_No2", "ใส่เลขเอกสาร( SAP Document No)", "SAP_Doc_No", 10),
                 year,
                 edit("edtSAP_Doc_Remark2", "หมายเหตุ", "SAP_Doc_Remark", 150),
                 stamp("User_Key_Doc", browse::StampValue::LoginUser),
                 stamp("Date_Key_Doc", browse::StampValue::TodayThai),
                 collected,
                 finished("CheckBox9", cheque),
                 date};
    sh.writeOrder = {s("SAP_Doc_No"),   s("SAP_Fiscal_Year"),  s("User_Key_Doc"),
                     s("Date_Key_Doc"), s("SAP_Doc_Remark"),   s("IS_Rec_Cheq"),
                     s("IS_Success"),   s("Date_Nud_Rec_Cheq")};
    return sh;
}

QString fiscalYearShown(const QString &stored, const QString &sessionFiscalYear)
{
    return stored.isEmpty() ? sessionFiscalYear : stored;
}

} // namespace doc_no
