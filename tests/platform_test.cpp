// File operations report their failures as kinds, read only regular files and replace files whole;
// message boxes open above their window; the save dialog offers the name it holds.
#include <QtTest>
#include <QtWidgets>
#include <cerrno>
#include <sys/stat.h>

#include "support/table.h"
#include "platform/dialogs.h"
#include "platform/file_ops.h"
#include "platform/message_box.h"
#include "support/album_builder.h"

class PlatformTest : public QObject {
    Q_OBJECT
private slots:
    // Never more than is asked for is read; other special files are tested where the window reads them.
    void readsOnlyRegularFiles_data()
    {
        const auto row = columns<QString, int, QByteArray, bool>({"what", "number", "bytes", "truncated"});
        row("missing file", "none.txt", 53, QByteArray(), false);
        row("missing folder", "none/x.txt", 76, QByteArray(), false);
        row("a folder", ".", 75, QByteArray(), false);  // refused as not a regular file, not as missing
        row("longer than the limit", "long", 0, "0123456789", true);
        row("as long as the limit", "ten", 0, "0123456789", false);
    }
    void readsOnlyRegularFiles()
    {
        QFETCH(QString, what);
        QTemporaryDir dir;
        const QString root = dir.path() + "/";
        QCOMPARE(writeFileAtomic((root + "long").toStdString(), "0123456789ABC"), FileError::None);
        QCOMPARE(writeFileAtomic((root + "ten").toStdString(), "0123456789"), FileError::None);
        const FileRead read = readRegularFile((root + what).toStdString(), 10);
        QTEST(errorNumber(read.error), "number");
        QTEST(QByteArray::fromStdString(read.bytes), "bytes");
        QTEST(read.truncated, "truncated");
    }

    // The reason a message gives for each failure of the system.
    void failureReasons_data()
    {
        const auto row = columns<int, QString>({"err", "reason"});
        for (const int err : {ENOSPC, EDQUOT}) row(QTest::addRow("disk full %d", err), err, "disk full");
        for (const int err : {EISDIR, ENXIO}) row(QTest::addRow("not a file %d", err), err, "not a regular file");
        row("read-only", EROFS, "access refused");
        row("no medium", ENOMEDIUM, "no medium in the drive");
    }
    void failureReasons()
    {
        QFETCH(int, err);
        QTEST(QString::fromStdString(std::string(failureText(fromErrno(err)))), "reason");
    }

    // A link to something other than a regular file is replaced, never what it points to.
    void atomicWriteReplacesALinkNotWhatItPointsTo()
    {
        QTemporaryDir dir;
        const std::string link = dir.filePath("link").toStdString();
        const QByteArray fifo = QFile::encodeName(dir.filePath("fifo"));
        QVERIFY(::mkfifo(fifo.constData(), 0600) == 0 && QFile::link(dir.filePath("fifo"), dir.filePath("link")));
        QCOMPARE(writeFileAtomic(link, "x"), FileError::None);
        struct stat st {};
        QVERIFY(::stat(fifo.constData(), &st) == 0 && S_ISFIFO(st.st_mode));
        QCOMPARE(readRegularFile(link, 100).bytes, std::string("x"));
    }

    void failedAtomicWriteLeavesNothingBehind_data()
    {
        const auto row = columns<QString, int>({"target", "error"});
        row("missing folder", "gone/qvb.ini", int(FileError::PathNotFound));
        row("folder where the file goes", "qvb.ini", int(FileError::NotRegular));
    }
    void failedAtomicWriteLeavesNothingBehind()
    {
        QFETCH(QString, target);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath("qvb.ini"));
        QTEST(int(writeFileAtomic((dir.path() + "/" + target).toStdString(), "x")), "error");
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{"qvb.ini"});
        QVERIFY(QDir(dir.path() + "/qvb.ini").isEmpty());
    }

    // A writer killed mid-write leaves its temporary behind: the next write of that file removes it.
    // While a file is written no name of it shows in its folder.
    void temporariesOfDeadWritersAreRemoved()
    {
        QTemporaryDir dir;
        const QString dead = QString::number(fixture::deadProcessId()), live = QString::number(::getpid());
        const QStringList kept{"other.ini.tmp" + dead + "-1",
                               "qvb.ini.tmp" + live + "-0"};  // another file's, a live writer's
        for (const QString& name : kept + QStringList{"qvb.ini.tmp" + dead + "-7"})
            QVERIFY(QFile(dir.filePath(name)).open(QIODevice::WriteOnly));
        QStringList during;
        QCOMPARE(writeFileAtomic(dir.filePath("qvb.ini").toStdString(),
                                 [&](const WritePiece& write) {
                                     during = QDir(dir.path()).entryList(QDir::Files);
                                     return write("new");
                                 }),
                 FileError::None);
        QCOMPARE(during, kept);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), (QStringList{kept[0], "qvb.ini", kept[1]}));
    }

    // A box without the window as its parent, or beneath a window kept on top, looks like a freeze.
    void messageBoxesOpenAboveTheirWindow_data()
    {
        const auto row = columns<bool>({"onTop"});
        row("ordinary window", false);
        row("window kept on top", true);
    }
    void messageBoxesOpenAboveTheirWindow()
    {
        QFETCH(bool, onTop);
        QWidget window;
        window.setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
        window.show();
        QtMessageBoxes boxes;
        boxes.setParentWindow(&window);
        QWidget* parent = nullptr;
        bool boxOnTop = !onTop;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!box) return;
            parent = box->parentWidget();
            boxOnTop = box->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
            box->reject();
        });
        boxes.show(QStringLiteral("Prompt"), QStringLiteral("Problem"), MsgIcon::Question, MsgButtons::Ok);
        QCOMPARE(parent, &window);
        QCOMPARE(boxOnTop, onTop);
    }

    // Qt's save dialog: what it offers, and the name it returns for what the user types ("" a cancel).
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

QTEST_MAIN(PlatformTest)
#include "platform_test.moc"
