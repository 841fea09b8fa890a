#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

#include "form/form1.h"
#include "form/layout_helpers.h"
#include "form/looks.h"
#include "form/page.h"

void Form1::buildTrackListPage()
{
    fmTrackList = new Page(*this, "fmTrackList", 6315);
    fmTrackList->show();
    lstTracks = fixedPitchList(fmTrackList, "lstTracks", "Track list", true);
    placeTwips(lstTracks, 120, 240, 9555, 2500);
    txtDetails = named(placed(new QPlainTextEdit(fmTrackList), "txtDetails", 120, 2710, 9555, 3375), "Track notes");
    txtDetails->setReadOnly(true);
    txtDetails->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtDetails->setFont(QFont(QStringLiteral("Liberation Sans")));
    VScroll1 = named(placed(new QScrollBar(Qt::Vertical, fmTrackList), "VScroll1", 9720, 240, 255, 5875), "Splitter");
    VScroll1->setRange(500, 5500);
    VScroll1->setSingleStep(10);
    VScroll1->setPageStep(100);
    VScroll1->setValue(500);
    btnAddPL = placed(new QPushButton(QStringLiteral("Add to Playlist"), fmTrackList), "btnAddPL", 120, 240, 1455, 255);
    btnClearSel = placed(new QPushButton(QStringLiteral("Clear Selected"), fmTrackList), "btnClearSel", 120, 480, 1455, 255);
    btnAddPL->hide();
    btnClearSel->hide();
}

void Form1::buildOptionsPage()
{
    fmOptions = new Page(*this, "fmOptions", 6313);
    fmOpFile = placed(new Frame(fmOptions, QStringLiteral("File")), "fmOpFile", 120, 120, 4800, 1800);
    Label3 = placed(new QLabel(QStringLiteral("Current Album:"), fmOpFile), "Label3", 120, 300, 1455, 195);
    txtCurAlb = named(placed(new QLineEdit(fmOpFile), "txtCurAlb", 120, 520, 4560, 285), "Current album");
    txtCurAlb->setReadOnly(true);
    btnLoad = placed(new QPushButton(QStringLiteral("Load New Album"), fmOpFile), "btnLoad", 120, 960, 1695, 375);
    Label6 = placed(new QLabel(QStringLiteral("Note: Loading a new Album will clear the Playlist."), fmOpFile), "Label6", 1935, 900, 2745, 480);
    Label6->setWordWrap(true);
    btnOpSavePL = placed(new QPushButton(QStringLiteral("Save Playlist"), fmOpFile), "btnOpSavePL", 120, 1400, 1695, 300);

    fmOpPlaying = placed(new Frame(fmOptions, QStringLiteral("Playing Random and All Tracks")), "fmOpPlaying", 120, 2040, 4800, 855);
    opOT = placed(new QRadioButton(QStringLiteral("On Train"), fmOpPlaying), "opOT", 240, 360, 1335, 255);
    opLS = placed(new QRadioButton(QStringLiteral("Lineside"), fmOpPlaying), "opLS", 1695, 360, 1335, 255);
    opAny = placed(new QRadioButton(QStringLiteral("Both"), fmOpPlaying), "opAny", 3150, 360, 1335, 255);
    opAny->setChecked(true);

    fmOpMini = placed(new Frame(fmOptions, QStringLiteral("Mini Player")), "fmOpMini", 120, 3015, 4800, 735);
    chkOnTop = placed(new QCheckBox(QStringLiteral("Alway On Top"), fmOpMini), "chkOnTop", 240, 330, 2415, 255);
    chkOnTop->setChecked(true);
    setCaptionWhite({opOT, opLS, opAny, chkOnTop});
}

void Form1::buildNotesPane()
{
    fmSeNotes = placed(new Frame(this, QStringLiteral("Notes")), "fmSeNotes", 240, 2100, 9435, 1155);
    fmSeNotes->setAutoFillBackground(true);  // covers the list below it
    txtSENotes = named(placed(new QPlainTextEdit(fmSeNotes), "txtSENotes", 120, 240, 8895, 795), "Entry notes");
    txtSENotes->setReadOnly(true);
    btnSeNotesX = placed(new QPushButton(QStringLiteral("X"), fmSeNotes), "btnSeNotesX", 9075, 240, 255, 255);
    for (QWidget* w : std::initializer_list<QWidget*>{fmSeNotes, txtSENotes, btnSeNotesX}) w->hide();
}
