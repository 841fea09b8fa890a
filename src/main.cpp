#include <QApplication>
#include <QScreen>
#include <optional>

#include "app/command_line.h"
#include "app/compose.h"
#include "app/first_paint_probe.h"
#include "app/quit_signals.h"
#include "app/single_instance.h"
#include "platform/this_program.h"
#include "desktop/mpris_service.h"
#include "form/form1.h"
#include "platform/dialogs.h"
#include "platform/help_viewer.h"
#include "platform/message_box.h"
#include "platform/window_system.h"
#include "audio/mpg123_player.h"

namespace {

void nameApplication()
{
    QCoreApplication::setApplicationName(QStringLiteral("Quillon"));
    QCoreApplication::setOrganizationName(QStringLiteral("Velloran"));
}

}  // namespace

int main(int argc, char* argv[])
{
    std::optional<InstanceLock> lock;
    QString appFolder, albumPath;
    {
        // The command line and a Quillon already running on the folder are settled
        // before anything opens a window or writes a file.
        QCoreApplication startUp(argc, argv);
        nameApplication();
        const CommandLine command = parseCommandLine(QCoreApplication::arguments());
        if (command.exitCode) return endWithCommandLine(command);
        appFolder = QString::fromStdString(defaultAppFolder());
        lock.emplace(appFolder);
        if (const std::optional<int> code = runHereOrHandOver(*lock, appFolder, command.albumPath)) return *code;
        albumPath = command.albumPath;
    }
    QApplication app(argc, argv);
    nameApplication();
    // Names the installed menu entry, so the desktop shows its icon for the window.
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.velloran.Quillon"));
    InstanceServer instances(appFolder);
    instances.listen();

    Mpg123Player player;
    QtMessageBoxes messages;
    QtDialogs dialogs;
    QtWindowSystem windows;
    QtHelpViewer help;
    Platform platform{&player, &messages, &dialogs, &windows, &help, appFolder.toStdString()};

    const std::unique_ptr<Form1> window = composeWindow(platform);
    Form1& form = *window;
    messages.setParentWindow(&form);
    dialogs.setParentWindow(&form);
    // The window opens centred on the screen at its designed size.
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        form.move(screen->availableGeometry().center() - form.rect().center());
    quitAfterFirstPaintWhenAsked(form);
    form.Form_Load();
    openCommandLineAlbum(form, albumPath);
    form.show();
    const MprisService mpris(form);  // media keys and the desktop's player controls
    QObject::connect(&instances, &InstanceServer::activationRequested, &form,
                     [&form](const QString& album) { takeHandedOver(form, album); });
    // kill and Ctrl-C end the program the way the close button does: settings
    // written, search results removed, and (leaving main) the sound stopped.
    const QuitSignals quitSignals([&form](int) {
        form.close();
        QCoreApplication::exit(0);  // also leaves any message box that is open
    });
    return app.exec();
}
