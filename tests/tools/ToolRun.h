#pragma once

// vostrel-admin run as its own program, as a user runs it. The test target defines
// VOSTREL_ADMIN as the path of the built tool.

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

struct Run {
    int exitCode;
    QByteArray bytes; // standard output as written
    QString out;      // the same as text
    QString err;
};

inline Run runTool(const QStringList &args,
                   const QProcessEnvironment &env = QProcessEnvironment::systemEnvironment())
{
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(VOSTREL_ADMIN), args);
    // A crashed or hung tool shows as a failed exit status, not a stuck test.
    if (!p.waitForFinished(120000))
        p.kill();
    const QByteArray bytes = p.readAllStandardOutput();
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, bytes,
            QString::fromUtf8(bytes), QString::fromUtf8(p.readAllStandardError())};
}

// Runs a command that must be refused before any catalog is opened: the catalog it names in dir
// does not exist, so opening it would end with exit status 1, not the refusal's 2.
inline Run runBeforeCatalog(const QStringList &args, const QString &dir)
{
    return runTool(args +
                   QStringList{QStringLiteral("--catalog"),
                               QStringLiteral("sqlite:") + dir + QStringLiteral("/c.sqlite")});
}
