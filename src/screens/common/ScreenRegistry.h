#pragma once

// Which screen each menu item opens, by the item's component name ("N4", "CreateCalendar1").
// The menu table fills it; the main window asks here when an item is chosen.

#include <QHash>
#include <QString>
#include <functional>

class Screen;
class QWidget;
struct Session;

class ScreenRegistry {
public:
    using Factory = std::function<Screen *(Session &session)>;

    void add(const QString &menuItem, Factory factory)
    {
        factories_.insert(menuItem, std::move(factory));
    }
    bool has(const QString &menuItem) const { return factories_.contains(menuItem); }
    // A fresh instance each time; nullptr when no screen belongs to the item.
    Screen *create(const QString &menuItem, Session &session) const
    {
        const auto it = factories_.constFind(menuItem);
        return it == factories_.constEnd() ? nullptr : (*it)(session);
    }

private:
    QHash<QString, Factory> factories_;
};
