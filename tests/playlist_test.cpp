// The working playlist: its file, its view, editing it, the pages and playing it.
#include <QDir>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>
#include <functional>

#include "form/looks.h"
#include "form/twips.h"
#include "logic/playlist.h"
#include "support/playback_fixture.h"

namespace {

using Rows = QList<int>;
using Action = std::function<void(Form1&)>;
const QString kEmpty = QStringLiteral("The Playlist is empty");

// Entries written as the format says, without the code under test; "@" stands for the album's path.
QByteArray entries(const Rows& records, const QByteArray& album = "@")
{
    QByteArray out;
    for (int r : records) out += album + "\r\n " + QByteArray::number(r) + " \r\n";
    return out;
}

QString line(int n) { return QStringLiteral("Track %1 - 5th May 1975 (03:41)").arg(n); }

QStringList lines(const ListBox* list)
{
    QStringList out;
    for (int i = 0; i < list->listCount(); ++i) out << list->itemText(i);
    return out;
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

Action selectTracks(const Rows& rows, int times = 1)
{
    return [=](Form1& w) {
        w.lstTracks->setListIndex(-1);
        for (int row : rows) w.lstTracks->setSelected(row, true);
        for (int i = 0; i < times; ++i) w.btnAddPL->click();
    };
}

Action onEntry(int entry, const char* button)
{
    return [=](Form1& w) {
        w.fmPlaylist->lstPlayList->setListIndex(entry);
        w.findChild<QPushButton*>(QString::fromLatin1(button))->click();
    };
}

}  // namespace

Q_DECLARE_METATYPE(Action)

class PlaylistTest : public QObject {
    Q_OBJECT
private slots:
    void recordLines_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("last");  // record number of the last entry, or "none"
        QTest::newRow("padded") << QByteArray("a\r\n 12 \r\n") << 1 << "12";
        QTest::newRow("beyond 16 bits") << QByteArray("a\r\n 70000 \r\n") << 1 << "70000";
        QTest::newRow("junk after digits") << QByteArray("a\r\n12x\r\n") << 1 << "none";
        QTest::newRow("beyond 32 bits") << QByteArray("a\r\n 4294967297 \r\n") << 1 << "none";
        QTest::newRow("cut after album line") << QByteArray("a\r\n 3 \r\nb") << 2 << "none";
    }
    void recordLines()
    {
        QFETCH(QByteArray, file);
        QFETCH(int, count);
        QFETCH(QString, last);
        const auto parsed = parsePlaylist(file.toStdString());
        QCOMPARE(int(parsed.size()), count);
        const auto record = recordNumberOf(parsed.back());
        QCOMPARE(record ? QString::number(*record) : QStringLiteral("none"), last);
    }

    void summary_data()
    {
        QTest::addColumn<QStringList>("times");
        QTest::addColumn<QString>("label");
        QTest::newRow("one-digit minutes") << QStringList{"3:25"} << "1 tracks with a playing time of 00:03:05";
        QTest::newRow("hours") << QStringList{"60:00", "02:05"} << "2 tracks with a playing time of 01:02:05";
        QTest::newRow("ten hours") << QStringList(10, "60:00") << "10 tracks with a playing time of 10:00:00";
    }
    void summary()
    {
        QFETCH(QStringList, times);
        QFETCH(QString, label);
        long long total = 0;
        for (const QString& t : times) total += playTimeSeconds(t.toStdString());
        QCOMPARE(QString::fromStdString(playlistSummary(size_t(times.size()), total)),
                 "Playlist contains " + label + " (h:m:s)");
    }

