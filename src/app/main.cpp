// vostrel: the desktop program.

#include "app/MenuTable.h"
#include "app/main_window.h"
#include "data/DbError.h"
#include "print/ThaiFace.h"
#include "screens/common/Dialogs.h"
#include "util/Version.h"

#include <QApplication>
#include <QFont>
#include <QScreen>
#include <QStyleFactory>

namespace {

// The Thai face the printed reports and charts use too, for the whole interface.
void useThaiFont(QApplication &app)
{
    const QString face = print::interfaceThaiFace();
    if (face.isEmpty())
        return;
    QFont f(face);
    f.setPointSize(11);
    app.setFont(f);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("vostrel"));
    QApplication::setApplicationDisplayName(QStringLiteral("Vostrel"));
    QApplication::setApplicationVersion(programVersion());
    // The desktop matches the window to the installed launcher: its name and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral(VOSTREL_APP_ID));
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    useThaiFont(app);

    QtDialogs dialogs;
    Deployment deployment;
    try {
        deployment = Deployment::load();
    } catch (const db::Error &e) {
        dialogs.error(nullptr, e.message());
        return 1;
    }

    TfrmMain_Vostrel window(deployment, dialogs, menu::screens());
    if (window.hasEnded())
        return 1;
    QObject::connect(&window, &TfrmMain_Vostrel::programEnded, &app, &QApplication::quit,
                     Qt::QueuedConnection);
    // Without a window manager "maximised" means nothing: take the whole screen then.
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        window.setGeometry(screen->availableGeometry());
    window.showMaximized();
    return app.exec();
}
