// Playlist files saved and loaded from the Options and Playlist pages.
#include <QtTest>
#include <QtWidgets>

#include "support/table.h"
#include "logic/playlist_files.h"
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

using fixture::readFile;

}  // namespace

class PlaylistFilesTest : public QObject {
    Q_OBJECT
private slots:
    // The working playlist saved; "@" stands for the album. A null `existing` is no file there before.
    void savePlaylist_data()
    {
        // answer: relative to the album folder; "!" before it a cancel
        // name: PlaylistFileName afterwards, "*" the full path
        const auto row = columns<QByteArray, QByteArray, QString, QByteArray, QString>(
            {"working", "existing", "answer", "saved", "name"});
        row("empty playlist, empty file", QByteArray(), QByteArray(), "Evening.pll", "", "Evening.pll");
        row("existing file replaced, numbers padded", "@\r\n7\r\n", "old", "Evening.pll", "@\r\n 7 \r\n", "Evening.pll");
        row("cancel keeps all", "@\r\n 1 \r\n", "old", "!Evening.pll", "old", "old.pll");
        row("missing folder refused", "@\r\n 1 \r\n", QByteArray(), "no/Evening.pll", QByteArray(), "*");
        // Saved, but its name would split the settings file's line: the name before it stays.
        row("line break in the name", "@\r\n 1 \r\n", QByteArray(), "Even\ning.pll", "@\r\n 1 \r\n", "old.pll");
    }
    void savePlaylist()
    {
        auto [working, existing, answer, saved, name] = fetch<QByteArray, QByteArray, QString, QByteArray, QString>(
            {"working", "existing", "answer", "saved", "name"});
        FormFixture f;
        const std::string album = writeAlbum(f, numbered(2));
        f.writeAppFile("temp.$$$", working.replace("@", album.c_str()).toStdString());
        const bool cancel = answer.startsWith('!');
        const std::string target = f.album.folder() + answer.mid(cancel ? 1 : 0).toStdString();
        if (!existing.isNull()) f.album.writeFile(answer.mid(cancel ? 1 : 0).toStdString(), existing.toStdString());
        Form1& w = f.startWith(album, {{4, "Playlist FN=old.pll"}});
        f.dialogs.fileAnswers = {cancel ? QString() : q(target)};
        w.fmOptions->btnOpSavePL->click();
        QCOMPARE(f.dialogs.asked.value(0).request.fileName.value_or("?"), QString("old.pll"));
        QVERIFY(f.dialogs.asked.value(0).save && f.dialogs.asked.value(0).request.confirmOverwrite);
        QCOMPARE(bytes(readFile(target)), saved.isNull() ? QByteArray("<missing>") : saved.replace("@", album.c_str()));
        const QString stored = name == "*" ? q(target) : name;
        QCOMPARE(f.messages.shown.size(), name == "*" ? 1 : 0);
        if (name == "*")
            QCOMPARE(f.messages.shown[0].prompt, "The playlist could not be saved to\r" + q(target)
                                                     + "\r\rReason: path not found\r\rThe playlist is as it was.");
        w.fmPlaylist->btnSavePL->click();  // the next save proposes the name kept
        QCOMPARE(f.dialogs.asked.value(1).request.fileName.value_or("?"), stored);
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
        QCOMPARE(f.dialogs.asked.value(0).request.filter, QString("Quillon Playlist (*.pll)|*.pll"));
        QCOMPARE(f.messages.shown.size(), prompt.isEmpty() ? 0 : 1);
        if (!prompt.isEmpty()) QCOMPARE(f.messages.shown[0].prompt, prompt.replace("%p", q(chosen)));
        QCOMPARE(bytes(f.readAppFile("temp.$$$")), prompt.isEmpty() ? file : bytes(before));
        QCOMPARE(q(w.m.PlaylistFileName), prompt.isEmpty() ? QString("Evening.pll") : q(chosen));
        if (prompt.isEmpty()) QCOMPARE(w.fmPlaylist->lstPlayList->listCount(), file.count("\r\n") / 2);
    }
};

QTEST_MAIN(PlaylistFilesTest)
#include "playlist_files_test.moc"