    // Each row: the playlist file, what the user does, then the file and the view shown again.
    void editing_data()
    {
        QTest::addColumn<QByteArray>("before");  // null: no file
        QTest::addColumn<Action>("action");
        QTest::addColumn<bool>("blocked");       // the scratch file cannot be made
        QTest::addColumn<QByteArray>("after");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<QString>("time");       // of the summary; empty for the empty view
        const Action look = [](Form1&) {};
        QTest::newRow("no file") << QByteArray() << look << false << QByteArray() << QStringList{kEmpty} << "";
        QTest::newRow("empty file") << QByteArray("") << look << false << QByteArray("") << QStringList{kEmpty} << "";
        QTest::newRow("entries naming no track")
            << "@\r\n 0 \r\n@\r\n 6 \r\n@\r\nx\r\n" + entries({1}) + "@" << look << false
            << "@\r\n 0 \r\n@\r\n 6 \r\n@\r\nx\r\n" + entries({1}) + "@"
            << QStringList{"(track 0 is not in this album)", "(track 6 is not in this album)",
                           "(this entry names no track number)", line(1), "(this entry names no track number)"}
            << "5 tracks with a playing time of 00:03:41";
        QTest::newRow("add in list order") << QByteArray() << selectTracks({4, 1, 3}) << false << entries({2, 4, 5})
                                           << QStringList{line(2), line(4), line(5)} << "3 tracks with a playing time of 00:11:03";
        QTest::newRow("add twice") << entries({3}) << selectTracks({0}, 2) << false << entries({3, 1, 1})
                                   << QStringList{line(3), line(1), line(1)} << "3 tracks with a playing time of 00:11:03";
        QTest::newRow("add after a cut entry") << QByteArray("@") << selectTracks({0}) << false << "@\r\n\r\n" + entries({1})
                                               << QStringList{"(this entry names no track number)", line(1)}
                                               << "2 tracks with a playing time of 00:03:41";
        QTest::newRow("add nothing") << QByteArray() << selectTracks({}) << false << QByteArray("") << QStringList{kEmpty} << "";
        QTest::newRow("delete third of five") << entries({1, 2, 3, 4, 5}) << onEntry(2, "btnPlDelete") << false
                                              << entries({1, 2, 4, 5}) << QStringList{line(1), line(2), line(4), line(5)}
                                              << "4 tracks with a playing time of 00:14:44";
        QTest::newRow("delete the only") << entries({1}) << onEntry(0, "btnPlDelete") << false << QByteArray("")
                                         << QStringList{kEmpty} << "";
        QTest::newRow("delete the placeholder") << QByteArray() << onEntry(0, "btnPlDelete") << false << QByteArray()
                                                << QStringList{kEmpty} << "";
        QTest::newRow("delete one naming no track") << "@\r\nx\r\n" + entries({1}) << onEntry(0, "btnPlDelete") << false
                                                    << entries({1}) << QStringList{line(1)} << "1 tracks with a playing time of 00:03:41";
        QTest::newRow("clear") << entries({1}) << onEntry(0, "btnClearPL") << false << QByteArray("") << QStringList{kEmpty} << "";
        const std::pair<const char*, Action> refused[] = {
            {"clear refused", onEntry(0, "btnClearPL")}, {"delete refused", onEntry(0, "btnPlDelete")},
            {"add refused", selectTracks({0})}};
        for (const auto& [name, act] : refused)
            QTest::newRow(name) << entries({1, 2}) << act << true << entries({1, 2}) << QStringList{line(1), line(2)}
                                << "2 tracks with a playing time of 00:07:22";
    }
    void editing()
    {
        QFETCH(QByteArray, before);
        QFETCH(Action, action);
        QFETCH(bool, blocked);
        QFETCH(QByteArray, after);
        QFETCH(QStringList, shown);
        QFETCH(QString, time);
        FormFixture f;
        Form1& w = startOnPlaylist(f, 5, before);
        if (blocked) QVERIFY(QDir().mkdir(QString::fromStdString(f.appFile("temp.pl$"))));
        action(w);
        QCOMPARE(f.messages.shown.size(), blocked ? 1 : 0);
        if (blocked) QVERIFY(f.messages.shown[0].prompt.contains(QString::fromStdString(f.appFile("temp.$$$"))));
        QCOMPARE(QFile::exists(QString::fromStdString(f.appFile("temp.$$$"))), !after.isNull());
        QCOMPARE(QByteArray::fromStdString(f.readAppFile("temp.$$$")), after.replace("@", w.m.AlbumPath.c_str()));
        w.lblTabPlaylist_Click();
        QCOMPARE(lines(w.fmPlaylist->lstPlayList), shown);
        QCOMPARE(w.fmPlaylist->lblPlaylist->text(), time.isEmpty() ? kEmpty : "Playlist contains " + time + " (h:m:s)");
        QCOMPARE(w.m.PlaylistEmpty, time.isEmpty());
        QCOMPARE(w.fmPlaylist->lstPlayList->listIndex(), time.isEmpty() ? -1 : 0);
    }

