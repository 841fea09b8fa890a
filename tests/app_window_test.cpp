// Start-up, shutdown and the settings file, driven as a user would see them.
#include <QtTest>
#include <QtWidgets>
#include <csignal>
#include <sys/stat.h>

#include "album/track_list_model.h"
#include "form/looks.h"
#include "form/twips.h"
#include "support/playback_fixture.h"
#include "support/table.h"

namespace {

const QString kNoAlbum = QStringLiteral(
    "The track list is empty. Use the Load New Album button on the Options tab to find a new track list.");

// Runs a copy of the real program in the fixture's program folder (its settings live beside
// the executable; it inherits the test's offscreen, silent environment), sends it a signal once
// it handles that signal, and returns its exit code (-1 when it did not end normally).
int endBySignal(const FormFixture& f, int signal)
{
    const QString program = QString::fromStdString(f.appFile("quillon"));
    if (!QFile::copy(QStringLiteral(QUILLON_EXECUTABLE), program)) return -1;
    QProcess process;
    process.start(program, {});
    const auto catches = [&] {
        QFile status(QStringLiteral("/proc/%1/status").arg(process.processId()));
        const QByteArray text = status.open(QIODevice::ReadOnly) ? status.readAll() : QByteArray();
        const qsizetype at = text.indexOf("SigCgt:");
        return at >= 0 && (text.mid(at + 7, 17).trimmed().toULongLong(nullptr, 16) >> (signal - 1) & 1) != 0;
    };
    if (!process.waitForStarted() || !QTest::qWaitFor(catches, 20000)) return -1;
    ::kill(pid_t(process.processId()), signal);
    return process.waitForFinished(20000) && process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

}  // namespace

class WindowTest : public QObject {
    Q_OBJECT
private slots:
    // A first run shows a list with one "List empty" line; an album without a whole record none.
    void anEmptyStart()
    {
        FormFixture f;
        Form1& w = f.start();
        QCOMPARE(lines(w.fmTrackList->lstTracks), QStringList{"List empty"});
        QCOMPARE(w.fmTrackList->lstTracks->listIndex(), -1);
        QCOMPARE(w.fmTrackList->txtDetails->toPlainText(), kNoAlbum);
        QCOMPARE(w.fmPlaylist->lblPlaylist->text(), QStringLiteral("The playlist is empty"));
        QVERIFY(f.messages.shown.isEmpty());
        clickRow(w.fmTrackList->lstTracks, 0);
        QCOMPARE(w.fmTrackList->txtDetails->toPlainText(), QStringLiteral("Details not available"));
        FormFixture g;
        const std::string path = g.album.writeAlbum("empty.qdb", {}, std::string(100, 'x'));
        Form1& e = g.startWith(path, {});
        QVERIFY(e.fmTrackList->lstTracks->listCount() == 0 && e.fmTrackList->lstTracks->listIndex() == -1);
        QCOMPARE(e.fmOptions->txtCurAlb->text(), QString::fromStdString(path));
    }

    // The close button, and kill or Ctrl-C sent to the real program, all end it through its shutdown.
    void shutdownWritesSettingsAndRemovesSearchResults_data()
    {
        const auto row = columns<int>({"signal"});
        row("close button", 0);
        row("SIGTERM", int(SIGTERM));
    }
    void shutdownWritesSettingsAndRemovesSearchResults()
    {
        auto [signal] = fetch<int>({"signal"});
        FormFixture f;
        f.writeAppFile("search.$$$", "12\r\n");
        f.writeAppFile("temp.$$$", " 2 \r\n");
        const std::string albumPath = writeAlbum(f, numbered(3));
        f.writeSettings(albumPath, {{13, "Playlist=2"}});
        if (signal == 0) {
            f.start();
            f.close();
        } else {
            QCOMPARE(endBySignal(f, signal), 0);
        }
        const std::string ini = f.readAppFile("qvb.ini");
        QVERIFY(ini.find("\r\nData=" + albumPath
                         + "\r\nPlaylist FN=\r\n\r\n[Pane Positions]\r\n1=2780\r\n2=3375\r\n3=2500\r\n"
                           "\r\n[List Positions]\r\nIndex=0\r\nPlaylist=2\r\n")
                != std::string::npos);
        QVERIFY(!QFile::exists(QString::fromStdString(f.appFile("search.$$$"))));
        QCOMPARE(f.readAppFile("temp.$$$"), " 2 \r\n");
    }

