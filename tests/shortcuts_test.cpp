// The keyboard: what a key does where the focus is, and the handlers it runs.
#include <QtTest>
#include <QtWidgets>

#include "form/widgets.h"
#include "shortcuts/key_actions.h"
#include "shortcuts/keyboard.h"
#include "support/playback_fixture.h"
#include "support/table.h"

namespace {

// Presses each key of a list like "Ctrl+F,M,Media Play" where the keyboard focus is.
void press(Form1& w, const QString& keys)
{
    for (const QString& name : keys.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QKeyCombination key = QKeySequence(name == QLatin1String("Comma") ? QStringLiteral(",") : name)[0];
        QWidget* to = w.focusWidget() ? w.focusWidget() : &w;
        // Keys without a character of their own, such as the media keys, carry no text.
        if (key.key() >= Qt::Key_Back)
            QTest::sendKeyEvent(QTest::Click, to, key.key(), QString(), key.keyboardModifiers());
        else QTest::keyClick(to, key.key(), key.keyboardModifiers());
        settle();
    }
}

}  // namespace

class ShortcutsTest : public QObject {
    Q_OBJECT
private slots:
    void keyDecisions_data()
    {
        const auto row = columns<int, int, bool, bool, int, bool, int>(
            {"key", "modifiers", "typing", "mini", "page", "repeat", "action"});
        const int none = Qt::NoModifier, ctrl = Qt::ControlModifier, track = int(ShownPage::TrackList);
        row("space held", Qt::Key_Space, none, false, false, track, true, int(KeyAction::None));
        row("shift plus", Qt::Key_Plus, Qt::ShiftModifier, false, false, track, false, int(KeyAction::VolumeUp));
        row("keypad minus held", Qt::Key_Minus, Qt::KeypadModifier, false, false, track, true,
            int(KeyAction::VolumeDown));
        row("enter, playlist", Qt::Key_Enter, Qt::KeypadModifier, false, false, int(ShownPage::Playlist), false,
            int(KeyAction::PlaySelected));
        row("enter, search", Qt::Key_Return, none, false, false, int(ShownPage::Search), false, int(KeyAction::None));
        row("enter, mini", Qt::Key_Return, none, false, true, track, false, int(KeyAction::None));
        row("ctrl+4 typed", Qt::Key_4, ctrl, true, false, track, false, int(KeyAction::ShowOptions));
        row("ctrl+shift+q", Qt::Key_Q, Qt::ControlModifier | Qt::ShiftModifier, false, false, track, false,
            int(KeyAction::None));
        const int shiftCtrl = int(Qt::ControlModifier | Qt::ShiftModifier), list = int(ShownPage::Playlist);
        row("ctrl+z typed", Qt::Key_Z, ctrl, true, false, track, false, int(KeyAction::None));
        row("ctrl+shift+z", Qt::Key_Z, shiftCtrl, false, false, track, false, int(KeyAction::Redo));
        row("alt+up, playlist", Qt::Key_Up, Qt::AltModifier, false, false, list, true, int(KeyAction::MoveUp));
        row("alt+down, track list", Qt::Key_Down, Qt::AltModifier, false, false, track, false, int(KeyAction::None));
        row("media next typed", Qt::Key_MediaNext, none, true, false, track, false, int(KeyAction::MediaNext));
    }
    void keyDecisions()
    {
        auto [key, modifiers, typing, mini, page,
              repeat] = fetch<int, int, bool, bool, int, bool>({"key", "modifiers", "typing", "mini", "page", "repeat"});
        QTEST(int(keyAction(key, Qt::KeyboardModifiers(modifiers), KeyContext{typing, mini, ShownPage(page), repeat})),
              "action");
    }

    // Keys pressed where the focus is, on a window with a three-track album.
    void keysRunTheHandlers_data()
    {
        const auto row = columns<QString, QString, QString, int, bool, QString>(
            {"keys", "volume", "page", "state", "mini", "searchText"});
        const int stopped = MediaPlayer::Stopped, playing = MediaPlayer::Playing, paused = MediaPlayer::Paused;
        row("space while stopped", "Space", "10", "fmTrackList", stopped, false, "");
        row("space pauses", "Return,Space", "10", "fmTrackList", paused, false, "");
        row("volume steps", "-,-,+", "9", "fmTrackList", stopped, false, "");
        row("no step while muted", "-,M,-", "Mute", "fmTrackList", stopped, false, "");
        row("pages", "Ctrl+2", "10", "fmPlaylist", stopped, false, "");
        row("typing in the search box", "Ctrl+F,M,Space,-,+", "10", "fmSearch", stopped, false, "m -+");
        row("media play", "Media Play", "10", "fmTrackList", playing, false, "");
        row("media toggle", "Toggle Media Play/Pause,Toggle Media Play/Pause", "10", "fmTrackList", paused, false, "");
        row("media stop", "Media Play,Media Stop", "10", "fmTrackList", stopped, false, "");
        row("mini player", "Ctrl+M,-", "9", "", stopped, true, "");
        row("mini player and back", "Ctrl+M,Ctrl+M", "10", "fmTrackList", stopped, false, "");
    }
    void keysRunTheHandlers()
    {
        QFETCH(QString, keys);
        FormFixture f;
        Form1& w = startOnAlbum(f, numbered(3));
        press(w, keys);
        QTEST(w.lblVolume->text(), "volume");
        const QList<QWidget*> pages{w.fmTrackList, w.fmPlaylist, w.fmSearch, w.fmOptions};
        const auto shown = std::find_if(pages.begin(), pages.end(), [](QWidget* p) { return !p->isHidden(); });
        QTEST(shown == pages.end() ? QString() : (*shown)->objectName(), "page");
        QTEST(f.player.playState(), "state");
        QTEST(!w.picMin->isHidden(), "mini");
        QTEST(w.fmSearch->txtSearch->text(), "searchText");
    }

    // Which focused controls keep plain keys as text rather than shortcuts.
    void typedTextGoesToTheControl_data()
    {
        const auto row = columns<QString, bool>({"control", "typing"});
        row("read-only line", "read-only line", false);
        row("folder tree", "tree", true);
        row("choice list", "combo", true);
        row("no focus", "", false);
    }
    void typedTextGoesToTheControl()
    {
        QFETCH(QString, control);
        QLineEdit readOnly;
        readOnly.setReadOnly(true);
        QTreeView tree;
        QComboBox combo;
        const QMap<QString, QWidget*> controls{{"read-only line", &readOnly}, {"tree", &tree}, {"combo", &combo}};
        QTEST(takesTypedText(controls.value(control)), "typing");
    }

    // Enter plays the selected line, with the focus on the list; Ctrl+Q then quits as the close button does.
    void enterPlaysTheSelectedLineAndControlQQuits()
    {
        FormFixture f;
        Form1& w = startOnAlbum(f, numbered(3));
        QFile::remove(QString::fromStdString(f.appFile("qvb.ini")));
        w.fmTrackList->lstTracks->setListIndex(1);
        w.fmTrackList->lstTracks->setFocus();
        press(w, "Return");
        QCOMPARE(f.player.sourceFiles, QStringList{QString::fromStdString(f.album.folder()) + "f1/t2.mp3"});
        press(w, "Ctrl+Q");
        QVERIFY(!w.isVisible());
        QVERIFY(QFile::exists(QString::fromStdString(f.appFile("qvb.ini"))));
    }
};

QTEST_MAIN(ShortcutsTest)
#include "shortcuts_test.moc"
