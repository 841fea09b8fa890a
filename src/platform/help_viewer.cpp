#include "platform/help_viewer.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

bool QtHelpViewer::open(const QString& helpFile)
{
    if (!QFileInfo::exists(helpFile)) return false;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(helpFile));
}
