#pragma once

// vostrel-admin notice: a stored guarantee document's notice written as a one-page PDF, the page
// the entry screen shows in its preview.

#include <QString>
#include <memory>

class QCommandLineParser;
class QCoreApplication;
class QTextStream;

namespace db {
class Connection;
}

namespace admin {

inline constexpr const char *NoticeForm =
    "ใช้: vostrel-admin notice KEY --pdf FILE [--place bank|finance]";

// A GUI application, off screen, when the arguments hold the option --pdf (a page needs fonts,
// and fonts need one); otherwise the core application, which starts without a platform plugin.
std::unique_ptr<QCoreApplication> makeApplication(int &argc, char **argv);

// --pdf FILE and --place bank|finance.
void addNoticeOptions(QCommandLineParser &args);

// Writes the notice of the document with the key to the --pdf file; the cheque place is --place,
// or the one stored with the document. Gives the exit status: 0 when written; 2, with nothing
// written, for a key no document has or options that do not fit. Throws Failure for the
// catalog's errors and a file that cannot be written.
int runNotice(const QCommandLineParser &args, const QString &key, db::Connection &c,
              QTextStream &out, QTextStream &err);

} // namespace admin
