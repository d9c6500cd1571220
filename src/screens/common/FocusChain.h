#pragma once

// Where Tab may go inside a screen. Screens lay panels over one another (the edit panel over the
// search panel, the day breakdown over the report): a control under a panel that covers it, like
// a hidden one, must never take the focus, or Space would tick a box nobody sees.

class QWidget;

// Whether a visible panel laid above w (above it or above one of its parents, up to top) holds
// the middle of w.
bool isCovered(const QWidget *w, const QWidget *top);

// Whether Tab may stop at w inside top: w takes tab focus, is enabled, shown and not covered.
bool takesTabFocus(const QWidget *w, const QWidget *top);

// The first widget after (or before) from in the focus chain that Tab may stop at inside top;
// nullptr when there is none.
QWidget *nextTabStop(const QWidget *top, QWidget *from, bool next);
