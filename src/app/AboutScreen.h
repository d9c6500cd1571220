#pragma once

// The Help menu's About window: the program's version, the catalog in use and its version, the
// settings file, and the folders where the report workbooks and the daily copies go.

#include "screens/common/Screen.h"

class AboutScreen : public Screen {
    Q_OBJECT

public:
    explicit AboutScreen(Session &session, QWidget *parent = nullptr);
};
