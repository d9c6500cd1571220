// The values of a guarantee notice read from a stored document, on real catalogs: the amount in
// figures and words, the cheque-place lines, the organisation's texts and their placeholders.

#include "TestCatalog.h"
#include "core/Guarantee.h"
#include "core/GuaranteeNotice.h"
#include "data/Connection.h"

#include <QTest>

namespace {

const QString Key = QStringLiteral("2557ส0000007");

Deployment::Organisation organisation()
{
    Deployment::Organisation o;
    o.name = QStringLiteral("มหาวิทยาลัยทดสอบ");
    o.webAddress = QStringLiteral("www.example.ac.th/cheque");
    o.building = QStringLiteral("อาคารสำนักงานอธิการบดี");
    o.campusProvince = QStringLiteral("วิทยาเขตบางเขน กรุงเทพมหานคร");
    o.contactStaff = QStringLiteral("คุณสมศรี ใจดี");
    o.telephones = QStringLiteral("02-579-0113");
    o.chequeCentrePhone = QStringLiteral("02-777-7777 กด 1");
    o.emblemPath = QStringLiteral("/srv/emblem.png");
    return o;
}

// A document as the entry screen stores it; the amount as a literal ("NULL" for none).
void store(db::Connection &c, const QString &amount, const QString &place)
{
    c.execute(db::Statement{
        QStringLiteral("INSERT INTO Main_Deega_Control (Doc_PK, DocNo, To_Who, FromSite, Topic, "
                       "From_Unit, Vendor_Fax, Vendor_Tel, No_Money, Place_Rec_Cheque)"),
        QStringLiteral("VALUES ('") + Key + QStringLiteral("','") + Key +
            QStringLiteral("','งานพัสดุ','ห้าง โอ''ไบรอัน','ค้ำประกัน','INV-7','02-1','02-2',") + amount +
            QStringLiteral(",'") + place + QStringLiteral("')")});
}

} // namespace

class TestGuaranteeNotice : public QObject {
    Q_OBJECT

private slots:
    void amountText_data()
    {
        QTest::addColumn<double>("amount");
        QTest::addColumn<QString>("text");
        QTest::newRow("0") << 0.0 << QStringLiteral("0.00 (บาทถ้วน)");
        QTest::newRow("200") << 200.0 << QStringLiteral("200.00 (สองร้อยบาทถ้วน)");
        QTest::newRow("1234.5") << 1234.5
                                << QStringLiteral("1,234.50 (หนึ่งพันสองร้อยสามสิบสี่บาทห้าสิบสตางค์)");
        QTest::newRow("21.21") << 21.21 << QStringLiteral("21.21 (ยี่สิบเอ็ดบาทยี่สิบเอ็ดสตางค์)");
        QTest::newRow("a million") << 1000000.0 << QStringLiteral("1,000,000.00 (หนึ่งล้านบาทถ้วน)");
    }
    void amountText()
    {
        QFETCH(double, amount);
        QFETCH(QString, text);
        QCOMPARE(guarantee::noticeAmountText(amount), text);
    }

    void placeLinesAndPlaceholders()
    {
        const auto bank = guarantee::chequePlaceLines(true, organisation());
        QCOMPARE(bank[0], QStringLiteral("รับเช็คที่ ศูนย์จ่ายเช็คและรับวางบิลไทยพาณิชย์ รัชโยธิน"));
        QCOMPARE(bank[1], QStringLiteral("รับได้ทุกวันทำการของธนาคาร"));
        QCOMPARE(bank[2], QStringLiteral("ตั้งแต่เวลา 8.30 น. - 17.30 น."));
        QCOMPARE(bank[3], QStringLiteral("เบอร์โทร 02-777-7777 กด 1"));
        const auto finance = guarantee::chequePlaceLines(false, organisation());
        QCOMPARE(finance[0], QStringLiteral("งานการเงิน กองคลัง ชั้น 3 อาคารสำนักงานอธิการบดี"));
        QCOMPARE(finance[1], QStringLiteral("วิทยาเขตบางเขน กรุงเทพมหานคร"));
        QCOMPARE(finance[2], QStringLiteral("คุณสมศรี ใจดี"));
        QCOMPARE(finance[3], QStringLiteral("Tel. 02-579-0113"));

        // Settings not given (or only blanks) leave a dotted blank to fill in by hand.
        Deployment::Organisation none;
        none.building = QStringLiteral("   ");
        const QString blank(30, u'.');
        QCOMPARE(guarantee::chequePlaceLines(true, none)[3], QStringLiteral("เบอร์โทร ") + blank);
        const auto empty = guarantee::chequePlaceLines(false, none);
        QCOMPARE(empty[0], QStringLiteral("งานการเงิน กองคลัง ชั้น 3 ") + blank);
        QCOMPARE(empty[1], blank);
        QCOMPARE(empty[2], blank);
        QCOMPARE(empty[3], QStringLiteral("Tel. ") + blank);
    }

