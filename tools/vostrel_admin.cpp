// vostrel-admin: makes catalogs, adds users, loads demo data and prints reports.

#include "admin/Admin.h"
#include "admin/AuditCommand.h"
#include "admin/GuaranteeCommand.h"
#include "admin/Help.h"
#include "admin/Notice.h"
#include "admin/OptionTexts.h"
#include "admin/ReferenceCommands.h"
#include "admin/ReportCommand.h"
#include "admin/SummaryCommand.h"
#include "admin/TableCommands.h"
#include "core/Access.h"
#include "core/Calendar.h"
#include "core/ImportRows.h"
#include "core/Messages.h"
#include "core/WorkDays.h"
#include "data/Backup.h"
#include "data/Connection.h"
#include "data/Deployment.h"
#include "spreadsheet/ReaderProcess.h"
#include "spreadsheet/SpreadsheetError.h"
#include "util/Version.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QTextStream>
#include <optional>

namespace {

const char *const Usage = R"(ใช้งาน:
  vostrel-admin init     [--catalog URL] --user NAME --password PW --level N
  vostrel-admin user add [--catalog URL] --user NAME --password PW --level N
  vostrel-admin user set --user NAME [--password PW] [--level N] [--catalog URL]
  vostrel-admin user remove --user NAME [--catalog URL]
  vostrel-admin person add|set|remove CODE [--name TEXT] [--active yes|no] [--catalog URL]
  vostrel-admin doctype add|set|remove CODE [--name TEXT] [--catalog URL]
  vostrel-admin holiday add|set|remove DD/MM [--name TEXT] [--catalog URL]
  vostrel-admin person|doctype|user|holiday list [--catalog URL]   (คั่นด้วย tab)
  vostrel-admin demo     [--catalog URL]
  vostrel-admin calendar generate --from YYYY --to YYYY [--catalog URL]   (ปี พ.ศ.)
  vostrel-admin holidays mark [--catalog URL]
  vostrel-admin count START END [--catalog URL]   (พิมพ์: วันทั้งหมด วันหยุด วันทำการ)
  vostrel-admin backup FILE [--catalog URL]    (สำเนาฐานข้อมูลในเครื่อง ขณะมีผู้ใช้งานได้)
  vostrel-admin restore FILE [--catalog URL]   (นำสำเนากลับ หลังตรวจความถูกต้องและรุ่น)
  vostrel-admin import kvsis|stopdays|erp FILE [--catalog URL]
  vostrel-admin preview kvsis|stopdays|erp FILE
  vostrel-admin report NAME [เงื่อนไข] [--xlsx FILE] [--pdf FILE] [--catalog URL]
                 (ตารางของหน้าจอรายงาน คั่นด้วย tab; --xlsx: แฟ้มรายงาน Excel ด้วย;
                  --pdf: แฟ้ม PDF ของรายงานด้วย)
%1    guarantee-register  --day DD/MM/YYYY | --month MM/YYYY | --year YYYY
  vostrel-admin guarantee add --from-site TEXT --topic TEXT [--from-unit TEXT] [--amount N]
                 [--fax TEXT] [--tel TEXT] [--to-who TEXT] [--date DD/MM/YYYY]
                 [--into-fin DD/MM/YYYY] [--remark TEXT] [--place bank|finance] [--catalog URL]
                 (บันทึกเงินประกันสัญญาเรื่องใหม่ พิมพ์เลขที่เอกสาร)
                 --count N: สำหรับการทดสอบ บันทึก N เรื่อง แต่ละเรื่องเป็นธุรกรรมของตัวเอง
                 พิมพ์เลขที่ทีละบรรทัด
  vostrel-admin guarantee receive KEY --date DD/MM/YYYY [--catalog URL]   (บันทึกวันที่รับเช็ค)
  vostrel-admin notice KEY --pdf FILE [--place bank|finance] [--catalog URL]
  vostrel-admin load TABLE FILE [--encoding utf-8|tis-620] [--replace] [--catalog URL]
                 (บันทึกแถวของตารางจากแฟ้มที่คั่นด้วยจุลภาคหรือ tab ทุกแถวหรือไม่มีเลย)
  vostrel-admin dump TABLE [FILE] [--encoding utf-8|tis-620] [--separator comma|tab] [--catalog URL]
  vostrel-admin summary --from DD/MM/YYYY --to DD/MM/YYYY [--target N] [--by officer|type|month]
                 [--xlsx FILE | --pdf FILE] [--catalog URL]
                 (สรุปจำนวนวันทำการของเรื่องที่เสร็จสิ้นเทียบกับเป้าหมาย คั่นด้วย tab)
  vostrel-admin audit [KEY] [--from DD/MM/YYYY] [--to DD/MM/YYYY] [--user NAME] [--catalog URL]
                 (ประวัติการแก้ไขข้อมูล คั่นด้วย tab)
  vostrel-admin audit verify [--catalog URL]   (ตรวจว่าไม่มีรายการในประวัติถูกแก้ไข)
  vostrel-admin --help | COMMAND --help   (คำอธิบายของทุกคำสั่งและตัวเลือก)
URL:  sqlite:PATH  หรือ  postgresql://USER@HOST[:PORT]/DB
ไม่ระบุ --catalog: ใช้ฐานข้อมูลตามแฟ้มตั้งค่า (ปกติคือฐานข้อมูลในเครื่อง)
)";

