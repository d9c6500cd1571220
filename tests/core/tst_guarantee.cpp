// Guarantee documents without a window: the yearly numbering (also under many stations at
// once), the insert and edit, the amount rules, the finder and the cheque receipt; on real
// catalogs.

#include "TestCatalog.h"
#include "core/Guarantee.h"
#include "data/Connection.h"

#include <QSet>
#include <QTest>
#include <thread>

using guarantee::Form;

namespace {

const QString Today = QStringLiteral("05/10/2557");

Form sampleForm()
{
    Form f;
    f.fromSite = QStringLiteral("ห้างหุ้นส่วนจำกัด โอ'ไบรอัน");
    f.topic = QStringLiteral("ค้ำประกันสัญญาจ้าง \"ซ่อมหลังคา\"");
    f.fromUnit = QStringLiteral("INV-01");
    f.amount = QStringLiteral("1,500");
    f.vendorTel = QStringLiteral("02-123");
    f.vendorFax = QStringLiteral("02-456");
    f.toWho = QStringLiteral("งานการเงิน");
    f.docNoDate = QStringLiteral("05/10/2557");
    f.dateIntoFin = QStringLiteral("05/10/2557");
    f.remark = QStringLiteral("a\\b");
    return f;
}

QString one(db::Connection &c, const QString &sql, const QString &column)
{
    db::Rows r = c.select(db::Statement{sql});
    return r.next() ? r.text(column) : QStringLiteral("<none>");
}

QString runno(db::Connection &c, const QString &year)
{
    return one(c,
               QStringLiteral("SELECT Runno FROM TR_Deega_Runno WHERE Year_S = '") + year +
                   QStringLiteral("'"),
               QStringLiteral("Runno"));
}

QString column(db::Connection &c, const QString &key, const QString &name)
{
    return one(c,
               QStringLiteral("SELECT ") + name +
                   QStringLiteral(" FROM Main_Deega_Control WHERE Doc_PK = '") + db::sqlText(key) +
                   QStringLiteral("'"),
               name);
}

int documents(db::Connection &c)
{
    return one(c, QStringLiteral("SELECT COUNT(*) AS n FROM Main_Deega_Control"),
               QStringLiteral("n"))
        .toInt();
}

} // namespace

