#include "admin/GuaranteeCommand.h"

#include "admin/GivenOptions.h"
#include "admin/OptionTexts.h"
#include "core/Access.h"
#include "core/Messages.h"
#include "data/Connection.h"
#include "data/schema.h"

#include <QCommandLineParser>
#include <QTextStream>

using guarantee::Form;
using guarantee::RegisterBy;

namespace admin {

namespace {

const QString RegisterName = QStringLiteral("guarantee-register");
// What a cleared date box of the entry screen reads.
const QString UntouchedDate = QStringLiteral("  /  /    ");

enum class Kind { Text, Date, Amount, Place, Count };

struct AddOption {
    const char *name;
    Kind kind;
    QString Form::*field = nullptr;
    const char *column = nullptr; // a text: the column whose width bounds it
};

const AddOption AddOptions[] = {
    {"from-site", Kind::Text, &Form::fromSite, "FromSite"},
    {"topic", Kind::Text, &Form::topic, "Topic"},
    {"from-unit", Kind::Text, &Form::fromUnit, "From_Unit"},
    {"amount", Kind::Amount, &Form::amount},
    {"fax", Kind::Text, &Form::vendorFax, "Vendor_Fax"},
    {"tel", Kind::Text, &Form::vendorTel, "Vendor_Tel"},
    {"to-who", Kind::Text, &Form::toWho, "To_Who"},
    {"date", Kind::Date, &Form::docNoDate},
    {"into-fin", Kind::Date, &Form::dateIntoFin},
    {"remark", Kind::Text, &Form::remark, "Deega_Remark"},
    {"place", Kind::Place},
    {"count", Kind::Count},
};

struct RegisterOption {
    const char *name;
    RegisterBy by;
};

const RegisterOption RegisterOptions[] = {
    {"day", RegisterBy::Day}, {"month", RegisterBy::Month}, {"year", RegisterBy::Year}};

const char *const ReceiveDate = "date";

QString dashed(const QString &name)
{
    return QStringLiteral("--") + name;
}

int widthOf(const char *column)
{
    const schema::Table *table = schema::findTable(u"Main_Deega_Control");
    for (const schema::Column &c : table->columns) {
        if (qstrcmp(c.name, column) == 0)
            return c.width;
    }
    return 0;
}

// The problem with one option's text, or an empty text; the form and count take it.
QString readAddOption(const AddOption &option, const QString &value, AddRequest &request)
{
    const QString name = dashed(QLatin1String(option.name));
    switch (option.kind) {
    case Kind::Text: {
        // What the screen's box could not hold, the catalog would not keep.
        const int width = widthOf(option.column);
        if (width > 0 && value.size() > width)
            return QStringLiteral("%1: ยาว %2 ตัวอักษร เกิน %3 ตัวอักษรที่บันทึกได้")
                .arg(name)
                .arg(value.size())
                .arg(width);
        break;
    }
    case Kind::Date:
        if (!isDateText(value))
            return notDateText(name, value);
        request.form.*option.field = dateOption(value);
        return {};
    case Kind::Amount:
        break; // the entry screen's own check, with the others below
    case Kind::Place:
        if (value == QLatin1String("bank"))
            request.form.bank = true;
        else if (value == QLatin1String("finance"))
            request.form.bank = false;
        else
            return QStringLiteral("%1: \"%2\" ต้องเป็น bank (ธนาคาร) หรือ finance (งานการเงิน กองคลัง)")
                .arg(name, value);
        return {};
    case Kind::Count: {
        bool ok = false;
        const int count = value.toInt(&ok);
        if (!ok || count < 1 || count > guarantee::LastNumber)
            return QStringLiteral("%1: \"%2\" ต้องเป็นจำนวนเต็มตั้งแต่ 1 ขึ้นไป").arg(name, value);
        request.count = count;
        return {};
    }
    }
    request.form.*option.field = value;
    return {};
}

} // namespace

void addGuaranteeOptions(QCommandLineParser &args)
{
    QStringList names;
    for (const AddOption &o : AddOptions)
        names << QLatin1String(o.name);
    for (const RegisterOption &o : RegisterOptions)
        names << QLatin1String(o.name);
    names << QLatin1String(ReceiveDate);
    names.removeDuplicates();
    // A report that has the name made it already ("--year").
    QStringList reportNames;
    for (const ReportCommand &command : reportCommands()) {
        for (const ReportOption &option : command.options)
            reportNames << QLatin1String(option.name);
    }
    for (const QString &name : names) {
        if (!reportNames.contains(name))
            args.addOption({name, QStringLiteral("guarantee"), QStringLiteral("TEXT")});
    }
}

QString readAddOptions(const QList<GivenOption> &given, AddRequest &request)
{
    request = AddRequest{};
    // The screen's new form: cleared boxes, the amount box "0.00", the bank chosen.
    request.form.amount = QStringLiteral("0.00");
    request.form.docNoDate = UntouchedDate;
    request.form.dateIntoFin = UntouchedDate;
    request.form.bank = true;

    QStringList allowed;
    for (const AddOption &o : AddOptions)
        allowed << QLatin1String(o.name);
    const QString problem = checkGiven(QStringLiteral("คำสั่ง guarantee add"), allowed, given);
    if (!problem.isEmpty())
        return problem;
    for (const GivenOption &g : given) {
        const AddOption &option = AddOptions[allowed.indexOf(g.name)];
        const QString p = readAddOption(option, g.value.value_or(QString()), request);
        if (!p.isEmpty())
            return p;
    }
    return guarantee::formError(request.form);
}

int guaranteeAdd(const CommandCall &call)
{
    AddRequest request;
    const QString problem = readAddOptions(optionsGiven(call.args), request);
    if (!problem.isEmpty())
        return refuse(call.err, problem);
    db::Connection &c = call.connection;
    c.open();
    // The year of the key is the server's, as the entry screen takes it from the session.
    const QString today = user_access::readStartUpValues(c).Today_Thai;
    for (int i = 0; i < request.count; ++i) {
        // Each its own transaction; a key is printed as soon as its document is saved.
        call.out << guarantee::saveNew(c, request.form, today) << '\n';
        call.out.flush();
    }
    return 0;
}

int guaranteeReceive(const CommandCall &call)
{
    const QString key = call.operands.value(0);
    const QList<GivenOption> given = optionsGiven(call.args);
    QString problem =
        checkGiven(QStringLiteral("คำสั่ง guarantee receive"), {QLatin1String(ReceiveDate)}, given);
    if (!problem.isEmpty())
        return refuse(call.err, problem);
    if (!guarantee::isKey(key))
        return refuse(call.err, QStringLiteral("\"%1\" ไม่ใช่เลขที่เอกสารเงินประกันสัญญา "
                                               "(ต้องมี \"%2\" เป็นตัวอักษรที่ 5 หรือ 7)")
                                    .arg(key, schema::code::GuaranteeMark));
    const QString date = given.isEmpty() ? QString() : given.first().value.value_or(QString());
    if (guarantee::untouchedDate(date))
        return refuse(call.err, QStringLiteral("กรุณาใส่วันที่รับเช็คด้วย (--date DD/MM/YYYY)"));
    if (!isDateText(date))
        return refuse(call.err, notDateText(dashed(QLatin1String(ReceiveDate)), date));
    db::Connection &c = call.connection;
    c.open();
    if (!guarantee::receive(c, key, dateOption(date)))
        return refuse(call.err, QStringLiteral("ไม่พบเอกสารเงินประกันสัญญาเลขที่ %1").arg(key));
    call.out << QStringLiteral("บันทึกวันที่รับเช็ค %1 ของเอกสาร %2 เรียบร้อยแล้ว\n").arg(date, key);
    return 0;
}

int guaranteeRegister(const CommandCall &call)
{
    const QList<GivenOption> given = optionsGiven(call.args);
    // The register screen has no export.
    for (const GivenOption &g : given) {
        if (g.name == QLatin1String("xlsx"))
            return refuse(call.err,
                          QStringLiteral("รายงาน %1 ไม่มีแฟ้ม Excel: ไม่รับ --xlsx").arg(RegisterName));
    }
    QStringList allowed;
    for (const RegisterOption &o : RegisterOptions)
        allowed << QLatin1String(o.name);
    QString problem = checkGiven(QStringLiteral("รายงาน ") + RegisterName, allowed, given);
    if (!problem.isEmpty())
        return refuse(call.err, problem);
    if (given.size() > 1)
        return refuse(call.err, QStringLiteral("ระบุ %1 และ %2 พร้อมกันไม่ได้")
                                    .arg(dashed(given.at(0).name), dashed(given.at(1).name)));
    if (!call.operands.isEmpty())
        return refuse(call.err,
                      QStringLiteral("มีคำเกินมา: %1").arg(call.operands.join(QLatin1Char(' '))));
    if (given.isEmpty())
        return refuse(call.err,
                      QStringLiteral("รายงาน %1 ต้องระบุ --day, --month หรือ --year อย่างใดอย่างหนึ่ง")
                          .arg(RegisterName));
    const GivenOption &choice = given.first();
    const RegisterOption &option = RegisterOptions[allowed.indexOf(choice.name)];
    const QString text = choice.value.value_or(QString());
    const QString name = dashed(choice.name);
    switch (option.by) {
    case RegisterBy::Day:
        problem = isDateText(text) ? QString() : notDateText(name, text);
        break;
    case RegisterBy::Month:
        problem = isMonthYearText(text) ? QString() : notMonthYearText(name, text);
        break;
    case RegisterBy::Year:
        problem = isYearText(text) ? QString() : notYearText(name, text);
        break;
    }
    if (!problem.isEmpty())
        return refuse(call.err, problem);

    db::Connection &c = call.connection;
    c.open();
    const QList<QStringList> rows = guarantee::registerRows(c, option.by, text);
    if (rows.isEmpty()) {
        call.err << msg::NotFound << '\n';
        call.err.flush();
        return 0;
    }
    call.out << guarantee::registerHeaders().join(QLatin1Char('\t')) << '\n';
    for (const QStringList &row : rows)
        call.out << row.join(QLatin1Char('\t')) << '\n';
    return 0;
}

} // namespace admin
