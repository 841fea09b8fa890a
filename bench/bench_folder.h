#pragma once
// A scratch program folder for the window benchmarks: one track folder, f1,
// and a settings file that opens album.qdb from the folder itself.
#include <QDir>
#include <QTemporaryDir>

#include <fstream>
#include <string>

struct BenchFolder {
    BenchFolder() { QDir(dir.path()).mkdir(QStringLiteral("f1")); }

    void writeSettings() const
    {
        std::ofstream ini(path + "qvb.ini", std::ios::binary);
        ini << "[Directories]\r\nDetails=" << path << "\r\nData=" << path << "album.qdb\r\nPlaylist FN=\r\n";
    }

    QTemporaryDir dir;
    const std::string path = dir.path().toStdString() + "/";
};
