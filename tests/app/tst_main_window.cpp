// The main window: start-up, version check, login and the menus of each access level.

#include "AppFixture.h"

#include <QAction>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenu>
#include <QSignalSpy>
#include <QStatusBar>

namespace {

QAction *action(TfrmMain_Vostrel &w, const char *name)
{
    auto *a = w.findChild<QAction *>(QLatin1String(name));
    if (!a)
        qFatal("no menu component %s", name);
    return a;
}

void setVersion(TestCatalog &catalog, const QString *value)
{
    catalog.connection().execute(db::Statement{QStringLiteral("DELETE FROM TR_Version")});
    if (value)
        catalog.connection().execute(
            db::Statement{QStringLiteral("INSERT INTO TR_Version (Version_NO) VALUES ('") +
                          db::sqlText(*value) + QStringLiteral("')")});
}

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT

private slots:
    // The program-wide dates come from the server's clock, never the workstation's.
    void startUpValues_data()
    {
        QTest::addColumn<QString>("backend");
        QTest::addColumn<QDate>("serverDate");
        QTest::addColumn<QString>("todayThai");
        QTest::addColumn<QString>("fiscalYear");
        for (const QString &b : {QStringLiteral("sqlite"), QStringLiteral("postgresql")}) {
            QTest::newRow(qPrintable(b + QStringLiteral(" 30 Sep")))
                << b << QDate(2014, 9, 30) << QStringLiteral("30/09/2557")
                << QStringLiteral("2014");
            QTest::newRow(qPrintable(b + QStringLiteral(" 1 Oct")))
                << b << QDate(2014, 10, 1) << QStringLiteral("01/10/2557")
                << QStringLiteral("2015");
            QTest::newRow(qPrintable(b + QStringLiteral(" 31 Dec")))
                << b << QDate(2014, 12, 31) << QStringLiteral("31/12/2557")
                << QStringLiteral("2015");
            QTest::newRow(qPrintable(b + QStringLiteral(" 5 Jan")))
                << b << QDate(2012, 1, 5) << QStringLiteral("05/01/2555") << QStringLiteral("2012");
        }
    }
    void startUpValues()
    {
        QFETCH(QString, backend);
        QFETCH(QDate, serverDate);
        QFETCH(QString, todayThai);
        QFETCH(QString, fiscalYear);
        REQUIRE_BACKEND(backend);
        AppFixture f(backend, QDateTime(serverDate, QTime(23, 59, 30)));
        TfrmMain_Vostrel &w = f.start();
        QVERIFY(!w.hasEnded());
        QCOMPARE(f.dialogs.shown.size(), 0);
        QCOMPARE(w.session().Today_Thai, todayThai);
        QCOMPARE(w.session().Fiscal_Year, fiscalYear);
        QCOMPARE(w.statusText(3), QStringLiteral("Server IT:DU_Vuv_Evaduve(FIN 2014)"));
        QCOMPARE(w.statusText(4), QStringLiteral("V.2.0"));
        QCOMPARE(w.statusText(0), QStringLiteral("Date"));
        QCOMPARE(w.statusText(1), QStringLiteral("User Name"));
        QVERIFY(w.statusBar()->isHidden());
        for (const char *menu : {"N1", "N2", "N7", "N29", "Administrator1", "NExit"})
            QVERIFY2(!action(w, menu)->isVisible(), menu);
        QVERIFY(w.findChild<QWidget *>(QStringLiteral("Panel1"))->isVisible());
    }

    void versionCheck_data()
    {
        QTest::addColumn<QString>("backend");
        QTest::addColumn<bool>("present");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("passes");
        for (const QString &b : {QStringLiteral("sqlite"), QStringLiteral("postgresql")}) {
            QTest::newRow(qPrintable(b + QStringLiteral(" trailing blank")))
                << b << true << QStringLiteral("2.0 ") << true;
            QTest::newRow(qPrintable(b + QStringLiteral(" 2.00")))
                << b << true << QStringLiteral("2.00") << false;
            QTest::newRow(qPrintable(b + QStringLiteral(" 2.1")))
                << b << true << QStringLiteral("2.1") << false;
            QTest::newRow(qPrintable(b + QStringLiteral(" no row")))
                << b << false << QString() << false;
        }
    }
    void versionCheck()
    {
        QFETCH(QString, backend);
        QFETCH(bool, present);
        QFETCH(QString, stored);
        QFETCH(bool, passes);
        REQUIRE_BACKEND(backend);
        AppFixture f(backend);
        setVersion(f.catalog, present ? &stored : nullptr);
        TfrmMain_Vostrel &w = f.start();
        QCOMPARE(w.hasEnded(), !passes);
        QCOMPARE(w.statusText(4), QStringLiteral("V.") + stored);
        if (passes) {
            QCOMPARE(f.dialogs.shown.size(), 0);
        } else {
            QCOMPARE(
                f.dialogs.texts(),
                QStringList{QStringLiteral("Invalid Version \nPressent Version Is : ") + stored});
        }
    }

