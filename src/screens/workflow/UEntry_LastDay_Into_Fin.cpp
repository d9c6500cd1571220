#include "screens/workflow/UEntry_LastDay_Into_Fin.h"

#include "core/Workflow.h"

TfrmEntry_LastDay_Into_Fin::TfrmEntry_LastDay_Into_Fin(Session &session, QWidget *parent)
    : BrowseEditScreen(session, QStringLiteral("frmEntry_LastDay_Into_Fin"),
                       lastday_into_fin::shape(), parent)
{
    setWindowTitle(QStringLiteral("การบันทึกวันที่เข้ากองคลังครั้งสุดท้าย"));
}
