#pragma once

#include "screens/common/Browse_Edit.h"

// Last entry into the division: corrects the date the document last came in.
class TfrmEntry_LastDay_Into_Fin : public Browse_Edit_Screen {
    Q_OBJECT

public:
    explicit TfrmEntry_LastDay_Into_Fin(Session &session, QWidget *parent = nullptr);
};
