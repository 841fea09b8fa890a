#include <QRadioButton>
#include <random>
#include <vector>

#include "album/track_list_page.h"
#include "prefs/options_page.h"
#include "form/form1.h"
#include "platform/message_box.h"
#include "form/text_codec.h"
#include "audio/media_player.h"
#include "logic/play_modes.h"
#include "logic/text.h"

namespace {

// Random draws made before the whole album is checked for tracks the preference allows.
constexpr int kDrawsBeforeScan = 32;

}  // namespace

bool Form1::isExcludedByPreference(int16_t lineside) const
{
    if (!honoursPreference(m.PlayMode)) return false;
    return (fmOptions->opOT->isChecked() && lineside == -1) || (fmOptions->opLS->isChecked() && lineside == 0);
}

void Form1::stopPlayback()
{
    m.PlayMode = Mode::Stopped;
    lblPlayMode->setText(toDisplay(kPlayerStopped));
    emit playerChanged();
}

// Selecting the line runs its click handler, which makes it current and shows its notes.
bool Form1::drawRandomLine()
{
    const int count = fmTrackList->lstTracks->listCount();
    if (count == 0) return false;
    fmTrackList->lstTracks->setListIndex(std::uniform_int_distribution<int>(0, count - 1)(m.Random));
    return true;
}

// Picks uniformly among the lines the preference allows; false when it allows none.
bool Form1::drawAllowedLine()
{
    std::vector<int> allowed;
    m.Album.forEach([&](int32_t n, const RecordView& rec) {
        if (!isExcludedByPreference(rec.Lineside()) && n <= fmTrackList->lstTracks->listCount()) allowed.push_back(n - 1);
    });
    if (allowed.empty()) return false;
    fmTrackList->lstTracks->setListIndex(allowed[std::uniform_int_distribution<size_t>(0, allowed.size() - 1)(m.Random)]);
    return true;
}

bool Form1::moveToNextCandidate(int attempt)
{
    if (m.PlayMode == Mode::Random) return attempt < kDrawsBeforeScan ? drawRandomLine() : drawAllowedLine();
    const int next = fmTrackList->lstTracks->listIndex() + 1;
    if (next >= fmTrackList->lstTracks->listCount()) return false;
    fmTrackList->lstTracks->setListIndex(next);
    return true;
}

void Form1::PlayTrack()
{
    m.NextTrackAsked = false;
    keepTicking();
    picTimer->cls();
    picMinTimer->cls();
    for (int attempt = 0;; ++attempt) {
        if (!m.Album.read(m.CurrentRecord, m.TrackRec)) return;
        m.PlayingRecord = m.CurrentRecord;
        if (m.PlayMode != Mode::PlaylistOne) lblPlayMode->setText(toDisplay(statusText(m.PlayMode)));
        if (!isExcludedByPreference(m.TrackRec.Lineside)) break;
        if (!moveToNextCandidate(attempt)) {
            // Nothing further that the preference allows: stop instead of searching for ever.
            btnStop_Click();
            return;
        }
    }
    lblTitle->setText(toDisplay(m.TrackRec.Title));
    fmTrackList->FormatTrackDate();
    lblDate->setText(toDisplay(m.Date.dayText + " " + m.Date.monthText + m.Date.yearText));
    lblPTime->setText(toDisplay(qtext::trim(m.TrackRec.PlayTime)));
    lblMinPTime->setText(lblPTime->text());
    lblPath->setText(toDisplay("Album: " + qtext::trimmed(m.TrackRec.Folder) + "   File: " +
                               qtext::trimmed(m.TrackRec.Mp3Name) + ".mp3"));
    const std::string path = mp3Path(m.DetailsFolder, m.TrackRec);
    os.player->setStartOnOpen(true);
    os.player->setSourceFile(toDisplay(path));
    if (os.player->hasError()) {
        os.messages->show(toDisplay(problemPlayingMessage(path)), QStringLiteral("Problem"), MsgIcon::Question,
                          MsgButtons::Ok);
        stopPlayback();  // nothing plays, and no end of track will come to move on from
    }
    emit playerChanged();
}
