#pragma once

#include "screens/common/ScreenRegistry.h"

// Every screen the menu opens, by menu component.
ScreenRegistry allScreens();
