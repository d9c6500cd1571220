#pragma once

#include <QString>
#include <QStringList>
#include <initializer_list>

namespace db {

// The body of a single-quoted SQL text literal: every single quote doubled. Every text value of
// every statement passes through here, so a value can never end its literal early. A NUL
// character, which neither back end can store in text, is dropped.
QString sqlText(const QString &value);

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
