#pragma once

// A screen: one task's window, opened as a child of the main window from a menu item. It is given
// the session and closes itself with its own back-to-menu button.

#include <QWidget>

struct Session;

class Screen : public QWidget {
    Q_OBJECT

public:
    // objectName is the screen's object name ("frmEntry_Deega_No"), which the main window also
    // shows as the child window's title unless the screen sets a title of its own.
    Screen(Session &session, const QString &objectName, QWidget *parent = nullptr);

protected:
    Session &session() const { return session_; }
    // The back-to-menu button: closes this screen's child window; the rest stays as it was.
    void closeScreen();

private:
    Session &session_;
};
