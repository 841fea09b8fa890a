#pragma once
// The main window. It owns every control, each named as the handlers know it;
// the handlers live in the folder of the part of the program they belong to.
#include <QWidget>
#include <optional>

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
class TrackListModel;
class PlaylistPage;
class PrefsFrame;
class AlbumFilesFrame;
class SearchPage;
class ExportFrame;
struct SettingsRead;
class KeyboardShortcuts;

class Form1 : public QWidget {
    Q_OBJECT
public:
    explicit Form1(const Platform& platform, QWidget* parent = nullptr);
    ~Form1() override;

    Module1 m;
    Platform os;

    // Form-level state
    int16_t VolumeLevel = 0;
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

    // Track List page
    QGroupBox* fmTrackList;
    ListBox* lstTracks;
    TrackListModel* trackLines;  // the lines lstTracks shows
    QPlainTextEdit* txtDetails;
    QScrollBar* VScroll1;
    QPushButton *btnAddPL, *btnClearSel;

    // Pages that bring their own controls and handlers
    PlaylistPage* fmPlaylist;
    SearchPage* fmSearch;
    ExportFrame* fmExport;  // over the Playlist page, with its button btnExport

    // Options page
    QGroupBox* fmOptions;
    QGroupBox* fmOpFile;
    QLabel *Label3, *Label6;
    QLineEdit* txtCurAlb;
    QPushButton *btnLoad, *btnOpSavePL;
    AlbumFilesFrame* Frame4;  // merging albums, and the handlers of loading one; brings its own controls
    QGroupBox* fmOpPlaying;
    QRadioButton *opOT, *opLS, *opAny;
    QGroupBox* fmOpMini;
    QCheckBox* chkOnTop;
    PrefsFrame* fmOptionsPrefs;  // fonts and colours, with chkAllPrefs; brings its own controls

    // Notes pane shared by the Playlist and Search pages
    Frame* fmSeNotes;
    QPlainTextEdit* txtSENotes;
    QPushButton* btnSeNotesX;

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
    void btnSeNotesX_Click();

    // Settings file
    void LoadSettings(const std::string& path);
    void SaveSettings(const std::string& path);

    // Album and track list
    void FillTrackList();
    void FormatTrackDate();
    // The album's scan met new codes (from `first` on), or ended.
    void addAlbumCodes(int first);
    void albumScanEnded();
    void ShowTrackNotes();
    // Shows the notes pane of the Playlist and Search pages with a record's notes; with no
    // record (its entry could not be read), the status says the player stopped instead.
    void showNotesPane(std::optional<int32_t> record);
    void lstTracks_Click();
    void lstTracks_MouseDown(int button, int shift, double x, double y);
    void VScroll1_Change();
    void txtCurAlb_MouseMove();

    // Playback
    // Tells the player again what follows the playing track, after a change it depends on.
    void offerNextTrack();
    void PlayTrack();
    void mp1_PlayStateChange(int oldState, int newState);
    void mp1_AboutToFinish();
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


    // Sets the text of the details pane from stored bytes.
    void setDetailsText(std::string_view bytes);
    void setDetailsMessage(const QString& text);

signals:
    // The player pane shows another status, mode, track or volume; a bar moved the position.
    void playerChanged();
    void positionMoved();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildWindow();
    void buildTrackListPage();
    void buildPages();
    void buildOptionsPage();
    void buildPlayingFrame();
    void buildPlayerFrame();
    void buildMiniPlayer();
    void buildNotesPane();
    void showOnlyPage(QWidget* page, QLabel* tab);
    void connectPages();
    void connectShell();
    void connectTrackList();
    void connectPlayback();
    void connectPlayerView();
    void connectWindowMoves();
    void connectMiniPlayer();
    void connectKeyboard();
    // Playback helpers
    bool isExcludedByPreference(int16_t lineside) const;
    bool moveToNextCandidate(int attempt);
    bool drawRandomLine();
    bool drawAllowedLine();
    void stopPlayback();
    std::string nextTrackPath();
    std::string nextPlaylistEntryPath();
    void chooseTrackListMode(Mode mode);
    void setPlayButtonsEnabled(bool enabled);
    void seekFromBar(PictureBox* bar, double x, double barWidth);
    void showVolume(const QString& caption);  // in the window and in the mini player
    void keepTicking();
    // Moves the window to a place in twips, or onto the nearest screen when none shows it.
    void placeWindow(double leftTwips, double topTwips, int widthTwips, int heightTwips);
    void showTrackListPageAtStart();
    void applySettings(const SettingsRead& read);
    SettingsData currentSettings() const;
    bool unloaded_ = false;
    DateWords dateAwaitingScan_;  // the date words as the track list left them, until its scan ends
};
