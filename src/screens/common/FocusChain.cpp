#include "screens/common/FocusChain.h"

#include <QWidget>

bool isCovered(const QWidget *w, const QWidget *top)
{
    QPoint middle = w->rect().center();
    for (const QWidget *a = w; a != top && !a->isWindow(); a = a->parentWidget()) {
        const QWidget *parent = a->parentWidget();
        if (!parent)
            break;
        middle = a->mapToParent(middle);
        // Children are kept in stacking order: those after a are drawn over it.
        const QObjectList &siblings = parent->children();
        const qsizetype at = siblings.indexOf(const_cast<QWidget *>(a));
        for (qsizetype i = at + 1; i < siblings.size(); ++i) {
            const auto *s = qobject_cast<const QWidget *>(siblings.at(i));
            if (s && !s->isWindow() && !s->isHidden() && s->geometry().contains(middle))
                return true;
        }
    }
    return false;
}

bool takesTabFocus(const QWidget *w, const QWidget *top)
{
    // A widget that hands its focus on (the line edit of an editable list) is reached through
    // the widget it hands it to.
    return top->isAncestorOf(w) && !w->focusProxy() &&
           (w->focusPolicy() & Qt::TabFocus) == Qt::TabFocus && w->isEnabled() &&
           w->isVisibleTo(top) && !isCovered(w, top);
}

QWidget *nextTabStop(const QWidget *top, QWidget *from, bool next)
{
    // The chain is a ring through the whole window; a guard against a broken one.
    int steps = 0;
    for (QWidget *w = next ? from->nextInFocusChain() : from->previousInFocusChain();
         w && w != from && steps < 100000;
         w = next ? w->nextInFocusChain() : w->previousInFocusChain(), ++steps) {
        if (takesTabFocus(w, top))
            return w;
    }
    return nullptr;
}
