#include "screens/workflow/UEntry_Doc_No.h"

#include "data/Connection.h"
#include "data/schema.h"
#include "screens/common/EnterMovesOn.h"
#include "screens/common/Session.h"
#include "screens/workflow/UEntry_Nud_Rec_Cheq.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>

namespace doc_no {

browse::Shape shape()
{
    browse::Shape s;
    s.searchTitle = s.editTitle = QStringLiteral("การบันทึกเลขที่เอกสาร");
    s.criteria = {browse::docNumberCriterion(),
                  browse::docDateCriterion(),
                  browse::topicCriterion(),
                  // Ends-with: no wildcard after the text.
                  {QStringLiteral("CheckBox4"), QStringLiteral("ทะเบียนคุมฎีกา"),
                   QStringLiteral("edtKumDeega_No1"), false,
                   QStringLiteral("And (KumDeega_No like'%"), QStringLiteral("')")},
                  {QStringLiteral("CheckBox5"), QStringLiteral("เลขที่ใบสำคัญ"),
                   QStringLiteral("edtSumkun_No1"), false, QStringLiteral("And (Sumkun_No like '%"),
                   QStringLiteral("%')")},
                  {QStringLiteral("CheckBox6"), QStringLiteral("จากส่วนงาน(From Site)"),
                   QStringLiteral("edtFromSite1"), false, QStringLiteral("And (FromSite like '%"),
                   QStringLiteral("%')")},
                  {QStringLiteral("CheckBox7"), QStringLiteral("ปีเอกสาร"),
                   QStringLiteral("edtYear_DocNoDate1"), false,
                   QStringLiteral("And (DocNoDate like '%"), QStringLiteral("%')")}};
    s.colCount = 11;
    s.headers = {QStringLiteral("No"),
                 QStringLiteral("รหัส"),
                 QStringLiteral("DocNumber"),
                 QStringLiteral("DocDate"),
                 QStringLiteral("Topic"),
                 QStringLiteral("FromSite"),
                 QStringLiteral("ทะเบียนคุมฏีกา"),
                 QStringLiteral("เลขทีใบสำคัญ"),
                 QStringLiteral("เลขที SAP(Doc เบิก) "),
                 QStringLiteral("ปีงบประมาณ"),
                 QStringLiteral("หมายเหตุ")};
    s.columns = {QStringLiteral("Doc_PK"),          QStringLiteral("DocNumber"),
                 QStringLiteral("DocDate"),         QStringLiteral("Topic"),
                 QStringLiteral("FromSite"),        QStringLiteral("KumDeega_No"),
                 QStringLiteral("Sumkun_No"),       QStringLiteral("SAP_Doc_No"),
                 QStringLiteral("SAP_Fiscal_Year"), QStringLiteral("SAP_Doc_Remark")};
    s.topicWidth = 400;
    s.trim = browse::Trim::Text;
    s.rereadOnSave = false;
    s.searchAfterSave = true;
    s.chooseCaption = QStringLiteral("3. บันทึกเลขที่เอกสาร");
    s.stageGroup = QStringLiteral("บันทึกเลขที่ฏีกา");
    return s;
}

QString fiscalYearShown(const QString &stored, const QString &sessionFiscalYear)
{
    return stored.isEmpty() ? sessionFiscalYear : stored;
}

} // namespace doc_no

TfrmEntry_Doc_No::TfrmEntry_Doc_No(Session &session, QWidget *parent)
    : Browse_Edit_Screen(session, QStringLiteral("frmEntry_Doc_No"), doc_no::shape(), parent)
{
    setWindowTitle(QStringLiteral("การบันทึกเลขที่เอกสาร"));
    edtKumDeega_No2 = addDetail(QStringLiteral("edtKumDeega_No2"), QStringLiteral("ทะเบียนคุมฎีกา"));
    edtCompany_Rec_Cheq2 =
        addDetail(QStringLiteral("edtCompany_Rec_Cheq2"), QStringLiteral("ชื่อบริษัท/ผู้รับเช็ค"));
    edtSAP_Doc_No2 = addStageEdit(QStringLiteral("edtSAP_Doc_No2"),
                                  QStringLiteral("ใส่เลขเอกสาร( SAP Document No)"), 10);
    edtSAP_Fiscal_Year2 = addStageEdit(QStringLiteral("edtSAP_Fiscal_Year2"),
                                       QStringLiteral("ปีงบประมาณ(คริสตศักราช)"), 4);
    edtSAP_Doc_Remark2 =
        addStageEdit(QStringLiteral("edtSAP_Doc_Remark2"), QStringLiteral("หมายเหตุ"), 150);
    QGroupBox *cheque = addEditGroup(QStringLiteral("GroupBox7"), QStringLiteral("บันทึกนัดรับเช็ค"));
    CheckBox8 = addStageCheck(cheque, QStringLiteral("CheckBox8"), QStringLiteral("รับเช็ค"));
    CheckBox9 = addStageCheck(cheque, QStringLiteral("CheckBox9"), QStringLiteral("เสร็จสิ้น"));
    edtDate_Nud_Rec_Cheq2 =
        addEdit(cheque, QStringLiteral("edtDate_Nud_Rec_Cheq2"), QStringLiteral("นัดรับเช็ควันที่"), 10);
    enterMovesOn({edtSAP_Doc_No2, edtSAP_Fiscal_Year2, edtSAP_Doc_Remark2});
}

void TfrmEntry_Doc_No::loadChosen(db::Rows &row)
{
    edtKumDeega_No2->setText(row.text(QStringLiteral("KumDeega_No")));
    edtSAP_Doc_No2->setText(row.text(QStringLiteral("SAP_Doc_No")));
    edtCompany_Rec_Cheq2->setText(row.text(QStringLiteral("Company_Rec_Cheq")));
    edtSAP_Fiscal_Year2->setText(doc_no::fiscalYearShown(
        row.text(QStringLiteral("SAP_Fiscal_Year")), session().Fiscal_Year));
    edtSAP_Doc_Remark2->setText(row.text(QStringLiteral("SAP_Doc_Remark")));
    CheckBox8->setChecked(nud_rec_cheq::tickedFrom(row.text(QStringLiteral("IS_Rec_Cheq"))));
    CheckBox9->setChecked(nud_rec_cheq::tickedFrom(row.text(QStringLiteral("IS_Success"))));
    edtDate_Nud_Rec_Cheq2->setText(row.text(QStringLiteral("Date_Nud_Rec_Cheq")));
}

QStringList TfrmEntry_Doc_No::assignmentLines() const
{
    using namespace schema::code;
    const QString flag1 = CheckBox8->isChecked() ? Cheque_Collected : Cheque_NotCollected;
    const QString flag2 = CheckBox9->isChecked() ? Success_Yes : Success_No;
    return {
        browse::assignment(true, QStringLiteral("SAP_Doc_No"), edtSAP_Doc_No2->text()),
        browse::assignment(false, QStringLiteral("SAP_Fiscal_Year"), edtSAP_Fiscal_Year2->text()),
        browse::assignment(false, QStringLiteral("User_Key_Doc"), session().Login_User),
        browse::assignment(false, QStringLiteral("Date_Key_Doc"), session().Today_Thai),
        browse::assignment(false, QStringLiteral("SAP_Doc_Remark"), edtSAP_Doc_Remark2->text()),
        browse::assignment(false, QStringLiteral("IS_Rec_Cheq"), flag1),
        browse::assignment(false, QStringLiteral("IS_Success"), flag2),
        browse::assignment(false, QStringLiteral("Date_Nud_Rec_Cheq"),
                           edtDate_Nud_Rec_Cheq2->text())};
}
