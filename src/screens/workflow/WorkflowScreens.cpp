#include "screens/workflow/WorkflowScreens.h"

#include "screens/common/ScreenRegistry.h"
#include "screens/workflow/UEntry_Deega_No.h"
#include "screens/workflow/UEntry_Deega_Veq.h"
#include "screens/workflow/UEntry_Doc_No.h"
#include "screens/workflow/UEntry_LastDay_Into_Fin.h"
#include "screens/workflow/UEntry_Nud_Rec_Cheq.h"

void registerWorkflowScreens(ScreenRegistry &registry)
{
    registry.add(QStringLiteral("N3"), [](Session &s) { return new TfrmEntry_Deega_Veq(s); });
    registry.add(QStringLiteral("N4"), [](Session &s) { return new TfrmEntry_Deega_No(s); });
    registry.add(QStringLiteral("N6"), [](Session &s) { return new TfrmEntry_Nud_Rec_Cheq(s); });
    registry.add(QStringLiteral("N18"),
                 [](Session &s) { return new TfrmEntry_LastDay_Into_Fin(s); });
    registry.add(QStringLiteral("N28"), [](Session &s) { return new TfrmEntry_Doc_No(s); });
}
