#pragma once

#include "screens/common/ReportScreen.h"

// The days-in-division report: how long each document stayed in the division, in calendar
// days, holidays and working days, with the day-by-day breakdown of a finished one.
class TfrmRep_Deega_No_date : public ReportScreen {
    Q_OBJECT

public:
    explicit TfrmRep_Deega_No_date(Session &session, QWidget *parent = nullptr);
};
