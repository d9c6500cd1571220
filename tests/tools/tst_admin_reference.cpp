// `vostrel-admin person|doctype|user|holiday add|set|remove|list`, run as the tool itself: a new
// division set up from the command line, and each refusal one line with exit status 2 and the
// tables as they were.

#include "TestCatalog.h"
#include "ToolRun.h"
#include "core/Reference.h"
#include "data/Connection.h"

#include <QProcess>
#include <QTest>

using namespace Qt::StringLiterals;
using reference::TableId;

namespace {

// Every reference table as listed, one text.
QString tables(db::Connection &c)
{
    QString out;
    for (TableId t : reference::allTables()) {
        for (const QStringList &row : reference::list(c, t))
            out += row.join(u'|') + u'\n';
    }
    return out;
}

} // namespace

class TestAdminReference : public QObject {
    Q_OBJECT

private slots:
    // A division's reference data from nothing, and what the lists print.
    void setsUpADivision_data() { TestCatalog::addBackendRows(); }
    void setsUpADivision()
    {
        QFETCH(QString, backend);
        REQUIRE_BACKEND(backend);
        TestCatalog catalog(backend);
        const QString url = catalog.url();
        const auto tool = [&](const QString &line, const QStringList &more = {}) {
            return runTool(line.split(u' ') + more + QStringList{u"--catalog"_s, url});
        };
        const QStringList ok[] = {
            {u"person add 01"_s, u"--name"_s, u"สมชาย ใจดี"_s},
            {u"person add 02 --active no"_s, u"--name"_s, u"O'Neil"_s},
            {u"person set 02 --active yes"_s},
            {u"doctype add 01"_s, u"--name"_s, u"ค่าวัสดุ"_s},
            {u"doctype add 02 --name x"_s},
            {u"doctype set 02 --name ค่าจ้าง"_s},
            {u"doctype remove 02"_s},
            {u"user add --user boss --password b1 --level 9"_s},
            {u"user add --user clerk --password c1 --level 5"_s},
            {u"user set --user CLERK --password c2 --level 6"_s},
            {u"holiday add 29/02 --name leap"_s},
            {u"holiday add 05/12"_s, u"--name"_s, u"วันพ่อ"_s},
            {u"holiday set 29/02 --name อธิกสุรทิน"_s},
        };
        for (const QStringList &words : ok) {
            const Run r = tool(words.front(), words.mid(1));
            QVERIFY2(r.exitCode == 0, qPrintable(words.join(u' ') + u": "_s + r.err));
            QVERIFY2(r.out.endsWith(u"เรียบร้อยแล้ว\n"_s), qPrintable(r.out));
        }
        QCOMPARE(tool(u"person add 03 --name x"_s).out, u"เพิ่มเจ้าหน้าที่ 03 เรียบร้อยแล้ว\n"_s);
        QCOMPARE(tool(u"person remove 03"_s).out, u"ลบเจ้าหน้าที่ 03 เรียบร้อยแล้ว\n"_s);

        QCOMPARE(tool(u"person list"_s).out,
                 u"Per_Code\tPer_Name\tPer_status\n01\tสมชาย ใจดี\tA\n02\tO'Neil\tA\n"_s);
        QCOMPARE(tool(u"doctype list"_s).out, u"DocType_Code\tDocType_Name\n01\tค่าวัสดุ\n"_s);
        QCOMPARE(tool(u"user list"_s).out, u"UserName\tU_Level\nboss\t9\nclerk\t6\n"_s);
        QCOMPARE(tool(u"holiday list"_s).out,
                 u"D_DDMM\tSD_Remark\n05/12\tวันพ่อ\n29/02\tอธิกสุรทิน\n"_s);

        // In use, and the last level-9 user: refused on either back end.
        catalog.connection().execute(
            db::Statement{u"INSERT INTO Main_Deega_Control (Doc_PK, Per_Code, DocType_Code) "
                          "VALUES ('QDTX2557/00001', '01', '01')"_s});
        for (const QString &line :
             {u"person remove 01"_s, u"doctype remove 01"_s, u"user remove --user boss"_s}) {
            const Run r = tool(line);
            QCOMPARE(r.exitCode, 2);
            QCOMPARE(r.out, QString());
            QVERIFY2(r.err.contains(u"ลบไม่ได้"_s) || r.err.contains(u"คนสุดท้าย"_s),
                     qPrintable(r.err));
        }
        QVERIFY(tool(u"user remove --user clerk"_s).exitCode == 0);
    }

