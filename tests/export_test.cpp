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

#include "export/export_frame.h"
#include "logic/export_files.h"
#include "logic/export_run.h"
#include "support/playback_fixture.h"

namespace {

// Answers the boxes in turn (OK when none is left) and keeps their titles.
class ScriptedMessages : public MessageBoxes {
public:
    MsgAnswer show(const QString&, const QString& title, MsgIcon, MsgButtons) override
    {
        titles.append(title);
        return answers.isEmpty() ? MsgAnswer::Ok : answers.takeFirst();
    }
    QList<MsgAnswer> answers;
    QStringList titles;
};

// One entry of details.txt as the format gives it, written without the code under test.
QByteArray entry(int n, int track, bool notes)
{
    const QByteArray name = QByteArray("000") + QByteArray::number(n) + "_f1_t" + QByteArray::number(track) + ".mp3";
    const QByteArray line = name + "  Track " + QByteArray::number(track) + " - 5th May 1975 (03:41)\r\n";
    return notes ? line + "Notes of Track " + QByteArray::number(track) + "\r\n\r\n" : line;
}

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
}

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(none)");
}

// One whole export: the playlist's records, album files removed first, the export folder's files
// before (none: no folder; "0555": read-only; "gone": no parent) and what the user answers, then
// the boxes shown, the folder's files after ("-": no folder), details.txt, the playlist lines
// selected in turn, and whether the frame is still shown.
struct ExportCase {
    QList<int> playlist{};
    QStringList removed{};
    bool notes = true;
    QStringList existing{};
    QString name = "Trip";
    QList<MsgAnswer> answers{};
    QStringList titles{};
    QStringList after{"-"};
    QByteArray details = "(none)";
    QList<int> selected{};
    bool shown = false;
};

}  // namespace

Q_DECLARE_METATYPE(ExportCase)

class ExportTest : public QObject {
    Q_OBJECT
    QTemporaryDir home_;

private slots:
    void initTestCase() { qputenv("HOME", home_.path().toLocal8Bit()); }

    void names_data()
    {
        QTest::addColumn<int>("n");
        QTest::addColumn<QByteArray>("folder");
        QTest::addColumn<QByteArray>("mp3");
        QTest::addColumn<QByteArray>("name");
        QTest::newRow("first") << 1 << QByteArray("steam     ") << QByteArray("  a1 ") << QByteArray("0001_steam_a1.mp3");
        QTest::newRow("five digits in full") << 12345 << QByteArray("s") << QByteArray("b") << QByteArray("12345_s_b.mp3");
        QTest::newRow("separators made _") << 7 << QByteArray("../up") << QByteArray("a\\b") << QByteArray("0007_.._up_a_b.mp3");
        QTest::newRow("NUL made _") << 8 << QByteArray("f\0x", 3) << QByteArray("\0b", 2) << QByteArray("0008_f_x__b.mp3");
    }
    void names()
    {
        QFETCH(int, n);
        QFETCH(QByteArray, folder);
        QFETCH(QByteArray, mp3);
        const TrackRecord rec = fixture::makeTrack("T", "01011970", "01:00", 0, mp3.toStdString(), folder.toStdString());
        QTEST(QByteArray::fromStdString(exportedFileName(size_t(n), rec)), "name");
    }

    void exportName_data()
    {
        QTest::addColumn<QByteArray>("typed");
        QTest::addColumn<int>("check");
        QTest::addColumn<QByteArray>("name");
        QTest::newRow("trimmed") << QByteArray("  Trip 2 ") << int(NameCheck::Ok) << QByteArray("Trip 2");
        QTest::newRow("blanks") << QByteArray("   ") << int(NameCheck::Empty) << QByteArray("");
        QTest::newRow("slash") << QByteArray("a/b") << int(NameCheck::Separator) << QByteArray("a/b");
        QTest::newRow("backslash") << QByteArray("a\\b") << int(NameCheck::Separator) << QByteArray("a\\b");
        QTest::newRow("NUL") << QByteArray("a\0b", 3) << int(NameCheck::Separator) << QByteArray("a\0b", 3);
        QTest::newRow("dot dot") << QByteArray(" .. ") << int(NameCheck::DotName) << QByteArray("..");
        QTest::newRow("three dots") << QByteArray("...") << int(NameCheck::Ok) << QByteArray("...");
    }
    void exportName()
    {
        QFETCH(QByteArray, typed);
        const ExportName name = checkExportName(typed.toStdString());
        QTEST(int(name.check), "check");
        QTEST(QByteArray::fromStdString(name.name), "name");
        if (name.check == NameCheck::Separator)  // the message names the character
            QVERIFY(exportNameMessage(name).prompt.starts_with(std::string("The Export name cannot hold the character \"") + name.separator));
    }

