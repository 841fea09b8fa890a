// File operations report their failures as kinds, and replace files whole.
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QTemporaryDir>
#include <QTimer>
#include <QTest>

#include "platform/dialogs.h"
#include "platform/file_ops.h"
#include "platform/message_box.h"

class PlatformTest : public QObject {
    Q_OBJECT
private slots:
    void readFailuresHaveTheirKinds()
    {
        QTemporaryDir dir;
        const std::string root = dir.path().toStdString();
        const FileRead missingFile = readWholeFile(root + "/none.txt");
        QCOMPARE(missingFile.error, FileError::NotFound);
        QCOMPARE(errorNumber(missingFile.error), 53);
        const FileRead missingFolder = readWholeFile(root + "/none/x.txt");
        QCOMPARE(missingFolder.error, FileError::PathNotFound);
        QCOMPARE(errorNumber(missingFolder.error), 76);
    }

    void atomicWriteReplacesTheWholeFile()
    {
        QTemporaryDir dir;
        const std::string path = dir.path().toStdString() + "/qvb.ini";
        QCOMPARE(writeFileAtomic(path, "old content that is longer"), FileError::None);
        QCOMPARE(writeFileAtomic(path, "new"), FileError::None);
        QCOMPARE(readWholeFile(path).bytes, std::string("new"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"qvb.ini"});
    }

    void atomicWriteIntoAMissingFolderWritesNothing()
    {
        QTemporaryDir dir;
        QCOMPARE(writeFileAtomic(dir.path().toStdString() + "/gone/qvb.ini", "x"), FileError::PathNotFound);
        QVERIFY(QDir(dir.path()).isEmpty());
    }

    void removingAMissingFileIsNotAnError()
    {
        QTemporaryDir dir;
        QCOMPARE(removeFile(dir.path().toStdString() + "/search.$$$"), FileError::None);
    }

    // A box without the window as its parent, or beneath a window kept on top, looks like a freeze.
    void messageBoxesOpenAboveTheirWindow_data()
    {
        QTest::addColumn<bool>("onTop");
        QTest::newRow("ordinary window") << false;
        QTest::newRow("window kept on top") << true;
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

    void defaultExtension_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("chosen");
        QTest::newRow("added") << "/a/mix" << "/a/mix.pll";
        QTest::newRow("kept") << "/a/mix.pll" << "/a/mix.pll";
        QTest::newRow("other extension kept") << "/a/mix.txt" << "/a/mix.txt";
        QTest::newRow("cancel stays empty") << "" << "";
    }
    void defaultExtension()
    {
        QFETCH(QString, typed);
        QFETCH(QString, chosen);
        QCOMPARE(withDefaultExtension(typed, ".pll"), chosen);
        QCOMPARE(qtFilter("Quillon Playlist (*.pll)|*.pll"), QStringLiteral("Quillon Playlist (*.pll)"));
    }
};

QTEST_MAIN(PlatformTest)
#include "platform_test.moc"
