// What the preference buttons do: the samples take sizes and colours, and
// "Set Preferences" carries them to the live panes.
#include <QCheckBox>
#include <QPlainTextEdit>

#include "form/form1.h"
#include "form/looks.h"
#include "platform/dialogs.h"
#include "playlist/playlist_page.h"
#include "prefs/prefs_frame.h"
#include "search/search_page.h"

void PrefsFrame::refreshSamples()
{
    setLook(lblTLSample, lookOf(form.lstTracks));
    setLook(txtsample, lookOf(form.txtDetails));
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

void PrefsFrame::btnFontUp_Click() { setSampleSize(txtsample, kDetailsLarger); }
void PrefsFrame::btnFontNormal_Click() { setSampleSize(txtsample, kDetailsNormal); }
void PrefsFrame::btnFontSmall_Click() { setSampleSize(txtsample, kDetailsSmaller); }
void PrefsFrame::btnBack_Click() { chooseColour(txtsample, &Look::back); }
void PrefsFrame::btnTextColour_Click() { chooseColour(txtsample, &Look::fore); }
void PrefsFrame::btnTLFontUp_Click() { setSampleSize(lblTLSample, kTrackListLarger); }
void PrefsFrame::btnTLFontNormal_Click() { setSampleSize(lblTLSample, kTrackListNormal); }
void PrefsFrame::btnTLBack_Click() { chooseColour(lblTLSample, &Look::back); }
void PrefsFrame::btnTLColour_Click() { chooseColour(lblTLSample, &Look::fore); }

void PrefsFrame::btnTLSet_Click()
{
    const Look trackList = lookOf(lblTLSample);
    setLook(form.lstTracks, trackList);
    setLook(form.txtDetails, lookOf(txtsample));
    form.lblTabTrackList_Click();
    // Selecting the current line again shows its notes in the new look.
    const int current = form.lstTracks->listIndex();
    if (current >= 0) form.lstTracks->setSelected(current, true);
    // Unchecked, the other lists keep whatever look they last received.
    if (chkAllPrefs->isChecked())
        for (QWidget* list : {static_cast<QWidget*>(form.fmPlaylist->lstPlayList),
                              static_cast<QWidget*>(form.fmSearch->lstSearchRes)})
            setLook(list, trackList);
}

void PrefsFrame::btnDefaultPref_Click()
{
    setLook(txtsample, kDetailsLook);
    setLook(lblTLSample, kTrackListLook);
    setLook(form.txtDetails, kDetailsLook);
    setLook(form.lstTracks, kTrackListLook);
}
