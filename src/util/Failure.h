#pragma once

#include <QString>
#include <stdexcept>

// A failure the program reports in the standard error box: the catalog's, a workbook's. The
// message is ready to show; what() carries the same text in UTF-8.
class Failure : public std::runtime_error {
public:
    explicit Failure(const QString &message)
        : std::runtime_error(message.toStdString()), message_(message)
    {
    }
    const QString &message() const noexcept { return message_; }

private:
    QString message_;
};
