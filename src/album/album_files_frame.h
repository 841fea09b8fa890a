#pragma once
// The Options page's merge frame "Merge Album databases", and the handler of the
// File frame's "Load New Album": the album files the user chooses between.
#include <string>

#include "form/widgets.h"

class Form1;
class QLineEdit;
class QString;
class QPushButton;

class AlbumFilesFrame : public Frame {
    Q_OBJECT
public:
    AlbumFilesFrame(Form1& form, QWidget* optionsPage);

    QLineEdit *txtAlbum1, *txtAlbum2;
    QPushButton *btnAdd1, *btnAdd2, *btnMerge;

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

private:
    void pickInput(QLineEdit* box);
    void reportMergeFailure(const std::string& prompt);

    Form1& form;
};
