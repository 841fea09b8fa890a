#include <QApplication>
#include <QScreen>

#include "app/first_paint_probe.h"
#include "app/quit_signals.h"
#include "desktop/mpris_service.h"
#include "form/form1.h"
#include "platform/dialogs.h"
#include "platform/help_viewer.h"
#include "platform/message_box.h"
#include "platform/window_system.h"
#include "audio/mpg123_player.h"

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillon"));
    QApplication::setOrganizationName(QStringLiteral("Velloran"));
    // Names the installed menu entry, so the desktop shows its icon for the window.
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.velloran.Quillon"));

    Mpg123Player player;
    QtMessageBoxes messages;
    QtDialogs dialogs;
    QtWindowSystem windows;
    QtHelpViewer help;
    Platform platform{&player, &messages, &dialogs, &windows, &help, defaultAppFolder()};

    Form1 form(platform);
    messages.setParentWindow(&form);
    dialogs.setParentWindow(&form);
    // The window opens centred on the screen at its designed size.
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        form.move(screen->availableGeometry().center() - form.rect().center());
    quitAfterFirstPaintWhenAsked(&form);
    form.Form_Load();
    form.show();
    const MprisService mpris(form); // media keys and the desktop's player controls
    // kill and Ctrl-C end the program the way the close button does: settings
    // written, search results removed, and (leaving main) the sound stopped.
    const QuitSignals quitSignals([&form](int) {
        form.close();
        QCoreApplication::exit(0); // also leaves any message box that is open
    });
    return app.exec();
}
