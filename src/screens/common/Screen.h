#pragma once

// A screen: one task's window, opened as a child of the main window from a menu item. It is given
// the session and closes itself with its own back-to-menu button. Tab and Enter move only among
// its controls that can be seen: never into a hidden panel or one another panel covers.

#include <QWidget>

struct Session;

class Screen : public QWidget {
    Q_OBJECT

public:
    // objectName is the screen's object name ("frmEntry_Deega_No"), which the main window also
    // shows as the child window's title unless the screen sets a title of its own.
    Screen(Session &session, const QString &objectName, QWidget *parent = nullptr);

    // Whether the main window opens it maximised; a small dialog opens at its own size, centred.
    bool opensMaximised() const { return opensMaximised_; }

protected:
    Session &session() const { return session_; }
    // The back-to-menu button: closes this screen's child window; the rest stays as it was.
    void closeScreen();
    void openAtNaturalSize() { opensMaximised_ = false; }

    bool focusNextPrevChild(bool next) override;
    void childEvent(QChildEvent *event) override;

private:
    class PanelWatch;

    // When a panel was shown, hidden or raised: the focus leaves a control that is now out of
    // sight for the next one in sight.
    void settleFocus();

    Session &session_;
    PanelWatch *panelWatch_;
    bool opensMaximised_ = true;
};
