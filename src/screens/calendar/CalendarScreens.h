#pragma once

class ScreenRegistry;

// The calendar screens of the Administrator menu: "CreateCalendar1" and "N11".
void registerCalendarScreens(ScreenRegistry &registry);
