// Playlist files kept by the user: the working playlist saved to one, and one
// loaded back in its place when it was made with the album loaded now.
#include <QFile>

#include "form/form1.h"
#include "form/text_codec.h"
#include "logic/playlist.h"
#include "logic/playlist_files.h"
#include "logic/text.h"
#include "platform/dialogs.h"
#include "platform/file_ops.h"
#include "platform/message_box.h"
#include "playlist/playlist_page.h"

namespace {

FileDialogRequest playlistDialog(const std::string& fileName)
{
    FileDialogRequest request;
    request.filter = QStringLiteral("Quillon Playlist (*.pll)|*.pll");
    request.defaultExt = QStringLiteral(".pll");
    request.fileName = QFile::decodeName(QByteArray::fromStdString(fileName));
    return request;
}

// The name is kept as a line of the settings file; one holding a line break leaves the name before it.
void keepName(std::string& kept, std::string_view name)
{
    if (!qtext::holdsLineBreak(name)) kept = name;
}

}  // namespace

void PlaylistPage::btnSavePL_Click()
{
    Module1& m = form.m;
    FileDialogRequest request = playlistDialog(m.PlaylistFileName);
    // Replacing a user's file silently would lose it: the dialog asks first.
    request.confirmOverwrite = true;
    const QString chosen = form.os.dialogs->showSave(request);
    if (chosen.isEmpty()) return;
    const std::string path = QFile::encodeName(chosen).toStdString();
    keepName(m.PlaylistFileName, path);
    const std::optional<std::string> working = readForChange();
    if (!working) return;
    // Written whole or not at all: a failed save leaves the chosen file as it was.
    if (const FileError error = writeFileAtomic(path, serializePlaylist(parsePlaylist(*working)));
        error != FileError::None) {
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
    const QString chosen = form.os.dialogs->showOpen(playlistDialog({}));
    if (!chosen.isEmpty()) loadPlaylistFile(QFile::encodeName(chosen).toStdString());
}

void PlaylistPage::loadPllFile(const std::string& path)
{
    Module1& m = form.m;
    keepName(m.PlaylistFileName, path);
    const FileRead file = readRegularFile(path, kMaxPlaylistBytes);
    auto refuse = [&](const std::string& prompt) {
        form.os.messages->show(toDisplay(prompt), QStringLiteral("Problem"), MsgIcon::Exclamation, MsgButtons::Ok);
    };
    if (!file.ok() || file.truncated) {
        refuse(playlistNotReadMessage(path, file.ok() ? "the file is too large" : failureText(file.error)));
        return;
    }
    switch (checkPlaylistAlbum(file.bytes, m.AlbumPath)) {
    case AlbumCheck::NoEntry: refuse(emptyPlaylistFileMessage(path)); return;
    case AlbumCheck::NotPlaylist: refuse(notPlaylistFileMessage(path)); return;
    case AlbumCheck::Different:
        form.os.messages->show(toDisplay(wrongAlbumMessage(playlistAlbumName(file.bytes), fileNameOf(m.AlbumPath))),
                               QStringLiteral("Problem"), MsgIcon::Question, MsgButtons::Ok);
        return;
    case AlbumCheck::Same: break;
    }
    if (!writePlaylist(serializePlaylist(parsePlaylist(file.bytes)))) return;
    keepName(m.PlaylistFileName, fileNameOf(path));
    FillPlaylist();
}
