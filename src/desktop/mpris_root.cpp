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

void MprisRoot::Raise()
{
    bringToFront(form_);
}

void MprisRoot::Quit()
{
    form_.btnExit_Click();
}
