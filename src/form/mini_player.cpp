// The mini player: the same window shrunk to the strip picMin covers, with its
// own remembered place, optionally kept above other windows.
#include <QGroupBox>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <functional>

#include "form/form1.h"
#include "playback/player_session.h"
#include "form/twips.h"
#include "logic/window_place.h"
#include "platform/window_system.h"

namespace {

Box pixelBox(const QRect& r)
{
    return Box{double(r.x()), double(r.y()), double(r.width()), double(r.height())};
}

}  // namespace

void Form1::placeWindow(double leftTwips, double topTwips, int widthTwips, int heightTwips)
{
    std::vector<Box> screens;
    for (const QRect& area : os.windows->screens()) screens.push_back(pixelBox(area));
    const Box wanted{double(toPixels(leftTwips)), double(toPixels(topTwips)), double(toPixels(widthTwips)),
                     double(toPixels(heightTwips))};
    const Box place = keepOnScreen(wanted, screens);
    os.windows->move(this, QPoint(int(place.left), int(place.top)));
}

void Form1::btnMinim_Click()
{
    const QPoint mainPlace = os.windows->position(this);
    MainTop = toTwips(mainPlace.y());
    MainLeft = toTwips(mainPlace.x());
    placeWindow(MiniLeft, MiniTop, kMiniWidth, kMiniHeight);
    // Before anything has played there is no track to show: an empty strip, not a missing record.
    const bool played = session->playingRecord() > 0;
    QString notes;
    if (played) {
        session->setCurrentRecord(session->playingRecord());
        notes = pages.showCurrentNotes();
    }
    setFixedSize(toPixels(kMiniWidth), toPixels(kMiniHeight));
    pages.showTrackList(false);
    lblminTitle->show();
    lblminTitle->setText(played ? lblTitle->text().trimmed() + QLatin1Char(' ') + lblDate->text().trimmed() : QString());
    lblMinPTime->setText(lblPTime->text());
    txtMinDetails->setPlainText(notes);
    for (QWidget* w : std::initializer_list<QWidget*>{lblMinPTime, Label10, Label12, lblMinVol}) w->show();
    lblMinVol->setText(lblVolume->text());
    for (QWidget* w : std::initializer_list<QWidget*>{lblMinTime, btnMinExit, btnMinMax, btnMinPlay, btnMinPause,
                                                      btnMinSkip, btnMinMute, btnMinStop, btnMinVolDn, btnMinVolUp})
        w->show();
    picMin->raise();
    picMin->show();
    keepTicking();
    if (pages.miniOnTop()) SetOnTop();
}

void Form1::btnMinMax_Click()
{
    setFixedSize(toPixels(kFullWidth), toPixels(kFullHeight));
    const QPoint miniPlace = os.windows->position(this);
    MiniTop = toTwips(miniPlace.y());
    MiniLeft = rememberedLeft(toTwips(miniPlace.x()));
    placeWindow(MainLeft, MainTop, kFullWidth, kFullHeight);
    if (session->playingRecord() > 0) session->setCurrentRecord(session->playingRecord());
    pages.clearTrackListSelection();
    pages.showTrackList(true);
    lblTabTrackList_Click();
    for (QWidget* w : std::initializer_list<QWidget*>{lblminTitle, lblMinPTime, Label10, lblMinTime, btnMinExit,
                                                      btnMinMax, btnMinPlay, btnMinPause, btnMinSkip, btnMinMute,
                                                      btnMinStop, btnMinVolDn, btnMinVolUp, picMin})
        w->hide();
    keepTicking();
    SetNotOnTop();
}

void Form1::btnMinExit_Click()
{
    btnExit_Click();
}

void Form1::lblminTitle_Click()
{
    txtMinDetails->show();
}

void Form1::txtMinDetails_Click()
{
    txtMinDetails->hide();
}

void Form1::SetOnTop()
{
    os.windows->setOnTop(this, true);
}

void Form1::SetNotOnTop()
{
    os.windows->setOnTop(this, false);
}

void Form1::connectMiniPlayer()
{
    connect(btnMinim, &QToolButton::clicked, this, &Form1::btnMinim_Click);
    connect(btnMinMax, &QToolButton::clicked, this, &Form1::btnMinMax_Click);
    connect(btnMinExit, &QToolButton::clicked, this, &Form1::btnMinExit_Click);
    connect(lblminTitle, &ClickLabel::clicked, this, &Form1::lblminTitle_Click);
    // A text box has no click of its own: a left release inside its text area is one.
    onLeftRelease(txtMinDetails->viewport(), [this] { txtMinDetails_Click(); });
}
