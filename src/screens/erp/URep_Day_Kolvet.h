#pragma once

#include "screens/common/ReportScreen.h"

// The days-to-payment report: from the last entry into the division to the ERP posting and
// clearing dates, in working days.
class TfrmRep_Day_Kolvet : public ReportScreen {
    Q_OBJECT

public:
    explicit TfrmRep_Day_Kolvet(Session &session, QWidget *parent = nullptr);
};
