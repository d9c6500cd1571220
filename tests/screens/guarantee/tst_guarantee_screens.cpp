// The three guarantee screens driven through their named controls: entry with its panels and
// key, finding and correcting, the cheque receipt and the register; on real catalogs.

#include "PdfReadback.h"
#include "WorkflowFixture.h"
#include "core/Guarantee.h"
#include "core/GuaranteeNotice.h"
#include "core/Messages.h"
#include "screens/common/MaskEdit.h"
#include "screens/guarantee/UEntry_DateRecCheque.h"
#include "screens/guarantee/UEntry_Money_Promise.h"
#include "screens/guarantee/URep_Money_Pormise.h"

#include <QApplication>
#include <QLabel>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>

namespace {

bool visible(QWidget *screen, const char *panel)
{
    return !control<QWidget>(screen, panel)->isHidden();
}

void pressEnter(QWidget *screen, const char *name)
{
    QTest::keyClick(control<QWidget>(screen, name), Qt::Key_Return);
}

void setDate(QWidget *screen, const char *name, const QString &text)
{
    control<MaskEdit>(screen, name)->setText(text);
}

// Thai text cannot be typed key by key in a test: it is set as a paste would.
void fill(QWidget *screen, const char *name, const QString &text)
{
    control<QLineEdit>(screen, name)->setText(text);
}

QString text(QWidget *screen, const char *name)
{
    if (auto *date = screen->findChild<MaskEdit *>(QLatin1String(name)))
        return date->text();
    return control<QLineEdit>(screen, name)->text();
}

// A document keyed in through the entry screen; gives its key.
QString enterDocument(Open &s, const QString &company, const QString &date)
{
    click(s.get(), "btnAdd_Data");
    fill(s.get(), "edtFromSite", company);
    fill(s.get(), "edtTopic", QStringLiteral("ค้ำประกัน 'งานซ่อม'"));
    fill(s.get(), "edtFrom_Unit", QStringLiteral("INV-9"));
    fill(s.get(), "edtNo_Money", QStringLiteral("1500"));
    setDate(s.get(), "edtDocNoDate", date);
    click(s.get(), "btnSave1");
    return control<QLabel>(s.get(), "QRL_DocNo")->text();
}

// The print preview is modal: while one lives, whatever shows it waits. This acts on each
// preview shown, then closes it.
class PreviewCloser {
public:
    explicit PreviewCloser(std::function<void(QPrintPreviewDialog *)> act = {})
    {
        QObject::connect(&timer_, &QTimer::timeout, [this, act] {
            auto *preview = qobject_cast<QPrintPreviewDialog *>(QApplication::activeModalWidget());
            if (!preview)
                return;
            ++shown;
            if (act)
                act(preview);
            preview->reject();
        });
        timer_.start(10);
    }
    int shown = 0;

private:
    QTimer timer_;
};

QWidget *entry(Session &session)
{
    return new TfrmEntry_Money_Promise(session);
}
QWidget *receipt(Session &session)
{
    return new TfrmEntry_DateRecCheque(session);
}
QWidget *registerScreen(Session &session)
{
    return new TfrmRep_Money_Pormise(session);
}

} // namespace

