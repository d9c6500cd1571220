#pragma once

#include "screens/common/ReportScreen.h"

// The calendar-of-year report: the days of one year (or all) with their status and remark.
class TfrmRep_Day_Of_Year : public ReportScreen {
    Q_OBJECT

public:
    explicit TfrmRep_Day_Of_Year(Session &session, QWidget *parent = nullptr);
};
