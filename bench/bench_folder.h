#pragma once
// What the window benchmarks share: a scratch program folder, the window on a
// silent player over it, and how a step is timed.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "app/compose.h"
#include "form/form1.h"
#include "silent_player.h"

inline double median(std::vector<double> ms)
{
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

// Milliseconds from a step to the window painted with what it changed.
template <typename Step> double paintedMs(Form1& form, Step&& step)
{
    QElapsedTimer timer;
    timer.start();
    step();
    QApplication::processEvents();
    form.repaint();
    return timer.nsecsElapsed() / 1e6;
}

// One track folder, f1, and a settings file that opens album.qdb from the folder itself.

struct BenchFolder {
    BenchFolder()
    {
        QDir(dir.path()).mkdir(QStringLiteral("f1"));
        std::ofstream ini(path + "qvb.ini", std::ios::binary);
        ini << "[Directories]\r\nDetails=" << path << "\r\nData=" << path << "album.qdb\r\nPlaylist FN=\r\n";
    }

    QTemporaryDir dir;
    const std::string path = dir.path().toStdString() + "/";
};

// The real window on a silent player, loaded from the folder and shown.
struct BenchWindow {
    explicit BenchWindow(const std::string& folder)
        : seams(folder), window(composeWindow(seams.platform)), form(*window)
    {
        form.Form_Load();
        form.show();
        QApplication::processEvents();
    }
    SilentSeams seams;
    std::unique_ptr<Form1> window;
    Form1& form;
};
