// `vostrel-admin --help` and `COMMAND --help`: every command of the tool is described, and every
// option a command's form shows is explained.

#include "ToolRun.h"
#include "admin/Help.h"
#include "admin/ReportCommand.h"
#include "util/Version.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// The commands the tool's help lists: the lines of its command section.
QStringList listedCommands(const QString &help)
{
    const QString section = help.section(u"คำสั่ง:\n"_s, 1).section(u"\n\n"_s, 0, 0);
    QStringList commands;
    for (const QString &line : section.split(u'\n', Qt::SkipEmptyParts))
        commands << line.trimmed().section(u"  "_s, 0, 0);
    return commands;
}

// The options an option list explains: "  --name" at the start of a line.
QStringList explained(const QString &help)
{
    QStringList names;
    static const QRegularExpression line(u"^  --([a-z-]+)"_s, QRegularExpression::MultilineOption);
    for (auto it = line.globalMatch(help); it.hasNext();)
        names << it.next().captured(1);
    return names;
}

// The options a form names: "--name" anywhere in it.
QStringList named(const QString &form)
{
    QStringList names;
    static const QRegularExpression option(u"--([a-z-]+)"_s);
    for (auto it = option.globalMatch(form); it.hasNext();)
        names << it.next().captured(1);
    return names;
}

} // namespace

class TestAdminHelp : public QObject {
    Q_OBJECT

private slots:
    // A bare --help is the usage (standard error, exit status 2, as it always was), then what
    // each command and option does.
    void toolHelp()
    {
        const Run r = runTool({u"--help"_s});
        QCOMPARE(r.exitCode, 2);
        QCOMPARE(r.out, QString());
        QVERIFY(r.err.startsWith(u"ใช้งาน:\n  vostrel-admin init "_s));
        const QString help = r.err.section(u"\n\n"_s, 1);
        QVERIFY2(help.startsWith(u"vostrel-admin "_s + programVersion()), qPrintable(help));
        QVERIFY2(!help.contains(QString::fromUtf8(admin::NoHelpYet)), qPrintable(help));
        const QStringList commands = listedCommands(help);
        for (const char *c :
             {"init", "user add", "demo", "calendar generate", "holidays mark", "count", "backup",
              "restore", "import", "preview", "report", "report guarantee-register",
              "guarantee add", "guarantee receive", "load", "dump"})
            QVERIFY2(commands.contains(QLatin1String(c)), c);
        for (const char *o : {"catalog", "trace", "help", "version"})
            QVERIFY2(explained(help).contains(QLatin1String(o)), o);
        for (const char *c : {"load TABLE FILE", "dump TABLE [FILE]"})
            QVERIFY2(
                r.err.section(u"\n\n"_s, 0, 0).contains(u"vostrel-admin "_s + QLatin1String(c)), c);
    }

    // Each command's own help: its form, and every option the form names explained, with the
    // options every catalog command takes.
    void everyCommandsHelp()
    {
        const QStringList commands = listedCommands(runTool({u"--help"_s}).err);
        QVERIFY(commands.size() >= 16);
        for (const QString &command : commands) {
            const Run r = runTool(command.split(u' ') << u"--help"_s);
            QVERIFY2(r.exitCode == 0, qPrintable(command));
            QVERIFY2(r.out.startsWith(u"ใช้: vostrel-admin "_s + command + u' '), qPrintable(r.out));
            QCOMPARE(r.out.count(u"\nใช้: "_s), 0);
            QVERIFY2(!r.out.contains(QString::fromUtf8(admin::NoHelpYet)), qPrintable(r.out));
            const QString form = r.out.section(u'\n', 0, 0);
            const QStringList options = explained(r.out);
            for (const QString &o : named(form))
                QVERIFY2(options.contains(o), qPrintable(command + u": --"_s + o));
            if (command != u"preview"_s) {
                QVERIFY2(options.contains(u"catalog"_s), qPrintable(command));
                QVERIFY2(options.contains(u"trace"_s), qPrintable(command));
            }
        }
    }

    // The report command's help lists each report with every one of its options explained.
    void reportHelpHasEveryReport()
    {
        const Run r = runTool({u"report"_s, u"--help"_s});
        QCOMPARE(r.exitCode, 0);
        const QStringList options = explained(r.out);
        for (const admin::ReportCommand &c : admin::reportCommands()) {
            QVERIFY2(r.out.contains(u"\n  "_s + QLatin1String(c.name) + u' '), c.name);
            for (const admin::ReportOption &o : c.options)
                QVERIFY2(options.contains(QLatin1String(o.name)), o.name);
        }
        // A report's name after the command's words asks for the same help.
        QCOMPARE(runTool({u"report"_s, u"movement"_s, u"--help"_s}).out, r.out);
    }

    void asksThatAreNoHelp_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("out");
        QTest::addColumn<QString>("err");
        QTest::newRow("no such command") << QStringList{u"frobnicate"_s, u"--help"_s} << 2
                                         << QString() << u"ไม่รู้จักคำสั่ง: frobnicate"_s;
        QTest::newRow("the first word of two commands")
            << QStringList{u"guarantee"_s, u"--help"_s} << 0 << u"ใช้: vostrel-admin guarantee add"_s
            << QString();
        QTest::newRow("version") << QStringList{u"--version"_s} << 0
                                 << u"vostrel-admin "_s + programVersion() + u'\n' << QString();
        QTest::newRow("no words: the usage, as before")
            << QStringList{} << 2 << QString() << u"vostrel-admin load TABLE FILE"_s;
    }
    void asksThatAreNoHelp()
    {
        QFETCH(QStringList, args);
        QFETCH(int, exitCode);
        QFETCH(QString, out);
        QFETCH(QString, err);
        const Run r = runTool(args);
        QCOMPARE(r.exitCode, exitCode);
        QVERIFY2(r.out.startsWith(out), qPrintable(r.out));
        QVERIFY2(r.err.contains(err), qPrintable(r.err));
        if (args.value(0) == u"guarantee"_s)
            QVERIFY(r.out.contains(u"ใช้: vostrel-admin guarantee receive"_s));
    }
};

QTEST_GUILESS_MAIN(TestAdminHelp)
#include "tst_admin_help.moc"
