// File operations report their failures as kinds, and replace files whole.
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QTemporaryDir>
#include <QTimer>
#include <QTest>

#include "platform/file_ops.h"
#include "platform/message_box.h"

class PlatformTest : public QObject {
    Q_OBJECT
private slots:
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
};

QTEST_MAIN(PlatformTest)
#include "platform_test.moc"