enum Exit { Ok = 0, Refused = 1, UsageError = 2 };

bool importKind(const QString &word, ImportKind &kind)
{
    if (word == QLatin1String("kvsis"))
        kind = ImportKind::Kvsis;
    else if (word == QLatin1String("stopdays"))
        kind = ImportKind::StopDays;
    else if (word == QLatin1String("erp"))
        kind = ImportKind::Erp;
    else
        return false;
    return true;
}

// The preview the import screen would show; a cell that stops the read is an error here. The
// workbook is read in the reader process, as the screens read it. A workbook of another layout
// gives no preview and the message saying so in mismatch.
std::optional<ImportPreview> readWorkbook(ImportKind kind, const QString &file, QString &mismatch)
{
    const auto sheet = spreadsheet::openWorkbookIsolated(file);
    mismatch = sheetMismatch(kind, *sheet);
    if (!mismatch.isEmpty())
        return std::nullopt;
    ImportPreview preview = readPreview(kind, *sheet);
    if (!preview.error.isEmpty())
        throw spreadsheet::Error(preview.error);
    return preview;
}

QTextStream &err()
{
    static QTextStream s(stderr);
    return s;
}

QTextStream &out()
{
    static QTextStream s(stdout);
    return s;
}

// The reports and their options, from the option tables, wrapped under each name.
QString reportForms()
{
    QString lines;
    for (const admin::ReportCommand &command : admin::reportCommands()) {
        QString line = QStringLiteral("    %1").arg(QLatin1String(command.name), -18);
        for (const admin::ReportOption &option : command.options) {
            const QString form = admin::optionForm(command, option);
            if (line.size() + 1 + form.size() > 100) {
                lines += line + u'\n';
                line = QString(22, u' ');
            } else if (!line.endsWith(u' ')) {
                line += u' ';
            }
            line += form;
        }
        lines += line + u'\n';
    }
    return lines;
}

int usage(const QString &problem)
{
    if (!problem.isEmpty())
        err() << problem << '\n';
    err() << QString::fromUtf8(Usage).arg(reportForms());
    err().flush();
    return UsageError;
}

// A refusal of the report command: its one line, nothing else.
int refuse(const QString &problem)
{
    err() << problem << '\n';
    err().flush();
    return UsageError;
}

