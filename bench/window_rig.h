#pragma once
// The real window on the real player, on a generated album whose tracks are
// the given MP3 files, for the playback benchmarks. Everything here is built
// inside the benchmark's process: the figures include the window, its timer
// and the sound engine, not the process start.
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>

#include <mpg123.h>

#include <cstdio>
#include <fstream>
#include <functional>
#include <memory>
#include <vector>

#include "audio/mpg123_player.h"
#include "album/track_list_page.h"
#include "app/compose.h"
#include "form/form1.h"
#include "playback/player_session.h"
#include "logic/track_record.h"
#include "platform/dialogs.h"
#include "platform/help_viewer.h"
#include "platform/message_box.h"
#include "platform/window_system.h"

namespace rig {

inline bool run(const QString& program, const QStringList& args)
{
    QProcess process;
    process.start(program, args);
    return process.waitForFinished(300000) && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

// A sine tone made with sox and lame (with its gapless header); empty when either is missing.
inline QString makeTone(const QDir& dir, const QString& name, double seconds, int hz, double volume)
{
    const QString wav = dir.filePath(name + ".wav");
    const QString mp3 = dir.filePath(name + ".mp3");
    const bool made = run("sox", {"-n", "-r", "44100", "-c", "2", "-b", "16", wav, "synth", QString::number(seconds),
                                  "sine", QString::number(hz), "vol", QString::number(volume)})
                      && run("lame", {"--quiet", "-b", "128", wav, mp3});
    QFile::remove(wav);
    return made ? mp3 : QString();
}

// Every sample of a file as libmpg123 decodes it to float (the reference the sound is compared with).
inline std::vector<float> decodeAll(const QString& path)
{
    std::vector<float> out;
    mpg123_init();
    int err = 0;
    mpg123_handle* h = mpg123_new(nullptr, &err);
    mpg123_param(h, MPG123_ADD_FLAGS, MPG123_QUIET | MPG123_FORCE_FLOAT, 0);
    if (mpg123_open(h, QFile::encodeName(path).constData()) == MPG123_OK) {
        std::vector<float> buffer(8192);
        for (;;) {
            size_t done = 0;
            const int result = mpg123_read(h, reinterpret_cast<unsigned char*>(buffer.data()),
                                           buffer.size() * sizeof(float), &done);
            out.insert(out.end(), buffer.begin(), buffer.begin() + long(done / sizeof(float)));
            if (result != MPG123_OK && result != MPG123_NEW_FORMAT) break;
        }
    }
    mpg123_delete(h);
    return out;
}

inline void spin(const std::function<bool()>& done, int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < timeoutMs) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
}

// The window with the real player and Qt seams on an album of the given files
// (one track per file, in order), started and shown.
class Window {
public:
    explicit Window(const QStringList& mp3s)
    {
        const QDir root(dir_.path());
        root.mkpath("album/f1");
        std::ofstream album(root.filePath("album/album.qdb").toStdString(), std::ios::binary);
        std::ofstream notes(root.filePath("album/f1/details.qvt").toStdString(), std::ios::binary);
        for (int i = 0; i < mp3s.size(); ++i) {
            const std::string n = std::to_string(i + 1);
            QFile::link(mp3s[i], root.filePath(QString::fromStdString("album/f1/t" + n + ".mp3")));
            TrackRecord rec;
            rec.TrackDate = "01061980";
            rec.NoteNo = n;
            rec.PlayTime = "04:00";
            rec.Title = "Tone " + n;
            rec.Mp3Name = "t" + n;
            rec.Folder = "f1";
            album << serializeRecord(rec);
            notes << "Notes of tone " << n << "\r\n";
        }
        notes << "End\r\n";
        album.close();
        notes.close();
        std::ofstream ini(root.filePath("qvb.ini").toStdString(), std::ios::binary);
        ini << "[Directories]\r\nDetails=" << root.filePath("album/").toStdString()
            << "\r\nData=" << root.filePath("album/album.qdb").toStdString()
            << "\r\nPlaylist FN=\r\n\r\n[Pane Positions]\r\n1=2780\r\n2=3375\r\n3=2500\r\n\r\n"
               "[List Positions]\r\nIndex=0\r\nPlaylist=0\r\n\r\n";
        ini.close();
        // Ahead of the window's own connection, so these see each report before and after its handler.
        QObject::connect(&player, &MediaPlayer::playStateChange, [this](int, int newState) {
            if (newState == MediaPlayer::Stopped) handlerTimer_.start();
        });
        Platform platform{&player, &messages_, &dialogs_, &windows_, &help_, root.absolutePath().toStdString() + "/"};
        form = composeWindow(platform);
        QObject::connect(&player, &MediaPlayer::playStateChange, [this](int, int newState) {
            if (newState == MediaPlayer::Stopped) handlerNs.push_back(handlerTimer_.nsecsElapsed());
            ++reports;
        });
        form->Form_Load();
        form->show();
        QCoreApplication::processEvents();
    }
    ~Window() { form->Form_Unload(); }

    // Plays from the first line in mode "All".
    void playAll()
    {
        form->opAll->click();
        form->fmTrackList->lstTracks->setListIndex(0);
        form->btnPlay->click();
    }
    bool stopped() const { return form->session->mode() == Mode::Stopped; }

    Mpg123Player player;
    std::unique_ptr<Form1> form;
    std::vector<qint64> handlerNs;  // time of the window's end-of-track handler, per Stopped report
    int reports = 0;

private:
    QTemporaryDir dir_;
    QElapsedTimer handlerTimer_;
    QtMessageBoxes messages_;
    QtDialogs dialogs_;
    QtWindowSystem windows_;
    QtHelpViewer help_;
};

}  // namespace rig
