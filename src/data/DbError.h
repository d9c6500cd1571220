#pragma once

#include <QString>
#include <stdexcept>

namespace db {

// Every failure of the catalog (open, statement, schema) is raised as this one type; it carries
// the server's own message, which the screens show in the standard error box.
class Error : public std::runtime_error {
public:
    explicit Error(const QString &message)
        : std::runtime_error(message.toStdString()), message_(message)
    {
    }
    const QString &message() const noexcept { return message_; }

private:
    QString message_;
};

} // namespace db
