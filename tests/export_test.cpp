// Exporting the playlist: the names and the index, the messages, and whole exports
// into temporary folders through the frame and its copying thread.
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTreeView>
#include <cerrno>
#include <unistd.h>

#include "support/table.h"
#include "export/export_frame.h"
#include "logic/export_files.h"
#include "logic/export_run.h"
#include "support/playback_fixture.h"

namespace {

// One entry of details.txt as the format gives it, written without the code under test.
QByteArray entry(int n, int track, bool notes)
{
    const QByteArray name = QByteArray("000") + QByteArray::number(n) + "_f1_t" + QByteArray::number(track) + ".mp3";
    const QByteArray line = name + "  Track " + QByteArray::number(track) + " - 5th May 1975 (03:41)\r\n";
    return notes ? line + "Notes of Track " + QByteArray::number(track) + "\r\n\r\n" : line;
}

// playlist.m3u8 listing the copies of the tracks given, in order, as the format gives it.
QByteArray listing(const QList<int>& tracks)
{
    QByteArray out = "#EXTM3U\n";
    for (int n = 1; n <= tracks.size(); ++n) {
        const QByteArray t = QByteArray::number(tracks[n - 1]);
        out += "#EXTINF:221,Track " + t + "\n000" + QByteArray::number(n) + "_f1_t" + t + ".mp3\n";
    }
    return out;
}

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
}

// One whole export, as the columns of its table: the playlist's records, album files removed first, the
// export folder's files before (none: no folder; "0555": read-only; "gone": no parent) and what the user
// answers, then the boxes shown, the folder's files after ("-": no folder), details.txt, playlist.m3u8
// and whether the frame is still shown.
struct ExportCase {
    QList<int> playlist;
    QStringList removed;
    bool notes;
    QStringList existing;
    QString name;
    QList<MsgAnswer> answers;
    QStringList titles;
    QStringList after;
    QByteArray details;
    QByteArray m3u;
    bool shown;
};
#define EXPORT_COLUMNS                                                                                                 \
    QList<int>, QStringList, bool, QStringList, QString, QList<MsgAnswer>, QStringList, QStringList, QByteArray,       \
        QByteArray, bool
const std::array<const char*, 11> kExportColumns{"playlist", "removed", "notes",   "existing", "name", "answers",
                                                 "titles",   "after",   "details", "m3u",      "shown"};

}  // namespace

Q_DECLARE_METATYPE(MsgAnswer)

class ExportTest : public QObject {
    Q_OBJECT
    QTemporaryDir home_;

private slots:
    void initTestCase() { qputenv("HOME", home_.path().toLocal8Bit()); }

    void names_data()
    {
        const auto row = columns<int, QByteArray, QByteArray, QByteArray>({"n", "folder", "mp3", "name"});
        row("first", 1, "steam     ", "  a1 ", "0001_steam_a1.mp3");
        row("separators made _", 7, "../up", "a\\b", "0007_.._up_a_b.mp3");
    }
    void names()
    {
        auto [n, folder, mp3] = fetch<int, QByteArray, QByteArray>({"n", "folder", "mp3"});
        const TrackRecord rec = fixture::makeTrack("T", "01011970", "01:00", 0, mp3.toStdString(), folder.toStdString());
        QTEST(QByteArray::fromStdString(exportedFileName(size_t(n), rec)), "name");
    }

    void exportName_data()
    {
        const auto row = columns<QByteArray, int, QByteArray>({"typed", "check", "name"});
        row("trimmed", "  Trip 2 ", int(NameCheck::Ok), "Trip 2");
        row("blanks", "   ", int(NameCheck::Empty), "");
        row("slash", "a/b", int(NameCheck::Separator), "a/b");
        row("dot dot", " .. ", int(NameCheck::DotName), "..");
    }
    void exportName()
    {
        QFETCH(QByteArray, typed);
        const ExportName name = checkExportName(typed.toStdString());
        QTEST(int(name.check), "check");
        QTEST(QByteArray::fromStdString(name.name), "name");
        if (name.check == NameCheck::Separator)  // the message names the character
            QVERIFY(exportNameMessage(name).prompt.starts_with(
                std::string("The Export name cannot hold the character \"") + name.separator));
    }

