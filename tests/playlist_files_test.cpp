// Playlist files saved and loaded from the Options and Playlist pages.
#include <QtTest>
#include <QtWidgets>

#include "support/table.h"
#include "logic/m3u_playlist.h"
#include "logic/playlist_files.h"
#include "support/playback_fixture.h"

using fixture::readFile;

class PlaylistFilesTest : public QObject {
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
        QCOMPARE(bytes(readFile(target)),
                 saved.isNull() ? QByteArray("<missing>")
                                : saved.replace("@", album.c_str()).replace("%f", f.album.folder().c_str()));
        const QString stored = name == "*" ? q(target) : name;
        QCOMPARE(f.messages.shown.size(), name == "*" ? 1 : 0);
        if (name == "*")
            QCOMPARE(f.messages.shown[0].prompt, "The playlist could not be saved to\r" + q(target)
                                                     + "\r\rReason: path not found\r\rThe playlist is as it was.");
        w.fmPlaylist->btnSavePL->click();  // the next save proposes the name kept
        QCOMPARE(f.dialogs.asked.value(1).request.fileName.value_or("?"), stored);
        QCOMPARE(f.dialogs.asked.value(1).request.filterIndex, stored.endsWith(".m3u8") ? 2 : 1);
        f.close();
        QVERIFY(readFile(f.appFile("qvb.ini")).find("Playlist FN=" + stored.toStdString() + "\r\n") != std::string::npos);
    }
    // A refused path asks about a read-only drive; other failures name their reason as above.
    void aRefusedSaveAsksAboutAReadOnlyDrive()
    {
        QCOMPARE(q(playlistFileNotSavedMessage("/m/a.pll", FileError::AccessDenied)),
                 "Unable to save playlist to drive /m\rIs this a read only drive?\rPlease try again and select another "
                 "location");
    }
    // A playlist file loaded over the working playlist " 1 "; null is no file.
    void loadPlaylist_data()
    {
        // prompt: "" loaded without a word; %p the file's path
        const auto row = columns<QByteArray, QString>({"file", "prompt"});
        row("same name, other folder", "C:\\Sounds\\album.qdb\r\n 2 \r\n", "");
        row("other album", "C:\\Sounds\\Album2.qdb\r\n 2 \r\n",
            "The Playlist you are trying to load is from Album2.qdb.\r\rYou have album.qdb loaded!\r\rLoad the correct "
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
        f.writeSettings(album);
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
};

QTEST_MAIN(PlaylistFilesTest)
#include "playlist_files_test.moc"