class TestGuaranteeScreens : public QObject {
    Q_OBJECT

private slots:
    void entersANewDocument_data() { TestCatalog::addBackendRows(); }
    void entersANewDocument()
    {
        QFETCH(QString, backend);
        REQUIRE_BACKEND(backend);
        Open s(backend, entry);
        QVERIFY(visible(s.get(), "Panel1"));
        for (const char *hidden : {"Panel2", "Panel3", "Panel4"})
            QVERIFY2(!visible(s.get(), hidden), hidden);
        QVERIFY(control<QRadioButton>(s.get(), "RadioButton1")->isChecked());

        click(s.get(), "btnAdd_Data");
        QVERIFY(visible(s.get(), "Panel2"));
        QCOMPARE(text(s.get(), "edtNo_Money"), QStringLiteral("0.00"));
        QCOMPARE(static_cast<TfrmEntry_Money_Promise *>(s.get())->saveMode(), 1);

        // Enter in the entry date copies it into the last-entry date.
        setDate(s.get(), "edtDocNoDate", QStringLiteral("05/10/2557"));
        pressEnter(s.get(), "edtDocNoDate");
        QCOMPARE(text(s.get(), "edtDate_Into_Fin"), QStringLiteral("05/10/2557"));

        // The amount is shown again with separators; a text that is no number stays, told.
        fill(s.get(), "edtNo_Money", QStringLiteral("1234.5"));
        pressEnter(s.get(), "edtNo_Money");
        QCOMPARE(text(s.get(), "edtNo_Money"), QStringLiteral("1,234.50"));
        fill(s.get(), "edtNo_Money", QStringLiteral("พันบาท"));
        pressEnter(s.get(), "edtNo_Money");
        QCOMPARE(text(s.get(), "edtNo_Money"), QStringLiteral("พันบาท"));
        QCOMPARE(s.fx.dialogs.last(), guarantee::AmountNotNumber);

        // The checks, in order; a refused save writes nothing and keeps the form.
        s.fx.dialogs.clear();
        click(s.get(), "btnSave1");
        QCOMPARE(s.fx.dialogs.last(), QStringLiteral("กรุณาในข้อมูล บริษัท/ห้าง/ร้าน/บุคคลธรรมดา"));
        fill(s.get(), "edtFromSite", QStringLiteral("บริษัท โอ'ไบรอัน"));
        click(s.get(), "btnSave1");
        QCOMPARE(s.fx.dialogs.last(), QStringLiteral("กรุณาในข้อมูล รายการ(เรื่อง)"));
        fill(s.get(), "edtTopic", QStringLiteral("ค้ำประกัน"));
        click(s.get(), "btnSave1");
        QCOMPARE(s.fx.dialogs.last(), guarantee::AmountNotNumber);
        QVERIFY(s.fx.writes().isEmpty());
        QVERIFY(visible(s.get(), "Panel2"));

        // Cancel at the confirmation keeps everything as it was.
        fill(s.get(), "edtNo_Money", QStringLiteral("1,500"));
        s.fx.dialogs.answer(false);
        click(s.get(), "btnSave1");
        QVERIFY(s.fx.writes().isEmpty());
        QVERIFY(visible(s.get(), "Panel2"));

        click(s.get(), "btnSave1");
        QVERIFY(!visible(s.get(), "Panel2"));
        QVERIFY(visible(s.get(), "Panel3"));
        const QString key = guarantee::key(QStringLiteral("2557"), 1);
        QCOMPARE(control<QLabel>(s.get(), "Label11")->text(),
                 QStringLiteral("เลขที่เอกสารคือ ") + key);
        QCOMPARE(control<QLabel>(s.get(), "QRL_DocNo1")->text(), key);
        QCOMPARE(s.fx.text(key, QStringLiteral("FromSite")), QStringLiteral("บริษัท โอ'ไบรอัน"));
        QCOMPARE(s.fx.column(key, QStringLiteral("No_Money")).toDouble(), 1500.0);

        // Printing takes the key shown, then the key panel goes.
        QString printed;
        static_cast<TfrmEntry_Money_Promise *>(s.get())->printNotice =
            [&printed](const QString &k) { printed = k; };
        click(s.get(), "btnPrintDoc");
        QCOMPARE(printed, key);
        QVERIFY(!visible(s.get(), "Panel3"));
    }

