#include "screens/workflow/UEntry_Deega_No.h"

#include "data/Connection.h"
#include "util/Utility.h"

#include <QComboBox>
#include <QLineEdit>

namespace deega_no {

browse::Shape shape()
{
    browse::Shape s;
    s.searchTitle = s.editTitle = QStringLiteral("การบันทึกเลขที่ฏีกา");
    s.criteria = {browse::docNumberCriterion(),
                  browse::docDateCriterion(),
                  browse::topicCriterion(),
                  {QStringLiteral("CheckBox4"), QStringLiteral("ทะเบียนคุมฎีกา"),
                   QStringLiteral("edtKumDeega_No1"), false,
                   QStringLiteral("And (KumDeega_No like'%"), QStringLiteral("%')")},
                  {QStringLiteral("CheckBox5"), QStringLiteral("เลขที่ใบสำคัญ"),
                   QStringLiteral("edtSumkun_No1"), false, QStringLiteral("And (Sumkun_No like '%"),
                   QStringLiteral("%')")}};
    s.stageColumn = QStringLiteral("Deega_No");
    s.entryTimeColumn = QStringLiteral("Date_Ent_Deega");
    browse::voucherGrid(s, false);
    s.trim = browse::Trim::Text;
    s.chooseCaption = QStringLiteral("3. บันทึกเลขที่ฏีการ");
    s.stageGroup = QStringLiteral("บันทึกเลขที่ฏีกา");
    return s;
}

QStringList chequePlaces()
{
    return {QStringLiteral("SCB ชิดลม"), QStringLiteral("กองคลัง Orvaleth")};
}

} // namespace deega_no

TfrmEntry_Deega_No::TfrmEntry_Deega_No(Session &session, QWidget *parent)
    : Browse_Edit_Screen(session, QStringLiteral("frmEntry_Deega_No"), deega_no::shape(), parent)
{
    edtKumDeega_No2 = addDetail(QStringLiteral("edtKumDeega_No2"), QStringLiteral("ทะเบียนคุมฎีกา"));
    edtCompany_Rec_Cheq2 =
        addDetail(QStringLiteral("edtCompany_Rec_Cheq2"), QStringLiteral("ชื่อบริษัท/ผู้รับเช็ค"));
    edtDeega_No2 = addStageEdit(QStringLiteral("edtDeega_No2"), QStringLiteral("ใส่เลขที่ฏีกา"));
    edtSumkun_No2 =
        addStageEdit(QStringLiteral("edtSumkun_No2"), QStringLiteral("เลขที่ใบตั้งหนี้ฏีกา"), 20);
    cmbRec_Cheq_Branch2 =
        addStageCombo(QStringLiteral("cmbRec_Cheq_Branch2"), QStringLiteral("รับเช็คที่"));
    cmbRec_Cheq_Branch2->addItems(deega_no::chequePlaces());
    cmbRec_Cheq_Branch2->setCurrentIndex(-1);
    cmbRec_Cheq_Branch2->clearEditText();
}

void TfrmEntry_Deega_No::loadChosen(db::Rows &row)
{
    edtKumDeega_No2->setText(row.text(QStringLiteral("KumDeega_No")));
    edtSumkun_No2->setText(row.text(QStringLiteral("Sumkun_No")));
    edtCompany_Rec_Cheq2->setText(row.text(QStringLiteral("Company_Rec_Cheq")));
    edtDeega_No2->setText(row.text(QStringLiteral("Deega_No")));
    cmbRec_Cheq_Branch2->setEditText(row.text(QStringLiteral("Rec_Cheq_Branch")));
}

bool TfrmEntry_Deega_No::checkFields()
{
    if (Trim_Text(edtDeega_No2->text()).isEmpty()) {
        showMessage(QStringLiteral("กรุณาใส่เลขที่ฏีกาด้วย"));
        edtDeega_No2->setFocus();
        return false;
    }
    if (Trim_Text(cmbRec_Cheq_Branch2->currentText()).isEmpty()) {
        showMessage(QStringLiteral("กรุณาเลือกสถานที่รับเช็คด้วย"));
        cmbRec_Cheq_Branch2->setFocus();
        return false;
    }
    return true;
}

QStringList TfrmEntry_Deega_No::assignmentLines() const
{
    return {browse::assignment(true, QStringLiteral("Deega_No"), edtDeega_No2->text()),
            browse::assignment(false, QStringLiteral("Sumkun_No"), edtSumkun_No2->text()),
            browse::assignment(false, QStringLiteral("Rec_Cheq_Branch"),
                               cmbRec_Cheq_Branch2->currentText())};
}
