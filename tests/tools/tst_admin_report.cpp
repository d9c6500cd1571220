// `vostrel-admin report`: the grid and the workbook of each report screen for the same criteria,
// and the refusals that write nothing.

#include "PdfReadback.h"
#include "ToolRun.h"
#include "WorkflowFixture.h"
#include "XlsxReadback.h"
#include "admin/ReportCommand.h"
#include "core/Access.h"
#include "screens/calendar/URep_Day_Of_Year.h"
#include "screens/common/MaskEdit.h"
#include "screens/erp/URep_Day_Kolvet.h"
#include "screens/reports/URep_Deega_No_date.h"
#include "screens/reports/URep_Detail_Deega.h"
#include "screens/reports/URep_DivBy_DocType.h"

#include <QComboBox>
#include <QDir>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <map>

namespace {

QStringList words(const char *text)
{
    return QString::fromUtf8(text).split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

// Text words with spaces inside are joined by '+' in the case tables.
QStringList unplussed(QStringList list)
{
    for (QString &w : list)
        w.replace(QLatin1Char('+'), QLatin1Char(' '));
    return list;
}

ReportScreen *openReport(const QString &name, Session &s)
{
    if (name == QLatin1String("days-in-division"))
        return new TfrmRep_Deega_No_date(s);
    if (name == QLatin1String("movement"))
        return new TfrmRep_Detail_Deega(s);
    if (name == QLatin1String("by-doc-type"))
        return new TfrmRep_DivBy_DocType(s);
    if (name == QLatin1String("days-to-payment"))
        return new TfrmRep_Day_Kolvet(s);
    if (name == QLatin1String("calendar-of-year"))
        return new TfrmRep_Day_Of_Year(s);
    return nullptr;
}

// Rows of a table: the first line names the columns, '|' between cells; an empty cell stays
// null.
using Lines = std::initializer_list<const char *>;

void insertRows(db::Connection &c, const char *table, Lines lines)
{
    const QStringList columns = QString::fromUtf8(*lines.begin()).split(u'|');
    for (auto line = lines.begin() + 1; line != lines.end(); ++line) {
        const QStringList cells = QString::fromUtf8(*line).split(u'|');
        if (cells.size() != columns.size())
            qFatal("%s: %s", table, *line);
        QStringList names;
        QStringList values;
        for (qsizetype i = 0; i < columns.size(); ++i) {
            if (cells.value(i).isEmpty())
                continue;
            names << columns.at(i);
            values << u'\'' + db::sqlText(cells.at(i)) + u'\'';
        }
        c.execute(db::Statement{QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                    .arg(QLatin1String(table), names.join(QStringLiteral(", ")),
                                         values.join(QStringLiteral(", ")))});
    }
}

// Finished, waiting and followed-up documents of two officers and two types; padded texts and
// an apostrophe; ERP rows cleared in March and in April, and one not cleared.
const Lines Documents{
    "Doc_PK|DocNumber|DocDate|Topic|To_Who|FromSite|Doc_Stat|DocStatus|DocNoDate|"
    "DocNoDate_YYYYMMDD|Date_Into_Fin|Modified_Date|Modified_Date_YYYYMMDD|Per_Code|IS_Rec_Cheq|"
    "IS_Success|DocType_Code|Deega_No|SAP_Doc_No|SAP_Fiscal_Year",
    "QDTX2567/00001|อว 0604.05/1187 |29/02/2567| ขอเบิกค่าวัสดุ O'Brien  |ผู้อำนวยการกองคลัง|"
    "คณะวิศวกรรมศาสตร์|เสร็จสิ้นดำเนินการ|4|1/03/2567 09:15:00|25670301|01/03/2567|15/03/2567|"
    "25670315|01|A|S|01|ฎ100/2567|3100000001|2024",
    "QDTX2567/00002|อว 0604.11/0452|05/03/2567|ขอเบิกค่าจ้างเหมา|ผู้อำนวยการกองคลัง|สำนักหอสมุด|"
    "รอดำเนินการ|2|10/03/2567 10:00:00|25670310|10/03/2567|||02|N|N|02|||",
    "QDTX2567/00003|อว 0604.02/2210|20/03/2567|ขอเบิกค่าเดินทางไปราชการ|ผู้อำนวยการกองคลัง|"
    "คณะวิทยาศาสตร์|เสร็จสิ้นดำเนินการ|4|22/03/2567 13:00:00|25670322|22/03/2567|29/03/2567|"
    "25670329|02|N|S|01|ฎ101/2567|3100000003|2024",
    "QDTX2567/00004||||||ติดตามดำเนินการ|3|05/04/2567 08:00:00|25670405|05/04/2567|||01|N|N|02|||",
    "QDTX2567/00005|อว 0604.01/0033|08/04/2567|ขอเบิกค่าไฟฟ้า|ผู้อำนวยการกองคลัง|กองอาคารสถานที่|"
    "เสร็จสิ้นดำเนินการ|4|09/04/2567 11:00:00|25670409|09/04/2567|19/04/2567|25670419|01|A|S|02|"
    "ฎ102/2567|3100000005|2024",
};
const Lines ErpRows{
    "Fiscal_Year|FI_Doc_No|Posting_Date|Check_No|Clearing_Date|Clearing_Doc|Deka_Number|"
    "Deka_Status|Vendor_Name|Description_Erp|Fund_ERP|Functional_Area",
    "2024|3100000001|20/03/2567|70010001|28/03/2567|2000000001|ฎ100/2567|C|บริษัท ก จำกัด|"
    "ขอเบิกค่าวัสดุ|10000|1100",
    "2024|3100000003|02/04/2567|70010003|10/04/2567|2000000003|ฎ101/2567|C|บริษัท ข จำกัด|"
    "ขอเบิกค่าเดินทาง|10000|1100",
    "2024|3100000005|22/04/2567||||ฎ102/2567||การไฟฟ้า|ค่าไฟฟ้า|10000|1100",
};

// The grid as the tool prints it: one tab-separated line per grid row.
QStringList gridLines(Grid *g)
{
    QStringList lines;
    for (int r = 0; r < g->rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < g->colCount(); ++c)
            cells << g->cell(c, r);
        lines << cells.join(QLatin1Char('\t'));
    }
    return lines;
}

// Ticks the named buttons and fills the named inputs ("field=text"); a combo picks the item
// with that text, or has it typed when it has none.
void enter(QWidget *screen, const QStringList &steps)
{
    for (const QString &step : steps) {
        const QString name = step.section(QLatin1Char('='), 0, 0);
        const QString text = step.section(QLatin1Char('='), 1);
        QWidget *w = control<QWidget>(screen, qPrintable(name));
        if (auto *button = qobject_cast<QAbstractButton *>(w)) {
            button->setChecked(true);
        } else if (auto *combo = qobject_cast<QComboBox *>(w)) {
            const int i = combo->findText(text);
            if (i >= 0)
                combo->setCurrentIndex(i);
            else
                combo->setEditText(text);
        } else if (auto *mask = qobject_cast<MaskEdit *>(w)) {
            mask->setText(text);
        } else {
            qobject_cast<QLineEdit *>(w)->setText(text);
        }
    }
}

// What the tests compare of two workbooks: every cell with its format, the rows, columns,
// names and page set-up.
QStringList dump(const XlsxReadback &book)
{
    QStringList out = book.sheetNames;
    for (auto it = book.definedNames.cbegin(); it != book.definedNames.cend(); ++it)
        out << it.key() + u'=' + it.value();
    QStringList cells;
    for (auto it = book.cells.cbegin(); it != book.cells.cend(); ++it) {
        const XlsxReadback::Format f = book.format(it.key());
        cells << QStringList{it.key(),
                             it.value().type,
                             it.value().value,
                             f.numFormat,
                             QString::number(f.fontSize),
                             f.fontColor,
                             f.fill,
                             f.left + f.right + f.top + f.bottom,
                             f.horizontal}
                     .join(u'|');
    }
    cells.sort();
    out << cells;
    for (auto it = book.rowStyles.cbegin(); it != book.rowStyles.cend(); ++it)
        out << QStringLiteral("row %1 style %2").arg(it.key()).arg(it.value());
    for (const auto &[first, last, width] : book.cols)
        out << QStringLiteral("cols %1-%2 %3").arg(first).arg(last).arg(width);
    for (auto it = book.pageSetup.cbegin(); it != book.pageSetup.cend(); ++it)
        out << it.key() + u'=' + it.value();
    for (auto it = book.pageMargins.cbegin(); it != book.pageMargins.cend(); ++it)
        out << it.key() + u'=' + it.value();
    out << book.oddHeader << book.oddFooter;
    return out;
}

// The report's name and options for the tool, and what the user does on the screen for the
// same criteria: "name" ticks a box or selects a radio button, "field=text" fills an input;
// '+' stands for a space inside a text.
struct GridCase {
    const char *name, *args, *steps;
};
const GridCase GridCases[] = {
    {"days in division, no criteria", "days-in-division", ""},
    {"days in division, finished in March by officer 01",
     "days-in-division --officer 01 --entered 01/03/2567 31/03/2567 --status 4",
     "CheckBox5 cmbPer_Code1=01+สมชาย CheckBox8 edtDocNoDate_Beg1=01/03/2567 "
     "edtDocNoDate_End1=31/03/2567 CheckBox9 cmbDocStatus1=4.+เสร็จสิ้นดำเนินการ"},
    {"days in division, document texts and a leap day",
     "days-in-division --doc-number 0604.05 --doc-date 29/02/2567 --topic O'Brien "
     "--deega-no ฎ100 --cheque A --success S",
     "CheckBox1 edtDocNumber1=0604.05 CheckBox2 edtDocDate1=29/02/2567 CheckBox3 "
     "edtTopic1=O'Brien CheckBox4 edtDeega_No1=ฎ100 CheckBox6 cmbIS_Rec_Cheq1=A+รับเช็คแล้ว "
     "CheckBox7 cmbIS_Success1=S+เสร็จสิ้นแล้ว"},
    {"movement, no criteria", "movement", ""},
    {"movement, officer picked by name", "movement --officer 02+สมหญิง --success S",
     "CheckBox5 cmbPer_Code1=02+สมหญิง CheckBox7 cmbIS_Success1=S+เสร็จสิ้นแล้ว"},
    {"by type, code typed", "by-doc-type --type 01", "cmbDocType_Code=01"},
    {"by type, picked, with officer and cheque",
     "by-doc-type --type 01+ค่าใช้จ่ายทั่วไป --officer 02 --cheque N --success S",
     "cmbDocType_Code=01+ค่าใช้จ่ายทั่วไป CheckBox5 cmbPer_Code1=02+สมหญิง CheckBox6 "
     "cmbIS_Rec_Cheq1=N+ยังไม่รับเช็ค CheckBox7 cmbIS_Success1=S+เสร็จสิ้นแล้ว"},
    {"days to payment, no criteria", "days-to-payment", ""},
    {"days to payment, March of type 01", "days-to-payment --clearing-month 03/2567 --type 01",
     "CheckBox1 edtClearing_Date=03/2567 CheckBox2 cmbDocType_Code2=01"},
    {"calendar, the year the screen opens with", "calendar-of-year", ""},
    {"calendar, one year", "calendar-of-year --year 2567", "edtSel_Year=2567"},
    {"calendar, all years", "calendar-of-year --all", "RadioButton1"},
};

} // namespace

