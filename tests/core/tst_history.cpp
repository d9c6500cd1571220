// The history of changes on real catalogs: a voucher's life from import through every stage,
// logins and passwords, what the program may not do to the history, a hand-edited entry found
// by the chain, a plain SQL client's change recorded by the server, and a catalog that had no
// history before.

#include "TestCatalog.h"
#include "core/Access.h"
#include "core/AuditTrail.h"
#include "core/ImportRows.h"
#include "core/Workflow.h"
#include "data/History.h"
#include "data/schema.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTest>

namespace {

const QString Key = QStringLiteral("QDTX2557/00042");

QStringList voucherRow(const QString &topic)
{
    QStringList cells(importLayoutOf(ImportKind::Kvsis).columns.size());
    cells[0] = QStringLiteral("1");
    cells[2] = Key;
    cells[3] = QStringLiteral("2/1/2557 10:02:00");
    cells[7] = topic;
    cells[13] = QStringLiteral("2");
    return cells;
}

// The columns an entry changed, by name.
QStringList columns(const audit::Entry &e)
{
    QStringList out;
    for (const audit::Change &c : e.changes)
        out << c.column;
    return out;
}

QString now(const audit::Entry &e, const QString &column)
{
    for (const audit::Change &c : e.changes) {
        if (c.column == column)
            return c.now;
    }
    return QStringLiteral("<unchanged>");
}

// A connection of another program: no history triggers of ours, no user of ours.
struct RawClient {
    explicit RawClient(const TestCatalog &catalog)
    {
        const db::CatalogLocation &where = catalog.location();
        const bool sqlite = where.backend == db::BackendKind::SQLite;
        db = QSqlDatabase::addDatabase(sqlite ? QStringLiteral("QSQLITE") : QStringLiteral("QPSQL"),
                                       QStringLiteral("raw-client"));
        if (sqlite) {
            db.setDatabaseName(where.path);
        } else {
            db.setHostName(where.host);
            db.setPort(where.port);
            db.setDatabaseName(where.database);
            db.setUserName(where.user);
            db.setPassword(where.password);
        }
        QVERIFY2(db.open(), qPrintable(db.lastError().text()));
    }
    ~RawClient()
    {
        db.close();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(QStringLiteral("raw-client"));
    }
    bool run(const QString &sql)
    {
        QSqlQuery q(db);
        const bool ok = q.exec(sql);
        if (!ok)
            qWarning("%s: %s", qPrintable(sql), qPrintable(q.lastError().text()));
        return ok;
    }
    QSqlDatabase db;
};

} // namespace

