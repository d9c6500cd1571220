#include "admin/SummaryCommand.h"

#include "admin/GivenOptions.h"
#include "admin/OptionTexts.h"
#include "core/Access.h"
#include "core/Messages.h"
#include "data/Connection.h"
#include "data/Deployment.h"
#include "print/TablePdf.h"
#include "spreadsheet/ReportExport.h"
#include "util/ThaiDate.h"

#include <QCommandLineParser>
#include <QTextStream>

namespace admin {

namespace {

const char *const Options[] = {"from", "to", "target", "by", "xlsx", "pdf"};

QString dashed(const char *name)
{
    return QStringLiteral("--") + QLatin1String(name);
}

// The problem with one option's text, or an empty text; the call takes the value.
QString readOne(const QString &name, const QString &value, SummaryCall &call)
{
    if (name == QLatin1String("target")) {
        const std::optional<int> target = summary::targetOf(value);
        if (!target)
            return QStringLiteral("--target: \"%1\" ต้องเป็นจำนวนวันทำการ เลขจำนวนเต็มตั้งแต่ 0 ถึง %2")
                .arg(value)
                .arg(summary::MaxTarget);
        call.request.target = *target;
    } else if (name == QLatin1String("by")) {
        const std::optional<summary::By> by = summary::byOf(value);
        if (!by)
            return QStringLiteral("--by: \"%1\" ต้องเป็น officer, type หรือ month").arg(value);
        call.request.by = *by;
    } else if (name == QLatin1String("xlsx") || name == QLatin1String("pdf")) {
        (name == QLatin1String("xlsx") ? call.xlsx : call.pdf) = value;
        return outputFileProblem(name, value);
    } else {
        if (!isDateText(value))
            return notDateText(QStringLiteral("--") + name, value);
        (name == QLatin1String("from") ? call.request.period.from : call.request.period.to) =
            dateOption(value);
    }
    return {};
}

void writeSummaryPdf(const QString &file, const summary::Listing &l, const QString &today)
{
    print::TablePdf doc;
    doc.title = l.title;
    doc.criteria = l.criteria;
    doc.header = l.header;
    doc.rows = l.rows;
    for (int w : summary::groupWidths())
        doc.widths << w;
    doc.printedDate = today;
    print::writeTablePdf(doc, file);
}

} // namespace

void addSummaryOptions(QCommandLineParser &args)
{
    args.addOption({QStringLiteral("target"), QStringLiteral("summary target (working days)"),
                    QStringLiteral("N")});
    args.addOption({QStringLiteral("by"), QStringLiteral("summary groups"),
                    QStringLiteral("officer|type|month")});
}

QString readSummaryOptions(const QList<GivenOption> &given, int defaultTarget, SummaryCall &call)
{
    call = SummaryCall{};
    call.request.target = defaultTarget;
    QStringList allowed;
    for (const char *o : Options)
        allowed << QLatin1String(o);
    QString problem = checkGiven(QStringLiteral("คำสั่ง summary"), allowed, given);
    if (!problem.isEmpty())
        return problem;
    for (const GivenOption &g : given) {
        problem = readOne(g.name, g.value.value_or(QString()), call);
        if (!problem.isEmpty())
            return problem;
    }
    const summary::Period &p = call.request.period;
    if (p.from.isEmpty() || p.to.isEmpty())
        return QStringLiteral("คำสั่ง summary ต้องระบุ --from และ --to (DD/MM/YYYY ปี พ.ศ.)");
    if (thaiDateOf(p.from) > thaiDateOf(p.to))
        return QStringLiteral("--from %1 อยู่หลัง --to %2").arg(p.from, p.to);
    // One file a run, as the form says: the workbook or the PDF.
    if (!call.xlsx.isEmpty() && !call.pdf.isEmpty())
        return QStringLiteral("ระบุ %1 และ %2 พร้อมกันไม่ได้").arg(dashed("xlsx"), dashed("pdf"));
    return {};
}

int summaryCommand(const CommandCall &call)
{
    SummaryCall asked;
    const QString problem =
        readSummaryOptions(optionsGiven(call.args), Deployment::load().summaryTarget, asked);
    if (!problem.isEmpty())
        return refuse(call.err, problem);
    if (!call.operands.isEmpty())
        return refuse(call.err,
                      QStringLiteral("มีคำเกินมา: %1").arg(call.operands.join(QLatin1Char(' '))));

    db::Connection &c = call.connection;
    c.open();
    const QString today = user_access::readStartUpValues(c).Today_Thai;
    const summary::Summary s = summary::run(c, asked.request, today);
    if (s.finished.isEmpty()) {
        call.err << msg::NotFound << '\n';
        call.err.flush();
        return 0;
    }
    // The file the summary screen saves, its groups' grid with their names, before any line.
    if (!asked.xlsx.isEmpty() || !asked.pdf.isEmpty()) {
        const summary::Listing l =
            summary::finishedListing(s, summary::namesOf(c, asked.request.by));
        if (!asked.xlsx.isEmpty())
            writeReportWorkbook(asked.xlsx, reportTable(l.header, l.rows),
                                spreadsheet::summaryLayout(l.title,
                                                           l.criteria.join(QStringLiteral("  ")),
                                                           static_cast<int>(l.header.size())));
        else
            writeSummaryPdf(asked.pdf, l, today);
    }
    call.out << summary::figuresHeader(asked.request.by).join(u'\t') << '\n';
    for (const summary::Figures &f : s.finished)
        call.out << summary::figuresCells(f).join(u'\t') << '\n';
    call.out.flush();
    if (s.documents.withoutEntry > 0) {
        call.err << QStringLiteral("ไม่นับเรื่องที่เสร็จสิ้นในช่วงนี้แต่ไม่มีวันที่เข้ากอง %1 เรื่อง\n")
                        .arg(s.documents.withoutEntry);
        call.err.flush();
    }
    return 0;
}

} // namespace admin
