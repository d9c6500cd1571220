// Two stations on one catalog, each with its own connection and its own screen: a save over a
// row that the other station changed since it was loaded writes nothing, says which fields
// changed and to what, and loads the row again when asked. On both back ends.

#include "WorkflowFixture.h"
#include "core/Guarantee.h"
#include "core/Loaded.h"
#include "core/Reference.h"
#include "screens/common/MaskEdit.h"
#include "screens/guarantee/UEntry_DateRecCheque.h"
#include "screens/guarantee/UEntry_Money_Promise.h"
#include "screens/reference/ReferenceScreen.h"
#include "screens/workflow/UEntry_Deega_Veq.h"

#include <QComboBox>

namespace {

const QString Key = QStringLiteral("QDTX2557/00007");

// The second station: its own connection, dialogs and session on the same catalog.
struct Station {
    explicit Station(Fixture &first) : connection(first.catalog.openAnother()) {}
    std::unique_ptr<db::Connection> connection;
    ScriptedDialogs dialogs;
    Deployment deployment;
    Session session{*connection, dialogs, deployment, QStringLiteral("05/10/2557"),
                    QStringLiteral("2015"), QStringLiteral("other"), 9, {}};
};

void addOfficers(Fixture &fx)
{
    for (const char *row : {"('01', 'สมชาย', 'A')", "('02', 'สมหญิง', 'A')"})
        fx.db().execute(db::Statement{QStringLiteral("INSERT INTO TR_PerSon (Per_Code, Per_Name, "
                                                     "Per_status) VALUES ") +
                                      QString::fromUtf8(row)});
}

void setEdit(QWidget *s, const char *name, const QString &text)
{
    control<QLineEdit>(s, name)->setText(text);
}

QString edit(QWidget *s, const char *name)
{
    return control<QLineEdit>(s, name)->text();
}

// The guarantee finder: search, pick the key's row, load it.
void loadGuarantee(QWidget *screen, const QString &key)
{
    click(screen, "btnSearch_Data");
    const int row = int(listedKeys(screen).indexOf(key)) + 1;
    QVERIFY2(row > 0, qPrintable(key));
    grid(screen)->setRow(row);
    click(screen, "btnEdit_Data4");
}

} // namespace

class TestTwoStations : public QObject {
    Q_OBJECT

private slots:
    // The receipt screen: B gives the document another company and officer while A, still
    // showing the old ones, saves a remark.
    void receiptKeepsTheOtherStationsChange_data() { TestCatalog::addBackendRows(); }
    void receiptKeepsTheOtherStationsChange()
    {
        QFETCH(QString, backend);
        REQUIRE_BACKEND(backend);
        Fixture fx(backend);
        addOfficers(fx);
        fx.addDocument(Key, {{"Per_Code", "01"},
                             {"KumDeega_No", "K1"},
                             {"Company_Rec_Cheq", "บริษัทเดิม"},
                             {"Topic", "ซื้อวัสดุ"}});
        Station b(fx);
        std::unique_ptr<QWidget> a(new TfrmEntry_Deega_Veq(fx.session));
        std::unique_ptr<QWidget> other(new TfrmEntry_Deega_Veq(b.session));
        a->show();
        other->show();
        choose(a.get(), Key, true);
        choose(other.get(), Key, true);

        control<QComboBox>(other.get(), "cmbPer_Code2")->setEditText(QStringLiteral("02 สมหญิง"));
        setEdit(other.get(), "edtCompany_Rec_Cheq2", QStringLiteral("บริษัทใหม่"));
        click(other.get(), "btnSave2");
        QCOMPARE(b.dialogs.last(), msg::Saved);

        // A's save is refused, naming both fields; Cancel keeps A's screen as it was.
        setEdit(a.get(), "edtRemark1", QStringLiteral("ด่วน"));
        fx.dialogs.clear();
        fx.dialogs.answer(true);  // the save's confirmation
        fx.dialogs.answer(false); // do not load again
        fx.sent.clear();
        click(a.get(), "btnSave2");
        const QString told = fx.dialogs.last();
        QVERIFY2(told.contains(QStringLiteral("ชื่อบริษัท/ผู้รับเช็ค: จาก \"บริษัทเดิม\" เป็น \"บริษัทใหม่\"")),
                 qPrintable(told));
        QVERIFY(told.contains(QStringLiteral("ส่งต่อให้กับ: จาก \"01\" เป็น \"02\"")));
        QVERIFY(!fx.dialogs.texts().contains(msg::Saved));
        QVERIFY(fx.writes().isEmpty());
        QCOMPARE(fx.text(Key, "Company_Rec_Cheq"), QStringLiteral("บริษัทใหม่"));
        QCOMPARE(fx.text(Key, "Per_Code"), QStringLiteral("02"));
        QCOMPARE(fx.text(Key, "Remark1"), QString());
        QCOMPARE(edit(a.get(), "edtCompany_Rec_Cheq2"), QStringLiteral("บริษัทเดิม"));

        // OK loads the document as it is now; the remark is then saved over it.
        click(a.get(), "btnSave2");
        QCOMPARE(edit(a.get(), "edtCompany_Rec_Cheq2"), QStringLiteral("บริษัทใหม่"));
        QCOMPARE(control<QComboBox>(a.get(), "cmbPer_Code2")->currentText(), QStringLiteral("02"));
        setEdit(a.get(), "edtRemark1", QStringLiteral("ด่วน"));
        fx.dialogs.clear();
        click(a.get(), "btnSave2");
        QCOMPARE(fx.dialogs.last(), msg::Saved);
        QCOMPARE(fx.text(Key, "Company_Rec_Cheq"), QStringLiteral("บริษัทใหม่"));
        QCOMPARE(fx.text(Key, "Per_Code"), QStringLiteral("02"));
        QCOMPARE(fx.text(Key, "Remark1"), QStringLiteral("ด่วน"));
    }