class TestHistory : public QObject {
    Q_OBJECT

private slots:
    // One voucher from the import through the five stages: one entry per write, each with the
    // user who made it and only the columns it changed; an import that changes nothing adds
    // nothing.
    void aVouchersLife_data() { TestCatalog::addBackendRows(); }
    void aVouchersLife()
    {
        QFETCH(QString, backend);
        REQUIRE_BACKEND(backend);
        TestCatalog catalog(backend);
        db::Connection &c = catalog.connection();
        c.execute(db::Statement{"INSERT INTO TR_PerSon (Per_Code, Per_Name, Per_status) "
                                "VALUES ('07', 'x', 'A')"});
        c.setActor(QStringLiteral("importer"), QStringLiteral("station-1"));
        ImportResult r;
        savePreview(ImportKind::Kvsis, c, {voucherRow(QStringLiteral("ซื้อวัสดุ"))}, r);
        savePreview(ImportKind::Kvsis, c, {voucherRow(QStringLiteral("ซื้อวัสดุ"))}, r);

        const browse::ProgramValues program{QStringLiteral("clerk"), QStringLiteral("05/10/2557"),
                                            QStringLiteral("2015")};
        c.setActor(QStringLiteral("clerk"), QStringLiteral("station-2"));
        const struct {
            browse::Shape shape;
            browse::Entered entered;
        } stages[] = {
            {deega_veq::shape(),
             {{"Per_Code", "07 x"}, {"KumDeega_No", "K-1"}, {"Company_Rec_Cheq", "บริษัท ก"}}},
            {deega_no::shape(), {{"Deega_No", "ฎ1"}, {"Rec_Cheq_Branch", "SCB ชิดลม"}}},
            {nud_rec_cheq::shape(),
             {{"IS_Rec_Cheq", "N"}, {"IS_Success", "N"}, {"Date_Nud_Rec_Cheq", "10/10/2557"}}},
            {doc_no::shape(),
             {{"SAP_Doc_No", "5100000012"}, {"SAP_Fiscal_Year", "2015"}, {"IS_Rec_Cheq", "N"},
              {"IS_Success", "N"}, {"Date_Nud_Rec_Cheq", "10/10/2557"}}},
            {lastday_into_fin::shape(), {{"Date_Into_Fin", "03/01/2557"}}}};
        for (const auto &stage : stages) {
            const auto loaded = browse::findDocument(c, stage.shape, Key);
            QVERIFY(loaded);
            browse::Entered entered = *loaded;
            for (auto it = stage.entered.cbegin(); it != stage.entered.cend(); ++it)
                entered.insert(it.key(), it.value());
            QCOMPARE(browse::saveStage(c, stage.shape, Key,
                                       browse::assignmentLines(stage.shape, entered, program),
                                       &*loaded),
                     browse::SaveOutcome::Saved);
        }
        savePreview(ImportKind::Kvsis, c, {voucherRow(QStringLiteral("ซื้อวัสดุสำนักงาน"))}, r);

        const QList<audit::Entry> life = audit::ofDocument(c, Key);
        QStringList actions;
        for (const audit::Entry &e : life)
            actions << e.action + u' ' + e.user;
        QCOMPARE(actions, (QStringList{"insert importer", "update clerk", "update clerk",
                                       "update clerk", "update clerk", "update clerk",
                                       "update clerk"}));
        QCOMPARE(life.first().station, QStringLiteral("station-1"));
        QCOMPARE(now(life.first(), "Topic"), QStringLiteral("ซื้อวัสดุ"));
        QCOMPARE(columns(life[1]), (QStringList{"Per_Code", "DocType_Code", "KumDeega_No",
                                                "Company_Rec_Cheq", "Remark1", "Date_Ent_Asign"}));
        QVERIFY(!now(life[1], "Date_Ent_Asign").isEmpty()); // the server's time, as shown
        QCOMPARE(now(life[2], "Deega_No"), QStringLiteral("ฎ1"));
        QCOMPARE(now(life[4], "SAP_Doc_No"), QStringLiteral("5100000012"));
        QCOMPARE(now(life[4], "User_Key_Doc"), QStringLiteral("clerk"));
        // The last entry date went back to the registration date with the new topic.
        QCOMPARE(columns(life[6]), (QStringList{"Topic", "Date_Into_Fin"}));
        QCOMPARE(life[6].changes.first().was, QStringLiteral("ซื้อวัสดุ"));
        QCOMPARE(life[6].user, QStringLiteral("clerk"));

        // The tool's filters: by user and by day.
        audit::Filter byUser;
        byUser.user = QStringLiteral("IMPORTER");
        QCOMPARE(audit::entries(c, byUser).size(), 1);
        audit::Filter tomorrow;
        tomorrow.from = QDate::currentDate().addDays(1);
        QVERIFY(audit::entries(c, tomorrow).isEmpty());
        QVERIFY(db::history::verify(c).ok());
    }

    // A login, a refused one, a password set and changed: entries without any password.
    void loginsAndPasswords_data() { TestCatalog::addBackendRows(); }
    void loginsAndPasswords()
    {
        QFETCH(QString, backend);
        REQUIRE_BACKEND(backend);
        TestCatalog catalog(backend);
        db::Connection &c = catalog.connection();
        c.execute(db::Statement{"INSERT INTO TR_User (UserName, Password, U_Level) "
                                "VALUES ('somchai', 'secret1', 5)"});
        QVERIFY(!user_access::logIn(c, QStringLiteral("somchai"), QStringLiteral("guess")).ok());
        QVERIFY(!user_access::logIn(c, QStringLiteral("nobody"), QStringLiteral("guess")).ok());
        QVERIFY(user_access::logIn(c, QStringLiteral("somchai"), QStringLiteral("secret1")).ok());
        QCOMPARE(user_access::changePassword(c, QStringLiteral("somchai"),
                                             QStringLiteral("secret1"), QStringLiteral("secret2"),
                                             QStringLiteral("secret2")),
                 user_access::PasswordChange::Changed);

        QStringList lines;
        for (const audit::Entry &e : audit::entries(c, {})) {
            for (const QStringList &l : audit::lines(e))
                lines << l.mid(1).join(u'|'); // without the time
        }
        const QString me = c.actorStation();
        QCOMPARE(lines.mid(lines.size() - 4),
                 (QStringList{"somchai|" + me + "|||เข้าสู่ระบบไม่สำเร็จ||",
                              "nobody|" + me + "|||เข้าสู่ระบบไม่สำเร็จ||",
                              "somchai|" + me + "|||เข้าสู่ระบบ||",
                              "somchai|" + me + "|TR_User|somchai|Password|********|********"}));
        db::Rows all = c.select(db::Statement{"SELECT Changes FROM TR_History"});
        while (all.next())
            QVERIFY(!all.text(0).contains(QStringLiteral("secret")));
    }

