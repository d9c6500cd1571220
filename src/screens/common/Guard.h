#pragma once

#include "util/Failure.h"
#include "screens/common/Dialogs.h"

#include <QString>
#include <exception>
#include <utility>

class QWidget;

// The boundary of every button handler: a failure the screen does not check for (the catalog,
// a workbook) is shown in the standard error box and ends the action where it stood. Anything
// that is not an exception of ours or of the library is left to propagate.
template <class F> bool guardedOk(QWidget *screen, Dialogs &dialogs, F &&action)
{
    try {
        std::forward<F>(action)();
        return true;
    } catch (const Failure &e) {
        dialogs.error(screen, e.message());
    } catch (const std::exception &e) {
        dialogs.error(screen, QString::fromUtf8(e.what()));
    }
    return false;
}

template <class F> void guarded(QWidget *screen, Dialogs &dialogs, F &&action)
{
    guardedOk(screen, dialogs, std::forward<F>(action));
}