    // A document keyed in at both stations at once: the second insert becomes no overwrite.
    void keyedInAtBothStations_data() { TestCatalog::addBackendRows(); }
    void keyedInAtBothStations()
    {
        QFETCH(QString, backend);
        REQUIRE_BACKEND(backend);
        Fixture fx(backend);
        addOfficers(fx);
        Station b(fx);
        std::unique_ptr<QWidget> a(new TfrmEntry_Deega_Veq(fx.session));
        a->show();
        click(a.get(), "btnAdd_Data");
        setEdit(a.get(), "edtDoc_PK2", Key);
        control<QComboBox>(a.get(), "cmbPer_Code2")->setEditText(QStringLiteral("01 สมชาย"));
        setEdit(a.get(), "edtKumDeega_No2", QStringLiteral("K-A"));
        setEdit(a.get(), "edtCompany_Rec_Cheq2", QStringLiteral("บริษัท ก"));
        browse::Entered byB{{QStringLiteral("Per_Code"), QStringLiteral("02")},
                            {QStringLiteral("KumDeega_No"), QStringLiteral("K-B")},
                            {QStringLiteral("Company_Rec_Cheq"), QStringLiteral("บริษัท ข")}};
        QVERIFY(deega_veq::insertDocument(*b.connection, Key, byB));
        fx.dialogs.answer(true);
        fx.dialogs.answer(false);
        click(a.get(), "btnSave2");
        QVERIFY(fx.dialogs.last().contains(QStringLiteral("ทะเบียนคุมฎีกา: จาก (ว่าง) เป็น \"K-B\"")));
        QCOMPARE(fx.text(Key, "KumDeega_No"), QStringLiteral("K-B"));
        QCOMPARE(fx.text(Key, "Company_Rec_Cheq"), QStringLiteral("บริษัท ข"));
    }