    // The system's failures as the user is told of them.
    void failures_data()
    {
        // prompt: its start
        const auto row = columns<int, bool, QByteArray, QByteArray, bool>({"err", "reading", "title", "prompt", "hides"});
        row("refused source", EACCES, true, "File Error", "A file error has occured.\rPlease check", true);
        row("no medium", ENOMEDIUM, false, "Disk Error", "Error copying file.No disk in drive", false);
        row("read-only folder", EROFS, false, "Error", "Unable to write to selected folder.\rHave you", false);
        row("missing parent", ENOENT, false, "Error", "Path for Export not found.\rChoose another folder for export",
            false);
        row("folder in the way", EISDIR, false, "Unexpected Error", "Error:75 Is a directory\rSorry, an unexpected",
            true);
        row("disk full", ENOSPC, false, "Unexpected Error", "Error:61 No space left on device\rSorry, an unexpected",
            true);
    }
    void failures()
    {
        auto [err, reading] = fetch<int, bool>({"err", "reading"});
        OsFailure failure = osFailure(err);
        if (!reading && err == ENOENT) failure.kind = FileError::PathNotFound;  // as a folder that cannot be created
        const ExportMessage message = exportFailureMessage(failure, reading, "/music/f1");
        QTEST(QByteArray::fromStdString(message.title), "title");
        QFETCH(QByteArray, prompt);
        QVERIFY2(message.prompt.starts_with(prompt.toStdString()), message.prompt.c_str());
        QTEST(message.hidesFrame, "hides");
        QCOMPARE(message.prompt.ends_with("/music/f1"), message.title == "File Error");
    }

