#include "desktop/mpris_root.h"

#include "form/form1.h"

MprisRoot::MprisRoot(QObject* service, Form1& form) : QDBusAbstractAdaptor(service), form_(form) {}

QString MprisRoot::identity() const
{
    return QStringLiteral("Quillon");
}

// The name of the installed .desktop file, without its extension.
QString MprisRoot::desktopEntry() const
{
    return QStringLiteral("quillon");
}

void MprisRoot::Raise()
{
    form_.setWindowState(form_.windowState() & ~Qt::WindowMinimized);
    form_.show();
    form_.raise();
    form_.activateWindow();
}

void MprisRoot::Quit()
{
    form_.btnExit_Click();
}
