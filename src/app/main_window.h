#pragma once

// The application shell: the main window, its menu table, login and password change.
#include "app/MenuTable.h"
#include "app/UChange_Password.h"
#include "app/UMain_Vostrel.h"
