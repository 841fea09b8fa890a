// Playlist files kept by the user: the working playlist saved to one, and one
// loaded back in its place when it was made with the album loaded now; or an M3U
// playlist of other players, written for the tracks and read by their files.
#include <QFile>
#include <algorithm>

#include "form/form1.h"
#include "form/text_codec.h"
#include "logic/m3u_playlist.h"
#include "logic/playlist.h"
#include "logic/playlist_files.h"
#include "logic/text.h"
#include "platform/dialogs.h"
#include "platform/file_ops.h"
#include "platform/message_box.h"
#include "playlist/playlist_page.h"

namespace {

FileDialogRequest playlistDialog(const std::string& fileName, const char* otherKinds)
{
    FileDialogRequest request;
    request.filter = QStringLiteral("Quillon Playlist (*.pll)|*.pll|") + QLatin1String(otherKinds);
    request.defaultExt = QStringLiteral(".pll");
    request.fileName = QFile::decodeName(QByteArray::fromStdString(fileName));
    return request;
}

// The filter of the M3U8 kind in the save dialog.
constexpr int kM3u8Filter = 2;

// The name is kept as a line of the settings file; one holding a line break leaves the name before it.
void keepName(std::string& kept, std::string_view name)
{
    if (!qtext::holdsLineBreak(name)) kept = name;
}

}  // namespace

void PlaylistPage::btnSavePL_Click()
{
    Module1& m = form.m;
    FileDialogRequest request = playlistDialog(m.PlaylistFileName, "M3U8 Playlist (*.m3u8)|*.m3u8");
    if (isM3uName(m.PlaylistFileName)) request.filterIndex = kM3u8Filter;
    // Replacing a user's file silently would lose it: the dialog asks first.
    request.confirmOverwrite = true;
    const QString chosen = form.os.dialogs->showSave(request);
    if (chosen.isEmpty()) return;
    const std::string path = QFile::encodeName(chosen).toStdString();
    // A name's own playlist extension decides the kind; the file type chosen decides for any other.
    const std::string_view name = fileNameOf(path);
    const std::string_view ext = name.substr(std::min(name.rfind('.'), name.size()));
    const bool m3u = isM3uName(ext) || (ext != ".pll" && form.os.dialogs->chosenFilterIndex() == kM3u8Filter);
    keepName(m.PlaylistFileName, path);
    const std::optional<std::string> working = readForChange();
    if (!working) return;
    const std::string content = m3u ? m3uFromPlaylist(*working, m.Album, m.DetailsFolder, folderBeforeName(path))
                                    : serializePlaylist(parsePlaylist(*working));
    // Written whole or not at all: a failed save leaves the chosen file as it was.
    if (const FileError error = writeFileAtomic(path, content); error != FileError::None) {
        form.os.messages->show(toDisplay(playlistFileNotSavedMessage(path, error)),
                               QStringLiteral("Error Saving Playlist"), MsgIcon::None, MsgButtons::Ok);
        return;
    }
    keepName(m.PlaylistFileName, fileNameOf(path));
}

void PlaylistPage::btnOpSavePL_Click()
{
    btnSavePL_Click();
}

void PlaylistPage::btnPLLoad_Click()
{
    const QString chosen = form.os.dialogs->showOpen(playlistDialog({}, "M3U Playlist (*.m3u8 *.m3u)|*.m3u8;*.m3u"));
    if (!chosen.isEmpty()) loadPlaylistFile(QFile::encodeName(chosen).toStdString());
}

bool PlaylistPage::loadPlaylistFile(const std::string& path)
{
    Module1& m = form.m;
    keepName(m.PlaylistFileName, path);
    const FileRead file = readRegularFile(path, kMaxPlaylistBytes);
    auto refuse = [&](const std::string& prompt) {
        form.os.messages->show(toDisplay(prompt), QStringLiteral("Problem"), MsgIcon::Exclamation, MsgButtons::Ok);
        return false;
    };
    if (!file.ok() || file.truncated)
        return refuse(playlistNotReadMessage(path, file.ok() ? "the file is too large" : failureText(file.error)));
    if (isM3uName(path)) return loadM3u(path, file.bytes);
    switch (checkPlaylistAlbum(file.bytes, m.AlbumPath)) {
    case AlbumCheck::NoEntry: return refuse(emptyPlaylistFileMessage(path));
    case AlbumCheck::NotPlaylist: return refuse(notPlaylistFileMessage(path));
    case AlbumCheck::Different:
        form.os.messages->show(toDisplay(wrongAlbumMessage(playlistAlbumName(file.bytes), fileNameOf(m.AlbumPath))),
                               QStringLiteral("Problem"), MsgIcon::Question, MsgButtons::Ok);
        return false;
    case AlbumCheck::Same: break;
    }
    if (!writePlaylist(serializePlaylist(parsePlaylist(file.bytes)))) return false;
    keepName(m.PlaylistFileName, fileNameOf(path));
    FillPlaylist();
    return true;
}

bool PlaylistPage::loadM3u(const std::string& path, std::string_view bytes)
{
    Module1& m = form.m;
    const M3uMatch match = matchM3u(bytes, folderBeforeName(path), TrackIndex(m.Album));
    const auto tell = [&](const std::string& prompt, const char* title, MsgIcon icon) {
        form.os.messages->show(toDisplay(prompt), QString::fromLatin1(title), icon, MsgButtons::Ok);
    };
    if (match.entries == 0) {
        tell(emptyPlaylistFileMessage(path), "Problem", MsgIcon::Exclamation);
        return false;
    }
    if (match.records.empty()) {
        tell(m3uNoTrackMessage(path, match), "Problem", MsgIcon::Exclamation);
        return false;
    }
    std::string entries;
    entries.reserve(match.records.size() * (m.AlbumPath.size() + 16));
    for (const int32_t record : match.records) entries += playlistEntryText(m.AlbumPath, record);
    if (!writePlaylist(entries)) return false;
    keepName(m.PlaylistFileName, fileNameOf(path));
    FillPlaylist();
    if (!match.unknown.empty()) tell(m3uPartlyLoadedMessage(path, match), "Playlist loaded", MsgIcon::Information);
    return true;
}
