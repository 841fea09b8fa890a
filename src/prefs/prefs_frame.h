#pragma once
// The Options page's "Preferences" frame: font sizes and colours of the details
// pane and the track list, tried on two samples and applied with "Set Preferences".
#include <cstdint>

#include "form/widgets.h"
#include "logic/look.h"

class Form1;
class QCheckBox;
class QPlainTextEdit;
class QPushButton;

class PrefsFrame : public Frame {
    Q_OBJECT
public:
    PrefsFrame(Form1& form, QWidget* optionsPage);

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

    Form1& form;
};
