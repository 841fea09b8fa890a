#include "desktop/mpris_root.h"

#include <QGuiApplication>

#include "form/form1.h"
#include "platform/window_system.h"

MprisRoot::MprisRoot(QObject* service, Form1& form) : QDBusAbstractAdaptor(service), form_(form) {}

QString MprisRoot::identity() const
{
    return QStringLiteral("Quillon");
}

// The installed menu entry's name, as the program gave it at start.
QString MprisRoot::desktopEntry() const
{
    return QGuiApplication::desktopFileName();
}

// Each runs once the call has been answered, as the player's methods do.
void MprisRoot::Raise()
{
    QMetaObject::invokeMethod(
        this, [this] { bringToFront(form_); }, Qt::QueuedConnection);
}

void MprisRoot::Quit()
{
    // Closing writes the settings, which may end in a message box.
    QMetaObject::invokeMethod(
        this, [this] { form_.btnExit_Click(); }, Qt::QueuedConnection);
}