db::CatalogLocation catalogFrom(const QCommandLineParser &args)
{
    const Deployment deployment = Deployment::load();
    if (!args.isSet(QStringLiteral("catalog")))
        return deployment.catalog;
    db::CatalogLocation where = db::CatalogLocation::parse(args.value(QStringLiteral("catalog")));
    if (where.backend != db::BackendKind::SQLite && where.password.isEmpty())
        where.password = deployment.catalog.password;
    return where;
}

bool readUser(const QCommandLineParser &args, admin::User &user, QString &problem)
{
    user.name = args.value(QStringLiteral("user"));
    user.password = args.value(QStringLiteral("password"));
    bool ok = false;
    user.level = args.value(QStringLiteral("level")).toInt(&ok);
    if (!args.isSet(QStringLiteral("user")) || !args.isSet(QStringLiteral("password")) ||
        !args.isSet(QStringLiteral("level"))) {
        problem = QStringLiteral("ต้องระบุ --user, --password และ --level");
        return false;
    }
    if (!ok) {
        problem = QStringLiteral("ระดับผู้ใช้ (--level) ต้องเป็นจำนวนเต็ม");
        return false;
    }
    return true;
}

// What a command is given: the options, the words after its own, and the catalog, not yet open
// (none for a command that needs no catalog).
struct Invocation {
    const QCommandLineParser &args;
    QStringList operands;
    db::Connection *connection;
};

const char *const ImportForm = "ใช้: vostrel-admin import kvsis|stopdays|erp FILE";
const char *const PreviewForm = "ใช้: vostrel-admin preview kvsis|stopdays|erp FILE";
const char *const BackupForm = "ใช้: vostrel-admin backup FILE";
const char *const RestoreForm = "ใช้: vostrel-admin restore FILE";
const char *const ReportForm = "ใช้: vostrel-admin report NAME [เงื่อนไข] [--xlsx FILE] [--pdf FILE]";

// Options of the tool itself; every other option given to the report command is the report's.
bool toolOption(const QString &name)
{
    return name == QLatin1String("catalog") || name == QLatin1String("trace") ||
           name == QLatin1String("xlsx") || name == QLatin1String("pdf");
}

int runInit(const Invocation &in)
{
    admin::User first;
    QString problem;
    if (!readUser(in.args, first, problem))
        return usage(problem);
    admin::checkUser(first);
    db::Connection &connection = *in.connection;
    connection.open(db::Connection::OpenMode::Create);
    admin::initCatalog(connection, first);
    out() << QStringLiteral("สร้างฐานข้อมูล %1 เรียบร้อยแล้ว ผู้ใช้แรก: %2 (ระดับ %3)\n")
                 .arg(connection.location().describe(), first.name)
                 .arg(first.level);
    return Ok;
}

int runUserAdd(const Invocation &in)
{
    admin::User user;
    QString problem;
    if (!readUser(in.args, user, problem))
        return usage(problem);
    return admin::userAdd({in.args, in.operands, *in.connection, out(), err()}, user);
}

// The reference tables under the rules of their screens.
template <reference::TableId Table, admin::ReferenceAction Action>
int runReference(const Invocation &in)
{
    return admin::referenceCommand(Table, Action,
                                   {in.args, in.operands, *in.connection, out(), err()});
}

int runDemo(const Invocation &in)
{
    db::Connection &connection = *in.connection;
    connection.open(db::Connection::OpenMode::Create);
    const admin::DemoSummary demo = admin::loadDemo(connection);
    out() << QStringLiteral("สร้างฐานข้อมูลทดลอง %1 เรียบร้อยแล้ว: ฎีกา %2 เรื่อง, "
                            "เงินประกันสัญญา %3 เรื่อง, รายการ ERP %4 รายการ\n")
                 .arg(connection.location().describe())
                 .arg(demo.documents)
                 .arg(demo.guarantees)
                 .arg(demo.erpRows);
    out() << QStringLiteral("ปฏิทินวันทำการ %1 วัน พร้อมวันหยุดประจำปี\n").arg(demo.calendarDays);
    out() << QStringLiteral("ผู้ใช้สำหรับทดลอง (ชื่อ / รหัสผ่าน / ระดับ):\n");
    for (const admin::User &u : demo.users)
        out() << QStringLiteral("  %1 / %2 / %3\n").arg(u.name, u.password).arg(u.level);
    return Ok;
}

