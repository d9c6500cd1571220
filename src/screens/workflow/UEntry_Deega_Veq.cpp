#include "screens/workflow/UEntry_Deega_Veq.h"

#include "data/Connection.h"
#include "screens/common/EnterMovesOn.h"
#include "screens/common/Guard.h"
#include "screens/common/Session.h"
#include "screens/common/TextLimit.h"
#include "util/Utility.h"

#include <QComboBox>
#include <QFocusEvent>
#include <QLineEdit>
#include <QPushButton>

namespace deega_veq {

browse::Shape shape()
{
    browse::Shape s;
    s.searchTitle = QStringLiteral("การรับเรื่องวางฏีกา");
    s.editTitle = QStringLiteral("การบันทึกรับเรื่องวางฏีกา");
    s.criteria = {browse::docNumberCriterion(), browse::docDateCriterion(),
                  browse::topicCriterion()};
    s.stageColumn = QStringLiteral("Per_Code");
    s.entryTimeColumn = QStringLiteral("Date_Ent_Asign");
    // After the Per_Code, register, company and remark lines, before the document type.
    s.entryTimeAt = 4;
    s.colCount = 7;
    s.headers = {QStringLiteral("No"),      QStringLiteral("รหัส"),   QStringLiteral("DocNumber"),
                 QStringLiteral("DocDate"), QStringLiteral("Topic"), QStringLiteral("FromSite")};
    s.columns = {QStringLiteral("Doc_PK"), QStringLiteral("DocNumber"), QStringLiteral("DocDate"),
                 QStringLiteral("Topic"), QStringLiteral("FromSite")};
    s.trim = browse::Trim::Space;
    s.chooseCaption = QStringLiteral("3. บันทึกผู้รับผิดชอบ");
    s.stageGroup = QStringLiteral("บันทึกการรับเรื่องวางฏีกา");
    return s;
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

} // namespace deega_veq

TfrmEntry_Deega_Veq::TfrmEntry_Deega_Veq(Session &session, QWidget *parent)
    : Browse_Edit_Screen(session, QStringLiteral("frmEntry_Deega_Veq"), deega_veq::shape(), parent)
{
    QPushButton *btnAdd_Data =
        addGridButton(QStringLiteral("btnAdd_Data"), QStringLiteral("3. เพิ่มข้อมูลใหม่เข้าระบบ"));
    limitLength(edtDoc_PK2, 14);
    edtDoc_PK2->installEventFilter(this);
    cmbPer_Code2 = addStageCombo(QStringLiteral("cmbPer_Code2"), QStringLiteral("ส่งต่อให้กับ"));
    cmbDocType_Code2 =
        addStageCombo(QStringLiteral("cmbDocType_Code2"), QStringLiteral("ประเภทเอกสาร"));
    edtKumDeega_No2 =
        addStageEdit(QStringLiteral("edtKumDeega_No2"), QStringLiteral("ทะเบียนคุมฎีกา"), 20);
    edtCompany_Rec_Cheq2 =
        addStageEdit(QStringLiteral("edtCompany_Rec_Cheq2"), QStringLiteral("ชื่อบริษัท/ผู้รับเช็ค"), 150);
    edtRemark1 = addStageEdit(QStringLiteral("edtRemark1"), QStringLiteral("หมายเหตุ"), 250);
    enterMovesOn({edtDoc_PK2, cmbPer_Code2, cmbDocType_Code2, edtKumDeega_No2, edtCompany_Rec_Cheq2,
                  edtRemark1});
    connect(btnAdd_Data, &QPushButton::clicked, this, [this] { btnAdd_DataClick(); });
    FormCreate();
}

void TfrmEntry_Deega_Veq::FormCreate()
{
    guarded(this, session().dialogs, [this] {
        cmbPer_Code2->clear();
        db::Rows people = session().connection.select(deega_veq::officerListStatement());
        while (people.next())
            cmbPer_Code2->addItem(people.text(QStringLiteral("Per_Code")) + QStringLiteral(" ") +
                                  people.text(QStringLiteral("Per_Name")));
        cmbDocType_Code2->clear();
        db::Rows types = session().connection.select(deega_veq::docTypeListStatement());
        while (types.next())
            cmbDocType_Code2->addItem(types.text(QStringLiteral("DocType_Code")) +
                                      QStringLiteral(" ") +
                                      types.text(QStringLiteral("DocType_Name")));
    });
    cmbPer_Code2->setCurrentIndex(-1);
    cmbPer_Code2->clearEditText();
    cmbDocType_Code2->setCurrentIndex(-1);
    cmbDocType_Code2->clearEditText();
}

QString TfrmEntry_Deega_Veq::officerCode() const
{
    return Left_Chars(cmbPer_Code2->currentText(), 2);
}

QString TfrmEntry_Deega_Veq::docTypeCode() const
{
    return Left_Chars(cmbDocType_Code2->currentText(), 2);
}

void TfrmEntry_Deega_Veq::emptyStageFields()
{
    cmbPer_Code2->setCurrentIndex(-1);
    cmbPer_Code2->clearEditText();
    cmbDocType_Code2->setCurrentIndex(-1);
    cmbDocType_Code2->clearEditText();
    edtKumDeega_No2->clear();
    edtCompany_Rec_Cheq2->clear();
    edtRemark1->clear();
}

void TfrmEntry_Deega_Veq::btnAdd_DataClick()
{
    Save_Mode = 1;
    edtDoc_PK2->setEnabled(true);
    Panel2->show();
    edtDoc_PK2->clear();
    edtDocNumber2->clear();
    edtDocDate2->clear();
    edtTopic2->clear();
    emptyStageFields();
}

void TfrmEntry_Deega_Veq::beforeChoose()
{
    Save_Mode = 2;
    edtDoc_PK2->setEnabled(false);
}

bool TfrmEntry_Deega_Veq::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == edtDoc_PK2 && event->type() == QEvent::FocusOut) {
        // Leaving the field for another control of this window, not switching windows.
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason &&
            edtDoc_PK2->isEnabled())
            edtDoc_PK2Exit();
    }
    return Browse_Edit_Screen::eventFilter(watched, event);
}

