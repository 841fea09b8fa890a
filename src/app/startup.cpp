#include <algorithm>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QPlainTextEdit>
#include <QScreen>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTimer>
#include <chrono>

#include "app/this_program.h"
#include "album/track_list_page.h"
#include "form/form1.h"
#include "prefs/options_page.h"
#include "prefs/sound_output_frame.h"
#include "playback/player_session.h"
#include "playlist/playlist_page.h"
#include "search/search_page.h"
#include "form/looks.h"
#include "form/text_codec.h"
#include "form/twips.h"
#include "logic/settings.h"
#include "logic/window_place.h"
#include "platform/window_system.h"
#include "form/tab_row.h"
#include "platform/file_ops.h"
#include "audio/media_player.h"

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

void Form1::Form_Load()
{
    m.AppFolder = os.appFolder;
    fmPlaylist->lblPlaylist->setText(QStringLiteral("The playlist is empty"));
    m.PlaylistEmpty = true;
    session->resetVolume();
    session->markStopped();
    m.Random.seed(uint32_t(std::chrono::system_clock::now().time_since_epoch().count()));
    TrackListPage& trackList = *fmTrackList;
    setLook(trackList.txtDetails, kDetailsLook);
    setLook(trackList.lstTracks, kTrackListLook);
    const QPoint place = os.windows->position(this);
    MiniTop = toTwips(place.y());
    MiniLeft = rememberedLeft(toTwips(place.x()));
    LoadSettings(m.AppFolder + "qvb.ini");
    fmOptions->fmOpOutput->restore();
    showTrackListPageAtStart();
    lblPTime->setText(QStringLiteral("00:00"));
    // The splitter's range bounds the list height, whatever the settings file said.
    QScrollBar* splitter = trackList.VScroll1;
    const int listHeight = std::clamp(twipsRect(trackList.lstTracks).height(), splitter->minimum(), splitter->maximum());
    {
        const QSignalBlocker block(splitter);
        splitter->setValue(listHeight);
    }
    trackList.VScroll1_Change();
    trackList.FillTrackList();
    setHeightTwips(trackList.txtDetails, 5875 - twipsRect(trackList.lstTracks).height());
    Timer1->start();
}

void Form1::showTrackListPageAtStart()
{
    fmTrackList->show();
    for (QWidget* page : std::initializer_list<QWidget*>{fmSearch, fmOptions, fmPlaylist}) page->hide();
    setTabLooks(*this, lblTabTrackList);
}

void Form1::Form_Unload()
{
    if (unloaded_) return;
    unloaded_ = true;
    SaveSettings(m.AppFolder + "qvb.ini");
    m.Album.close();
    removeFile(m.AppFolder + "search.$$$");
}

void Form1::btnExit_Click()
{
    close();
}

void Form1::Form_Resize()
{
    setWindowTitle(QStringLiteral("Velloran Quillon"));
}

void Form1::connectShell()
{
    connect(btnExit, &QToolButton::clicked, this, &Form1::btnExit_Click);
}

void Form1::closeEvent(QCloseEvent* event)
{
    Form_Unload();
    event->accept();
}

void Form1::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::WindowStateChange) {
        Form_Resize();
        keepTicking();  // a window back from the task bar catches up with the player
    }
    QWidget::changeEvent(event);
}

void Form1::resizeEvent(QResizeEvent* event)
{
    Form_Resize();
    QWidget::resizeEvent(event);
}
