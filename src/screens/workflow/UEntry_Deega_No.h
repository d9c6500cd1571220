#pragma once

#include "screens/common/BrowseEdit.h"

// Voucher number entry: the voucher and receipt-voucher numbers and where the cheque is
// collected, for documents already in the table.
class TfrmEntry_Deega_No : public BrowseEditScreen {
    Q_OBJECT

public:
    explicit TfrmEntry_Deega_No(Session &session, QWidget *parent = nullptr);
};