void TfrmEntry_Deega_Veq::edtDoc_PK2Exit()
{
    guarded(this, session().dialogs, [this] {
        const QString key = deega_veq::completeKey(edtDoc_PK2->text(), session().Today_Thai);
        edtDoc_PK2->setText(key);
        db::Rows row = session().connection.select(browse::lookupStatement(key));
        if (!row.next()) {
            Save_Mode = 1;
            edtDocNumber2->clear();
            edtDocDate2->clear();
            edtTopic2->clear();
            emptyStageFields();
            return;
        }
        Save_Mode = 2;
        edtDocNumber2->setText(row.text(QStringLiteral("DocNumber")));
        edtDocDate2->setText(row.text(QStringLiteral("DocDate")));
        edtTopic2->setText(row.text(QStringLiteral("Topic")));
        loadChosen(row);
    });
}

void TfrmEntry_Deega_Veq::loadChosen(db::Rows &row)
{
    cmbPer_Code2->setEditText(row.text(QStringLiteral("Per_Code")));
    cmbDocType_Code2->setEditText(row.text(QStringLiteral("DocType_Code")));
    edtKumDeega_No2->setText(row.text(QStringLiteral("KumDeega_No")));
    edtCompany_Rec_Cheq2->setText(row.text(QStringLiteral("Company_Rec_Cheq")));
    edtRemark1->setText(row.text(QStringLiteral("Remark1")));
}

bool TfrmEntry_Deega_Veq::checkFields()
{
    db::Rows officer = session().connection.select(deega_veq::officerStatement(officerCode()));
    if (!officer.next()) {
        showMessage(QStringLiteral("กรุณาเลือกรายการ ผู้รับผิดชอบด้วย"));
        cmbPer_Code2->setFocus();
        return false;
    }
    if (Trim_Space(edtKumDeega_No2->text()).isEmpty()) {
        showMessage(QStringLiteral("กรุณาใส่เลขที่คุมฏีกาด้วย"));
        edtKumDeega_No2->setFocus();
        return false;
    }
    if (edtDoc_PK2->text().isEmpty()) {
        showMessage(QStringLiteral("กรุณาใส่เลขอ้างอิงด้วย"));
        if (edtDoc_PK2->isEnabled())
            edtDoc_PK2->setFocus();
        return false;
    }
    if (Trim_Space(edtCompany_Rec_Cheq2->text()).isEmpty()) {
        showMessage(QStringLiteral("กรุณาใส่ชื่อบริษัท/ผู้รับเช็คด้วย"));
        edtCompany_Rec_Cheq2->setFocus();
        return false;
    }
    return true;
}

QStringList TfrmEntry_Deega_Veq::assignmentLines() const
{
    return {
        browse::assignment(true, QStringLiteral("Per_Code"), officerCode()),
        browse::assignment(false, QStringLiteral("KumDeega_No"), edtKumDeega_No2->text()),
        browse::assignment(false, QStringLiteral("Company_Rec_Cheq"), edtCompany_Rec_Cheq2->text()),
        browse::assignment(false, QStringLiteral("Remark1"), edtRemark1->text()),
        browse::assignment(false, QStringLiteral("DocType_Code"), docTypeCode())};
}

void TfrmEntry_Deega_Veq::writeStage()
{
    if (Save_Mode != 1) {
        Browse_Edit_Screen::writeStage();
        return;
    }
    session().connection.execute(deega_veq::insertStatement(
        edtDoc_PK2->text(), officerCode(), edtKumDeega_No2->text(), edtCompany_Rec_Cheq2->text(),
        edtRemark1->text(), docTypeCode()));
    showMessage(browse::Saved);
    // Ready for the next document.
    edtDoc_PK2->setEnabled(true);
    edtDoc_PK2->clear();
    edtDocNumber2->clear();
    edtDocDate2->clear();
    edtTopic2->clear();
    emptyStageFields();
}
