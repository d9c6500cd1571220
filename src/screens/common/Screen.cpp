#include "screens/common/Screen.h"

#include <QMdiSubWindow>

Screen::Screen(Session &session, const QString &objectName, QWidget *parent)
    : QWidget(parent), session_(session)
{
    setObjectName(objectName);
    setAttribute(Qt::WA_DeleteOnClose);
}

void Screen::closeScreen()
{
    // Inside the main window the child window is closed (and with it this screen); a screen
    // shown on its own, as in tests, closes itself.
    for (QWidget *w = parentWidget(); w; w = w->parentWidget()) {
        if (auto *sub = qobject_cast<QMdiSubWindow *>(w)) {
            sub->close();
            return;
        }
    }
    close();
}
