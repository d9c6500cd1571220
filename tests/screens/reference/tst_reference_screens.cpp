// The reference upkeep screens, driven through their controls: what reaches the catalog, what
// the list shows and which boxes are shown, in order; and the fixed-holiday screen's button
// that opens the holidays' upkeep.

#include "ScriptedDialogs.h"
#include "TestCatalog.h"
#include "data/Connection.h"
#include "data/Deployment.h"
#include "screens/calendar/UEntry_Stop_Day.h"
#include "screens/common/Grid.h"
#include "screens/common/Session.h"
#include "screens/reference/ReferenceScreen.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <memory>

using namespace Qt::StringLiterals;
using reference::TableId;

namespace {

const QString Confirm = u"ยืนยันการบันทึกข้อมูล "_s;
const QString Saved = u"ทำการบันทึกข้อมูลเรียบร้อยแล้ว"_s;

struct Fixture {
    explicit Fixture(const QString &backend, const QString &user = u"boss"_s)
        : catalog(backend), session{catalog.connection(),
                                    dialogs,
                                    deployment,
                                    u"05/10/2557"_s,
                                    u"2015"_s,
                                    user,
                                    9,
                                    {},
                                    {}}
    {
        run(u"INSERT INTO TR_PerSon (Per_Code, Per_Name, Per_status) VALUES ('01', 'สมชาย', 'A'), "
            "('02', 'สมหญิง', 'N')"_s);
        run(u"INSERT INTO TR_DocType (DocType_Code, DocType_Name) VALUES ('01', 'ค่าวัสดุ')"_s);
        run(u"INSERT INTO TR_User (UserName, Password, U_Level) VALUES ('boss', 'b', 9), "
            "('clerk', 'c', 5)"_s);
        run(u"INSERT INTO Main_Deega_Control (Doc_PK, Per_Code, DocType_Code) "
            "VALUES ('QDTX2557/00001', '01', '01')"_s);
    }
    void run(const QString &sql) { catalog.connection().execute(db::Statement{sql}); }
    QStringList table(TableId t)
    {
        QStringList out;
        for (const QStringList &row : reference::list(catalog.connection(), t))
            out << row.join(u'|');
        return out;
    }
    QString stored(const QString &sql)
    {
        db::Rows r = catalog.connection().select(db::Statement{sql});
        return r.next() ? r.text(0) : u"<none>"_s;
    }

    TestCatalog catalog;
    Deployment deployment;
    ScriptedDialogs dialogs;
    Session session;
};

struct Driver {
    Driver(Fixture &f, TableId table) : screen(std::make_unique<ReferenceScreen>(f.session, table))
    {
        screen->show();
        (void)QTest::qWaitForWindowExposed(screen.get());
        grid = screen->findChild<Grid *>(u"StringGrid1"_s);
    }
    template <typename T = QLineEdit> T *control(const QString &name)
    {
        T *w = screen->findChild<T *>(name);
        if (!w)
            qFatal("no control %s", qPrintable(name));
        return w;
    }
    void click(const char *name) { control<QPushButton>(QLatin1String(name))->click(); }
    // The listed rows, from column 1, cells joined by "|".
    QStringList listed() const
    {
        QStringList out;
        for (int r = 1; r < grid->rowCount(); ++r) {
            QStringList cells;
            for (int c = 1; c < grid->colCount(); ++c)
                cells << grid->cell(c, r);
            out << cells.join(u'|');
        }
        return out;
    }
    void choose(const QString &key)
    {
        for (int r = 1; r < grid->rowCount(); ++r) {
            if (grid->cell(1, r) == key)
                grid->setRow(r);
        }
        QCOMPARE(grid->cell(1, grid->row()), key);
    }
    bool editing() { return control<QWidget>(u"Panel2"_s)->isVisible(); }
    QString focused() const
    {
        QWidget *w = QApplication::focusWidget();
        return w ? w->objectName() : QString();
    }

    std::unique_ptr<ReferenceScreen> screen;
    Grid *grid;
};

} // namespace