class TestGuarantee : public QObject {
    Q_OBJECT

private slots:
    void amounts_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("literal"); // "<refused>" when no number
        QTest::addColumn<QString>("shown");
        QTest::newRow("thousands") << "1,500"
                                   << "1500"
                                   << "1,500.00";
        QTest::newRow("empty") << ""
                               << "0"
                               << "0.00";
        QTest::newRow("blanks") << "  "
                                << "0"
                                << "0.00";
        QTest::newRow("decimals") << "1234.5"
                                  << "1234.5"
                                  << "1,234.50";
        QTest::newRow("formatted") << "1,234,567.89"
                                   << "1234567.89"
                                   << "1,234,567.89";
        QTest::newRow("negative") << "-20"
                                  << "-20"
                                  << "-20.00";
        QTest::newRow("words") << "หนึ่งพัน"
                               << "<refused>"
                               << "";
        QTest::newRow("sql") << "1); DROP TABLE TR_User; --"
                             << "<refused>"
                             << "";
        QTest::newRow("exponent") << "1e3"
                                  << "<refused>"
                                  << "";
        QTest::newRow("two dots") << "1.2.3"
                                  << "<refused>"
                                  << "";
    }
    void amounts()
    {
        QFETCH(QString, typed);
        QFETCH(QString, literal);
        QFETCH(QString, shown);
        const auto got = guarantee::amountLiteral(typed);
        QCOMPARE(got.value_or(QStringLiteral("<refused>")), literal);
        QCOMPARE(guarantee::reformatAmount(typed).value_or(QString()), shown);
    }

    void keys()
    {
        QCOMPARE(guarantee::key(QStringLiteral("2557"), 1), QStringLiteral("2557ส0000001"));
        QCOMPARE(guarantee::key(QStringLiteral("2557"), 42), QStringLiteral("2557ส0000042"));
        QCOMPARE(guarantee::key(QStringLiteral("2557"), 9999999), QStringLiteral("2557ส9999999"));
        QCOMPARE(guarantee::key(QStringLiteral("2557"), 1).size(), 12);
    }

    void formChecks()
    {
        Form f = sampleForm();
        QVERIFY(guarantee::formError(f).isEmpty());
        f.fromSite.clear();
        QCOMPARE(guarantee::formError(f), QStringLiteral("กรุณาในข้อมูล บริษัท/ห้าง/ร้าน/บุคคลธรรมดา"));
        f = sampleForm();
        f.topic.clear();
        QCOMPARE(guarantee::formError(f), QStringLiteral("กรุณาในข้อมูล รายการ(เรื่อง)"));
        f = sampleForm();
        f.fromSite = f.topic = QStringLiteral("  "); // blanks pass
        QVERIFY(guarantee::formError(f).isEmpty());
        f.amount = QStringLiteral("abc");
        QCOMPARE(guarantee::formError(f), guarantee::AmountNotNumber);
    }

    void numbering_data() { TestCatalog::addBackendRows(); }
    void numbering()
    {
        QFETCH(QString, backend);
        REQUIRE_BACKEND(backend);
        TestCatalog catalog(backend);
        db::Connection &c = catalog.connection();
        QStringList sent;
        c.setObserver([&sent](const QString &s) { sent << s; });

        // No row for the year: the first save makes it.
        const QString first = guarantee::saveNew(c, sampleForm(), Today);
        QCOMPARE(first, QStringLiteral("2557ส0000001"));
        QCOMPARE(runno(c, QStringLiteral("2557")), QStringLiteral("1"));
        QVERIFY(sent.contains(QStringLiteral("INSERT INTO TR_Deega_Runno\n(Year_S, Runno)\n"
                                             "VALUES ('2557', 1)")));
        const QString counterRead =
            QStringLiteral("SELECT  *\nFROM  TR_Deega_Runno\nWHERE  (Year_S = 2557)") +
            (backend == QLatin1String("postgresql") ? QStringLiteral("\nFOR UPDATE") : QString());
        QVERIFY(sent.contains(counterRead));

        // Runno 41: the next key ends in 42.
        c.execute(db::Statement{"UPDATE TR_Deega_Runno SET Runno = 41 WHERE Year_S = '2557'"});
        sent.clear();
        QCOMPARE(guarantee::saveNew(c, sampleForm(), Today), QStringLiteral("2557ส0000042"));
        QCOMPARE(runno(c, QStringLiteral("2557")), QStringLiteral("42"));
        QVERIFY(sent.contains(QStringLiteral("UPDATE   TR_Deega_Runno\nSET     Runno = 42\n"
                                             "WHERE  (Year_S = '2557')")));

        // Another year has its own counter; the year comes from the date given.
        QCOMPARE(guarantee::saveNew(c, sampleForm(), QStringLiteral("01/01/2558")),
                 QStringLiteral("2558ส0000001"));
        QCOMPARE(runno(c, QStringLiteral("2557")), QStringLiteral("42"));
    }

    // Keys the counter never issued (an older catalog, a stray import) are passed over in the
    // same transaction: the counter ends on the number used, and no station is stopped.
    void numberingPassesTakenKeys_data() { TestCatalog::addBackendRows(); }
    void numberingPassesTakenKeys()
    {
        QFETCH(QString, backend);
        REQUIRE_BACKEND(backend);
        TestCatalog catalog(backend);
        db::Connection &c = catalog.connection();
        for (const char *stray : {"2557ส0000001", "2557ส0000002", "2557ส0000004"})
            c.execute(db::Statement{QStringLiteral("INSERT INTO Main_Deega_Control (Doc_PK) "
                                                   "VALUES ('%1')")
                                        .arg(QString::fromUtf8(stray))});
        QCOMPARE(guarantee::saveNew(c, sampleForm(), Today), QStringLiteral("2557ส0000003"));
        QCOMPARE(runno(c, QStringLiteral("2557")), QStringLiteral("3"));
        QCOMPARE(guarantee::saveNew(c, sampleForm(), Today), QStringLiteral("2557ส0000005"));
        QCOMPARE(runno(c, QStringLiteral("2557")), QStringLiteral("5"));
        QCOMPARE(documents(c), 5);
    }

    void insertWritesTheFormAsTyped_data() { TestCatalog::addBackendRows(); }
    void insertWritesTheFormAsTyped()
    {
        QFETCH(QString, backend);
        REQUIRE_BACKEND(backend);
        TestCatalog catalog(backend);
        db::Connection &c = catalog.connection();
        Form f = sampleForm();
        f.bank = false;
        f.dateIntoFin = QStringLiteral("  /  /    ");
        const QString key = guarantee::saveNew(c, f, Today);
        const QStringList stored{"FromSite",     "Topic",           "From_Unit",
                                 "DocNumber",    "DocNoDate",       "DocDate",
                                 "To_Who",       "Vendor_Tel",      "Vendor_Fax",
                                 "Deega_Remark", "Date_Into_Fin",   "Place_Rec_Cheque",
                                 "DocStatus",    "Doc_Stat",        "IS_Rec_Cheq",
                                 "IS_Success",   "DovPriLevelName", "DocNo"};
        const QStringList expected{
            f.fromSite, f.topic,         f.fromUnit,  f.fromUnit, f.docNoDate,   f.docNoDate,
            f.toWho,    f.vendorTel,     f.vendorFax, f.remark,   f.dateIntoFin, "1",
            "3",        "ติดตามดำเนินการ", "N",         "N",        "ปกติ",         key};
        for (qsizetype i = 0; i < stored.size(); ++i)
            QCOMPARE(column(c, key, stored.at(i)), expected.at(i));
        QCOMPARE(column(c, key, QStringLiteral("No_Money")).toDouble(), 1500.0);
        QCOMPARE(column(c, key, QStringLiteral("DocNoDate_YYYYMMDD")), QString());

        const auto loaded = guarantee::load(c, key);
        QVERIFY(loaded);
        QCOMPARE(loaded->form.amount, QStringLiteral("1,500.00"));
        QCOMPARE(loaded->form.fromSite, f.fromSite);
        QVERIFY(!loaded->form.bank);
        QVERIFY(!guarantee::load(c, QString()));
        QVERIFY(!guarantee::load(c, QStringLiteral("2557ส9999999")));
    }

    void refusalsWriteNothing_data() { TestCatalog::addBackendRows(); }
    void refusalsWriteNothing()
    {
        QFETCH(QString, backend);
        REQUIRE_BACKEND(backend);
        TestCatalog catalog(backend);
        db::Connection &c = catalog.connection();
        Form bad = sampleForm();
        bad.amount = QStringLiteral("1,5OO");
        QVERIFY_THROWS_EXCEPTION(db::Error, guarantee::saveNew(c, bad, Today));
        QCOMPARE(runno(c, QStringLiteral("2557")), QStringLiteral("<none>"));
        QCOMPARE(documents(c), 0);

        // A full year refuses the next key.
        c.execute(
            db::Statement{"INSERT INTO TR_Deega_Runno (Year_S, Runno) VALUES ('2557', 9999999)"});
        try {
            guarantee::saveNew(c, sampleForm(), Today);
            QFAIL("a full year must refuse");
        } catch (const db::Error &e) {
            QVERIFY(e.message().contains(QStringLiteral("9,999,999")));
        }
        QCOMPARE(runno(c, QStringLiteral("2557")), QStringLiteral("9999999"));
        QCOMPARE(documents(c), 0);

        // A failing insert leaves the counter as it was: no gap in the sequence.
        c.execute(db::Statement{"UPDATE TR_Deega_Runno SET Runno = 6 WHERE Year_S = '2557'"});
        const bool sqlite = backend == QLatin1String("sqlite");
        c.execute(db::Statement{
            sqlite ? QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON Main_Deega_Control "
                                    "BEGIN SELECT RAISE(ABORT, 'refused'); END")
                   : QStringLiteral("ALTER TABLE Main_Deega_Control ADD CONSTRAINT refuse "
                                    "CHECK (Doc_PK <> '2557ส0000007')")});
        QVERIFY_THROWS_EXCEPTION(db::Error, guarantee::saveNew(c, sampleForm(), Today));
        QCOMPARE(runno(c, QStringLiteral("2557")), QStringLiteral("6"));
        QCOMPARE(documents(c), 0);
        c.execute(db::Statement{sqlite ? QStringLiteral("DROP TRIGGER refuse")
                                       : QStringLiteral("ALTER TABLE Main_Deega_Control "
                                                        "DROP CONSTRAINT refuse")});
        QCOMPARE(guarantee::saveNew(c, sampleForm(), Today), QStringLiteral("2557ส0000007"));
    }

    void editKeepsKeyAndDates_data() { TestCatalog::addBackendRows(); }
    void editKeepsKeyAndDates()
    {
        QFETCH(QString, backend);
        REQUIRE_BACKEND(backend);
        TestCatalog catalog(backend);
        db::Connection &c = catalog.connection();
        const QString key = guarantee::saveNew(c, sampleForm(), Today);
        guarantee::Stored s = *guarantee::load(c, key);
        s.form.fromUnit = QStringLiteral("INV-02");
        s.form.topic = QStringLiteral("แก้'ไข");
        s.form.amount = QStringLiteral("2,000.50");
        QVERIFY(guarantee::saveEdit(c, key, s.form));
        QCOMPARE(column(c, key, QStringLiteral("From_Unit")), QStringLiteral("INV-02"));
        QCOMPARE(column(c, key, QStringLiteral("DocNumber")), QStringLiteral("INV-01"));
        QCOMPARE(column(c, key, QStringLiteral("DocNoDate")), QStringLiteral("05/10/2557"));
        QCOMPARE(column(c, key, QStringLiteral("DocDate")), QStringLiteral("05/10/2557"));
        QCOMPARE(column(c, key, QStringLiteral("Topic")), QStringLiteral("แก้'ไข"));
        QCOMPARE(column(c, key, QStringLiteral("No_Money")).toDouble(), 2000.5);
        QCOMPARE(documents(c), 1);
        QVERIFY(!guarantee::saveEdit(c, QStringLiteral("2557ส0000099"), s.form));
        s.form.amount = QStringLiteral("x");
        QVERIFY_THROWS_EXCEPTION(db::Error, guarantee::saveEdit(c, key, s.form));
        QCOMPARE(column(c, key, QStringLiteral("No_Money")).toDouble(), 2000.5);
    }

    void finderAndReceipt_data() { TestCatalog::addBackendRows(); }
    void finderAndReceipt()
    {
        QFETCH(QString, backend);
        REQUIRE_BACKEND(backend);
        TestCatalog catalog(backend);
        db::Connection &c = catalog.connection();
        const QString key = guarantee::saveNew(c, sampleForm(), Today);
        // An older key with "ส" at character 7, and a voucher that is no guarantee.
        c.execute(db::Statement{QStringLiteral(
            "INSERT INTO Main_Deega_Control (Doc_PK, FromSite, Topic, DocStatus, No_Money) "
            "VALUES ('255701ส00003', 'เก่า', 'old', '3', 10)")});
        c.execute(db::Statement{
            QStringLiteral("INSERT INTO Main_Deega_Control (Doc_PK, FromSite, Topic, DocStatus) "
                           "VALUES ('QDTX2557/00001', 'โอ''ไบรอัน', 'voucher', '3')")});

        QStringList sent;
        c.setObserver([&sent](const QString &s) { sent << s; });
        const QList<QStringList> all = guarantee::search(c, {});
        QCOMPARE(all.size(), 2);
        QCOMPARE(sent.last(), QStringLiteral("SELECT *\nFROM Main_Deega_Control\n"
                                             "Where (SUBSTRING(Doc_PK,7,1) = 'ส'\n"
                                             "Or SUBSTRING(Doc_PK,5,1) = 'ส')"));
        const QList<QStringList> byCompany =
            guarantee::search(c, {QStringList{"โอ'ไบ"}, std::nullopt, std::nullopt, std::nullopt});
        QCOMPARE(byCompany.size(), 1);
        QCOMPARE(byCompany.at(0), (QStringList{"1", key, sampleForm().fromSite, sampleForm().topic,
                                               "INV-01", "1,500.00"}));
        QVERIFY(sent.last().endsWith(QStringLiteral("\nAnd (FromSite like'%โอ''ไบ%')")));

        // Waiting, then received, then listed as finished; the older key likewise.
        QCOMPARE(guarantee::search(c, {}, {guarantee::waitingLine()}).size(), 2);
        QVERIFY(guarantee::receive(c, key, QStringLiteral("10/10/2557")));
        QVERIFY(
            guarantee::receive(c, QStringLiteral("255701ส00003"), QStringLiteral("11/10/2557")));
        QCOMPARE(guarantee::search(c, {}, {guarantee::waitingLine()}).size(), 0);
        QCOMPARE(guarantee::search(c, {}, {guarantee::finishedLine()}).size(), 2);
        QCOMPARE(column(c, key, QStringLiteral("Doc_Stat")), QStringLiteral("เสร็จสิ้นดำเนินการ"));
        QCOMPARE(column(c, key, QStringLiteral("Modified_Date")), QStringLiteral("10/10/2557"));
        QCOMPARE(guarantee::load(c, key)->modifiedDate, QStringLiteral("10/10/2557"));
        QVERIFY(!guarantee::receive(c, QString(), QStringLiteral("10/10/2557")));
        QVERIFY(guarantee::untouchedDate(QStringLiteral("  /  /    ")));
        QVERIFY(guarantee::untouchedDate(QString()));
        QVERIFY(!guarantee::untouchedDate(QStringLiteral("1 /  /    ")));
    }

    // Stations drawing at the same moment, each on a connection of its own (a separate handle
    // on the SQLite file, a separate session on the server): every key once, no gap.
    void stationsAtOnce_data() { TestCatalog::addBackendRows(); }
    void stationsAtOnce()
    {
        QFETCH(QString, backend);
        REQUIRE_BACKEND(backend);
        TestCatalog catalog(backend);
        constexpr int Stations = 6;
        constexpr int Each = 20;
        QList<QStringList> keys(Stations);
        QList<QString> failures(Stations);
        std::vector<std::thread> threads;
        for (int s = 0; s < Stations; ++s) {
            threads.emplace_back([&, s] {
                try {
                    auto c = catalog.openAnother();
                    for (int i = 0; i < Each; ++i)
                        keys[s] << guarantee::saveNew(*c, sampleForm(), Today);
                } catch (const db::Error &e) {
                    failures[s] = e.message();
                }
            });
        }
        for (std::thread &t : threads)
            t.join();
        for (const QString &f : failures)
            QVERIFY2(f.isEmpty(), qPrintable(f));
        QSet<QString> all;
        for (const QStringList &k : keys)
            for (const QString &key : k)
                all.insert(key);
        QCOMPARE(all.size(), Stations * Each);
        for (int n = 1; n <= Stations * Each; ++n)
            QVERIFY(all.contains(guarantee::key(QStringLiteral("2557"), n)));
        QCOMPARE(runno(catalog.connection(), QStringLiteral("2557")),
                 QString::number(Stations * Each));
    }
};

QTEST_MAIN(TestGuarantee)
#include "tst_guarantee.moc"
