#include "screens/reports/URep_Deega_No_date.h"

#include "core/Reports.h"

TfrmRep_Deega_No_date::TfrmRep_Deega_No_date(Session &session, QWidget *parent)
    : ReportScreen(
          session, reports::daysInDivision(),
          [](const criteria::Entered &) { return spreadsheet::daysInDivisionLayout(); }, parent)
{
}
