#pragma once

// The application shell: the main window, login and password change.
#include "app/UChange_Password.h"
#include "app/UMain_Vostrel.h"
