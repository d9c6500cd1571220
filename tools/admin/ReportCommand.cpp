#include "admin/ReportCommand.h"

#include "admin/OptionTexts.h"
#include "core/Reports.h"
#include "print/TablePdf.h"

#include <QFile>
#include <QFileInfo>
#include <cstdio>

using criteria::Criterion;
using criteria::Input;

namespace admin {

namespace {

// The seven criteria the document reports share.
QList<ReportOption> documentOptions()
{
    return {{"doc-number", "edtDocNumber1"}, {"doc-date", "edtDocDate1"},
            {"topic", "edtTopic1"},          {"deega-no", "edtDeega_No1"},
            {"officer", "cmbPer_Code1"},     {"cheque", "cmbIS_Rec_Cheq1"},
            {"success", "cmbIS_Success1"}};
}

QList<ReportOption> daysInDivisionOptions()
{
    return documentOptions() << ReportOption{"entered", "edtDocNoDate_Beg1"}
                             << ReportOption{"status", "cmbDocStatus1"};
}

spreadsheet::ReportLayout daysToPaymentLayout(const criteria::Entered &entered)
{
    // The type line goes into the workbook when the type box is ticked.
    const auto &type = entered.value(1);
    return spreadsheet::daysToPaymentLayout(type ? spreadsheet::docTypeLine(type->value(0))
                                                 : QString());
}

// Where an option lands: the criterion, and whether it is the criterion's off button.
struct Target {
    qsizetype index = -1;
    bool off = false;
};

Target targetOf(const report::Shape &shape, const ReportOption &option)
{
    const QString control = QLatin1String(option.control);
    for (qsizetype i = 0; i < shape.criteria.size(); ++i) {
        const Criterion &c = shape.criteria.at(i);
        if (c.field == control)
            return {i, false};
        if (!c.offButton.isEmpty() && c.offButton == control)
            return {i, true};
    }
    return {};
}

const ReportOption *findOption(const ReportCommand &command, const QString &name)
{
    for (const ReportOption &o : command.options) {
        if (name == QLatin1String(o.name))
            return &o;
    }
    return nullptr;
}

QString dashed(const QString &name)
{
    return QStringLiteral("--") + name;
}

// The problem with an option's texts, or an empty text.
QString checkValues(const ReportOption &option, const Criterion &c, const QStringList &values)
{
    const QString name = dashed(QLatin1String(option.name));
    for (const QString &v : values) {
        if (option.form == ValueForm::Year) {
            if (!isYearText(v))
                return notYearText(name, v);
            continue;
        }
        switch (c.input) {
        case Input::Date:
        case Input::DateRange:
            if (!isDateText(v))
                return notDateText(name, v);
            break;
        case Input::MonthYear:
            if (!isMonthYearText(v))
                return notMonthYearText(name, v);
            break;
        case Input::Text:
        case Input::Choice:
            break;
        }
    }
    return {};
}

// The option that sets the criterion at index.
QString optionFor(const ReportCommand &command, const report::Shape &shape, qsizetype index)
{
    for (const ReportOption &o : command.options) {
        const Target t = targetOf(shape, o);
        if (t.index == index && !t.off)
            return dashed(QLatin1String(o.name));
    }
    return shape.criteria.at(index).caption;
}

} // namespace

const QList<ReportCommand> &reportCommands()
{
    using Entered = criteria::Entered;
    static const QList<ReportCommand> list{
        {"days-in-division", daysInDivisionOptions(),
         [](const Entered &) { return spreadsheet::daysInDivisionLayout(); }},
        {"movement", documentOptions(),
         [](const Entered &) { return spreadsheet::movementDetailLayout(); }},
        {"by-doc-type",
         {{"type", "cmbDocType_Code"},
          {"officer", "cmbPer_Code1"},
          {"cheque", "cmbIS_Rec_Cheq1"},
          {"success", "cmbIS_Success1"}},
         [](const Entered &) { return spreadsheet::byDocTypeLayout(); }},
        {"days-to-payment",
         {{"clearing-month", "edtClearing_Date"}, {"type", "cmbDocType_Code2"}},
         daysToPaymentLayout},
        {"calendar-of-year",
         {{"year", "edtSel_Year", ValueForm::Year}, {"all", "RadioButton1"}},
         [](const Entered &) { return spreadsheet::calendarOfYearLayout(); }},
    };
    return list;
}

const ReportCommand *findReportCommand(const QString &name)
{
    for (const ReportCommand &c : reportCommands()) {
        if (name == QLatin1String(c.name))
            return &c;
    }
    return nullptr;
}

report::Shape shapeOf(const ReportCommand &command)
{
    for (const reports::Named &n : reports::all()) {
        if (n.name == QLatin1String(command.name))
            return n.shape();
    }
    return {};
}

QString optionForm(const ReportCommand &command, const ReportOption &option)
{
    const report::Shape shape = shapeOf(command);
    const Target t = targetOf(shape, option);
    QString form = dashed(QLatin1String(option.name));
    if (t.index >= 0 && !t.off) {
        const Criterion &c = shape.criteria.at(t.index);
        if (option.form == ValueForm::Year)
            form += QStringLiteral(" YYYY");
        else if (c.input == Input::Date)
            form += QStringLiteral(" DD/MM/YYYY");
        else if (c.input == Input::DateRange)
            form += QStringLiteral(" FROM TO");
        else if (c.input == Input::MonthYear)
            form += QStringLiteral(" MM/YYYY");
        else
            form += QStringLiteral(" TEXT");
        if (c.toggle == criteria::Switch::Always)
            return form;
    }
    return u'[' + form + u']';
}

bool takesValue(const QString &option)
{
    for (const ReportCommand &command : reportCommands()) {
        const ReportOption *o = findOption(command, option);
        if (o)
            return !targetOf(shapeOf(command), *o).off;
    }
    return false;
}

QString readReportOptions(const ReportCommand &command, const report::Shape &shape,
                          const QList<GivenOption> &given, QStringList moreWords,
                          Settings &settings)
{
    const QString report = QLatin1String(command.name);
    settings = Settings(shape.criteria.size());
    QStringList setBy(shape.criteria.size()); // the option that set each criterion
    for (const GivenOption &g : given) {
        const ReportOption *option = findOption(command, g.name);
        const Target t = option ? targetOf(shape, *option) : Target{};
        if (t.index < 0)
            return QStringLiteral("รายงาน %1 ไม่มีตัวเลือก %2").arg(report, dashed(g.name));
        QString &by = setBy[t.index];
        if (by == g.name)
            return QStringLiteral("ระบุ %1 ซ้ำ").arg(dashed(g.name));
        if (!by.isEmpty())
            return QStringLiteral("ระบุ %1 และ %2 พร้อมกันไม่ได้").arg(dashed(by), dashed(g.name));
        by = g.name;
        Setting &s = settings[t.index];
        s.given = true;
        if (t.off)
            continue;
        const Criterion &c = shape.criteria.at(t.index);
        QStringList values{g.value.value_or(QString())};
        if (c.input == Input::DateRange) {
            if (moreWords.isEmpty())
                return QStringLiteral("%1 ต้องตามด้วยวันที่สองวัน: จากวันที่ ถึงวันที่").arg(dashed(g.name));
            values << moreWords.takeFirst();
        }
        const QString problem = checkValues(*option, c, values);
        if (!problem.isEmpty())
            return problem;
        // A day given as D/M/YYYY reaches the statement as a fully typed box gives it.
        if (option->form != ValueForm::Year &&
            (c.input == Input::Date || c.input == Input::DateRange)) {
            for (QString &v : values)
                v = dateOption(v);
        }
        s.values = values;
    }
    if (!moreWords.isEmpty())
        return QStringLiteral("มีคำเกินมา: %1").arg(moreWords.join(QLatin1Char(' ')));
    // A criterion with no box to tick has no opening state to fall back on.
    for (qsizetype i = 0; i < shape.criteria.size(); ++i) {
        if (shape.criteria.at(i).toggle == criteria::Switch::Always && !settings.at(i).given)
            return QStringLiteral("รายงาน %1 ต้องระบุ %2").arg(report, optionFor(command, shape, i));
    }
    return {};
}

criteria::Entered enteredOf(const report::Shape &shape, const Settings &settings,
                            const std::function<QString()> &todayThai)
{
    criteria::Entered out;
    for (qsizetype i = 0; i < shape.criteria.size(); ++i) {
        const Criterion &c = shape.criteria.at(i);
        const Setting s = settings.value(i);
        if (s.given)
            out.append(s.values);
        else if (c.toggle == criteria::Switch::RadioPair && c.onAtStart)
            out.append(QStringList{criteria::initialText(c, todayThai(), c.items)});
        else
            out.append(std::nullopt);
    }
    return out;
}

spreadsheet::ReportTable reportTable(const QStringList &header, const QList<QStringList> &rows)
{
    spreadsheet::ReportTable table;
    table.cols = static_cast<int>(header.size());
    table.rows = static_cast<int>(rows.size()) + 1;
    table.cell = [&header, &rows](int col, int row) {
        return row == 0 ? header.value(col) : rows.value(row - 1).value(col);
    };
    return table;
}

void writeReportWorkbook(const QString &file, const spreadsheet::ReportTable &table,
                         const spreadsheet::ReportLayout &layout)
{
    const QFileInfo target(file);
    const QString fresh = spreadsheet::exportReport(table, layout, target.absolutePath());
    // rename() replaces a file already there in one step.
    if (std::rename(QFile::encodeName(fresh).constData(),
                    QFile::encodeName(target.absoluteFilePath()).constData()) != 0) {
        QFile::remove(fresh);
        throw spreadsheet::Error(QStringLiteral("ไม่สามารถบันทึกแฟ้มรายงาน %1 ได้").arg(file));
    }
}

void writeReportPdf(const QString &file, const report::Shape &shape,
                    const criteria::Entered &entered, const QList<QStringList> &rows,
                    const QString &printedDate)
{
    print::TablePdf doc;
    doc.title = shape.title;
    doc.criteria = criteria::enteredTexts(shape.criteria, entered);
    doc.header = report::headerRow(shape);
    doc.rows = rows;
    // As the screen's grid has them: a column the shape leaves at 0 keeps the grid's 64 pixels.
    for (int w : report::widths(shape))
        doc.widths << (w > 0 ? w : 64);
    doc.printedDate = printedDate;
    print::writeTablePdf(doc, file);
}

} // namespace admin
