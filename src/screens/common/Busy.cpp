#include "screens/common/Busy.h"

#include <QApplication>
#include <QEvent>
#include <QPushButton>
#include <QVariant>
#include <QWidget>

namespace {

const char *const BusyProperty = "vostrelBusy";

bool isUserInput(QEvent::Type type)
{
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
        return true;
    default:
        return false;
    }
}

// Eats the input that waited while the window was busy.
class DropInput final : public QObject {
protected:
    bool eventFilter(QObject *, QEvent *event) override { return isUserInput(event->type()); }
};

void paintNow()
{
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

} // namespace

BusyScope::BusyScope(QWidget *screen) : screen_(screen)
{
    screen->setProperty(BusyProperty, true);
    for (QPushButton *b : screen->findChildren<QPushButton *>()) {
        if (b->isEnabled()) {
            b->setEnabled(false);
            disabled_.append(b);
        }
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    // The confirmation box that started the loop goes from the screen at once.
    paintNow();
    sincePaint_.start();
}

BusyScope::~BusyScope()
{
    // Clicks and keys held back meanwhile are delivered now, to be dropped.
    DropInput drop;
    qApp->installEventFilter(&drop);
    QCoreApplication::processEvents();
    qApp->removeEventFilter(&drop);
    for (const QPointer<QPushButton> &b : std::as_const(disabled_)) {
        if (b)
            b->setEnabled(true);
    }
    if (screen_)
        screen_->setProperty(BusyProperty, QVariant());
    QApplication::restoreOverrideCursor();
}

void BusyScope::keepPainting()
{
    if (sincePaint_.elapsed() < PaintInterval)
        return;
    paintNow();
    sincePaint_.restart();
}

bool BusyScope::isBusy(const QWidget *screen)
{
    return screen && screen->property(BusyProperty).toBool();
}
