#include "shortcuts/keyboard.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextEdit>
#include <QTreeView>

#include "album/track_list_page.h"
#include "prefs/options_page.h"
#include "form/form1.h"
#include "playback/player_session.h"
#include "playlist/playlist_page.h"
#include "search/search_page.h"

bool takesTypedText(const QWidget* widget)
{
    if (!widget) return false;
    if (const auto* line = qobject_cast<const QLineEdit*>(widget)) return !line->isReadOnly();
    if (const auto* text = qobject_cast<const QPlainTextEdit*>(widget)) return !text->isReadOnly();
    if (const auto* rich = qobject_cast<const QTextEdit*>(widget)) return !rich->isReadOnly();
    if (const auto* spin = qobject_cast<const QAbstractSpinBox*>(widget)) return !spin->isReadOnly();
    // A folder tree and a choice list find an entry by the letters typed, so a folder
    // named "tmp" typed there must not mute the player on its "m".
    if (qobject_cast<const QComboBox*>(widget) || qobject_cast<const QTreeView*>(widget)) return true;
    return false;
}

KeyboardShortcuts::KeyboardShortcuts(Form1& owner) : QObject(&owner), form(owner)
{
    // Installed on the application: the control with the focus would take Space or
    // Enter for itself before the window saw them.
    qApp->installEventFilter(this);
}

KeyboardShortcuts::~KeyboardShortcuts()
{
    qApp->removeEventFilter(this);
}

bool KeyboardShortcuts::miniView() const
{
    return !form.picMin->isHidden();
}

KeyContext KeyboardShortcuts::context(bool autoRepeat) const
{
    KeyContext c;
    // The window's own focus control, as the key goes there even while the window
    // passes a key its control ignored on to the controls around it.
    c.typing = takesTypedText(form.focusWidget());
    c.miniView = miniView();
    c.page = !form.fmPlaylist->isHidden()  ? ShownPage::Playlist
             : !form.fmSearch->isHidden()  ? ShownPage::Search
             : !form.fmOptions->isHidden() ? ShownPage::Options
                                           : ShownPage::TrackList;
    c.autoRepeat = autoRepeat;
    return c;
}

bool KeyboardShortcuts::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType()) return false;
    if (static_cast<QWidget*>(watched)->window() != &form) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    const KeyAction action = keyAction(key->key(), key->modifiers(), context(key->isAutoRepeat()));
    if (action == KeyAction::None) return false;
    run(action);
    return true;
}

void KeyboardShortcuts::playSelected()
{
    // As a double-click, which needs a line under the pointer.
    if (!form.fmPlaylist->isHidden()) {
        const int line = form.fmPlaylist->lstPlayList->listIndex();
        if (line >= 0) form.session->playPlaylistEntry(line);
    } else if (form.fmTrackList->lstTracks->listIndex() >= 0) {
        form.session->playFromTrackList();
    }
}

// The media keys of a keyboard, with the meanings desktop players give them.
void KeyboardShortcuts::playMedia(KeyAction action)
{
    switch (action) {
    case KeyAction::MediaPlay: form.session->play(); break;
    case KeyAction::MediaPause: form.session->pause(); break;
    case KeyAction::MediaPlayPause: form.session->playPause(); break;
    case KeyAction::MediaStop: form.session->stop(); break;
    case KeyAction::MediaNext: form.session->skip(); break;
    default: break;
    }
}

void KeyboardShortcuts::run(KeyAction action)
{
    const bool mini = miniView();
    switch (action) {
    case KeyAction::None: break;
    case KeyAction::PauseResume: form.session->pauseResume(); break;
    case KeyAction::PlaySelected: playSelected(); break;
    case KeyAction::ShowTrackList: form.lblTabTrackList_Click(); break;
    case KeyAction::ShowPlaylist: form.lblTabPlaylist_Click(); break;
    case KeyAction::ShowSearch: form.lblTabSearch_Click(); break;
    case KeyAction::ShowOptions: form.lblTabOptions_Click(); break;
    case KeyAction::FindText:
        form.lblTabSearch_Click();
        form.fmSearch->txtSearch->setFocus(Qt::ShortcutFocusReason);
        form.fmSearch->txtSearch->selectAll();
        break;
    // A muted volume stays put, as its disabled step buttons do.
    case KeyAction::VolumeUp:
        if (!form.session->muted()) form.session->volumeUp();
        break;
    case KeyAction::VolumeDown:
        if (!form.session->muted()) form.session->volumeDown();
        break;
    case KeyAction::Mute: form.session->toggleMute(); break;
    case KeyAction::ToggleMini: mini ? form.btnMinMax_Click() : form.btnMinim_Click(); break;
    case KeyAction::Quit: form.btnExit_Click(); break;
    case KeyAction::Undo: form.fmPlaylist->undo(); break;
    case KeyAction::Redo: form.fmPlaylist->redo(); break;
    case KeyAction::MoveUp: form.fmPlaylist->moveSelected(-1); break;
    case KeyAction::MoveDown: form.fmPlaylist->moveSelected(1); break;
    default: playMedia(action); break;
    }
}
