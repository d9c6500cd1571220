#include "app/AllScreens.h"

#include "screens/workflow/WorkflowScreens.h"

ScreenRegistry allScreens()
{
    ScreenRegistry registry;
    registerWorkflowScreens(registry);
    return registry;
}
