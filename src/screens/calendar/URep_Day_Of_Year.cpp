#include "screens/calendar/URep_Day_Of_Year.h"

#include "core/Reports.h"

TfrmRep_Day_Of_Year::TfrmRep_Day_Of_Year(Session &session, QWidget *parent)
    : ReportScreen(
          session, reports::calendarOfYear(),
          [](const criteria::Entered &) { return spreadsheet::calendarOfYearLayout(); }, parent)
{
}
