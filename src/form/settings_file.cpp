// The settings file: read at start-up, written at shutdown. The window keeps the
// folders, the remembered positions and the mini player's place; the pages apply
// and collect the lines kept on their controls.
#include <algorithm>
#include <cmath>
#include <limits>

#include "form/form1.h"
#include "form/text_codec.h"
#include "logic/settings.h"
#include "platform/file_ops.h"
#include "platform/message_box.h"
#include "playback/player_session.h"

namespace {

int32_t toIndex(double v)
{
    if (!std::isfinite(v)) return 0;
    return int32_t(std::clamp(std::floor(v), double(std::numeric_limits<int32_t>::min()),
                              double(std::numeric_limits<int32_t>::max())));
}

}  // namespace

void Form1::LoadSettings(const std::string& path)
{
    FileRead file = readRegularFile(path, kSettingsMaxBytes);
    // A line cut by the limit is not read: the reading stops before it.
    if (file.truncated) file.bytes.erase(file.bytes.find_last_of("\r\n") + 1);
    applySettings(file.ok() ? parseSettings(file.bytes) : SettingsRead{});
}

void Form1::applySettings(const SettingsRead& r)
{
    const SettingsData& d = r.data;
    if (r.has(2)) m.DetailsFolder = d.detailsFolder;
    if (r.has(3)) m.AlbumPath = d.albumPath;
    if (r.has(4)) m.PlaylistFileName = d.playlistFileName;
    if (r.has(12)) m.TrackListIndex = toIndex(d.trackListIndex);
    if (r.has(13)) session->rememberPlaylistPosition(d.playlistIndex);
    if (r.has(23)) MiniTop = d.miniTop;
    if (r.has(24)) MiniLeft = d.miniLeft;
    pages.applySettings(r);
    if (!r.complete()) {
        m.TrackListIndex = 0;
        session->rememberPlaylistPosition(0);
    }
}

SettingsData Form1::currentSettings() const
{
    SettingsData d;
    d.detailsFolder = m.DetailsFolder;
    d.albumPath = m.AlbumPath;
    d.playlistFileName = m.PlaylistFileName;
    d.miniTop = MiniTop;
    d.miniLeft = MiniLeft;
    pages.collectSettings(d);
    return d;
}

void Form1::SaveSettings(const std::string& path)
{
    // The write replaces the file whole, so a failure leaves the previous settings intact.
    const FileError error = writeFileAtomic(path, formatSettings(currentSettings()));
    if (error != FileError::None)
        os.messages->show(toDisplay(settingsNotSavedMessage(path, failureText(error))),
                          QStringLiteral("Settings not saved"), MsgIcon::Exclamation, MsgButtons::Ok);
}