    // The system's failures as the user is told of them.
    void failures_data()
    {
        QTest::addColumn<int>("err");
        QTest::addColumn<bool>("reading");
        QTest::addColumn<QByteArray>("title");
        QTest::addColumn<QByteArray>("prompt");  // its start
        QTest::addColumn<bool>("hides");
        QTest::newRow("refused source") << EACCES << true << QByteArray("File Error")
                                        << QByteArray("A file error has occured.\rPlease check") << true;
        QTest::newRow("no medium") << ENOMEDIUM << false << QByteArray("Disk Error")
                                   << QByteArray("Error copying file.No disk in drive") << false;
        QTest::newRow("read-only folder") << EROFS << false << QByteArray("Error")
                                          << QByteArray("Unable to write to selected folder.\rHave you") << false;
        QTest::newRow("missing parent") << ENOENT << false << QByteArray("Error")
                                        << QByteArray("Path for Export not found.\rChoose another folder for export") << false;
        QTest::newRow("folder in the way") << EISDIR << false << QByteArray("Unexpected Error")
                                           << QByteArray("Error:75 Is a directory\rSorry, an unexpected") << true;
        QTest::newRow("disk full") << ENOSPC << false << QByteArray("Unexpected Error")
                                   << QByteArray("Error:61 No space left on device\rSorry, an unexpected") << true;
    }
    void failures()
    {
        QFETCH(int, err);
        QFETCH(bool, reading);
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
        QTest::addColumn<ExportCase>("e");
        const QStringList three{"0001_f1_t1.mp3", "0002_f1_t2.mp3", "0003_f1_t3.mp3", "details.txt"};
        const QStringList old{"a.mp3", "B.MP3", "c.mp\x13", "details.txt", "notes.doc"};  // "\x13" is "3" without its 0x20 bit
        const QList<MsgAnswer> yesOk{MsgAnswer::Yes, MsgAnswer::Ok};
        const QStringList yesOkTitles{"Export error", "Ok to Delete?"};
        const QByteArray all = entry(1, 1, true) + entry(2, 2, true) + entry(3, 3, true);
        QTest::newRow("three with notes") << ExportCase{.playlist = {1, 2, 3}, .after = three, .details = all, .selected = {0, 1, 2, 0}};
        QTest::newRow("same track twice") << ExportCase{.playlist = {2, 2}, .notes = false,
            .after = {"0001_f1_t2.mp3", "0002_f1_t2.mp3", "details.txt"}, .details = entry(1, 2, false) + entry(2, 2, false), .selected = {0, 1, 0}};
        QTest::newRow("blank name after source check") << ExportCase{.playlist = {1}, .name = "  ", .titles = {"No Export name"}, .shown = true};
        QTest::newRow("first missing before the name")
            << ExportCase{.playlist = {1, 2}, .removed = {"f1/t1.mp3"}, .name = "  ", .titles = {"File Error"}, .selected = {0}};
        QTest::newRow("name with slash") << ExportCase{.playlist = {1}, .name = "a/b", .titles = {"No Export name"}, .shown = true};
        // An export killed mid-copy left part files, which the next export into that folder removes.
        const QStringList parts{"0001_f1_t1.mp3.tmp<dead>-2", "details.txt.tmp<dead>-1"};
        QTest::newRow("existing: Yes, OK") << ExportCase{.playlist = {1, 2, 3}, .existing = old + parts, .answers = yesOk, .titles = yesOkTitles,
                                                         .after = three.mid(0, 3) + QStringList{"c.mp\x13", "details.txt", "notes.doc"}, .details = all, .selected = {0, 1, 2, 0}};
        QTest::newRow("existing: No") << ExportCase{.playlist = {1}, .existing = old, .answers = {MsgAnswer::No}, .titles = {"Export error"},
                                                    .after = old, .details = "old", .shown = true};
        QTest::newRow("existing: Yes, Cancel") << ExportCase{.playlist = {1}, .existing = old, .answers = {MsgAnswer::Yes, MsgAnswer::Cancel},
                                                             .titles = yesOkTitles, .after = old, .details = "old", .shown = true};
        QTest::newRow("later file missing") << ExportCase{.playlist = {1, 2, 3}, .removed = {"f1/t2.mp3"}, .titles = {"File Error"},
            .after = {"0001_f1_t1.mp3", "details.txt"}, .details = entry(1, 1, true) + entry(2, 2, true), .selected = {0, 1, 0}};
        QTest::newRow("no notes file, notes unchecked") << ExportCase{.playlist = {1}, .removed = {"f1/details.qvt"}, .notes = false,
            .after = {"0001_f1_t1.mp3", "details.txt"}, .details = entry(1, 1, false), .selected = {0, 0}};
        QTest::newRow("no notes file, notes checked") << ExportCase{.playlist = {1}, .removed = {"f1/details.qvt"}, .titles = {"File Error"},
            .after = {"details.txt"}, .details = entry(1, 1, false), .selected = {0, 0}};
        QTest::newRow("a folder in the way of a copy") << ExportCase{.playlist = {1}, .notes = false, .existing = {"0001_f1_t1.mp3/"},
            .answers = yesOk, .titles = yesOkTitles + QStringList{"Unexpected Error"}, .after = {"0001_f1_t1.mp3", "details.txt"},
            .details = entry(1, 1, false), .selected = {0, 0}};
        QTest::newRow("read-only folder") << ExportCase{.playlist = {1}, .notes = false, .existing = {"a.mp3", "0555"}, .answers = yesOk,
                                                        .titles = yesOkTitles + QStringList{"Error"}, .after = {"a.mp3"}, .shown = true};
        QTest::newRow("missing parent") << ExportCase{.playlist = {1}, .notes = false, .existing = {"gone"}, .titles = {"Error"}, .shown = true};
    }
    void exporting()
    {
        QFETCH(ExportCase, e);
        FormFixture f;
        const std::string album = writeAlbum(f, numbered(3));
        for (int t = 1; t <= 3; ++t) f.album.writeFile("f1/t" + std::to_string(t) + ".mp3", "mp3 of t" + std::to_string(t));
        for (const QString& file : e.removed) QFile::remove(QString::fromStdString(f.album.filePath(file.toStdString())));
        QByteArray entries;
        for (int r : e.playlist) entries += QByteArray::fromStdString(album) + "\r\n " + QByteArray::number(r) + " \r\n";
        f.writeAppFile("temp.$$$", entries.toStdString());
        Form1& w = f.startWith(album, {});
        w.lblTabPlaylist_Click();
        ScriptedMessages messages;
        messages.answers = e.answers;
        w.os.messages = &messages;

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
            else writeBytes(folder + "/" + QString(file).replace("<dead>", QString::number(fixture::deadProcessId())), "old");
        }
        if (readOnly) QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);

        QList<int> selected{};
        connect(w.fmPlaylist->lstPlayList, &ListBox::click, this, [&] { selected.append(w.fmPlaylist->lstPlayList->listIndex()); });
        frame->txtExportName->setText(e.name);
        frame->chkDetails->setChecked(e.notes);
        frame->btnExport->click();
        QSignalSpy ended(frame, &ExportFrame::exportEnded);
        frame->btnOk->click();
        if (frame->isExporting()) QVERIFY(ended.wait());
        if (readOnly) QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

        QCOMPARE(messages.titles, e.titles);
        QCOMPARE(QFileInfo::exists(folder) ? QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden)
                                           : QStringList{"-"}, e.after);
        QCOMPARE(readAll(folder + "/details.txt"), e.details);
        QCOMPARE(selected, e.selected);
        QCOMPARE(frame->isVisible(), e.shown);
        if (e.after.startsWith("0001_f1_t1.mp3") && !existing.contains("0001_f1_t1.mp3/"))
            QCOMPARE(readAll(folder + "/0001_f1_t1.mp3"), QByteArray("mp3 of t1"));
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
        QVERIFY(!w.fmExport->isExporting());
    }

    // A place that cannot be read leaves the tree as it was and says so; Cancel closes the frame.
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
        frame->show();
        frame->btnCancel->click();
        QVERIFY(!frame->isVisible());
    }

    // A playlist made on another system names a folder that is not here: the loaded album's is used.
    void sourceFromTheLoadedAlbum()
    {
        QTemporaryDir album, out;
        const std::string here = album.path().toStdString() + "/";
        QVERIFY(QDir().mkdir(album.path() + "/f1"));
        writeBytes(album.path() + "/f1/t1.mp3", "abc");
        AlbumFile file;
        QVERIFY(file.open(fixture::AlbumDir().writeAlbum("a.qdb", {fixture::makeTrack("T", "01011970", "01:00", 0, "t1", "f1")})));
        ExportPlan plan = planExport("C:\\Trains\\a.qdb\r\n 1 \r\n", file, here, out.path().toStdString(), false);
        QCOMPARE(QString::fromStdString(plan.items.at(0).source), album.path() + "/f1/t1.mp3");
        // A cancel asked for during the first entry stops the export after it.
        plan.items.push_back(plan.items[0]);
        plan.items[1].fileName = "0002_f1_t1.mp3";
        std::string index;
        const ExportOutcome outcome = runExport(plan, [&](std::string_view s) { index += s; return OsFailure{}; },
                                                {nullptr, [] { return true; }});
        QVERIFY(outcome.cancelled && !outcome.failure.failed());
        QCOMPARE(QDir(out.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"0001_f1_t1.mp3"});
    }
};

QTEST_MAIN(ExportTest)
#include "export_test.moc"
