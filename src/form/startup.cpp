// Start-up and shutdown of the window, and its caption.
#include <QCloseEvent>
#include <QTimer>
#include <chrono>

#include "form/form1.h"
#include "form/twips.h"
#include "logic/window_place.h"
#include "platform/file_ops.h"
#include "platform/window_system.h"
#include "playback/player_session.h"

void Form1::Form_Load()
{
    m.AppFolder = os.appFolder;
    pages.resetForStart();
    session->resetVolume();
    session->markStopped();
    m.Random.seed(uint32_t(std::chrono::system_clock::now().time_since_epoch().count()));
    const QPoint place = os.windows->position(this);
    MiniTop = toTwips(place.y());
    MiniLeft = rememberedLeft(toTwips(place.x()));
    LoadSettings(m.AppFolder + "qvb.ini");
    showTrackListPageAtStart();
    lblPTime->setText(QStringLiteral("00:00"));
    pages.fillTrackListAtStart();
    Timer1->start();
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
