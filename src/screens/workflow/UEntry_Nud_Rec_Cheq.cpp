#include "screens/workflow/UEntry_Nud_Rec_Cheq.h"

#include "data/Connection.h"
#include "data/schema.h"
#include "util/Utility.h"

#include <QCheckBox>
#include <QLineEdit>

namespace nud_rec_cheq {

browse::Shape shape()
{
    browse::Shape s;
    s.searchTitle = s.editTitle = QStringLiteral("การบันทึกนัดรับเช็ค");
    s.criteria = {browse::docNumberCriterion(), browse::docDateCriterion(),
                  browse::topicCriterion(), browse::deegaNoCriterion()};
    s.stageColumn = QStringLiteral("Date_Nud_Rec_Cheq");
    s.entryTimeColumn = QStringLiteral("Date_Ent_Nud_rec_Cheq");
    browse::voucherGrid(s, true);
    s.trim = browse::Trim::Text;
    s.blankRowOnNoResult = true;
    s.chooseCaption = QStringLiteral("3. บันทึกนัดรับเช็ค");
    s.stageGroup = QStringLiteral("บันทึกนัดรับเช็ค");
    return s;
}

bool tickedFrom(const QString &storedFlag)
{
    return storedFlag != QLatin1String("N");
}

} // namespace nud_rec_cheq

TfrmEntry_Nud_Rec_Cheq::TfrmEntry_Nud_Rec_Cheq(Session &session, QWidget *parent)
    : Browse_Edit_Screen(session, QStringLiteral("frmEntry_Nud_Rec_Cheq"), nud_rec_cheq::shape(),
                         parent)
{
    edtKumDeega_No2 = addDetail(QStringLiteral("edtKumDeega_No2"), QStringLiteral("ทะเบียนคุมฎีกา"));
    edtSumkun_No2 = addDetail(QStringLiteral("edtSumkun_No2"), QStringLiteral("เลขที่ใบสำคัญ"));
    edtCompany_Rec_Cheq2 =
        addDetail(QStringLiteral("edtCompany_Rec_Cheq2"), QStringLiteral("ชื่อบริษัท/ผู้รับเช็ค"));
    edtDeega_No2 = addDetail(QStringLiteral("edtDeega_No2"), QStringLiteral("เลขที่ฏีกา"));
    edtRec_Cheq_Branch2 =
        addDetail(QStringLiteral("edtRec_Cheq_Branch2"), QStringLiteral("รับเช็คที่"));
    CheckBox5 = addStageCheck(GroupBox6, QStringLiteral("CheckBox5"), QStringLiteral("รับเช็ค"));
    CheckBox6 = addStageCheck(GroupBox6, QStringLiteral("CheckBox6"), QStringLiteral("เสร็จสิ้น"));
    edtDate_Nud_Rec_Cheq2 =
        addStageEdit(QStringLiteral("edtDate_Nud_Rec_Cheq2"), QStringLiteral("นัดรับเช็ควันที่"), 10);
}

void TfrmEntry_Nud_Rec_Cheq::loadChosen(db::Rows &row)
{
    edtKumDeega_No2->setText(row.text(QStringLiteral("KumDeega_No")));
    edtSumkun_No2->setText(row.text(QStringLiteral("Sumkun_No")));
    edtCompany_Rec_Cheq2->setText(row.text(QStringLiteral("Company_Rec_Cheq")));
    edtDeega_No2->setText(row.text(QStringLiteral("Deega_No")));
    edtRec_Cheq_Branch2->setText(row.text(QStringLiteral("Rec_Cheq_Branch")));
    edtDate_Nud_Rec_Cheq2->setText(row.text(QStringLiteral("Date_Nud_Rec_Cheq")));
    CheckBox5->setChecked(nud_rec_cheq::tickedFrom(row.text(QStringLiteral("IS_Rec_Cheq"))));
    CheckBox6->setChecked(nud_rec_cheq::tickedFrom(row.text(QStringLiteral("IS_Success"))));
}

bool TfrmEntry_Nud_Rec_Cheq::checkFields()
{
    if (Trim_Text(edtDate_Nud_Rec_Cheq2->text()).isEmpty()) {
        showMessage(QStringLiteral("กรุณาใส่วันที่รับเช็คด้วย"));
        edtDate_Nud_Rec_Cheq2->setFocus();
        return false;
    }
    return true;
}

QStringList TfrmEntry_Nud_Rec_Cheq::assignmentLines() const
{
    using namespace schema::code;
    const QString flag1 = CheckBox5->isChecked() ? Cheque_Collected : Cheque_NotCollected;
    const QString flag2 = CheckBox6->isChecked() ? Success_Yes : Success_No;
    return {browse::assignment(true, QStringLiteral("IS_Rec_Cheq"), flag1),
            browse::assignment(false, QStringLiteral("IS_Success"), flag2),
            browse::assignment(false, QStringLiteral("Date_Nud_Rec_Cheq"),
                               edtDate_Nud_Rec_Cheq2->text())};
}
