#include "PdfReadback.h"

#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>

namespace {

bool run(const QString &program, const QStringList &args, QString &out, QString &problem)
{
    if (!QFileInfo(program).isExecutable()) {
        problem = QStringLiteral("%1 is missing: install poppler-utils").arg(program);
        return false;
    }
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        problem =
            program + QStringLiteral(" failed: ") + QString::fromUtf8(p.readAllStandardError());
        return false;
    }
    out = QString::fromUtf8(p.readAllStandardOutput());
    return true;
}

QString infoField(const QString &info, const QString &name)
{
    const QRegularExpression line(QStringLiteral("^") + name + QStringLiteral(":\\s*(.*)$"),
                                  QRegularExpression::MultilineOption);
    return line.match(info).captured(1).trimmed();
}

} // namespace

PdfReadback readPdf(const QString &file)
{
    PdfReadback r;
    QString info;
    if (!run(QStringLiteral(VOSTREL_PDFINFO), {file}, info, r.problem))
        return r;
    r.pages = infoField(info, QStringLiteral("Pages")).toInt();
    r.pageSize = infoField(info, QStringLiteral("Page size"));
    run(QStringLiteral(VOSTREL_PDFTOTEXT),
        {QStringLiteral("-enc"), QStringLiteral("UTF-8"), file, QStringLiteral("-")}, r.text,
        r.problem);
    return r;
}

int occurrences(const QString &text, const QString &needle)
{
    int n = 0;
    for (qsizetype at = text.indexOf(needle); !needle.isEmpty() && at >= 0;
         at = text.indexOf(needle, at + needle.size()))
        ++n;
    return n;
}
