// Files: playlist files saved and loaded, other albums loaded, albums merged.
#include <QtTest>
#include <QtWidgets>

#include "support/table.h"
#include "album/album_files_frame.h"
#include "logic/album_merge.h"
#include "logic/m3u_playlist.h"
#include "logic/playlist_files.h"
#include "platform/file_ops.h"
#include "support/playback_fixture.h"

namespace {

QByteArray bytes(const std::string& s)
{
    return QByteArray::fromStdString(s);
}
QString q(const std::string& s)
{
    return QString::fromStdString(s);
}
// n records, each 131 copies of its own letter from `first` on.
QByteArray recs(int n, char first)
{
    QByteArray out;
    while (n--) out += QByteArray(131, first++);
    return out;
}
std::string read(const std::string& path)
{
    QFile file(q(path));
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string("<missing>");
}
// Every file of a folder with its size and, unless sparse, its bytes.
QStringList folderState(const std::string& folder)
{
    QStringList state;
    for (const QFileInfo& file : QDir(q(folder)).entryInfoList(QDir::Files | QDir::Hidden, QDir::Name))
        state << file.fileName() + " " + QString::number(file.size()) + " "
                     + (file.size() < 1000000 ? QString::fromLatin1(read(file.filePath().toStdString())) : "sparse");
    return state;
}

}  // namespace

