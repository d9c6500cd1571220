// The catalog made by the program's own schema code, on SQLite and PostgreSQL.

#include "TestCatalog.h"
#include "data/Connection.h"
#include "data/schema.h"

#include <QTest>

using db::Statement;

namespace {

// One row holding value in column; the table's other key columns get a short text.
QString insertOne(const schema::Table &t, const QString &column, const QString &value)
{
    QStringList columns{column};
    QStringList values{QLatin1Char('\'') + db::sqlText(value) + QLatin1Char('\'')};
    for (const char *k : t.primaryKey) {
        if (column.compare(QLatin1String(k), Qt::CaseInsensitive) != 0) {
            columns << QLatin1String(k);
            values << QStringLiteral("'k'");
        }
    }
    return QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
        .arg(QLatin1String(t.name), columns.join(u','), values.join(u','));
}

int count(db::Connection &c, const QString &table)
{
    db::Rows r = c.select(Statement{QStringLiteral("SELECT * FROM ") + table});
    int n = 0;
    while (r.next())
        ++n;
    return n;
}

} // namespace

class TestSchema : public QObject {
    Q_OBJECT

private slots:
    void nineTablesAndVersion_data() { TestCatalog::addBackendRows(); }
    void nineTablesAndVersion()
    {
        QFETCH(QString, backend);
        REQUIRE_BACKEND(backend);
        TestCatalog catalog(backend);
        db::Connection &c = catalog.connection();
        QStringList expected;
        for (const schema::Table &t : schema::tables())
            expected << QString::fromLatin1(t.name).toLower();
        QCOMPARE(expected.size(), 9);
        // Beside the nine, the history of changes.
        expected << QStringLiteral("tr_history");
        QStringList actual;
        for (const QString &name : c.tableNames())
            actual << name.toLower();
        expected.sort();
        actual.sort();
        QCOMPARE(actual, expected);
        db::Rows r =
            c.select(Statement{QStringLiteral("SELECT  *"), QStringLiteral("FROM TR_Version")});
        QVERIFY(r.next());
        QCOMPARE(r.text(QStringLiteral("Version_NO")), QStringLiteral("2.0"));
        QVERIFY(!r.next());
    }

    void createRefusesACatalogWithTables_data() { TestCatalog::addBackendRows(); }
    void createRefusesACatalogWithTables()
    {
        QFETCH(QString, backend);
        REQUIRE_BACKEND(backend);
        TestCatalog catalog(backend);
        QVERIFY(schema::hasTables(catalog.connection()));
        QVERIFY_THROWS_EXCEPTION(db::Error, schema::create(catalog.connection()));
        QCOMPARE(count(catalog.connection(), QStringLiteral("TR_Version")), 1);
    }

    void createOnEmptyCatalog_data() { TestCatalog::addBackendRows(); }
    void createOnEmptyCatalog()
    {
        QFETCH(QString, backend);
        REQUIRE_BACKEND(backend);
        TestCatalog catalog(backend, false);
        QVERIFY(!schema::hasTables(catalog.connection()));
        schema::create(catalog.connection());
        QVERIFY(schema::hasTables(catalog.connection()));
    }

    // Every text column holds a Thai value of its stated width, unchanged.
    void textColumnsHoldTheirWidth_data() { TestCatalog::addBackendRows(); }
    void textColumnsHoldTheirWidth()
    {
        QFETCH(QString, backend);
        REQUIRE_BACKEND(backend);
        TestCatalog catalog(backend);
        db::Connection &c = catalog.connection();
        for (const schema::Table &t : schema::tables()) {
            for (const schema::Column &col : t.columns) {
                if (col.kind != schema::Kind::Text)
                    continue;
                const int width = col.width > 0 ? col.width : 300;
                QString value;
                const QString thai = QStringLiteral("กขคงจฉชซฌญ");
                while (value.size() < width)
                    value += thai.at(value.size() % thai.size());
                const QString column = QLatin1String(col.name);
                c.execute(Statement{QStringLiteral("DELETE FROM %1").arg(QLatin1String(t.name))});
                c.execute(Statement{insertOne(t, column, value)});
                db::Rows r = c.select(Statement{
                    QStringLiteral("SELECT %1 FROM %2").arg(column, QLatin1String(t.name))});
                QVERIFY2(r.next(), t.name);
                QCOMPARE(r.text(column), value);
            }
        }
    }

