// The working playlist: its file, its view, editing it, the pages and playing it.
#include <QDir>
#include <QDropEvent>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStringListModel>
#include <QTest>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

#include "form/drag_data.h"
#include "logic/playlist.h"
#include "logic/playlist_history.h"
#include "platform/file_ops.h"
#include "support/playback_fixture.h"
#include "support/table.h"

namespace {

using Ints = QList<int>;
using Action = std::function<void(Form1&)>;
const QString kEmpty = QStringLiteral("The Playlist is empty");

// Entries written as the format says, without the code under test; "@" stands for the album's path.
QByteArray entries(const Ints& records, const QByteArray& album = "@")
{
    QByteArray out;
    for (int r : records) out += album + "\r\n " + QByteArray::number(r) + " \r\n";
    return out;
}

QString line(int n)
{
    return QStringLiteral("Track %1 - 5th May 1975 (03:41)").arg(n);
}

// An album of `count` numbered tracks and a playlist file (none when null), the Playlist page shown.
Form1& startOnPlaylist(FormFixture& f, int count, QByteArray playlist, int playlistIndex = 0)
{
    const std::string album = writeAlbum(f, numbered(count));
    if (!playlist.isNull()) f.writeAppFile("temp.$$$", playlist.replace("@", album.c_str()).toStdString());
    Form1& w = f.startWith(album, {{13, "Playlist=" + std::to_string(playlistIndex)}});
    w.lblTabPlaylist_Click();
    return w;
}

Action addTracks(const Ints& rows, int times = 1)
{
    return [=](Form1& w) {
        w.fmTrackList->lstTracks->setListIndex(-1);
        for (int row : rows) w.fmTrackList->lstTracks->setSelected(row, true);
        for (int i = 0; i < times; ++i) w.fmTrackList->btnAddPL->click();
    };
}

Action onEntry(int entry, const char* button)
{
    return [=](Form1& w) {
        w.fmPlaylist->lstPlayList->setListIndex(entry);
        w.findChild<QPushButton*>(QString::fromLatin1(button))->click();
    };
}

// Does to a list what an action names: "key <keys>", "click <row> [Shift|Ctrl]" or "drag <row> <row>";
// rows are heights in rows from the top.
void act(ListBox& list, const QString& action)
{
    const QStringList w = action.split(' ');
    QWidget* area = list.viewport();
    const auto at = [&](int i) {
        return QPoint(5, int(w[i].toDouble() * list.visualRect(list.model()->index(0, 0)).height()));
    };
    const Qt::KeyboardModifiers held = w.value(2) == "Shift"  ? Qt::ShiftModifier
                                       : w.value(2) == "Ctrl" ? Qt::ControlModifier
                                                              : Qt::NoModifier;
    if (w[0] == "key") {
        const QKeyCombination key = QKeySequence(w[1])[0];
        QTest::keyClick(&list, key.key(), key.keyboardModifiers());
    } else if (w[0] == "click") {
        QTest::mouseClick(area, Qt::LeftButton, held, at(1));
    } else {
        QTest::mousePress(area, Qt::LeftButton, {}, at(1));
        QTest::mouseMove(area, at(2));
        QTest::mouseRelease(area, Qt::LeftButton, {}, at(2));
    }
}

// Drags data onto a widget and drops it at a point, as the window system does; y in rows of the playlist.
Action drop(std::function<QMimeData*()> data, std::function<QWidget*(Form1&)> on, double y = 0)
{
    return [=](Form1& w) {
        const std::unique_ptr<QMimeData> dragged(data());
        const ListBox* list = w.fmPlaylist->lstPlayList;
        const QPointF at(5, y * list->visualRect(list->model()->index(0, 0)).height());
        QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, dragged.get(), Qt::LeftButton, {});
        QCoreApplication::sendEvent(on(w), &enter);
        QDropEvent dropped(at, Qt::CopyAction, dragged.get(), Qt::LeftButton, {});
        QCoreApplication::sendEvent(on(w), &dropped);
    };
}

