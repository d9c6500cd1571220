// vostrel-admin notice: the notice of a stored guarantee document written as a PDF, with the
// organisation's texts from the deployment settings; refusals write nothing.

#include "PdfReadback.h"
#include "TestCatalog.h"
#include "ToolRun.h"
#include "core/Guarantee.h"
#include "core/GuaranteeNotice.h"
#include "data/Connection.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

class NoticeTool {
public:
    NoticeTool()
    {
        // The settings the tool reads: the standard configuration folder, here a fresh one.
        QDir(config_.path()).mkpath(QStringLiteral("vostrel"));
        QFile ini(config_.filePath(QStringLiteral("vostrel/vostrel.ini")));
        if (ini.open(QIODevice::WriteOnly))
            ini.write("[organisation]\n"
                      "telephones=02-579-0113\n"
                      "building=Finance Tower\n");
    }

    Run run(const QStringList &args) const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), config_.path());
        // The tool needs no display of its own.
        env.remove(QStringLiteral("QT_QPA_PLATFORM"));
        env.remove(QStringLiteral("DISPLAY"));
        return runTool(args, env);
    }

private:
    QTemporaryDir config_;
};

QString store(db::Connection &c)
{
    guarantee::Form f;
    f.fromSite = QStringLiteral("บริษัท ก่อสร้างไทย จำกัด");
    f.topic = QStringLiteral("คืนเงินประกันสัญญา");
    f.amount = QStringLiteral("1,234.50");
    f.bank = false;
    return guarantee::saveNew(c, f, QStringLiteral("05/10/2557"));
}

} // namespace

class TestAdminNotice : public QObject {
    Q_OBJECT

private slots:
    void writesTheNotice_data() { TestCatalog::addBackendRows(); }
    void writesTheNotice()
    {
        QFETCH(QString, backend);
        REQUIRE_BACKEND(backend);
        TestCatalog catalog(backend);
        const QString key = store(catalog.connection());
        const NoticeTool tool;
        QTemporaryDir dir;

        // The place stored with the document: the finance section, with the settings' texts.
        const QString stored = dir.filePath(QStringLiteral("stored.pdf"));
        Run r = tool.run({QStringLiteral("notice"), key, QStringLiteral("--pdf"), stored,
                          QStringLiteral("--catalog"), catalog.url()});
        QVERIFY2(r.exitCode == 0, qPrintable(r.err));
        QVERIFY(r.out.contains(stored));
        PdfReadback pdf = readPdf(stored);
        QVERIFY2(pdf.problem.isEmpty(), qPrintable(pdf.problem));
        QCOMPARE(pdf.pages, 1);
        QCOMPARE(occurrences(pdf.text, key), 2);
        QCOMPARE(occurrences(pdf.text, QStringLiteral("1,234.50 (หนึ่งพันสองร้อยสามสิบสี่บาทห้าสิบสตางค์)")),
                 2);
        QCOMPARE(occurrences(pdf.text, QStringLiteral("งานการเงิน กองคลัง ชั้น 3 Finance Tower")), 2);
        QCOMPARE(occurrences(pdf.text, QStringLiteral("Tel. 02-579-0113")), 2);

        // --place bank overrides it.
        const QString bank = dir.filePath(QStringLiteral("bank.pdf"));
        r = tool.run({QStringLiteral("notice"), key, QStringLiteral("--pdf"), bank,
                      QStringLiteral("--place"), QStringLiteral("bank"),
                      QStringLiteral("--catalog"), catalog.url()});
        QVERIFY2(r.exitCode == 0, qPrintable(r.err));
        pdf = readPdf(bank);
        for (const QString &line : guarantee::chequePlaceLines(true, Deployment::Organisation()))
            QCOMPARE(occurrences(pdf.text, line), 2);
        QCOMPARE(occurrences(pdf.text, QStringLiteral("Finance Tower")), 0);
    }

    // Each refusal: exit status 2, its message, and no file.
    void refusalsWriteNothing_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QString>("message");
        QTest::newRow("unknown key") << QStringLiteral("2557ส9999999") << QStringList()
                                     << guarantee::noticeMissing(QStringLiteral("2557ส9999999"));
        QTest::newRow("unknown place")
            << QString() << QStringList{QStringLiteral("--place"), QStringLiteral("bus")}
            << QStringLiteral("--place ต้องเป็น bank หรือ finance");
        QTest::newRow("no file") << QString() << QStringList{QStringLiteral("--pdf=")}
                                 << QStringLiteral("ต้องระบุแฟ้มที่จะเขียน: --pdf FILE");
    }
    void refusalsWriteNothing()
    {
        QFETCH(QString, key);
        QFETCH(QStringList, options);
        QFETCH(QString, message);
        TestCatalog catalog(QStringLiteral("sqlite"));
        const QString stored = store(catalog.connection());
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("notice.pdf"));
        const Run r = NoticeTool().run(
            QStringList{QStringLiteral("notice"), key.isEmpty() ? stored : key,
                        QStringLiteral("--pdf"), file, QStringLiteral("--catalog"), catalog.url()} +
            options);
        QCOMPARE(r.exitCode, 2);
        QVERIFY2(r.err.contains(message), qPrintable(r.err));
        QVERIFY(!QFile::exists(file));
        QCOMPARE(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
                 QStringList());
    }
};

QTEST_GUILESS_MAIN(TestAdminNotice)
#include "tst_admin_notice.moc"
