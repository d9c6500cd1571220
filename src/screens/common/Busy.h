#pragma once

// A loop of seconds inside a button's handler (a save row by row, a long report run). All the
// work stays on the window's thread, where the one connection lives; meanwhile the window keeps
// painting and its progress bar moving, the screen's push buttons are disabled, and what the user
// clicks or types meanwhile is dropped, never run once the loop is over.

#include <QElapsedTimer>
#include <QList>
#include <QPointer>

class QPushButton;
class QWidget;

class BusyScope {
public:
    explicit BusyScope(QWidget *screen);
    ~BusyScope();
    BusyScope(const BusyScope &) = delete;
    BusyScope &operator=(const BusyScope &) = delete;

    // For the loop's progress hook: lets the window paint, at most every PaintInterval ms.
    void keepPainting();

    // Whether a loop runs on this screen: a second start is refused.
    static bool isBusy(const QWidget *screen);

    static constexpr int PaintInterval = 40;

private:
    QPointer<QWidget> screen_;
    QList<QPointer<QPushButton>> disabled_;
    QElapsedTimer sincePaint_;
};
