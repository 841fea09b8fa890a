#include "logic/play_modes.h"

std::string_view statusText(Mode mode)
{
    switch (mode) {
    case Mode::SearchOne: return "Playing one track from Search Results";
    case Mode::PlaylistOne: return "Playing one track from Playlist";
    case Mode::One: return "Playing from Track List";
    case Mode::Playlist: return "Playing all tracks from Playlist";
    case Mode::All: return "Playing all tracks from Track List";
    case Mode::Random: return "Playing random tracks from Track List";
    case Mode::Stopped: return "Player stopped";
    }
    return {};
}

std::string problemPlayingMessage(std::string_view mp3Path)
{
    return "There is a problem playing this track.\r\r"
           "Note the path & filename below and ensure that you have the file available.\r\r"
           + std::string(mp3Path)
           + "\r\rIf the file is available then another programme using your sound card could be the problem.";
}
