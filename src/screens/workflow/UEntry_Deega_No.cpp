#include "screens/workflow/UEntry_Deega_No.h"

#include "core/Workflow.h"

TfrmEntry_Deega_No::TfrmEntry_Deega_No(Session &session, QWidget *parent)
    : BrowseEditScreen(session, QStringLiteral("frmEntry_Deega_No"), deega_no::shape(), parent)
{
}