    // Each key refuses a second row, also when the two differ only in letter case.
    void keysRefuseDuplicates_data()
    {
        QTest::addColumn<QString>("backend");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        const QList<QPair<const char *, QPair<QString, QString>>> rows = {
            {"Doc_PK",
             {QStringLiteral("INSERT INTO Main_Deega_Control (Doc_PK) VALUES ('QDTX2557/00001')"),
              QStringLiteral("INSERT INTO Main_Deega_Control (Doc_PK) VALUES ('qdtx2557/00001')")}},
            {"Fiscal_Year+FI_Doc_No",
             {QStringLiteral(
                  "INSERT INTO M_Imp_ERP (Fiscal_Year, FI_Doc_No) VALUES ('2017', '3100000012')"),
              QStringLiteral(
                  "INSERT INTO M_Imp_ERP (Fiscal_Year, FI_Doc_No) VALUES ('2017', '3100000012')")}},
            {"D_YYYYMMDD",
             {QStringLiteral("INSERT INTO TR_Day_Calendar (D_YYYYMMDD) VALUES ('25550101')"),
              QStringLiteral("INSERT INTO TR_Day_Calendar (D_YYYYMMDD) VALUES ('25550101')")}},
            {"Year_S",
             {QStringLiteral("INSERT INTO TR_Deega_Runno (Year_S, Runno) VALUES ('2557', 1)"),
              QStringLiteral("INSERT INTO TR_Deega_Runno (Year_S, Runno) VALUES ('2557', 1)")}},
            {"UserName",
             {QStringLiteral(
                  "INSERT INTO TR_User (UserName, Password, U_Level) VALUES ('Admin', 'a', 9)"),
              QStringLiteral(
                  "INSERT INTO TR_User (UserName, Password, U_Level) VALUES ('ADMIN', 'b', 4)")}},
        };
        for (const QString &b : {QStringLiteral("sqlite"), QStringLiteral("postgresql")}) {
            for (const auto &[name, pair] : rows)
                QTest::newRow(qPrintable(b + QLatin1Char(' ') + QLatin1String(name)))
                    << b << pair.first << pair.second;
        }
    }
    void keysRefuseDuplicates()
    {
        QFETCH(QString, backend);
        QFETCH(QString, first);
        QFETCH(QString, second);
        REQUIRE_BACKEND(backend);
        TestCatalog catalog(backend);
        db::Connection &c = catalog.connection();
        c.execute(Statement{first});
        QVERIFY_THROWS_EXCEPTION(db::Error, c.execute(Statement{second}));
    }

    void keyOfTwoColumnsAllowsOtherPairs_data() { TestCatalog::addBackendRows(); }
    void keyOfTwoColumnsAllowsOtherPairs()
    {
        QFETCH(QString, backend);
        REQUIRE_BACKEND(backend);
        TestCatalog catalog(backend);
        db::Connection &c = catalog.connection();
        c.execute(Statement{QStringLiteral(
            "INSERT INTO M_Imp_ERP (Fiscal_Year, FI_Doc_No) VALUES ('2016', '3100000012')")});
        c.execute(Statement{QStringLiteral(
            "INSERT INTO M_Imp_ERP (Fiscal_Year, FI_Doc_No) VALUES ('2017', '3100000012')")});
        QCOMPARE(count(c, QStringLiteral("M_Imp_ERP")), 2);
    }

    void dateTimeColumnsAreKnown()
    {
        QVERIFY(schema::isDateTimeColumn(u"Date_Ent_Asign"));
        QVERIFY(schema::isDateTimeColumn(u"date_ent_nud_rec_cheq"));
        QVERIFY(!schema::isDateTimeColumn(u"DocNoDate"));
        QVERIFY(schema::findTable(u"main_deega_control") != nullptr);
        QVERIFY(schema::findTable(u"Nothing") == nullptr);
    }
};

QTEST_GUILESS_MAIN(TestSchema)
#include "tst_schema.moc"