    // Whole exports of an album of three tracks (t1..t3 in f1, notes "Notes of Track n").
    void exporting_data()
    {
        const auto row = columns<EXPORT_COLUMNS>(kExportColumns);
        const QStringList three{"0001_f1_t1.mp3", "0002_f1_t2.mp3", "0003_f1_t3.mp3", "details.txt", "playlist.m3u8"};
        const QStringList old{"a.mp3", "B.MP3", "c.mp\x13", "details.txt",
                              "notes.doc"};  // "\x13" is "3" without its 0x20 bit
        const QList<MsgAnswer> yesOk{MsgAnswer::Yes, MsgAnswer::Ok};
        const QStringList yesOkTitles{"Export error", "Ok to Delete?"}, none{"-"},
            one{"0001_f1_t1.mp3", "details.txt", "playlist.m3u8"};
        const QByteArray all = entry(1, 1, true) + entry(2, 2, true) + entry(3, 3, true), no = "<missing>";
        row("three with notes", {1, 2, 3}, {}, true, {}, "Trip", {}, {}, three, all, listing({1, 2, 3}), false);
        row("same track twice", {2, 2}, {}, false, {}, "Trip", {}, {},
            {"0001_f1_t2.mp3", "0002_f1_t2.mp3", "details.txt", "playlist.m3u8"},
            entry(1, 2, false) + entry(2, 2, false), listing({2, 2}), false);
        row("blank name after source check", {1}, {}, true, {}, "  ", {}, {"No Export name"}, none, no, no, true);
        row("first missing before the name", {1, 2}, {"f1/t1.mp3"}, true, {}, "  ", {}, {"File Error"}, none, no, no,
            false);
        // An export killed mid-copy left part files, which the next export into that folder removes; the
        // playlist of an earlier export is replaced.
        const QStringList parts{"0001_f1_t1.mp3.tmp<dead>-2", "details.txt.tmp<dead>-1"};
        row("existing: Yes, OK", {1, 2, 3}, {}, true, old + parts + QStringList{"playlist.m3u8"}, "Trip", yesOk,
            yesOkTitles, three.mid(0, 3) + QStringList{"c.mp\x13", "details.txt", "notes.doc", "playlist.m3u8"}, all,
            listing({1, 2, 3}), false);
        row("existing: No", {1}, {}, true, old, "Trip", {MsgAnswer::No}, {"Export error"}, old, "old", no, true);
        row("existing: Yes, Cancel", {1}, {}, true, old, "Trip", {MsgAnswer::Yes, MsgAnswer::Cancel}, yesOkTitles, old,
            "old", no, true);
        row("later file missing", {1, 2, 3}, {"f1/t2.mp3"}, true, {}, "Trip", {}, {"File Error"}, one,
            entry(1, 1, true) + entry(2, 2, true), listing({1}), false);
        row("no notes file, notes unchecked", {1}, {"f1/details.qvt"}, false, {}, "Trip", {}, {}, one,
            entry(1, 1, false), listing({1}), false);
        row("no notes file, notes checked", {1}, {"f1/details.qvt"}, true, {}, "Trip", {}, {"File Error"},
            {"details.txt", "playlist.m3u8"}, entry(1, 1, false), listing({}), false);
        row("a folder in the way of a copy", {1}, {}, false, {"0001_f1_t1.mp3/"}, "Trip", yesOk,
            yesOkTitles + QStringList{"Unexpected Error"}, one, entry(1, 1, false), listing({}), false);
        row("read-only folder", {1}, {}, false, {"a.mp3", "0555"}, "Trip", yesOk, yesOkTitles + QStringList{"Error"},
            {"a.mp3"}, no, no, true);
        row("missing parent", {1}, {}, false, {"gone"}, "Trip", {}, {"Error"}, none, no, no, true);
    }
    void exporting()
    {
        const auto e = std::make_from_tuple<ExportCase>(fetch<EXPORT_COLUMNS>(kExportColumns));
        FormFixture f;
        const std::string album = writeAlbum(f, numbered(3));
        for (int t = 1; t <= 3; ++t)
            f.album.writeFile("f1/t" + std::to_string(t) + ".mp3", "mp3 of t" + std::to_string(t));
        for (const QString& file : e.removed)
            QFile::remove(QString::fromStdString(f.album.filePath(file.toStdString())));
        QByteArray entries;
        for (int r : e.playlist)
            entries += QByteArray::fromStdString(album) + "\r\n " + QByteArray::number(r) + " \r\n";
        f.writeAppFile("temp.$$$", entries.toStdString());
        Form1& w = f.startWith(album, {});
        w.lblTabPlaylist_Click();
        f.messages.answers = e.answers;

        QTemporaryDir out(home_.path() + "/out-XXXXXX");
        const QString folder = out.path() + "/Trip";
        ExportFrame* frame = w.fmExport;
        frame->dirExport->setCurrentIndex(frame->dirModel->index(out.path()));
        QStringList existing = e.existing;
        const bool readOnly = existing.removeAll("0555") > 0;
        if (readOnly && geteuid() == 0) QSKIP("a read-only folder does not stop root");
        if (existing.removeAll("gone") > 0) QVERIFY(out.remove());
        else if (!existing.isEmpty()) QDir().mkdir(folder);
        for (const QString& file : existing) {
            if (file.endsWith('/')) QDir().mkdir(folder + "/" + file);
            else
                writeBytes(folder + "/" + QString(file).replace("<dead>", QString::number(fixture::deadProcessId())),
                           "old");
        }
        if (readOnly) QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);

        frame->txtExportName->setText(e.name);
        frame->chkDetails->setChecked(e.notes);
        frame->btnExport->click();
        QSignalSpy ended(frame, &ExportFrame::exportEnded);
        frame->btnOk->click();
        if (frame->isExporting()) QVERIFY(ended.wait());
        if (readOnly) QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