    // The saved line is selected, or the first when out of range; the list height is kept in the splitter's range;
    // a file cut short applies nothing but the album.
    void restoredIndexAndListHeight_data()
    {
        // keep: lines of the file kept; top: -1 any top line
        const auto row = columns<QString, QString, int, int, int, int, int>(
            {"indexLine", "heightLine", "selected", "height", "keep", "tracks", "top"});
        row("last track, too small", "Index=11", "3=100", 11, 500, 24, 12, -1);
        row("none selected when saved, too large", "Index=-1", "3=9000", 0, 5500, 24, 12, 0);
        row("one past the last track", "Index=12", "3=2500", 0, 2500, 24, 12, 0);
        row("file cut after line 14: only the album applies", "Index=3", "3=4000", 0, 2500, 14, 12, 0);
        row("a long list scrolls to the line", "Index=250", "3=2500", 250, 2500, 24, 300, 248);
    }
    void restoredIndexAndListHeight()
    {
        auto [indexLine, heightLine, selected, keep, tracks, top] = fetch<QString, QString, int, int, int, int>(
            {"indexLine", "heightLine", "selected", "keep", "tracks", "top"});
        FormFixture f;
        Form1& w = f.startWith(writeAlbum(f, numbered(tracks)),
                               {{12, indexLine.toStdString()}, {9, heightLine.toStdString()}}, size_t(keep));
        if (top >= 0) QTRY_COMPARE(w.fmTrackList->lstTracks->topIndex(), top);
        QCOMPARE(w.fmTrackList->lstTracks->selectedRows(), QList<int>{selected});
        QCOMPARE(w.fmTrackList->lstTracks->listIndex(), selected);
        QCOMPARE(w.fmTrackList->txtDetails->toPlainText(), QStringLiteral("Notes of Track %1").arg(selected + 1));
        QTEST(twipsRect(w.fmTrackList->lstTracks).height(), "height");
    }

    // Looks of lists and choices from the file apply to every list and are written back as read;
    // from a bad colour line on, the designed looks stay.
    void savedLooksAndChoicesAreApplied()
    {
        FormFixture f, bad;
        Form1& w = f.startWith(writeAlbum(f, numbered(2)),
                               {{18, " 255 "}, {19, " 10 "}, {20, " 65280 "}, {21, "all"}, {22, "1"}});
        QVERIFY(lookOf(w.fmPlaylist->lstPlayList) == (Look{255, 10, 65280}));
        QVERIFY(w.fmOptions->fmOptionsPrefs->chkAllPrefs->isChecked() && w.fmOptions->opLS->isChecked());
        f.close();
        QVERIFY(f.readAppFile("qvb.ini").find(" 255 \r\n 10 \r\n 65280 \r\nall\r\n1\r\n") != std::string::npos);
        Form1& b = bad.startWith(writeAlbum(bad, numbered(2)), {{15, " 255 "}, {16, " big "}, {19, " 10 "}});
        QVERIFY(lookOf(b.fmTrackList->txtDetails).back == 255u && lookOf(b.fmTrackList->txtDetails).fontSize == 12.0);
        QVERIFY(lookOf(b.fmTrackList->lstTracks) == kTrackListLook);
    }

