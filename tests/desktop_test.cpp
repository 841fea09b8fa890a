// The keyboard, the command line and one running Quillon per program folder.
#include <QtTest>
#include <QtWidgets>
#include <csignal>
#include <sys/stat.h>

#include "app/command_line.h"
#include "app/single_instance.h"
#include "form/widgets.h"
#include "platform/file_ops.h"
#include "shortcuts/key_actions.h"
#include "shortcuts/keyboard.h"
#include "support/playback_fixture.h"

namespace {

// Presses each key of a list like "Ctrl+F,M,Media Play" where the keyboard focus is.
void press(Form1& w, const QString& keys)
{
    for (const QString& name : keys.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QKeyCombination key = QKeySequence(name == QLatin1String("Comma") ? QStringLiteral(",") : name)[0];
        QWidget* to = w.focusWidget() ? w.focusWidget() : &w;
        // Keys without a character of their own, such as the media keys, carry no text.
        if (key.key() >= Qt::Key_Back)
            QTest::sendKeyEvent(QTest::Click, to, key.key(), QString(), key.keyboardModifiers());
        else QTest::keyClick(to, key.key(), key.keyboardModifiers());
        settle();
    }
}

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

class DesktopTest : public QObject {
    Q_OBJECT
private slots:
    void keyDecisions_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<bool>("typing");
        QTest::addColumn<bool>("mini");
        QTest::addColumn<int>("page");
        QTest::addColumn<bool>("repeat");
        QTest::addColumn<int>("action");
        const int none = Qt::NoModifier, ctrl = Qt::ControlModifier, track = int(ShownPage::TrackList);
        QTest::newRow("space held") << int(Qt::Key_Space) << none << false << false << track << true
                                    << int(KeyAction::None);
        QTest::newRow("shift plus") << int(Qt::Key_Plus) << int(Qt::ShiftModifier) << false << false << track << false
                                    << int(KeyAction::VolumeUp);
        QTest::newRow("keypad minus held") << int(Qt::Key_Minus) << int(Qt::KeypadModifier) << false << false << track
                                           << true << int(KeyAction::VolumeDown);
        QTest::newRow("enter, playlist") << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << false << false
                                         << int(ShownPage::Playlist) << false << int(KeyAction::PlaySelected);
        QTest::newRow("enter, search") << int(Qt::Key_Return) << none << false << false << int(ShownPage::Search)
                                       << false << int(KeyAction::None);
        QTest::newRow("enter, mini") << int(Qt::Key_Return) << none << false << true << track << false
                                     << int(KeyAction::None);
        QTest::newRow("ctrl+4 typed") << int(Qt::Key_4) << ctrl << true << false << track << false
                                      << int(KeyAction::ShowOptions);
        QTest::newRow("ctrl+shift+q") << int(Qt::Key_Q) << int(Qt::ControlModifier | Qt::ShiftModifier) << false
                                      << false << track << false << int(KeyAction::None);
        const int shiftCtrl = int(Qt::ControlModifier | Qt::ShiftModifier), list = int(ShownPage::Playlist);
        QTest::newRow("ctrl+z typed") << int(Qt::Key_Z) << ctrl << true << false << track << false
                                      << int(KeyAction::None);
        QTest::newRow("ctrl+shift+z") << int(Qt::Key_Z) << shiftCtrl << false << false << track << false
                                      << int(KeyAction::Redo);
        QTest::newRow("alt+up, playlist")
            << int(Qt::Key_Up) << int(Qt::AltModifier) << false << false << list << true << int(KeyAction::MoveUp);
        QTest::newRow("alt+down, track list")
            << int(Qt::Key_Down) << int(Qt::AltModifier) << false << false << track << false << int(KeyAction::None);
        QTest::newRow("media next typed")
            << int(Qt::Key_MediaNext) << none << true << false << track << false << int(KeyAction::MediaNext);
    }
    void keyDecisions()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(bool, typing);
        QFETCH(bool, mini);
        QFETCH(int, page);
        QFETCH(bool, repeat);
        QTEST(int(keyAction(key, Qt::KeyboardModifiers(modifiers), KeyContext{typing, mini, ShownPage(page), repeat})),
              "action");
    }

    // Keys pressed where the focus is, on a window with a three-track album.
    void keysRunTheHandlers_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("volume");
        QTest::addColumn<QString>("page");
        QTest::addColumn<int>("state");
        QTest::addColumn<bool>("mini");
        QTest::addColumn<QString>("searchText");
        const int stopped = MediaPlayer::Stopped, playing = MediaPlayer::Playing, paused = MediaPlayer::Paused;
        QTest::newRow("space while stopped") << "Space"
                                             << "10"
                                             << "fmTrackList" << stopped << false << "";
        QTest::newRow("space pauses") << "Return,Space"
                                      << "10"
                                      << "fmTrackList" << paused << false << "";
        QTest::newRow("volume steps") << "-,-,+"
                                      << "9"
                                      << "fmTrackList" << stopped << false << "";
        QTest::newRow("no step while muted") << "-,M,-"
                                             << "Mute"
                                             << "fmTrackList" << stopped << false << "";
        QTest::newRow("pages") << "Ctrl+2"
                               << "10"
                               << "fmPlaylist" << stopped << false << "";
        QTest::newRow("typing in the search box") << "Ctrl+F,M,Space,-,+"
                                                  << "10"
                                                  << "fmSearch" << stopped << false << "m -+";
        QTest::newRow("ctrl keys while typing") << "Ctrl+F,Ctrl+3,Ctrl+2"
                                                << "10"
                                                << "fmPlaylist" << stopped << false << "";
        QTest::newRow("media play") << "Media Play"
                                    << "10"
                                    << "fmTrackList" << playing << false << "";
        QTest::newRow("media toggle") << "Toggle Media Play/Pause,Toggle Media Play/Pause"
                                      << "10"
                                      << "fmTrackList" << paused << false << "";
        QTest::newRow("media stop") << "Media Play,Media Stop"
                                    << "10"
                                    << "fmTrackList" << stopped << false << "";
        QTest::newRow("mini player") << "Ctrl+M,-"
                                     << "9"
                                     << "" << stopped << true << "";
        QTest::newRow("mini player and back") << "Ctrl+M,Ctrl+M"
                                              << "10"
                                              << "fmTrackList" << stopped << false << "";
    }
    void keysRunTheHandlers()
    {
        QFETCH(QString, keys);
        FormFixture f;
        Form1& w = startOnAlbum(f, numbered(3));
        press(w, keys);
        QTEST(w.lblVolume->text(), "volume");
        const QList<QWidget*> pages{w.fmTrackList, w.fmPlaylist, w.fmSearch, w.fmOptions};
        const auto shown = std::find_if(pages.begin(), pages.end(), [](QWidget* p) { return !p->isHidden(); });
        QTEST(shown == pages.end() ? QString() : (*shown)->objectName(), "page");
        QTEST(f.player.playState(), "state");
        QTEST(!w.picMin->isHidden(), "mini");
        if (!w.picMin->isHidden()) QCOMPARE(w.lblMinVol->text(), w.lblVolume->text());
        QTEST(w.fmSearch->txtSearch->text(), "searchText");
    }

    // Which focused controls keep plain keys as text rather than shortcuts.
    void typedTextGoesToTheControl_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<bool>("typing");
        QTest::newRow("read-only line") << "read-only line" << false;
        QTest::newRow("folder tree") << "tree" << true;
        QTest::newRow("choice list") << "combo" << true;
        QTest::newRow("track list") << "list" << false;
        QTest::newRow("button") << "button" << false;
        QTest::newRow("no focus") << "" << false;
    }
    void typedTextGoesToTheControl()
    {
        QFETCH(QString, control);
        QLineEdit readOnly;
        readOnly.setReadOnly(true);
        QTreeView tree;
        QComboBox combo;
        ListBox list(nullptr, true);
        QPushButton button;
        const QMap<QString, QWidget*> controls{{"read-only line", &readOnly},
                                               {"tree", &tree},
                                               {"combo", &combo},
                                               {"list", &list},
                                               {"button", &button}};
        QTEST(takesTypedText(controls.value(control)), "typing");
    }

    // Enter plays the selected line, with the focus on the list; Ctrl+Q then quits as the close button does.
    void enterPlaysTheSelectedLineAndControlQQuits()
    {
        FormFixture f;
        Form1& w = startOnAlbum(f, numbered(3));
        QFile::remove(QString::fromStdString(f.appFile("qvb.ini")));
        w.fmTrackList->lstTracks->setListIndex(1);
        w.fmTrackList->lstTracks->setFocus();
        press(w, "Return");
        QCOMPARE(f.player.sourceFiles, QStringList{QString::fromStdString(f.album.folder()) + "f1/t2.mp3"});
        press(w, "Ctrl+Q");
        QVERIFY(!w.isVisible());
        QVERIFY(QFile::exists(QString::fromStdString(f.appFile("qvb.ini"))));
    }

    // The real program, copied into a folder of its own, which it must leave as it was.
    void commandLineEndsAtOnce_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("out");
        QTest::addColumn<QString>("err");
        QTest::newRow("version") << QStringList{"--version"} << 0 << "Quillon " QUILLON_VERSION "\n"
                                 << "";
        QTest::newRow("help") << QStringList{"--help"} << 0 << "--version"
                              << "";
        QTest::newRow("missing album") << QStringList{"/no/such/album.qdb"} << 2 << ""
                                       << "\"/no/such/album.qdb\": no such file";
        QTest::newRow("a pipe") << QStringList{"PIPE"} << 2 << ""
                                << "not a regular file";
        QTest::newRow("two albums") << QStringList{"a", "b"} << 2 << ""
                                    << "at most one album";
        QTest::newRow("qt's own options") << QStringList{"-style", "fusion", "-reverse", "--version"} << 0 << "Quillon"
                                          << "";
        QTest::newRow("unknown option") << QStringList{"--bogus"} << 2 << ""
                                        << "bogus";
        QTest::newRow("a line break in the album's path") << QStringList{"ELSEWHERE/a\nb.qdb"} << 2 << ""
                                                          << "its path holds a line break";
        QTest::newRow("a folder in the lock's place, nobody answering")
            << QStringList{"LOCK"} << 1 << ""
            << "quillon.lock is not a lock file of Quillon's; remove it";
    }
    void commandLineEndsAtOnce()
    {
        QFETCH(QStringList, arguments);
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
        QFETCH(QString, out);
        QFETCH(QString, err);
        QVERIFY2(out.isEmpty() ? ran.out.isEmpty() : ran.out.contains(out), qPrintable(ran.out));
        QVERIFY2(err.isEmpty() ? ran.err.isEmpty() : ran.err.contains(err), qPrintable(ran.err));
        QCOMPARE(QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), before);
    }

    // An album handed over by a later start: a different one empties the playlist made with the
    // loaded one; the same one keeps it, and so does one whose path no line-based file could keep.
    void handedOverAlbum_data()
    {
        QTest::addColumn<QString>("given");
        QTest::newRow("the loaded album") << "link";
        QTest::newRow("another album") << "copy";
        QTest::newRow("a line break in the path") << "copy\n";
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
        QTest::addColumn<QByteArray>("left");  // "ENDED": the lock of a program that crashed
        QTest::addColumn<bool>("listening");   // a Quillon answers on the folder's socket, so the lock is held
        QTest::newRow("of a program that has ended") << QByteArray("ENDED") << false;
        QTest::newRow("left empty") << QByteArray("") << false;
        QTest::newRow("not a lock's text") << QByteArray("quillon\n") << false;
        QTest::newRow("left empty, a Quillon answers") << QByteArray("") << true;
    }
    void aLockIsTakenOverWhenNothingHoldsIt()
    {
        QFETCH(QByteArray, left);
        QFETCH(bool, listening);
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
        // With something else put in the lock's place, a start still finds the running one.
        const QString lock = folder.filePath("quillon.lock");
        QVERIFY(QFile::rename(lock, lock + "~") && QDir().mkdir(lock));
        QCOMPARE(run(program, {}).code, 0);
        QVERIFY(QDir().rmdir(lock) && QFile::rename(lock + "~", lock));
        ::kill(pid_t(first.processId()), SIGTERM);
        QVERIFY(first.waitForFinished(20000));
        QFile settings(folder.filePath("qvb.ini"));
        QVERIFY(settings.open(QIODevice::ReadOnly));
        QVERIFY(settings.readAll().contains("Data=" + QFile::encodeName(album)));
        QVERIFY(!QFile::exists(lock));
    }
};

QTEST_MAIN(DesktopTest)
#include "desktop_test.moc"
