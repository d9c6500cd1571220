// The connection layer against real catalogs: every test body runs on SQLite and PostgreSQL.

#include "HostileSheets.h"
#include "TestCatalog.h"
#include "data/Connection.h"
#include "data/schema.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTest>
#include <optional>
#include <random>

using db::Statement;

class TestConnection : public QObject {
    Q_OBJECT

private:
    static void insertDocType(db::Connection &c, const QString &code, const QString &name)
    {
        c.execute(Statement{QStringLiteral("INSERT INTO TR_DocType (DocType_Code, DocType_Name)"),
                            QStringLiteral("VALUES ('") + db::sqlText(code) +
                                QStringLiteral("', '") + db::sqlText(name) + QStringLiteral("')")});
    }

private slots:
    void sqlTextDoublesQuotes_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("literal");
        QTest::newRow("plain") << QStringLiteral("abc") << QStringLiteral("abc");
        QTest::newRow("one quote") << QStringLiteral("O'Brien") << QStringLiteral("O''Brien");
        QTest::newRow("only quotes") << QStringLiteral("''") << QStringLiteral("''''");
        QTest::newRow("quote at the end") << QStringLiteral("x'") << QStringLiteral("x''");
        QTest::newRow("thai") << QStringLiteral("ร้าน'ทอง") << QStringLiteral("ร้าน''ทอง");
        QTest::newRow("nul dropped")
            << QStringLiteral("a") + QChar(u'\0') + QStringLiteral("b") << QStringLiteral("ab");
        QTest::newRow("empty") << QString() << QString();
        const QChar high(0xD83D), low(0xDE00), replacement(0xFFFD);
        QTest::newRow("whole pair kept") << (QString(high) + low) << (QString(high) + low);
        QTest::newRow("half pair at the end")
            << QStringLiteral("ab") + high << QStringLiteral("ab") + replacement;
        QTest::newRow("half pair before a quote")
            << QStringLiteral("a") + high + QStringLiteral("'")
            << QStringLiteral("a") + replacement + QStringLiteral("''");
        QTest::newRow("second half alone")
            << low + QStringLiteral("x") << replacement + QStringLiteral("x");
        QTest::newRow("halves the wrong way round")
            << (QString(low) + high) << QString(2, replacement);
    }
    void sqlTextDoublesQuotes()
    {
        QFETCH(QString, value);
        QFETCH(QString, literal);
        QCOMPARE(db::sqlText(value), literal);
    }

    void statementJoinsLines()
    {
        Statement s{QStringLiteral("SELECT  *"), QStringLiteral("FROM TR_Version")};
        s << QStringLiteral("Where 1=1");
        QCOMPARE(s.text(), QStringLiteral("SELECT  *\nFROM TR_Version\nWhere 1=1"));
        QCOMPARE(s.lines().size(), 3);
    }

    // Values that could break a literal, or that a back end might alter, come back unchanged.
    void textRoundTrip_data()
    {
        QTest::addColumn<QString>("backend");
        QTest::addColumn<QString>("value");
        const QList<QPair<const char *, QString>> values = {
            {"quote", QStringLiteral("O'Brien")},
            {"quotes only", QStringLiteral("'''")},
            {"thai with apostrophe", QStringLiteral("ห้างหุ้นส่วน 'สมใจ' จำกัด")},
            {"thai tone marks", QStringLiteral("เก้าสิบเก้าบาทถ้วน ์ ๊ ๋ ฯ ๆ")},
            {"backslash", QStringLiteral("C:\\งาน\\ฎีกา\\")},
            {"percent and underscore", QStringLiteral("100%_ok")},
            {"line break", QStringLiteral("บรรทัด 1\r\nบรรทัด 2")},
            {"statement-like", QStringLiteral("x'); DROP TABLE TR_User; --")},
            {"surrounding blanks", QStringLiteral("  กลาง  ")},
            {"emoji", QStringLiteral("ฎีกา 😀 👍🏽")},
            {"control characters",
             QStringLiteral("a\tb") + QChar(0x01) + QChar(0x1F) + QChar(0x7F)},
            {"300 characters", QString(300, QChar(u'ก'))},
        };
        for (const QString &b : {QStringLiteral("sqlite"), QStringLiteral("postgresql")}) {
            for (const auto &[name, value] : values)
                QTest::newRow(qPrintable(b + QLatin1Char(' ') + QLatin1String(name))) << b << value;
        }
    }
    void textRoundTrip()
    {
        QFETCH(QString, backend);
        QFETCH(QString, value);
        REQUIRE_BACKEND(backend);
        TestCatalog catalog(backend);
        db::Connection &c = catalog.connection();
        insertDocType(c, QStringLiteral("01"), value);
        db::Rows r = c.select(Statement{QStringLiteral("SELECT * FROM TR_DocType")});
        QVERIFY(r.next());
        QCOMPARE(r.text(QStringLiteral("DocType_Name")), value);
        QVERIFY(!r.next());
        QCOMPARE(c.tableNames().size(), 10); // nothing was dropped: the nine and the history
    }

    // Whatever a value holds, its literal stays closed: the statement reads one column of one
    // row, and that is the value, or its nearest valid text (halves of pairs as U+FFFD, NUL
    // dropped). Random texts over the characters that matter to a literal.
    void anyTextMakesAClosedLiteral_data() { TestCatalog::addBackendRows(); }
    void anyTextMakesAClosedLiteral()
    {
        QFETCH(QString, backend);
        REQUIRE_BACKEND(backend);
        TestCatalog catalog(backend);
        db::Connection &c = catalog.connection();
        const QList<QChar> alphabet = {
            u'\'',         u'\'',         u'"',  u'\\', u';',  u'-',        u' ',
            u'a',          u'\0',         u'\t', u'\n', u'\r', QChar(0x1F), QChar(0x7F),
            QChar(0xD83D), QChar(0xDE00), u'ก',  u'้',   u'%',  u'_'};
        std::mt19937 random(20261209);
        for (int round = 0; round < 400; ++round) {
            QString value;
            const int length = int(random() % 24);
            for (int i = 0; i < length; ++i)
                value += alphabet.at(qsizetype(random() % alphabet.size()));
            db::Rows r = c.select(Statement{QStringLiteral("SELECT '") + db::sqlText(value) +
                                            QStringLiteral("' AS v")});
            QVERIFY(r.next());
            QCOMPARE(r.columnCount(), 1);
            QCOMPARE(r.text(QStringLiteral("v")), storedText(value));
            QVERIFY(!r.next());
        }
    }

    // A statement built wrongly, with half a pair or a NUL outside any value, is not sent.
    void unsendableStatementIsRefused_data()
    {
        QTest::addColumn<QString>("statement");
        QTest::newRow("half pair") << QStringLiteral("SELECT 1 AS v") + QChar(0xD83D);
        QTest::newRow("NUL") << QStringLiteral("SELECT 1") + QChar(u'\0') +
                                    QStringLiteral("; SELECT 2");
    }
    void unsendableStatementIsRefused()
    {
        QFETCH(QString, statement);
        TestCatalog catalog(QStringLiteral("sqlite"));
        db::Connection &c = catalog.connection();
        QStringList seen;
        c.setObserver([&seen](const QString &s) { seen << s; });
        QVERIFY_THROWS_EXCEPTION(db::Error, c.select(Statement{statement}));
        QVERIFY_THROWS_EXCEPTION(db::Error, c.execute(Statement{statement}));
        QVERIFY(seen.isEmpty());
    }

    // SQLite's driver refuses two statements in one text; the message says so, not "not an
    // error", which is what the server itself answers then.
    void secondStatementRefusalIsTold()
    {
        TestCatalog catalog(QStringLiteral("sqlite"));
        try {
            catalog.connection().execute(Statement{QStringLiteral("SELECT 1; SELECT 2")});
            QFAIL("no error raised");
        } catch (const db::Error &e) {
            QVERIFY2(!e.message().contains(QLatin1String("not an error")), qPrintable(e.message()));
            QVERIFY2(!e.message().isEmpty(), "empty message");
        }
    }

    void comparisonIgnoresLetterCase_data() { TestCatalog::addBackendRows(); }
    void comparisonIgnoresLetterCase()
    {
        QFETCH(QString, backend);
        REQUIRE_BACKEND(backend);
        TestCatalog catalog(backend);
        db::Connection &c = catalog.connection();
        c.execute(Statement{QStringLiteral("INSERT INTO TR_User (UserName, Password, U_Level)"),
                            QStringLiteral("VALUES ('Somchai', 'Pw1', 5)")});
        auto count = [&c](const QString &where) {
            db::Rows r = c.select(Statement{QStringLiteral("Select * From TR_User"),
                                            QStringLiteral("Where ") + where});
            int n = 0;
            while (r.next())
                ++n;
            return n;
        };
        QCOMPARE(count(QStringLiteral("UserName='SOMCHAI'")), 1);
        QCOMPARE(count(QStringLiteral("UserName='somchai'")), 1);
        QCOMPARE(count(QStringLiteral("UserName like '%OMCH%'")), 1);
        QCOMPARE(count(QStringLiteral("UserName='Somcha'")), 0);
        // Letter case of the value is kept as stored.
        db::Rows r = c.select(Statement{QStringLiteral("Select * From TR_User"),
                                        QStringLiteral("Where UserName='SOMCHAI'")});
        QVERIFY(r.next());
        QCOMPARE(r.text(QStringLiteral("UserName")), QStringLiteral("Somchai"));
    }

    void columnsReadByNameInAnyCase_data() { TestCatalog::addBackendRows(); }
    void columnsReadByNameInAnyCase()
    {
        QFETCH(QString, backend);
        REQUIRE_BACKEND(backend);
        TestCatalog catalog(backend);
        db::Rows r = catalog.connection().select(
            Statement{QStringLiteral("SELECT  *"), QStringLiteral("FROM TR_Version")});
        QVERIFY(r.next());
        QCOMPARE(r.text(QStringLiteral("Version_NO")), QStringLiteral("2.0"));
        QCOMPARE(r.text(QStringLiteral("version_no")), QStringLiteral("2.0"));
        QCOMPARE(r.text(QStringLiteral("VERSION_NO")), QStringLiteral("2.0"));
    }

    void nullAndMissingRead_data() { TestCatalog::addBackendRows(); }
    void nullAndMissingRead()
    {
        QFETCH(QString, backend);
        REQUIRE_BACKEND(backend);
        TestCatalog catalog(backend);
        db::Connection &c = catalog.connection();
        c.execute(Statement{QStringLiteral("INSERT INTO Main_Deega_Control (Doc_PK, DocNo)"),
                            QStringLiteral("VALUES ('QDTX2557/00001', 'QDTX2557/00001')")});
        db::Rows r = c.select(Statement{QStringLiteral("SELECT * FROM Main_Deega_Control")});
        QVERIFY(r.next());
        QVERIFY(r.isNull(QStringLiteral("Topic")));
        QCOMPARE(r.text(QStringLiteral("Topic")), QString());
        QCOMPARE(r.number(QStringLiteral("No_Money")), 0.0);
        QCOMPARE(r.text(QStringLiteral("No_Money")), QString());
        QCOMPARE(r.text(QStringLiteral("Date_Ent_Asign")), QString());
        QVERIFY(!r.dateTime(QStringLiteral("Date_Ent_Asign")).isValid());
        QVERIFY(!r.has(QStringLiteral("No_Such_Column")));
        QCOMPARE(r.text(QStringLiteral("No_Such_Column")), QString());
        QCOMPARE(r.integer(QStringLiteral("No_Such_Column")), 0);
    }

    void numbersAndIntegers_data() { TestCatalog::addBackendRows(); }
    void numbersAndIntegers()
    {
        QFETCH(QString, backend);
        REQUIRE_BACKEND(backend);
        TestCatalog catalog(backend);
        db::Connection &c = catalog.connection();
        c.execute(Statement{QStringLiteral("INSERT INTO Main_Deega_Control (Doc_PK, No_Money)"),
                            QStringLiteral("VALUES ('2557ส0000001', 1234567.5)")});
        c.execute(Statement{QStringLiteral("INSERT INTO TR_Deega_Runno (Year_S, Runno)"),
                            QStringLiteral("VALUES ('2557', 41)")});
        db::Rows r = c.select(Statement{QStringLiteral("SELECT * FROM Main_Deega_Control")});
        QVERIFY(r.next());
        QCOMPARE(r.number(QStringLiteral("No_Money")), 1234567.5);
        QCOMPARE(r.text(QStringLiteral("No_Money")), QStringLiteral("1234567.5"));
        db::Rows n = c.select(Statement{QStringLiteral("SELECT * FROM TR_Deega_Runno")});
        QVERIFY(n.next());
        QCOMPARE(n.integer(QStringLiteral("Runno")), 41);
        QCOMPARE(n.text(QStringLiteral("Runno")), QStringLiteral("41"));
    }

    // The yearly counter is looked up with the year as a bare number.
    void textColumnComparedWithBareNumber_data() { TestCatalog::addBackendRows(); }
    void textColumnComparedWithBareNumber()
    {
        QFETCH(QString, backend);
        REQUIRE_BACKEND(backend);
        TestCatalog catalog(backend);
        db::Connection &c = catalog.connection();
        c.execute(Statement{QStringLiteral("INSERT INTO TR_Deega_Runno (Year_S, Runno)"),
                            QStringLiteral("VALUES ('2557', 41)")});
        auto runno = [&c](const QString &where) {
            db::Rows r = c.select(Statement{QStringLiteral("SELECT  *"),
                                            QStringLiteral("FROM  TR_Deega_Runno"), where});
            return r.next() ? r.integer(QStringLiteral("Runno")) : -1;
        };
        QCOMPARE(runno(QStringLiteral("WHERE  (Year_S = 2557)")), 41);
        QCOMPARE(runno(QStringLiteral("WHERE  (Year_S = 2558)")), -1);
        QCOMPARE(runno(QStringLiteral("WHERE  (Year_S = '2557')")), 41);
        QCOMPARE(runno(QStringLiteral("WHERE  (Year_S <> 2558)")), 41);
        QCOMPARE(runno(QStringLiteral("WHERE  (2557 = Year_S)")), 41);
    }

    void substringAndDayKeysAsText_data() { TestCatalog::addBackendRows(); }
    void substringAndDayKeysAsText()
    {
        QFETCH(QString, backend);
        REQUIRE_BACKEND(backend);
        TestCatalog catalog(backend);
        db::Connection &c = catalog.connection();
        const QStringList keys = {QStringLiteral("QDTX2557/00002"), QStringLiteral("2557ส0000001"),
                                  QStringLiteral("255701ส00001")};
        for (const QString &k : keys)
            c.execute(
                Statement{QStringLiteral("INSERT INTO Main_Deega_Control (Doc_PK)"),
                          QStringLiteral("VALUES ('") + db::sqlText(k) + QStringLiteral("')")});
        db::Rows r = c.select(Statement{QStringLiteral("SELECT *"),
                                        QStringLiteral("FROM Main_Deega_Control"),
                                        QStringLiteral("Where (SUBSTRING(Doc_PK,7,1) = 'ส'"),
                                        QStringLiteral("Or SUBSTRING(Doc_PK,5,1) = 'ส')")});
        QStringList found;
        while (r.next())
            found << r.text(QStringLiteral("Doc_PK"));
        found.sort();
        QCOMPARE(found,
                 (QStringList{QStringLiteral("255701ส00001"), QStringLiteral("2557ส0000001")}));

        for (const char *key : {"25560101", "25551231", "25560102"})
            c.execute(Statement{QStringLiteral("INSERT INTO TR_Day_Calendar (D_YYYYMMDD)"),
                                QStringLiteral("VALUES ('%1')").arg(QLatin1String(key))});
        db::Rows days = c.select(Statement{QStringLiteral("SELECT * FROM TR_Day_Calendar"),
                                           QStringLiteral("Where D_YYYYMMDD between '25551231'"
                                                          " and '25560101'"),
                                           QStringLiteral("Order by D_YYYYMMDD")});
        QStringList inRange;
        while (days.next())
            inRange << days.text(QStringLiteral("D_YYYYMMDD"));
        QCOMPARE(inRange, (QStringList{QStringLiteral("25551231"), QStringLiteral("25560101")}));
    }

    void getdateIsTheServersClock_data() { TestCatalog::addBackendRows(); }
    void getdateIsTheServersClock()
    {
        QFETCH(QString, backend);
        REQUIRE_BACKEND(backend);
        TestCatalog catalog(backend);
        db::Connection &c = catalog.connection();
        db::Rows now = c.select(Statement{QStringLiteral("Select Getdate() As C_Date")});
        QVERIFY(now.next());
        const QDateTime server = now.dateTime(QStringLiteral("C_Date"));
        QVERIFY(server.isValid());
        QVERIFY(qAbs(server.secsTo(QDateTime::currentDateTime())) < 600);

        const QDateTime pinned(QDate(2014, 9, 30), QTime(23, 59, 58));
        c.pinServerClockForTests(pinned);
        db::Rows later = c.select(Statement{QStringLiteral("Select Getdate() As C_Date")});
        QVERIFY(later.next());
        QCOMPARE(later.dateTime(QStringLiteral("C_Date")), pinned);
    }

    // CURRENT_TIMESTAMP reads back as the server's local time on every back end.
    void currentTimestampReadsLocalTime_data() { TestCatalog::addBackendRows(); }
    void currentTimestampReadsLocalTime()
    {
        QFETCH(QString, backend);
        REQUIRE_BACKEND(backend);
        TestCatalog catalog(backend);
        db::Connection &c = catalog.connection();
        c.execute(Statement{QStringLiteral("INSERT INTO Main_Deega_Control (Doc_PK)"),
                            QStringLiteral("VALUES ('QDTX2557/00001')")});
        c.execute(Statement{QStringLiteral("Update Main_Deega_Control"),
                            QStringLiteral("Set Per_Code='01'"),
                            QStringLiteral(", Date_Ent_Asign=CURRENT_TIMESTAMP"),
                            QStringLiteral("Where Doc_PK = 'QDTX2557/00001'")});
        db::Rows r = c.select(Statement{QStringLiteral("SELECT * FROM Main_Deega_Control")});
        QVERIFY(r.next());
        const QDateTime stamped = r.dateTime(QStringLiteral("Date_Ent_Asign"));
        QVERIFY(stamped.isValid());
        // The run's zone is seven hours from UTC, so a stamp left in UTC shows here.
        QVERIFY2(qAbs(stamped.secsTo(QDateTime::currentDateTime())) < 600,
                 qPrintable(stamped.toString(Qt::ISODate)));
        const QString shown = r.text(QStringLiteral("Date_Ent_Asign"));
        QCOMPARE(shown.size(), 19);
        QCOMPARE(shown.mid(6, 4).toInt(), stamped.date().year() + 543);
    }

    void observerSeesEveryStatement()
    {
        TestCatalog catalog(QStringLiteral("sqlite"));
        db::Connection &c = catalog.connection();
        QStringList seen;
        c.setObserver([&seen](const QString &s) { seen << s; });
        c.select(Statement{QStringLiteral("SELECT  *"), QStringLiteral("FROM TR_Version")});
        insertDocType(c, QStringLiteral("01"), QStringLiteral("ทั่วไป"));
        QCOMPARE(seen.size(), 2);
        QCOMPARE(seen.at(0), QStringLiteral("SELECT  *\nFROM TR_Version"));
        QVERIFY(seen.at(1).startsWith(QStringLiteral("INSERT INTO TR_DocType")));
    }

    void failureCarriesServerMessage_data() { TestCatalog::addBackendRows(); }
    void failureCarriesServerMessage()
    {
        QFETCH(QString, backend);
        REQUIRE_BACKEND(backend);
        TestCatalog catalog(backend);
        db::Connection &c = catalog.connection();
        try {
            c.select(Statement{QStringLiteral("SELECT * FROM No_Such_Table")});
            QFAIL("no error raised");
        } catch (const db::Error &e) {
            QVERIFY2(e.message().contains(QLatin1String("no_such_table"), Qt::CaseInsensitive),
                     qPrintable(e.message()));
        }
        // The connection is still usable after a failed statement.
        db::Rows r = c.select(Statement{QStringLiteral("SELECT * FROM TR_Version")});
        QVERIFY(r.next());
    }

    void transactionRollsBack_data() { TestCatalog::addBackendRows(); }
    void transactionRollsBack()
    {
        QFETCH(QString, backend);
        REQUIRE_BACKEND(backend);
        TestCatalog catalog(backend);
        db::Connection &c = catalog.connection();
        {
            db::Transaction t(c);
            insertDocType(c, QStringLiteral("01"), QStringLiteral("ก"));
        }
        db::Rows r = c.select(Statement{QStringLiteral("SELECT * FROM TR_DocType")});
        QVERIFY(!r.next());
    }

    void missingOrForeignFileIsNotACatalog()
    {
        QTemporaryDir dir;
        db::CatalogLocation where;
        where.path = dir.filePath(QStringLiteral("none.sqlite"));
        db::Connection missing(where);
        QVERIFY_THROWS_EXCEPTION(db::Error, missing.open());
        QVERIFY(!QFile::exists(where.path)); // opening never creates a catalog by accident

        where.path = dir.filePath(QStringLiteral("text.sqlite"));
        QFile f(where.path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("this is not a database, just some text that is long enough........");
        f.close();
        db::Connection foreign(where);
        QVERIFY_THROWS_EXCEPTION(db::Error, foreign.open());
        QVERIFY(!foreign.isOpen());
    }

    // The embedded catalog's rows are read from the file directly, a value when it is read:
    // names, values, nulls and failures are those Qt's SQLite driver gives for the same text.
    void sqliteReadsAsQtsDriver()
    {
        TestCatalog catalog(QStringLiteral("sqlite"));
        db::Connection &c = catalog.connection();
        c.execute(
            Statement{QStringLiteral("INSERT INTO TR_PerSon (Per_Code, Per_Name, Per_status)"),
                      QStringLiteral("VALUES ('01', 'นางสาวสุภาพร ใจดี', 'A')")});
        c.execute(Statement{
            QStringLiteral("INSERT INTO Main_Deega_Control (Doc_PK, Topic, Per_Code, No_Money,"),
            QStringLiteral(" Date_Ent_Asign) VALUES ('QDTX2557/00001', 'ค่าวัสดุ ''ก'' 😀', '01',"),
            QStringLiteral(" 1234.5, CURRENT_TIMESTAMP)")});
        c.execute(Statement{QStringLiteral("INSERT INTO Main_Deega_Control (Doc_PK, Per_Code)"),
                            QStringLiteral("VALUES ('QDTX2557/00002', '09')")});

        QSqlDatabase qt = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"),
                                                    QStringLiteral("driver-as-reference"));
        qt.setDatabaseName(catalog.location().path);
        QVERIFY(qt.open());
        const QStringList statements{
            QStringLiteral("SELECT * FROM Main_Deega_Control ORDER BY Doc_PK"),
            QStringLiteral("SELECT Main_Deega_Control.*, TR_PerSon.* FROM Main_Deega_Control "
                           "LEFT JOIN TR_PerSon ON Main_Deega_Control.Per_Code = "
                           "TR_PerSon.Per_Code ORDER BY Doc_PK"),
            QStringLiteral("SELECT count(*), 1.5, 'x', NULL, X'00FF', 7 AS \"a.b\", "
                           "8 AS \"q\"\"t\", TR_Version.Version_NO FROM TR_Version"),
            QStringLiteral("SELECT * FROM TR_DocType"),
            QStringLiteral("  SELECT * FROM TR_Version;  "),
            QStringLiteral("SELECT * FROM No_Such_Table"),
            QStringLiteral("SELECT 1; SELECT 2"),
            QStringLiteral("SELECT abs(-9223372036854775807 - 1)"),
            QStringLiteral("-- nothing"),
        };
        for (const QString &text : statements) {
            QSqlQuery q(qt);
            q.setForwardOnly(true);
            q.setNumericalPrecisionPolicy(QSql::LowPrecisionDouble);
            const bool ran = q.exec(text);
            std::optional<db::Rows> rows;
            QString failure;
            try {
                rows.emplace(c.select(Statement{text}));
            } catch (const db::Error &e) {
                failure = e.message();
            }
            QVERIFY2(ran == rows.has_value(), qPrintable(text + QStringLiteral(": ") + failure));
            if (!ran) {
                const QSqlError e = q.lastError();
                const bool quiet = e.databaseText().trimmed() == QLatin1String("not an error");
                QCOMPARE(failure, quiet ? e.driverText() : e.databaseText());
                continue;
            }
            QStringList names;
            for (int i = 0; i < q.record().count(); ++i)
                names << q.record().fieldName(i);
            QCOMPARE(rows->columnCount(), names.size());
            for (int i = 0; i < names.size(); ++i)
                QCOMPARE(rows->columnName(i), names.at(i));
            // Before the first row nothing is read.
            QVERIFY(!rows->value(0).isValid());
            while (q.next()) {
                QVERIFY2(rows->next(), qPrintable(text));
                for (int i = 0; i < names.size(); ++i) {
                    const QString where = text + QStringLiteral(": ") + names.at(i);
                    // A name given twice is read as its first column.
                    QVERIFY2(rows->isNull(names.at(i)) == q.isNull(names.indexOf(names.at(i))),
                             qPrintable(where));
                    // Server date-times are read as local times on top of the driver's value.
                    if (schema::isDateTimeColumn(names.at(i)))
                        continue;
                    const QVariant got = rows->value(i);
                    const QVariant expected = q.value(i);
                    QVERIFY2(got.metaType() == expected.metaType() && got == expected &&
                                 got.isNull() == expected.isNull(),
                             qPrintable(where + QStringLiteral(": ") + got.toString() +
                                        QStringLiteral(" / ") + expected.toString()));
                }
            }
            QVERIFY(!rows->next());
            QVERIFY(!rows->next());
            QVERIFY(!rows->value(0).isValid());
        }
        qt.close();
        qt = QSqlDatabase();
        QSqlDatabase::removeDatabase(QStringLiteral("driver-as-reference"));

        // A result left open when the connection closes reads no more rows, and the file is
        // closed for all that: it opens anew.
        db::Rows open = c.select(Statement{QStringLiteral("SELECT * FROM Main_Deega_Control")});
        QVERIFY(open.next());
        c.close();
        QVERIFY(!open.next());
        c.open();
        db::Rows again = c.select(Statement{QStringLiteral("SELECT * FROM Main_Deega_Control")});
        QVERIFY(again.next());
    }

    void unreachableServerFails()
    {
        db::CatalogLocation where =
            db::CatalogLocation::parse(QStringLiteral("postgresql://nobody@127.0.0.1:1/none"));
        db::Connection c(where);
        QVERIFY_THROWS_EXCEPTION(db::Error, c.open());
        QVERIFY(!c.isOpen());
        QVERIFY_THROWS_EXCEPTION(db::Error, c.select(Statement{QStringLiteral("SELECT 1")}));
    }
};

QTEST_GUILESS_MAIN(TestConnection)
#include "tst_connection.moc"