class TestReferenceScreens : public QObject {
    Q_OBJECT

private slots:
    // Officers: the list, an addition, the refusals (a short code before the confirmation, a
    // taken code after it), a cancel, an officer with documents made inactive but not removed.
    void officers_data() { TestCatalog::addBackendRows(); }
    void officers()
    {
        QFETCH(QString, backend);
        REQUIRE_BACKEND(backend);
        Fixture f(backend);
        Driver d(f, TableId::Officers);
        QCOMPARE(d.screen->windowTitle(), u"ข้อมูลเจ้าหน้าที่ผู้รับผิดชอบ"_s);
        QCOMPARE(d.grid->cell(1, 0), u"รหัสเจ้าหน้าที่"_s);
        QCOMPARE(d.listed(), (QStringList{u"01|สมชาย|ใช้งาน"_s, u"02|สมหญิง|ไม่ใช้งาน"_s}));

        d.click("btnAdd_Data");
        QVERIFY(d.editing());
        QVERIFY(!d.control<QWidget>(u"btnAdd_Data"_s)->isVisible());
        QVERIFY(d.control<QCheckBox>(u"CheckBoxPer_status2"_s)->isChecked());
        d.control(u"edtPer_Code2"_s)->setText(u"3"_s);
        d.control(u"edtPer_Name2"_s)->setText(u"สมศรี"_s);
        d.click("btnSave2");
        QVERIFY(f.dialogs.last().contains(u"ต้องมี 2 ตัวอักษรพอดี"_s));
        QCOMPARE(f.dialogs.shown.size(), 1); // refused before the confirmation
        QCOMPARE(d.focused(), u"edtPer_Code2"_s);

        d.control(u"edtPer_Code2"_s)->setText(u"01"_s);
        d.click("btnSave2");
        QCOMPARE(f.dialogs.texts().mid(1),
                 (QStringList{Confirm, u"รหัสเจ้าหน้าที่ 01 (สมชาย) มีอยู่แล้ว"_s}));
        QVERIFY(d.editing());

        d.control(u"edtPer_Code2"_s)->setText(u"03"_s);
        f.dialogs.answer(false);
        d.click("btnSave2");
        QCOMPARE(f.table(TableId::Officers).size(), 2);
        QVERIFY(d.editing());
        f.dialogs.clear();
        d.click("btnSave2");
        QCOMPARE(f.dialogs.texts(), (QStringList{Confirm, Saved}));
        QVERIFY(!d.editing());
        QCOMPARE(d.listed().last(), u"03|สมศรี|ใช้งาน"_s);
        QCOMPARE(d.grid->row(), 3); // the row just saved

        // Officer 01 has a document: not removed, but made inactive.
        f.dialogs.clear();
        d.choose(u"01"_s);
        d.click("btnDelete_Data");
        QCOMPARE(f.dialogs.texts(),
                 (QStringList{u"ยืนยันการลบข้อมูล 01 สมชาย ใช้งาน"_s,
                              u"เจ้าหน้าที่ รหัสเจ้าหน้าที่ 01 (สมชาย) มีเอกสารอ้างถึงอยู่ 1 เรื่อง จึงลบไม่ได้ "
                              "(เปลี่ยนเป็นไม่ใช้งานได้)"_s}));
        d.click("btnEdit_Data");
        QVERIFY(d.editing());
        QVERIFY(!d.control(u"edtPer_Code2"_s)->isEnabled());
        QCOMPARE(d.control(u"edtPer_Code2"_s)->text(), u"01"_s);
        QCOMPARE(d.control(u"edtPer_Name2"_s)->text(), u"สมชาย"_s);
        d.control<QCheckBox>(u"CheckBoxPer_status2"_s)->setChecked(false);
        d.click("btnSave2");
        QCOMPARE(f.stored(u"SELECT Per_status FROM TR_PerSon WHERE Per_Code = '01'"_s), u"N"_s);

        // Officer 03 has none: removed.
        f.dialogs.clear();
        d.choose(u"03"_s);
        d.click("btnDelete_Data");
        QCOMPARE(f.dialogs.texts(), (QStringList{u"ยืนยันการลบข้อมูล 03 สมศรี ใช้งาน"_s, Saved}));
        QCOMPARE(d.listed(), (QStringList{u"01|สมชาย|ไม่ใช้งาน"_s, u"02|สมหญิง|ไม่ใช้งาน"_s}));
    }

    // A type in use stays; a new one is added and renamed.
    void docTypes_data() { TestCatalog::addBackendRows(); }
    void docTypes()
    {
        QFETCH(QString, backend);
        REQUIRE_BACKEND(backend);
        Fixture f(backend);
        Driver d(f, TableId::DocTypes);
        d.click("btnAdd_Data");
        d.control(u"edtDocType_Code2"_s)->setText(u"02"_s);
        d.control(u"edtDocType_Name2"_s)->setText(u"ค่าจ้าง"_s);
        d.click("btnSave2");
        d.choose(u"02"_s);
        d.click("btnEdit_Data");
        QCOMPARE(d.focused(), u"edtDocType_Name2"_s);
        d.control(u"edtDocType_Name2"_s)->setText(u"ค่าจ้างเหมา"_s);
        d.click("btnSave2");
        d.choose(u"01"_s);
        d.click("btnDelete_Data");
        QVERIFY(f.dialogs.last().contains(u"จึงลบไม่ได้"_s));
        QCOMPARE(f.table(TableId::DocTypes), (QStringList{u"01|ค่าวัสดุ"_s, u"02|ค่าจ้างเหมา"_s}));
        QCOMPARE(f.dialogs.texts().count(Saved), 2);
    }