    void clearSelectedKeepsOnlyTheCurrentTrack_data()
    {
        QTest::addColumn<bool>("currentSelected");
        QTest::newRow("current among the selected") << true;
        QTest::newRow("current not selected") << false;
    }
    void clearSelectedKeepsOnlyTheCurrentTrack()
    {
        QFETCH(bool, currentSelected);
        FormFixture f;
        Form1& w = startOnAlbum(f, numbered(5));
        w.lstTracks->setListIndex(2);
        w.lstTracks->setSelected(2, currentSelected);
        for (int row : {0, 4}) w.lstTracks->setSelected(row, true);
        w.btnClearSel->click();
        QCOMPARE(w.lstTracks->selectedRows(), currentSelected ? Rows{2} : Rows{});
    }

    void playlistPageBringsBackTheRememberedEntry_data()
    {
        QTest::addColumn<int>("remembered");
        QTest::addColumn<bool>("playing");  // the playlist plays from the remembered entry
        QTest::addColumn<int>("track");     // current track line afterwards
        QTest::addColumn<char>("mode");
        QTest::newRow("entry 2") << 1 << false << 0 << 'A';
        QTest::newRow("past the entries") << 3 << false << 2 << 'X';
        QTest::newRow("naming no track") << 2 << false << 2 << 'X';
        QTest::newRow("while the playlist plays") << 1 << true << 1 << 'L';
    }
    void playlistPageBringsBackTheRememberedEntry()
    {
        QFETCH(int, remembered);
        QFETCH(bool, playing);
        QFETCH(int, track);
        QFETCH(char, mode);
        FormFixture f;
        Form1& w = startOnPlaylist(f, 3, entries({3, 1, 9}), remembered);
        w.opAll->click();
        if (playing) w.m.PlayMode = Mode::Stopped;
        if (playing) w.fmPlaylist->btnPListPlay_Click();
        if (playing) w.lstTracks->setListIndex(1);  // the user looks at another track meanwhile
        w.lblTabPlaylist_Click();
        QCOMPARE(w.fmPlaylist->lstPlayList->listIndex(), remembered < 3 ? remembered : -1);
        QCOMPARE(w.lstTracks->listIndex(), track);
        QCOMPARE(w.txtDetails->toPlainText(), QStringLiteral("Notes of Track %1").arg(track + 1));
        QCOMPARE(char(w.m.PlayMode), mode);
    }

