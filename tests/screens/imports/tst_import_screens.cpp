#include "FakeReaders.h"
#include "HostileSheets.h"
#include "ScriptedDialogs.h"
#include "TestCatalog.h"
#include "XlsWriter.h"
#include "app/MenuTable.h"
#include "data/Deployment.h"
#include "screens/common/Grid.h"
#include "screens/common/ScreenRegistry.h"
#include "screens/common/Session.h"
#include "screens/imports/UImp_Day_Stop.h"
#include "screens/imports/UImp_Excel_Deega.h"
#include "screens/imports/UImp_Excel_KVERP.h"

#include <QAbstractButton>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QRegularExpression>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <sys/stat.h>
#include <tuple>

namespace {

QString fixture(const QString &name)
{
    return QStringLiteral(VOSTREL_FIXTURES "/") + name;
}

const QString ConfirmSave = QStringLiteral("ยืนยันการบันทึกข้อมูล ");
const QString Saved = QStringLiteral("ทำการบันทึกข้อมูลเรียบร้อยแล้ว");

struct Fixture {
    explicit Fixture(const QString &backend = QStringLiteral("sqlite")) : catalog(backend)
    {
        catalog.connection().setObserver([this](const QString &text) { sent.append(text); });
    }

    template <class S> std::unique_ptr<S> open()
    {
        auto screen = std::make_unique<S>(session);
        screen->setAttribute(Qt::WA_DeleteOnClose, false);
        return screen;
    }

    int count(const QString &table)
    {
        db::Rows rows = catalog.connection().select(
            db::Statement{QStringLiteral("SELECT COUNT(*) AS n FROM ") + table});
        rows.next();
        return int(rows.integer(QStringLiteral("n")));
    }

    TestCatalog catalog;
    ScriptedDialogs dialogs;
    Deployment deployment;
    Session session{
        catalog.connection(), dialogs, deployment, "05/10/2557", "2015", "clerk", 5, {}};
    QStringList sent;
};

template <class T> T *control(QWidget *screen, const QString &name)
{
    T *w = screen->findChild<T *>(name);
    if (!w)
        qFatal("no control %s", qPrintable(name));
    return w;
}

Grid *grid(QWidget *s)
{
    return control<Grid>(s, QStringLiteral("StringGrid1"));
}

// Reads a workbook through the open button, the file chooser answering with path.
void openFile(ImportScreen *s, const QString &path)
{
    s->chooseFile = [path] { return path; };
    control<QAbstractButton>(s, QStringLiteral("BitBtn1"))->click();
}

void save(QWidget *s)
{
    control<QAbstractButton>(s, QStringLiteral("btnSave_Data"))->click();
}

QStringList items(QWidget *s, const char *name)
{
    QStringList out;
    auto *list = control<QListWidget>(s, QString::fromLatin1(name));
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}

QStringList gridRow(Grid *g, int row)
{
    QStringList out;
    for (int c = 0; c < g->colCount(); ++c)
        out << g->cell(c, row);
    return out;
}

std::unique_ptr<ImportScreen> make(Fixture &f, const QString &which)
{
    if (which == QLatin1String("kvsis"))
        return f.open<TfrmImp_Excel_Deega>();
    if (which == QLatin1String("stop"))
        return f.open<TfrmImp_Day_Stop>();
    return f.open<TfrmImp_Excel_KVERP>();
}

} // namespace

class TestImportScreens : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;

