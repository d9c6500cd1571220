// The Help menu's About window: a user of any level finds the version, the catalog in use and
// where the report workbooks go, and opening it makes no folder.

#include "AppFixture.h"
#include "util/Version.h"

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QMdiArea>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

class TestAbout : public QObject {
    Q_OBJECT

    QTemporaryDir home_;

private slots:
    void initTestCase()
    {
        // The documents and settings folders of a home of the test's own.
        qputenv("HOME", home_.path().toUtf8());
        qputenv("XDG_CONFIG_HOME", (home_.path() + u"/.config"_s).toUtf8());
    }

    void showsWhatTheProgramUses_data() { TestCatalog::addBackendRows(); }
    void showsWhatTheProgramUses()
    {
        QFETCH(QString, backend);
        REQUIRE_BACKEND(backend);
        AppFixture f(backend);
        f.addUser(u"viewer"_s, u"v"_s, 1);
        TfrmMain_Vostrel &w = f.start();
        f.login(u"viewer"_s, u"v"_s);
        auto *about = w.findChild<QAction *>(u"about"_s);
        QVERIFY(about && about->isEnabled() && about->isVisible());
        about->trigger();
        auto *area = w.findChild<QMdiArea *>(u"Image1"_s);
        QCOMPARE(area->subWindowList().size(), 1);
        QWidget *screen = area->subWindowList().first()->widget();
        auto text = [screen](const char *label) {
            auto *l = screen->findChild<QLabel *>(QLatin1String(label));
            return l ? l->text() : u"(no label %1)"_s.arg(QLatin1String(label));
        };

        QCOMPARE(text("version"), u"Vostrel รุ่น "_s + programVersion());
        QCOMPARE(text("catalogVersion"), u"2.0"_s);
        const db::CatalogLocation &where = f.catalog.location();
        if (backend == u"sqlite"_s) {
            QCOMPARE(text("catalog"), u"ฐานข้อมูลในเครื่อง (SQLite): "_s + where.path);
            QCOMPARE(text("dailyCopies"), QFileInfo(where.path).absolutePath() + u"/backups"_s);
        } else {
            QCOMPARE(text("catalog"), u"ฐานข้อมูลกลาง: "_s + where.describe() + u" (FIN)"_s);
            QVERIFY(!screen->findChild<QLabel *>(u"dailyCopies"_s));
        }
        const QString reports = home_.path() + u"/Documents/Vostrel reports"_s;
        QCOMPARE(text("reportsFolder"), reports);
        QVERIFY(!QDir(reports).exists());
        QVERIFY(text("settingsFile").startsWith(home_.path() + u"/.config/vostrel/vostrel.ini"_s));
        QCOMPARE(f.dialogs.shown.size(), 0);
    }
};

QTEST_MAIN(TestAbout)
#include "tst_about.moc"
