#include "WorkflowFixture.h"
#include "screens/workflow/UEntry_Deega_Veq.h"

#include <QComboBox>
#include <QFocusEvent>
#include <QRadioButton>

namespace {

QStringList lines(const QString &statement)
{
    return statement.split(QLatin1Char('\n'));
}

struct Veq : Open {
    explicit Veq(const QString &backend, bool withLists = true)
        : Open(backend, [withLists](Session &s) -> QWidget * {
              if (withLists)
                  fillLists(s.connection);
              return new TfrmEntry_Deega_Veq(s);
          })
    {
    }
    static void fillLists(db::Connection &c)
    {
        for (const char *row :
             {"('02', 'สมหญิง', 'A')", "('01', 'สมชาย', 'A')", "('09', 'อดีต พนักงาน', 'I')"})
            c.execute(db::Statement{QStringLiteral("INSERT INTO TR_PerSon VALUES ") +
                                    QString::fromUtf8(row)});
        for (const char *row : {"('T2', 'ฎีกาเบิกจ่าย')", "('T1', 'สัญญา')"})
            c.execute(db::Statement{QStringLiteral("INSERT INTO TR_DocType VALUES ") +
                                    QString::fromUtf8(row)});
    }
    TfrmEntry_Deega_Veq *screenVeq() const { return static_cast<TfrmEntry_Deega_Veq *>(get()); }

    // Leaves the key field as moving to the next control does.
    void leaveKey(const QString &typed)
    {
        auto *key = control<QLineEdit>(get(), "edtDoc_PK2");
        key->setText(typed);
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QCoreApplication::sendEvent(key, &out);
    }
    void fillStage(const QString &officer, const QString &registerNo, const QString &company,
                   const QString &remark = QString(), const QString &type = QString())
    {
        control<QComboBox>(get(), "cmbPer_Code2")->setEditText(officer);
        control<QComboBox>(get(), "cmbDocType_Code2")->setEditText(type);
        control<QLineEdit>(get(), "edtKumDeega_No2")->setText(registerNo);
        control<QLineEdit>(get(), "edtCompany_Rec_Cheq2")->setText(company);
        control<QLineEdit>(get(), "edtRemark1")->setText(remark);
    }
    QString field(const char *name) const { return control<QLineEdit>(get(), name)->text(); }
};

} // namespace

class TestEntryDeegaVeq : public QObject {
    Q_OBJECT

private slots:
    void listsFromReferenceTables()
    {
        Veq o(QStringLiteral("sqlite"));
        auto *people = control<QComboBox>(o.get(), "cmbPer_Code2");
        QCOMPARE(people->count(), 2);
        QCOMPARE(people->itemText(0), QStringLiteral("01 สมชาย"));
        QCOMPARE(people->itemText(1), QStringLiteral("02 สมหญิง"));
        QCOMPARE(people->currentText(), QString());
        auto *types = control<QComboBox>(o.get(), "cmbDocType_Code2");
        QCOMPARE(types->itemText(0), QStringLiteral("T1 สัญญา"));
        QCOMPARE(types->currentText(), QString());
        QVERIFY(control<QRadioButton>(o.get(), "RadioButton1")->isChecked());
    }

