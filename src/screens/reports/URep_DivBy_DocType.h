#pragma once

#include "screens/common/ReportScreen.h"

// The report by document type: the documents of one type, of every status.
class TfrmRep_DivBy_DocType : public ReportScreen {
    Q_OBJECT

public:
    explicit TfrmRep_DivBy_DocType(Session &session, QWidget *parent = nullptr);
};
