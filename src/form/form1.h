#pragma once
// The main window. It owns the shell's controls (tabs, player pane, mini player),
// each named as the handlers know it, and names its pages; a page brings its own
// controls and handlers from its folder. The composition (app/) builds the pages.
#include <QWidget>
#include <array>
#include <functional>

#include "form/module1.h"
#include "form/platform.h"
#include "form/widgets.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QTimer;
struct SettingsData;
class TrackListPage;
class PlaylistPage;
class SearchPage;
class OptionsPage;
class ExportFrame;
class NotesPane;
struct SettingsRead;
class KeyboardShortcuts;
class PlayerSession;

class Form1 : public QWidget {
    Q_OBJECT
public:
    explicit Form1(const Platform& platform, QWidget* parent = nullptr);
    ~Form1() override;

    Module1 m;
    Platform os;

    // What plays, in which mode, what follows it, and the volume
    PlayerSession* session;

    // Form-level state
    double MiniTop = 0;
    int16_t MiniLeft = 0;
    double MainTop = 0;
    double MainLeft = 0;

    // Window
    QLabel* Label1;
    PicButton *btnHelp, *btnMinim, *btnMin, *btnExit;
    ClickLabel *lblTabTrackList, *lblTabPlaylist, *lblTabSearch, *lblTabOptions;
    QRadioButton *opOne, *opAll, *opRand;
    QTimer* Timer1;

    // The pages, each with its own controls and handlers
    TrackListPage* fmTrackList = nullptr;
    PlaylistPage* fmPlaylist = nullptr;
    SearchPage* fmSearch = nullptr;
    OptionsPage* fmOptions = nullptr;
    ExportFrame* fmExport = nullptr;  // over the Playlist page, with its button btnExport
    NotesPane* fmSeNotes = nullptr;   // shared by the Playlist and Search pages

    // Player pane
    QGroupBox* fmPlaying;
    ClickLabel *lblTitle, *lblDate, *lblPath;
    PictureBox* Picture1;
    QGroupBox* fmPlayer;
    QPushButton *btnPlay, *btnPause, *btnStop, *btnSkip, *btnSkipBack;
    QPushButton *btnVolUp, *btnVolDown, *btnVolMute;
    QLabel *Label4, *lblVolume, *lblTime, *Label2, *lblPTime, *lblPlayMode;
    PictureBox *picTimer, *Picture2;

    // Mini player
    PictureBox* picMin;
    ClickLabel *lblMinTime, *Label10, *lblMinPTime, *lblminTitle;
    PicButton *btnMinMax, *btnMinExit, *btnMinVolDn, *btnMinVolUp;
    QPlainTextEdit* txtMinDetails;
    QPushButton *btnMinPlay, *btnMinPause, *btnMinStop, *btnMinSkip, *btnMinMute;
    QLabel *Label12, *lblMinVol;
    PictureBox* picMinTimer;

    // What the shell (the tabs, start-up, the settings file, the player pane and the mini
    // player) asks of the pages; set by the composition once the pages are built.
    struct PageHooks {
        // Chooses the track list's current line again (its notes show) and returns the notes.
        std::function<QString()> reselectCurrentLine;
        // Shows the current record's notes on the Track List page and returns them.
        std::function<QString()> showCurrentNotes;
        // Shows or hides the Track List page with its list.
        std::function<void(bool)> showTrackList;
        // Clears the track list's selection, as its Clear Selected button does.
        std::function<void()> clearTrackListSelection;
        // The Options page asks for the mini player to stay above other windows.
        std::function<bool()> miniOnTop;

