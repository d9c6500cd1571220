#include "admin/Notice.h"

#include "admin/GivenOptions.h"
#include "core/GuaranteeNotice.h"
#include "data/Connection.h"
#include "data/Deployment.h"
#include "print/NoticePage.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTextStream>
#include <optional>
#include <unistd.h>

namespace admin {

namespace {

constexpr int Written = 0;
constexpr int Refused = 2;

// The refusal's line, then the command's form.
int refuseNotice(QTextStream &err, const QString &problem)
{
    return refuse(err, problem + u'\n' + QString::fromUtf8(NoticeForm));
}

} // namespace

std::unique_ptr<QCoreApplication> makeApplication(int &argc, char **argv)
{
    // A PDF's texts are measured and drawn with the workstation's fonts: any command given --pdf
    // (report, summary, notice) gets the GUI application; a notice without one is refused.
    bool pages = false;
    for (int i = 1; i < argc; ++i)
        pages = pages || qstrcmp(argv[i], "--pdf") == 0 || qstrncmp(argv[i], "--pdf=", 6) == 0;
    if (!pages)
        return std::make_unique<QCoreApplication>(argc, argv);
    // The tool shows no window, so it needs no display either.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Outside a desktop session there is no runtime folder; the GUI application would make one
    // of its own all the same, with a warning on standard error, which is the tool's answer.
    if (!qEnvironmentVariableIsSet("XDG_RUNTIME_DIR")) {
        const QString runtime =
            QDir::temp().filePath(QStringLiteral("vostrel-runtime-%1").arg(getuid()));
        if (QDir().mkpath(runtime) &&
            QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner))
            qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime));
    }
    return std::make_unique<QGuiApplication>(argc, argv);
}

void addNoticeOptions(QCommandLineParser &args)
{
    args.addOption(
        {QStringLiteral("pdf"), QStringLiteral("PDF file of the notice"), QStringLiteral("FILE")});
    // --place is registered once, with the guarantee commands' options (the same words).
}

int runNotice(const QCommandLineParser &args, const QString &key, db::Connection &c,
              QTextStream &out, QTextStream &err)
{
    const QString file = args.value(QStringLiteral("pdf"));
    if (file.isEmpty())
        return refuseNotice(err, QStringLiteral("ต้องระบุแฟ้มที่จะเขียน: --pdf FILE"));
    std::optional<bool> bank;
    if (args.isSet(QStringLiteral("place"))) {
        const QString place = args.value(QStringLiteral("place"));
        if (place == QLatin1String("bank"))
            bank = true;
        else if (place == QLatin1String("finance"))
            bank = false;
        else
            return refuseNotice(err, QStringLiteral("--place ต้องเป็น bank หรือ finance"));
    }
    c.open();
    const auto values = guarantee::notice(c, key, Deployment::load().organisation, bank);
    if (!values) {
        err << guarantee::noticeMissing(key) << '\n';
        err.flush();
        return Refused;
    }
    print::writeNoticePdf(file, *values);
    out << QStringLiteral("เขียนใบแจ้งเลขที่ %1 ลงแฟ้ม %2 เรียบร้อยแล้ว\n").arg(key, file);
    return Written;
}

} // namespace admin
