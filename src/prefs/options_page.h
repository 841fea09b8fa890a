#pragma once
// The Options page: the album file and the playlist's "Save", what Random and All
// play, the mini player's place on top, and its frames for merging albums, for
// fonts and colours and for the sound output.
#include "form/page.h"

class AlbumFilesFrame;
class PrefsFrame;
class SoundOutputFrame;
class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

class OptionsPage : public Page {
    Q_OBJECT
public:
    explicit OptionsPage(Form1& form);

    QGroupBox* fmOpFile;
    QLabel *Label3, *Label6;
    QLineEdit* txtCurAlb;
    QPushButton *btnLoad, *btnOpSavePL;
    QGroupBox* fmOpPlaying;
    QRadioButton *opOT, *opLS, *opAny;
    QGroupBox* fmOpMini;
    QCheckBox* chkOnTop;
    AlbumFilesFrame* Frame4 = nullptr;     // merging albums, and the handlers of loading one
    PrefsFrame* fmOptionsPrefs = nullptr;  // fonts and colours, with chkAllPrefs
    SoundOutputFrame* fmOpOutput = nullptr;

    // Shows the loaded album's path.
    void showAlbumPath();
    void txtCurAlb_MouseMove();
};