int runCalendarGenerate(const Invocation &in)
{
    bool okFrom = false;
    bool okTo = false;
    const int from = in.args.value(QStringLiteral("from")).trimmed().toInt(&okFrom);
    const int to = in.args.value(QStringLiteral("to")).trimmed().toInt(&okTo);
    if (!okFrom || !okTo)
        return usage(QStringLiteral("ต้องระบุ --from และ --to เป็นปี พ.ศ. (ตัวเลข)"));
    in.connection->open();
    const int inserted = generateCalendar(*in.connection, from, to);
    out() << QStringLiteral("เพิ่มวันในปฏิทิน %1 วัน (ปี %2 ถึง %3)\n").arg(inserted).arg(from).arg(to);
    return Ok;
}

int runHolidaysMark(const Invocation &in)
{
    in.connection->open();
    const int marked = markHolidays(*in.connection);
    out() << QStringLiteral("ประมวลผลวันหยุดประจำปี %1 รายการ เรียบร้อยแล้ว\n").arg(marked);
    return Ok;
}

// A consistent copy while stations work; never over an existing file.
int runBackup(const Invocation &in)
{
    in.connection->open();
    db::backupCatalog(*in.connection, in.operands.at(0));
    out() << QStringLiteral("สำรองฐานข้อมูลไว้ที่ %1 เรียบร้อยแล้ว\n").arg(in.operands.at(0));
    return Ok;
}

// Only a whole copy of this version goes back; anything else is refused before a page moves.
int runRestore(const Invocation &in)
{
    const QString problem = db::catalogCopyProblem(in.operands.at(0));
    if (!problem.isEmpty()) {
        err() << problem << '\n';
        err().flush();
        return UsageError;
    }
    in.connection->open();
    const QString kept = db::restoreCatalog(*in.connection, in.operands.at(0));
    out() << QStringLiteral("นำฐานข้อมูลจาก %1 กลับเรียบร้อยแล้ว\n").arg(in.operands.at(0));
    out() << QStringLiteral("ฐานข้อมูลก่อนนำสำเนากลับเก็บไว้ที่ %1\n").arg(kept);
    return Ok;
}

int runCount(const Invocation &in)
{
    for (const QString &day : in.operands.mid(0, 2)) {
        if (!admin::isDateText(day))
            return refuse(admin::notDateText(QStringLiteral("count"), day));
    }
    in.connection->open();
    out() << dayCountsText(Count_Work_Days(*in.connection, in.operands.at(0), in.operands.at(1)))
          << '\n';
    return Ok;
}

int runImport(const Invocation &in)
{
    ImportKind kind;
    if (!importKind(in.operands.at(0), kind))
        return usage(QString::fromUtf8(ImportForm));
    QString mismatch;
    const auto preview = readWorkbook(kind, in.operands.at(1), mismatch);
    if (!preview)
        return refuse(mismatch);
    in.connection->open();
    ImportResult result;
    savePreview(kind, *in.connection, preview->rows, result);
    out() << QStringLiteral("inserted %1 updated %2 not_found %3 skipped %4 refused %5\n")
                 .arg(result.inserted)
                 .arg(result.updated)
                 .arg(result.notFound)
                 .arg(result.skipped)
                 .arg(result.refused);
    return Ok;
}

int runPreview(const Invocation &in)
{
    ImportKind kind;
    if (!importKind(in.operands.at(0), kind))
        return usage(QString::fromUtf8(PreviewForm));
    QString mismatch;
    const auto preview = readWorkbook(kind, in.operands.at(1), mismatch);
    if (!preview)
        return refuse(mismatch);
    QStringList header;
    for (const ImportColumn &c : importLayoutOf(kind).columns)
        header << c.header;
    out() << header.join(QLatin1Char('\t')) << '\n';
    for (const QStringList &row : preview->rows)
        out() << row.join(QLatin1Char('\t')) << '\n';
    return Ok;
}

