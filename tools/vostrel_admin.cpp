// vostrel-admin: makes catalogs, adds users and loads demo data.

#include "admin/Admin.h"
#include "core/Calendar.h"
#include "core/Import_Rows.h"
#include "core/Work_Days.h"
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

URL:  sqlite:PATH  หรือ  postgresql://USER@HOST[:PORT]/DB
ไม่ระบุ --catalog: ใช้ฐานข้อมูลตามแฟ้มตั้งค่า (ปกติคือฐานข้อมูลในเครื่อง)
)";

enum Exit { Ok = 0, Refused = 1, UsageError = 2 };

bool importKind(const QString &word, Import_Kind &kind)
{
    if (word == QLatin1String("kvsis"))
        kind = Import_Kind::Kvsis;
    else if (word == QLatin1String("stopdays"))
        kind = Import_Kind::StopDays;
    else if (word == QLatin1String("erp"))
        kind = Import_Kind::Erp;
    else
        return false;
    return true;
}

// The preview the import screen would show; a cell that stops the read is an error here.
Import_Preview readWorkbook(Import_Kind kind, const QString &file)
{
    const auto sheet = spreadsheet::openWorkbook(file);
    Import_Preview preview = Read_Preview(kind, *sheet);
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

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("vostrel-admin"));

    QCommandLineParser args;
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
    args.addHelpOption();
    if (!args.parse(QCoreApplication::arguments()))
        return usage(args.errorText());

    const QStringList words = args.positionalArguments();
    if (words.isEmpty())
        return usage(QString());
    const QString command = words.first();

    if (command == QLatin1String("preview")) {
        Import_Kind kind;
        if (words.size() != 3 || !importKind(words.at(1), kind))
            return usage(QStringLiteral("ใช้: vostrel-admin preview kvsis|stopdays|erp FILE"));
        try {
            const Import_Preview preview = readWorkbook(kind, words.at(2));
            QStringList header;
            for (const Import_Column &c : Import_Layout_Of(kind).columns)
                header << c.header;
            out() << header.join(QLatin1Char('\t')) << '\n';
            for (const QStringList &row : preview.rows)
                out() << row.join(QLatin1Char('\t')) << '\n';
            return Ok;
        } catch (const spreadsheet::Error &e) {
            err() << e.message() << '\n';
            err().flush();
            return Refused;
        }
    }

    try {
        db::Connection connection(catalogFrom(args));
        if (args.isSet(QStringLiteral("trace")))
            connection.setObserver([](const QString &s) { err() << s << "\n--\n"; });

        if (command == QLatin1String("init") && words.size() == 1) {
            admin::User first;
            QString problem;
            if (!readUser(args, first, problem))
                return usage(problem);
            admin::checkUser(first);
            connection.open(db::Connection::OpenMode::Create);
            admin::initCatalog(connection, first);
            out() << QStringLiteral("สร้างฐานข้อมูล %1 เรียบร้อยแล้ว ผู้ใช้แรก: %2 (ระดับ %3)\n")
                         .arg(connection.location().describe(), first.name)
                         .arg(first.level);
            return Ok;
        }
        if (command == QLatin1String("user") && words.size() == 2 &&
            words.at(1) == QLatin1String("add")) {
            admin::User user;
            QString problem;
            if (!readUser(args, user, problem))
                return usage(problem);
            connection.open();
            admin::addUser(connection, user);
            out() << QStringLiteral("เพิ่มผู้ใช้ %1 (ระดับ %2) เรียบร้อยแล้ว\n")
                         .arg(user.name)
                         .arg(user.level);
            return Ok;
        }
        if (command == QLatin1String("demo") && words.size() == 1) {
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
        if (command == QLatin1String("calendar") && words.size() == 2 &&
            words.at(1) == QLatin1String("generate")) {
            bool okFrom = false;
            bool okTo = false;
            const int from = args.value(QStringLiteral("from")).trimmed().toInt(&okFrom);
            const int to = args.value(QStringLiteral("to")).trimmed().toInt(&okTo);
            if (!okFrom || !okTo)
                return usage(QStringLiteral("ต้องระบุ --from และ --to เป็นปี พ.ศ. (ตัวเลข)"));
            connection.open();
            const int inserted = Generate_Calendar(connection, from, to);
            out() << QStringLiteral("เพิ่มวันในปฏิทิน %1 วัน (ปี %2 ถึง %3)\n")
                         .arg(inserted)
                         .arg(from)
                         .arg(to);
            return Ok;
        }
        if (command == QLatin1String("holidays") && words.size() == 2 &&
            words.at(1) == QLatin1String("mark")) {
            connection.open();
            const int marked = Mark_Holidays(connection);
            out() << QStringLiteral("ประมวลผลวันหยุดประจำปี %1 รายการ เรียบร้อยแล้ว\n").arg(marked);
            return Ok;
        }
        if (command == QLatin1String("count") && words.size() == 3) {
            connection.open();
            out() << Day_Counts_Text(Count_Work_Days(connection, words.at(1), words.at(2))) << '\n';
            return Ok;
        }
        if (command == QLatin1String("import")) {
            Import_Kind kind;
            if (words.size() != 3 || !importKind(words.at(1), kind))
                return usage(QStringLiteral("ใช้: vostrel-admin import kvsis|stopdays|erp FILE"));
            const Import_Preview preview = readWorkbook(kind, words.at(2));
            connection.open();
            Import_Result result;
            Save_Preview(kind, connection, preview.rows, result);
            out() << QStringLiteral("inserted %1 updated %2 not_found %3 skipped %4\n")
                         .arg(result.inserted)
                         .arg(result.updated)
                         .arg(result.notFound)
                         .arg(result.skipped);
            return Ok;
        }
        return usage(QStringLiteral("ไม่รู้จักคำสั่ง: %1").arg(words.join(QLatin1Char(' '))));
    } catch (const Failure &e) {
        err() << e.message() << '\n';
        err().flush();
        return Refused;
    }
}