QMimeData* fileData(const std::string& path)
{
    auto* data = new QMimeData;
    data->setUrls({QUrl::fromLocalFile(QString::fromStdString(path))});
    return data;
}

Action selectThen(const Ints& rows, Action then)
{
    return [=](Form1& w) {
        w.fmPlaylist->lstPlayList->setListIndex(rows.first());
        for (int row : rows) w.fmPlaylist->lstPlayList->setSelected(row, true);
        then(w);
    };
}

Action keys(const char* sequence)
{
    return [=](Form1& w) {
        const QKeyCombination key = QKeySequence(QString::fromLatin1(sequence))[0];
        QTest::keyClick(&w, key.key(), key.keyboardModifiers());
    };
}

// The records of the playlist file, checking that it holds whole entries of the album only.
Ints fileRecords(FormFixture& f, const Form1& w)
{
    Ints records;
    for (const PlaylistEntry& entry : parsePlaylist(f.readAppFile("temp.$$$")))
        records << (entry.albumPath == w.m.AlbumPath ? recordNumberOf(entry).value_or(-1) : -1);
    return records;
}

}  // namespace

Q_DECLARE_METATYPE(Action)
Q_DECLARE_METATYPE(PlaylistOrder)

class PlaylistTest : public QObject {
    Q_OBJECT
private slots:
    void totalTimeOfTenHours()
    {
        const long long total = playTimeSeconds("3:25") + 10 * playTimeSeconds("60:00");  // one-digit minutes, then hours
        QCOMPARE(playlistSummary(11, total),
                 std::string("Playlist contains 11 tracks with a playing time of 10:03:05 (h:m:s)"));
    }

