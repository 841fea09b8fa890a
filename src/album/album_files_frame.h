#pragma once
// The Options page's merge frame "Merge Album databases", and the handler of the
// File frame's "Load New Album": the album files the user chooses between. A merge
// copies on a thread of its own while the window goes on, with its progress and a
// Cancel in the frame.
#include <atomic>
#include <cstdint>
#include <string>

#include "form/background_run.h"
#include "form/page.h"
#include "logic/album_merge.h"

class Form1;
class QLineEdit;
class QString;
class QProgressBar;
class QPushButton;

class AlbumFilesFrame : public PageFrame {
    Q_OBJECT
public:
    AlbumFilesFrame(Form1& form, QWidget* optionsPage);

    QLineEdit *txtAlbum1, *txtAlbum2;
    QPushButton *btnAdd1, *btnAdd2, *btnMerge;
    QProgressBar* barMerge;       // shown while a merge runs
    QPushButton* btnCancelMerge;  // shown while a merge runs

    void btnLoad_Click();
    // Loads the album file at path as the name Load New Album's dialog returned:
    // the list is filled from it, the Track List page shown and the playlist emptied.
    // A path holding a line break is refused with a message box.
    void openAlbum(const QString& path);
    // True when path names the album loaded now.
    bool isLoadedAlbum(const QString& path) const;
    void btnAdd1_Click();
    void btnAdd2_Click();
    void btnMerge_Click();
    // Stops the merge after the block being copied; every file stays as it was.
    void btnCancelMerge_Click();
    bool isMerging() const { return merging_.running(); }

signals:
    // Another album file was chosen and is now the album's path: the pages take it up.
    void albumOpened();
    // A merge's copying has shown progress, on the window's thread.
    void mergeProgressed();
    // A merge has ended, however it ended, and said what it had to.
    void mergeEnded();

private:
    void pickInput(QLineEdit* box);
    void reportMergeFailure(const std::string& prompt);
    void setMerging(bool running);
    void showMergeProgress();
    void mergingEnded();

    std::string mergeOutput_;
    MergeOutcome outcome_;
    FileError written_ = FileError::None;
    std::atomic<uint64_t> mergedBytes_ = 0, mergeBytes_ = 0;
    // Last, so that a window closed during a merge cancels it and waits before anything it uses is gone.
    BackgroundRun merging_;
};
