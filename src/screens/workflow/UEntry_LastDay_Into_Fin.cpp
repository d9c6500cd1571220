#include "screens/workflow/UEntry_LastDay_Into_Fin.h"

#include "data/Connection.h"
#include "screens/common/MaskEdit.h"
#include "util/Utility.h"

#include <QLineEdit>

namespace lastday_into_fin {

browse::Shape shape()
{
    browse::Shape s;
    s.searchTitle = s.editTitle = QStringLiteral("การบันทึกวันที่เข้ากองคลังครั้งสุดท้าย");
    s.criteria = {browse::docNumberCriterion(), browse::docDateCriterion(),
                  browse::topicCriterion(), browse::deegaNoCriterion()};
    browse::voucherGrid(s, true);
    s.trim = browse::Trim::Space;
    s.blankRowOnNoResult = true;
    s.chooseCaption = QStringLiteral("3. บันทึกข้อมูล");
    s.stageGroup = QStringLiteral("บันทึกวันที่เข้ากองคลังครั้งสุดท้าย");
    return s;
}

} // namespace lastday_into_fin

TfrmEntry_LastDay_Into_Fin::TfrmEntry_LastDay_Into_Fin(Session &session, QWidget *parent)
    : Browse_Edit_Screen(session, QStringLiteral("frmEntry_LastDay_Into_Fin"),
                         lastday_into_fin::shape(), parent)
{
    setWindowTitle(QStringLiteral("การบันทึกวันที่เข้ากองคลังครั้งสุดท้าย"));
    edtKumDeega_No2 = addDetail(QStringLiteral("edtKumDeega_No2"), QStringLiteral("ทะเบียนคุมฎีกา"));
    edtSumkun_No2 = addDetail(QStringLiteral("edtSumkun_No2"), QStringLiteral("เลขที่ใบสำคัญ"));
    edtCompany_Rec_Cheq2 =
        addDetail(QStringLiteral("edtCompany_Rec_Cheq2"), QStringLiteral("ชื่อบริษัท/ผู้รับเช็ค"));
    edtDeega_No2 = addDetail(QStringLiteral("edtDeega_No2"), QStringLiteral("เลขที่ฏีกา"));
    edtRec_Cheq_Branch2 =
        addDetail(QStringLiteral("edtRec_Cheq_Branch2"), QStringLiteral("รับเช็คที่"));
    edtDate_Into_Fin =
        addStageDate(QStringLiteral("edtDate_Into_Fin"), QStringLiteral("วันที่เข้ากองคลังครั้งสุดท้าย"));
}

void TfrmEntry_LastDay_Into_Fin::loadChosen(db::Rows &row)
{
    edtKumDeega_No2->setText(row.text(QStringLiteral("KumDeega_No")));
    edtSumkun_No2->setText(row.text(QStringLiteral("Sumkun_No")));
    edtCompany_Rec_Cheq2->setText(row.text(QStringLiteral("Company_Rec_Cheq")));
    edtDeega_No2->setText(row.text(QStringLiteral("Deega_No")));
    edtRec_Cheq_Branch2->setText(row.text(QStringLiteral("Rec_Cheq_Branch")));
    edtDate_Into_Fin->setText(Norm_Date_Text(row.text(QStringLiteral("Date_Into_Fin"))));
}

bool TfrmEntry_LastDay_Into_Fin::checkFields()
{
    if (edtDate_Into_Fin->text() == QLatin1String("  /  /    ")) {
        showMessage(QStringLiteral("กรุณาใส่วันที่เข้ากองคลังครั้งสุดท้ายด้วย"));
        edtDate_Into_Fin->setFocus();
        return false;
    }
    return true;
}

QStringList TfrmEntry_LastDay_Into_Fin::assignmentLines() const
{
    return {browse::assignment(true, QStringLiteral("Date_Into_Fin"), edtDate_Into_Fin->text())};
}
