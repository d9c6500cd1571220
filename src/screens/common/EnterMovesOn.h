#pragma once

#include <QtCore/qcontainerfwd.h>
#include <initializer_list>

class QAbstractButton;
class QWidget;

// Enter (Return or the keypad's Enter) in each of these controls moves the focus on exactly as
// Tab would: the control handles the Enter press first (returnPressed still fires), then, if
// the focus is still on it, it receives a Tab press. Calling it again for a control is harmless.
void enterMovesOn(std::initializer_list<QWidget *> widgets);
void enterMovesOn(const QList<QWidget *> &widgets);

// Enter on this focused button clicks it, as a focused push button does on Windows.
void enterClicks(QAbstractButton *button);

// Moves the focus on from this control as a Tab press on it would; for Enter handlers that do
// their own work first and move on only when it succeeded.
void moveOn(QWidget *widget);