class FilesTest : public QObject {
    Q_OBJECT
private slots:
    // The working playlist saved; "@" stands for the album, "%f" for its folder. A null `existing` is no file there before.
    void savePlaylist_data()
    {
        // answer: relative to the album folder; "!" before it a cancel; filter: the file type chosen
        // name: PlaylistFileName afterwards, "*" the full path
        const auto row = columns<QByteArray, QByteArray, QString, int, QByteArray, QString>(
            {"working", "existing", "answer", "filter", "saved", "name"});
        row("empty playlist, empty file", QByteArray(), QByteArray(), "Evening.pll", 1, "", "Evening.pll");
        row("existing file replaced, numbers padded", "@\r\n7\r\n", "old", "Evening.pll", 1, "@\r\n 7 \r\n",
            "Evening.pll");
        row("cancel keeps all", "@\r\n 1 \r\n", "old", "!Evening.pll", 1, "old", "old.pll");
        row("missing folder refused", "@\r\n 1 \r\n", QByteArray(), "no/Evening.pll", 1, QByteArray(), "*");
        // Saved, but its name would split the settings file's line: the name before it stays.
        row("line break in the name", "@\r\n 1 \r\n", QByteArray(), "Even\ning.pll", 1, "@\r\n 1 \r\n", "old.pll");
        // M3U8 lists the tracks of the entries that name one, by paths relative to the file's folder when below it.
        const QByteArray three = "@\r\n 1 \r\n@\r\n 9 \r\n@\r\n 2 \r\n";
        const QByteArray m3u = "#EXTM3U\n#EXTINF:221,Track 1\n%ff1/t1.mp3\n#EXTINF:221,Track 2\n%ff1/t2.mp3\n";
        row("m3u8 elsewhere, absolute paths", three, "old", "sub/Evening.m3u8", 2, m3u, "Evening.m3u8");
        row("own extension over file type", three, QByteArray(), "Evening.pll", 2, three, "Evening.pll");
        row("file type for another extension", three, QByteArray(), "Evening.txt", 2, QByteArray(m3u).replace("%f", ""),
            "Evening.txt");
    }
    void savePlaylist()
    {
        auto [working, existing, answer, filter, saved,
              name] = fetch<QByteArray, QByteArray, QString, int, QByteArray, QString>({"working", "existing", "answer",
                                                                                        "filter", "saved", "name"});
        FormFixture f;
        const std::string album = writeAlbum(f, numbered(2));
        f.writeAppFile("temp.$$$", working.replace("@", album.c_str()).toStdString());
        const bool cancel = answer.startsWith('!');
        const std::string target = f.album.folder() + answer.mid(cancel ? 1 : 0).toStdString();
        if (!existing.isNull()) f.album.writeFile(answer.mid(cancel ? 1 : 0).toStdString(), existing.toStdString());
        Form1& w = f.startWith(album, {{4, "Playlist FN=old.pll"}});
        f.dialogs.fileAnswers = {cancel ? QString() : q(target)};
        f.dialogs.filterAnswers = {filter};
        w.fmOptions->btnOpSavePL->click();
        QCOMPARE(f.dialogs.asked.value(0).request.fileName.value_or("?"), QString("old.pll"));
        QCOMPARE(f.dialogs.asked.value(0).request.filter,
                 QString("Quillon Playlist (*.pll)|*.pll|M3U8 Playlist (*.m3u8)|*.m3u8"));
        QVERIFY(f.dialogs.asked.value(0).save && f.dialogs.asked.value(0).request.confirmOverwrite);
        QCOMPARE(bytes(read(target)), saved.isNull()
                                          ? QByteArray("<missing>")
                                          : saved.replace("@", album.c_str()).replace("%f", f.album.folder().c_str()));
        const QString stored = name == "*" ? q(target) : name;
        QCOMPARE(q(w.m.PlaylistFileName), stored);
        QCOMPARE(f.messages.shown.size(), name == "*" ? 1 : 0);
        if (name == "*")
            QCOMPARE(f.messages.shown[0].prompt, "The playlist could not be saved to\r" + q(target)
                                                     + "\r\rReason: path not found\r\rThe playlist is as it was.");
        w.fmPlaylist->btnSavePL->click();  // the next save proposes the name kept
        QCOMPARE(f.dialogs.asked.value(1).request.fileName.value_or("?"), stored);
        QCOMPARE(f.dialogs.asked.value(1).request.filterIndex, stored.endsWith(".m3u8") ? 2 : 1);
        f.close();
        QVERIFY(read(f.appFile("qvb.ini")).find("Playlist FN=" + stored.toStdString() + "\r\n") != std::string::npos);
    }
    // A failed save names its reason; only a refused path asks about a read-only drive.
    void playlistSaveFailures_data()
    {
        const auto row = columns<int, QString>({"error", "prompt"});
        const QString named =
            "The playlist could not be saved to\r/m/a.pll\r\rReason: %1\r\rThe playlist is as it was.";
        row("refused", int(FileError::AccessDenied),
            "Unable to save playlist to drive /m\rIs this a read only drive?\rPlease try again and select another "
            "location");
        row("disk full", int(FileError::DiskFull), named.arg("disk full"));
        row("folder in the way", int(FileError::NotRegular), named.arg("not a regular file"));
    }
    void playlistSaveFailures()
    {
        QFETCH(int, error);
        QTEST(q(playlistFileNotSavedMessage("/m/a.pll", FileError(error))), "prompt");
    }
    // A playlist file loaded over the working playlist " 1 "; null is no file.
    void loadPlaylist_data()
    {
        // prompt: "" loaded without a word; %p the file's path
        const auto row = columns<QByteArray, QString>({"file", "prompt"});
        row("same name, other folder", "C:\\Sounds\\album.qdb\r\n 2 \r\n", "");
        row("slash path, first entry decides, text for a number",
            "/x/album.qdb\r\nsecond\r\nC:\\Sounds\\B.qdb\r\n 1 \r\n", "");
        row("other album", "C:\\Sounds\\Album2.qdb\r\n 2 \r\n",
            "The Playlist you are trying to load is from Album2.qdb.\r\rYou have album.qdb loaded!\r\rLoad the correct "
            "album and try again.");
        row("letter case differs", "C:\\Sounds\\Album.qdb\r\n 2 \r\n",
            "The Playlist you are trying to load is from Album.qdb.\r\rYou have album.qdb loaded!\r\rLoad the correct "
            "album and try again.");
        row("no entry", "", "The playlist file\r%p\rholds no tracks.\r\rThe playlist is as it was.");
        row("missing", QByteArray(),
            "The playlist could not be read from\r%p\r\rReason: file not found\r\rThe playlist is as it was.");
        const QString notPlaylist = "The file\r%p\ris not a playlist file.\r\rThe playlist is as it was.";
        row("binary, no number", QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16), notPlaylist);
        row("binary, control bytes",
            QByteArray("PK\x03\x04\x14\0\x08"
                       "album.qdb\r\n 1 \r\n",
                       23),
            notPlaylist);
    }
    void loadPlaylist()
    {
        auto [file, prompt] = fetch<QByteArray, QString>({"file", "prompt"});
        FormFixture f;
        const std::string album = writeAlbum(f, numbered(2));
        const std::string before = album + "\r\n 1 \r\n";
        f.writeAppFile("temp.$$$", before);
        const std::string chosen = f.album.folder() + "Evening.pll";
        if (!file.isNull()) f.album.writeFile("Evening.pll", file.toStdString());
        Form1& w = f.start();
        f.dialogs.fileAnswers = {q(chosen)};
        w.fmPlaylist->btnPLLoad->click();
        QCOMPARE(f.dialogs.asked.value(0).request.fileName.value_or("?"), QString(""));
        QCOMPARE(f.dialogs.asked.value(0).request.filter,
                 QString("Quillon Playlist (*.pll)|*.pll|M3U Playlist (*.m3u8 *.m3u)|*.m3u8;*.m3u"));
        QCOMPARE(f.messages.shown.size(), prompt.isEmpty() ? 0 : 1);
        if (!prompt.isEmpty()) QCOMPARE(f.messages.shown[0].prompt, prompt.replace("%p", q(chosen)));
        QCOMPARE(bytes(f.readAppFile("temp.$$$")), prompt.isEmpty() ? file : bytes(before));
        QCOMPARE(q(w.m.PlaylistFileName), prompt.isEmpty() ? QString("Evening.pll") : q(chosen));
        if (prompt.isEmpty()) QCOMPARE(w.fmPlaylist->lstPlayList->listCount(), file.count("\r\n") / 2);
    }
    // An M3U playlist loaded over the working playlist " 1 " of an album of t1..t3 and, as record 4, "caf\xE9"
    // in Windows-1252, all in f1; "%f" stands for the album's folder. A null file is the entries of `loaded`
    // saved as M3U8 by Save first.
    void loadM3u_data()
    {
        // name: relative to the album folder; prompt: "" none, %p the file's path; loaded: none, the playlist kept
        const auto row = columns<QString, QByteArray, QString, QList<int>>({"name", "file", "prompt", "loaded"});
        row("relative, comments, blanks", "Evening.m3u8",
            "\xEF\xBB\xBF#EXTM3U\r\n#EXTINF:221,Track 2\r\nf1/t2.mp3\r\n\r\n# f1/t3.mp3\r\n ./f1/../f1/t1.mp3 \r\n", "",
            {2, 1});
        row("absolute, UTF-8 name of a Windows-1252 record, beside", "f1/a.m3u8",
            "%ff1/t3.mp3\n%ff1/caf\xC3\xA9.mp3\nt2.mp3\n", "", {3, 4, 2});
        row("Windows paths and bytes, unknown files", "sub/old.m3u",
            "C:\\Trains\\f1\\T1.mp3\r\n..\\f1\\caf\xE9.mp3\r\nD:\\x\\Caf\xE9.mp3\r\nf1\\t3.mp3\r\nf1/t2.wav\r\n",
            "Some files the playlist file\r%p\rnames are not in this album (3 of 5):\rC:\\Trains\\f1\\T1.mp3\r"
            "D:\\x\\Caf\u00e9.mp3\rf1/t2.wav\r\rThe others were loaded.",
            {4, 3});
        row("more than a few unknown", "many.m3u", "f1/t2.mp3\nx1.mp3\nx2.mp3\nx3.mp3\nx4.mp3\nx5.mp3\nx6.mp3\nx7.mp3\n",
            "Some files the playlist file\r%p\rnames are not in this album (7 of 8):\rx1.mp3\rx2.mp3\rx3.mp3\rx4.mp3\r"
            "x5.mp3\rand 2 more\r\rThe others were loaded.",
            {2});
        row("none matches, too long a line", "none.m3u8",
            "#EXTM3U\nf2/t1.mp3\nf1/" + QByteArray(5000, 'a') + "/../t1.mp3\n",
            "None of the files the playlist file\r%p\rnames are in this album:\rf2/t1.mp3\rf1/" + QString(77, 'a')
                + "...\r\rThe playlist is as it was.",
            {});
        row("no entry", "empty.m3u", "#EXTM3U\n\n",
            "The playlist file\r%p\rholds no tracks.\r\rThe playlist is as it was.", {});
        row("round trip elsewhere", "sub/Saved.m3u8", QByteArray(), "", {3, 1, 4, 3});
    }
    void loadM3u()
    {
        auto [name, file, prompt,
              loaded] = fetch<QString, QByteArray, QString, QList<int>>({"name", "file", "prompt", "loaded"});
        FormFixture f;
        const auto track = [](const char* mp3) { return fixture::makeTrack(mp3, "05051975", "03:41", 0, mp3, "f1"); };
        const std::string album = f.album.writeAlbum("album.qdb",
                                                     {track("t1"), track("t2"), track("t3"), track("caf\xE9")});
        f.writeSettings(f.settingsLines(album));
        f.album.writeFile("sub/.keep", "");
        const auto entriesOf = [&](const QList<int>& list) {
            std::string out;
            for (int r : list) out += album + "\r\n " + std::to_string(r) + " \r\n";
            return out;
        };
        const std::string before = entriesOf({1}), chosen = f.album.filePath(name.toStdString());
        f.writeAppFile("temp.$$$", file.isNull() ? entriesOf(loaded) : before);
        if (!file.isNull())
            f.album.writeFile(name.toStdString(), file.replace("%f", f.album.folder().c_str()).toStdString());
        Form1& w = f.start();
        w.lblTabPlaylist_Click();
        if (file.isNull()) {
            f.dialogs.fileAnswers = {q(chosen)};
            f.dialogs.filterAnswers = {2};
            w.fmPlaylist->btnSavePL->click();
            f.writeAppFile("temp.$$$", before);
        }
        f.dialogs.fileAnswers = {q(chosen)};
        w.fmPlaylist->btnPLLoad->click();
        QCOMPARE(f.messages.shown.size(), prompt.isEmpty() ? 0 : 1);
        if (!prompt.isEmpty()) QCOMPARE(f.messages.shown[0].prompt, prompt.replace("%p", q(chosen)));
        QCOMPARE(f.readAppFile("temp.$$$"), loaded.isEmpty() ? before : entriesOf(loaded));
        QCOMPARE(q(w.m.PlaylistFileName), loaded.isEmpty() ? q(chosen) : name.mid(name.lastIndexOf('/') + 1));
        QCOMPARE(w.fmPlaylist->lstPlayList->listCount(), loaded.isEmpty() ? 1 : loaded.size());
    }
    // A record as an M3U entry: its time when the field holds one, its title trimmed, in UTF-8, on one line.
    void m3uItems_data()
    {
        const auto row = columns<QByteArray, QByteArray, int, QString>({"time", "title", "seconds", "shown"});
        row("time and Windows-1252 title", "03:41  ", "  Caf\xE9 ", 221, "Café");
        row("three digits of minutes, UTF-8 kept", "120:05", "Caf\xC3\xA9", -1, "Café");
        row("no time, line breaks", "  :  ", "a\r\nb", -1, "a  b");
        row("one digit of seconds", "3:4", "t", -1, "t");
    }
    void m3uItems()
    {
        auto [time, title] = fetch<QByteArray, QByteArray>({"time", "title"});
        const M3uItem item = m3uItem(fixture::makeTrack(title.toStdString(), "01011970", time.toStdString()), "p");
        QTEST(int(item.seconds), "seconds");
        QTEST(QString::fromUtf8(item.title), "shown");
    }
    // Load New Album with the dialog's answer: another album, a missing name, or a cancel.
    void loadAlbum_data()
    {
        // lines: -1: nothing changed
        const auto row = columns<QString, int>({"answer", "lines"});
        row("another album", "other.qdb", 3);
        row("typed name of no file", "none.qdb", 1);
        row("cancel", "", -1);
        row("line break in the name, refused", "a\nb.qdb", -1);
    }
    void loadAlbum()
    {
        auto [answer, lines] = fetch<QString, int>({"answer", "lines"});
        FormFixture f;
        const std::string album = writeAlbum(f, numbered(2));
        f.album.writeAlbum("other.qdb", {fixture::makeTrack("A"), fixture::makeTrack("B"), fixture::makeTrack("C")});
        f.writeAppFile("temp.$$$", album + "\r\n 1 \r\n");
        Form1& w = f.start();
        w.lblTabOptions_Click();
        const std::string chosen = answer.isEmpty() ? album : f.album.folder() + answer.toStdString();
        if (!answer.isEmpty()) f.dialogs.fileAnswers = {q(chosen)};
        w.fmOptions->btnLoad->click();
        QCOMPARE(f.dialogs.asked.value(0).request.fileName.value_or("?"), QString(""));
        QCOMPARE(f.dialogs.asked.value(0).request.initDir, QDir::currentPath());
        QCOMPARE(f.messages.shown.value(0).prompt.contains("\r" + q(chosen) + "\rwas not loaded"), answer.contains('\n'));
        const std::string loaded = lines < 0 ? album : chosen;
        QCOMPARE(q(w.m.AlbumPath), q(loaded));
        QCOMPARE(w.fmOptions->txtCurAlb->text(), q(loaded));
        QCOMPARE(q(w.m.DetailsFolder), q(f.album.folder()));
        QCOMPARE(w.fmTrackList->lstTracks->listCount(), lines < 0 ? 2 : lines);
        if (lines == 1)
            QCOMPARE(w.fmTrackList->lstTracks->model()->index(0, 0).data().toString(), QString("List empty"));
        else QCOMPARE(w.fmTrackList->lstTracks->listIndex(), 0);
        QCOMPARE(w.fmTrackList->isVisible(), lines >= 0);
        QCOMPARE(q(f.readAppFile("temp.$$$")), lines < 0 ? q(album + "\r\n 1 \r\n") : QString());
    }
    // Two albums picked with "+" and merged into the answer of the save dialog.
    void merge_data()
    {
        // answers: first, second, output; "-" leaves a box unpicked
        // failing: the file a box names; "" no box
        const auto row = columns<QStringList, QByteArray, QString>({"answers", "output", "failing"});
        row("empty second", {"a.qdb", "e.qdb", "new.qdb"}, recs(3, 'a'), "");
        row("into the first", {"a.qdb", "b.qdb", "a.qdb"}, recs(3, 'a') + recs(2, 'x'), "");
        row("into the second", {"b.qdb", "a.qdb", "a.qdb"}, recs(2, 'x') + recs(3, 'a'), "");
        row("longer output keeps its tail", {"b.qdb", "e.qdb", "a.qdb"}, recs(2, 'x') + recs(1, 'c'), "");
        row("records split between blocks", {"big.qdb", "b.qdb", "new.qdb"}, recs(1000, 'a') + recs(2, 'x'), "");
        row("long tail kept whole", {"b.qdb", "e.qdb", "big.qdb"}, recs(2, 'x') + (recs(1000, 'a') + "z").mid(262), "");
        row("part-record not copied", {"p.qdb", "b.qdb", "new.qdb"}, recs(1, 'a') + recs(2, 'x'), "");
        row("missing input", {"a.qdb", "gone.qdb", "new.qdb"}, "<missing>", "gone.qdb");
        row("unwritable output", {"a.qdb", "b.qdb", "no/new.qdb"}, "<missing>", "no/new.qdb");
        row("second unpicked", {"a.qdb", "-", "new.qdb"}, "<missing>", "");
        row("save cancelled", {"a.qdb", "b.qdb", ""}, "<missing>", "");
    }
    void merge()
    {
        auto [answers, output, failing] = fetch<QStringList, QByteArray, QString>({"answers", "output", "failing"});
        FormFixture f;
        writeAlbum(f, numbered(1));
        for (const auto& [name, data] : {std::pair<std::string, QByteArray>{"a.qdb", recs(3, 'a')},
                                         {"b.qdb", recs(2, 'x')},
                                         {"e.qdb", {}},
                                         {"p.qdb", recs(1, 'a') + "xyz"},
                                         {"big.qdb", recs(1000, 'a') + "z"}})
            f.album.writeFile(name, data.toStdString());
        AlbumFilesFrame& frame = *f.start().fmOptions->Frame4;
        QStringList paths;
        for (const QString& a : answers) paths << (a.isEmpty() || a == "-" ? a : q(f.album.folder()) + a);
        (f.dialogs.fileAnswers = paths).removeAll("-");
        if (answers[0] != "-") frame.btnAdd1->click();
        if (answers[1] != "-") frame.btnAdd2->click();
        QSignalSpy ended(&frame, &AlbumFilesFrame::mergeEnded);
        frame.btnMerge->click();
        if (frame.isMerging()) QVERIFY(ended.wait());
        QCOMPARE(f.dialogs.asked.size(), answers[1] == "-" ? 1 : 3);
        // Each "+" and the merge offer the name returned last.
        for (int i = 1; i < f.dialogs.asked.size(); ++i)
            QCOMPARE(f.dialogs.asked[i].request.fileName.value_or("?"), paths[i - 1]);
        QCOMPARE(bytes(read(f.album.folder() + (answers[2].isEmpty() ? "new.qdb" : answers[2].toStdString()))), output);
        QCOMPARE(f.messages.shown.size(), failing.isEmpty() ? 0 : 1);
        if (!failing.isEmpty()) QVERIFY(f.messages.shown[0].prompt.contains(q(f.album.folder()) + failing));
        QCOMPARE(read(f.album.folder() + "gone.qdb"), std::string("<missing>"));  // never created
    }
    // A merge cancelled after some blocks, or while the new file goes to the disk, leaves
    // every file as it was and no temporary behind.
    void mergeCancelled_data()
    {
        // blocks: blocks copied before the cancel, of 6
        const auto row = columns<int>({"blocks"});
        row("in the first", 0);
        row("in the second", 2);
        row("in the old output's tail", 4);
        row("while flushed", 6);
    }
    void mergeCancelled()
    {
        QFETCH(int, blocks);
        QTemporaryDir dir;
        const std::string folder = dir.path().toStdString() + "/", a = folder + "a.qdb", b = folder + "b.qdb",
                          out = folder + "out.qdb";
        for (const auto& [path, size] : {std::pair{a, 131 * 100000}, {b, 131 * 100000}, {out, 131 * 300000}}) {
            QFile file(q(path));
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(recs(3, 'a')) && file.resize(size));
        }
        const QStringList before = folderState(folder);
        int copied = 0, asked = 0;
        const MergeHooks hooks{[&](uint64_t, uint64_t) { ++copied; }, [&] { return ++asked > blocks; }};
        MergeOutcome outcome;
        QCOMPARE(writeFileAtomicTo(out,
                                   [&](int fd) { return (outcome = mergeAlbumsInto(fd, a, b, out, hooks)).verdict(); }),
                 FileError::Cancelled);
        QVERIFY(outcome.cancelled);
        QCOMPARE(copied, std::min(blocks + 1, 6));
        QCOMPARE(folderState(folder), before);
    }
    // The window goes on during a merge of a big sparse input, and a Cancel or the window's
    // end stops it and leaves every file as it was.
    void mergeInterrupted_data()
    {
        const auto row = columns<bool>({"closeWindow"});
        row("Cancel clicked", false);
        row("window closed", true);
    }
    void mergeInterrupted()
    {
        QFETCH(bool, closeWindow);
        FormFixture f;
        writeAlbum(f, numbered(1));
        f.album.writeFile("b.qdb", recs(2, 'x').toStdString());
        f.album.writeFile("out.qdb", "old");
        QFile big(q(f.album.folder() + "big.qdb"));
        QVERIFY(big.open(QIODevice::WriteOnly) && big.resize(qint64(131) << 24));
        big.close();
        const QStringList before = folderState(f.album.folder());
        AlbumFilesFrame& frame = *f.start().fmOptions->Frame4;
        f.dialogs.fileAnswers = {q(f.album.folder() + "big.qdb"), q(f.album.folder() + "b.qdb"),
                                 q(f.album.folder() + "out.qdb")};
        frame.btnAdd1->click();
        frame.btnAdd2->click();
        QSignalSpy progressed(&frame, &AlbumFilesFrame::mergeProgressed), ended(&frame, &AlbumFilesFrame::mergeEnded);
        frame.btnMerge->click();
        QVERIFY(progressed.wait());
        QVERIFY(frame.isMerging() && !frame.barMerge->isHidden() && !frame.btnMerge->isEnabled());
        if (closeWindow) {
            f.close();
            f.form.reset();
        } else {
            frame.btnCancelMerge->click();
            QVERIFY(ended.wait());
            QVERIFY(frame.barMerge->isHidden() && frame.btnMerge->isEnabled());
        }
        QCOMPARE(f.messages.shown.size(), 0);
        QCOMPARE(folderState(f.album.folder()), before);
    }
    // Qt's save dialog: what it offers, and the name and file type it returns for what the user types
    // ("" a cancel) with the type chosen.
    void qtSaveDialog_data()
    {
        const auto row = columns<QString, int, QString>({"typed", "type", "result"});
        row("extension added", "evening", 1, "evening.pll");
        row("own extension kept", "evening.txt", 1, "evening.txt");
        row("other type, its extension", "evening", 2, "evening.m3u8");
        row("cancel", "", 1, "");
    }
    void qtSaveDialog()
    {
        auto [typed, type, result] = fetch<QString, int, QString>({"typed", "type", "result"});
        const QString before = QDir::currentPath();
        QTemporaryDir dir;
        QStringList seen;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            auto* edit = dialog->findChild<QLineEdit*>("fileNameEdit");
            auto* types = dialog->findChild<QComboBox*>("fileTypeCombo");
            seen << dialog->nameFilters().join('|') << dialog->directory().absolutePath() << edit->text();
            types->setCurrentIndex(type - 1);  // as a user's pick does
            emit types->activated(type - 1);
            emit types->textActivated(types->currentText());
            edit->setText(typed);
            typed.isEmpty() ? dialog->reject() : static_cast<QDialog*>(dialog)->accept();
        });
        QtDialogs dialogs;
        const QString chosen = dialogs.showSave(
            {"Quillon Playlist (*.pll)|*.pll|M3U8 Playlist (*.m3u8)|*.m3u8", ".pll", dir.path(), "old.pll", true});
        QDir::setCurrent(before);
        QCOMPARE(seen, (QStringList{"Quillon Playlist (*.pll)|M3U8 Playlist (*.m3u8)", dir.path(), "old.pll"}));
        QCOMPARE(chosen, result.isEmpty() ? result : QDir::toNativeSeparators(dir.filePath(result)));
        QCOMPARE(dialogs.heldFileName(), result.isEmpty() ? QString("old.pll") : chosen);
        QCOMPARE(dialogs.chosenFilterIndex(), type);
    }
};

QTEST_MAIN(FilesTest)
#include "files_test.moc"
