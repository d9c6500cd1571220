#include "screens/workflow/UEntry_Deega_Veq.h"

#include "core/Messages.h"
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

TfrmEntry_Deega_Veq::TfrmEntry_Deega_Veq(Session &session, QWidget *parent)
    : BrowseEditScreen(session, QStringLiteral("frmEntry_Deega_Veq"), deega_veq::shape(), parent)
{
    QPushButton *btnAdd_Data =
        addGridButton(QStringLiteral("btnAdd_Data"), QStringLiteral("3. เพิ่มข้อมูลใหม่เข้าระบบ"));
    limitLength(edtDoc_PK2, 14);
    edtDoc_PK2->installEventFilter(this);
    cmbPer_Code2 = field<QComboBox>(QStringLiteral("cmbPer_Code2"));
    cmbDocType_Code2 = field<QComboBox>(QStringLiteral("cmbDocType_Code2"));
    edtKumDeega_No2 = field<QLineEdit>(QStringLiteral("edtKumDeega_No2"));
    edtCompany_Rec_Cheq2 = field<QLineEdit>(QStringLiteral("edtCompany_Rec_Cheq2"));
    edtRemark1 = field<QLineEdit>(QStringLiteral("edtRemark1"));
    enterMovesOn({edtDoc_PK2, cmbPer_Code2, cmbDocType_Code2, edtKumDeega_No2, edtCompany_Rec_Cheq2,
                  edtRemark1});
    connect(btnAdd_Data, &QPushButton::clicked, this, [this] { btnAdd_DataClick(); });
    FormCreate();
}

void TfrmEntry_Deega_Veq::FormCreate()
{
    guarded(this, session().dialogs, [this] {
        cmbPer_Code2->clear();
        cmbPer_Code2->addItems(deega_veq::officerItems(session().connection));
        cmbDocType_Code2->clear();
        cmbDocType_Code2->addItems(deega_veq::docTypeItems(session().connection));
    });
    cmbPer_Code2->setCurrentIndex(-1);
    cmbPer_Code2->clearEditText();
    cmbDocType_Code2->setCurrentIndex(-1);
    cmbDocType_Code2->clearEditText();
}

QString TfrmEntry_Deega_Veq::officerCode() const
{
    return leftChars(cmbPer_Code2->currentText(), 2);
}

void TfrmEntry_Deega_Veq::emptyEditPanel()
{
    edtDocNumber2->clear();
    edtDocDate2->clear();
    edtTopic2->clear();
    clearStageFields();
}

void TfrmEntry_Deega_Veq::btnAdd_DataClick()
{
    Save_Mode = 1;
    edtDoc_PK2->setEnabled(true);
    Panel2->show();
    edtDoc_PK2->clear();
    emptyEditPanel();
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
    return BrowseEditScreen::eventFilter(watched, event);
}

void TfrmEntry_Deega_Veq::edtDoc_PK2Exit()
{
    guarded(this, session().dialogs, [this] {
        const QString key = deega_veq::completeKey(edtDoc_PK2->text(), session().Today_Thai);
        edtDoc_PK2->setText(key);
        const auto row = browse::findDocument(session().connection, shape(), key);
        if (!row) {
            Save_Mode = 1;
            emptyEditPanel();
            return;
        }
        Save_Mode = 2;
        edtDocNumber2->setText(row->value(QStringLiteral("DocNumber")));
        edtDocDate2->setText(row->value(QStringLiteral("DocDate")));
        edtTopic2->setText(row->value(QStringLiteral("Topic")));
        loadChosen(*row);
    });
}

bool TfrmEntry_Deega_Veq::checkFields()
{
    if (!deega_veq::officerKnown(session().connection, officerCode())) {
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

void TfrmEntry_Deega_Veq::writeStage()
{
    if (Save_Mode != 1) {
        BrowseEditScreen::writeStage();
        return;
    }
    if (!deega_veq::insertDocument(session().connection, edtDoc_PK2->text(), enteredFields())) {
        // Another station recorded the same document meanwhile: its values are told, not
        // overwritten.
        Save_Mode = 2;
        edtDoc_PK2->setEnabled(false);
        expectNewDocument();
        BrowseEditScreen::writeStage();
        return;
    }
    showMessage(msg::Saved);
    // Ready for the next document.
    edtDoc_PK2->setEnabled(true);
    edtDoc_PK2->clear();
    emptyEditPanel();
}