    // Each row: the playlist, the mode before, what the user does; then every track that
    // plays is let run to its end.
    void playing_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<char>("mode");
        QTest::addColumn<Action>("action");
        QTest::addColumn<int>("from");      // the line of the first entry played
        QTest::addColumn<Rows>("played");   // records, in order
        QTest::addColumn<QString>("status");  // while they play
        QTest::addColumn<int>("endLine");     // the playlist's line when it has stopped
        const QString all = QStringLiteral("Playing all tracks from Playlist");
        QTest::newRow("playlist from line 2") << entries({3, 1, 2}) << 'X' << onEntry(1, "btnPListPlay") << 1 << Rows{1, 2} << all << 2;
        QTest::newRow("playlist up to an entry naming no track") << entries({1, 7, 2}) << 'X' << onEntry(0, "btnPListPlay") << 0 << Rows{1} << all << 1;
        QTest::newRow("first entry naming no track") << entries({0, 2}) << 'X' << onEntry(0, "btnPListPlay") << 0 << Rows{} << all << 0;
        for (char other : {'O', 'A', 'R', 'S'})
            QTest::addRow("playlist in mode %c", other) << entries({2}) << other << onEntry(0, "btnPListPlay") << 0 << Rows{} << all << 0;
        const Action doubleClick = [](Form1& w) { doubleClickRow(w.fmPlaylist->lstPlayList, 1); };
        QTest::newRow("one entry") << entries({1, 3}) << 'X' << doubleClick << 1 << Rows{3} << "Playing one track from Playlist" << 1;
        QTest::newRow("one entry while the playlist plays") << entries({1, 3}) << 'L' << doubleClick << 1 << Rows{} << "" << 1;
    }
    void playing()
    {
        QFETCH(QByteArray, file);
        QFETCH(char, mode);
        QFETCH(Action, action);
        QFETCH(int, from);
        QFETCH(Rows, played);
        QFETCH(QString, status);
        QFETCH(int, endLine);
        FormFixture f;
        Form1& w = startOnPlaylist(f, 3, file);
        w.m.PlayMode = Mode(mode);
        action(w);
        settle();
        for (int i = 0; i < played.size(); ++i) {
            QCOMPARE(f.player.sourceFiles.size(), i + 1);
            QVERIFY(f.player.sourceFiles.last().endsWith(QStringLiteral("/t%1.mp3").arg(played[i])));
            QCOMPARE(w.lblPlayMode->text(), status);
            QVERIFY(w.lstTracks->isSelected(played[i] - 1));
            QCOMPARE(w.fmTrackList->isVisible(), status == "Playing all tracks from Playlist");
            QCOMPARE(w.m.PlaylistIndex, from + i);
            f.player.finishTrack();
            settle();
        }
        QCOMPARE(f.player.sourceFiles.size(), played.size());
        if (mode != 'X') return;  // nothing was started
        QCOMPARE(char(w.m.PlayMode), 'X');
        QCOMPARE(w.lblPlayMode->text(), QStringLiteral("Player Stopped"));
        QCOMPARE(w.fmPlaylist->lstPlayList->listIndex(), endLine);
    }

    void notesOfAnEntryInThePopUpPane_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("y");         // of the right-click, in twips
        QTest::addColumn<int>("paneTop");
        QTest::addColumn<QString>("notes");
        QTest::addColumn<QString>("status");
        QTest::newRow("entry") << entries({2}) << 4000 << 5100 << "Notes of Track 2" << "Playing";
        QTest::newRow("entry naming no track") << entries({8}) << 4400 << 5500 << "" << "Player Stopped";
        QTest::newRow("no playlist") << QByteArray() << 4401 << 5500 << "" << "Player Stopped";
    }
    void notesOfAnEntryInThePopUpPane()
    {
        QFETCH(QByteArray, file);
        QFETCH(int, y);
        QFETCH(int, paneTop);
        QFETCH(QString, notes);
        QFETCH(QString, status);
        FormFixture f;
        Form1& w = startOnPlaylist(f, 3, file);
        PlaylistPage& page = *w.fmPlaylist;
        w.m.PlayMode = Mode::One;
        w.lblPlayMode->setText(QStringLiteral("Playing"));
        page.lstPlayList_MouseDown(kRightButton, 0, 300, y);
        QCOMPARE(twipsRect(page.btnPlDelete).topLeft(), QPoint(300, y + 200));
        QCOMPARE(twipsRect(page.btnPLNotes).topLeft(), QPoint(300, y + 455));
        QCOMPARE(twipsRect(w.fmSeNotes).top(), paneTop);
        QVERIFY(page.btnPLNotes->isVisible() && !w.fmSeNotes->isVisible());
        page.btnPLNotes->click();
        QVERIFY(w.fmSeNotes->isVisible() && w.btnSeNotesX->isVisible() && !page.btnPLNotes->isVisible());
        QCOMPARE(w.txtSENotes->toPlainText(), notes);
        QCOMPARE(w.lblPlayMode->text(), status);
        QCOMPARE(char(w.m.PlayMode), 'O');
    }

    void tabsShowTheirPage_data()
    {
        QTest::addColumn<QString>("tab");
        QTest::addColumn<QString>("frame");
        QTest::addColumn<bool>("options");
        QTest::addColumn<bool>("enterSearches");  // after the Search page was shown
        QTest::addColumn<bool>("trackMarked");
        QTest::newRow("track list") << "lblTabTrackList" << "fmTrackList" << true << false << true;
        QTest::newRow("playlist") << "lblTabPlaylist" << "fmPlaylist" << false << false << false;
        QTest::newRow("search") << "lblTabSearch" << "fmSearch" << false << true << false;
        QTest::newRow("options") << "lblTabOptions" << "fmOptions" << false << false << false;
    }
    void tabsShowTheirPage()
    {
        QFETCH(QString, tab);
        QFETCH(QString, frame);
        QFETCH(bool, options);
        QFETCH(bool, enterSearches);
        QFETCH(bool, trackMarked);
        FormFixture f;
        Form1& w = f.startWith(writeAlbum(f, numbered(3)), {{18, " 255 "}});
        w.lblTabSearch_Click();
        w.fmSeNotes->show();
        QTest::mouseClick(w.findChild<QLabel*>(tab), Qt::LeftButton);
        for (QGroupBox* page : w.findChildren<QGroupBox*>(QRegularExpression("^fm(TrackList|Playlist|Search|Options)$")))
            QCOMPARE(page->isVisible(), page->objectName() == frame);
        for (QLabel* label : w.findChildren<QLabel*>(QRegularExpression("^lblTab")))
            QCOMPARE(label->palette().color(QPalette::Window).red(), label->objectName() == tab ? 0xE0 : 0x40);
        QCOMPARE(w.opAll->isVisible(), options);
        QVERIFY(!w.fmSeNotes->isVisible());
        QCOMPARE(w.lstTracks->isSelected(0), trackMarked);
        QCOMPARE(w.fmSearch->btnSearch->isDefault(), enterSearches || tab == "lblTabOptions");
        QSignalSpy search(w.fmSearch->btnSearch, &QPushButton::clicked);
        QTest::keyClick(&w, Qt::Key_Return);
        QCOMPARE(search.size(), enterSearches ? 1 : 0);
        QCOMPARE(lookOf(w.lblTLSample) == lookOf(w.lstTracks), tab == "lblTabOptions");
        QCOMPARE(lookOf(w.txtsample) == lookOf(w.txtDetails), tab == "lblTabOptions");
    }

    void helpOpensTheProgramsPage_data()
    {
        QTest::addColumn<bool>("opens");
        QTest::newRow("opened") << true;
        QTest::newRow("missing or no viewer") << false;
    }
    void helpOpensTheProgramsPage()
    {
        QFETCH(bool, opens);
        FormFixture f;
        Form1& w = f.start();
        f.help.opens = opens;
        w.btnHelp->click();
        QCOMPARE(f.help.opened.size(), 1);
        QVERIFY(f.help.opened[0].endsWith(QStringLiteral("/quillon-help.html")));
        QCOMPARE(f.messages.shown.size(), opens ? 0 : 1);
        if (!opens) QVERIFY(f.messages.shown[0].prompt.contains(QDir::toNativeSeparators(f.help.opened[0])));
    }

    void titleBringsBackThePlayingTrack_data()
    {
        QTest::addColumn<bool>("played");
        QTest::newRow("nothing played") << false;
        QTest::newRow("track 3 played") << true;
    }
    void titleBringsBackThePlayingTrack()
    {
        QFETCH(bool, played);
        FormFixture f;
        Form1& w = startOnAlbum(f, numbered(3));
        if (played) doubleClickRow(w.lstTracks, 2);
        w.lstTracks->setListIndex(0);
        QTest::mouseClick(w.lblTitle, Qt::LeftButton);
        QCOMPARE(w.lstTracks->selectedRows(), played ? Rows{2} : Rows{});
        QCOMPARE(w.txtDetails->toPlainText(), played ? "Notes of Track 3" : "Details not available");
    }
};

QTEST_MAIN(PlaylistTest)
#include "playlist_test.moc"