// The report's options in the order given, each with its own value (a name given twice has two).
QList<admin::GivenOption> reportOptionsGiven(const QCommandLineParser &args)
{
    QList<admin::GivenOption> given;
    QHash<QString, qsizetype> seen;
    for (const QString &name : args.optionNames()) {
        const qsizetype k = seen[name]++;
        if (toolOption(name))
            continue;
        const QStringList values = args.values(name);
        given.append({name, k < values.size() ? std::optional(values.at(k)) : std::nullopt});
    }
    return given;
}

// What is wrong with the file an option (xlsx, pdf) names, or an empty text.
QString outputProblem(const QString &option, const QString &file)
{
    const QFileInfo target(file);
    if (file.isEmpty())
        return QStringLiteral("ต้องระบุชื่อแฟ้มหลัง --%1").arg(option);
    if (target.isDir())
        return QStringLiteral("--%1: %2 เป็นโฟลเดอร์ ไม่ใช่แฟ้ม").arg(option, file);
    if (!target.absoluteDir().exists())
        return QStringLiteral("--%1: ไม่มีโฟลเดอร์ %2").arg(option, target.absolutePath());
    return {};
}

// The grid the report's screen shows for the same criteria, as tab-separated lines; with
// --xlsx, that screen's workbook too, and with --pdf its PDF, written before anything is printed.
int runReport(const Invocation &in)
{
    const QString name = in.operands.at(0);
    const admin::ReportCommand *command = admin::findReportCommand(name);
    if (!command) {
        QStringList names;
        for (const admin::ReportCommand &c : admin::reportCommands())
            names << QLatin1String(c.name);
        return refuse(
            QStringLiteral("ไม่รู้จักรายงาน: %1 (มี %2)").arg(name, names.join(QStringLiteral(", "))));
    }
    const report::Shape shape = admin::shapeOf(*command);
    const QList<admin::GivenOption> given = reportOptionsGiven(in.args);
    const bool toFile = in.args.isSet(QStringLiteral("xlsx"));
    const QString file = in.args.value(QStringLiteral("xlsx"));
    const bool toPdf = in.args.isSet(QStringLiteral("pdf"));
    const QString pdf = in.args.value(QStringLiteral("pdf"));
    // An option whose value is the next option has lost its own: "--topic --catalog URL".
    QList<admin::GivenOption> valued = given;
    if (toFile)
        valued.append({QStringLiteral("xlsx"), file});
    if (toPdf)
        valued.append({QStringLiteral("pdf"), pdf});
    for (const admin::GivenOption &g : valued) {
        if (g.value && g.value->startsWith(QLatin1String("--")))
            return refuse(QStringLiteral("ต้องระบุค่าหลัง --%1").arg(g.name));
    }
    admin::Settings settings;
    const QString problem =
        admin::readReportOptions(*command, shape, given, in.operands.mid(1), settings);
    if (!problem.isEmpty())
        return refuse(problem);
    if (toFile && !outputProblem(QStringLiteral("xlsx"), file).isEmpty())
        return refuse(outputProblem(QStringLiteral("xlsx"), file));
    if (toPdf && !outputProblem(QStringLiteral("pdf"), pdf).isEmpty())
        return refuse(outputProblem(QStringLiteral("pdf"), pdf));

    db::Connection &c = *in.connection;
    c.open();
    const criteria::Entered entered = admin::enteredOf(
        shape, settings, [&c] { return user_access::readStartUpValues(c).Today_Thai; });
    const QList<QStringList> rows = report::run(c, shape, entered);
    if (rows.isEmpty()) {
        err() << msg::NotFound << '\n';
        err().flush();
        return Ok;
    }
    const QStringList header = report::headerRow(shape);
    if (toFile)
        admin::writeReportWorkbook(file, admin::reportTable(header, rows),
                                   command->layout(entered));
    if (toPdf)
        admin::writeReportPdf(pdf, shape, entered, rows,
                              user_access::readStartUpValues(c).Today_Thai);
    out() << header.join(QLatin1Char('\t')) << '\n';
    for (const QStringList &row : rows)
        out() << row.join(QLatin1Char('\t')) << '\n';
    return Ok;
}

