#pragma once

#include "screens/common/Browse_Edit.h"

// Voucher number entry: the voucher and receipt-voucher numbers and where the cheque is
// collected, for documents already in the table.
class TfrmEntry_Deega_No : public Browse_Edit_Screen {
    Q_OBJECT

public:
    explicit TfrmEntry_Deega_No(Session &session, QWidget *parent = nullptr);
};
