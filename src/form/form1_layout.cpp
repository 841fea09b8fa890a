#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTimer>

#include "form/form1.h"
#include "form/layout_helpers.h"
#include "logic/window_place.h"

namespace {

const QColor kWindowBack(0x3D, 0x48, 0x66);  // 0x66483D
const QColor kTimeGreen(0x00, 0xFF, 0x00);

// Narrow labels that hold times and short captions in the player pane.
void useNarrowFont(std::initializer_list<QWidget*> widgets)
{
    QFont narrow(QStringLiteral("Liberation Sans Narrow"));
    narrow.setPointSizeF(8.25);
    for (QWidget* w : widgets) w->setFont(narrow);
}

}  // namespace

ListBox* fixedPitchList(QWidget* parent, const char* name, const char* accessibleName, bool multiSelect)
{
    ListBox* list = named(placed(new ListBox(parent, multiSelect), name, 0, 0, 0, 0), accessibleName);
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::TypeWriter);
    list->setFont(font);
    return list;
}

void setTextColour(QWidget* w, const QColor& colour)
{
    QPalette p = w->palette();
    p.setColor(QPalette::WindowText, colour);
    w->setPalette(p);
}

void setCaptionWhite(std::initializer_list<QWidget*> widgets)
{
    for (QWidget* w : widgets) {
        QPalette p = w->palette();
        for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::ButtonText}) p.setColor(role, Qt::white);
        w->setPalette(p);
    }
}

