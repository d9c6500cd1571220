#pragma once

#include "screens/common/Dialogs.h"

#include <QList>
#include <QQueue>
#include <QString>
#include <QStringList>

// Dialogs double for screen tests: records every box in the order shown and answers
// confirmations from a script (OK whenever the script has run out).
class ScriptedDialogs final : public Dialogs {
public:
    struct Shown {
        enum Kind { Message, Error, Confirm };
        Kind kind;
        QString text;
        bool operator==(const Shown &) const = default;
    };

    QList<Shown> shown;

    void message(QWidget *, const QString &text) override { shown.append({Shown::Message, text}); }
    void error(QWidget *, const QString &text) override { shown.append({Shown::Error, text}); }
    bool confirm(QWidget *, const QString &text) override
    {
        shown.append({Shown::Confirm, text});
        return answers_.isEmpty() ? true : answers_.dequeue();
    }

    // Queues the answer for the next confirmation: true = OK, false = Cancel.
    void answer(bool ok) { answers_.enqueue(ok); }
    // Scripted answers not yet used; a test can check that its script was played out.
    qsizetype pendingAnswers() const { return answers_.size(); }

    QStringList texts() const
    {
        QStringList all;
        all.reserve(shown.size());
        for (const Shown &box : shown)
            all.append(box.text);
        return all;
    }
    QString last() const { return shown.isEmpty() ? QString() : shown.constLast().text; }
    // Forgets the boxes shown so far; scripted answers stay queued.
    void clear() { shown.clear(); }

private:
    QQueue<bool> answers_;
};