    void unopenableCatalog()
    {
        QTemporaryDir dir;
        ScriptedDialogs dialogs;
        Deployment d;
        d.catalog.path = dir.filePath(QStringLiteral("missing.sqlite"));
        TfrmMain_Vostrel w(d, dialogs, ScreenRegistry{});
        QVERIFY(w.hasEnded());
        QCOMPARE(dialogs.texts(), QStringList{QStringLiteral("ไม่สามารถติดต่อฐานข้อมูลได้")});
        QCOMPARE(w.statusText(3), QStringLiteral("Remark")); // nothing read from the catalog
        QVERIFY(!QFile::exists(d.catalog.path));

        ScriptedDialogs pgDialogs;
        Deployment pg;
        pg.catalog =
            db::CatalogLocation::parse(QStringLiteral("postgresql://nobody@127.0.0.1:1/none"));
        TfrmMain_Vostrel w2(pg, pgDialogs, ScreenRegistry{});
        QVERIFY(w2.hasEnded());
        QCOMPARE(pgDialogs.texts(), QStringList{QStringLiteral("ไม่สามารถติดต่อฐานข้อมูลได้")});
    }

    void loginFailures_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("focus");
        QTest::newRow("no name") << QString() << QStringLiteral("pw")
                                 << QStringLiteral("กรุณาใส่ชื่อผู้ใช้ด้วย") << QStringLiteral("edtName");
        QTest::newRow("no password")
            << QStringLiteral("clerk") << QString() << QStringLiteral("กรุณาใส่รหัสผ่านด้วย")
            << QStringLiteral("edtPassword");
        QTest::newRow("unknown name")
            << QStringLiteral("nobody") << QStringLiteral("pw")
            << QStringLiteral("ไม่พบชื่อผู้ใช้ในระบบ กรุณาใส่ชื่อใหม่") << QStringLiteral("edtName");
        QTest::newRow("blank name reaches the lookup")
            << QStringLiteral("   ") << QStringLiteral("pw")
            << QStringLiteral("ไม่พบชื่อผู้ใช้ในระบบ กรุณาใส่ชื่อใหม่") << QStringLiteral("edtName");
        QTest::newRow("wrong password")
            << QStringLiteral("clerk") << QStringLiteral("nope")
            << QStringLiteral("รหัสผ่านไม่ถูกต้อง กรุณาใส่รหัสผ่านใหม่") << QStringLiteral("edtPassword");
        QTest::newRow("letter case of password")
            << QStringLiteral("clerk") << QStringLiteral("CLERK1")
            << QStringLiteral("รหัสผ่านไม่ถูกต้อง กรุณาใส่รหัสผ่านใหม่") << QStringLiteral("edtPassword");
        QTest::newRow("typed trailing blank")
            << QStringLiteral("clerk") << QStringLiteral("clerk1 ")
            << QStringLiteral("รหัสผ่านไม่ถูกต้อง กรุณาใส่รหัสผ่านใหม่") << QStringLiteral("edtPassword");
        QTest::newRow("quote in name")
            << QStringLiteral("x' OR '1'='1") << QStringLiteral("pw")
            << QStringLiteral("ไม่พบชื่อผู้ใช้ในระบบ กรุณาใส่ชื่อใหม่") << QStringLiteral("edtName");
    }
    void loginFailures()
    {
        QFETCH(QString, name);
        QFETCH(QString, password);
        QFETCH(QString, message);
        QFETCH(QString, focus);
        AppFixture f(QStringLiteral("sqlite"));
        f.addUser(QStringLiteral("clerk"), QStringLiteral("clerk1"), 5);
        TfrmMain_Vostrel &w = f.start();
        f.login(name, password);
        QCOMPARE(f.dialogs.texts(), QStringList{message});
        QCOMPARE(f.focused(), focus);
        // Nothing changed: typed texts kept, still awaiting login, and a retry works.
        QCOMPARE(w.findChild<QLineEdit *>(QStringLiteral("edtName"))->text(), name);
        QVERIFY(!action(w, "N2")->isVisible());
        QVERIFY(w.session().Login_User.isEmpty());
        f.dialogs.clear();
        f.login(QStringLiteral("clerk"), QStringLiteral("clerk1"));
        QCOMPARE(f.dialogs.shown.size(), 0);
        QVERIFY(action(w, "N2")->isVisible());
    }

    void loginMatchesAsTheCatalogCompares_data() { TestCatalog::addBackendRows(); }
    void loginMatchesAsTheCatalogCompares()
    {
        QFETCH(QString, backend);
        REQUIRE_BACKEND(backend);
        AppFixture f(backend);
        f.addUser(QStringLiteral("Somchai"), QStringLiteral("secret  "), 7);
        f.addUser(QStringLiteral("O'Neil"), QStringLiteral("a'b"), 5);
        TfrmMain_Vostrel &w = f.start();
        QStringList sent;
        w.session().connection.setObserver([&sent](const QString &s) { sent << s; });
        // Stored trailing blanks are ignored; the name matches in another letter case and is
        // kept as typed.
        f.login(QStringLiteral("SOMCHAI"), QStringLiteral("secret"));
        QCOMPARE(f.dialogs.shown.size(), 0);
        QCOMPARE(w.session().Login_User, QStringLiteral("SOMCHAI"));
        QCOMPARE(w.session().User_Level, 7);
        QCOMPARE(w.statusText(1), QStringLiteral("ผู้ใช้งาน :SOMCHAI"));
        QCOMPARE(w.statusText(2), QStringLiteral("Date : 05/10/2557"));
        QCOMPARE(sent,
                 QStringList{QStringLiteral("Select * From TR_User\nWhere UserName='SOMCHAI'")});

        AppFixture g(backend);
        g.addUser(QStringLiteral("O'Neil"), QStringLiteral("a'b"), 5);
        TfrmMain_Vostrel &w2 = g.start();
        g.login(QStringLiteral("O'Neil"), QStringLiteral("a'b"));
        QCOMPARE(g.dialogs.shown.size(), 0);
        QCOMPARE(w2.session().Login_User, QStringLiteral("O'Neil"));
    }

    void menusOfEachLevel_data()
    {
        QTest::addColumn<int>("level");
        QTest::addColumn<bool>("intake");
        QTest::addColumn<bool>("administrator");
        QTest::addColumn<bool>("createCalendar");
        QTest::newRow("-1") << -1 << false << false << false;
        QTest::newRow("4") << 4 << false << false << false;
        QTest::newRow("5") << 5 << true << false << false;
        QTest::newRow("6") << 6 << true << false << false;
        QTest::newRow("7") << 7 << true << true << false;
        QTest::newRow("8") << 8 << true << true << false;
        QTest::newRow("9") << 9 << true << true << true;
        QTest::newRow("12") << 12 << true << true << true;
    }
    void menusOfEachLevel()
    {
        QFETCH(int, level);
        QFETCH(bool, intake);
        QFETCH(bool, administrator);
        QFETCH(bool, createCalendar);
        AppFixture f(QStringLiteral("sqlite"));
        f.addUser(QStringLiteral("u"), QStringLiteral("p"), level);
        TfrmMain_Vostrel &w = f.start();
        f.login(QStringLiteral("u"), QStringLiteral("p"));
        for (const char *menu : {"N1", "N2", "N7", "N29", "helpMenu", "NExit"})
            QVERIFY2(action(w, menu)->isVisible(), menu);
        QCOMPARE(action(w, "Administrator1")->isVisible(), administrator);
        for (const char *item : {"ImportDataExcel1", "N3", "N4", "N22", "N6", "N20"})
            QVERIFY2(action(w, item)->isEnabled() == intake, item);
        for (const char *item : {"N28", "InportKVERP1", "N8", "N9", "N26", "KvsisKverp1",
                                 "ChangePassword1", "N11", "N12", "N17", "N18", "about"})
            QVERIFY2(action(w, item)->isEnabled(), item);
        QCOMPARE(action(w, "CreateCalendar1")->isEnabled(), createCalendar);
        // The service-level summary opens from the intake level too.
        QCOMPARE(action(w, "serviceSummary")->isEnabled(), intake);
        // The reference upkeep: shown to all, usable from the Administrator menu's level, the
        // users from level 9.
        for (const char *item :
             {"referenceOfficers", "referenceDocTypes", "referenceHolidays", "referenceUsers"})
            QVERIFY2(action(w, item)->isVisible(), item);
        for (const char *item : {"referenceOfficers", "referenceDocTypes", "referenceHolidays"})
            QVERIFY2(action(w, item)->isEnabled() == administrator, item);
        QCOMPARE(action(w, "referenceUsers")->isEnabled(), createCalendar);
        QVERIFY(w.statusBar()->isVisible());
        QVERIFY(!w.findChild<QWidget *>(QStringLiteral("Panel1"))->isVisible());
    }

    void menuTreeCaptions()
    {
        AppFixture f(QStringLiteral("sqlite"));
        TfrmMain_Vostrel &w = f.start();
        const QList<QPair<const char *, QString>> captions = {
            {"N2", QStringLiteral("บันทึกข้อมูล")},
            {"ImportDataExcel1", QStringLiteral("นำเข้าข้อมูล (Import Data Excel) จาก KV SIS")},
            {"N4", QStringLiteral("บันทึกเลขที่ฏีกา (Veq)")},
            {"N20", QStringLiteral("บันทึกเงินประกันสัญญา(ใบเหลือง(Hask))")},
            {"N24", QStringLiteral("รายงานการบันทึกข้อมูลเงินประกันสัญญา")},
            {"InportKVERP1", QStringLiteral("Inport ข้อมูลจาก KV-ERP")},
            {"KvsisKverp1", QStringLiteral("รายงานแสดงจำนวนวัน (KVSIS-KVERP)")},
            {"N29", QStringLiteral("ระบบ (System)")},
            {"N17", QStringLiteral("รายงาน วันในแต่ลปี")},
            {"NExit", QStringLiteral("ออกจากระบบ")},
        };
        for (const auto &[name, caption] : captions)
            QCOMPARE(action(w, name)->text(), caption);
        for (const char *sep :
             {"N5", "N10", "N19", "N23", "N27", "N30", "N25", "N31", "N13", "N14", "N16"})
            QVERIFY2(action(w, sep)->isSeparator(), sep);
        // The order of the "บันทึกข้อมูล" menu.
        QStringList order;
        for (QAction *a : w.findChild<QMenu *>(QStringLiteral("N2"))->actions())
            order << a->objectName();
        QCOMPARE(order,
                 (QStringList{QStringLiteral("ImportDataExcel1"), QStringLiteral("N5"),
                              QStringLiteral("N3"), QStringLiteral("N4"), QStringLiteral("N22"),
                              QStringLiteral("N10"), QStringLiteral("N6"), QStringLiteral("N19"),
                              QStringLiteral("N20"), QStringLiteral("N27"), QStringLiteral("N28"),
                              QStringLiteral("N30"), QStringLiteral("InportKVERP1")}));
    }

    void eachChoiceOpensAFreshWindow()
    {
        AppFixture f(QStringLiteral("sqlite"));
        f.addUser(QStringLiteral("u"), QStringLiteral("p"), 9);
        TfrmMain_Vostrel &w = f.start();
        f.login(QStringLiteral("u"), QStringLiteral("p"));
        auto *area = w.findChild<QMdiArea *>(QStringLiteral("Image1"));
        action(w, "ChangePassword1")->trigger();
        action(w, "ChangePassword1")->trigger();
        const auto children = area->subWindowList();
        QCOMPARE(children.size(), 2);
        QVERIFY(children.at(0)->widget() != children.at(1)->widget());
        QCOMPARE(children.at(0)->windowTitle(), QStringLiteral("frmChange_Password"));
        // A small dialog: at its own size, not maximised.
        QVERIFY(!children.at(1)->isMaximized());
        // "ประมวลผลจำนวนวัน" does nothing.
        action(w, "N15")->trigger();
        QCOMPARE(area->subWindowList().size(), 2);
        QCOMPARE(f.dialogs.shown.size(), 0);
    }

    // The fixed-holiday screen's "เพิ่มข้อมูล" opens the holidays' upkeep as a further child
    // window, titled in Thai.
    void fixedHolidayScreenOpensTheUpkeep()
    {
        AppFixture f(QStringLiteral("sqlite"));
        f.addUser(QStringLiteral("u"), QStringLiteral("p"), 7);
        TfrmMain_Vostrel &w = f.start();
        f.login(QStringLiteral("u"), QStringLiteral("p"));
        auto *area = w.findChild<QMdiArea *>(QStringLiteral("Image1"));
        action(w, "N11")->trigger();
        QWidget *holidays = area->subWindowList().at(0)->widget();
        holidays->findChild<QPushButton *>(QStringLiteral("btnAdd_Data"))->click();
        const auto children = area->subWindowList();
        QCOMPARE(children.size(), 2);
        QCOMPARE(children.at(1)->widget()->objectName(), QStringLiteral("referenceHolidays"));
        QCOMPARE(children.at(1)->windowTitle(), QStringLiteral("ข้อมูลวันหยุดประจำปี"));
        QCOMPARE(f.dialogs.shown.size(), 0);
    }

    // The intake screens open from level 5; below it their items cannot be chosen.
    void intakeScreensFollowTheLevel_data()
    {
        QTest::addColumn<int>("level");
        QTest::addColumn<int>("opened");
        QTest::newRow("4") << 4 << 1;
        QTest::newRow("5") << 5 << 3;
    }
    void intakeScreensFollowTheLevel()
    {
        QFETCH(int, level);
        QFETCH(int, opened);
        AppFixture f(QStringLiteral("sqlite"));
        f.addUser(QStringLiteral("u"), QStringLiteral("p"), level);
        TfrmMain_Vostrel &w = f.start();
        f.login(QStringLiteral("u"), QStringLiteral("p"));
        for (const char *item : {"N3", "N4", "N28"})
            action(w, item)->trigger();
        auto *area = w.findChild<QMdiArea *>(QStringLiteral("Image1"));
        QCOMPARE(area->subWindowList().size(), opened);
        QStringList titles;
        for (QMdiSubWindow *child : area->subWindowList())
            titles << child->widget()->objectName();
        QVERIFY(titles.contains(QStringLiteral("frmEntry_Doc_No")));
        QCOMPARE(titles.contains(QStringLiteral("frmEntry_Deega_No")), level >= 5);
        QCOMPARE(f.dialogs.shown.size(), 0);
    }

    void cancelAndExitEndTheProgram()
    {
        AppFixture f(QStringLiteral("sqlite"));
        TfrmMain_Vostrel &w = f.start();
        QSignalSpy ended(&w, &TfrmMain_Vostrel::programEnded);
        w.findChild<QPushButton *>(QStringLiteral("btnCancel"))->click();
        QCOMPARE(ended.size(), 1);
        QVERIFY(w.hasEnded());

        AppFixture g(QStringLiteral("sqlite"));
        g.addUser(QStringLiteral("u"), QStringLiteral("p"), 4);
        TfrmMain_Vostrel &w2 = g.start();
        g.login(QStringLiteral("u"), QStringLiteral("p"));
        QSignalSpy ended2(&w2, &TfrmMain_Vostrel::programEnded);
        action(w2, "NExit")->trigger();
        QCOMPARE(ended2.size(), 1);
    }

    // Enter moves on as Tab does: name, password, then OK, where Enter presses it.
    void enterWalksTheLoginPanel()
    {
        AppFixture f(QStringLiteral("sqlite"));
        f.addUser(QStringLiteral("u"), QStringLiteral("p"), 5);
        TfrmMain_Vostrel &w = f.start();
        auto *name = w.findChild<QLineEdit *>(QStringLiteral("edtName"));
        name->setFocus();
        QTest::keyClicks(name, QStringLiteral("u"));
        QTest::keyClick(name, Qt::Key_Return);
        QCOMPARE(f.focused(), QStringLiteral("edtPassword"));
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("p"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(f.focused(), QStringLiteral("btnOK"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(f.dialogs.shown.size(), 0);
        QCOMPARE(w.session().Login_User, QStringLiteral("u"));
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_main_window.moc"
