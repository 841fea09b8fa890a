#include "prefs/options_page.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "form/form1.h"
#include "form/layout_helpers.h"
#include "form/text_codec.h"

OptionsPage::OptionsPage(Form1& owner) : Page(owner, "fmOptions", 6313)
{
    fmOpFile = placed(new Frame(this, QStringLiteral("File")), "fmOpFile", 120, 120, 4800, 1800);
    Label3 = placed(new QLabel(QStringLiteral("Current Album:"), fmOpFile), "Label3", 120, 300, 1455, 195);
    txtCurAlb = named(placed(new QLineEdit(fmOpFile), "txtCurAlb", 120, 520, 4560, 285), "Current album");
    txtCurAlb->setReadOnly(true);
    btnLoad = placed(new QPushButton(QStringLiteral("Load New Album"), fmOpFile), "btnLoad", 120, 960, 1695, 375);
    Label6 = placed(new QLabel(QStringLiteral("Note: Loading a new Album will clear the Playlist."), fmOpFile),
                    "Label6", 1935, 900, 2745, 480);
    Label6->setWordWrap(true);
    btnOpSavePL = placed(new QPushButton(QStringLiteral("Save Playlist"), fmOpFile), "btnOpSavePL", 120, 1400, 1695, 300);

    fmOpPlaying = placed(new Frame(this, QStringLiteral("Playing Random and All Tracks")), "fmOpPlaying", 120, 2040,
                         4800, 855);
    opOT = placed(new QRadioButton(QStringLiteral("On Train"), fmOpPlaying), "opOT", 240, 360, 1335, 255);
    opLS = placed(new QRadioButton(QStringLiteral("Lineside"), fmOpPlaying), "opLS", 1695, 360, 1335, 255);
    opAny = placed(new QRadioButton(QStringLiteral("Both"), fmOpPlaying), "opAny", 3150, 360, 1335, 255);
    opAny->setChecked(true);

    fmOpMini = placed(new Frame(this, QStringLiteral("Mini Player")), "fmOpMini", 120, 3015, 4800, 735);
    chkOnTop = placed(new QCheckBox(QStringLiteral("Alway On Top"), fmOpMini), "chkOnTop", 240, 330, 2415, 255);
    chkOnTop->setChecked(true);
    setCaptionWhite({opOT, opLS, opAny, chkOnTop});
    onMouseMove(txtCurAlb, [this] { txtCurAlb_MouseMove(); });
}

void OptionsPage::showAlbumPath()
{
    txtCurAlb->setText(toDisplay(form.m.AlbumPath));
}

void OptionsPage::txtCurAlb_MouseMove()
{
    txtCurAlb->setToolTip(txtCurAlb->text());
}
