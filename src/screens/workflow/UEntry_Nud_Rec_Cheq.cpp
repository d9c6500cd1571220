#include "screens/workflow/UEntry_Nud_Rec_Cheq.h"

#include "core/Workflow.h"

TfrmEntry_Nud_Rec_Cheq::TfrmEntry_Nud_Rec_Cheq(Session &session, QWidget *parent)
    : BrowseEditScreen(session, QStringLiteral("frmEntry_Nud_Rec_Cheq"), nud_rec_cheq::shape(),
                       parent)
{
}
