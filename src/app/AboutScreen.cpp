#include "app/AboutScreen.h"

#include "core/Access.h"
#include "data/Backup.h"
#include "data/Connection.h"
#include "data/Deployment.h"
#include "screens/common/Session.h"
#include "spreadsheet/ReportExport.h"
#include "util/Version.h"

#include <QFileInfo>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QString catalogText(const Session &session)
{
    const db::CatalogLocation &where = session.connection.location();
    if (where.backend == db::BackendKind::SQLite)
        return QStringLiteral("ฐานข้อมูลในเครื่อง (SQLite): ") + where.path;
    QString text = QStringLiteral("ฐานข้อมูลกลาง: ") + where.describe();
    if (!session.deployment.serverShortName.isEmpty())
        text += QStringLiteral(" (") + session.deployment.serverShortName + u')';
    return text;
}

QString storedVersion(db::Connection &connection)
{
    try {
        return user_access::checkVersion(connection).stored;
    } catch (const db::Error &e) {
        return QStringLiteral("อ่านไม่ได้: ") + e.message();
    }
}

} // namespace

AboutScreen::AboutScreen(Session &session, QWidget *parent)
    : Screen(session, QStringLiteral("about"), parent)
{
    openAtNaturalSize();
    setWindowTitle(QStringLiteral("เกี่ยวกับโปรแกรม"));
    auto *form = new QFormLayout;
    auto add = [this, form](const QString &caption, const QString &text, const char *name) {
        auto *value = new QLabel(text, this);
        value->setObjectName(QLatin1String(name));
        value->setWordWrap(true);
        // Paths are there to be copied.
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        form->addRow(caption, value);
    };
    add(QStringLiteral("โปรแกรม"), QStringLiteral("Vostrel รุ่น ") + programVersion(), "version");
    add(QStringLiteral("ฐานข้อมูลที่ใช้"), catalogText(session), "catalog");
    add(QStringLiteral("รุ่นของฐานข้อมูล"), storedVersion(session.connection), "catalogVersion");
    const QString settings = Deployment::defaultFile();
    add(QStringLiteral("แฟ้มตั้งค่า"),
        QFileInfo::exists(settings) ? settings
                                    : settings + QStringLiteral(" (ไม่มีแฟ้มนี้: ใช้ฐานข้อมูลในเครื่อง)"),
        "settingsFile");
    add(QStringLiteral("แฟ้มรายงาน Excel"), spreadsheet::reportsFolderPath(), "reportsFolder");
    const db::CatalogLocation &where = session.connection.location();
    if (where.backend == db::BackendKind::SQLite)
        add(QStringLiteral("สำเนาฐานข้อมูลประจำวัน"), db::dailyCopyFolder(where.path), "dailyCopies");
    add(QStringLiteral("ผู้ดูแลระบบ"),
        QStringLiteral("vostrel-admin --help (คำสั่งสร้างฐานข้อมูล ผู้ใช้ สำรองและย้ายข้อมูล)"), "adminHelp");

    auto *close = new QPushButton(QStringLiteral("ปิด"), this);
    close->setObjectName(QStringLiteral("close"));
    connect(close, &QPushButton::clicked, this, &AboutScreen::closeScreen);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addStretch();
    layout->addWidget(close, 0, Qt::AlignRight);
}
