#pragma once
// Which window command a key press stands for, decided from the key, its
// modifiers and where the keyboard focus is, without touching a widget.
#include <Qt>

enum class KeyAction {
    None,
    PauseResume,
    PlaySelected,
    ShowTrackList,
    ShowPlaylist,
    ShowSearch,
    ShowOptions,
    FindText,
    VolumeUp,
    VolumeDown,
    Mute,
    ToggleMini,
    Quit,
    MediaPlay,
    MediaPause,
    MediaPlayPause,
    MediaStop,
    MediaNext,
    Undo,
    Redo,
    MoveUp,
    MoveDown,
};

enum class ShownPage { TrackList, Playlist, Search, Options };

struct KeyContext {
    bool typing = false;    // the focus is in a box that takes typed text
    bool miniView = false;  // only the mini player strip is shown
    ShownPage page = ShownPage::TrackList;
    bool autoRepeat = false;
};

KeyAction keyAction(int key, Qt::KeyboardModifiers modifiers, const KeyContext& context);
