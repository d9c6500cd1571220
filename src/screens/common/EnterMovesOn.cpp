#include "screens/common/EnterMovesOn.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QList>
#include <QPointer>
#include <QWidget>

namespace {

bool isEnter(const QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto *key = static_cast<const QKeyEvent *>(event);
    if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
        return false;
    // Ctrl/Alt/Meta+Enter is another key to the control, not "Enter".
    return !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
}

class MoveOnFilter final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event == resending_ || !isEnter(event))
            return false;
        QPointer<QWidget> widget = static_cast<QWidget *>(watched);
        // Deliver Enter first (with its usual propagation to the parents), then Tab.
        QEvent *const outer = resending_;
        resending_ = event;
        QCoreApplication::sendEvent(watched, event);
        resending_ = outer;
        // An Enter handler that moved the focus itself has done the moving.
        if (widget && widget->window()->focusWidget() == widget)
            moveOn(widget);
        event->accept();
        return true;
    }

private:
    QEvent *resending_ = nullptr;
};

class ClickFilter final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (!isEnter(event))
            return false;
        auto *button = static_cast<QAbstractButton *>(watched);
        if (button->isEnabled())
            button->click();
        event->accept();
        return true;
    }
};

// One filter object per behaviour for the whole program; installing it twice on a control
// only moves it to the front of that control's filters.
template <class Filter> Filter *filter()
{
    static QPointer<Filter> instance;
    if (!instance)
        instance = new Filter(QCoreApplication::instance());
    return instance;
}

} // namespace

void enterMovesOn(const QList<QWidget *> &widgets)
{
    for (QWidget *widget : widgets) {
        if (widget)
            widget->installEventFilter(filter<MoveOnFilter>());
    }
}

void enterMovesOn(std::initializer_list<QWidget *> widgets)
{
    enterMovesOn(QList<QWidget *>(widgets));
}

void enterClicks(QAbstractButton *button)
{
    if (button)
        button->installEventFilter(filter<ClickFilter>());
}

void moveOn(QWidget *widget)
{
    if (!widget)
        return;
    // Only the key-down, like the original's injected key; QWidget::event turns it into
    // focusNextPrevChild, so the order is the tab order.
    QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &tab);
}
