#include "HostileSheets.h"
#include "TestCatalog.h"
#include "core/Guarantee.h"
#include "core/ImportRows.h"
#include "data/Connection.h"
#include "data/Statement.h"
#include "data/TableText.h"
#include "data/schema.h"
#include "spreadsheet/Workbook.h"

#include <QMap>
#include <QTest>
#include <memory>

namespace {

QString fixture(const char *name)
{
    return QStringLiteral(VOSTREL_FIXTURES "/") + QLatin1String(name);
}

ImportPreview readFixture(ImportKind kind, const char *name)
{
    const auto sheet = spreadsheet::openWorkbook(fixture(name));
    return readPreview(kind, *sheet);
}

// A sheet made in the test, for the shapes the fixtures do not hold.
class Sheet final : public spreadsheet::WorkbookReader {
public:
    Sheet &set(int row, int col, const QString &text)
    {
        cells_.insert({row, col}, text);
        rows_ = std::max(rows_, row);
        cols_ = std::max(cols_, col);
        return *this;
    }
    QString cellText(int row, int col) const override { return cells_.value({row, col}); }
    int rowCount() const override { return rows_; }
    int columnCount() const override { return cols_; }

private:
    QMap<QPair<int, int>, QString> cells_;
    int rows_ = 0;
    int cols_ = 0;
};

// A sheet row filled with a marker text in every column the import reads.
void fillRow(Sheet &sheet, ImportKind kind, int row, const QString &text)
{
    for (const ImportColumn &c : importLayoutOf(kind).columns) {
        if (c.sheetCol > 0)
            sheet.set(row, c.sheetCol, text);
    }
    sheet.set(row, importLayoutOf(kind).endCol, text);
}

// A preview row with the given cells (cell 0 the running number), the rest empty.
QStringList row(ImportKind kind, const QMap<int, QString> &cells)
{
    QStringList out(importLayoutOf(kind).columns.size());
    out[0] = QStringLiteral("1");
    for (auto it = cells.cbegin(); it != cells.cend(); ++it)
        out[it.key()] = it.value();
    return out;
}

QString one(db::Connection &c, const QString &sql, const QString &column)
{
    db::Rows rows = c.select(db::Statement{sql});
    if (!rows.next())
        return QStringLiteral("<no row>");
    return rows.isNull(column) ? QStringLiteral("<null>") : rows.text(column);
}

int count(db::Connection &c, const QString &table)
{
    db::Rows rows = c.select(db::Statement{QStringLiteral("SELECT COUNT(*) AS n FROM ") + table});
    rows.next();
    return int(rows.integer(QStringLiteral("n")));
}

QString doc(db::Connection &c, const QString &key, const QString &column)
{
    return one(c,
               QStringLiteral("SELECT ") + column +
                   QStringLiteral(" FROM Main_Deega_Control WHERE Doc_PK = '") + key +
                   QStringLiteral("'"),
               column);
}

void addDay(db::Connection &c, const QString &key, const QString &thaiDay, const QString &status,
            const QString &remark)
{
    c.execute(db::Statement{
        QStringLiteral("INSERT INTO TR_Day_Calendar (D_YYYYMMDD, Eng_Day, Thai_Day, Name_Day, "
                       "Day_Status, Day_Remark) VALUES ('") +
        key + QStringLiteral("', '', '") + thaiDay + QStringLiteral("', '', '") + status +
        QStringLiteral("', '") + remark + QStringLiteral("')")});
}

QString day(db::Connection &c, const QString &thaiDay, const QString &column)
{
    return one(c,
               QStringLiteral("SELECT ") + column +
                   QStringLiteral(" FROM TR_Day_Calendar WHERE Thai_Day = '") + thaiDay +
                   QStringLiteral("'"),
               column);
}

} // namespace