    // The logged-in user keeps their row and level; an empty password box keeps the password.
    void users_data() { TestCatalog::addBackendRows(); }
    void users()
    {
        QFETCH(QString, backend);
        REQUIRE_BACKEND(backend);
        Fixture f(backend, u"Boss"_s);
        Driver d(f, TableId::Users);
        QCOMPARE(d.listed(), (QStringList{u"boss|9"_s, u"clerk|5"_s}));
        d.choose(u"boss"_s);
        d.click("btnDelete_Data");
        QCOMPARE(f.dialogs.last(), u"ไม่สามารถลบชื่อผู้ใช้ boss ที่กำลังใช้งานอยู่ได้"_s);
        d.click("btnEdit_Data");
        QCOMPARE(d.control(u"edtPassword2"_s)->text(), QString());
        d.control(u"edtU_Level2"_s)->setText(u"7"_s);
        d.click("btnSave2");
        QCOMPARE(f.dialogs.last(), u"ไม่สามารถลดระดับของผู้ใช้ boss ที่กำลังใช้งานอยู่ได้"_s);
        QCOMPARE(d.focused(), u"edtU_Level2"_s);
        d.click("btnExit2");
        QVERIFY(!d.editing());

        d.choose(u"clerk"_s);
        d.click("btnEdit_Data");
        d.control(u"edtU_Level2"_s)->setText(u"6"_s);
        d.click("btnSave2");
        QCOMPARE(f.stored(u"SELECT Password FROM TR_User WHERE UserName = 'clerk'"_s), u"c"_s);
        d.click("btnAdd_Data");
        d.control(u"edtUserName2"_s)->setText(u"new"_s);
        d.control(u"edtU_Level2"_s)->setText(u"4"_s);
        d.click("btnSave2");
        QVERIFY(f.dialogs.last().contains(u"ระบบไม่รับรหัสผ่านว่าง"_s));
        QCOMPARE(d.focused(), u"edtPassword2"_s);
        d.control(u"edtPassword2"_s)->setText(u"n1"_s);
        d.click("btnSave2");
        QCOMPARE(f.dialogs.last(), Saved);
        QCOMPARE(d.listed(), (QStringList{u"boss|9"_s, u"clerk|6"_s, u"new|4"_s}));
        QCOMPARE(f.stored(u"SELECT Password FROM TR_User WHERE UserName = 'new'"_s), u"n1"_s);
    }

    // A day-month that is no day is refused at its box; the fixed-holiday screen's button opens
    // this upkeep, and its list shows what the upkeep saved once it closes.
    void holidays()
    {
        Fixture f(u"sqlite"_s);
        QStringList opened;
        std::unique_ptr<Driver> upkeep;
        f.session.openScreen = [&](const QString &item) -> Screen * {
            opened << item;
            upkeep = std::make_unique<Driver>(f, TableId::Holidays);
            return upkeep->screen.get();
        };
        TfrmEntry_Stop_Day list(f.session);
        auto *listGrid = list.findChild<Grid *>(u"StringGrid1"_s);
        list.findChild<QPushButton *>(u"btnAdd_Data"_s)->click();
        QCOMPARE(opened, QStringList{u"referenceHolidays"_s});
        Driver &d = *upkeep;
        d.click("btnAdd_Data");
        d.control(u"edtD_DDMM2"_s)->setText(u"31/04"_s);
        d.control(u"edtSD_Remark2"_s)->setText(u"ไม่มีวันนี้"_s);
        d.click("btnSave2");
        QCOMPARE(f.dialogs.texts(),
                 QStringList{u"วันที่ (DD/MM) \"31/04\" ไม่ใช่วันที่ที่มีจริงในรูป DD/MM (เช่น 05/12)"_s});
        QCOMPARE(d.focused(), u"edtD_DDMM2"_s);
        d.control(u"edtD_DDMM2"_s)->setText(u"29/02"_s);
        d.click("btnSave2");
        QCOMPARE(f.dialogs.last(), Saved);
        QCOMPARE(listGrid->cell(1, 1), QString());
        upkeep.reset();
        QCOMPARE(listGrid->cell(1, 1), u"29/02"_s);
        QCOMPARE(listGrid->cell(2, 1), u"ไม่มีวันนี้"_s);
    }

    // With the edit panel up, the list's controls are out of the focus chain: Tab from the
    // first box walks the panel's own controls only.
    void tabStaysInTheEditPanel()
    {
        Fixture f(u"sqlite"_s);
        Driver d(f, TableId::Officers);
        d.screen->activateWindow();
        (void)QTest::qWaitForWindowActive(d.screen.get());
        d.click("btnAdd_Data");
        QWidget *panel = d.control<QWidget>(u"Panel2"_s);
        QStringList walked;
        for (int i = 0; i < 8; ++i) {
            QWidget *w = QApplication::focusWidget();
            QVERIFY(w);
            QVERIFY2(panel->isAncestorOf(w), qPrintable(w->objectName()));
            walked << w->objectName();
            QTest::keyClick(w, Qt::Key_Tab);
        }
        QVERIFY(walked.contains(u"btnSave2"_s));
    }
};

QTEST_MAIN(TestReferenceScreens)
#include "tst_reference_screens.moc"
