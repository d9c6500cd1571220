#include "app/AllScreens.h"

#include "screens/calendar/CalendarScreens.h"
#include "screens/imports/ImportScreens.h"
#include "screens/workflow/WorkflowScreens.h"

ScreenRegistry allScreens()
{
    ScreenRegistry registry;
    registerWorkflowScreens(registry);
    registerCalendarScreens(registry);
    registerImportScreens(registry);
    return registry;
}
