#pragma once

#include "screens/common/BrowseEdit.h"

// Cheque appointment: the date the payee may collect the cheque and the two flags.
class TfrmEntry_Nud_Rec_Cheq : public BrowseEditScreen {
    Q_OBJECT

public:
    explicit TfrmEntry_Nud_Rec_Cheq(Session &session, QWidget *parent = nullptr);
};