int runNoticeCommand(const Invocation &in)
{
    return admin::runNotice(in.args, in.operands.at(0), *in.connection, out(), err());
}

struct Command {
    const char *words; // the command's own words, space between
    int operands;      // how many words follow them
    const char *form;  // shown when the operands do not fit; none: the words are no command
    bool needsCatalog;
    int (*run)(const Invocation &);
    bool moreWords = false; // words after its operands go to it, which checks them
};

const Command Commands[] = {
    {"init", 0, nullptr, true, runInit},
    {"user add", 0, nullptr, true, runUserAdd},
    {"user set", 0, nullptr, true,
     runReference<reference::TableId::Users, admin::ReferenceAction::Set>},
    {"user remove", 0, nullptr, true,
     runReference<reference::TableId::Users, admin::ReferenceAction::Remove>},
    {"user list", 0, nullptr, true,
     runReference<reference::TableId::Users, admin::ReferenceAction::List>},
    {"person add", 1, admin::PersonForm, true,
     runReference<reference::TableId::Officers, admin::ReferenceAction::Add>},
    {"person set", 1, admin::PersonForm, true,
     runReference<reference::TableId::Officers, admin::ReferenceAction::Set>},
    {"person remove", 1, admin::PersonForm, true,
     runReference<reference::TableId::Officers, admin::ReferenceAction::Remove>},
    {"person list", 0, nullptr, true,
     runReference<reference::TableId::Officers, admin::ReferenceAction::List>},
    {"doctype add", 1, admin::DocTypeForm, true,
     runReference<reference::TableId::DocTypes, admin::ReferenceAction::Add>},
    {"doctype set", 1, admin::DocTypeForm, true,
     runReference<reference::TableId::DocTypes, admin::ReferenceAction::Set>},
    {"doctype remove", 1, admin::DocTypeForm, true,
     runReference<reference::TableId::DocTypes, admin::ReferenceAction::Remove>},
    {"doctype list", 0, nullptr, true,
     runReference<reference::TableId::DocTypes, admin::ReferenceAction::List>},
    {"holiday add", 1, admin::HolidayForm, true,
     runReference<reference::TableId::Holidays, admin::ReferenceAction::Add>},
    {"holiday set", 1, admin::HolidayForm, true,
     runReference<reference::TableId::Holidays, admin::ReferenceAction::Set>},
    {"holiday remove", 1, admin::HolidayForm, true,
     runReference<reference::TableId::Holidays, admin::ReferenceAction::Remove>},
    {"holiday list", 0, nullptr, true,
     runReference<reference::TableId::Holidays, admin::ReferenceAction::List>},
    {"demo", 0, nullptr, true, runDemo},
    {"calendar generate", 0, nullptr, true, runCalendarGenerate},
    {"holidays mark", 0, nullptr, true, runHolidaysMark},
    {"count", 2, nullptr, true, runCount},
    {"backup", 1, BackupForm, true, runBackup},
    {"restore", 1, RestoreForm, true, runRestore},
    {"import", 2, ImportForm, true, runImport},
    {"preview", 2, PreviewForm, false, runPreview},
    {"guarantee add", 0, admin::GuaranteeAddForm, true,
     [](const Invocation &in) {
         return admin::guaranteeAdd({in.args, in.operands, *in.connection, out(), err()});
     }},
    {"guarantee receive", 1, admin::GuaranteeReceiveForm, true,
     [](const Invocation &in) {
         return admin::guaranteeReceive({in.args, in.operands, *in.connection, out(), err()});
     }},
    // Before "report": its own words begin these.
    {"report guarantee-register", 0, ReportForm, true,
     [](const Invocation &in) {
         return admin::guaranteeRegister({in.args, in.operands, *in.connection, out(), err()});
     },
     true},
    {"report", 1, ReportForm, true, runReport, true},
    {"notice", 1, admin::NoticeForm, true, runNoticeCommand},
    {"load", 2, admin::LoadForm, true,
     [](const Invocation &in) {
         return admin::loadTable({in.args, in.operands, *in.connection, out(), err()});
     }},
    {"dump", 1, admin::DumpForm, true,
     [](const Invocation &in) {
         return admin::dumpTable({in.args, in.operands, *in.connection, out(), err()});
     },
     true},
    // Before "audit": its own words begin this one.
    {"audit verify", 0, admin::AuditVerifyForm, true,
     [](const Invocation &in) {
         return admin::auditVerify({in.args, in.operands, *in.connection, out(), err()});
     }},
    {"audit", 0, admin::AuditForm, true,
     [](const Invocation &in) {
         return admin::auditCommand({in.args, in.operands, *in.connection, out(), err()});
     },
     true},
    {"summary", 0, admin::SummaryForm, true,
     [](const Invocation &in) {
         return admin::summaryCommand({in.args, in.operands, *in.connection, out(), err()});
     },
     true},
};

