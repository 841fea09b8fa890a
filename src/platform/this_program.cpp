#include "platform/this_program.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#ifndef QUILLON_DATA_FROM_BIN
#define QUILLON_DATA_FROM_BIN "../share/quillon"
#endif

ProgramPlace thisProgramPlace()
{
    return programPlace(QCoreApplication::applicationDirPath().toStdString(), QUILLON_DATA_FROM_BIN,
                        [](const std::string& path) { return QFileInfo(QString::fromStdString(path)).isFile(); });
}

std::string defaultAppFolder()
{
    QString folder = QCoreApplication::applicationDirPath();
    // Installed, the executable's folder is shared by every program (~/.local/bin) or not the user's.
    if (thisProgramPlace().installed || !QFileInfo(folder).isWritable()) {
        folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
        QDir().mkpath(folder);
    }
    return QDir::toNativeSeparators(folder + QLatin1Char('/')).toStdString();
}
