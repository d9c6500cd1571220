#include "screens/reports/URep_Detail_Deega.h"

#include "core/Reports.h"

TfrmRep_Detail_Deega::TfrmRep_Detail_Deega(Session &session, QWidget *parent)
    : ReportScreen(
          session, reports::movementDetail(),
          [](const criteria::Entered &) { return spreadsheet::movementDetailLayout(); }, parent)
{
}
