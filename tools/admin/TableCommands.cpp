#include "admin/TableCommands.h"

#include "admin/GivenOptions.h"
#include "data/Connection.h"
#include "data/TableText.h"
#include "data/schema.h"

#include <QCommandLineParser>
#include <QFile>
#include <QSaveFile>
#include <QTextStream>

namespace admin {

namespace {

const schema::Table *tableNamed(const QString &name, QString &problem)
{
    if (const schema::Table *t = schema::findTable(name))
        return t;
    QStringList names;
    for (const schema::Table &t : schema::tables())
        names << QLatin1String(t.name);
    problem = QStringLiteral("ไม่มีตาราง %1 (มี %2)").arg(name, names.join(QStringLiteral(", ")));
    return nullptr;
}

bool readEncoding(const QCommandLineParser &args, table_text::Encoding &encoding, QString &problem)
{
    encoding = table_text::Encoding::Utf8;
    if (!args.isSet(QStringLiteral("encoding")))
        return true;
    const QString name = args.value(QStringLiteral("encoding"));
    if (table_text::encodingNamed(name, encoding))
        return true;
    problem = QStringLiteral("--encoding: \"%1\" ต้องเป็น utf-8 หรือ tis-620").arg(name);
    return false;
}

// The catalog must have been made: a load or dump of a file that is no catalog says so.
void openCatalog(db::Connection &connection)
{
    connection.open();
    if (!schema::hasTables(connection))
        throw db::Error(QStringLiteral("ฐานข้อมูล %1 ยังไม่มีตาราง (สร้างด้วย vostrel-admin init ก่อน)")
                            .arg(connection.location().describe()));
}

} // namespace

void addTableOptions(QCommandLineParser &args)
{
    args.addOption(
        {QStringLiteral("encoding"), QStringLiteral("text encoding"), QStringLiteral("NAME")});
    args.addOption({QStringLiteral("separator"), QStringLiteral("field separator"),
                    QStringLiteral("comma|tab")});
    args.addOption({QStringLiteral("replace"), QStringLiteral("delete the table's rows first")});
}

int loadTable(const CommandCall &call)
{
    QString problem;
    const schema::Table *table = tableNamed(call.operands.at(0), problem);
    table_text::LoadOptions options;
    if (!table || !readEncoding(call.args, options.encoding, problem))
        return refuse(call.err, problem);
    if (call.args.isSet(QStringLiteral("separator")))
        return refuse(call.err, QStringLiteral("--separator ใช้กับ dump: load รู้ตัวคั่นจากบรรทัดหัวตาราง"));
    options.replace = call.args.isSet(QStringLiteral("replace"));
    const QString path = call.operands.at(1);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return refuse(call.err, QStringLiteral("เปิดแฟ้ม %1 ไม่ได้: %2").arg(path, file.errorString()));
    const QByteArray bytes = file.readAll();
    file.close();

    openCatalog(call.connection);
    int stored = 0;
    try {
        stored = table_text::load(call.connection, *table, bytes, options);
    } catch (const table_text::InputError &e) {
        return refuse(call.err, QStringLiteral("%1: %2 (ไม่ได้บันทึกแถวใด)").arg(path, e.message()));
    }
    call.out << QStringLiteral("บันทึก %1 แถวลงตาราง %2 เรียบร้อยแล้ว\n")
                    .arg(stored)
                    .arg(QLatin1String(table->name));
    return 0;
}

int dumpTable(const CommandCall &call)
{
    QString problem;
    const schema::Table *table = tableNamed(call.operands.at(0), problem);
    table_text::Encoding encoding;
    if (!table || !readEncoding(call.args, encoding, problem))
        return refuse(call.err, problem);
    if (call.operands.size() > 2)
        return refuse(call.err, QString::fromUtf8(DumpForm));
    if (call.args.isSet(QStringLiteral("replace")))
        return refuse(call.err, QStringLiteral("--replace ใช้กับ load"));
    QChar separator = u',';
    if (call.args.isSet(QStringLiteral("separator"))) {
        const QString s = call.args.value(QStringLiteral("separator"));
        if (s == QLatin1String("tab"))
            separator = u'\t';
        else if (s != QLatin1String("comma"))
            return refuse(call.err,
                          QStringLiteral("--separator: \"%1\" ต้องเป็น comma หรือ tab").arg(s));
    }

    openCatalog(call.connection);
    QByteArray text;
    try {
        text = table_text::dump(call.connection, *table, encoding, separator);
    } catch (const table_text::InputError &e) {
        return refuse(call.err, e.message());
    }
    if (call.operands.size() == 1) {
        call.out.flush();
        QFile out;
        if (!out.open(stdout, QIODevice::WriteOnly) || out.write(text) != text.size())
            return refuse(call.err, QStringLiteral("เขียนออกทาง standard output ไม่ได้"));
        return 0;
    }
    const QString path = call.operands.at(1);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit())
        return refuse(call.err,
                      QStringLiteral("เขียนแฟ้ม %1 ไม่ได้: %2").arg(path, file.errorString()));
    call.out << QStringLiteral("เขียนตาราง %1 ลงแฟ้ม %2 เรียบร้อยแล้ว\n")
                    .arg(QLatin1String(table->name), path);
    return 0;
}

} // namespace admin
