#include "shortcuts/key_actions.h"

namespace {

KeyAction mediaKey(int key)
{
    switch (key) {
    case Qt::Key_MediaPlay: return KeyAction::MediaPlay;
    case Qt::Key_MediaPause: return KeyAction::MediaPause;
    case Qt::Key_MediaTogglePlayPause: return KeyAction::MediaPlayPause;
    case Qt::Key_MediaStop: return KeyAction::MediaStop;
    case Qt::Key_MediaNext: return KeyAction::MediaNext;
    default: return KeyAction::None;
    }
}

KeyAction controlKey(int key, const KeyContext& context)
{
    switch (key) {
    case Qt::Key_M: return KeyAction::ToggleMini;
    case Qt::Key_Q: return KeyAction::Quit;
    default: break;
    }
    // The pages are not part of the mini player strip.
    if (context.miniView) return KeyAction::None;
    switch (key) {
    // A text box takes back its own typing.
    case Qt::Key_Z: return context.typing ? KeyAction::None : KeyAction::Undo;
    case Qt::Key_Y: return context.typing ? KeyAction::None : KeyAction::Redo;
    case Qt::Key_1: return KeyAction::ShowTrackList;
    case Qt::Key_2: return KeyAction::ShowPlaylist;
    case Qt::Key_3: return KeyAction::ShowSearch;
    case Qt::Key_4: return KeyAction::ShowOptions;
    case Qt::Key_F: return KeyAction::FindText;
    default: return KeyAction::None;
    }
}

// Keys that are text in a text box: they act only when no such box has the focus.
KeyAction plainKey(int key, const KeyContext& context)
{
    switch (key) {
    case Qt::Key_Plus:
    case Qt::Key_Equal: return KeyAction::VolumeUp;
    case Qt::Key_Minus: return KeyAction::VolumeDown;
    default: break;
    }
    // Holding a key down repeats only the volume steps, not the toggles.
    if (context.autoRepeat) return KeyAction::None;
    switch (key) {
    case Qt::Key_Space: return KeyAction::PauseResume;
    case Qt::Key_M: return KeyAction::Mute;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // On the Search page Enter runs the search, as the page's default button.
        if (context.miniView) return KeyAction::None;
        if (context.page == ShownPage::TrackList || context.page == ShownPage::Playlist) return KeyAction::PlaySelected;
        return KeyAction::None;
    default: return KeyAction::None;
    }
}

}  // namespace

KeyAction keyAction(int key, Qt::KeyboardModifiers modifiers, const KeyContext& context)
{
    if (const KeyAction media = mediaKey(key); media != KeyAction::None)
        return context.autoRepeat ? KeyAction::None : media;
    // The keypad and the Shift that some layouts need for "+" do not change the key.
    const Qt::KeyboardModifiers held = modifiers & ~Qt::KeypadModifier;
    if (held == Qt::ControlModifier) return context.autoRepeat ? KeyAction::None : controlKey(key, context);
    const bool pageKeys = !context.typing && !context.miniView && !context.autoRepeat;
    if (held == (Qt::ControlModifier | Qt::ShiftModifier))
        return pageKeys && key == Qt::Key_Z ? KeyAction::Redo : KeyAction::None;
    // The playlist's selected entries move up and down its list.
    if (held == Qt::AltModifier && !context.typing && !context.miniView && context.page == ShownPage::Playlist)
        return key == Qt::Key_Up ? KeyAction::MoveUp : key == Qt::Key_Down ? KeyAction::MoveDown : KeyAction::None;
    const bool shiftOnly = held == Qt::ShiftModifier;
    if (held != Qt::NoModifier && !(shiftOnly && (key == Qt::Key_Plus || key == Qt::Key_Minus))) return KeyAction::None;
    if (context.typing) return KeyAction::None;
    return plainKey(key, context);
}