    // Each row: the playlist file, what the user does, then the file and the view shown again.
    void editing_data()
    {
        // before: null no file; scratch: what stands in the scratch file's place, "" nothing;
        // time: in the summary, empty for the empty view
        const auto row = columns<QByteArray, Action, QString, QByteArray, QStringList, QString>(
            {"before", "action", "scratch", "after", "shown", "time"});
        const Action none = [](Form1&) {};
        const QByteArray broken = "@\r\n 0 \r\n@\r\n 70000 \r\n@\r\nx\r\n" + entries({1}) + "@";
        const QString noNumber = QStringLiteral("(this entry names no track number)");
        row("no file", QByteArray(), none, "", QByteArray(), {kEmpty}, "");
        row("empty file", "", none, "", "", {kEmpty}, "");
        row("entries naming no track", broken, none, "", broken,
            {"(track 0 is not in this album)", "(track 70000 is not in this album)", noNumber, line(1), noNumber},
            "00:03:41");
        row("add in list order", QByteArray(), addTracks({4, 1, 3}), "", entries({2, 4, 5}),
            {line(2), line(4), line(5)}, "00:11:03");
        row("add twice", entries({3}), addTracks({0}, 2), "", entries({3, 1, 1}), {line(3), line(1), line(1)},
            "00:11:03");
        row("add after a cut entry", "@", addTracks({0}), "", "@\r\n\r\n" + entries({1}), {noNumber, line(1)},
            "00:03:41");
        row("add nothing", QByteArray(), addTracks({}), "", "", {kEmpty}, "");
        row("delete third of five", entries({1, 2, 3, 4, 5}), onEntry(2, "btnPlDelete"), "", entries({1, 2, 4, 5}),
            {line(1), line(2), line(4), line(5)}, "00:14:44");
        row("delete the only", entries({1}), onEntry(0, "btnPlDelete"), "", "", {kEmpty}, "");
        row("delete the placeholder", QByteArray(), onEntry(0, "btnPlDelete"), "", QByteArray(), {kEmpty}, "");
        // One sign at most; the rewrite pads a number and keeps a line that holds none as it was.
        const QByteArray signs = "@\r\n+2\r\n@\r\n-2\r\n@\r\n+-2\r\n@\r\n-+2\r\n@\r\n++2\r\n";
        row("delete one naming no track, signs", signs + "@\r\n + 2\r\n", onEntry(5, "btnPlDelete"), "",
            entries({2}) + "@\r\n-2 \r\n" + signs.mid(signs.indexOf("@\r\n+-")),
            {line(2), "(track -2 is not in this album)", noNumber, noNumber, noNumber}, "00:03:41");
        row("clear", entries({1}), onEntry(0, "btnClearPL"), "", "", {kEmpty}, "");
        const std::tuple<const char*, Action, QString> refused[] = {{"clear refused", onEntry(0, "btnClearPL"), "folder"},
                                                                    {"delete refused", onEntry(0, "btnPlDelete"), "link"},
                                                                    {"add refused", addTracks({0}), "fifo"}};
        for (const auto& [name, act, scratch] : refused)
            row(name, entries({1, 2}), act, scratch, entries({1, 2}), {line(1), line(2)}, "00:07:22");
    }
    void editing()
    {
        auto [before, action, scratch, after, shown,
              time] = fetch<QByteArray, Action, QString, QByteArray, QStringList, QString>({"before", "action", "scratch",
                                                                                            "after", "shown", "time"});
        FormFixture f;
        Form1& w = startOnPlaylist(f, 5, before);
        const std::string path = f.appFile("temp.pl$");
        if (scratch == "folder") QCOMPARE(::mkdir(path.c_str(), 0700), 0);
        if (scratch == "link") QCOMPARE(::symlink("gone", path.c_str()), 0);  // never followed
        if (scratch == "fifo") QCOMPARE(::mkfifo(path.c_str(), 0600), 0);     // no reader: no wait
        action(w);
        QCOMPARE(f.messages.shown.size(), scratch.isEmpty() ? 0 : 1);
        const QString reason = scratch == "link" ? "a symbolic link is in the way" : "not a regular file";
        if (!scratch.isEmpty())
            QVERIFY(f.messages.shown[0].prompt.contains(QString::fromStdString(f.appFile("temp.$$$"))
                                                        + "\r\rReason: " + reason));
        QCOMPARE(QFile::exists(QString::fromStdString(f.appFile("temp.$$$"))), !after.isNull());
        QCOMPARE(QByteArray::fromStdString(f.readAppFile("temp.$$$")), after.replace("@", w.m.AlbumPath.c_str()));
        w.lblTabPlaylist_Click();
        QCOMPARE(static_cast<QStringListModel*>(w.fmPlaylist->lstPlayList->model())->stringList(), shown);
        QCOMPARE(w.fmPlaylist->lblPlaylist->text(),
                 time.isEmpty() ? kEmpty
                                : QStringLiteral("Playlist contains %1 tracks with a playing time of %2 (h:m:s)")
                                      .arg(shown.size())
                                      .arg(time));
    }

    void playlistPageBringsBackTheRememberedEntry_data()
    {
        // playing: the playlist plays from the remembered entry; track: current track line afterwards
        const auto row = columns<int, bool, int, Mode>({"remembered", "playing", "track", "mode"});
        row("entry 2", 1, false, 0, Mode::All);
        row("past the entries", 3, false, 2, Mode::Stopped);
        row("naming no track", 2, false, 2, Mode::Stopped);
        row("while the playlist plays", 1, true, 1, Mode::Playlist);
    }
    void playlistPageBringsBackTheRememberedEntry()
    {
        auto [remembered, playing, track] = fetch<int, bool, int>({"remembered", "playing", "track"});
        FormFixture f;
        Form1& w = startOnPlaylist(f, 3, entries({3, 1, 9}), remembered);
        w.opAll->click();
        if (playing) {
            w.session->setMode(Mode::Stopped);
            w.fmPlaylist->btnPListPlay_Click();
            w.fmTrackList->lstTracks->setListIndex(1);  // the user looks at another track meanwhile
        }
        w.lblTabPlaylist_Click();
        QCOMPARE(w.fmPlaylist->lstPlayList->listIndex(), remembered < 3 ? remembered : -1);
        QCOMPARE(w.fmTrackList->lstTracks->listIndex(), track);
        QCOMPARE(w.fmTrackList->txtDetails->toPlainText(), QStringLiteral("Notes of Track %1").arg(track + 1));
        QTEST(w.session->mode(), "mode");
    }