class TestAdminReport : public QObject {
    Q_OBJECT

    // One catalog per back end for the whole run: the calendar made by the tool, then the
    // officers, types, documents and ERP rows.
    std::map<QString, std::unique_ptr<Fixture>> catalogs_;

    Fixture &catalog(const QString &backend)
    {
        auto &fx = catalogs_[backend];
        if (fx)
            return *fx;
        fx = std::make_unique<Fixture>(backend);
        db::Connection &c = fx->db();
        const user_access::StartUpValues today = user_access::readStartUpValues(c);
        fx->session.Today_Thai = today.Today_Thai;
        fx->session.Fiscal_Year = today.Fiscal_Year;
        c.execute(db::Statement{
            QStringLiteral("INSERT INTO TR_Hard_StopDay (D_DDMM, SD_Remark) VALUES ('13/04', "
                           "'วันสงกรานต์')")});
        const QString url = fx->catalog.url();
        for (const QString &year :
             QStringList{QStringLiteral("2567"), today.Today_Thai.mid(6, 4)}) {
            const Run r = runTool({QStringLiteral("calendar"), QStringLiteral("generate"),
                                   QStringLiteral("--from"), year, QStringLiteral("--to"), year,
                                   QStringLiteral("--catalog"), url});
            if (r.exitCode != 0)
                qFatal("calendar generate: %s", qPrintable(r.err));
        }
        runTool(
            {QStringLiteral("holidays"), QStringLiteral("mark"), QStringLiteral("--catalog"), url});
        insertRows(c, "TR_PerSon", {"Per_Code|Per_Name|Per_status", "01|สมชาย|A", "02|สมหญิง|A"});
        insertRows(c, "TR_DocType",
                   {"DocType_Code|DocType_Name", "01|ค่าใช้จ่ายทั่วไป", "02|ค่าสาธารณูปโภค"});
        insertRows(c, "Main_Deega_Control", Documents);
        insertRows(c, "M_Imp_ERP", ErpRows);
        return *fx;
    }