    // A statement that fails half-way (the second row breaks a unique code) changes nothing and
    // records nothing; inside a transaction the statements around it are recorded.
    void aFailedStatementLeavesNoEntry_data() { TestCatalog::addBackendRows(); }
    void aFailedStatementLeavesNoEntry()
    {
        QFETCH(QString, backend);
        REQUIRE_BACKEND(backend);
        TestCatalog catalog(backend);
        db::Connection &c = catalog.connection();
        for (const char *code : {"01", "02"})
            c.execute(db::Statement{QStringLiteral("INSERT INTO TR_DocType (DocType_Code, "
                                                   "DocType_Name) VALUES ('%1', 'n')")
                                        .arg(QLatin1String(code))});
        const qint64 before = db::history::verify(c).entries;
        QVERIFY_THROWS_EXCEPTION(db::Error,
                                 c.execute(db::Statement{"UPDATE TR_DocType SET DocType_Code = '09'"}));
        QCOMPARE(db::history::verify(c).entries, before);
        if (backend == QLatin1String("sqlite")) {
            db::Transaction t(c, db::Transaction::Kind::Write);
            c.execute(db::Statement{"UPDATE TR_DocType SET DocType_Name = 'm' WHERE DocType_Code = '01'"});
            QVERIFY_THROWS_EXCEPTION(
                db::Error, c.execute(db::Statement{"UPDATE TR_DocType SET DocType_Code = '09'"}));
            c.execute(db::Statement{"UPDATE TR_DocType SET DocType_Name = 'm' WHERE DocType_Code = '02'"});
            t.commit();
            QCOMPARE(db::history::verify(c).entries, before + 2);
        }
        QVERIFY(db::history::verify(c).ok());
    }

    // The program's own connection can neither change nor remove an entry.
    void theProgramCannotRewriteHistory_data() { TestCatalog::addBackendRows(); }
    void theProgramCannotRewriteHistory()
    {
        QFETCH(QString, backend);
        REQUIRE_BACKEND(backend);
        TestCatalog catalog(backend);
        db::Connection &c = catalog.connection();
        QStringList attempts{"UPDATE TR_History SET User_Name = 'x'", "DELETE FROM TR_History"};
        if (backend == QLatin1String("postgresql"))
            attempts << QStringLiteral("TRUNCATE TR_History");
        for (const QString &sql : attempts) {
            try {
                c.execute(db::Statement{sql});
                QFAIL(qPrintable(sql));
            } catch (const db::Error &e) {
                QVERIFY2(e.message().contains(QStringLiteral("แก้ไขหรือลบไม่ได้")),
                         qPrintable(e.message()));
            }
        }
        QVERIFY(db::history::verify(c).ok());
    }

