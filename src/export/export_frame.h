#pragma once
// The Playlist page's export: its "Export" button and the frame over the page that
// chooses a place, a parent folder and a name, then copies the playlist's MP3 files
// there, numbered in playlist order, beside an index "details.txt" and a "playlist.m3u8"
// listing them in that order. The copying runs
// on a thread of its own while the window goes on; the playlist's lines are selected
// in turn as it goes.
#include <QString>
#include <atomic>
#include <string>

#include "form/background_run.h"
#include "form/page.h"
#include "logic/export_run.h"

class Form1;
class PlaylistPage;
class QCheckBox;
class QComboBox;
class QFileSystemModel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTreeView;

class ExportFrame : public PageFrame {
    Q_OBJECT
public:
    ExportFrame(Form1& form, PlaylistPage* playlistPage);

    QPushButton* btnExport;  // on the Playlist page
    QLabel* Label5;
    QComboBox* drvExport;  // the places: the home folder and every mounted volume
    QTreeView* dirExport;  // the folders under the chosen place
    QFileSystemModel* dirModel;
    QLabel* Label8;
    QLineEdit* txtExportName;
    QCheckBox* chkDetails;
    QPushButton *btnOk, *btnCancel;
    QProgressBar* barExport;
    QLabel* lblExportFile;

    void btnExport_Click();
    void drvExport_Change(int place);
    void btnCancel_Click();
    void btnOk_Click();

    // The parent folder an export goes into: the highlighted folder, else the place itself.
    QString highlightedFolder() const;
    bool isExporting() const { return copying_.running(); }

signals:
    // The copying of an export has ended, however it ended.
    void exportEnded();

private:
    void buildControls();
    void fillPlaces();
    // Shows a place's folders; false (the tree as it was) when the place cannot be read.
    bool showPlace(const QString& root);
    // The checks and questions before copying; the folder to export into, or "" to stop.
    std::string prepareFolder(const ExportPlan& plan);
    void startCopying();
    // On the copying thread: an entry is about to be exported.
    void entryStarted(size_t entry);
    // On the window's thread: selects the lines of the entries started since last time.
    void showStartedEntries();
    void copyingEnded();
    void fail(const OsFailure& failure, bool reading, const std::string& sourceFolder);
    void closeAndSelectFirst();
    void setRunning(bool running);

    PlaylistPage* page_;
    int shownPlace_ = 0;
    ExportPlan plan_;
    ExportOutcome outcome_;
    std::atomic<size_t> started_ = 0;  // entries the copying thread has begun
    size_t shownEntries_ = 0;          // entries whose line was selected
    // Last, so that a window closed during an export stops it (after the file being copied)
    // before anything it uses is gone.
    BackgroundRun copying_;
};
