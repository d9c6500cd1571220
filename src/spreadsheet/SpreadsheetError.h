#pragma once

#include <QString>
#include <stdexcept>

namespace spreadsheet {

// A workbook that cannot be read or written. The message is Thai and ready for the standard
// error box; what() carries the same text in UTF-8 for handlers that only know std::exception.
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

} // namespace spreadsheet
