#include "app/this_program.h"

#include <QCoreApplication>
#include <QFileInfo>

#ifndef QUILLON_DATA_FROM_BIN
#define QUILLON_DATA_FROM_BIN "../share/quillon"
#endif

ProgramPlace thisProgramPlace()
{
    return programPlace(QCoreApplication::applicationDirPath().toStdString(), QUILLON_DATA_FROM_BIN,
                        [](const std::string& path) { return QFileInfo(QString::fromStdString(path)).isFile(); });
}