    // Each row: the playlist, the mode before, what the user does; every track that plays runs to its end.
    void playing_data()
    {
        // from: the line of the first entry played; played: records, in order; status: while they play;
        // stopsAt: the playlist's line when it has stopped
        const auto row = columns<QByteArray, Mode, Action, int, Ints, QString, int>(
            {"file", "mode", "action", "from", "played", "status", "stopsAt"});
        const QString all = QStringLiteral("Playing all tracks from Playlist");
        const Action play = onEntry(0, "btnPListPlay");
        row("playlist from line 2", entries({3, 1, 2}), Mode::Stopped, onEntry(1, "btnPListPlay"), 1, {1, 2}, all, 2);
        row("up to an entry naming no track", entries({1, 7}), Mode::Stopped, play, 0, {1}, all, 1);
        row("first entry naming no track", entries({0, 2}), Mode::Stopped, play, 0, {}, all, 0);
        row("playlist in another mode", entries({2}), Mode::Random, play, 0, {}, all, 0);
        const Action doubleClick = [](Form1& w) { doubleClickRow(w.fmPlaylist->lstPlayList, 1); };
        row("one entry", entries({1, 3}), Mode::Stopped, doubleClick, 1, {3}, "Playing one track from Playlist", 1);
        row("one entry while the playlist plays", entries({1, 3}), Mode::Playlist, doubleClick, 1, {}, "", 1);
    }
    void playing()
    {
        auto [file, mode, action, from, played, status] = fetch<QByteArray, Mode, Action, int, Ints, QString>(
            {"file", "mode", "action", "from", "played", "status"});
        FormFixture f;
        Form1& w = startOnPlaylist(f, 3, file);
        w.session->setMode(mode);
        action(w);
        settle();
        for (int i = 0; i < played.size(); ++i) {
            QVERIFY(f.player.sourceFiles.value(i).endsWith(QStringLiteral("/t%1.mp3").arg(played[i])));
            QCOMPARE(w.lblPlayMode->text(), status);
            QCOMPARE(w.session->playlistPosition(), from + i);
            // Told ahead, the player follows on without a gap; nothing is told past the last entry.
            f.player.advance(f.player.duration() - 2);
            settle();
            const QString next = i + 1 < played.size() ? QStringLiteral("/t%1.mp3").arg(played[i + 1]) : QString();
            QVERIFY(!f.player.nextFiles.isEmpty() && f.player.nextFiles.last().endsWith(next)
                    && (next.isEmpty() == f.player.nextFiles.last().isEmpty()));
            f.player.finishTrack();
            settle();
        }
        QCOMPARE(f.player.sourceFiles.size(), played.size());
        // A double-click while the playlist plays only moves the position, and the track list stays.
        if (mode == Mode::Playlist)
            QVERIFY(w.session->playlistPosition() == from && w.fmTrackList->lstTracks->listIndex() == 0);
        if (mode != Mode::Stopped) return;  // nothing was started
        QCOMPARE(w.lblPlayMode->text(), QStringLiteral("Player Stopped"));
        QCOMPARE(w.session->mode(), Mode::Stopped);
        QTEST(w.fmPlaylist->lstPlayList->listIndex(), "stopsAt");
    }