    // An entry edited or removed with another client breaks the chain at that entry.
    void handEditsBreakTheChain_data()
    {
        QTest::addColumn<QString>("backend");
        QTest::addColumn<QString>("edit");
        QTest::addColumn<qint64>("firstBad");
        for (const QString &b : {QStringLiteral("sqlite"), QStringLiteral("postgresql")}) {
            QTest::addRow("%s user renamed", qPrintable(b))
                << b << "UPDATE TR_History SET User_Name = 'someone' WHERE History_ID = 3"
                << qint64(3);
            QTest::addRow("%s value changed", qPrintable(b))
                << b << "UPDATE TR_History SET Changes = replace(Changes, '01', '02') "
                        "WHERE History_ID = 2"
                << qint64(2);
            QTest::addRow("%s entry removed", qPrintable(b))
                << b << "DELETE FROM TR_History WHERE History_ID = 2" << qint64(3);
        }
    }
    void handEditsBreakTheChain()
    {
        QFETCH(QString, backend);
        QFETCH(QString, edit);
        QFETCH(qint64, firstBad);
        REQUIRE_BACKEND(backend);
        TestCatalog catalog(backend);
        db::Connection &c = catalog.connection();
        for (const char *code : {"01", "02", "03"})
            c.execute(db::Statement{QStringLiteral("INSERT INTO TR_DocType (DocType_Code, "
                                                   "DocType_Name) VALUES ('%1', 'n')")
                                        .arg(QLatin1String(code))});
        QVERIFY(db::history::verify(c).ok());
        {
            RawClient raw(catalog);
            // The server refuses such edits to anyone but the owner who first lifts the refusal.
            if (backend == QLatin1String("postgresql"))
                QVERIFY(raw.run("ALTER TABLE TR_History DISABLE TRIGGER USER"));
            QVERIFY(raw.run(edit));
        }
        const db::history::Verdict v = db::history::verify(c);
        QCOMPARE(v.firstBad, firstBad);
        QVERIFY(v.why.contains(QString::number(firstBad)));
    }

    // On the shared server a change by any SQL client is recorded, under its login.
    void plainSqlOnTheServerIsRecorded()
    {
        REQUIRE_BACKEND(QStringLiteral("postgresql"));
        TestCatalog catalog(QStringLiteral("postgresql"));
        catalog.connection().execute(
            db::Statement{QStringLiteral("INSERT INTO Main_Deega_Control (Doc_PK, Topic) VALUES "
                                         "('%1', 'เดิม')")
                              .arg(Key)});
        {
            RawClient raw(catalog);
            QVERIFY(raw.run(QStringLiteral("UPDATE Main_Deega_Control SET Topic = 'แก้นอกโปรแกรม' "
                                           "WHERE Doc_PK = '%1'")
                                .arg(Key)));
        }
        const QList<audit::Entry> life = audit::ofDocument(catalog.connection(), Key);
        QCOMPARE(life.size(), 2);
        QCOMPARE(life.last().user, catalog.location().user);
        QCOMPARE(life.last().station, QStringLiteral("127.0.0.1"));
        QCOMPARE(columns(life.last()), QStringList{"Topic"});
        QCOMPARE(life.last().changes.first().now, QStringLiteral("แก้นอกโปรแกรม"));
        QVERIFY(db::history::verify(catalog.connection()).ok());
    }

    // A catalog made before the history: the next connection adds it and leaves every row and
    // the version as they were.
    void addedToAnEarlierCatalog_data() { TestCatalog::addBackendRows(); }
    void addedToAnEarlierCatalog()
    {
        QFETCH(QString, backend);
        REQUIRE_BACKEND(backend);
        TestCatalog catalog(backend);
        catalog.connection().execute(db::Statement{
            "INSERT INTO TR_DocType (DocType_Code, DocType_Name) VALUES ('01', 'n')"});
        {
            RawClient raw(catalog);
            QVERIFY(raw.run(backend == QLatin1String("postgresql")
                                ? "DROP FUNCTION vostrel_history_row CASCADE"
                                : "SELECT 1"));
            QVERIFY(raw.run("DROP TABLE TR_History"));
        }
        auto again = catalog.openAnother();
        QVERIFY(db::history::installed(*again));
        again->execute(db::Statement{"UPDATE TR_DocType SET DocType_Name = 'm'"});
        const QList<audit::Entry> all = audit::entries(*again, {});
        QCOMPARE(all.size(), 1);
        QCOMPARE(all.first().key, QStringLiteral("01"));
        db::Rows version = again->select(db::Statement{"SELECT Version_NO FROM TR_Version"});
        QVERIFY(version.next());
        QCOMPARE(version.text(0), schema::Version);
    }
};

QTEST_GUILESS_MAIN(TestHistory)
#include "tst_history.moc"
