#pragma once
// Rules for playlist files kept by the user (".pll"): which album a file was made
// with, and the texts of the messages about saving and loading them.
#include <string>
#include <string_view>

#include "logic/file_read.h"

// The part of a path after its last '\' or '/': the file's own name. Paths written
// on either kind of system give the same name.
std::string_view fileNameOf(std::string_view path);
// The part of a path before its last '\' or '/' (without it); "" when it has none.
std::string_view folderBeforeName(std::string_view path);

enum class AlbumCheck {
    Same,         // the file's first entry names an album file of the loaded album's name
    Different,    // it names another album file (letter case counts)
    NoEntry,      // the file holds no entry, so it names no album
    NotPlaylist,  // its first entry holds control bytes or is longer than any path: no playlist file
};

// Compares the album file name of a playlist file's first entry with the loaded album's.
AlbumCheck checkPlaylistAlbum(std::string_view playlistBytes, std::string_view loadedAlbumPath);
// The album file name of a playlist file's first entry; "" without entries.
std::string playlistAlbumName(std::string_view playlistBytes);

// Prompt of the "Problem" box refusing a playlist file made with another album.
std::string wrongAlbumMessage(std::string_view playlistAlbum, std::string_view loadedAlbum);
// Prompt of the "Error Saving Playlist" box; folder is the chosen path before its last separator.
std::string playlistSaveErrorMessage(std::string_view folder);
// The prompt of that box for a save to path that failed: the question about a read-only
// drive for a refused path, the failure named for any other.
std::string playlistFileNotSavedMessage(std::string_view path, FileError error);
// Prompt of the box refusing a playlist file that names no track at all.
std::string emptyPlaylistFileMessage(std::string_view path);
// Prompt of the box refusing a file that is no playlist file at all.
std::string notPlaylistFileMessage(std::string_view path);
