#pragma once

// Reading a workbook in a separate process. The workbook library reads outside its buffers on
// damaged files; run in the reader program (vostrel-sheet), its crash, hang or runaway output
// ends that process only and becomes a Thai message here.

#include "spreadsheet/Workbook.h"

#include <QString>
#include <memory>

namespace spreadsheet {

// The reader program's file name; it is installed beside the programs that read workbooks.
inline constexpr char ReaderName[] = "vostrel-sheet";

// The reader's exit statuses.
enum ReaderExit { ReaderRead = 0, ReaderUsage = 2, ReaderRefused = 3 };

// The reader to run: $VOSTREL_SHEET_READER when set, else the one beside the running program.
QString readerProgram();

// How long a read may take: $VOSTREL_SHEET_TIME_LIMIT_MS when a positive number, else 30 s.
int readerTimeLimitMs();

struct ReaderLimits {
    QString program = readerProgram();
    int timeLimitMs = readerTimeLimitMs();
    // Output past this is taken as a damaged file's runaway read.
    qint64 outputLimit = qint64(512) << 20;
};

// Opens the workbook at path as openWorkbook does, in the reader process; gives the first
// worksheet read whole into memory. The file is checked here first (checkWorkbookFile), so a
// FIFO, a device or a folder is refused at once. A reader that crashes, is killed, outlasts the
// time limit, writes too much or writes what no reader writes gives Error with the damaged-file
// message; a reader that cannot be started gives Error saying so.
std::unique_ptr<WorkbookReader> openWorkbookIsolated(const QString &path,
                                                     const ReaderLimits &limits = {});

} // namespace spreadsheet
