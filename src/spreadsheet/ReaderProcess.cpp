#include "spreadsheet/ReaderProcess.h"

#include "spreadsheet/SheetTransport.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QProcess>

namespace spreadsheet {

namespace {

constexpr int DefaultTimeLimitMs = 30000;

QString timeLimitMessage(const QString &path, int ms)
{
    return QStringLiteral(
               "อ่านแฟ้มไม่เสร็จภายใน %1 วินาที แฟ้มอาจเสียหายหรือไม่ใช่แฟ้ม Excel (.xls หรือ .xlsx): ")
               .arg(QString::number(ms / 1000.0)) +
           path;
}

QString noReaderMessage(const QString &program)
{
    return QStringLiteral("ไม่สามารถเรียกโปรแกรมอ่านแฟ้ม Excel (%1) ได้ "
                          "โปรแกรมนี้ต้องติดตั้งไว้คู่กับโปรแกรมหลัก: ")
               .arg(QLatin1String(ReaderName)) +
           program;
}

void stop(QProcess &reader)
{
    reader.kill();
    reader.waitForFinished(5000);
}

} // namespace

QString readerProgram()
{
    const QString given = qEnvironmentVariable("VOSTREL_SHEET_READER");
    if (!given.isEmpty())
        return given;
    // Without an application there is no program folder; a bare name would search PATH.
    if (!QCoreApplication::instance())
        return {};
    return QDir(QCoreApplication::applicationDirPath()).filePath(QLatin1String(ReaderName));
}

int readerTimeLimitMs()
{
    bool ok = false;
    const int ms = qEnvironmentVariableIntValue("VOSTREL_SHEET_TIME_LIMIT_MS", &ok);
    return ok && ms > 0 ? ms : DefaultTimeLimitMs;
}

std::unique_ptr<WorkbookReader> openWorkbookIsolated(const QString &path,
                                                     const ReaderLimits &limits)
{
    checkWorkbookFile(path);
    if (limits.program.isEmpty())
        throw Error(noReaderMessage(limits.program));

    QProcess reader;
    reader.setProgram(limits.program);
    reader.setArguments({path});
    reader.setStandardInputFile(QProcess::nullDevice());
    // What a failing parser prints is no message for the user.
    reader.setStandardErrorFile(QProcess::nullDevice());
    const QDeadlineTimer deadline(limits.timeLimitMs);
    reader.start(QIODevice::ReadOnly);
    if (!reader.waitForStarted(int(deadline.remainingTime()))) {
        const bool missing = reader.error() == QProcess::FailedToStart;
        stop(reader);
        throw Error(missing ? noReaderMessage(limits.program)
                            : timeLimitMessage(path, limits.timeLimitMs));
    }

    // Read as it comes, so the output limit holds while the reader runs.
    QByteArray out;
    while (reader.state() != QProcess::NotRunning) {
        if (deadline.hasExpired()) {
            stop(reader);
            throw Error(timeLimitMessage(path, limits.timeLimitMs));
        }
        reader.waitForReadyRead(int(deadline.remainingTime()));
        out += reader.readAllStandardOutput();
        if (out.size() > limits.outputLimit) {
            stop(reader);
            throw Error(tooLargeMessage(path));
        }
    }
    out += reader.readAllStandardOutput();
    if (out.size() > limits.outputLimit)
        throw Error(tooLargeMessage(path));

    if (reader.exitStatus() == QProcess::NormalExit) {
        Frame frame = readFrame(out);
        if (reader.exitCode() == ReaderRead && frame.kind == Frame::Sheet)
            return std::move(frame.sheet);
        if (reader.exitCode() == ReaderRefused && frame.kind == Frame::Refusal)
            throw Error(frame.message);
    }
    // A crash, a kill, or output no reader writes.
    throw Error(damagedMessage(path));
}

} // namespace spreadsheet
