#pragma once

// Stand-ins for the workbook reader program (vostrel-sheet): shell scripts that fail the ways a
// reader running a damaged file through the workbook library can fail (a crash, a hang), or
// that answer as no reader does. The programs must turn each into a Thai message.

#include <QByteArray>
#include <QList>
#include <QString>

struct ReaderFault {
    enum Outcome { Damaged, TimeLimit, TooLarge };
    const char *name;
    // The body of a /bin/sh script; "$1" is the workbook, @READER@ the real reader.
    QByteArray script;
    Outcome outcome;
};

// Every fault; the TooLarge one writes 2 MB.
QList<ReaderFault> readerFaults();

// Writes the script as an executable file at path, @READER@ replaced by realReader; false when
// it cannot be written.
bool writeFakeReader(const QString &path, const QByteArray &script,
                     const QString &realReader = QString());
