#include "screens/workflow/UEntry_Doc_No.h"

#include "core/Workflow.h"
#include "screens/common/EnterMovesOn.h"

#include <QLineEdit>

TfrmEntry_Doc_No::TfrmEntry_Doc_No(Session &session, QWidget *parent)
    : BrowseEditScreen(session, QStringLiteral("frmEntry_Doc_No"), doc_no::shape(), parent)
{
    setWindowTitle(QStringLiteral("การบันทึกเลขที่เอกสาร"));
    enterMovesOn({field<QLineEdit>(QStringLiteral("edtSAP_Doc_No2")),
                  field<QLineEdit>(QStringLiteral("edtSAP_Fiscal_Year2")),
                  field<QLineEdit>(QStringLiteral("edtSAP_Doc_Remark2"))});
}