    Run report(const QString &backend, const QStringList &args)
    {
        return runTool(QStringList{QStringLiteral("report")} + args +
                       QStringList{QStringLiteral("--catalog"), catalog(backend).catalog.url()});
    }

    // The screen of the report opened with the catalog's session, the steps entered and its
    // select button pressed.
    std::unique_ptr<ReportScreen> screen(const QString &backend, const QString &name,
                                         const QStringList &steps)
    {
        Fixture &fx = catalog(backend);
        fx.dialogs.clear();
        std::unique_ptr<ReportScreen> s(openReport(name, fx.session));
        s->show();
        enter(s.get(), steps);
        click(s.get(), "btnSelect_Data");
        return s;
    }

private slots:
    // The tool's lines are the screen's grid, cell for cell, for every report and every option.
    void sameGridAsTheScreen_data()
    {
        QTest::addColumn<QString>("backend");
        QTest::addColumn<QStringList>("args");  // the report's name, then its options
        QTest::addColumn<QStringList>("steps"); // what the user does on the screen
        for (const QString &backend : {QStringLiteral("sqlite"), QStringLiteral("postgresql")}) {
            for (const GridCase &c : GridCases)
                QTest::addRow("%s: %s", qPrintable(backend), c.name)
                    << backend << unplussed(words(c.args)) << unplussed(words(c.steps));
        }
    }
    void sameGridAsTheScreen()
    {
        QFETCH(QString, backend);
        QFETCH(QStringList, args);
        QFETCH(QStringList, steps);
        REQUIRE_BACKEND(backend);
        const Run r = report(backend, args);
        QCOMPARE(r.err, QString());
        QCOMPARE(r.exitCode, 0);
        const QStringList lines = r.out.split(QLatin1Char('\n'));
        QCOMPARE(lines.last(), QString()); // every line ends
        const auto s = screen(backend, args.first(), steps);
        QCOMPARE(catalog(backend).dialogs.texts(), QStringList());
        const QStringList shown = gridLines(grid(s.get()));
        QVERIFY(shown.size() > 1);
        QCOMPARE(lines.mid(0, lines.size() - 1), shown);
    }