    void findsAndCorrects_data() { TestCatalog::addBackendRows(); }
    void findsAndCorrects()
    {
        QFETCH(QString, backend);
        REQUIRE_BACKEND(backend);
        Open s(backend, entry);
        const QString key =
            enterDocument(s, QStringLiteral("ร้านแก้ไข"), QStringLiteral("05/10/2557"));
        // The key panel stays until the notice is printed.
        QVERIFY(visible(s.get(), "Panel3"));
        PreviewCloser closer;
        click(s.get(), "btnPrintDoc");
        // An older key layout is found and edited like a new one.
        s.fx.addDocument(QStringLiteral("255701ส00003"),
                         {{"FromSite", "ร้านเก่า"}, {"Topic", "old"}, {"DocNumber", "D-OLD"}});

        click(s.get(), "btnEdit_Data");
        QVERIFY(visible(s.get(), "Panel4"));
        QVERIFY(!control<QWidget>(s.get(), "edtDocNoDate")->isEnabled());
        QCOMPARE(grid(s.get())->colCount(), 6);
        QCOMPARE(grid(s.get())->cell(0, 0), QStringLiteral("No1."));
        QCOMPARE(grid(s.get())->cell(5, 0), QStringLiteral("จำนวนเงิน"));

        tick(s.get(), "CheckBox1");
        fill(s.get(), "edtFromSite4", QStringLiteral("ร้านไม่มี"));
        click(s.get(), "btnSearch_Data");
        QCOMPARE(s.fx.dialogs.last(), QStringLiteral("ไม่มีข้อมูลที่ต้องการ"));
        tick(s.get(), "CheckBox1", false);
        click(s.get(), "btnSearch_Data");
        QCOMPARE(listedKeys(s.get()).size(), 2);
        QVERIFY(listedKeys(s.get()).contains(QStringLiteral("255701ส00003")));

        grid(s.get())->setRow(int(listedKeys(s.get()).indexOf(key)) + 1);
        QCOMPARE(grid(s.get())->cell(5, grid(s.get())->row()), QStringLiteral("1,500.00"));
        click(s.get(), "btnEdit_Data4");
        QVERIFY(visible(s.get(), "Panel2"));
        QCOMPARE(text(s.get(), "edtFromSite"), QStringLiteral("ร้านแก้ไข"));
        QCOMPARE(text(s.get(), "edtNo_Money"), QStringLiteral("1,500.00"));
        fill(s.get(), "edtFrom_Unit", QStringLiteral("INV-10"));
        control<QRadioButton>(s.get(), "RadioButton2")->setChecked(true);
        s.fx.dialogs.answer(true);  // confirm
        s.fx.dialogs.answer(false); // no print
        click(s.get(), "btnSave1");
        QVERIFY(!visible(s.get(), "Panel2"));
        QVERIFY(!visible(s.get(), "Panel3"));
        QCOMPARE(s.fx.dialogs.last(), QStringLiteral("ต้องการพิมพ์เอกสารหรือไม่ "));
        QCOMPARE(s.fx.text(key, QStringLiteral("From_Unit")), QStringLiteral("INV-10"));
        QCOMPARE(s.fx.text(key, QStringLiteral("DocNumber")), QStringLiteral("INV-9"));
        QCOMPARE(s.fx.text(key, QStringLiteral("Place_Rec_Cheque")), QStringLiteral("1"));
        // The grid was searched again and shows what is stored.
        const int row = int(listedKeys(s.get()).indexOf(key)) + 1;
        QCOMPARE(grid(s.get())->cell(4, row), QStringLiteral("INV-10"));

        // The blank row names no document.
        click(s.get(), "btnEdit_Data");
        click(s.get(), "btnEdit_Data4");
        QVERIFY(s.fx.dialogs.last().startsWith(QStringLiteral("ข้อมูลผิดพลาด ติดต่องผู้ดูแลระบบ(Tovrek ")));
        QVERIFY(!visible(s.get(), "Panel2"));
    }

