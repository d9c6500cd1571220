#include "screens/reports/URep_DivBy_DocType.h"

#include "core/Reports.h"

TfrmRep_DivBy_DocType::TfrmRep_DivBy_DocType(Session &session, QWidget *parent)
    : ReportScreen(
          session, reports::byDocType(),
          [](const criteria::Entered &) { return spreadsheet::byDocTypeLayout(); }, parent)
{
}