private slots:
    // The screens run the reader the build made; a FIFO for the files that are none.
    void initTestCase()
    {
        qputenv("VOSTREL_SHEET_READER", VOSTREL_SHEET);
        QVERIFY(::mkfifo(QFile::encodeName(dir_.filePath(QStringLiteral("fifo.xls"))).constData(),
                         0600) == 0);
    }

    void registry()
    {
        Fixture f;
        const ScreenRegistry r = menu::screens();
        const QList<std::pair<const char *, const char *>> items{
            {"ImportDataExcel1", "frmImp_Excel_Deega"},
            {"N12", "frmImp_Day_Stop"},
            {"InportKVERP1", "frmImp_Excel_KVERP"}};
        for (const auto &[item, object] : items) {
            std::unique_ptr<Screen> s(r.create(QString::fromLatin1(item), f.session));
            QVERIFY(s);
            QCOMPARE(s->objectName(), QString::fromLatin1(object));
        }
    }

    // Captions of the controls each screen must carry; a name mapped to "" must be absent.
    void controls_data()
    {
        QTest::addColumn<QString>("screen");
        QTest::addColumn<QStringList>("present");
        QTest::addColumn<QStringList>("absent");
        QTest::addColumn<QString>("title");
        const QStringList common{"Panel1",    "GroupBox1",    "GroupBox2",   "GroupBox3",
                                 "BitBtn1",   "btnSave_Data", "BitBtn2",     "btnExp_Excel",
                                 "L_Fname",   "L_Name3",      "StringGrid1", "ProgressBar1",
                                 "edtSum_M1", "Panel4"};
        QTest::newRow("vouchers") << "kvsis"
                                  << (common + QStringList{"edtData_M", "edtData_Y", "ListBox1",
                                                           "ListBox2", "Button1", "btnOK4"})
                                  << QStringList{"btnSHow_Image"} << "Import MS Excel From  KVSIS";
        QTest::newRow("stop days") << "stop" << (common + QStringList{"ListBox1"})
                                   << QStringList{"ListBox2", "edtData_M", "edtData_Y", "Button1"}
                                   << "Import Stop Day (วันหยุดราชการ)";
        QTest::newRow("erp") << "erp"
                             << (common +
                                 QStringList{"edtData_M", "edtData_Y", "btnSHow_Image", "Button1"})
                             << QStringList{"ListBox1", "ListBox2", "btnOK4"}
                             << "Import MS Excel From  KVERP";
    }
    void controls()
    {
        QFETCH(QString, screen);
        QFETCH(QStringList, present);
        QFETCH(QStringList, absent);
        QFETCH(QString, title);
        Fixture f;
        auto s = make(f, screen);
        for (const QString &name : present)
            QVERIFY2(s->findChild<QWidget *>(name), qPrintable(name));
        for (const QString &name : absent)
            QVERIFY2(!s->findChild<QWidget *>(name), qPrintable(name));
        QCOMPARE(control<QLabel>(s.get(), "Label5")->text(), title);
        const auto caption = [&](const char *name) {
            return control<QAbstractButton>(s.get(), QString::fromLatin1(name))->text();
        };
        QCOMPARE(caption("BitBtn1"), QStringLiteral("เปิดแฟ้มข้อมูล"));
        QCOMPARE(caption("btnSave_Data"), QStringLiteral("บันทึกลงฐานข้อมูล"));
        QCOMPARE(caption("BitBtn2"), QStringLiteral("ออกจากโปรแกรม"));
        QCOMPARE(caption("btnExp_Excel"), QStringLiteral("Export To Excel"));
        QCOMPARE(control<QLineEdit>(s.get(), "edtSum_M1")->text(), QStringLiteral("0.00"));
        QVERIFY(control<QLineEdit>(s.get(), "edtSum_M1")->isReadOnly());
        QVERIFY(control<QFrame>(s.get(), "Panel4")->isHidden());
        if (auto *m = s->findChild<QLineEdit *>(QStringLiteral("edtData_M"))) {
            QCOMPARE(m->text(), QStringLiteral("10"));
            QCOMPARE(control<QLineEdit>(s.get(), "edtData_Y")->text(), QStringLiteral("2557"));
            QVERIFY(m->isReadOnly());
        }
    }

    void layoutPicture_data()
    {
        QTest::addColumn<QString>("screen");
        QTest::addColumn<QString>("show");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("ok");
        QTest::newRow("vouchers") << "kvsis"
                                  << "Button1"
                                  << "รูปแบบ MS Excel"
                                  << "btnOK4";
        QTest::newRow("erp") << "erp"
                             << "btnSHow_Image"
                             << "แสดงรูปแบบ Excel"
                             << "Button1";
    }
    void layoutPicture()
    {
        QFETCH(QString, screen);
        QFETCH(QString, show);
        QFETCH(QString, caption);
        QFETCH(QString, ok);
        Fixture f;
        auto s = make(f, screen);
        auto *panel = control<QFrame>(s.get(), "Panel4");
        QCOMPARE(control<QAbstractButton>(s.get(), show)->text(), caption);
        control<QAbstractButton>(s.get(), show)->click();
        QVERIFY(!panel->isHidden());
        auto *okButton = panel->findChild<QAbstractButton *>(ok);
        QVERIFY(okButton);
        QCOMPARE(okButton->text(), QStringLiteral("OK"));
        const auto labels = panel->findChildren<QLabel *>();
        QVERIFY(!labels.isEmpty() && !labels.first()->pixmap().isNull());
        okButton->click();
        QVERIFY(panel->isHidden());
    }

    void readShowsPreview_data()
    {
        QTest::addColumn<QString>("screen");
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("cols");
        QTest::addColumn<int>("rows");
        QTest::addColumn<QStringList>("headers");
        QTest::addColumn<QList<int>>("widths");
        QTest::addColumn<QStringList>("firstRow");
        QTest::newRow("vouchers") << "kvsis"
                                  << "kvsis.xls" << 14 << 5
                                  << QStringList{"No. ",      "DovPriLevelName", "DocNo",
                                                 "DocNoDate", "DocNumber",       "DocDate",
                                                 "From_Unit", "Topic",           "To_Who",
                                                 "FromSite",  "Doc_Stat",        "Modified_Date",
                                                 "Item Type", "DocStatus"}
                                  << QList<int>{50,  90,  90,  120, 120, 120, 100,
                                                100, 250, 120, 150, 100, 100, 64}
                                  << QStringList{"1", "ปกติ", "QDTX2556/00002", "2/1/2556 10:02:00"};
        QTest::newRow("stop days")
            << "stop"
            << "stopdays.xls" << 4 << 5 << QStringList{"No. ", "Date ", "ชื่อวันที่หยุด", "สถานะของวัน"}
            << QList<int>{50, 90, 90, 120} << QStringList{"1", "03/01/2555"};
        QTest::newRow("erp") << "erp"
                             << "erp.xls" << 20 << 3 << QStringList{"No. ",
                                                                    "Fiscal Year",
                                                                    "Posting Date",
                                                                    "FI Doc. No.",
                                                                    "Check No.",
                                                                    "Clearing Date",
                                                                    "วันที่บันทึกจ่าย",
                                                                    "Clearing Doc.",
                                                                    "Deka Number",
                                                                    "Deka Status",
                                                                    "Vendor Name",
                                                                    "Description",
                                                                    "จำนวนเงินขอเบิก",
                                                                    "ภาษีมูลค่าเพิ่ม",
                                                                    "ภาษีหัก ณ ที่จ่าย",
                                                                    "Other Deduction",
                                                                    "To Be Paid",
                                                                    "Fund",
                                                                    "Functional Area",
                                                                    "วันที่รับวาง-วันที่บันทึกจ่าย"}
                             << QList<int>{50,  90,  90,  120, 120, 120, 100, 100, 250, 120,
                                           150, 100, 100, 64,  64,  64,  64,  64,  64,  64}
                             << QStringList{"1", "2017", "13/10/2559", "3100001234"};
    }
    void readShowsPreview()
    {
        QFETCH(QString, screen);
        QFETCH(QString, file);
        QFETCH(int, cols);
        QFETCH(int, rows);
        QFETCH(QStringList, headers);
        QFETCH(QList<int>, widths);
        QFETCH(QStringList, firstRow);
        Fixture f;
        auto s = make(f, screen);
        const QString path = fixture(file);
        openFile(s.get(), path);
        QCOMPARE(f.dialogs.texts(), QStringList());
        Grid *g = grid(s.get());
        QCOMPARE(g->colCount(), cols);
        QCOMPARE(g->rowCount(), rows + 1);
        QCOMPARE(gridRow(g, 0), headers);
        for (int c = 0; c < cols; ++c)
            QCOMPARE(g->colWidth(c), widths[c]);
        QCOMPARE(gridRow(g, 1).mid(0, firstRow.size()), firstRow);
        QCOMPARE(g->cell(0, rows), QString::number(rows));
        QCOMPARE(control<QLabel>(s.get(), "L_Fname")->text(), path + QStringLiteral("  ความยาว ") +
                                                                  QString::number(path.size()) +
                                                                  QStringLiteral(" ตัวอักษร"));
        QCOMPARE(control<QLabel>(s.get(), "L_Name3")->text(), file);
        QCOMPARE(control<QLineEdit>(s.get(), "edtSum_M1")->text(), QStringLiteral("0.00"));
        QVERIFY(f.sent.isEmpty()); // reading touches no table
    }

    // A file that cannot be read is told in Thai and leaves the last preview and labels.
    void badFileKeepsGrid_data()
    {
        QTest::addColumn<QString>("file");
        QTest::newRow("missing") << fixture("no-such-file.xls");
        QTest::newRow("not a workbook") << fixture("not-a-workbook.xls");
        QTest::newRow("truncated") << fixture("truncated.xls");
        QTest::newRow("empty") << fixture("empty.xls");
        QTest::newRow("a folder") << QStringLiteral(VOSTREL_FIXTURES);
    }
    void badFileKeepsGrid()
    {
        QFETCH(QString, file);
        Fixture f;
        auto s = f.open<TfrmImp_Excel_Deega>();
        openFile(s.get(), fixture("kvsis.xls"));
        Grid *g = grid(s.get());
        const QStringList before = gridRow(g, 3);
        const QString label = control<QLabel>(s.get(), "L_Fname")->text();
        openFile(s.get(), file);
        QCOMPARE(f.dialogs.shown.size(), 1);
        QCOMPARE(f.dialogs.shown[0].kind, ScriptedDialogs::Shown::Error);
        QVERIFY(!f.dialogs.last().isEmpty());
        QVERIFY2(f.dialogs.last().contains(QRegularExpression(QStringLiteral("[ก-๙]"))),
                 qPrintable(f.dialogs.last()));
        QCOMPARE(g->rowCount(), 6);
        QCOMPARE(gridRow(g, 3), before);
        QCOMPARE(control<QLabel>(s.get(), "L_Fname")->text(), label);
    }

    // A workbook the workbook library crashes or hangs on, or no workbook at all: the screen
    // shows the one Thai message and reads on; nothing is previewed, so nothing can be saved.
    void unreadableWorkbookIsTold_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("fakeReader");
        QTest::addColumn<QString>("message");
        const QString damaged = fixture(QStringLiteral("damaged-one-byte.xls"));
        const QString ods = fixture(QStringLiteral("stopdays.ods"));
        const QString fifo = dir_.filePath(QStringLiteral("fifo.xls"));
        const QString notXls = QStringLiteral("แฟ้มนี้ไม่ใช่แฟ้ม Excel (.xls หรือ .xlsx) หรือแฟ้มเสียหาย: ");
        QTest::newRow("parser crash") << damaged << QByteArray() << notXls + damaged;
        QTest::newRow("reader crash")
            << fixture(QStringLiteral("kvsis.xls")) << QByteArray("kill -SEGV $$")
            << notXls + fixture(QStringLiteral("kvsis.xls"));
        QTest::newRow("parser hang")
            << fixture(QStringLiteral("kvsis.xls")) << QByteArray("exec sleep 60")
            << QStringLiteral(
                   "อ่านแฟ้มไม่เสร็จภายใน 0.5 วินาที แฟ้มอาจเสียหายหรือไม่ใช่แฟ้ม Excel (.xls หรือ .xlsx): ") +
                   fixture(QStringLiteral("kvsis.xls"));
        QTest::newRow("FIFO") << fifo << QByteArray("exec sleep 60")
                              << QStringLiteral("ชื่อนี้ไม่ใช่แฟ้มข้อมูลธรรมดา (เช่น ท่อส่งข้อมูลหรืออุปกรณ์) "
                                                "จึงอ่านไม่ได้: ") +
                                     fifo;
        QTest::newRow("ods") << ods << QByteArray()
                             << QStringLiteral("แฟ้มนี้เป็นแบบ OpenDocument (.ods) ซึ่งยังอ่านไม่ได้ "
                                               "กรุณาบันทึกเป็นแบบ Excel (.xlsx หรือ .xls): ") +
                                    ods;
    }
    void unreadableWorkbookIsTold()
    {
        QFETCH(QString, file);
        QFETCH(QByteArray, fakeReader);
        QFETCH(QString, message);
        QTemporaryDir dir;
        if (!fakeReader.isEmpty()) {
            const QString reader = dir.filePath(QStringLiteral("reader"));
            QVERIFY(writeFakeReader(reader, fakeReader));
            qputenv("VOSTREL_SHEET_READER", QFile::encodeName(reader));
            qputenv("VOSTREL_SHEET_TIME_LIMIT_MS", "500");
        }
        Fixture f;
        auto s = f.open<TfrmImp_Excel_Deega>();
        openFile(s.get(), file);
        qputenv("VOSTREL_SHEET_READER", VOSTREL_SHEET);
        qunsetenv("VOSTREL_SHEET_TIME_LIMIT_MS");
        QCOMPARE(f.dialogs.shown,
                 (QList<ScriptedDialogs::Shown>{{ScriptedDialogs::Shown::Error, message}}));
        QCOMPARE(control<QLabel>(s.get(), "L_Name3")->text(), QString());

        f.dialogs.clear();
        save(s.get());
        QCOMPARE(f.dialogs.texts(),
                 QStringList{QStringLiteral("ไม่มีข้อมูลที่จะบันทึก กรุณาเปิดแฟ้มข้อมูลที่มีข้อมูลก่อน")});
        QVERIFY(f.sent.isEmpty());
        QCOMPARE(f.count(QStringLiteral("Main_Deega_Control")), 0);

        // The screen reads on.
        f.dialogs.clear();
        openFile(s.get(), fixture(QStringLiteral("kvsis.xls")));
        QCOMPARE(f.dialogs.texts(), QStringList());
        QCOMPARE(grid(s.get())->rowCount(), 6);
    }

    // Each fixture opened in an import it does not belong to is refused whole: the message
    // names the workbook expected, the layout picture shows, the preview and labels stay as
    // they were and a save has nothing to write, on either back end.
    void wrongWorkbookIsRefused_data()
    {
        QTest::addColumn<QString>("backend");
        QTest::addColumn<QString>("screen");
        QTest::addColumn<QString>("wrong");
        QTest::addColumn<QString>("right");
        QTest::addColumn<QString>("expected");
        const QList<std::tuple<const char *, const char *, const char *>> imports{
            {"kvsis", "kvsis.xls", "แฟ้มเอกสารที่ส่งออกจากระบบ KVSIS"},
            {"stop", "stopdays.xls", "แฟ้มวันหยุดชดเชยและวันหยุดราชการ"},
            {"erp", "erp.xls", "แฟ้มรายการล้างหนี้ที่ส่งออกจาก KVERP"}};
        for (const QString &backend : TestCatalog::backends()) {
            for (const auto &[screen, right, expected] : imports) {
                for (const auto &[other, wrong, unused] : imports) {
                    if (wrong == right)
                        continue;
                    QTest::addRow("%s %s screen, %s", qPrintable(backend), screen, wrong)
                        << backend << QString::fromLatin1(screen) << QString::fromLatin1(wrong)
                        << QString::fromLatin1(right) << QString::fromUtf8(expected);
                }
            }
        }
    }
    void wrongWorkbookIsRefused()
    {
        QFETCH(QString, backend);
        QFETCH(QString, screen);
        QFETCH(QString, wrong);
        QFETCH(QString, right);
        QFETCH(QString, expected);
        REQUIRE_BACKEND(backend);
        Fixture f(backend);
        f.catalog.connection().execute(
            db::Statement{"INSERT INTO TR_Day_Calendar (D_YYYYMMDD, Thai_Day, Day_Status) VALUES "
                          "('25550103', '03/01/2555', 'N')"});
        f.sent.clear();
        auto s = make(f, screen);
        auto *panel = control<QFrame>(s.get(), "Panel4");
        const int rows = grid(s.get())->rowCount();
        const int cols = grid(s.get())->colCount();

        openFile(s.get(), fixture(wrong));
        QCOMPARE(f.dialogs.shown.size(), 1);
        QCOMPARE(f.dialogs.shown[0].kind, ScriptedDialogs::Shown::Error);
        QVERIFY2(f.dialogs.last().contains(expected), qPrintable(f.dialogs.last()));
        QVERIFY(!panel->isHidden());
        QCOMPARE(grid(s.get())->rowCount(), rows);
        QCOMPARE(grid(s.get())->colCount(), cols);
        QCOMPARE(control<QLabel>(s.get(), "L_Fname")->text(), QString());

        f.dialogs.clear();
        save(s.get());
        QCOMPARE(f.dialogs.shown.size(), 1);
        QCOMPARE(f.dialogs.shown[0].kind, ScriptedDialogs::Shown::Message);
        QCOMPARE(f.sent, QStringList());
        QCOMPARE(f.count("Main_Deega_Control") + f.count("M_Imp_ERP"), 0);
        QCOMPARE(f.count("TR_Day_Calendar WHERE Day_Status <> 'N'"), 0);

        // A good preview stays when a wrong workbook follows it.
        f.dialogs.clear();
        f.sent.clear();
        openFile(s.get(), fixture(right));
        QCOMPARE(f.dialogs.texts(), QStringList());
        const QStringList preview = gridRow(grid(s.get()), 1);
        const QString label = control<QLabel>(s.get(), "L_Fname")->text();
        openFile(s.get(), fixture(wrong));
        QCOMPARE(gridRow(grid(s.get()), 1), preview);
        QCOMPARE(control<QLabel>(s.get(), "L_Fname")->text(), label);
        QCOMPARE(f.sent, QStringList());
    }

    // The picture of the expected workbook is wider than a small window: it scrolls whole.
    void layoutPictureScrolls()
    {
        Fixture f;
        auto s = f.open<TfrmImp_Excel_Deega>();
        s->resize(640, 600);
        s->show();
        QVERIFY(QTest::qWaitForWindowExposed(s.get()));
        control<QAbstractButton>(s.get(), QStringLiteral("Button1"))->click();
        auto *scroll = control<QScrollArea>(s.get(), "layoutScroll");
        auto *picture = control<QLabel>(s.get(), "layoutPicture");
        QCoreApplication::processEvents();
        QVERIFY(scroll->isVisible());
        QCOMPARE(picture->size(), picture->pixmap().size());
        QVERIFY(scroll->viewport()->width() < picture->width());
        QVERIFY(scroll->horizontalScrollBar()->isVisible());
        QCOMPARE(scroll->horizontalScrollBar()->maximum(),
                 picture->width() - scroll->viewport()->width());
    }

    // Hostile workbooks through the three screens: the save ends with its message, every
    // value arrives as its nearest valid text, and nothing else in the catalog moves. Then a
    // workbook with half a character in a cell is refused: the preview stays, nothing written.
    void hostileWorkbook_data() { addHostileDataRows(); }
    void hostileWorkbook()
    {
        QFETCH(QString, backend);
        QFETCH(int, kind);
        REQUIRE_BACKEND(backend);
        const auto k = ImportKind(kind);
        Fixture f(backend);
        db::Connection &c = f.catalog.connection();
        prepareHostileCatalog(c);
        const HostileSheet hostile = hostileSheet(k, true);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("hostile.xls"));
        QVERIFY(saveHostileWorkbook(hostile, path));

        auto s = make(f, k == ImportKind::Kvsis      ? QStringLiteral("kvsis")
                         : k == ImportKind::StopDays ? QStringLiteral("stop")
                                                     : QStringLiteral("erp"));
        openFile(s.get(), path);
        QCOMPARE(f.dialogs.texts(), QStringList());
        QCOMPARE(grid(s.get())->rowCount(), hostile.rows + 1);
        save(s.get());
        QCOMPARE(f.dialogs.texts().size(), 2);
        QCOMPARE(f.dialogs.texts().at(0), ConfirmSave);
        QCOMPARE(f.dialogs.texts().at(1).section(u'\n', 0, 1),
                 hostile.notFound == 0 ? Saved
                                       : Saved + QStringLiteral("\nบันทึก %1 แถว ไม่ได้บันทึก %2 แถว")
                                                     .arg(hostile.rows - hostile.notFound)
                                                     .arg(hostile.notFound));
        QCOMPARE(hostileDifferences(c, k, hostile), QStringList());

        QVERIFY(XlsWriter().text(1, 3, QStringLiteral("x") + QChar(0xD83D)).save(path));
        f.dialogs.clear();
        const QStringList before = gridRow(grid(s.get()), 1);
        openFile(s.get(), path);
        QCOMPARE(f.dialogs.shown.size(), 1);
        QCOMPARE(f.dialogs.shown[0].kind, ScriptedDialogs::Shown::Error);
        QCOMPARE(gridRow(grid(s.get()), 1), before);
        QCOMPARE(hostileDifferences(c, k, hostile), QStringList());
    }

    // The export saved as .xlsx previews in each screen exactly as its .xls, read in the
    // reader process as the screens read every workbook.
    void xlsxPreviewsAsXls_data()
    {
        QTest::addColumn<QString>("which");
        QTest::addColumn<QString>("name");
        QTest::newRow("vouchers") << "kvsis"
                                  << "kvsis";
        QTest::newRow("stop days") << "stop"
                                   << "stopdays";
        QTest::newRow("erp") << "erp"
                             << "erp";
    }
    void xlsxPreviewsAsXls()
    {
        QFETCH(QString, which);
        QFETCH(QString, name);
        Fixture f;
        auto s = make(f, which);
        const auto preview = [&](const QString &file) {
            openFile(s.get(), fixture(file));
            QList<QStringList> rows;
            for (int r = 0; r < grid(s.get())->rowCount(); ++r)
                rows << gridRow(grid(s.get()), r);
            return rows;
        };
        const QList<QStringList> xls = preview(name + ".xls");
        QVERIFY(xls.size() > 2);
        QCOMPARE(preview(name + ".xlsx"), xls);
        QCOMPARE(f.dialogs.texts(), QStringList());
    }

    void cancelledChooserChangesNothing()
    {
        Fixture f;
        auto s = f.open<TfrmImp_Excel_KVERP>();
        openFile(s.get(), fixture("erp.xls"));
        openFile(s.get(), QString());
        QCOMPARE(grid(s.get())->rowCount(), 4);
        QVERIFY(f.dialogs.shown.isEmpty());
    }

    void voucherSave_data() { TestCatalog::addBackendRows(); }
    void voucherSave()
    {
        QFETCH(QString, backend);
        REQUIRE_BACKEND(backend);
        Fixture f(backend);
        auto s = f.open<TfrmImp_Excel_Deega>();
        openFile(s.get(), fixture("kvsis.xls"));

        f.dialogs.answer(false);
        save(s.get());
        QCOMPARE(f.dialogs.texts(), QStringList{ConfirmSave});
        QVERIFY(f.sent.isEmpty());

        f.dialogs.clear();
        save(s.get());
        QCOMPARE(f.dialogs.texts(), (QStringList{ConfirmSave, Saved}));
        QCOMPARE(items(s.get(), "ListBox1"), (QStringList{"QDTX2556/00002", "QDTX2556/00003",
                                                          "QDTX2556/00004", "QDTX2556/00005"}));
        QCOMPARE(items(s.get(), "ListBox2"), QStringList{"QDTX2556/00002"});
        auto *bar = control<QProgressBar>(s.get(), "ProgressBar1");
        QCOMPARE(bar->maximum(), 5);
        QCOMPARE(bar->value(), 5);
        QCOMPARE(f.count("Main_Deega_Control"), 4);

        // The preview stays; a second save updates every row and lists them afresh.
        f.dialogs.clear();
        save(s.get());
        QCOMPARE(f.dialogs.texts(), (QStringList{ConfirmSave, Saved}));
        QCOMPARE(items(s.get(), "ListBox1"), QStringList());
        QCOMPARE(items(s.get(), "ListBox2").size(), 5);
        QCOMPARE(grid(s.get())->rowCount(), 6);
    }

    // The not-updated list keeps what earlier saves listed while the screen is open.
    void stopDaysListGrows()
    {
        Fixture f;
        f.catalog.connection().execute(
            db::Statement{"INSERT INTO TR_Day_Calendar (D_YYYYMMDD, Thai_Day, Day_Status) VALUES "
                          "('25550103', '03/01/2555', 'N')"});
        auto s = f.open<TfrmImp_Day_Stop>();
        openFile(s.get(), fixture("stopdays.xls"));
        save(s.get());
        const QStringList first = items(s.get(), "ListBox1");
        QCOMPARE(first.size(), 4);
        QVERIFY(first[0].startsWith(QLatin1String("5/1/2555 ")));
        // The save did less than the sheet holds, and says so after the usual words.
        QCOMPARE(f.dialogs.last(),
                 Saved + QStringLiteral("\nบันทึก 1 แถว ไม่ได้บันทึก 4 แถว\n- 4 แถว: ไม่มีวันที่นั้นใน"
                                        "ปฏิทิน (ดูรายการ \"ข้อมูลที่ไม่ถูก Update\")"));
        save(s.get());
        QCOMPARE(items(s.get(), "ListBox1"), first + first);
        openFile(s.get(), fixture("stopdays.xls"));
        QCOMPARE(items(s.get(), "ListBox1").size(), 8);
    }

    // With nothing read there is nothing to confirm and nothing is sent.
    void saveWithoutPreview_data()
    {
        QTest::addColumn<QString>("screen");
        QTest::newRow("vouchers") << "kvsis";
        QTest::newRow("stop days") << "stop";
        QTest::newRow("erp") << "erp";
    }
    void saveWithoutPreview()
    {
        QFETCH(QString, screen);
        Fixture f;
        auto s = make(f, screen);
        save(s.get());
        QCOMPARE(f.dialogs.shown.size(), 1);
        QCOMPARE(f.dialogs.shown[0].kind, ScriptedDialogs::Shown::Message);
        QVERIFY(f.sent.isEmpty());
        QCOMPARE(f.count("Main_Deega_Control") + f.count("M_Imp_ERP"), 0);
    }

    // Rows with no key are counted and the user is told; the rest are saved.
    void skippedRowsAreTold()
    {
        Fixture f;
        auto s = f.open<TfrmImp_Excel_Deega>();
        openFile(s.get(), fixture("kvsis.xls"));
        Grid *g = grid(s.get());
        g->setCell(2, 2, QString()); // as a sheet with column C empty would give
        save(s.get());
        QCOMPARE(f.dialogs.texts(),
                 (QStringList{ConfirmSave, Saved + QStringLiteral("\nบันทึก 4 แถว ไม่ได้บันทึก 1 แถว"
                                                                  "\n- 1 แถว: ช่อง DocNo ว่าง")}));
        QCOMPARE(f.count("Main_Deega_Control"), 3);
    }

    // A conversion error shows the rows before it and says which cell stopped the read.
    void erpBadDateStopsRead()
    {
        Fixture f;
        auto s = f.open<TfrmImp_Excel_KVERP>();
        // An ERP list whose row 6 has a key but no dotted date.
        const QString path = dir_.filePath(QStringLiteral("erp-bad-date.xls"));
        QVERIFY(XlsWriter()
                    .text(4, 3, QStringLiteral("Fiscal Year"))
                    .text(4, 5, QStringLiteral("FI Doc. No."))
                    .text(6, 3, QStringLiteral("2017"))
                    .text(6, 4, QStringLiteral("13/10/2559"))
                    .text(6, 5, QStringLiteral("3100001234"))
                    .save(path));
        openFile(s.get(), path);
        QCOMPARE(f.dialogs.shown.size(), 1);
        QCOMPARE(f.dialogs.shown[0].kind, ScriptedDialogs::Shown::Error);
        QVERIFY(f.dialogs.last().contains(QStringLiteral("แถวที่ 6")));
        QCOMPARE(grid(s.get())->colCount(), 20);
        QCOMPARE(grid(s.get())->rowCount(), 2);
        QCOMPARE(grid(s.get())->cell(1, 1), QString());
    }

    // A failing statement shows the error, no completion message, and keeps what was saved.
    void failedSaveKeepsEarlierRows()
    {
        Fixture f;
        auto s = f.open<TfrmImp_Excel_KVERP>();
        openFile(s.get(), fixture("erp.xls"));
        int inserts = 0;
        f.catalog.connection().setObserver([&](const QString &text) {
            if (text.startsWith(QLatin1String("INSERT")) && ++inserts == 2)
                throw db::Error(QStringLiteral("การเชื่อมต่อขาด"));
        });
        save(s.get());
        QCOMPARE(f.dialogs.texts(), (QStringList{ConfirmSave, "การเชื่อมต่อขาด"}));
        QCOMPARE(f.count("M_Imp_ERP"), 1);
        QCOMPARE(control<QProgressBar>(s.get(), "ProgressBar1")->value(), 1);
    }
};

QTEST_MAIN(TestImportScreens)
#include "tst_import_screens.moc"
