#include "screens/erp/URep_Day_Kolvet.h"

#include "core/Reports.h"

TfrmRep_Day_Kolvet::TfrmRep_Day_Kolvet(Session &session, QWidget *parent)
    : ReportScreen(
          session, reports::daysToPayment(),
          [](const criteria::Entered &entered) {
              // The type line goes into the workbook when its box is ticked.
              const auto &type = entered.value(1);
              return spreadsheet::daysToPaymentLayout(
                  type ? spreadsheet::docTypeLine(type->value(0)) : QString());
          },
          parent)
{
}
