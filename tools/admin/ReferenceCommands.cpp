#include "admin/ReferenceCommands.h"

#include "admin/Admin.h"
#include "admin/GivenOptions.h"
#include "admin/ReportCommand.h"
#include "data/Connection.h"
#include "data/schema.h"

#include <QCommandLineParser>
#include <QTextStream>

using reference::TableId;

namespace admin {

namespace {

// Which option gives which column of the table.
struct OptionColumn {
    const char *option;
    const char *column;
};

struct TableCommand {
    TableId table;
    const char *word; // the command's first word
    QList<OptionColumn> options;
    const char *keyOption = nullptr; // none: the key is the operand
};

const TableCommand Tables[] = {
    {TableId::Officers, "person", {{"name", "Per_Name"}, {"active", "Per_status"}}},
    {TableId::DocTypes, "doctype", {{"name", "DocType_Name"}}},
    {TableId::Users, "user", {{"password", "Password"}, {"level", "U_Level"}}, "user"},
    {TableId::Holidays, "holiday", {{"name", "SD_Remark"}}},
};

const TableCommand &commandOf(TableId table)
{
    return Tables[static_cast<int>(table)];
}

const char *actionWord(ReferenceAction action)
{
    switch (action) {
    case ReferenceAction::Add:
        return "add";
    case ReferenceAction::Set:
        return "set";
    case ReferenceAction::Remove:
        return "remove";
    case ReferenceAction::List:
        return "list";
    }
    return "";
}

// The options the command takes: the key option, and for add and set the table's own.
QStringList allowedOptions(const TableCommand &command, ReferenceAction action)
{
    QStringList allowed;
    if (command.keyOption && action != ReferenceAction::List)
        allowed << QLatin1String(command.keyOption);
    if (action == ReferenceAction::Add || action == ReferenceAction::Set) {
        for (const OptionColumn &o : command.options)
            allowed << QLatin1String(o.option);
    }
    return allowed;
}

// The option's text as the column stores it; an empty text and a problem when it has none.
QString columnValue(const OptionColumn &o, const QString &text, QString &problem)
{
    if (qstrcmp(o.option, "active") != 0)
        return text;
    if (text == QLatin1String("yes"))
        return schema::code::PersonActive;
    if (text == QLatin1String("no"))
        return schema::code::PersonInactive;
    problem = QStringLiteral("--active: \"%1\" ต้องเป็น yes (ใช้งาน) หรือ no (ไม่ใช้งาน)").arg(text);
    return {};
}

// The refusal's line, naming the option that gives the field at fault.
QString refusalLine(const TableCommand &command, const reference::Outcome &outcome)
{
    const reference::Rules &rules = reference::rulesOf(command.table);
    if (outcome.field < 0 || outcome.field >= rules.fields.size())
        return outcome.refusal;
    const QString column = QLatin1String(rules.fields.at(outcome.field).column);
    if (outcome.field == 0 && command.keyOption)
        return outcome.refusal + QStringLiteral(" (--%1)").arg(QLatin1String(command.keyOption));
    for (const OptionColumn &o : command.options) {
        if (column == QLatin1String(o.column))
            return outcome.refusal + QStringLiteral(" (--%1)").arg(QLatin1String(o.option));
    }
    return outcome.refusal;
}

int list(const CommandCall &call, TableId table)
{
    const reference::Rules &rules = reference::rulesOf(table);
    call.connection.open();
    QStringList header;
    for (const reference::Field &f : rules.fields) {
        if (f.listed)
            header << QLatin1String(f.column);
    }
    call.out << header.join(u'\t') << '\n';
    for (const QStringList &row : reference::list(call.connection, table))
        call.out << row.join(u'\t') << '\n';
    return 0;
}

QString doneLine(ReferenceAction action, const reference::Rules &rules, const QString &key)
{
    const QString verb = action == ReferenceAction::Add   ? QStringLiteral("เพิ่ม")
                         : action == ReferenceAction::Set ? QStringLiteral("แก้ไข")
                                                          : QStringLiteral("ลบ");
    return QStringLiteral("%1%2 %3 เรียบร้อยแล้ว").arg(verb, QString::fromUtf8(rules.noun), key);
}

int write(const CommandCall &call, const TableCommand &command, ReferenceAction action,
          const QString &key, const reference::Values &values)
{
    const reference::Rules &rules = reference::rulesOf(command.table);
    if (action == ReferenceAction::Set && values.isEmpty()) {
        QStringList options;
        for (const OptionColumn &o : command.options)
            options << QStringLiteral("--") + QLatin1String(o.option);
        return refuse(
            call.err,
            QStringLiteral("ไม่มีข้อมูลที่จะเปลี่ยน: ระบุ %1").arg(options.join(QStringLiteral(" หรือ "))));
    }
    // What can be judged without the catalog is refused before it is opened. A key is judged
    // only when it is new: a stored one is looked up as it stands.
    reference::Values whole = values;
    if (action == ReferenceAction::Add)
        whole.insert(QLatin1String(rules.key().column), key);
    reference::Outcome outcome =
        reference::checkValues(rules, whole, action == ReferenceAction::Add);
    if (!outcome.ok())
        return refuse(call.err, refusalLine(command, outcome));
    call.connection.open();
    switch (action) {
    case ReferenceAction::Add:
        outcome = reference::add(call.connection, command.table, whole);
        break;
    case ReferenceAction::Set:
        outcome = reference::change(call.connection, command.table, key, values);
        break;
    default:
        outcome = reference::remove(call.connection, command.table, key);
        break;
    }
    if (!outcome.ok())
        return refuse(call.err, refusalLine(command, outcome));
    call.out << doneLine(action, rules, key.trimmed()) << '\n';
    return 0;
}

} // namespace

void addReferenceOptions(QCommandLineParser &args)
{
    args.addOption({QStringLiteral("name"), QStringLiteral("name"), QStringLiteral("TEXT")});
    args.addOption(
        {QStringLiteral("active"), QStringLiteral("officer in use"), QStringLiteral("yes|no")});
}

int referenceCommand(TableId table, ReferenceAction action, const CommandCall &call)
{
    const TableCommand &command = commandOf(table);
    const QList<GivenOption> given = optionsGiven(call.args);
    const QString owner = QStringLiteral("คำสั่ง %1 %2")
                              .arg(QLatin1String(command.word), QLatin1String(actionWord(action)));
    QString problem = checkGiven(owner, allowedOptions(command, action), given);
    if (!problem.isEmpty())
        return refuse(call.err, problem);
    if (action == ReferenceAction::List)
        return list(call, table);

    QString key;
    reference::Values values;
    for (const GivenOption &g : given) {
        if (command.keyOption && g.name == QLatin1String(command.keyOption)) {
            key = g.value.value_or(QString());
            continue;
        }
        for (const OptionColumn &o : command.options) {
            if (g.name == QLatin1String(o.option))
                values.insert(QLatin1String(o.column), columnValue(o, *g.value, problem));
        }
        if (!problem.isEmpty())
            return refuse(call.err, problem);
    }
    if (!command.keyOption)
        key = call.operands.at(0);
    else if (!call.args.isSet(QLatin1String(command.keyOption)))
        return refuse(call.err,
                      QStringLiteral("ต้องระบุ --%1").arg(QLatin1String(command.keyOption)));
    return write(call, command, action, key, values);
}

int userAdd(const CommandCall &call, const User &user)
{
    const reference::Values values{{QStringLiteral("Password"), user.password},
                                   {QStringLiteral("U_Level"), QString::number(user.level)}};
    return write(call, commandOf(TableId::Users), ReferenceAction::Add, user.name, values);
}

} // namespace admin