// The words of every command, in the table's order, for the help.
QStringList commandWords()
{
    QStringList words;
    for (const Command &c : Commands)
        words << QString::fromLatin1(c.words);
    return words;
}

QStringList ownWords(const Command &command)
{
    return QString::fromLatin1(command.words).split(QLatin1Char(' '));
}

// The command whose own words begin the given ones.
const Command *findCommand(const QStringList &words)
{
    for (const Command &c : Commands) {
        const QStringList own = ownWords(c);
        if (words.mid(0, own.size()) == own)
            return &c;
    }
    return nullptr;
}

int unknownWords(const QStringList &words)
{
    return usage(QStringLiteral("ไม่รู้จักคำสั่ง: %1").arg(words.join(QLatin1Char(' '))));
}

int run(const Command *command, const QCommandLineParser &args, const QStringList &words,
        db::Connection *connection)
{
    if (!command)
        return unknownWords(words);
    const qsizetype own = ownWords(*command).size();
    const qsizetype least = own + command->operands;
    if (words.size() < least || (words.size() > least && !command->moreWords))
        return command->form ? usage(QString::fromUtf8(command->form)) : unknownWords(words);
    return command->run({args, words.mid(own), connection});
}

// Whether an option of that name takes no value: the tool's own switches and the reports'.
bool isSwitch(const QString &name)
{
    if (name == QLatin1String("trace") || name == QLatin1String("help"))
        return true;
    for (const admin::ReportCommand &command : admin::reportCommands()) {
        for (const admin::ReportOption &option : command.options) {
            if (name == QLatin1String(option.name))
                return !admin::takesValue(name);
        }
    }
    return false;
}

// Why the parser refused the report command's options, in one Thai line: an unknown option, a
// switch given a value, or a value option last on the line with none.
QString reportParseProblem(const QCommandLineParser &args)
{
    if (!args.unknownOptionNames().isEmpty()) {
        const QString name = args.unknownOptionNames().first();
        return QStringLiteral("ไม่รู้จักตัวเลือก: ") +
               (name.size() > 1 ? QStringLiteral("--") : QStringLiteral("-")) + name;
    }
    const QStringList raw = QCoreApplication::arguments();
    for (const QString &a : raw) {
        const QString name = a.mid(2).section(u'=', 0, 0);
        if (a.startsWith(QLatin1String("--")) && a.contains(u'=') && isSwitch(name))
            return QStringLiteral("--%1 ไม่รับค่า").arg(name);
    }
    const QString last = raw.last();
    if (last.startsWith(u'-'))
        return QStringLiteral("ต้องระบุค่าหลัง ") + last;
    return QStringLiteral("ตัวเลือกไม่ถูกต้อง: ") + args.errorText();
}