        QStringList titles;
        for (const ShownMessage& shown : f.messages.shown) titles << shown.title;
        QCOMPARE(titles, e.titles);
        QCOMPARE(QFileInfo::exists(folder)
                     ? QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden)
                     : QStringList{"-"},
                 e.after);
        QCOMPARE(bytes(fixture::readFile((folder + "/details.txt").toStdString())), e.details);
        QCOMPARE(bytes(fixture::readFile((folder + "/playlist.m3u8").toStdString())), e.m3u);
        QCOMPARE(frame->isVisible(), e.shown);
        if (e.after.startsWith("0001_f1_t1.mp3") && !existing.contains("0001_f1_t1.mp3/"))
            QCOMPARE(bytes(fixture::readFile((folder + "/0001_f1_t1.mp3").toStdString())), QByteArray("mp3 of t1"));
    }

    void emptyPlaylistHasNothingToDo()
    {
        FormFixture f;
        Form1& w = f.startWith(writeAlbum(f, numbered(1)), {});
        w.lblTabPlaylist_Click();
        w.fmExport->btnExport->click();
        QCOMPARE(f.messages.shown.size(), 1);
        QCOMPARE(f.messages.shown[0].prompt, QStringLiteral("The Playlist is empty!\rNothing to Export."));
        QCOMPARE(f.messages.shown[0].title, QStringLiteral("Nothing to do"));
        QVERIFY(!w.fmExport->isVisible());
    }

    // Emptying the folder of the playlist's own MP3 files is refused before any question.
    void sourceFolderIsNeverEmptied()
    {
        FormFixture f;
        const std::string album = writeAlbum(f, numbered(1));
        const QString mp3 = QString::fromStdString(f.album.writeFile("f1/t1.mp3", "mp3"));
        f.writeAppFile("temp.$$$", album + "\r\n 1 \r\n");
        Form1& w = f.startWith(album, {});
        w.lblTabPlaylist_Click();
        w.fmExport->dirExport->setCurrentIndex(w.fmExport->dirModel->index(QString::fromStdString(f.album.folder())));
        w.fmExport->txtExportName->setText("f1");
        w.fmExport->btnOk->click();
        QCOMPARE(f.messages.shown.size(), 1);
        QCOMPARE(f.messages.shown[0].title, QStringLiteral("Export error"));
        QVERIFY(QFile::exists(mp3));
    }

    // A place that cannot be read leaves the tree as it was and says so.
    void unreadablePlace()
    {
        FormFixture f;
        Form1& w = f.startWith(writeAlbum(f, numbered(1)), {});
        ExportFrame* frame = w.fmExport;
        const QString root = frame->dirModel->rootPath();
        frame->drvExport->addItem("gone", home_.path() + "/no such place");
        frame->drvExport->setCurrentIndex(frame->drvExport->count() - 1);
        frame->drvExport_Change(frame->drvExport->count() - 1);
        QCOMPARE(f.messages.shown.size(), 1);
        QCOMPARE(frame->drvExport->currentIndex(), 0);
        QCOMPARE(frame->dirModel->rootPath(), root);
    }

    // A playlist made on another system names a folder that is not here: the loaded album's is used.
    void sourceFromTheLoadedAlbum()
    {
        QTemporaryDir album, out;
        const std::string here = album.path().toStdString() + "/";
        QVERIFY(QDir().mkdir(album.path() + "/f1"));
        writeBytes(album.path() + "/f1/t1.mp3", "abc");
        AlbumFile file;
        QVERIFY(file.open(
            fixture::AlbumDir().writeAlbum("a.qdb", {fixture::makeTrack("T", "01011970", "01:00", 0, "t1", "f1")})));
        ExportPlan plan = planExport("C:\\Trains\\a.qdb\r\n 1 \r\n", file, here, out.path().toStdString(), false);
        QCOMPARE(QString::fromStdString(plan.items.at(0).source), album.path() + "/f1/t1.mp3");
        // A cancel asked for during the first entry stops the export after it.
        plan.items.push_back(plan.items[0]);
        plan.items[1].fileName = "0002_f1_t1.mp3";
        std::string index;
        const ExportOutcome outcome = runExport(plan,
                                                [&](std::string_view s) {
                                                    index += s;
                                                    return OsFailure{};
                                                },
                                                {nullptr, [] { return true; }});
        QVERIFY(outcome.cancelled && !outcome.failure.failed());
        QCOMPARE(QDir(out.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"0001_f1_t1.mp3"});
    }
};

QTEST_MAIN(ExportTest)
#include "export_test.moc"