    void keyCompletion_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("key");
        QTest::newRow("short") << "123"
                               << "QDTX2557/00123";
        QTest::newRow("long keeps last five") << "1234567"
                                              << "QDTX2557/34567";
        QTest::newRow("empty") << ""
                               << "QDTX2557/00000";
        QTest::newRow("blanks trimmed") << " 45 "
                                        << "QDTX2557/00045";
        QTest::newRow("14 characters as typed") << "QDTX2556/00002"
                                                << "QDTX2556/00002";
        QTest::newRow("13 characters completed") << "QDTX2556/0002"
                                                 << "QDTX2557//0002";
    }

    void keyCompletion()
    {
        QFETCH(QString, typed);
        QFETCH(QString, key);
        QCOMPARE(deega_veq::completeKey(typed, QStringLiteral("05/10/2557")), key);
        Veq o(QStringLiteral("sqlite"));
        click(o.get(), "btnAdd_Data");
        o.leaveKey(typed);
        QCOMPARE(o.field("edtDoc_PK2"), key);
        QCOMPARE(o.fx.sent.last(), lines(browse::lookupStatement(key).text()).join('\n'));
        QCOMPARE(o.screenVeq()->saveMode(), 1);
    }

    // A new document is inserted with the assignment columns, and the panel stays open for
    // the next one.
    void newDocument_data() { TestCatalog::addBackendRows(); }

    void newDocument()
    {
        QFETCH(QString, backend);
        REQUIRE_BACKEND(backend);
        Veq o(backend);
        click(o.get(), "btnAdd_Data");
        QVERIFY(editing(o.get()));
        QVERIFY(control<QLineEdit>(o.get(), "edtDoc_PK2")->isEnabled());
        o.leaveKey(QStringLiteral("7"));
        o.fillStage(QStringLiteral("01 สมชาย"), QStringLiteral("ค'12"), QStringLiteral("หจก. ดี'ดี"),
                    QStringLiteral(" หมายเหตุ "), QStringLiteral("T1 สัญญา"));
        o.fx.sent.clear();
        o.fx.dialogs.clear();
        click(o.get(), "btnSave2");
        QCOMPARE(o.fx.dialogs.texts(), (QStringList{msg::ConfirmSave, msg::Saved}));
        QCOMPARE(o.fx.writes().size(), 1);
        QCOMPARE(lines(o.fx.writes().first()),
                 (QStringList{"INSERT INTO Main_Deega_Control", "(Doc_PK, DocNo",
                              ", Per_Code, KumDeega_No, Company_Rec_Cheq",
                              ", Remark1, Date_Ent_Asign, DocType_Code )", "VALUES",
                              "('QDTX2557/00007','QDTX2557/00007'", ",'01','ค''12','หจก. ดี''ดี'",
                              ",' หมายเหตุ ',CURRENT_TIMESTAMP,'T1')"}));
        const QString key = QStringLiteral("QDTX2557/00007");
        QCOMPARE(o.fx.text(key, "DocNo"), key);
        QCOMPARE(o.fx.text(key, "Company_Rec_Cheq"), QStringLiteral("หจก. ดี'ดี"));
        QCOMPARE(o.fx.text(key, "Remark1"), QStringLiteral(" หมายเหตุ "));
        QVERIFY(o.fx.column(key, "Date_Ent_Asign").isValid());
        QVERIFY(editing(o.get()));
        QCOMPARE(o.screenVeq()->saveMode(), 1);
        QVERIFY(control<QLineEdit>(o.get(), "edtDoc_PK2")->isEnabled());
        for (const char *name :
             {"edtDoc_PK2", "edtKumDeega_No2", "edtCompany_Rec_Cheq2", "edtRemark1"})
            QCOMPARE(o.field(name), QString());
        QCOMPARE(control<QComboBox>(o.get(), "cmbPer_Code2")->currentText(), QString());

        // Keyed in again later: found by its key, saved as an update, no duplicate.
        const QDateTime first = o.fx.column(key, "Date_Ent_Asign").toDateTime();
        o.leaveKey(QStringLiteral("00007"));
        QCOMPARE(o.screenVeq()->saveMode(), 2);
        QCOMPARE(control<QComboBox>(o.get(), "cmbPer_Code2")->currentText(), QStringLiteral("01"));
        QCOMPARE(o.field("edtKumDeega_No2"), QStringLiteral("ค'12"));
        control<QComboBox>(o.get(), "cmbPer_Code2")->setEditText(QStringLiteral("02 สมหญิง"));
        o.fx.sent.clear();
        click(o.get(), "btnSave2");
        QCOMPARE(o.fx.writes().size(), 1);
        QCOMPARE(
            lines(o.fx.writes().first()),
            (QStringList{"Update Main_Deega_Control", "Set Per_Code='02'", ", KumDeega_No='ค''12'",
                         ", Company_Rec_Cheq='หจก. ดี''ดี'", ", Remark1=' หมายเหตุ '",
                         ", DocType_Code='T1'", "Where Doc_PK = 'QDTX2557/00007'"}));
        QCOMPARE(o.fx.documents(), 1);
        QCOMPARE(o.fx.text(key, "Per_Code"), QStringLiteral("02"));
        QCOMPARE(o.fx.column(key, "Date_Ent_Asign").toDateTime(), first);
        QVERIFY(!editing(o.get()));
    }

    // An imported document: chosen under Add, assigned (entry time stamped), reassigned
    // under Update (entry time kept).
    void assignImported_data() { TestCatalog::addBackendRows(); }

    void assignImported()
    {
        QFETCH(QString, backend);
        REQUIRE_BACKEND(backend);
        Veq o(backend);
        const QString key = QStringLiteral("QDTX2557/00011");
        o.fx.addDocument(key, {{QStringLiteral("DocNumber"), "ศธ 1"},
                               {QStringLiteral("Topic"), "จ้าง O'Brien"},
                               {QStringLiteral("Per_Code"), ""}});
        choose(o.get(), key);
        QCOMPARE(o.screenVeq()->saveMode(), 2);
        QVERIFY(!control<QLineEdit>(o.get(), "edtDoc_PK2")->isEnabled());
        QCOMPARE(o.field("edtTopic2"), QStringLiteral("จ้าง O'Brien"));
        // An officer no longer active is still accepted when typed.
        o.fillStage(QStringLiteral("09"), QStringLiteral("R1"), QStringLiteral("บจก. ก"));
        o.fx.sent.clear();
        click(o.get(), "btnSave2");
        QCOMPARE(o.fx.writes().size(), 1);
        QCOMPARE(lines(o.fx.writes().first()),
                 (QStringList{"Update Main_Deega_Control", "Set Per_Code='09'",
                              ", KumDeega_No='R1'", ", Company_Rec_Cheq='บจก. ก'", ", Remark1=''",
                              ", Date_Ent_Asign=CURRENT_TIMESTAMP", ", DocType_Code=''",
                              "Where Doc_PK = 'QDTX2557/00011'"}));
        const QVariant stamped = o.fx.column(key, "Date_Ent_Asign");
        QVERIFY(stamped.isValid());

        choose(o.get(), key, true);
        QCOMPARE(control<QComboBox>(o.get(), "cmbPer_Code2")->currentText(), QStringLiteral("09"));
        control<QComboBox>(o.get(), "cmbPer_Code2")->setEditText(QStringLiteral("01 สมชาย"));
        o.fx.sent.clear();
        click(o.get(), "btnSave2");
        QVERIFY(!o.fx.writes().first().contains(QLatin1String("Date_Ent_Asign")));
        QCOMPARE(o.fx.text(key, "Per_Code"), QStringLiteral("01"));
        QCOMPARE(o.fx.column(key, "Date_Ent_Asign"), stamped);
    }

    void checksInOrder_data()
    {
        QTest::addColumn<QString>("officer");
        QTest::addColumn<QString>("registerNo");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("company");
        QTest::addColumn<QString>("message");
        QTest::newRow("officer empty") << ""
                                       << ""
                                       << ""
                                       << ""
                                       << "กรุณาเลือกรายการ ผู้รับผิดชอบด้วย";
        QTest::newRow("officer mistyped") << "0"
                                          << "R"
                                          << "7"
                                          << "C"
                                          << "กรุณาเลือกรายการ ผู้รับผิดชอบด้วย";
        QTest::newRow("register blanks") << "01"
                                         << "   "
                                         << ""
                                         << ""
                                         << "กรุณาใส่เลขที่คุมฏีกาด้วย";
        QTest::newRow("key empty") << "01"
                                   << "R"
                                   << ""
                                   << ""
                                   << "กรุณาใส่เลขอ้างอิงด้วย";
        QTest::newRow("company blanks") << "01 สมชาย"
                                        << "R"
                                        << "7"
                                        << "  "
                                        << "กรุณาใส่ชื่อบริษัท/ผู้รับเช็คด้วย";
    }

    void checksInOrder()
    {
        QFETCH(QString, officer);
        QFETCH(QString, registerNo);
        QFETCH(QString, key);
        QFETCH(QString, company);
        QFETCH(QString, message);
        Veq o(QStringLiteral("sqlite"));
        click(o.get(), "btnAdd_Data");
        if (!key.isEmpty())
            o.leaveKey(key);
        o.fillStage(officer, registerNo, company);
        o.fx.sent.clear();
        o.fx.dialogs.clear();
        click(o.get(), "btnSave2");
        QCOMPARE(o.fx.dialogs.texts(), QStringList{message});
        QVERIFY(o.fx.writes().isEmpty());
        QVERIFY(editing(o.get()));
    }

    void cancelAndVanished_data()
    {
        QTest::addColumn<QString>("backend");
        QTest::addColumn<bool>("vanish");
        for (const QString &backend : {QStringLiteral("sqlite"), QStringLiteral("postgresql")}) {
            QTest::newRow(qPrintable(backend + " cancel")) << backend << false;
            QTest::newRow(qPrintable(backend + " vanished")) << backend << true;
        }
    }

    void cancelAndVanished()
    {
        QFETCH(QString, backend);
        QFETCH(bool, vanish);
        REQUIRE_BACKEND(backend);
        Veq o(backend);
        const QString key = QStringLiteral("QDTX2557/00011");
        o.fx.addDocument(key);
        choose(o.get(), key);
        o.fillStage(QStringLiteral("01"), QStringLiteral("R1"), QStringLiteral("C"));
        if (vanish)
            o.fx.catalog.openAnother()->execute(
                db::Statement{"DELETE FROM Main_Deega_Control WHERE Doc_PK = 'QDTX2557/00011'"});
        else
            o.fx.dialogs.answer(false);
        o.fx.dialogs.clear();
        o.fx.sent.clear();
        click(o.get(), "btnSave2");
        QVERIFY(o.fx.writes().isEmpty());
        QVERIFY(editing(o.get()));
        QCOMPARE(o.fx.dialogs.last(), vanish ? msg::SystemFailure : msg::ConfirmSave);
        if (!vanish)
            QVERIFY(o.fx.column(key, "Per_Code").isNull());
    }
};

QTEST_MAIN(TestEntryDeegaVeq)
#include "tst_entry_deega_veq.moc"
