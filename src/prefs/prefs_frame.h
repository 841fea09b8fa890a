#pragma once
// The Options page's "Preferences" frame: font sizes and colours of the details
// pane and the track list, tried on two samples and applied with "Set Preferences".
#include <cstdint>
#include <functional>

#include "form/page.h"
#include "logic/look.h"

class Form1;
class QCheckBox;
class QPlainTextEdit;
class QPushButton;

class PrefsFrame : public PageFrame {
    Q_OBJECT
public:
    // The samples start in the fonts of the details pane and the track list.
    PrefsFrame(Form1& form, QWidget* optionsPage, const QFont& detailsFont, const QFont& trackListFont);

    QGroupBox* fmOpDetails;
    QLabel* lblDetailsOp;
    QPlainTextEdit* txtsample;
    QPushButton *btnFontUp, *btnFontNormal, *btnFontSmall, *btnBack, *btnTextColour;
    QGroupBox* fmOpTrackL;
    QLabel *Label9, *lblTLSample;
    QPushButton *btnTLFontUp, *btnTLFontNormal, *btnTLBack, *btnTLColour;
    QGroupBox* Frame3;
    QCheckBox* chkAllPrefs;
    QPushButton *btnTLSet, *btnDefaultPref;

    // The looks of the live panes, the details pane's and the track list's.
    std::function<Look()> detailsLook, trackListLook;

    // The samples take the looks of the live panes: txtsample those of
    // txtDetails, lblTLSample those of lstTracks. Runs whenever the page shows.
    void refreshSamples();

    void btnFontUp_Click();
    void btnFontNormal_Click();
    void btnFontSmall_Click();
    void btnBack_Click();
    void btnTextColour_Click();
    void btnTLFontUp_Click();
    void btnTLFontNormal_Click();
    void btnTLBack_Click();
    void btnTLColour_Click();
    void btnTLSet_Click();
    void btnDefaultPref_Click();

signals:
    // "Set Preferences": the details pane and the track list take these looks, and with
    // allLists the playlist and the search results take the track list's.
    void looksSet(const Look& details, const Look& trackList, bool allLists);
    // "Reset Defaults": the live panes go back to their default looks.
    void looksReset();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildDetailsFrame();
    void buildTrackListFrame();
    void buildApplyFrame();
    void connectHandlers();
    void setSampleSize(QWidget* sample, double points);
    // Asks for a colour for one part of a sample's look; a cancelled dialog changes nothing.
    void chooseColour(QWidget* sample, uint32_t Look::*part);
};
