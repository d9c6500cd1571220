#include "screens/calendar/CalendarScreens.h"

#include "screens/calendar/UCreate_Calendar.h"
#include "screens/calendar/UEntry_Stop_Day.h"
#include "screens/common/ScreenRegistry.h"

void registerCalendarScreens(ScreenRegistry &registry)
{
    registry.add(QStringLiteral("CreateCalendar1"),
                 [](Session &s) -> Screen * { return new TfrmCreate_Calendar(s); });
    registry.add(QStringLiteral("N11"),
                 [](Session &s) -> Screen * { return new TfrmEntry_Stop_Day(s); });
}