    // The guarantee edit and the cheque receipt guard their saves the same way.
    void guaranteeScreensKeepTheOtherStationsChange_data() { TestCatalog::addBackendRows(); }
    void guaranteeScreensKeepTheOtherStationsChange()
    {
        QFETCH(QString, backend);
        REQUIRE_BACKEND(backend);
        Fixture fx(backend);
        guarantee::Form form;
        form.fromSite = QStringLiteral("ห้างเดิม");
        form.topic = QStringLiteral("ค้ำประกัน");
        const QString key = guarantee::saveNew(fx.db(), form, QStringLiteral("05/10/2557"));
        Station b(fx);

        std::unique_ptr<QWidget> entry(new TfrmEntry_Money_Promise(fx.session));
        std::unique_ptr<QWidget> receipt(new TfrmEntry_DateRecCheque(fx.session));
        entry->show();
        receipt->show();
        click(entry.get(), "btnEdit_Data");
        loadGuarantee(entry.get(), key);
        loadGuarantee(receipt.get(), key);

        guarantee::Form changed = form;
        changed.fromSite = QStringLiteral("ห้างใหม่");
        QVERIFY(guarantee::saveEdit(*b.connection, key, changed));

        setEdit(entry.get(), "edtDeega_Remark", QStringLiteral("แก้โดย A"));
        fx.dialogs.clear();
        fx.dialogs.answer(true);
        fx.dialogs.answer(false);
        click(entry.get(), "btnSave1");
        QVERIFY(fx.dialogs.last().contains(
            QStringLiteral("บริษัท/ห้าง/ร้าน/บุคคลธรรมดา: จาก \"ห้างเดิม\" เป็น \"ห้างใหม่\"")));
        QCOMPARE(fx.text(key, "FromSite"), QStringLiteral("ห้างใหม่"));
        QCOMPARE(fx.text(key, "Deega_Remark"), QString());

        // The receipt was loaded before B's change too: its save is refused alike, and the
        // document stays waiting.
        control<MaskEdit>(receipt.get(), "edtModified_Date")->setText(QStringLiteral("20/10/2557"));
        fx.dialogs.clear();
        fx.dialogs.answer(true);
        fx.dialogs.answer(true); // load it again
        click(receipt.get(), "btnSave1");
        QVERIFY(fx.dialogs.last().contains(QStringLiteral("ห้างใหม่")));
        QCOMPARE(fx.text(key, "DocStatus"), QStringLiteral("3"));
        QCOMPARE(edit(receipt.get(), "edtFromSite"), QStringLiteral("ห้างใหม่"));
        control<MaskEdit>(receipt.get(), "edtModified_Date")->setText(QStringLiteral("20/10/2557"));
        click(receipt.get(), "btnSave1");
        QCOMPARE(fx.text(key, "DocStatus"), QStringLiteral("4"));
        QCOMPARE(fx.text(key, "FromSite"), QStringLiteral("ห้างใหม่"));
    }

    // A reference row changed at another station since it was opened for editing.
    void referenceRowKeepsTheOtherStationsChange_data() { TestCatalog::addBackendRows(); }
    void referenceRowKeepsTheOtherStationsChange()
    {
        QFETCH(QString, backend);
        REQUIRE_BACKEND(backend);
        Fixture fx(backend);
        addOfficers(fx);
        Station b(fx);
        std::unique_ptr<QWidget> a(
            new ReferenceScreen(fx.session, reference::TableId::Officers));
        a->show();
        grid(a.get())->setRow(1 + int(listedKeys(a.get()).indexOf(QStringLiteral("01"))));
        click(a.get(), "btnEdit_Data");
        QVERIFY(reference::change(*b.connection, reference::TableId::Officers, QStringLiteral("01"),
                                  {{QStringLiteral("Per_Name"), QStringLiteral("สมชาย ใจดี")}})
                    .ok());
        fx.dialogs.clear();
        fx.dialogs.answer(true);
        fx.dialogs.answer(false);
        click(a.get(), "btnSave2");
        QVERIFY2(fx.dialogs.last().contains(QStringLiteral("จาก \"สมชาย\" เป็น \"สมชาย ใจดี\"")),
                 qPrintable(fx.dialogs.last()));
        QCOMPARE(reference::find(fx.db(), reference::TableId::Officers, QStringLiteral("01"))
                     ->value(QStringLiteral("Per_Name")),
                 QStringLiteral("สมชาย ใจดี"));
    }
};

QTEST_MAIN(TestTwoStations)
#include "tst_two_stations.moc"
