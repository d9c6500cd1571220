#pragma once

// TfrmImp_Day_Stop: compensatory and special holidays into TR_Day_Calendar; dates the calendar does
// not hold are listed instead, and the list keeps growing while the screen is open.

#include "screens/imports/ImportScreen.h"

class TfrmImp_Day_Stop : public ImportScreen {
    Q_OBJECT

public:
    explicit TfrmImp_Day_Stop(Session &session, QWidget *parent = nullptr);
};