    void notesOfAnEntryInThePopUpPane_data()
    {
        const auto row = columns<QByteArray, QString>({"file", "notes"});
        row("entry", entries({2}), "Notes of Track 2");
        row("entry naming no track", entries({8}), "");
        row("no playlist", QByteArray(), "");
    }
    void notesOfAnEntryInThePopUpPane()
    {
        auto [file, notes] = fetch<QByteArray, QString>({"file", "notes"});
        FormFixture f;
        Form1& w = startOnPlaylist(f, 3, file);
        PlaylistPage& page = *w.fmPlaylist;
        w.session->setMode(Mode::One);
        w.lblPlayMode->setText(QStringLiteral("Playing"));
        page.lstPlayList_MouseDown(kRightButton, 0, 300, 4000);
        QVERIFY(page.btnPLNotes->isVisible() && !w.fmSeNotes->isVisible());
        page.btnPLNotes->click();
        QVERIFY(w.fmSeNotes->isVisible() && w.fmSeNotes->btnSeNotesX->isVisible() && !page.btnPLNotes->isVisible());
        QCOMPARE(w.fmSeNotes->txtSENotes->toPlainText(), notes);
        QCOMPARE(w.lblPlayMode->text(), notes.isEmpty() ? "Player Stopped" : "Playing");
    }

    void tabsShowTheirPage_data()
    {
        // trackList: options shown, current track marked; enterSearches: after the Search page was shown
        const auto row = columns<QString, bool, bool>({"tab", "trackList", "enterSearches"});
        row("track list", "lblTabTrackList", true, false);
        row("playlist", "lblTabPlaylist", false, false);
        row("search", "lblTabSearch", false, true);
        row("options", "lblTabOptions", false, false);
    }
    void tabsShowTheirPage()
    {
        auto [tab, trackList, enterSearches] = fetch<QString, bool, bool>({"tab", "trackList", "enterSearches"});
        FormFixture f;
        Form1& w = startOnAlbum(f, numbered(3));
        w.lblTabSearch_Click();
        QTest::mouseClick(w.findChild<QLabel*>(tab), Qt::LeftButton);
        for (QGroupBox* page :
             w.findChildren<QGroupBox*>(QRegularExpression("^fm(TrackList|Playlist|Search|Options)$")))
            QCOMPARE(page->isVisible(), page->objectName() == "fm" + tab.mid(6));
        QCOMPARE(w.opAll->isVisible(), trackList);
        QCOMPARE(w.fmTrackList->lstTracks->isSelected(0), trackList);
        QCOMPARE(w.fmSearch->btnSearch->isDefault(), enterSearches || tab == "lblTabOptions");
        QSignalSpy search(w.fmSearch->btnSearch, &QPushButton::clicked);
        QTest::keyClick(&w, Qt::Key_Return);
        QCOMPARE(search.size(), enterSearches ? 1 : 0);
    }