    // Every option of every report is compared with the screen above, and lands on a criterion
    // of its report's shape.
    void everyOptionMeetsTheScreen()
    {
        QSet<QString> used;
        for (const GridCase &c : GridCases) {
            for (const QString &w : words(c.args)) {
                if (w.startsWith(QLatin1String("--")))
                    used << w.mid(2);
            }
        }
        for (const admin::ReportCommand &command : admin::reportCommands()) {
            const report::Shape shape = admin::shapeOf(command);
            QVERIFY2(!shape.criteria.isEmpty(), command.name);
            for (const admin::ReportOption &option : command.options) {
                QVERIFY2(used.contains(QLatin1String(option.name)), option.name);
                const QString control = QLatin1String(option.control);
                bool lands = false;
                for (const criteria::Criterion &c : shape.criteria)
                    lands = lands || c.field == control || c.offButton == control;
                QVERIFY2(lands, option.name);
            }
        }
    }

    // A refusal is one Thai line and exit 2, before the catalog is opened or a workbook begun.
    void refusalsWriteNothing_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("message");
        struct Case {
            const char *args, *message;
        };
        const Case cases[] = {
            {"nosuch", "ไม่รู้จักรายงาน: nosuch (มี days-in-division, movement, by-doc-type, "
                       "days-to-payment, calendar-of-year)"},
            {"movement --status 4", "รายงาน movement ไม่มีตัวเลือก --status"},
            {"calendar-of-year --type 01", "รายงาน calendar-of-year ไม่มีตัวเลือก --type"},
            {"movement --user u", "รายงาน movement ไม่มีตัวเลือก --user"},
            {"movement --bogus", "ไม่รู้จักตัวเลือก: --bogus"},
            {"movement --topic --xlsx FILE", "ต้องระบุค่าหลัง --topic"},
            {"calendar-of-year --all=x", "--all ไม่รับค่า"},
            {"by-doc-type --officer 01", "รายงาน by-doc-type ต้องระบุ --type"},
            {"movement --doc-date 30/02/2567",
             "--doc-date: \"30/02/2567\" ไม่ใช่วันที่ที่มีจริงในรูป DD/MM/YYYY (ปี พ.ศ.)"},
            // 2566 is 2023, no leap year.
            {"movement --doc-date 29/02/2566",
             "--doc-date: \"29/02/2566\" ไม่ใช่วันที่ที่มีจริงในรูป DD/MM/YYYY (ปี พ.ศ.)"},
            {"movement --doc-date 1/3/67",
             "--doc-date: \"1/3/67\" ไม่ใช่วันที่ที่มีจริงในรูป DD/MM/YYYY (ปี พ.ศ.)"},
            {"days-in-division --entered 01/03/2567", "--entered ต้องตามด้วยวันที่สองวัน: จากวันที่ ถึงวันที่"},
            {"days-in-division --entered 01/03/2567 32/03/2567",
             "--entered: \"32/03/2567\" ไม่ใช่วันที่ที่มีจริงในรูป DD/MM/YYYY (ปี พ.ศ.)"},
            {"days-to-payment --clearing-month 13/2567",
             "--clearing-month: \"13/2567\" ไม่ใช่เดือนปีในรูป MM/YYYY (ปี พ.ศ.)"},
            {"days-to-payment --clearing-month 3/2567",
             "--clearing-month: \"3/2567\" ไม่ใช่เดือนปีในรูป MM/YYYY (ปี พ.ศ.)"},
            {"calendar-of-year --year 67", "--year: \"67\" ไม่ใช่ปี พ.ศ. สี่หลัก (YYYY)"},
            {"calendar-of-year --year 2567 --all", "ระบุ --year และ --all พร้อมกันไม่ได้"},
            {"movement --officer 01 --officer 02", "ระบุ --officer ซ้ำ"},
            {"movement extra", "มีคำเกินมา: extra"},
            {"movement --xlsx DIR/none/out.xlsx", "--xlsx: ไม่มีโฟลเดอร์ DIR/none"},
            {"movement --xlsx DIR", "--xlsx: DIR เป็นโฟลเดอร์ ไม่ใช่แฟ้ม"},
            {"movement --pdf DIR/none/out.pdf", "--pdf: ไม่มีโฟลเดอร์ DIR/none"},
            {"movement --pdf DIR", "--pdf: DIR เป็นโฟลเดอร์ ไม่ใช่แฟ้ม"},
            {"movement --topic --pdf FILE", "ต้องระบุค่าหลัง --topic"},
            {"movement --pdf", "ต้องระบุค่าหลัง --pdf"},
        };
        for (const Case &c : cases)
            QTest::newRow(c.args) << words(c.args) << QString::fromUtf8(c.message);
    }
    void refusalsWriteNothing()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, message);
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("out.xlsx"));
        args.replaceInStrings(QStringLiteral("FILE"), file);
        args.replaceInStrings(QStringLiteral("DIR"), dir.path());
        message.replace(QStringLiteral("DIR"), dir.path());
        if (!args.contains(QStringLiteral("--xlsx")))
            args << QStringLiteral("--xlsx") << file;
        const Run r = runBeforeCatalog(QStringList{QStringLiteral("report")} + args, dir.path());
        QCOMPARE(r.err, message + u'\n');
        QCOMPARE(r.exitCode, 2);
        QCOMPARE(r.out, QString());
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 QStringList());
    }

    // Nothing found: the screen's message on standard error, no grid and no workbook.
    void nothingFound_data() { TestCatalog::addBackendRows(); }
    void nothingFound()
    {
        QFETCH(QString, backend);
        REQUIRE_BACKEND(backend);
        QTemporaryDir dir;
        const QStringList args{QStringLiteral("movement"), QStringLiteral("--topic"),
                               QStringLiteral("ไม่มีเรื่องนี้")};
        const Run r = report(backend, args + QStringList{QStringLiteral("--xlsx"),
                                                         dir.filePath(QStringLiteral("o.xlsx")),
                                                         QStringLiteral("--pdf"),
                                                         dir.filePath(QStringLiteral("o.pdf"))});
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.out, QString());
        QCOMPARE(r.err, msg::NotFound + u'\n');
        QVERIFY(QDir(dir.path()).isEmpty());
        screen(backend, args.first(),
               {QStringLiteral("CheckBox3"), QStringLiteral("edtTopic1=") + args.last()});
        QCOMPARE(catalog(backend).dialogs.texts(), QStringList{msg::NotFound});
    }

    // --xlsx writes the workbook the screen's export writes, to exactly the file named (one
    // there is replaced) and nothing else into its folder.
    void workbookAsTheScreenExports()
    {
        const QString backend = QStringLiteral("sqlite");
        QTemporaryDir toolDir;
        QTemporaryDir screenDir;
        const QString file = toolDir.filePath(QStringLiteral("รายงาน วันจ่าย.xlsx"));
        {
            QFile old(file);
            QVERIFY(old.open(QIODevice::WriteOnly));
            old.write("not a workbook");
        }
        const Run r =
            report(backend, {QStringLiteral("days-to-payment"), QStringLiteral("--clearing-month"),
                             QStringLiteral("03/2567"), QStringLiteral("--type"),
                             QStringLiteral("01 ค่าใช้จ่ายทั่วไป"), QStringLiteral("--xlsx"), file});
        QCOMPARE(r.err, QString());
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(QDir(toolDir.path()).entryList(QDir::Files),
                 QStringList{QStringLiteral("รายงาน วันจ่าย.xlsx")});

        const auto s = screen(
            backend, QStringLiteral("days-to-payment"),
            {QStringLiteral("CheckBox1"), QStringLiteral("edtClearing_Date=03/2567"),
             QStringLiteral("CheckBox2"), QStringLiteral("cmbDocType_Code2=01 ค่าใช้จ่ายทั่วไป")});
        s->setExportFolder(screenDir.path(), false);
        click(s.get(), "btnExp_excel");
        QCOMPARE(catalog(backend).dialogs.texts(), QStringList());
        const QStringList exported = QDir(screenDir.path()).entryList(QDir::Files);
        QCOMPARE(exported.size(), 1);

        XlsxReadback byTool;
        XlsxReadback byScreen;
        QVERIFY2(byTool.load(file), qPrintable(byTool.error));
        QVERIFY2(byScreen.load(screenDir.filePath(exported.first())), qPrintable(byScreen.error));
        // The type line and a data row made it in.
        QVERIFY(byTool.text(QStringLiteral("A2")).contains(QStringLiteral("ค่าใช้จ่ายทั่วไป")));
        QCOMPARE(byTool.text(QStringLiteral("B5")), QStringLiteral("QDTX2567/00001"));
        QCOMPARE(dump(byTool), dump(byScreen));
    }

    // --pdf writes the PDF the screen saves for the same criteria: the same pages and texts.
    void pdfAsTheScreenSaves_data() { TestCatalog::addBackendRows(); }
    void pdfAsTheScreenSaves()
    {
        QFETCH(QString, backend);
        REQUIRE_BACKEND(backend);
        QTemporaryDir dir;
        const QString byTool = dir.filePath(QStringLiteral("เครื่องมือ.pdf"));
        const QString byScreen = dir.filePath(QStringLiteral("หน้าจอ.pdf"));
        const Run r =
            report(backend, {QStringLiteral("days-in-division"), QStringLiteral("--officer"),
                             QStringLiteral("01 สมชาย"), QStringLiteral("--entered"),
                             QStringLiteral("01/03/2567"), QStringLiteral("31/03/2567"),
                             QStringLiteral("--pdf"), byTool});
        QCOMPARE(r.err, QString());
        QCOMPARE(r.exitCode, 0);
        QVERIFY(r.out.startsWith(QStringLiteral("No\t")));

        const auto s =
            screen(backend, QStringLiteral("days-in-division"),
                   {QStringLiteral("CheckBox5"), QStringLiteral("cmbPer_Code1=01 สมชาย"),
                    QStringLiteral("CheckBox8"), QStringLiteral("edtDocNoDate_Beg1=01/03/2567"),
                    QStringLiteral("edtDocNoDate_End1=31/03/2567")});
        s->choosePdfFile = [&](QWidget *, const QString &) { return byScreen; };
        click(s.get(), "btnSavePdf");
        QCOMPARE(catalog(backend).dialogs.texts(),
                 QStringList{QStringLiteral("บันทึกรายงานลงแฟ้ม %1 เรียบร้อยแล้ว").arg(byScreen)});

        const PdfReadback tool = readPdf(byTool);
        const PdfReadback shown = readPdf(byScreen);
        QVERIFY2(tool.problem.isEmpty(), qPrintable(tool.problem));
        QCOMPARE(tool.pages, shown.pages);
        QCOMPARE(tool.pageSize, shown.pageSize);
        QCOMPARE(tool.text, shown.text);
        const QString text = tool.text.simplified();
        for (const QString &expected :
             QStringList{QStringLiteral("รายงานแสดงจำนวนวันที่ทำรายการในกองคลัง"),
                         QStringLiteral("ผู้รับผิดชอบ: 01 สมชาย"),
                         QStringLiteral("วันที่หนังสือเข้ากองคลัง: 01/03/2567 ถึงวันที่ 31/03/2567"),
                         QStringLiteral("QDTX2567/00001"),
                         QStringLiteral("พิมพ์วันที่ ") + catalog(backend).session.Today_Thai,
                         QStringLiteral("หน้า 1/%1").arg(tool.pages)})
            QVERIFY2(text.contains(expected), qPrintable(expected + u'\n' + text));
        QVERIFY(!text.contains(QStringLiteral("QDTX2567/00003"))); // officer 02
    }

    // A PDF that cannot be written where the options pointed: the reason in Thai, exit 1,
    // nothing printed and no file left.
    void unwritablePdfLeavesNothing()
    {
        // The folder is there, but no file can be made in it, even by the superuser.
        const QString file = QStringLiteral("/proc/vostrel-report.pdf");
        const Run r = report(QStringLiteral("sqlite"),
                             {QStringLiteral("movement"), QStringLiteral("--pdf"), file});
        QCOMPARE(r.exitCode, 1);
        QCOMPARE(r.out, QString());
        QVERIFY2(r.err.startsWith(QStringLiteral("บันทึกแฟ้ม PDF ") + file + QStringLiteral(" ไม่ได้")),
                 qPrintable(r.err));
        QVERIFY(!QFile::exists(file));
    }
};

QTEST_MAIN(TestAdminReport)
#include "tst_admin_report.moc"