    void unwritableSettingsAreReportedAndLeaveTheOldFile()
    {
        FormFixture f;
        QDir().mkpath(QString::fromStdString(f.appFile("qvb.ini")));  // a folder where the file should be
        f.writeAppFile("qvb.ini/keep", "x");
        Form1& w = f.start();
        f.close();
        QVERIFY(!w.isVisible());
        QCOMPARE(f.readAppFile("qvb.ini/keep"), "x");
        QCOMPARE(f.messages.shown.size(), 1);
        const ShownMessage& shown = f.messages.shown.first();
        QCOMPARE(shown.title, QStringLiteral("Settings not saved"));
        QCOMPARE(shown.prompt, "The settings could not be saved to\r" + QString::fromStdString(f.appFile("qvb.ini"))
                                   + "\r\rReason: not a regular file.\r\rThe settings file was left as it was.");
        QVERIFY(shown.icon == MsgIcon::Exclamation && shown.buttons == MsgButtons::Ok);
    }

    // Anything but a regular file reads as missing, at once, and no file is read without bound.
    void specialFilesReadAsMissing_data()
    {
        const auto row = columns<QString, int, QString>({"what", "tracks", "details"});
        row("settings a link to /dev/zero", "settings zero", 1, kNoAlbum);
        row("album a FIFO", "album fifo", 1, kNoAlbum);
        row("album a folder", "album folder", 1, kNoAlbum);
        row("notes a FIFO", "notes fifo", 3, "Details not available");
        row("settings past 64 KB: the cut line stops the reading", "settings long", 3, "Notes of Track 1");
    }
    void specialFilesReadAsMissing()
    {
        auto [what] = fetch<QString>({"what"});
        FormFixture f;
        std::string albumPath = writeAlbum(f, numbered(3));
        const QByteArray notes = QFile::encodeName(QString::fromStdString(f.album.filePath("f1/details.qvt")));
        if (what.startsWith("notes")) QVERIFY(QFile::remove(notes));
        if (what == "notes fifo") QVERIFY(::mkfifo(notes.constData(), 0600) == 0);
        if (what == "album fifo") QVERIFY(::mkfifo((albumPath = f.album.filePath("fifo.qdb")).c_str(), 0600) == 0);
        if (what == "album folder")
            QVERIFY(QDir().mkpath(QString::fromStdString(albumPath = f.album.filePath("dir.qdb"))));
        // A long playlist name, kept only in "settings long".
        f.writeSettings(albumPath, {{4, "Playlist FN=" + std::string(64 * 1024, 'p')}, {12, "Index=2"}},
                        what == "settings long" ? 24 : 3);
        const QString ini = QString::fromStdString(f.appFile("qvb.ini"));
        if (what == "settings zero") QVERIFY(QFile::remove(ini) && QFile::link("/dev/zero", ini));
        Form1& w = f.start();
        QTEST(w.fmTrackList->lstTracks->listCount(), "tracks");
        QTEST(w.fmTrackList->txtDetails->toPlainText(), "details");
    }

    // Left presses on the background and the player picture move the window, others do not;
    // the minimize button minimizes it with the playing title as its caption.
    void theWindowMovesAndMinimizes()
    {
        FormFixture f;
        Form1& w = f.start();
        QTest::mouseClick(&w, Qt::RightButton, {}, QPoint(2, 2));
        QTest::mouseClick(w.picTimer, Qt::LeftButton, {}, QPoint(2, 2));
        QCOMPARE(f.windows.drags, 0);
        QTest::mouseClick(&w, Qt::LeftButton, {}, QPoint(2, 2));
        QTest::mouseClick(w.findChild<QWidget*>("Picture2"), Qt::LeftButton, {}, QPoint(2, 2));
        QCOMPARE(f.windows.drags, 2);
        w.lblTitle->setText("Express");
        w.btnMin->click();
        QVERIFY(f.windows.minimized);
        QCOMPARE(w.windowTitle(), QStringLiteral("Velloran Jukebox Playing:Express"));
    }
};

QTEST_MAIN(WindowTest)
#include "app_window_test.moc"
