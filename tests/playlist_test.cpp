// The working playlist: its file, its view, editing it, the pages and playing it.
#include <QDir>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>

#include "form/looks.h"
#include "form/twips.h"
#include "logic/playlist.h"
#include "support/playback_fixture.h"

namespace {

using Rows = QList<int>;
const QString kEmpty = QStringLiteral("The Playlist is empty");

// Entries written as the format says, without the code under test.
QByteArray entries(const Rows& records, const std::string& album = "A")
{
    QByteArray out;
    for (int r : records) out += QByteArray::fromStdString(album) + "\r\n " + QByteArray::number(r) + " \r\n";
    return out;
}

QString line(int n) { return QStringLiteral("Track %1 - 5th May 1975 (03:41)").arg(n); }

QStringList lines(const ListBox* list)
{
    QStringList out;
    for (int i = 0; i < list->listCount(); ++i) out << list->itemText(i);
    return out;
}

// An album of `count` numbered tracks and a playlist file (none when null).
Form1& startWith(FormFixture& f, int count, const QByteArray& playlist, int playlistIndex = 0)
{
    if (!playlist.isNull()) f.writeAppFile("temp.$$$", playlist.toStdString());
    return f.startWith(writeAlbum(f, numbered(count)), {{13, "Playlist=" + std::to_string(playlistIndex)}});
}

PlaylistPage& page(Form1& w) { return *w.fmPlaylist; }

}  // namespace

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
        QTest::newRow("LF lines") << QByteArray("a\n 7\n") << 1 << "7";
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
        QTest::newRow("one entry") << QStringList{"03:25"} << "1 tracks with a playing time of 00:03:25";
        QTest::newRow("one-digit minutes") << QStringList{"3:25"} << "1 tracks with a playing time of 00:03:05";
        QTest::newRow("hours") << QStringList{"60:00", "02:05"} << "2 tracks with a playing time of 01:02:05";
        QTest::newRow("ten hours") << QStringList(10, "60:00") << "10 tracks with a playing time of 10:00:00";
        QTest::newRow("blank minutes") << QStringList{"  :59"} << "1 tracks with a playing time of 00:00:59";
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

    void albumFileName_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("backslashes") << "C:\\Sounds\\Album1.qdb";
        QTest::newRow("mixed") << "D:\\Copy/Album1.qdb";
    }
    void albumFileName()
    {
        QFETCH(QString, path);
        QCOMPARE(QString::fromStdString(std::string(fileNameOf(path.toStdString()))), "Album1.qdb");
    }

    void viewShowsTheFile_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<QString>("label");
        QTest::newRow("no file") << QByteArray() << QStringList{kEmpty} << kEmpty;
        QTest::newRow("empty file") << QByteArray("") << QStringList{kEmpty} << kEmpty;
        QTest::newRow("same track twice") << entries({2, 2}) << QStringList{line(2), line(2)}
                                          << "Playlist contains 2 tracks with a playing time of 00:07:22 (h:m:s)";
        QTest::newRow("entries naming no track")
            << "A\r\n 0 \r\nA\r\n 4 \r\nA\r\nx\r\n" + entries({1}) + "A\r\n"
            << QStringList{"(track 0 is not in this album)", "(track 4 is not in this album)",
                           "(this entry names no track number)", line(1), "(this entry names no track number)"}
            << "Playlist contains 5 tracks with a playing time of 00:03:41 (h:m:s)";
    }
    void viewShowsTheFile()
    {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, shown);
        QFETCH(QString, label);
        FormFixture f;
        Form1& w = startWith(f, 3, file);
        w.lblTabPlaylist_Click();
        QCOMPARE(lines(page(w).lstPlayList), shown);
        QCOMPARE(page(w).lblPlaylist->text(), label);
        QCOMPARE(w.m.PlaylistEmpty, label == kEmpty);
        QCOMPARE(page(w).lstPlayList->listIndex(), label == kEmpty ? -1 : 0);
    }

    void addingAppendsSelectedLinesInListOrder_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<Rows>("clicked");
        QTest::addColumn<int>("times");
        QTest::addColumn<QByteArray>("kept");
        QTest::addColumn<Rows>("added");
        QTest::newRow("ascending") << QByteArray() << Rows{8, 1, 4} << 1 << QByteArray() << Rows{2, 5, 9};
        QTest::newRow("twice") << entries({3}) << Rows{0} << 2 << entries({3}) << Rows{1, 1};
        QTest::newRow("after a cut entry") << QByteArray("A") << Rows{0} << 1 << QByteArray("A\r\n\r\n") << Rows{1};
        QTest::newRow("none selected") << QByteArray() << Rows{} << 1 << QByteArray("") << Rows{};
    }
    void addingAppendsSelectedLinesInListOrder()
    {
        QFETCH(QByteArray, before);
        QFETCH(Rows, clicked);
        QFETCH(int, times);
        QFETCH(QByteArray, kept);
        QFETCH(Rows, added);
        FormFixture f;
        Form1& w = startWith(f, 9, before);
        w.lstTracks->setListIndex(-1);
        for (int row : clicked) w.lstTracks->setSelected(row, true);
        for (int i = 0; i < times; ++i) w.btnAddPL->click();
        QCOMPARE(QByteArray::fromStdString(f.readAppFile("temp.$$$")), kept + entries(added, w.m.AlbumPath));
        if (!added.isEmpty()) QCOMPARE(w.m.CurrentRecord, added.last());
        QVERIFY(QFile::exists(QString::fromStdString(f.appFile("temp.$$$"))));
    }

    void deletingRemovesTheSelectedEntry_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<int>("selected");
        QTest::addColumn<QByteArray>("after");  // null: no file
        QTest::newRow("third of five") << entries({1, 2, 3, 4, 5}) << 2 << entries({1, 2, 4, 5});
        QTest::newRow("only entry") << entries({1}) << 0 << QByteArray("");
        QTest::newRow("placeholder of no file") << QByteArray() << 0 << QByteArray();
        QTest::newRow("entry naming no track") << "A\r\nx\r\n" + entries({1}) << 0 << entries({1});
    }
    void deletingRemovesTheSelectedEntry()
    {
        QFETCH(QByteArray, before);
        QFETCH(int, selected);
        QFETCH(QByteArray, after);
        FormFixture f;
        Form1& w = startWith(f, 5, before);
        w.lblTabPlaylist_Click();
        page(w).lstPlayList->setListIndex(selected);
        page(w).btnPlDelete_Click();
        QCOMPARE(QFile::exists(QString::fromStdString(f.appFile("temp.$$$"))), !after.isNull());
        QCOMPARE(QByteArray::fromStdString(f.readAppFile("temp.$$$")), after);
        QVERIFY(!QFile::exists(QString::fromStdString(f.appFile("temp.pl$"))));
        QCOMPARE(page(w).lstPlayList->listCount(), std::max(1, int(parsePlaylist(after.toStdString()).size())));
        QCOMPARE(page(w).lstPlayList->listIndex(), after.isEmpty() ? -1 : 0);
    }

    void rewritesReplaceThePlaylistOrSaySo_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("blocked");  // the scratch file cannot be made
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("clear") << "btnClearPL" << false << QByteArray("");
        QTest::newRow("clear blocked") << "btnClearPL" << true << entries({1, 2});
        QTest::newRow("delete blocked") << "btnPlDelete" << true << entries({1, 2});
        QTest::newRow("add blocked") << "btnAddPL" << true << entries({1, 2});
    }
    void rewritesReplaceThePlaylistOrSaySo()
    {
        QFETCH(QString, button);
        QFETCH(bool, blocked);
        QFETCH(QByteArray, after);
        FormFixture f;
        Form1& w = startWith(f, 3, entries({1, 2}), 1);
        w.lblTabPlaylist_Click();
        if (blocked) QVERIFY(QDir().mkdir(QString::fromStdString(f.appFile("temp.pl$"))));
        w.findChild<QPushButton*>(button)->click();
        QCOMPARE(QByteArray::fromStdString(f.readAppFile("temp.$$$")), after);
        QCOMPARE(f.messages.shown.size(), blocked ? 1 : 0);
        if (blocked) QVERIFY(f.messages.shown[0].prompt.contains(QString::fromStdString(f.appFile("temp.$$$"))));
        QCOMPARE(lines(page(w).lstPlayList), blocked ? (QStringList{line(1), line(2)}) : QStringList{kEmpty});
        if (!blocked) QCOMPARE(w.m.PlaylistIndex, 0);
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
        Form1& w = startWith(f, 5, QByteArray());
        w.lstTracks->setListIndex(2);
        w.lstTracks->setSelected(2, currentSelected);
        for (int row : {0, 4}) w.lstTracks->setSelected(row, true);
        w.btnClearSel->click();
        QCOMPARE(w.lstTracks->selectedRows(), currentSelected ? Rows{2} : Rows{});
        QCOMPARE(w.m.CurrentRecord, 3);
    }

    void rightClickPlacesThePopups_data()
    {
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("y");
        QTest::addColumn<int>("notesTop");
        QTest::newRow("below the pointer") << 2 << 4000 << 5100;
        QTest::newRow("at the limit") << 2 << 4400 << 5500;
        QTest::newRow("past the limit") << 2 << 4401 << 5500;
        QTest::newRow("left button hides") << 1 << 4000 << 1200;
    }
    void rightClickPlacesThePopups()
    {
        QFETCH(int, button);
        QFETCH(int, y);
        QFETCH(int, notesTop);
        FormFixture f;
        Form1& w = startWith(f, 3, entries({1}));
        w.lblTabPlaylist_Click();
        page(w).lstPlayList_MouseDown(2, 0, 300, 100);
        page(w).lstPlayList_MouseDown(button, 0, 300, y);
        QCOMPARE(page(w).btnPLNotes->isVisible(), button == 2);
        if (button == 2) QCOMPARE(twipsRect(page(w).btnPLNotes).topLeft(), QPoint(300, y + 455));
        if (button == 2) QCOMPARE(twipsRect(page(w).btnPlDelete).top(), y + 200);
        QCOMPARE(twipsRect(w.fmSeNotes).top(), notesTop);
        QVERIFY(!w.fmSeNotes->isVisible());
    }

    void tabsShowTheirPage_data()
    {
        QTest::addColumn<QString>("tab");
        QTest::addColumn<QString>("frame");
        QTest::addColumn<bool>("options");
        QTest::addColumn<bool>("searchDefault");  // after the Search page was shown
        QTest::addColumn<bool>("trackMarked");
        QTest::newRow("track list") << "lblTabTrackList" << "fmTrackList" << true << false << true;
        QTest::newRow("playlist") << "lblTabPlaylist" << "fmPlaylist" << false << false << false;
        QTest::newRow("search") << "lblTabSearch" << "fmSearch" << false << true << false;
        QTest::newRow("options") << "lblTabOptions" << "fmOptions" << false << true << false;
    }
    void tabsShowTheirPage()
    {
        QFETCH(QString, tab);
        QFETCH(QString, frame);
        QFETCH(bool, options);
        QFETCH(bool, searchDefault);
        QFETCH(bool, trackMarked);
        FormFixture f;
        Form1& w = startWith(f, 3, QByteArray());
        w.lblTabSearch_Click();
        w.fmSeNotes->show();
        QTest::mouseClick(w.findChild<QLabel*>(tab), Qt::LeftButton);
        for (QWidget* page : {static_cast<QWidget*>(w.fmTrackList), static_cast<QWidget*>(w.fmPlaylist), static_cast<QWidget*>(w.fmSearch),
                              static_cast<QWidget*>(w.fmOptions)})
            QCOMPARE(page->isVisible(), page->objectName() == frame);
        for (QLabel* label : w.findChildren<QLabel*>(QRegularExpression("^lblTab")))
            QCOMPARE(label->palette().color(QPalette::Window).red(), label->objectName() == tab ? 0xE0 : 0x40);
        QCOMPARE(w.opAll->isVisible(), options);
        QVERIFY(!w.fmSeNotes->isVisible());
        QCOMPARE(w.fmSearch->btnSearch->isDefault(), searchDefault);
        QCOMPARE(w.lstTracks->isSelected(0), trackMarked);
        QSignalSpy search(w.fmSearch->btnSearch, &QPushButton::clicked);
        QTest::keyClick(&w, Qt::Key_Return);
        QCOMPARE(search.size(), tab == "lblTabSearch" ? 1 : 0);
        if (tab == "lblTabOptions") QVERIFY(lookOf(w.lblTLSample) == lookOf(w.lstTracks));
        if (tab == "lblTabOptions") QVERIFY(lookOf(w.txtsample) == lookOf(w.txtDetails));
    }

    void tabsWithoutAnAlbumMarkNothing()
    {
        FormFixture f;
        Form1& w = f.start();
        for (auto tab : {&Form1::lblTabSearch_Click, &Form1::lblTabOptions_Click, &Form1::lblTabPlaylist_Click,
                         &Form1::lblTabTrackList_Click})
            (w.*tab)();
        QCOMPARE(w.lstTracks->selectedRows(), Rows{});
        QCOMPARE(lines(page(w).lstPlayList), QStringList{kEmpty});
    }

    void playlistPageBringsBackTheRememberedEntry_data()
    {
        QTest::addColumn<int>("remembered");
        QTest::addColumn<int>("track");  // current track line afterwards
        QTest::newRow("entry 2") << 1 << 0;
        QTest::newRow("past the entries") << 3 << 2;
        QTest::newRow("naming no track") << 2 << 2;
    }
    void playlistPageBringsBackTheRememberedEntry()
    {
        QFETCH(int, remembered);
        QFETCH(int, track);
        FormFixture f;
        Form1& w = startWith(f, 3, entries({3, 1, 9}), remembered);
        w.opAll->click();
        w.lblTabPlaylist_Click();
        QCOMPARE(w.lstTracks->listIndex(), track);
        QCOMPARE(w.txtDetails->toPlainText(), QStringLiteral("Notes of Track %1").arg(track + 1));
        QCOMPARE(char(w.m.PlayMode), remembered == 1 ? 'A' : 'X');
        QCOMPARE(w.lblPlayMode->text(), QStringLiteral("Player Stopped"));
        QVERIFY(w.fmPlaylist->isVisible());
    }

    void playPlaylistGoesOnToTheEnd_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("from");
        QTest::addColumn<Rows>("played");
        QTest::addColumn<int>("endLine");
        QTest::newRow("from line 2 to the last") << entries({3, 1, 2}) << 1 << Rows{1, 2} << 2;
        QTest::newRow("stops at an entry naming no track") << entries({1, 7, 2}) << 0 << Rows{1} << 1;
        QTest::newRow("first entry naming no track") << entries({0, 2}) << 0 << Rows{} << 0;
    }
    void playPlaylistGoesOnToTheEnd()
    {
        QFETCH(QByteArray, file);
        QFETCH(int, from);
        QFETCH(Rows, played);
        QFETCH(int, endLine);
        FormFixture f;
        Form1& w = startWith(f, 3, file);
        w.lblTabPlaylist_Click();
        page(w).lstPlayList->setListIndex(from);
        page(w).btnPListPlay->click();
        settle();
        for (int i = 0; i < played.size(); ++i) {
            QCOMPARE(f.player.sourceFiles.size(), i + 1);
            QVERIFY(f.player.sourceFiles.last().endsWith(QStringLiteral("/t%1.mp3").arg(played[i])));
            QCOMPARE(w.lblPlayMode->text(), QStringLiteral("Playing all tracks from Playlist"));
            QVERIFY(w.fmTrackList->isVisible() && w.lstTracks->isSelected(played[i] - 1));
            QCOMPARE(w.m.PlaylistIndex, from + i);
            f.player.finishTrack();
            settle();
        }
        QCOMPARE(f.player.sourceFiles.size(), played.size());
        QCOMPARE(char(w.m.PlayMode), 'X');
        QCOMPARE(w.lblPlayMode->text(), QStringLiteral("Player Stopped"));
        QCOMPARE(page(w).lstPlayList->listIndex(), endLine);
    }

    void playPlaylistStartsOnlyWhenNothingElsePlays_data()
    {
        QTest::addColumn<char>("mode");
        QTest::addColumn<int>("plays");
        QTest::newRow("stopped") << 'X' << 1;
        for (char mode : {'O', 'A', 'R', 'S'}) QTest::addRow("%c", mode) << mode << 0;
    }
    void playPlaylistStartsOnlyWhenNothingElsePlays()
    {
        QFETCH(char, mode);
        QFETCH(int, plays);
        FormFixture f;
        Form1& w = startWith(f, 3, entries({2}));
        w.lblTabPlaylist_Click();
        w.m.PlayMode = Mode(mode);
        page(w).btnPListPlay_Click();
        QCOMPARE(f.player.sourceFiles.size(), plays);
    }

    void doubleClickPlaysOneEntry_data()
    {
        QTest::addColumn<bool>("playlistPlaying");
        QTest::newRow("stopped") << false;
        QTest::newRow("while the playlist plays") << true;
    }
    void doubleClickPlaysOneEntry()
    {
        QFETCH(bool, playlistPlaying);
        FormFixture f;
        Form1& w = startWith(f, 3, entries({1, 3}));
        w.lblTabPlaylist_Click();
        if (playlistPlaying) page(w).btnPListPlay_Click();
        w.lstTracks->setListIndex(1);
        w.lblTabPlaylist_Click();  // while the playlist plays, the current track stays
        const int before = int(f.player.sourceFiles.size());
        doubleClickRow(page(w).lstPlayList, 1);
        settle();
        QCOMPARE(int(f.player.sourceFiles.size()), before + (playlistPlaying ? 0 : 1));
        QCOMPARE(w.lstTracks->listIndex(), playlistPlaying ? 1 : 2);
        QCOMPARE(char(w.m.PlayMode), playlistPlaying ? 'L' : 'S');
        QCOMPARE(w.lblPlayMode->text(), playlistPlaying ? "Playing all tracks from Playlist" : "Playing one track from Playlist");
        QCOMPARE(w.m.PlaylistIndex, 1);
        QVERIFY(w.fmPlaylist->isVisible());
        f.player.finishTrack();
        settle();
        QCOMPARE(char(w.m.PlayMode), 'X');
    }

    void notesPaneShowsTheEntrysNotes_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("notes");
        QTest::addColumn<QString>("status");
        QTest::newRow("entry") << entries({2}) << "Notes of Track 2" << "Playing";
        QTest::newRow("entry naming no track") << entries({8}) << "" << "Player Stopped";
        QTest::newRow("no playlist") << QByteArray() << "" << "Player Stopped";
    }
    void notesPaneShowsTheEntrysNotes()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, notes);
        QFETCH(QString, status);
        FormFixture f;
        Form1& w = startWith(f, 3, file);
        w.lblTabPlaylist_Click();
        w.m.PlayMode = Mode::One;
        w.lblPlayMode->setText(QStringLiteral("Playing"));
        page(w).lstPlayList_MouseDown(2, 0, 100, 100);
        page(w).btnPLNotes->click();
        QVERIFY(w.fmSeNotes->isVisible() && w.btnSeNotesX->isVisible() && !page(w).btnPLNotes->isVisible());
        QCOMPARE(w.txtSENotes->toPlainText(), notes);
        QCOMPARE(w.lblPlayMode->text(), status);
        QCOMPARE(char(w.m.PlayMode), 'O');
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
        Form1& w = startWith(f, 3, QByteArray());
        if (played) doubleClickRow(w.lstTracks, 2);
        w.lstTracks->setListIndex(0);
        QTest::mouseClick(w.lblTitle, Qt::LeftButton);
        QCOMPARE(w.lstTracks->selectedRows(), played ? Rows{2} : Rows{});
        QCOMPARE(w.txtDetails->toPlainText(), played ? "Notes of Track 3" : "Details not available");
    }
};

QTEST_MAIN(PlaylistTest)
#include "playlist_test.moc"
