#include "screens/common/Screen.h"

#include "screens/common/FocusChain.h"

#include <QChildEvent>
#include <QLayout>
#include <QMdiSubWindow>

class Screen::PanelWatch final : public QObject {
public:
    explicit PanelWatch(Screen *screen) : QObject(screen), screen_(screen) {}

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::Show:
        case QEvent::Hide:
        case QEvent::ZOrderChange:
            screen_->settleFocus();
            break;
        default:
            break;
        }
        return false;
    }

private:
    Screen *screen_;
};

Screen::Screen(Session &session, const QString &objectName, QWidget *parent)
    : QWidget(parent), session_(session), panelWatch_(new PanelWatch(this))
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

bool Screen::focusNextPrevChild(bool next)
{
    // Nothing is covered on a screen that is not on view (built but not shown, as in tests).
    if (!isVisible())
        return QWidget::focusNextPrevChild(next);
    if (layout())
        layout()->activate(); // a panel just shown has its place only now
    QWidget *from = window()->focusWidget();
    if (!from || !isAncestorOf(from))
        from = this;
    if (QWidget *to = nextTabStop(this, from, next))
        to->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
}

void Screen::childEvent(QChildEvent *event)
{
    // The panels are the screen's own children.
    if (event->added() && event->child()->isWidgetType())
        event->child()->installEventFilter(panelWatch_);
    QWidget::childEvent(event);
}

void Screen::settleFocus()
{
    QWidget *focus = window()->focusWidget();
    if (!isVisible() || !focus || !isAncestorOf(focus))
        return;
    if (layout())
        layout()->activate();
    if (focus->isVisibleTo(this) && !isCovered(focus, this))
        return;
    if (QWidget *to = nextTabStop(this, focus, true))
        to->setFocus(Qt::OtherFocusReason);
}