    // The print reads the stored document and shows both copies in the preview, from which the
    // page is saved as a PDF; the radio button ticked at that moment chooses the cheque place.
    void printsTheStoredNotice_data() { TestCatalog::addBackendRows(); }
    void printsTheStoredNotice()
    {
        QFETCH(QString, backend);
        REQUIRE_BACKEND(backend);
        Open s(backend, entry);
        const QString key =
            enterDocument(s, QStringLiteral("ร้านพิมพ์ดี"), QStringLiteral("05/10/2557"));
        auto *screen = static_cast<TfrmEntry_Money_Promise *>(s.get());
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("notice.pdf"));
        QString suggested;
        screen->choosePdfFile = [&](QWidget *, const QString &name) {
            suggested = name;
            return file;
        };
        control<QRadioButton>(s.get(), "RadioButton2")->setChecked(true);
        int pages = 0;
        QString title;
        PreviewCloser closer([&](QPrintPreviewDialog *preview) {
            title = preview->windowTitle();
            pages = preview->findChild<QPrintPreviewWidget *>()->pageCount();
            preview->findChild<QAction *>(QStringLiteral("actSavePdf"))->trigger();
        });
        s.fx.sent.clear();
        click(s.get(), "btnPrintDoc");

        QCOMPARE(closer.shown, 1);
        QVERIFY(!visible(s.get(), "Panel3"));
        QCOMPARE(s.fx.sent, QStringList{guarantee::loadStatement(key).text()});
        QCOMPARE(pages, 1);
        QVERIFY2(title.contains(key), qPrintable(title));
        QCOMPARE(suggested, key + QStringLiteral(".pdf"));
        QVERIFY(s.fx.dialogs.last().contains(file));
        const PdfReadback pdf = readPdf(file);
        QVERIFY2(pdf.problem.isEmpty(), qPrintable(pdf.problem));
        QCOMPARE(pdf.pages, 1);
        QCOMPARE(occurrences(pdf.text, key), 2);
        QCOMPARE(occurrences(pdf.text, QStringLiteral("1,500.00 (หนึ่งพันห้าร้อยบาทถ้วน)")), 2);
        QCOMPARE(occurrences(pdf.text, QStringLiteral("ร้านพิมพ์ดี")), 2);
        QCOMPARE(occurrences(pdf.text, QStringLiteral("งานการเงิน กองคลัง ชั้น 3")), 2);
        QCOMPARE(occurrences(pdf.text, QStringLiteral("รับได้ทุกวันทำการของธนาคาร")), 0);
    }

    void printRefusalsKeepTheKeyPanel_data() { TestCatalog::addBackendRows(); }
    void printRefusalsKeepTheKeyPanel()
    {
        QFETCH(QString, backend);
        REQUIRE_BACKEND(backend);
        Open s(backend, entry);
        const QString key =
            enterDocument(s, QStringLiteral("ร้านหาย"), QStringLiteral("05/10/2557"));
        PreviewCloser closer;

        // The document went in the meantime: told, rather than an empty page.
        s.fx.db().execute(db::Statement{QStringLiteral("DELETE FROM Main_Deega_Control")});
        s.fx.dialogs.clear();
        click(s.get(), "btnPrintDoc");
        using Shown = ScriptedDialogs::Shown;
        QCOMPARE(s.fx.dialogs.shown,
                 QList<Shown>{(Shown{Shown::Error, guarantee::noticeMissing(key)})});
        QVERIFY(visible(s.get(), "Panel3"));

        // The catalog fails: its message, and the panel stays.
        s.fx.db().execute(db::Statement{QStringLiteral("DROP TABLE Main_Deega_Control")});
        s.fx.dialogs.clear();
        click(s.get(), "btnPrintDoc");
        QCOMPARE(s.fx.dialogs.shown.size(), 1);
        QCOMPARE(s.fx.dialogs.shown.first().kind, Shown::Error);
        QVERIFY(!s.fx.dialogs.last().isEmpty());
        QVERIFY(visible(s.get(), "Panel3"));
        QCOMPARE(closer.shown, 0);
    }

    void recordsTheChequeDate_data() { TestCatalog::addBackendRows(); }
    void recordsTheChequeDate()
    {
        QFETCH(QString, backend);
        REQUIRE_BACKEND(backend);
        Open s(backend, receipt);
        guarantee::Form f;
        f.fromSite = QStringLiteral("ร้านรับเช็ค");
        f.topic = QStringLiteral("t");
        guarantee::saveNew(s.fx.db(), f, QStringLiteral("05/10/2557"));
        const QString k = guarantee::key(QStringLiteral("2557"), 1);

        QVERIFY(control<QRadioButton>(s.get(), "RadioButton1")->isChecked());
        click(s.get(), "btnSearch_Data");
        QCOMPARE(listedKeys(s.get()), QStringList{k});
        click(s.get(), "btnEdit_Data4");
        QVERIFY(visible(s.get(), "Panel2"));
        QVERIFY(!control<QWidget>(s.get(), "edtFromSite")->isEnabled());
        QCOMPARE(text(s.get(), "edtModified_Date"), QStringLiteral("  /  /    "));
        s.fx.dialogs.clear();
        click(s.get(), "btnSave1");
        QCOMPARE(s.fx.dialogs.texts(), QStringList{QStringLiteral("กรุณาใส่วันที่รับเช็คด้วย")});

        setDate(s.get(), "edtModified_Date", QStringLiteral("20/10/2557"));
        click(s.get(), "btnSave1");
        QCOMPARE(s.fx.text(k, QStringLiteral("DocStatus")), QStringLiteral("4"));
        QCOMPARE(s.fx.text(k, QStringLiteral("Doc_Stat")), QStringLiteral("เสร็จสิ้นดำเนินการ"));
        QCOMPARE(s.fx.text(k, QStringLiteral("Modified_Date")), QStringLiteral("20/10/2557"));
        QVERIFY(!visible(s.get(), "Panel2"));
        // The waiting list is searched again: the document has left it.
        QCOMPARE(s.fx.dialogs.last(), QStringLiteral("ไม่มีข้อมูลที่ต้องการ"));

        click(s.get(), "RadioButton2");
        click(s.get(), "btnSearch_Data");
        QCOMPARE(listedKeys(s.get()), QStringList{k});
        click(s.get(), "btnEdit_Data4");
        QCOMPARE(text(s.get(), "edtModified_Date"), QStringLiteral("20/10/2557"));
        // Loading under "เพิ่มข้อมูล" starts with an empty date even for a finished document.
        click(s.get(), "btnExit2");
        click(s.get(), "RadioButton1");
        click(s.get(), "btnEdit_Data4");
        QCOMPARE(text(s.get(), "edtModified_Date"), QStringLiteral("  /  /    "));
    }

    // Every date box of the three screens refuses a day that does not exist, naming the box,
    // with the focus back on it; nothing is written or searched.
    void impossibleDatesRefused_data()
    {
        QTest::addColumn<int>("screen"); // 0 entry, 1 cheque receipt, 2 register
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message");
        const QString noDay = QStringLiteral("31/02/2569");
        QTest::newRow("entry date") << 0 << "edtDocNoDate" << noDay
                                    << msg::notADay(QStringLiteral("วันที่เข้ากอง"), noDay);
        QTest::newRow("last entry date")
            << 0 << "edtDate_Into_Fin" << QStringLiteral("00/13/2569")
            << msg::notADay(QStringLiteral("วันที่เรื่องเข้ากองครั้งสุดท้าย"), QStringLiteral("00/13/2569"));
        QTest::newRow("cheque receipt") << 1 << "edtModified_Date" << noDay
                                        << msg::notADay(guarantee::ReceiptDateCaption, noDay);
        QTest::newRow("register day") << 2 << "edtDDMMYY_Search" << noDay
                                      << msg::notADay(QStringLiteral("วันที่บันทึก"), noDay);
        QTest::newRow("register month")
            << 2 << "edtMMYY_Search" << QStringLiteral("13/2569")
            << msg::notAMonth(QStringLiteral("เดือนปีที่บันทึก"), QStringLiteral("13/2569"));
    }

    void impossibleDatesRefused()
    {
        QFETCH(int, screen);
        QFETCH(QString, box);
        QFETCH(QString, typed);
        QFETCH(QString, message);
        const ScreenFactory factories[] = {entry, receipt, registerScreen};
        Open s(QStringLiteral("sqlite"), factories[screen]);
        guarantee::Form f;
        f.fromSite = QStringLiteral("ร้าน");
        f.topic = QStringLiteral("t");
        guarantee::saveNew(s.fx.db(), f, QStringLiteral("05/10/2557"));
        const char *save = "btnSave1";
        if (screen == 0) {
            click(s.get(), "btnAdd_Data");
            fill(s.get(), "edtFromSite", QStringLiteral("ร้านใหม่"));
            fill(s.get(), "edtTopic", QStringLiteral("t"));
        } else if (screen == 1) {
            click(s.get(), "btnSearch_Data");
            click(s.get(), "btnEdit_Data4");
        } else {
            click(s.get(), box == QLatin1String("edtDDMMYY_Search") ? "RadioButton1" : "RadioButton2");
            save = "btnSearch_data";
        }
        setDate(s.get(), qPrintable(box), typed);
        s.fx.sent.clear();
        s.fx.dialogs.clear();
        click(s.get(), save);
        QCOMPARE(s.fx.dialogs.texts(), QStringList{message});
        QVERIFY(s.fx.sent.isEmpty());
        QCOMPARE(s.get()->window()->focusWidget(), control<QWidget>(s.get(), qPrintable(box)));
    }

    void registerByDayMonthYear_data() { TestCatalog::addBackendRows(); }
    void registerByDayMonthYear()
    {
        QFETCH(QString, backend);
        REQUIRE_BACKEND(backend);
        Open s(backend, registerScreen);
        QCOMPARE(text(s.get(), "edtDDMMYY_Search"), QStringLiteral("05/10/2557"));
        QCOMPARE(text(s.get(), "edtMMYY_Search"), QStringLiteral("10/2557"));
        QCOMPARE(text(s.get(), "edtYY_Search"), QStringLiteral("2557"));
        guarantee::Form f;
        f.fromSite = QStringLiteral("ร้าน");
        f.topic = QStringLiteral("t");
        for (const char *date : {"05/10/2557", "06/10/2557", "05/11/2557"}) {
            f.docNoDate = QLatin1String(date);
            guarantee::saveNew(s.fx.db(), f, QStringLiteral("05/10/2557"));
        }
        f.docNoDate = QStringLiteral("  /  /    ");
        guarantee::saveNew(s.fx.db(), f, QStringLiteral("05/10/2557"));
        s.fx.addDocument(QStringLiteral("QDTX2557/00001"), {{"DocNoDate", "05/10/2557"}});

        const auto count = [&](const char *radio) {
            click(s.get(), radio);
            click(s.get(), "btnSearch_data");
            return listedKeys(s.get()).size();
        };
        QCOMPARE(count("RadioButton1"), 1);
        QCOMPARE(grid(s.get())->cell(2, 0), QStringLiteral("วันที่เข้ากอง"));
        QCOMPARE(count("RadioButton2"), 2);
        QCOMPARE(count("RadioButton3"), 3);
        setDate(s.get(), "edtYY_Search", QStringLiteral("2014"));
        s.fx.dialogs.clear();
        click(s.get(), "btnSearch_data");
        QCOMPARE(s.fx.dialogs.texts(), QStringList{QStringLiteral("ไม่พบข้อมูลที่ต้องการ")});
        QCOMPARE(grid(s.get())->rowCount(), 2);
        QVERIFY(grid(s.get())->cell(1, 1).isEmpty());
    }
};

QTEST_MAIN(TestGuaranteeScreens)
#include "tst_guarantee_screens.moc"