void addOptions(QCommandLineParser &args)
{
    args.addOption(
        {QStringLiteral("catalog"), QStringLiteral("catalog URL"), QStringLiteral("URL")});
    args.addOption({QStringLiteral("user"), QStringLiteral("user name"), QStringLiteral("NAME")});
    args.addOption({QStringLiteral("password"), QStringLiteral("password"), QStringLiteral("PW")});
    args.addOption({QStringLiteral("level"), QStringLiteral("access level"), QStringLiteral("N")});
    args.addOption({QStringLiteral("from"), QStringLiteral("first year (Buddhist era)"),
                    QStringLiteral("YYYY")});
    args.addOption(
        {QStringLiteral("to"), QStringLiteral("last year (Buddhist era)"), QStringLiteral("YYYY")});
    args.addOption({QStringLiteral("trace"), QStringLiteral("print every statement sent")});
    args.addOption(
        {QStringLiteral("xlsx"), QStringLiteral("report workbook"), QStringLiteral("FILE")});
    admin::addGuaranteeOptions(args);
    admin::addTableOptions(args);
    admin::addReferenceOptions(args);
    QStringList reportOptions;
    for (const admin::ReportCommand &command : admin::reportCommands()) {
        for (const admin::ReportOption &option : command.options) {
            const QString name = QLatin1String(option.name);
            if (reportOptions.contains(name))
                continue;
            reportOptions << name;
            if (admin::takesValue(name))
                args.addOption({name, QStringLiteral("report criterion"), QStringLiteral("TEXT")});
            else
                args.addOption({name, QStringLiteral("report criterion")});
        }
    }
    admin::addNoticeOptions(args);
    admin::addSummaryOptions(args);
    args.addHelpOption();
    args.addVersionOption();
}

} // namespace

int main(int argc, char *argv[])
{
    const auto app = admin::makeApplication(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("vostrel-admin"));
    QCoreApplication::setApplicationVersion(programVersion());

    QCommandLineParser args;
    addOptions(args);
    const bool parsed = args.parse(QCoreApplication::arguments());
    const QStringList words = args.positionalArguments();
    if (!parsed && words.value(0) == QLatin1String("report"))
        return refuse(reportParseProblem(args));
    if (!parsed && words.value(0) == QLatin1String("summary"))
        return refuse(reportParseProblem(args));
    if (!parsed)
        return usage(args.errorText());
    if (args.isSet(QStringLiteral("help")) && words.isEmpty()) {
        // A bare --help stays the usage, on standard error with exit status 2 (the tests of the
        // command words hold it to that); what every command and option does follows it.
        usage(QString());
        err() << '\n' << admin::toolHelp(commandWords());
        err().flush();
        return UsageError;
    }
    if (args.isSet(QStringLiteral("help"))) {
        const QString help = admin::commandHelp(words, commandWords());
        if (help.isEmpty())
            return unknownWords(words);
        out() << help;
        return Ok;
    }
    if (args.isSet(QStringLiteral("version"))) {
        out() << QStringLiteral("vostrel-admin %1\n").arg(programVersion());
        return Ok;
    }
    if (words.isEmpty())
        return usage(QString());

    const Command *command = findCommand(words);
    try {
        // The catalog is named before the words are checked: one that cannot be named is refused
        // even under words that are no command.
        if (command && !command->needsCatalog)
            return run(command, args, words, nullptr);
        db::Connection connection(catalogFrom(args));
        if (args.isSet(QStringLiteral("trace")))
            connection.setObserver([](const QString &s) { err() << s << "\n--\n"; });
        return run(command, args, words, &connection);
    } catch (const Failure &e) {
        err() << e.message() << '\n';
        err().flush();
        return Refused;
    }
}
