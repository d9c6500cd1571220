#pragma once

#include "screens/common/ReportScreen.h"

// The movement detail report: every workflow date and state of the finished documents.
class TfrmRep_Detail_Deega : public ReportScreen {
    Q_OBJECT

public:
    explicit TfrmRep_Detail_Deega(Session &session, QWidget *parent = nullptr);
};
