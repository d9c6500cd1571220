#pragma once

// The one menu table: every component of the main menu in display order, with its caption, the
// menu holding it, the level it needs and the screen it opens. The menu bar, the screen registry
// and the access given at login are all made from it.

#include "core/Access.h"
#include "screens/common/ScreenRegistry.h"

#include <span>

class Screen;
struct Session;

namespace menu {

enum class Kind {
    Menu,      // holds the entries that name it as their parent
    Item,      // opens a fresh instance of its screen (nothing while it has none)
    Separator, // a line between groups
    Inert,     // shown, and does nothing when chosen
    Exit,      // ends the program
};

struct Entry {
    const char *name;    // the component name, also the object name of its action (and menu)
    const char *caption; // UTF-8; empty for a separator
    const char *parent;  // the Menu entry holding it; nullptr for the menu bar
    Kind kind;
    user_access::Rule rule{};
    Screen *(*screen)(Session &session) = nullptr;
};

// The menu of the open screens (tile, cascade, close all, the list of them), which the main
// window fills each time it is shown.
inline constexpr const char *WindowMenu = "windowMenu";

// Every entry; a parent always comes before the entries it holds.
std::span<const Entry> entries();

// Every screen the menu opens, by component name.
ScreenRegistry screens();

} // namespace menu
