// What the preference buttons do: the samples take sizes and colours, and
// "Set Preferences" carries them to the live panes.
#include <QCheckBox>
#include <QPlainTextEdit>

#include "form/form1.h"
#include "form/looks.h"
#include "platform/dialogs.h"
#include "prefs/prefs_frame.h"

void PrefsFrame::refreshSamples()
{
    setLook(lblTLSample, trackListLook());
    setLook(txtsample, detailsLook());
}

void PrefsFrame::setSampleSize(QWidget* sample, double points)
{
    Look look = lookOf(sample);
    look.fontSize = points;
    setLook(sample, look);
}

void PrefsFrame::chooseColour(QWidget* sample, uint32_t Look::*part)
{
    Look look = lookOf(sample);
    const std::optional<uint32_t> chosen = form.os.dialogs->showColor(look.*part);
    if (!chosen) return;
    look.*part = *chosen;
    setLook(sample, look);
}

void PrefsFrame::btnFontUp_Click()
{
    setSampleSize(txtsample, kDetailsLarger);
}
void PrefsFrame::btnFontNormal_Click()
{
    setSampleSize(txtsample, kDetailsNormal);
}
void PrefsFrame::btnFontSmall_Click()
{
    setSampleSize(txtsample, kDetailsSmaller);
}
void PrefsFrame::btnBack_Click()
{
    chooseColour(txtsample, &Look::back);
}
void PrefsFrame::btnTextColour_Click()
{
    chooseColour(txtsample, &Look::fore);
}
void PrefsFrame::btnTLFontUp_Click()
{
    setSampleSize(lblTLSample, kTrackListLarger);
}
void PrefsFrame::btnTLFontNormal_Click()
{
    setSampleSize(lblTLSample, kTrackListNormal);
}
void PrefsFrame::btnTLBack_Click()
{
    chooseColour(lblTLSample, &Look::back);
}
void PrefsFrame::btnTLColour_Click()
{
    chooseColour(lblTLSample, &Look::fore);
}

void PrefsFrame::btnTLSet_Click()
{
    emit looksSet(lookOf(txtsample), lookOf(lblTLSample), chkAllPrefs->isChecked());
}

void PrefsFrame::btnDefaultPref_Click()
{
    setLook(txtsample, kDetailsLook);
    setLook(lblTLSample, kTrackListLook);
    emit looksReset();
}
