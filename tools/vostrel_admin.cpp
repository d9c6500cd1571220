// vostrel-admin: makes catalogs, adds users and loads demo data.

#include "admin/Admin.h"
#include "admin/Notice.h"
#include "core/Calendar.h"
#include "core/ImportRows.h"
#include "core/WorkDays.h"
#include "data/Connection.h"
#include "data/Deployment.h"
#include "spreadsheet/SpreadsheetError.h"
#include "spreadsheet/Workbook.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>

namespace {

const char *const Usage = R"(ใช้งาน:
  vostrel-admin init     [--catalog URL] --user NAME --password PW --level N
  vostrel-admin user add [--catalog URL] --user NAME --password PW --level N
  vostrel-admin demo     [--catalog URL]
  vostrel-admin calendar generate --from YYYY --to YYYY [--catalog URL]   (ปี พ.ศ.)
  vostrel-admin holidays mark [--catalog URL]
  vostrel-admin count START END [--catalog URL]   (พิมพ์: วันทั้งหมด วันหยุด วันทำการ)
  vostrel-admin import kvsis|stopdays|erp FILE [--catalog URL]
  vostrel-admin preview kvsis|stopdays|erp FILE
  vostrel-admin notice KEY --pdf FILE [--place bank|finance] [--catalog URL]

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

// The preview the import screen would show; a cell that stops the read is an error here.
ImportPreview readWorkbook(ImportKind kind, const QString &file)
{
    const auto sheet = spreadsheet::openWorkbook(file);
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

int usage(const QString &problem)
{
    if (!problem.isEmpty())
        err() << problem << '\n';
    err() << QString::fromUtf8(Usage);
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
    in.connection->open();
    admin::addUser(*in.connection, user);
    out() << QStringLiteral("เพิ่มผู้ใช้ %1 (ระดับ %2) เรียบร้อยแล้ว\n").arg(user.name).arg(user.level);
    return Ok;
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

int runCount(const Invocation &in)
{
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
    const ImportPreview preview = readWorkbook(kind, in.operands.at(1));
    in.connection->open();
    ImportResult result;
    savePreview(kind, *in.connection, preview.rows, result);
    out() << QStringLiteral("inserted %1 updated %2 not_found %3 skipped %4\n")
                 .arg(result.inserted)
                 .arg(result.updated)
                 .arg(result.notFound)
                 .arg(result.skipped);
    return Ok;
}

int runPreview(const Invocation &in)
{
    ImportKind kind;
    if (!importKind(in.operands.at(0), kind))
        return usage(QString::fromUtf8(PreviewForm));
    const ImportPreview preview = readWorkbook(kind, in.operands.at(1));
    QStringList header;
    for (const ImportColumn &c : importLayoutOf(kind).columns)
        header << c.header;
    out() << header.join(QLatin1Char('\t')) << '\n';
    for (const QStringList &row : preview.rows)
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
};

const Command Commands[] = {
    {"init", 0, nullptr, true, runInit},
    {"user add", 0, nullptr, true, runUserAdd},
    {"demo", 0, nullptr, true, runDemo},
    {"calendar generate", 0, nullptr, true, runCalendarGenerate},
    {"holidays mark", 0, nullptr, true, runHolidaysMark},
    {"count", 2, nullptr, true, runCount},
    {"import", 2, ImportForm, true, runImport},
    {"preview", 2, PreviewForm, false, runPreview},
    {"notice", 1, admin::NoticeForm, true, runNoticeCommand},
};

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
    if (words.size() != own + command->operands)
        return command->form ? usage(QString::fromUtf8(command->form)) : unknownWords(words);
    return command->run({args, words.mid(own), connection});
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
    admin::addNoticeOptions(args);
    args.addHelpOption();
}

} // namespace

int main(int argc, char *argv[])
{
    const auto app = admin::makeApplication(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("vostrel-admin"));

    QCommandLineParser args;
    addOptions(args);
    if (!args.parse(QCoreApplication::arguments()))
        return usage(args.errorText());
    const QStringList words = args.positionalArguments();
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
