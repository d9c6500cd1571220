#pragma once

#include "screens/common/BrowseEdit.h"

// ERP document number entry: the ERP document number, its fiscal year and remark, stamped
// with who entered it and when, and the cheque flags.
class TfrmEntry_Doc_No : public BrowseEditScreen {
    Q_OBJECT

public:
    explicit TfrmEntry_Doc_No(Session &session, QWidget *parent = nullptr);
};
