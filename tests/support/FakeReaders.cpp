#include "FakeReaders.h"

#include <QFile>

QList<ReaderFault> readerFaults()
{
    using F = ReaderFault;
    return {
        {"crashes", "kill -SEGV $$", F::Damaged},
        {"aborts", "kill -ABRT $$", F::Damaged},
        {"is killed", "kill -KILL $$", F::Damaged},
        {"crashes after part of a sheet", "\"@READER@\" \"$1\" | head -c 30; kill -SEGV $$",
         F::Damaged},
        {"hangs", "exec sleep 60", F::TimeLimit},
        {"hangs after a sheet", "\"@READER@\" \"$1\"; exec sleep 60", F::TimeLimit},
        {"writes nothing", "exit 0", F::Damaged},
        {"writes tab-separated text", "printf 'No.\\tDocNo\\n1\\tQDTX2556/00002\\n'", F::Damaged},
        {"sheet cut short", "\"@READER@\" \"$1\" | head -c 200", F::Damaged},
        {"sheet with a byte after it", "\"@READER@\" \"$1\"; printf x", F::Damaged},
        {"sheet with another status", "\"@READER@\" \"$1\"; exit 1", F::Damaged},
        {"sheet as a refusal", "\"@READER@\" \"$1\"; exit 3", F::Damaged},
        {"refusal as a sheet", "\"@READER@\" /dev/null; exit 0", F::Damaged},
        {"exits 1 silently", "exit 1", F::Damaged},
        {"exits 3 silently", "exit 3", F::Damaged},
        {"writes without end", "head -c 2000000 /dev/zero", F::TooLarge},
    };
}

bool writeFakeReader(const QString &path, const QByteArray &script, const QString &realReader)
{
    QByteArray body = script;
    body.replace("@READER@", QFile::encodeName(realReader));
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    f.write("#!/bin/sh\n" + body + '\n');
    f.close();
    return f.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                            QFileDevice::ExeOwner);
}
