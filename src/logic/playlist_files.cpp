#include "logic/playlist_files.h"

#include <algorithm>

#include "logic/playlist.h"

namespace {

size_t lastSeparator(std::string_view path)
{
    return path.find_last_of("\\/");
}

}  // namespace

std::string_view fileNameOf(std::string_view path)
{
    const size_t at = lastSeparator(path);
    return at == std::string_view::npos ? path : path.substr(at + 1);
}

std::string_view folderBeforeName(std::string_view path)
{
    const size_t at = lastSeparator(path);
    return at == std::string_view::npos ? std::string_view() : path.substr(0, at);
}

std::string playlistAlbumName(std::string_view playlistBytes)
{
    const std::optional<PlaylistEntry> first = playlistEntryAt(playlistBytes, 0);
    return first ? std::string(fileNameOf(first->albumPath)) : std::string();
}

AlbumCheck checkPlaylistAlbum(std::string_view playlistBytes, std::string_view loadedAlbumPath)
{
    const std::optional<PlaylistEntry> first = playlistEntryAt(playlistBytes, 0);
    if (!first) return AlbumCheck::NoEntry;
    // The album's name is quoted to the user, so a first entry holding control bytes (or
    // longer than any path) is taken for the start of some other kind of file. A record line
    // that is text but no number still loads, as hand-edited lists may have them.
    constexpr size_t kLongestPath = 4096;
    const auto hasControl = [](std::string_view line) {
        return std::any_of(line.begin(), line.end(), [](unsigned char c) { return (c < ' ' && c != '\t') || c == 0x7F; });
    };
    if (first->albumPath.size() > kLongestPath || hasControl(first->albumPath) || hasControl(first->recordLine))
        return AlbumCheck::NotPlaylist;
    return playlistAlbumName(playlistBytes) == fileNameOf(loadedAlbumPath) ? AlbumCheck::Same : AlbumCheck::Different;
}

std::string wrongAlbumMessage(std::string_view playlistAlbum, std::string_view loadedAlbum)
{
    return "The Playlist you are trying to load is from " + std::string(playlistAlbum) + ".\r\rYou have "
           + std::string(loadedAlbum) + " loaded!\r\rLoad the correct album and try again.";
}

std::string playlistSaveErrorMessage(std::string_view folder)
{
    return "Unable to save playlist to drive " + std::string(folder)
           + "\rIs this a read only drive?\rPlease try again and select another location";
}

std::string playlistFileNotSavedMessage(std::string_view path, FileError error)
{
    return error == FileError::AccessDenied ? playlistSaveErrorMessage(folderBeforeName(path))
                                            : playlistNotSavedMessage(path, failureText(error));
}

std::string emptyPlaylistFileMessage(std::string_view path)
{
    return "The playlist file\r" + std::string(path) + "\rholds no tracks.\r\rThe playlist is as it was.";
}

std::string notPlaylistFileMessage(std::string_view path)
{
    return "The file\r" + std::string(path) + "\ris not a playlist file.\r\rThe playlist is as it was.";
}