    // Commands of the Track List page and the window, on an album of five tracks.
    void smallCommands_data()
    {
        // marked: lines of the track list selected afterwards
        const auto row = columns<Action, Ints, QString, int>({"action", "marked", "details", "messages"});
        const auto clearSelected = [](bool currentMarked) -> Action {
            return [=](Form1& w) {
                w.fmTrackList->lstTracks->setListIndex(2);
                for (int row : {0, 2, 4}) w.fmTrackList->lstTracks->setSelected(row, row != 2 || currentMarked);
                w.fmTrackList->btnClearSel->click();
            };
        };
        const Action title = [](Form1& w) { QTest::mouseClick(w.lblTitle, Qt::LeftButton); };
        const Action titleOfPlayed = [=](Form1& w) {
            doubleClickRow(w.fmTrackList->lstTracks, 2);
            w.fmTrackList->lstTracks->setListIndex(0);
            title(w);
        };
        const Action keptHelp = [](Form1& w) {
            writeFileAtomic(w.m.AppFolder + "quillon-help.html", "<html></html>");
            w.btnHelp->click();
            QCOMPARE(static_cast<FakeHelpViewer*>(w.os.help)->opened,
                     QStringList{QString::fromStdString(w.m.AppFolder) + "quillon-help.html"});
        };
        const Action noHelp = [](Form1& w) {
            static_cast<FakeHelpViewer*>(w.os.help)->opens = false;
            w.btnHelp->click();
        };
        row("clear selected", clearSelected(true), {2}, "Notes of Track 3", 0);
        row("clear selected, current unmarked", clearSelected(false), {}, "Notes of Track 3", 0);
        row("title, nothing played", title, {}, "Details not available", 0);
        row("title of track 3", titleOfPlayed, {2}, "Notes of Track 3", 0);
        row("help in the program's folder", keptHelp, {0}, "Notes of Track 1", 0);
        row("help missing", noHelp, {0}, "Notes of Track 1", 1);
    }
    void smallCommands()
    {
        auto [action, messages] = fetch<Action, int>({"action", "messages"});
        FormFixture f;
        action(startOnAlbum(f, numbered(5)));
        QTEST(f.form->fmTrackList->lstTracks->selectedRows(), "marked");
        QTEST(f.form->fmTrackList->txtDetails->toPlainText(), "details");
        QCOMPARE(f.messages.shown.size(), messages);
        if (messages) QVERIFY(f.messages.shown[0].prompt.contains(QDir::toNativeSeparators(f.help.opened.value(0))));
        if (messages) QVERIFY(f.help.opened[0].endsWith(QStringLiteral("/quillon-help.html")));
    }

    // Moves, inserts and turns of the history on the entries 0..4, by their old positions.
    void ordersAndHistory_data()
    {
        const auto row = columns<PlaylistOrder, PlaylistOrder>({"order", "expected"});
        row("two dragged to the top", movedBefore(5, {2, 4}, 0), {2, 4, 0, 1, 3});
        row("two dragged to the end", movedBefore(5, {0, 1}, 5), {2, 3, 4, 0, 1});
        row("dropped onto itself", movedBefore(5, {2}, 3), {0, 1, 2, 3, 4});
        row("up, the first stays", movedByOne(5, {0, 2, 3}, -1), {0, 2, 3, 1, 4});
        row("down, the last stays", movedByOne(5, {1, 4}, 1), {0, 2, 1, 3, 4});
        row("two put in", insertedAt(3, 1, 2), {0, -1, -1, 1, 2});
        // A script of states kept (+n: n entries), undone (<) and redone (>); the order: entries then steps left.
        const auto history = [](const QString& script) {
            PlaylistHistory h;
            std::string file;
            h.start(file);
            for (const QString& step : script.split(' ')) {
                std::optional<PlaylistTurn> turn = step == "<" ? h.undoTurn() : h.redoTurn();
                if (step.startsWith('+')) {
                    file.clear();
                    for (int i = 0; i < step.mid(1).toInt(); ++i) file += playlistEntryText("A", i);
                    h.record(file);
                } else if (turn) {
                    file = turn->bytes;
                    step == "<" ? h.undone() : h.redone();
                }
            }
            return PlaylistOrder{int32_t(parsePlaylist(file).size()), int32_t(h.steps())};
        };
        row("back and forth", history("+1 +2 +3 < < > <"), {1, 3});
        row("a change drops what was undone", history("+1 +2 < +5 >"), {5, 2});
        row("an unchanged write is no step", history("+1 +1 < >"), {1, 1});
        QStringList many;
        for (int i = 1; i <= 105; ++i) many << QStringLiteral("+%1").arg(i);
        for (int i = 0; i < 120; ++i) many << "<";
        row("at most 100 steps", history(many.join(' ')), {5, 100});
    }
    void ordersAndHistory()
    {
        auto [order] = fetch<PlaylistOrder>({"order"});
        QTEST(order, "expected");
    }