        // The four pages in the order of their tabs: Track List, Playlist, Search, Options.
        std::array<QWidget*, 4> frames{};
        // Marks or unmarks the track list's current line, if it has one; marking shows its notes again.
        std::function<void(bool)> markCurrentTrack;
        // Makes a track-list line current as a click on it would; gives the line current afterwards (-1 none).
        std::function<int(int)> selectTrackLine;
        // The Track List page fits its notes pane below its list.
        std::function<void()> fitDetailsToList;
        // Enter presses the Search page's button, or no longer does.
        std::function<void(bool)> searchOnEnter;
        // The Playlist page shows the playing entry, or makes the remembered one current.
        std::function<void()> showPlaylist;
        // The Options page's samples take the looks of the notes and the track list.
        std::function<void()> refreshSamples;
        // Start-up: the pages as they are before the settings are read, and the track list
        // filled (its splitter set from the list height) after.
        std::function<void()> resetForStart;
        std::function<void()> fillTrackListAtStart;
        // The settings lines kept on the pages' controls: applied as read, and collected for writing.
        std::function<void(const SettingsRead&)> applySettings;
        std::function<void(SettingsData&)> collectSettings;
    };
    PageHooks pages;

    // Keyboard shortcuts for the commands of the buttons and lists
    KeyboardShortcuts* keyboard;

    // Start-up and shutdown
    void Form_Load();
    void Form_Unload();
    void btnExit_Click();
    void Form_Resize();

    // Pages, help and the playing track's title
    void lblTabTrackList_Click();
    void lblTabPlaylist_Click();
    void lblTabSearch_Click();
    void lblTabOptions_Click();
    void btnHelp_Click();
    void lblTitle_Click();

    // Settings file
    void LoadSettings(const std::string& path);
    void SaveSettings(const std::string& path);

    // Playback
    // Tells the player again what follows the playing track, after a change it depends on.
    void offerNextTrack();
    void PlayTrack();
    void lstTracks_DblClick();
    void btnPlay_Click();
    void btnPause_Click();
    void btnStop_Click();
    void btnSkip_Click();
    void opOne_Click();
    void opAll_Click();
    void opRand_Click();
    void lblPath_MouseMove();

    // Position, seeking, volume and mute
    void Timer1_Timer();
    double showPosition(double position);
    void picTimer_MouseMove(double x);
    void picMinTimer_MouseMove(double x);
    void picTimer_MouseUp(double x);
    void picMinTimer_MouseUp(double x);
    void btnVolUp_Click();
    void btnVolDown_Click();
    void btnVolMute_Click();
    void btnMinVolUp_Click();
    void btnMinVolDn_Click();
    void btnMinMute_Click();

    // Moving and minimizing the frameless window
    void startWindowDrag(int button);
    void btnMin_Click();

    // Mini player
    void btnMinim_Click();
    void btnMinMax_Click();
    void btnMinExit_Click();
    void lblminTitle_Click();
    void txtMinDetails_Click();
    void SetOnTop();
    void SetNotOnTop();

    // Built by the composition: the player's panes below the pages, in that order.
    void buildPlayerPanes();
    // The shell's own connections and the page tabs.
    void connectShell();
    void connectPages();
    // The player pane's, the window's own and the mini player's connections.
    void connectPlayback();
    void connectPlayerView();
    void connectWindowMoves();
    void connectMiniPlayer();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void buildWindow();
    void buildPlayingFrame();
    void buildPlayerFrame();
    void buildMiniPlayer();
    void showOnlyPage(int tab);
    void createSession();
    // The player pane and the mini player following the session
    bool onScreen() const;
    // Starts the position timer when the window is on the screen; a tick then shows where the player is.
    void keepTicking();
    void restartBars();
    void showSeek();
    void seekFromBar(PictureBox* bar, double x, double barWidth);
    void showPlayingTrack();
    void showPlayerState();
    void showVolume();
    // Moves the window to a place in twips, or onto the nearest screen when none shows it.
    void placeWindow(double leftTwips, double topTwips, int widthTwips, int heightTwips);
    void showTrackListPageAtStart();
    void applySettings(const SettingsRead& read);
    SettingsData currentSettings() const;
    bool unloaded_ = false;
    PictureBox* seekingBar_ = nullptr;  // the bar a seek comes from, while it runs
};