    void readsTheStoredDocument_data() { TestCatalog::addBackendRows(); }
    void readsTheStoredDocument()
    {
        QFETCH(QString, backend);
        REQUIRE_BACKEND(backend);
        TestCatalog catalog(backend);
        db::Connection &c = catalog.connection();
        store(c, QStringLiteral("1234.5"), QStringLiteral("1"));
        QStringList sent;
        c.setObserver([&sent](const QString &s) { sent << s; });

        const auto v = guarantee::notice(c, Key, organisation());
        QVERIFY(v);
        QCOMPARE(sent, QStringList{guarantee::loadStatement(Key).text()});
        QCOMPARE(sent.first(), QStringLiteral("SELECT *\nFROM Main_Deega_Control\n"
                                              "Where (Doc_PK = '2557ส0000007')"));
        QCOMPARE(v->key, Key);
        QCOMPARE(v->amountText, QStringLiteral("1,234.50 (หนึ่งพันสองร้อยสามสิบสี่บาทห้าสิบสตางค์)"));
        QCOMPARE(v->toWho, QStringLiteral("งานพัสดุ"));
        QCOMPARE(v->fromSite, QStringLiteral("ห้าง โอ'ไบรอัน"));
        QCOMPARE(v->topic, QStringLiteral("ค้ำประกัน"));
        QCOMPARE(v->fromUnit, QStringLiteral("INV-7"));
        QCOMPARE(v->vendorFax, QStringLiteral("02-1"));
        QCOMPARE(v->vendorTel, QStringLiteral("02-2"));
        QCOMPARE(v->organisationName, organisation().name);
        QCOMPARE(v->webAddress, organisation().webAddress);
        QCOMPARE(v->emblemPath, organisation().emblemPath);

        // The stored place ("1": the finance section), unless the print chooses.
        QCOMPARE(v->chequePlace, guarantee::chequePlaceLines(false, organisation()));
        QCOMPARE(guarantee::notice(c, Key, organisation(), true)->chequePlace,
                 guarantee::chequePlaceLines(true, organisation()));
        QCOMPARE(guarantee::notice(c, Key, organisation(), false)->chequePlace,
                 guarantee::chequePlaceLines(false, organisation()));
    }

    void storedPlaceAndMissingAmount_data() { TestCatalog::addBackendRows(); }
    void storedPlaceAndMissingAmount()
    {
        QFETCH(QString, backend);
        REQUIRE_BACKEND(backend);
        TestCatalog catalog(backend);
        db::Connection &c = catalog.connection();
        store(c, QStringLiteral("NULL"), QStringLiteral("0"));
        const auto v = guarantee::notice(c, Key, Deployment::Organisation());
        QVERIFY(v);
        QCOMPARE(v->amountText, QStringLiteral("0.00 (บาทถ้วน)"));
        QCOMPARE(v->chequePlace, guarantee::chequePlaceLines(true, Deployment::Organisation()));
        // The web notice names the division when the settings name no one.
        QCOMPARE(v->organisationName, QStringLiteral("กองคลัง"));
        QCOMPARE(v->webAddress, QString(30, u'.'));
        QVERIFY(v->emblemPath.isEmpty());
    }

    void noDocumentNoNotice_data() { TestCatalog::addBackendRows(); }
    void noDocumentNoNotice()
    {
        QFETCH(QString, backend);
        REQUIRE_BACKEND(backend);
        TestCatalog catalog(backend);
        db::Connection &c = catalog.connection();
        store(c, QStringLiteral("5"), QStringLiteral("0"));
        QVERIFY(!guarantee::notice(c, QStringLiteral("2557ส0000008"), organisation()));
        QVERIFY(!guarantee::notice(c, QString(), organisation()));
        // A quote in a key is data, not the end of the literal.
        QVERIFY(!guarantee::notice(c, QStringLiteral("x' OR '1'='1"), organisation()));
        QVERIFY(guarantee::noticeMissing(QStringLiteral("2557ส0000008"))
                    .contains(QStringLiteral("2557ส0000008")));
    }
};

QTEST_GUILESS_MAIN(TestGuaranteeNotice)
#include "tst_guarantee_notice.moc"