    // Each change of the playlist {1, 2, 3}, then undone and done again by keys.
    void changesUndone_data()
    {
        // refused: the undo cannot write the file
        const auto row = columns<Action, Ints, int, bool>({"action", "after", "messages", "refused"});
        const auto list = [](Form1& w) -> QWidget* { return w.fmPlaylist->lstPlayList->viewport(); };
        const Action copyAll = [](Form1& w) {
            w.fmSearch->opFindAny->setChecked(true);
            w.fmSearch->btnSearch->click();
            w.fmSearch->btnCopyToPlayList->click();
        };
        const Action onTab = [=](Form1& w) {
            w.lblTabTrackList_Click();
            drop([] { return trackDragData({4}); }, [](Form1& w) { return w.lblTabPlaylist; })(w);
            QVERIFY(w.fmPlaylist->isVisible());
        };
        const Action dropFile = [](Form1& w) {
            writeFileAtomic(w.m.AppFolder + "list.pll",
                            playlistEntryText(w.m.AlbumPath, 4) + playlistEntryText(w.m.AlbumPath, 4));
            drop([&w] { return fileData(w.m.AppFolder + "list.pll"); }, [](Form1& w) { return &w; })(w);
        };
        row("add", addTracks({4}), {1, 2, 3, 5}, 0, false);
        row("copy all", copyAll, {1, 2, 3, 1, 2, 3, 4, 5}, 0, false);
        row("move up", selectThen({1, 2}, onEntry(2, "btnPLMoveUp")), {1, 3, 2}, 0, false);
        row("two moved up", selectThen({1, 2}, [](Form1& w) { w.fmPlaylist->btnPLMoveUp->click(); }), {2, 3, 1}, 0,
            false);
        row("alt+down", selectThen({0}, keys("Alt+Down")), {2, 1, 3}, 0, false);
        row("dropped first", drop([] { return entryDragData({2}); }, list, 0.1), {3, 1, 2}, 0, false);
        row("tracks dropped last", drop([] { return trackDragData({5, 4}); }, list, 3.2), {1, 2, 3, 5, 4}, 0, false);
        row("tracks dropped on the tab", onTab, {1, 2, 3, 4}, 0, false);
        row("playlist file dropped", dropFile, {4, 4}, 0, false);
        row("other file dropped", drop([] { return fileData("/tmp/notes.txt"); }, [](Form1& w) { return &w; }),
            {1, 2, 3}, 1, false);
        row("undo refused", selectThen({0}, keys("Alt+Down")), {2, 1, 3}, 0, true);
    }
    void changesUndone()
    {
        auto [action, after, messages,
              refused] = fetch<Action, Ints, int, bool>({"action", "after", "messages", "refused"});
        FormFixture f;
        Form1& w = startOnPlaylist(f, 5, entries({1, 2, 3}));
        // Away from playing, Play Playlist starts at the line that is current.
        const auto positionShown = [&w] {
            return w.fmPlaylist->isEmpty() || w.session->playlistPosition() == w.fmPlaylist->lstPlayList->listIndex();
        };
        action(w);
        QVERIFY(positionShown());
        QCOMPARE(f.messages.shown.size(), messages);
        const Ints before{1, 2, 3};
        QCOMPARE(fileRecords(f, w), after);
        if (refused) QCOMPARE(::mkdir(f.appFile("temp.pl$").c_str(), 0700), 0);
        for (const char* key : {"Ctrl+Z", "Ctrl+Shift+Z", "Ctrl+Z", "Ctrl+Y"}) {
            keys(key)(w);
            const Ints& now = refused || QByteArray(key) != "Ctrl+Z" ? after : before;
            QCOMPARE(fileRecords(f, w), now);
            // What the file holds is what the list shows.
            QStringList shown;
            for (int record : now) shown << line(record);
            QCOMPARE(lines(w.fmPlaylist->lstPlayList), shown.isEmpty() ? QStringList{kEmpty} : shown);
            QVERIFY(positionShown());
        }
        QCOMPARE(f.messages.shown.size(), messages + (refused ? 2 : 0));
    }

