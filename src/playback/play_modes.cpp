#include "playback/play_modes.h"

QString playmode::statusText(char mode)
{
    switch (mode) {
    case SearchOne: return QStringLiteral("Playing one track from Search Results");
    case PlaylistOne: return QStringLiteral("Playing one track from Playlist");
    case One: return QStringLiteral("Playing from Track List");
    case Playlist: return QStringLiteral("Playing all tracks from Playlist");
    case All: return QStringLiteral("Playing all tracks from Track List");
    case Random: return QStringLiteral("Playing random tracks from Track List");
    case Stopped: return QStringLiteral("Player stopped");
    default: return {};
    }
}

QString problemPlayingMessage(const QString& mp3Path)
{
    return QStringLiteral("There is a problem playing this track.\r\r"
                          "Note the path & filename below and ensure that you have the file available.\r\r") +
           mp3Path +
           QStringLiteral("\r\rIf the file is available then another programme using your sound card could be the problem.");
}