class TestImportRows : public QObject {
    Q_OBJECT

private slots:
    void erpDate_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("expected");
        QTest::newRow("two-digit day and month") << "13.10.2016" << true << "13/10/2559";
        QTest::newRow("one-digit day and month") << "1.2.2017" << true << "01/02/2560";
        QTest::newRow("one-digit day") << "5.11.2016" << true << "05/11/2559";
        QTest::newRow("zero-filled") << "05.10.2016" << true << "05/10/2559";
        QTest::newRow("blanks around") << " 30.9.2016 " << true << "30/09/2559";
        QTest::newRow("time after a blank") << "13.10.2016 10:00:00" << true << "13/10/2559";
        QTest::newRow("empty") << "" << false << "";
        QTest::newRow("blanks only") << "   " << false << "";
        QTest::newRow("date cell text") << "13/10/2559" << false << "";
        QTest::newRow("ISO text") << "2016-10-13" << false << "";
        QTest::newRow("letters in the year") << "13.10.20x6" << false << "";
        QTest::newRow("two-digit year") << "13.10.16" << false << "";
        QTest::newRow("five-digit year") << "13.10.20161" << false << "";
        QTest::newRow("three-digit day") << "113.10.2016" << false << "";
        QTest::newRow("no such day") << "31.2.2017" << false << "";
        QTest::newRow("month 13") << "1.13.2017" << false << "";
        QTest::newRow("one dot") << "13.102016" << false << "";
    }
    void erpDate()
    {
        QFETCH(QString, text);
        QFETCH(bool, ok);
        QFETCH(QString, expected);
        QString out = QStringLiteral("untouched");
        QCOMPARE(erpDateText(text, out), ok);
        QCOMPARE(out, ok ? expected : QStringLiteral("untouched"));
    }

    // The read ends at the first empty end-column cell, whatever follows it.
    void readEnd_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QList<int>>("filledRows");
        QTest::addColumn<int>("expectedRows");
        const QList<std::pair<ImportKind, const char *>> kinds{
            {ImportKind::Kvsis, "kvsis"}, {ImportKind::StopDays, "stop"}, {ImportKind::Erp, "erp"}};
        for (const auto &[kind, name] : kinds) {
            const int first = importLayoutOf(kind).firstRow;
            QTest::addRow("%s%s", name, ": empty sheet") << int(kind) << QList<int>{} << 0;
            QTest::addRow("%s%s", name, ": first row empty")
                << int(kind) << QList<int>{first + 1, first + 2} << 0;
            QTest::addRow("%s%s", name, ": gap")
                << int(kind) << QList<int>{first, first + 1, first + 3} << 2;
            QTest::addRow("%s%s", name, ": rows above the first are headings")
                << int(kind) << QList<int>{first - 1, first} << 1;
        }
    }
    void readEnd()
    {
        QFETCH(int, kind);
        QFETCH(QList<int>, filledRows);
        QFETCH(int, expectedRows);
        const auto k = ImportKind(kind);
        Sheet sheet;
        for (int r : filledRows) {
            fillRow(sheet, k, r, QStringLiteral("x"));
            if (k == ImportKind::Erp) {
                for (int c : {4, 7, 8})
                    sheet.set(r, c, QStringLiteral("1.1.2017"));
            }
        }
        const ImportPreview preview = readPreview(k, sheet);
        QCOMPARE(preview.error, QString());
        QCOMPARE(preview.rows.size(), expectedRows);
        for (int i = 0; i < expectedRows; ++i)
            QCOMPARE(preview.rows[i].at(0), QString::number(i + 1));
    }

    // Every cut column keeps the first characters up to its maximum, in every import.
    void cuts_data()
    {
        QTest::addColumn<int>("kind");
        QTest::newRow("kvsis") << int(ImportKind::Kvsis);
        QTest::newRow("stop days") << int(ImportKind::StopDays);
        QTest::newRow("erp") << int(ImportKind::Erp);
    }
    void cuts()
    {
        QFETCH(int, kind);
        const auto k = ImportKind(kind);
        const ImportLayout &layout = importLayoutOf(k);
        QString longText;
        for (int i = 0; i < 400; ++i)
            longText += QChar(u'ก' + i % 40);
        Sheet sheet;
        fillRow(sheet, k, layout.firstRow, QStringLiteral("  ") + longText);
        if (k == ImportKind::Erp)
            sheet.set(layout.firstRow, 4, QStringLiteral("1.1.2017"))
                .set(layout.firstRow, 7, QString(12, u' '))
                .set(layout.firstRow, 8, QStringLiteral("2.1.2017"));
        const ImportPreview preview = readPreview(k, sheet);
        QCOMPARE(preview.error, QString());
        QCOMPARE(preview.rows.size(), 1);
        const QStringList &cells = preview.rows[0];
        QCOMPARE(cells.size(), layout.columns.size());
        for (qsizetype i = 1; i < layout.columns.size(); ++i) {
            const ImportColumn &c = layout.columns[i];
            const QString raw = sheet.cellText(layout.firstRow, c.sheetCol);
            switch (c.take) {
            case ImportTake::Cut:
                QCOMPARE(cells[i], raw.left(c.maxChars));
                break;
            case ImportTake::Trim:
                QCOMPARE(cells[i], longText);
                break;
            default:
                break;
            }
        }
        if (k == ImportKind::Erp) {
            QCOMPARE(cells[2], QStringLiteral("01/01/2560"));
            QCOMPARE(cells[5], QString(10, u' ')); // blanks kept, cut to 10
            QCOMPARE(cells[6], QStringLiteral("02/01/2560"));
        }
    }

    void kvsisFixture()
    {
        const ImportPreview p = readFixture(ImportKind::Kvsis, "kvsis.xls");
        QCOMPARE(p.error, QString());
        QStringList keys;
        for (const QStringList &r : p.rows)
            keys << r[2];
        QCOMPARE(keys, (QStringList{"QDTX2556/00002", "QDTX2556/00003", "QDTX2556/00004",
                                    "QDTX2556/00002", "QDTX2556/00005"}));
        QCOMPARE(p.rows[0][3], QStringLiteral("2/1/2556 10:02:00"));
        QCOMPARE(p.rows[0][11], QStringLiteral("15/1/2556 14:30:45"));
        QCOMPARE(p.rows[0][13], QStringLiteral("4"));
        QCOMPARE(p.rows[1][11], QString());
        QCOMPARE(p.rows[2][4], QStringLiteral("2017"));
        // The over-long subject keeps its first 250 characters.
        const auto sheet = spreadsheet::openWorkbook(fixture("kvsis.xls"));
        QVERIFY(sheet->cellText(3, 8).size() > 250);
        QCOMPARE(p.rows[1][7], sheet->cellText(3, 8).left(250));
    }

    void stopDaysFixture()
    {
        const ImportPreview p = readFixture(ImportKind::StopDays, "stopdays.xls");
        QCOMPARE(p.error, QString());
        QCOMPARE(p.rows.size(), 5);
        QCOMPARE(p.rows[0].mid(1),
                 (QStringList{"03/01/2555", QStringLiteral("วันหยุดชดเชยวันขึ้นปีใหม่"), "S"}));
        QCOMPARE(p.rows[1][1], QStringLiteral("5/1/2555")); // taken as the sheet gives it
        QCOMPARE(p.rows[3][3], QStringLiteral("N"));
    }

    void erpFixture()
    {
        const ImportPreview p = readFixture(ImportKind::Erp, "erp.xls");
        QCOMPARE(p.error, QString());
        QCOMPARE(p.rows.size(), 3);
        const QStringList &a = p.rows[0];
        QCOMPARE(a[1], QStringLiteral("2017"));
        QCOMPARE(a[2], QStringLiteral("13/10/2559"));
        QCOMPARE(a[3], QStringLiteral("3100001234"));
        QCOMPARE(a[5], QStringLiteral("01/02/2560"));
        QCOMPARE(a[6], QStringLiteral("02/02/2560"));
        QCOMPARE(a[10].size(), 50);
        QCOMPARE(a[11].size(), 20);
        QCOMPARE(a[12], QStringLiteral("12500.5"));
        QCOMPARE(a[19], QStringLiteral("112"));
        const QStringList &b = p.rows[1];
        QCOMPARE(b[2], QStringLiteral("01/02/2560"));
        QCOMPARE(b[5], QString());
        QCOMPARE(b[6], QString());
        QCOMPARE(b[17], QStringLiteral("FUND02"));
        QCOMPARE(p.rows[2][2], QStringLiteral("30/09/2559"));
        QCOMPARE(p.rows[2][5], QStringLiteral("05/10/2559"));
    }

    // A date that cannot be converted stops the read at its row with a message naming it.
    void erpBadDate_data()
    {
        QTest::addColumn<int>("col");
        QTest::addColumn<QString>("text");
        QTest::newRow("empty posting date") << 4 << QString();
        QTest::newRow("posting date cell") << 4 << QStringLiteral("13/10/2559");
        QTest::newRow("clearing date not a date") << 7 << QStringLiteral("pending");
        QTest::newRow("payment date in the wrong form") << 8 << QStringLiteral("2017-02-02");
    }
    void erpBadDate()
    {
        QFETCH(int, col);
        QFETCH(QString, text);
        Sheet sheet;
        for (int r = 6; r <= 8; ++r) {
            sheet.set(r, 3, QStringLiteral("2017")).set(r, 5, QString::number(r));
            for (int c : {4, 7, 8})
                sheet.set(r, c, QStringLiteral("1.2.2017"));
        }
        sheet.set(7, col, text);
        const ImportPreview p = readPreview(ImportKind::Erp, sheet);
        QCOMPARE(p.rows.size(), 1);
        QVERIFY2(p.error.contains(QStringLiteral("แถวที่ 7")), qPrintable(p.error));
        QVERIFY(p.error.contains(QStringLiteral("คอลัมน์ ") + QChar(u'A' + col - 1)));
    }

    void kvsisSave_data() { TestCatalog::addBackendRows(); }
    void kvsisSave()
    {
        QFETCH(QString, backend);
        REQUIRE_BACKEND(backend);
        TestCatalog catalog(backend);
        db::Connection &c = catalog.connection();
        const ImportPreview p = readFixture(ImportKind::Kvsis, "kvsis.xls");
        QList<int> progress;
        ImportResult r;
        savePreview(ImportKind::Kvsis, c, p.rows, r, [&](int i) { progress << i; });
        QCOMPARE(progress, (QList<int>{1, 2, 3, 4, 5}));
        QCOMPARE(r.inserted, 4);
        QCOMPARE(r.updated, 1);
        QCOMPARE(r.skipped, 0);
        QCOMPARE(r.insertedKeys, (QStringList{"QDTX2556/00002", "QDTX2556/00003", "QDTX2556/00004",
                                              "QDTX2556/00005"}));
        QCOMPARE(r.updatedKeys, QStringList{"QDTX2556/00002"});
        QCOMPARE(count(c, "Main_Deega_Control"), 4);
        // The repeated key: the second row's values win.
        QCOMPARE(doc(c, "QDTX2556/00002", "DocNoDate"), QStringLiteral("5/1/2556 16:45:00"));
        QCOMPARE(doc(c, "QDTX2556/00002", "Date_Into_Fin"), QStringLiteral("5/1/2556 16:45:00"));
        QCOMPARE(doc(c, "QDTX2556/00002", "DocNoDate_YYYYMMDD"), QStringLiteral("25560105"));
        QCOMPARE(doc(c, "QDTX2556/00002", "Modified_Date_YYYYMMDD"), QStringLiteral("25560120"));
        QCOMPARE(doc(c, "QDTX2556/00002", "IS_Rec_Cheq"), QStringLiteral("N"));
        QCOMPARE(doc(c, "QDTX2556/00002", "IS_Success"), QStringLiteral("N"));
        QCOMPARE(doc(c, "QDTX2556/00002", "DovPriLevelName"), QStringLiteral("ปกติ"));
        // A document still in the division: empty exit date, key of the empty date.
        QCOMPARE(doc(c, "QDTX2556/00003", "Modified_Date"), QString());
        QCOMPARE(doc(c, "QDTX2556/00003", "Modified_Date_YYYYMMDD"), QStringLiteral("0000"));
        QCOMPARE(doc(c, "QDTX2556/00003", "DocNoDate_YYYYMMDD"), QStringLiteral("25560103"));
        QCOMPARE(doc(c, "QDTX2556/00003", "Topic"), p.rows[1][7]);
        QCOMPARE(doc(c, "QDTX2556/00003", "Topic").size(), 250);
        QCOMPARE(doc(c, "QDTX2556/00004", "DocNo"), QStringLiteral("QDTX2556/00004"));

        // The same preview again finds every key.
        ImportResult again;
        savePreview(ImportKind::Kvsis, c, p.rows, again);
        QCOMPARE(again.inserted, 0);
        QCOMPARE(again.updated, 5);
        QCOMPARE(count(c, "Main_Deega_Control"), 4);
    }

    // A document keyed in before the export keeps the division's stages; its entry date is
    // set back to the registration date.
    void kvsisKeepsStages_data() { TestCatalog::addBackendRows(); }
    void kvsisKeepsStages()
    {
        QFETCH(QString, backend);
        REQUIRE_BACKEND(backend);
        TestCatalog catalog(backend);
        db::Connection &c = catalog.connection();
        c.execute(db::Statement{
            "INSERT INTO Main_Deega_Control (Doc_PK, Per_Code, KumDeega_No, Company_Rec_Cheq,",
            " Remark1, DocType_Code, Date_Ent_Asign, Date_Into_Fin, IS_Rec_Cheq, IS_Success,",
            " Deega_No)",
            "VALUES ('QDTX2556/00003', '07', 'K-12', 'บริษัท ก', 'ด่วน', '03', CURRENT_TIMESTAMP,",
            " '20/01/2556', 'A', 'S', '123/2556')"});
        ImportResult r;
        savePreview(ImportKind::Kvsis, c, readFixture(ImportKind::Kvsis, "kvsis.xls").rows, r);
        QCOMPARE(r.updatedKeys, (QStringList{"QDTX2556/00003", "QDTX2556/00002"}));
        const QString k = QStringLiteral("QDTX2556/00003");
        QCOMPARE(doc(c, k, "Per_Code"), QStringLiteral("07"));
        QCOMPARE(doc(c, k, "KumDeega_No"), QStringLiteral("K-12"));
        QCOMPARE(doc(c, k, "Company_Rec_Cheq"), QStringLiteral("บริษัท ก"));
        QCOMPARE(doc(c, k, "Remark1"), QStringLiteral("ด่วน"));
        QCOMPARE(doc(c, k, "DocType_Code"), QStringLiteral("03"));
        QCOMPARE(doc(c, k, "Deega_No"), QStringLiteral("123/2556"));
        QVERIFY(doc(c, k, "Date_Ent_Asign") != QStringLiteral("<null>"));
        QCOMPARE(doc(c, k, "IS_Rec_Cheq"), QStringLiteral("A"));
        QCOMPARE(doc(c, k, "IS_Success"), QStringLiteral("S"));
        QCOMPARE(doc(c, k, "Date_Into_Fin"), QStringLiteral("3/1/2556 9:05:07"));
        QCOMPARE(doc(c, k, "DovPriLevelName"), QStringLiteral("<null>")); // not on update
        QCOMPARE(doc(c, k, "Doc_Stat"), QStringLiteral("ระหว่างดำเนินการ"));
    }

    // A voucher sheet that carries guarantee keys (at character 5 or 7) saves its good rows and
    // leaves every guarantee document, present or future, as it was.
    void kvsisNeverTouchesGuarantees_data() { TestCatalog::addBackendRows(); }
    void kvsisNeverTouchesGuarantees()
    {
        QFETCH(QString, backend);
        REQUIRE_BACKEND(backend);
        TestCatalog catalog(backend);
        db::Connection &c = catalog.connection();
        guarantee::Form form;
        form.fromSite = QStringLiteral("บริษัท ค้ำประกัน");
        form.topic = QStringLiteral("สัญญาเดิม");
        QCOMPARE(guarantee::saveNew(c, form, QStringLiteral("01/02/2569")),
                 QStringLiteral("2569ส0000001"));
        const QList<QStringList> rows = {
            row(ImportKind::Kvsis, {{2, "QDTX2569/00001"}, {7, "ฎีกา"}, {13, "2"}}),
            row(ImportKind::Kvsis, {{2, "2569ส0000001"}, {7, "ทับ"}, {13, "4"}}),
            row(ImportKind::Kvsis, {{2, "2569ส0000005"}, {7, "ในอนาคต"}, {13, "4"}}),
            row(ImportKind::Kvsis, {{2, "256901ส0000009"}, {7, "รูปแบบเดิม"}, {13, "4"}})};
        ImportResult r;
        savePreview(ImportKind::Kvsis, c, rows, r);
        QCOMPARE(r.inserted, 1);
        QCOMPARE(r.updated, 0);
        QCOMPARE(r.refused, 3);
        QCOMPARE(r.refusedKeys, (QStringList{"2569ส0000001", "2569ส0000005", "256901ส0000009"}));
        QCOMPARE(doc(c, "2569ส0000001", "Topic"), QStringLiteral("สัญญาเดิม"));
        QCOMPARE(doc(c, "2569ส0000001", "DocStatus"), QStringLiteral("3"));
        QCOMPARE(count(c, "Main_Deega_Control"), 2);
        QVERIFY(completionText(ImportKind::Kvsis, r)
                    .contains(QStringLiteral("ไม่ได้บันทึก 3 แถว\n- 3 แถว: เลขที่เอกสารเป็นของเอกสาร"
                                             "เงินประกันสัญญา")));
        // The next guarantee numbers go on as before.
        QCOMPARE(guarantee::saveNew(c, form, QStringLiteral("01/02/2569")),
                 QStringLiteral("2569ส0000002"));
    }

    // The statements go out line for line, every text value quoted with its quotes doubled.
    void statements()
    {
        TestCatalog catalog(QStringLiteral("sqlite"));
        db::Connection &c = catalog.connection();
        QStringList sent;
        c.setObserver([&](const QString &s) { sent << s; });

        const QStringList kv = row(ImportKind::Kvsis, {{1, "ปกติ"},
                                                       {2, "QDTX2556/00009"},
                                                       {3, "2/1/2556 10:02:00"},
                                                       {4, "ศธ 1"},
                                                       {5, "25/12/2555"},
                                                       {6, "กอง"},
                                                       {7, "O'Neil"},
                                                       {8, "ผอ."},
                                                       {9, "site"},
                                                       {10, "stat"},
                                                       {11, ""},
                                                       {12, "Item"},
                                                       {13, "4"}});
        ImportResult r;
        savePreview(ImportKind::Kvsis, c, {kv, kv}, r);
        const QString lookup = "Select * From  Main_Deega_Control\nWhere (Doc_PK='QDTX2556/00009')";
        const QString insert = "INSERT INTO  Main_Deega_Control\n"
                               "(DovPriLevelName, Doc_PK, DocNo\n"
                               ", DocNoDate, DocNumber, DocDate\n"
                               ", From_Unit, Topic, To_Who\n"
                               ", FromSite, Doc_Stat, Modified_Date\n"
                               ", Item_Type, DocStatus, Date_Into_Fin\n"
                               ", DocNoDate_YYYYMMDD, Modified_Date_YYYYMMDD\n"
                               ", IS_Rec_Cheq, IS_Success )\n"
                               "VALUES ('ปกติ','QDTX2556/00009','QDTX2556/00009'\n"
                               ",'2/1/2556 10:02:00','ศธ 1','25/12/2555'\n"
                               ",'กอง','O''Neil','ผอ.'\n"
                               ",'site','stat',''\n"
                               ",'Item','4','2/1/2556 10:02:00'\n"
                               ",'25560102', '0000'\n"
                               ",'N','N')";
        const QString update = "UPDATE Main_Deega_Control\n"
                               "SET  DocNo='QDTX2556/00009',DocNoDate='2/1/2556 10:02:00'\n"
                               ",DocNumber = 'ศธ 1', DocDate = '25/12/2555', From_Unit ='กอง'\n"
                               ", Topic = 'O''Neil', To_Who = 'ผอ.', FromSite = 'site'\n"
                               ", Doc_Stat = 'stat', Modified_Date = '', Item_Type = 'Item'\n"
                               ", DocNoDate_YYYYMMDD='25560102', Modified_Date_YYYYMMDD='0000'\n"
                               ", DocStatus = '4', Date_Into_Fin='2/1/2556 10:02:00'\n"
                               "WHERE  (Doc_PK='QDTX2556/00009')";
        QCOMPARE(sent, (QStringList{lookup, insert, lookup, update}));
        QCOMPARE(doc(c, "QDTX2556/00009", "Topic"), QStringLiteral("O'Neil"));

        sent.clear();
        addDay(c, "25550103", "03/01/2555", "N", "");
        sent.clear();
        const QStringList sd =
            row(ImportKind::StopDays, {{1, "03/01/2555"}, {2, "วันหยุด 'พิเศษ'"}, {3, "S"}});
        const QStringList missing =
            row(ImportKind::StopDays, {{1, "3/1/2555"}, {2, "x"}, {3, "S"}});
        savePreview(ImportKind::StopDays, c, {sd, missing}, r);
        QCOMPARE(sent,
                 (QStringList{"SELECT *\nFROM TR_Day_Calendar\nWhere Thai_Day = '03/01/2555'",
                              "UPDATE TR_Day_Calendar\nSET Day_Status = 'S'\n"
                              ",Day_Remark = 'วันหยุด ''พิเศษ'''\n"
                              "Where Thai_Day = '03/01/2555'",
                              "SELECT *\nFROM TR_Day_Calendar\nWhere Thai_Day = '3/1/2555'"}));
        QCOMPARE(day(c, "03/01/2555", "Day_Remark"), QStringLiteral("วันหยุด 'พิเศษ'"));

        sent.clear();
        QStringList erp;
        for (int i = 0; i < 20; ++i)
            erp << QStringLiteral("c%1").arg(i);
        erp[1] = QStringLiteral("2017");
        erp[3] = QStringLiteral("31'00");
        savePreview(ImportKind::Erp, c, {erp, erp}, r);
        const QString erpLookup =
            "Select * From  M_Imp_ERP\n WHERE Fiscal_Year = '2017' and FI_Doc_No = '31''00'";
        const QString erpInsert = "INSERT INTO M_Imp_ERP\n"
                                  "( Fiscal_Year, FI_Doc_No, Posting_Date\n"
                                  ", Check_No, Clearing_Date, Pay_date\n"
                                  ", Clearing_Doc, Deka_Number, Deka_Status\n"
                                  ", Vendor_Name, Description_Erp, Fund_ERP\n"
                                  ", Functional_Area ) \n"
                                  "VALUES\n"
                                  "('2017','31''00','c2'\n"
                                  ",'c4','c5','c6'\n"
                                  ",'c7','c8','c9'\n"
                                  ",'c10','c11','c17'\n"
                                  ",'c18')";
        const QString erpUpdate = "UPDATE M_Imp_ERP\n"
                                  "SET Posting_Date  = 'c2', Check_No = 'c4'\n"
                                  ", Clearing_Date = 'c5', Pay_date  = 'c6'\n"
                                  ", Clearing_Doc = 'c7', Deka_Number = 'c8'\n"
                                  ", Deka_Status = 'c9', Vendor_Name = 'c10'\n"
                                  ", Description_Erp = 'c11', Fund_ERP = 'c17'\n"
                                  ", Functional_Area = 'c18'\n"
                                  " WHERE Fiscal_Year = '2017' and FI_Doc_No = '31''00'";
        QCOMPARE(sent, (QStringList{erpLookup, erpInsert, erpLookup, erpUpdate}));
    }

    // A row without its key is never written, in any import; the rest are.
    void skipsEmptyKeys_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QStringList>("emptyKeyRow");
        QTest::addColumn<QStringList>("goodRow");
        QTest::newRow("kvsis: no document number")
            << int(ImportKind::Kvsis)
            << row(ImportKind::Kvsis, {{1, "ปกติ"}, {2, "  "}, {3, "2/1/2556"}})
            << row(ImportKind::Kvsis, {{2, "QDTX2556/00001"}, {3, "2/1/2556"}});
        QTest::newRow("stop days: no date")
            << int(ImportKind::StopDays) << row(ImportKind::StopDays, {{2, "x"}, {3, "S"}})
            << row(ImportKind::StopDays, {{1, "03/01/2555"}, {3, "S"}});
        QTest::newRow("erp: no FI number")
            << int(ImportKind::Erp) << row(ImportKind::Erp, {{1, "2017"}, {2, "01/02/2560"}})
            << row(ImportKind::Erp, {{1, "2017"}, {3, "3100000001"}});
        QTest::newRow("erp: no fiscal year")
            << int(ImportKind::Erp) << row(ImportKind::Erp, {{3, "3100000001"}})
            << row(ImportKind::Erp, {{1, "2017"}, {3, "3100000001"}});
        QTest::newRow("erp: empty row") << int(ImportKind::Erp) << row(ImportKind::Erp, {})
                                        << row(ImportKind::Erp, {{1, "2017"}, {3, "31"}});
    }
    void skipsEmptyKeys()
    {
        QFETCH(int, kind);
        QFETCH(QStringList, emptyKeyRow);
        QFETCH(QStringList, goodRow);
        TestCatalog catalog(QStringLiteral("sqlite"));
        db::Connection &c = catalog.connection();
        addDay(c, "25550103", "03/01/2555", "N", "");
        QStringList sent;
        c.setObserver([&](const QString &s) { sent << s; });
        QList<int> progress;
        ImportResult r;
        savePreview(ImportKind(kind), c, {emptyKeyRow, goodRow, emptyKeyRow}, r,
                    [&](int i) { progress << i; });
        QCOMPARE(r.skipped, 2);
        QCOMPARE(r.inserted + r.updated, 1);
        QCOMPARE(sent.size(), 2); // the good row's lookup and write only
        QCOMPARE(progress, (QList<int>{1, 2, 3}));
        QCOMPARE(count(c, "Main_Deega_Control") + count(c, "M_Imp_ERP"),
                 ImportKind(kind) == ImportKind::StopDays ? 0 : 1);

        ImportResult none;
        sent.clear();
        savePreview(ImportKind(kind), c, {}, none);
        QCOMPARE(sent, QStringList());
        QCOMPARE(none.skipped + none.inserted + none.updated + none.notFound, 0);
    }

    // A failing statement ends the save there; the rows before it stay saved and reported.
    void failureKeepsEarlierRows_data() { TestCatalog::addBackendRows(); }
    void failureKeepsEarlierRows()
    {
        QFETCH(QString, backend);
        REQUIRE_BACKEND(backend);
        TestCatalog catalog(backend);
        db::Connection &c = catalog.connection();
        int inserts = 0;
        c.setObserver([&](const QString &s) {
            if (s.startsWith(QLatin1String("INSERT")) && ++inserts == 3)
                throw db::Error(QStringLiteral("server gone"));
        });
        const ImportPreview p = readFixture(ImportKind::Erp, "erp.xls");
        ImportResult r;
        QVERIFY_THROWS_EXCEPTION(db::Error, savePreview(ImportKind::Erp, c, p.rows, r));
        c.setObserver({});
        QCOMPARE(r.inserted, 2);
        QCOMPARE(r.insertedKeys, (QStringList{"2017 3100001234", "2017 3100001235"}));
        QCOMPARE(count(c, "M_Imp_ERP"), 2);
    }

    void stopDaysSave_data() { TestCatalog::addBackendRows(); }
    void stopDaysSave()
    {
        QFETCH(QString, backend);
        REQUIRE_BACKEND(backend);
        TestCatalog catalog(backend);
        db::Connection &c = catalog.connection();
        addDay(c, "25550103", "03/01/2555", "N", "");
        addDay(c, "25550105", "05/01/2555", "N", "");
        addDay(c, "25550409", "09/04/2555", "N", "");
        addDay(c, "25551231", "31/12/2555", "S", QStringLiteral("วันสิ้นปี"));
        const ImportPreview p = readFixture(ImportKind::StopDays, "stopdays.xls");
        ImportResult r;
        savePreview(ImportKind::StopDays, c, p.rows, r);
        QCOMPARE(r.updated, 3);
        QCOMPARE(r.notFound, 2);
        QCOMPARE(r.notFoundKeys, (QStringList{p.rows[1][1] + " " + p.rows[1][2],
                                              p.rows[4][1] + " " + p.rows[4][2]}));
        QVERIFY(r.notFoundKeys[0].startsWith(QLatin1String("5/1/2555 ")));
        QCOMPARE(day(c, "03/01/2555", "Day_Status"), QStringLiteral("S"));
        QCOMPARE(day(c, "03/01/2555", "Day_Remark"), p.rows[0][2]);
        QCOMPARE(day(c, "05/01/2555", "Day_Status"),
                 QStringLiteral("N")); // 5/1/2555 matched nothing
        // Status N makes a marked day a working day again and replaces its remark.
        QCOMPARE(day(c, "31/12/2555", "Day_Status"), QStringLiteral("N"));
        QCOMPARE(day(c, "31/12/2555", "Day_Remark"), p.rows[3][2]);
    }

    void erpSave_data() { TestCatalog::addBackendRows(); }
    void erpSave()
    {
        QFETCH(QString, backend);
        REQUIRE_BACKEND(backend);
        TestCatalog catalog(backend);
        db::Connection &c = catalog.connection();
        const ImportPreview p = readFixture(ImportKind::Erp, "erp.xls");
        ImportResult r;
        savePreview(ImportKind::Erp, c, p.rows, r);
        QCOMPARE(r.inserted, 3);
        const auto erp = [&](const char *fi, const char *column) {
            return one(c,
                       QStringLiteral("SELECT ") + column +
                           " FROM M_Imp_ERP WHERE Fiscal_Year = '2017' AND FI_Doc_No = '" + fi +
                           "'",
                       column);
        };
        QCOMPARE(erp("3100001234", "Posting_Date"), QStringLiteral("13/10/2559"));
        QCOMPARE(erp("3100001234", "Pay_date"), QStringLiteral("02/02/2560"));
        QCOMPARE(erp("3100001234", "Vendor_Name"), p.rows[0][10]);
        QCOMPARE(erp("3100001234", "Description_Erp").size(), 20);
        QCOMPARE(erp("3100001234", "Fund_ERP"), QStringLiteral("FUND01"));
        QCOMPARE(erp("3100001235", "Clearing_Date"), QString());
        QCOMPARE(erp("3100001235", "Fund_ERP"), QStringLiteral("FUND02"));

        ImportResult again;
        savePreview(ImportKind::Erp, c, p.rows, again);
        QCOMPARE(again.inserted, 0);
        QCOMPARE(again.updated, 3);
        QCOMPARE(count(c, "M_Imp_ERP"), 3);
    }

    // The export saved as .xlsx stores exactly the rows its .xls stores: the same preview (the
    // read ending at the same empty key cell), the same result, the same table afterwards.
    void xlsxStoresAsXls_data()
    {
        QTest::addColumn<QString>("backend");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("name");
        for (const QString &backend : {QStringLiteral("sqlite"), QStringLiteral("postgresql")}) {
            QTest::addRow("%s: kvsis", qPrintable(backend))
                << backend << int(ImportKind::Kvsis) << "kvsis";
            QTest::addRow("%s: stop days", qPrintable(backend))
                << backend << int(ImportKind::StopDays) << "stopdays";
            QTest::addRow("%s: erp", qPrintable(backend))
                << backend << int(ImportKind::Erp) << "erp";
        }
    }
    void xlsxStoresAsXls()
    {
        QFETCH(QString, backend);
        QFETCH(int, kind);
        QFETCH(QString, name);
        REQUIRE_BACKEND(backend);
        const auto k = ImportKind(kind);
        const schema::Table *table = schema::findTable(importLayoutOf(k).table);
        QVERIFY(table);
        QList<ImportPreview> previews;
        QList<ImportResult> results;
        QList<QByteArray> tables;
        for (const QString &file : QStringList{name + ".xls", name + ".xlsx"}) {
            TestCatalog catalog(backend);
            db::Connection &c = catalog.connection();
            if (k == ImportKind::StopDays) {
                addDay(c, "25550103", "03/01/2555", "N", "");
                addDay(c, "25551231", "31/12/2555", "S", QStringLiteral("วันสิ้นปี"));
            }
            previews << readPreview(
                k, *spreadsheet::openWorkbook(fixture(file.toLatin1().constData())));
            results.append(ImportResult());
            savePreview(k, c, previews.last().rows, results.last());
            tables << table_text::dump(c, *table, table_text::Encoding::Utf8);
        }
        QCOMPARE(previews[0].error, QString());
        QVERIFY(previews[0].rows.size() >= 3);
        QCOMPARE(previews[1].error, previews[0].error);
        QCOMPARE(previews[1].rows, previews[0].rows);
        QCOMPARE(results[1].insertedKeys, results[0].insertedKeys);
        QCOMPARE(results[1].updatedKeys, results[0].updatedKeys);
        QCOMPARE(results[1].notFoundKeys, results[0].notFoundKeys);
        QCOMPARE(results[1].skipped, results[0].skipped);
        QCOMPARE(tables[1], tables[0]);
        QVERIFY(tables[0].count('\n') >= 2);
    }

    // Every hostile text in every stored column, and a pair across every cut, saved twice (the
    // inserts, then the updates): each value arrives as its nearest valid text and nothing
    // else in the catalog moves.
    void hostileSheetsSave_data() { addHostileDataRows(); }
    void hostileSheetsSave()
    {
        QFETCH(QString, backend);
        QFETCH(int, kind);
        REQUIRE_BACKEND(backend);
        const auto k = ImportKind(kind);
        TestCatalog catalog(backend);
        db::Connection &c = catalog.connection();
        prepareHostileCatalog(c);
        const HostileSheet hostile = hostileSheet(k, false);
        Sheet sheet;
        for (auto it = hostile.cells.cbegin(); it != hostile.cells.cend(); ++it)
            sheet.set(it.key().first, it.key().second, it.value());

        const ImportPreview p = readPreview(k, sheet);
        QCOMPARE(p.error, QString());
        QCOMPARE(p.rows.size(), hostile.rows);
        for (int pass = 0; pass < 2; ++pass) {
            ImportResult result;
            savePreview(k, c, p.rows, result);
            QCOMPARE(result.inserted + result.updated, hostile.rows - hostile.notFound);
            QCOMPARE(result.notFound, hostile.notFound);
            QCOMPARE(hostileDifferences(c, k, hostile), QStringList());
        }
    }

    // The key forms tell an import's own keys from another workbook's cells; what an export
    // really holds (blanks around, letter case, a time after a date) still fits.
    void keyForms_data()
    {
        QTest::addColumn<int>("form");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("fits");
        const int doc = int(KeyForm::DocumentKey);
        const int day = int(KeyForm::DayText);
        const int year = int(KeyForm::Year);
        QTest::newRow("document key") << doc << "QDTX2556/00002" << true;
        QTest::newRow("document key, lower case") << doc << "qdtx2556/00002" << true;
        QTest::newRow("document key, other prefix") << doc << "AB2560/123" << true;
        QTest::newRow("document key, no prefix") << doc << "2556/00002" << false;
        QTest::newRow("document key, two-digit year") << doc << "QDTX56/00002" << false;
        QTest::newRow("guarantee key") << doc << QStringLiteral("2557ส0000001") << false;
        QTest::newRow("holiday name as key") << doc << QStringLiteral("วันหยุดพิเศษ") << false;
        QTest::newRow("heading as key") << doc << QStringLiteral("เลขที่เอกสาร") << false;
        QTest::newRow("fiscal year as key") << doc << "2017" << false;
        QTest::newRow("day") << day << "03/01/2555" << true;
        QTest::newRow("day without zeros") << day << "5/1/2555" << true;
        QTest::newRow("day with dots") << day << "5.1.2012" << true;
        QTest::newRow("day with a time") << day << "2/1/2556 10:02:00" << true;
        QTest::newRow("day, two-digit year") << day << "05/01/55" << false;
        QTest::newRow("priority name as day") << day << QStringLiteral("ด่วนที่สุด") << false;
        QTest::newRow("document key as day") << day << "QDTX2556/00002" << false;
        QTest::newRow("year") << year << "2017" << true;
        QTest::newRow("year with decimals") << year << "2017.5" << false;
        QTest::newRow("document key as year") << year << "QDTX2556/00005" << false;
        QTest::newRow("empty") << year << "" << false;
    }
    void keyForms()
    {
        QFETCH(int, form);
        QFETCH(QString, text);
        QFETCH(bool, fits);
        QCOMPARE(keyFits(KeyForm(form), text), fits);
    }

    // Each fixture workbook is taken by its own import and refused by the other two, the
    // message naming the workbook the import expects.
    void fixturesInTheWrongImport_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("fits");
        const QList<std::pair<ImportKind, const char *>> kinds{{ImportKind::Kvsis, "kvsis"},
                                                               {ImportKind::StopDays, "stopdays"},
                                                               {ImportKind::Erp, "erp"}};
        for (const auto &[kind, name] : kinds) {
            for (const auto &[_, file] : kinds)
                QTest::addRow("%s import, %s.xls", name, file)
                    << int(kind) << QStringLiteral("%1.xls").arg(QLatin1String(file))
                    << (QLatin1String(file) == QLatin1String(name));
        }
    }
    void fixturesInTheWrongImport()
    {
        QFETCH(int, kind);
        QFETCH(QString, file);
        QFETCH(bool, fits);
        const auto sheet = spreadsheet::openWorkbook(fixture(file.toLatin1().constData()));
        const QString mismatch = sheetMismatch(ImportKind(kind), *sheet);
        QCOMPARE(mismatch.isEmpty(), fits);
        if (!fits) {
            const ImportSheetShape &shape = importLayoutOf(ImportKind(kind)).sheet;
            QVERIFY2(mismatch.contains(shape.name), qPrintable(mismatch));
            QVERIFY2(mismatch.contains(shape.keyExample), qPrintable(mismatch));
        }
    }

    // Made sheets: the headings row and the key column decide; one stray row does not.
    void sheetShapes_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QStringList>("cells"); // "row,col=text"
        QTest::addColumn<QString>("problem");   // a part of the message; empty: the sheet fits
        const int kv = int(ImportKind::Kvsis);
        const int sd = int(ImportKind::StopDays);
        const int erp = int(ImportKind::Erp);
        const QStringList kvHead{"1,3=DocNo", "1,4=DocNoDate"};
        QTest::newRow("kvsis: headings and keys")
            << kv << kvHead + QStringList{"2,3=QDTX2556/00002", "2,4=x"} << QString();
        QTest::newRow("kvsis: blanks around the key")
            << kv << kvHead + QStringList{"2,3=  QDTX2556/00002 ", "2,4=x"} << QString();
        QTest::newRow("kvsis: one stray key among documents")
            << kv
            << kvHead + QStringList{"2,3=" + QStringLiteral("รวม"), "2,4=x", "3,3=QDTX2556/00003",
                                    "3,4=x"}
            << QString();
        QTest::newRow("kvsis: headings, no rows") << kv << kvHead << QString();
        QTest::newRow("kvsis: no key looks like a document")
            << kv << kvHead + QStringList{"2,3=abc", "2,4=x", "3,3=", "3,4=x"}
            << QStringLiteral("ไม่มีแถวใดที่คอลัมน์ C เป็นเลขที่เอกสาร");
        QTest::newRow("kvsis: no heading over the registration date")
            << kv << QStringList{"1,3=DocNo", "2,3=QDTX2556/00002", "2,4=x"}
            << QStringLiteral("แถวที่ 1 คอลัมน์ D ควรเป็นหัวคอลัมน์ แต่ว่างอยู่");
        QTest::newRow("kvsis: documents from row 1")
            << kv << QStringList{"1,3=QDTX2556/00001", "1,4=x", "2,3=QDTX2556/00002", "2,4=x"}
            << QStringLiteral("แถวที่ 1 คอลัมน์ C ควรเป็นหัวคอลัมน์ แต่เป็นข้อมูล (QDTX2556/00001)");
        QTest::newRow("stop days: headings and a day")
            << sd << QStringList{"2,2=Date", "3,1=1", "3,2=5/1/2555"} << QString();
        QTest::newRow("stop days: holidays from row 2")
            << sd << QStringList{"2,1=1", "2,2=03/01/2555", "3,1=2", "3,2=04/01/2555"}
            << QStringLiteral("แถวที่ 2 คอลัมน์ B ควรเป็นหัวคอลัมน์ แต่เป็นข้อมูล");
        QTest::newRow("erp: headings and a year")
            << erp << QStringList{"4,3=Fiscal Year", "4,5=FI", "6,3= 2017 "} << QString();
        QTest::newRow("erp: no FI heading") << erp << QStringList{"4,3=Fiscal Year", "6,3=2017"}
                                            << QStringLiteral("แถวที่ 4 คอลัมน์ E");
        QTest::newRow("erp: years that are none")
            << erp << QStringList{"4,3=Fiscal Year", "4,5=FI", "6,3=2560/1", "7,3=FY"}
            << QStringLiteral("ไม่มีแถวใดที่คอลัมน์ C เป็นปีงบประมาณ");
    }
    void sheetShapes()
    {
        QFETCH(int, kind);
        QFETCH(QStringList, cells);
        QFETCH(QString, problem);
        Sheet sheet;
        for (const QString &c : cells) {
            const qsizetype comma = c.indexOf(u',');
            const qsizetype equals = c.indexOf(u'=');
            sheet.set(c.left(comma).toInt(), c.mid(comma + 1, equals - comma - 1).toInt(),
                      c.mid(equals + 1));
        }
        const QString mismatch = sheetMismatch(ImportKind(kind), sheet);
        if (problem.isEmpty())
            QCOMPARE(mismatch, QString());
        else
            QVERIFY2(mismatch.contains(problem), qPrintable(mismatch));
    }

    // The completion message: the fixed text alone when every row was saved, else followed by
    // the counts and the reasons.
    void completion_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QList<int>>("counts"); // inserted, updated, not found, skipped
        QTest::addColumn<QString>("expected");
        const QString saved = QStringLiteral("ทำการบันทึกข้อมูลเรียบร้อยแล้ว");
        QTest::newRow("all saved") << int(ImportKind::Kvsis) << QList<int>{4, 1, 0, 0} << saved;
        QTest::newRow("nothing at all") << int(ImportKind::Erp) << QList<int>{0, 0, 0, 0} << saved;
        QTest::newRow("holidays not in the calendar")
            << int(ImportKind::StopDays) << QList<int>{0, 3, 2, 0}
            << saved + QStringLiteral("\nบันทึก 3 แถว ไม่ได้บันทึก 2 แถว\n- 2 แถว: ไม่มีวันที่นั้นใน"
                                      "ปฏิทิน (ดูรายการ \"ข้อมูลที่ไม่ถูก Update\")");
        QTest::newRow("every holiday not found")
            << int(ImportKind::StopDays) << QList<int>{0, 0, 5, 1}
            << saved + QStringLiteral("\nบันทึก 0 แถว ไม่ได้บันทึก 6 แถว\n- 5 แถว: ไม่มีวันที่นั้นใน"
                                      "ปฏิทิน (ดูรายการ \"ข้อมูลที่ไม่ถูก Update\")\n- 1 แถว: ช่อง "
                                      "Date ว่าง");
        QTest::newRow("voucher without key")
            << int(ImportKind::Kvsis) << QList<int>{3, 1, 0, 1}
            << saved + QStringLiteral("\nบันทึก 4 แถว ไม่ได้บันทึก 1 แถว\n- 1 แถว: ช่อง DocNo ว่าง");
        QTest::newRow("erp without key")
            << int(ImportKind::Erp) << QList<int>{2, 0, 0, 2}
            << saved + QStringLiteral("\nบันทึก 2 แถว ไม่ได้บันทึก 2 แถว\n- 2 แถว: ช่อง Fiscal Year "
                                      "หรือ FI Doc. No. ว่าง");
    }
    void completion()
    {
        QFETCH(int, kind);
        QFETCH(QList<int>, counts);
        QFETCH(QString, expected);
        ImportResult r;
        r.inserted = counts[0];
        r.updated = counts[1];
        r.notFound = counts[2];
        r.skipped = counts[3];
        QCOMPARE(completionText(ImportKind(kind), r), expected);
    }
};

QTEST_GUILESS_MAIN(TestImportRows)
#include "tst_import_rows.moc"