    // The playlist {1, 2, 3, 4} plays its first entry and the player has asked what follows.
    void playingEntryKeepsItsSuccessor_data()
    {
        const auto row = columns<Action, int, int>({"action", "position", "next"});  // next: record told ahead, 0 none
        const auto page = [](std::function<void(PlaylistPage&)> act) -> Action {
            return [=](Form1& w) { act(*w.fmPlaylist); };
        };
        row("its successor dragged away", page([](PlaylistPage& p) { p.moveEntries({1}, 4); }), 0, 3);
        row("moved down itself", page([](PlaylistPage& p) { p.moveSelected(1); }), 1, 3);
        row("moved to the end", page([](PlaylistPage& p) { p.moveEntries({0}, 4); }), 3, 0);
        row("tracks put in before it", page([](PlaylistPage& p) { p.insertTracks({4}, 0); }), 1, 2);
        row("a move undone", page([](PlaylistPage& p) { p.moveEntries({0}, 4), p.undo(); }), 0, 2);
    }
    void playingEntryKeepsItsSuccessor()
    {
        auto [action, next] = fetch<Action, int>({"action", "next"});
        FormFixture f;
        Form1& w = startOnPlaylist(f, 4, entries({1, 2, 3, 4}));
        onEntry(0, "btnPListPlay")(w);
        settle();
        f.player.advance(f.player.duration() - 2);
        settle();
        action(w);
        QCOMPARE(w.session->mode(), Mode::Playlist);
        QTEST(w.session->playlistPosition(), "position");
        const QString told = f.player.nextFiles.value(f.player.nextFiles.size() - 1);
        QVERIFY2(next ? told.endsWith(QStringLiteral("/t%1.mp3").arg(next)) : told.isEmpty(), qPrintable(told));
    }

    // A list with 5½ rows in sight, its first line too long for it, finds rows from keys, clicks
    // and drags as a list view does and scrolls by whole rows.
    void listRowsFromKeysAndClicks_data()
    {
        const auto row = columns<int, int, QString, int, Ints, int>(
            {"count", "from", "action", "current", "selected", "top"});
        row("click on the edge below the last row", 3, 1, "click 3", 1, {}, 0);
        row("click at the last row's foot", 3, 1, "click 2.95", 2, {2}, 0);
        row("page down at the end", 40, 39, "key PgDown", 39, {39}, 35);
        row("page up", 40, 20, "key PgUp", 16, {16}, 16);
        row("shift+end, from out of sight", 40, 30, "key Shift+End", 39, {30, 31, 32, 33, 34, 35, 36, 37, 38, 39}, 35);
        row("shift-click upwards", 40, 3, "click 1.5 Shift", 1, {1, 2, 3}, 0);
        row("ctrl-click", 40, 3, "click 1.5 Ctrl", 1, {1, 3}, 0);
        row("drag upwards", 40, -1, "drag 4.5 1.2", 1, {1, 2, 3, 4}, 0);
    }
    void listRowsFromKeysAndClicks()
    {
        auto [count, from, action] = fetch<int, int, QString>({"count", "from", "action"});
        ListBox list(nullptr, true);
        QStringList lines{QString(100, 'M')};
        for (int i = 1; i < count; ++i) lines << QStringLiteral("Line %1").arg(i);
        list.setItems(lines);
        list.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);  // as many rows in sight before scrolling sideways
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        const int rowHeight = list.visualRect(list.model()->index(0, 0)).height();
        list.resize(300, list.height() - list.viewport()->height() + rowHeight * 11 / 2);
        QTRY_COMPARE(list.viewport()->height(), rowHeight * 11 / 2);
        if (from >= 0) list.setListIndex(from);
        act(list, action);
        QTEST(list.listIndex(), "current");
        QTEST(list.selectedRows(), "selected");
        QTEST(list.topIndex(), "top");
        QVERIFY(list.horizontalScrollBar()->maximum() > 0);
    }
};

QTEST_MAIN(PlaylistTest)
#include "playlist_test.moc"
