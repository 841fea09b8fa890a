// The command line and one running Quillon per program folder.
#include <QtTest>
#include <csignal>
#include <sys/stat.h>

#include "app/command_line.h"
#include "app/single_instance.h"
#include "platform/file_ops.h"
#include "support/playback_fixture.h"
#include "support/table.h"

namespace {

struct Run {
    int code = -1;
    QString out, err;
};

QString copyProgram(const QString& folder)
{
    QFile::copy(QStringLiteral(QUILLON_EXECUTABLE), folder + QStringLiteral("/quillon"));
    return folder + QStringLiteral("/quillon");
}

Run run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(20000)) return {};
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromLocal8Bit(process.readAllStandardOutput()),
            QString::fromLocal8Bit(process.readAllStandardError())};
}

}  // namespace

class AppInstanceTest : public QObject {
    Q_OBJECT
private slots:
    // The real program, copied into a folder of its own, which it must leave as it was.
    void commandLineEndsAtOnce_data()
    {
        const auto row = columns<QStringList, int, QString, QString>({"arguments", "code", "out", "err"});
        row("version", {"--version"}, 0, "Quillon " QUILLON_VERSION "\n", "");
        row("help", {"--help"}, 0, "--version", "");
        row("missing album", {"/no/such/album.qdb"}, 2, "", "\"/no/such/album.qdb\": no such file");
        row("a pipe", {"PIPE"}, 2, "", "not a regular file");
        row("two albums", {"a", "b"}, 2, "", "at most one album");
        row("qt's own options", {"-style", "fusion", "-reverse", "--version"}, 0, "Quillon", "");
        row("unknown option", {"--bogus"}, 2, "", "bogus");
        row("a line break in the album's path", {"ELSEWHERE/a\nb.qdb"}, 2, "", "its path holds a line break");
        row("a folder in the lock's place, nobody answering", {"LOCK"}, 1, "",
            "quillon.lock is not a lock file of Quillon's; remove it");
    }
    void commandLineEndsAtOnce()
    {
        auto [arguments, out, err] = fetch<QStringList, QString, QString>({"arguments", "out", "err"});
        QTemporaryDir folder, elsewhere;
        const QString pipe = elsewhere.filePath("pipe.qdb");
        QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
        const QString program = copyProgram(folder.path());
        if (arguments.removeAll("LOCK")) QVERIFY(QDir(folder.path()).mkdir("quillon.lock"));
        arguments.replaceInStrings(QStringLiteral("PIPE"), pipe)
            .replaceInStrings(QStringLiteral("ELSEWHERE"), elsewhere.path());
        for (const QString& album : arguments.filter(QStringLiteral("\n")))
            QVERIFY(QFile(album).open(QIODevice::WriteOnly));
        const QStringList before = QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
        const Run ran = run(program, arguments);
        QTEST(ran.code, "code");
        QVERIFY2(out.isEmpty() ? ran.out.isEmpty() : ran.out.contains(out), qPrintable(ran.out));
        QVERIFY2(err.isEmpty() ? ran.err.isEmpty() : ran.err.contains(err), qPrintable(ran.err));
        QCOMPARE(QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), before);
    }

    // An album handed over by a later start: a different one empties the playlist made with the
    // loaded one; the same one keeps it, and so does one whose path no line-based file could keep.
    void handedOverAlbum_data()
    {
        const auto row = columns<QString>({"given"});
        row("the loaded album", "link");
        row("another album", "copy");
        row("a line break in the path", "copy\n");
    }
    void handedOverAlbum()
    {
        QFETCH(QString, given);
        FormFixture f;
        const QString loaded = QString::fromStdString(writeAlbum(f, numbered(2)));
        f.writeAppFile("temp.$$$", " 2 \r\n");
        Form1& w = f.start();
        const QString other = QString::fromStdString(f.album.folder()) + given + ".qdb";
        // The same file by another name is the loaded album; a copy is another one.
        QVERIFY(given == "link" ? QFile::link(loaded, other) : QFile::copy(loaded, other));
        takeHandedOver(w, other);
        const bool opened = given == "copy";
        QCOMPARE(QString::fromStdString(w.m.AlbumPath), opened ? other : loaded);
        QCOMPARE(f.readAppFile("temp.$$$").empty(), opened);
        QCOMPARE(f.messages.shown.size(), given.contains('\n') ? 1 : 0);
    }

    // A second lock on a held folder fails; what is left of one that nobody holds is taken over.
    void aLockIsTakenOverWhenNothingHoldsIt_data()
    {
        // left: "ENDED" is the lock of a program that crashed;
        // listening: a Quillon answers on the folder's socket, so the lock is held
        const auto row = columns<QByteArray, bool>({"left", "listening"});
        row("of a program that has ended", "ENDED", false);
        row("left empty", "", false);
        row("left empty, a Quillon answers", "", true);
    }
    void aLockIsTakenOverWhenNothingHoldsIt()
    {
        auto [left, listening] = fetch<QByteArray, bool>({"left", "listening"});
        QTemporaryDir folder;
        QByteArray held;
        {
            InstanceLock first(folder.path()), second(folder.path());
            QVERIFY(first.tryLock());
            QVERIFY(!second.tryLock() && second.heldElsewhere());
            QFile file(folder.filePath("quillon.lock"));
            QVERIFY(file.open(QIODevice::ReadOnly));
            held = file.readAll();
        }
        // A process number above any the system hands out: that program has ended.
        if (left == "ENDED") left = held.replace(0, held.indexOf('\n'), "2147483646");
        QVERIFY(writeFileAtomic(folder.filePath("quillon.lock").toStdString(), left.toStdString()) == FileError::None);
        InstanceServer running(folder.path());
        if (listening) QVERIFY(running.listen());
        InstanceLock after(folder.path());
        QCOMPARE(after.tryLock(), !listening);
        QCOMPARE(after.heldElsewhere(), listening);
    }

    // Two starts of the real program on one folder: the second leaves its album to the first.
    void aSecondStartHandsOverAndEnds()
    {
        QTemporaryDir folder;
        fixture::AlbumDir albums;
        const QString album = QString::fromStdString(
            albums.writeAlbum("other ä.qdb", {fixture::makeTrack("Up goods")}));
        const QString program = copyProgram(folder.path());
        QProcess first;
        first.start(program, {});
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(folder.filePath("quillon.lock")), 20000);
        const Run second = run(program, {album});
        QCOMPARE(second.code, 0);
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(folder.filePath("temp.$$$")), 20000);  // the playlist emptied
        ::kill(pid_t(first.processId()), SIGTERM);
        QVERIFY(first.waitForFinished(20000));
        QFile settings(folder.filePath("qvb.ini"));
        QVERIFY(settings.open(QIODevice::ReadOnly));
        QVERIFY(settings.readAll().contains("Data=" + QFile::encodeName(album)));
        QVERIFY(!QFile::exists(folder.filePath("quillon.lock")));
    }
};

QTEST_MAIN(AppInstanceTest)
#include "app_instance_test.moc"
