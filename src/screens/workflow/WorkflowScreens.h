#pragma once

class ScreenRegistry;

// Adds the voucher workflow screens under their menu items ("N3", "N4", "N6", "N18", "N28").
void registerWorkflowScreens(ScreenRegistry &registry);