    // Each refusal: one Thai line naming what is wrong, exit status 2, the tables untouched.
    void refusals_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("error");
        const std::pair<const char *, const char *> cases[] = {
            {"person add 1 --name x", "รหัสเจ้าหน้าที่ ต้องมี 2 ตัวอักษรพอดี"},
            {"person add 001 --name x", "(ใส่ \"001\" มี 3 ตัวอักษร)"},
            {"person add 03", "กรุณาใส่ชื่อเจ้าหน้าที่ (--name)"},
            {"person add 01 --name x", "รหัสเจ้าหน้าที่ 01 (สมชาย) มีอยู่แล้ว"},
            {"person add 03 --name x --active maybe", "--active: \"maybe\" ต้องเป็น yes"},
            {"person add 03 --name x --level 5", "คำสั่ง person add ไม่มีตัวเลือก --level"},
            {"person add 03 --name x --name y", "ระบุ --name ซ้ำ"},
            {"person set 01", "ไม่มีข้อมูลที่จะเปลี่ยน: ระบุ --name หรือ --active"},
            {"person set 09 --name x", "ไม่พบเจ้าหน้าที่ (รหัสเจ้าหน้าที่ 09) ในฐานข้อมูล"},
            {"person remove 01", "มีเอกสารอ้างถึงอยู่ 1 เรื่อง จึงลบไม่ได้"},
            {"person list --name x", "คำสั่ง person list ไม่มีตัวเลือก --name"},
            {"doctype add 03 --name LONG",
             "ชื่อประเภทเอกสารยาวเกิน 100 ตัวอักษร (ใส่ 101 ตัวอักษร) (--name)"},
            {"doctype remove 01", "จึงลบไม่ได้"},
            {"holiday add 31/04 --name x", "\"31/04\" ไม่ใช่วันที่ที่มีจริงในรูป DD/MM"},
            {"holiday add 01/01 --name x", "วันที่ (DD/MM) 01/01 (ปีใหม่) มีอยู่แล้ว"},
            {"holiday add 05/12 --name x --active yes", "ไม่มีตัวเลือก --active"},
            {"user remove --user boss", "boss เป็นผู้ใช้ระดับ 9 คนสุดท้าย"},
            {"user set --user BOSS --level 8", "คนสุดท้าย"},
            {"user set --user boss", "ไม่มีข้อมูลที่จะเปลี่ยน: ระบุ --password หรือ --level"},
            {"user set --user nobody --level 5", "ไม่พบผู้ใช้"},
            {"user remove", "ต้องระบุ --user"},
            {"user add --user boss --password p --level 5", "ชื่อผู้ใช้ boss มีอยู่แล้ว (--user)"},
            {"user add --user x --password p_ --level 5", "ไม่ขึ้นต้นหรือลงท้ายด้วยช่องว่าง (--password)"},
        };
        for (const auto &[line, error] : cases) {
            QStringList args = QString::fromUtf8(line).split(u' ');
            args.replaceInStrings(u"LONG"_s, QString(101, u'ค'));
            args.replaceInStrings(u"p_"_s, u"p "_s);
            QTest::newRow(line) << args << QString::fromUtf8(error);
        }
    }
    void refusals()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, error);
        TestCatalog catalog(u"sqlite"_s);
        db::Connection &c = catalog.connection();
        for (
            const QString &sql :
            {u"INSERT INTO TR_PerSon (Per_Code, Per_Name, Per_status) VALUES ('01', 'สมชาย', 'A')"_s,
             u"INSERT INTO TR_DocType (DocType_Code, DocType_Name) VALUES ('01', 'ค่าวัสดุ')"_s,
             u"INSERT INTO TR_User (UserName, Password, U_Level) VALUES ('boss', 'b', 9)"_s,
             u"INSERT INTO TR_Hard_StopDay (D_DDMM, SD_Remark) VALUES ('01/01', 'ปีใหม่')"_s,
             u"INSERT INTO Main_Deega_Control (Doc_PK, Per_Code, DocType_Code) "
             "VALUES ('QDTX2557/00001', '01', '01')"_s})
            c.execute(db::Statement{sql});
        const QString before = tables(c);
        const Run r = runTool(args << u"--catalog"_s << catalog.url());
        QCOMPARE(r.exitCode, 2);
        QCOMPARE(r.out, QString());
        QVERIFY2(r.err.contains(error), qPrintable(r.err));
        QCOMPARE(r.err.count(u'\n'), 1);
        QCOMPARE(tables(c), before);
    }

    // Words that do not fit a command's form give the form and the usage.
    void forms_data()
    {
        QTest::addColumn<QString>("words");
        QTest::addColumn<QString>("firstLine");
        QTest::newRow("no code") << u"person add"_s
                                 << u"ใช้: vostrel-admin person add|set|remove CODE [--name TEXT] "
                                    "[--active yes|no]"_s;
        QTest::newRow("two codes")
            << u"doctype remove 01 02"_s
            << u"ใช้: vostrel-admin doctype add|set|remove CODE [--name TEXT]"_s;
        QTest::newRow("no day")
            << u"holiday set"_s
            << u"ใช้: vostrel-admin holiday add|set|remove DD/MM [--name TEXT]"_s;
        QTest::newRow("list with a word") << u"holiday list x"_s << u"ไม่รู้จักคำสั่ง: holiday list x"_s;
        QTest::newRow("unknown action")
            << u"person delete 01"_s << u"ไม่รู้จักคำสั่ง: person delete 01"_s;
    }
    void forms()
    {
        QFETCH(QString, words);
        QFETCH(QString, firstLine);
        const Run r = runTool(words.split(u' ') << u"--catalog"_s << u"sqlite:/nonexistent/c"_s);
        QCOMPARE(r.exitCode, 2);
        QCOMPARE(r.err.section(u'\n', 0, 0), firstLine);
        QVERIFY(r.err.contains(u"ใช้งาน:\n  vostrel-admin init "_s));
    }
};

QTEST_MAIN(TestAdminReference)
#include "tst_admin_reference.moc"
