#pragma once

#include <QString>
#include <QStringList>
#include <initializer_list>

namespace db {

// The body of a single-quoted SQL text literal: every single quote doubled. Every text value of
// every statement passes through here, so a value can never end its literal early, whatever it
// holds. What no back end can take as text becomes its nearest valid text: a NUL character is
// dropped, and half of a surrogate pair (a character cut in two) becomes U+FFFD. Left in, half
// a pair makes SQLite's reading of the statement swallow the quote after it.
QString sqlText(const QString &value);

// The body of a LIKE pattern's literal that matches the value itself: "%", "_" and the escape
// "\" are escaped with "\", then quotes doubled as sqlText does. Every back end reads "\" as
// LIKE's escape (the embedded catalog's LIKE is made to), so the pattern's own wildcards around
// it keep their meaning while a typed "%" matches only a "%".
QString likeText(const QString &value);

// Whether the text can be sent as a statement: no NUL, no half of a surrogate pair.
bool isSendable(QStringView text);

// A statement is built as a list of lines and sent as one text, the lines joined by line breaks.
// Keeping the lines lets tests compare a statement line by line with what a screen must send.
class Statement {
public:
    Statement() = default;
    Statement(std::initializer_list<QString> lines) : lines_(lines) {}

    Statement &add(const QString &line)
    {
        lines_.append(line);
        return *this;
    }
    Statement &operator<<(const QString &line) { return add(line); }

    void clear() { lines_.clear(); }
    bool isEmpty() const { return lines_.isEmpty(); }
    const QStringList &lines() const { return lines_; }
    QString text() const { return lines_.join(QLatin1Char('\n')); }

private:
    QStringList lines_;
};

} // namespace db
