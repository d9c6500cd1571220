#pragma once

#include "screens/common/Browse_Edit.h"

// Cheque appointment: the date the payee may collect the cheque and the two flags.
class TfrmEntry_Nud_Rec_Cheq : public Browse_Edit_Screen {
    Q_OBJECT

public:
    explicit TfrmEntry_Nud_Rec_Cheq(Session &session, QWidget *parent = nullptr);
};