void setBackColour(QWidget* w, const QColor& colour)
{
    QPalette p = w->palette();
    p.setColor(QPalette::Window, colour);
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

Form1::Form1(const Platform& platform, QWidget* parent) : QWidget(parent), os(platform)
{
    setObjectName(QStringLiteral("Form1"));
    createSession();
    buildWindow();
}

Form1::~Form1() = default;

void Form1::buildPlayerPanes()
{
    buildPlayingFrame();
    buildPlayerFrame();
    buildMiniPlayer();
}

void Form1::buildWindow()
{
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setFixedSize(toPixels(kFullWidth), toPixels(kFullHeight));
    setWindowTitle(QStringLiteral("Velloran Quillon"));
    setBackColour(this, kWindowBack);
    setTextColour(this, Qt::white);
    QFont base(QStringLiteral("Liberation Sans"));
    base.setPointSizeF(8);
    setFont(base);

    Label1 = placed(new QLabel(QStringLiteral("v2.1"), this), "Label1", 8700, 300, 435, 240);
    btnHelp = named(placed(new PicButton(this, PicButton::Symbol::Help), "btnHelp", 9300, 180, 240, 255), "Help");
    btnMinim = named(placed(new PicButton(this, PicButton::Symbol::Mini), "btnMinim", 9540, 180, 240, 255),
                     "Mini player");
    btnMin = named(placed(new PicButton(this, PicButton::Symbol::Minimize), "btnMin", 9780, 180, 240, 255), "Minimize");
    btnExit = named(placed(new PicButton(this, PicButton::Symbol::Close), "btnExit", 10020, 180, 240, 255), "Exit");
    btnHelp->setToolTip(QStringLiteral("Help"));
    btnMinim->setToolTip(QStringLiteral("Mini player"));
    btnMin->setToolTip(QStringLiteral("Minimize"));
    btnExit->setToolTip(QStringLiteral("Exit"));

    struct Tab {
        ClickLabel** label;
        const char* name;
        const char* caption;
        int left;
    };
    const Tab tabs[] = {{&lblTabTrackList, "lblTabTrackList", "  Track List", 180},
                        {&lblTabPlaylist, "lblTabPlaylist", "  Playlist", 1440},
                        {&lblTabSearch, "lblTabSearch", "  Search", 2700},
                        {&lblTabOptions, "lblTabOptions", "  Options", 3960}};
    for (const Tab& tab : tabs) {
        *tab.label = placed(new ClickLabel(QString::fromLatin1(tab.caption), this), tab.name, tab.left, 6900, 1200, 235);
        (*tab.label)->setAutoFillBackground(true);
    }

    opOne = placed(new QRadioButton(QStringLiteral("One"), this), "opOne", 7740, 6960, 780, 255);
    opAll = placed(new QRadioButton(QStringLiteral("All"), this), "opAll", 8580, 6960, 780, 255);
    // A little wider than designed: the caption is cut off at the designed width in this font.
    opRand = placed(new QRadioButton(QStringLiteral("Random"), this), "opRand", 9420, 6960, 900, 255);
    opOne->setChecked(true);
    useNarrowFont({opOne, opAll, opRand});
    setCaptionWhite({opOne, opAll, opRand});

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(100);
    // Each tick sets the next one, timed to the change it waits for.
    Timer1->setSingleShot(true);
    Timer1->setTimerType(Qt::PreciseTimer);
}

void Form1::buildPlayingFrame()
{
    fmPlaying = placed(new Frame(this, QStringLiteral("Track Playing")), "fmPlaying", 120, 7200, 4755, 1215);
    lblTitle = placed(new ClickLabel(fmPlaying), "lblTitle", 120, 240, 4485, 675);
    lblTitle->setWordWrap(true);
    lblTitle->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QFont titleFont = lblTitle->font();
    titleFont.setPointSizeF(11);
    titleFont.setBold(true);
    lblTitle->setFont(titleFont);
    lblDate = placed(new ClickLabel(fmPlaying), "lblDate", 120, 960, 1965, 195);
    lblPath = placed(new ClickLabel(fmPlaying), "lblPath", 2160, 960, 2445, 195);
    lblPath->setMouseTracking(true);
    Picture1 = named(placed(new PictureBox(fmPlaying), "Picture1", 120, 1170, 4485, 30), "Decoration");
    Picture1->setBackground(QColor(0x9A, 0xA4, 0xB8));
}

void Form1::buildPlayerFrame()
{
    fmPlayer = placed(new Frame(this, QStringLiteral("Player")), "fmPlayer", 4920, 7200, 5235, 1215);
    struct Button {
        QPushButton** button;
        const char* name;
        const char* caption;
        int left;
    };
    const Button transport[] = {{&btnPlay, "btnPlay", "Play", 240},
                                {&btnPause, "btnPause", "Pause", 1080},
                                {&btnStop, "btnStop", "Stop", 1920},
                                {&btnSkip, "btnSkip", "Skip", 2760}};
    for (const Button& b : transport)
        *b.button = placed(new QPushButton(QString::fromLatin1(b.caption), fmPlayer), b.name, b.left, 360, 840, 360);
    btnSkipBack = placed(new QPushButton(QStringLiteral("<<"), fmPlayer), "btnSkipBack", 240, 360, 840, 360);
    btnSkipBack->hide();
    btnVolUp = placed(new QPushButton(QStringLiteral("Up"), fmPlayer), "btnVolUp", 3840, 420, 600, 240);
    btnVolDown = placed(new QPushButton(QStringLiteral("Down"), fmPlayer), "btnVolDown", 3840, 660, 600, 240);
    btnVolMute = placed(new QPushButton(QStringLiteral("Mute"), fmPlayer), "btnVolMute", 4440, 420, 600, 480);

    Label4 = placed(new QLabel(QStringLiteral("Volume"), fmPlayer), "Label4", 3900, 180, 660, 195);
    lblVolume = placed(new QLabel(fmPlayer), "lblVolume", 4560, 180, 480, 195);
    lblTime = placed(new QLabel(fmPlayer), "lblTime", 60, 780, 405, 195);
    setTextColour(lblTime, kTimeGreen);
    Label2 = placed(new QLabel(QStringLiteral("/"), fmPlayer), "Label2", 480, 780, 120, 195);
    lblPTime = placed(new QLabel(fmPlayer), "lblPTime", 600, 780, 480, 195);
    lblPlayMode = placed(new QLabel(fmPlayer), "lblPlayMode", 1140, 780, 3900, 195);
    picTimer = named(placed(new PictureBox(fmPlayer), "picTimer", 60, 990, 5115, 165), "Position bar");
    useNarrowFont({Label4, lblVolume, lblTime, Label2, lblPTime});
    Picture2 = named(placed(new PictureBox(fmPlayer), "Picture2", 240, 200, 3360, 60), "Decoration");
    Picture2->setBackground(QColor(0x9A, 0xA4, 0xB8));
}

void Form1::buildMiniPlayer()
{
    picMin = named(placed(new PictureBox(this), "picMin", 0, 0, kMiniWidth, kMiniHeight), "Mini player");
    picMin->setBackground(QColor(0x1E, 0x24, 0x33));
    lblMinTime = placed(new ClickLabel(picMin), "lblMinTime", 2580, 120, 405, 195);
    lblMinTime->setText(QStringLiteral("00:00"));
    Label10 = placed(new ClickLabel(QStringLiteral("/"), picMin), "Label10", 2940, 120, 195, 195);
    lblMinPTime = placed(new ClickLabel(picMin), "lblMinPTime", 3120, 120, 405, 195);
    btnMinMax = named(placed(new PicButton(picMin, PicButton::Symbol::Restore), "btnMinMax", 4440, 120, 240, 240),
                      "Full window");
    btnMinExit = named(placed(new PicButton(picMin, PicButton::Symbol::Close), "btnMinExit", 4680, 120, 240, 240),
                       "Exit");
    lblminTitle = placed(new ClickLabel(picMin), "lblminTitle", 60, 360, 3495, 675);
    lblminTitle->setWordWrap(true);
    lblminTitle->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    txtMinDetails = named(placed(new QPlainTextEdit(picMin), "txtMinDetails", 60, 360, 3495, 675), "Track notes");
    txtMinDetails->setReadOnly(true);
    txtMinDetails->hide();
    btnMinPlay = placed(new QPushButton(QStringLiteral("Play"), picMin), "btnMinPlay", 3660, 180, 600, 240);
    btnMinPause = placed(new QPushButton(QStringLiteral("Pause"), picMin), "btnMinPause", 3660, 420, 600, 240);
    btnMinStop = placed(new QPushButton(QStringLiteral("Stop"), picMin), "btnMinStop", 3660, 660, 600, 240);
    btnMinSkip = placed(new QPushButton(QStringLiteral("Skip"), picMin), "btnMinSkip", 3660, 900, 600, 240);
    Label12 = placed(new QLabel(QStringLiteral("Vol"), picMin), "Label12", 4320, 420, 255, 195);
    lblMinVol = placed(new QLabel(picMin), "lblMinVol", 4560, 420, 360, 200);
    btnMinVolDn = named(placed(new PicButton(picMin, PicButton::Symbol::VolumeDown), "btnMinVolDn", 4320, 660, 300, 240),
                        "Volume down");
    btnMinVolUp = named(placed(new PicButton(picMin, PicButton::Symbol::VolumeUp), "btnMinVolUp", 4620, 660, 300, 240),
                        "Volume up");
    btnMinMute = placed(new QPushButton(QStringLiteral("Mute"), picMin), "btnMinMute", 4320, 900, 600, 240);
    picMinTimer = named(placed(new PictureBox(picMin), "picMinTimer", 60, 1080, 3495, 75), "Mini position bar");
    useNarrowFont({lblMinTime, Label10, lblMinPTime, Label12, lblMinVol});
    for (QWidget* green :
         {static_cast<QWidget*>(lblMinTime), static_cast<QWidget*>(lblminTitle), static_cast<QWidget*>(lblMinVol)})
        setTextColour(green, kTimeGreen);
    for (QWidget* white :
         {static_cast<QWidget*>(Label10), static_cast<QWidget*>(lblMinPTime), static_cast<QWidget*>(Label12)})
        setTextColour(white, Qt::white);
    picMin->hide();
}
