#pragma once

#include "screens/common/BrowseEdit.h"

// Last entry into the division: corrects the date the document last came in.
class TfrmEntry_LastDay_Into_Fin : public BrowseEditScreen {
    Q_OBJECT

public:
    explicit TfrmEntry_LastDay_Into_Fin(Session &session, QWidget *parent = nullptr);
};
