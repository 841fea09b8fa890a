// Start-up, shutdown and the track list page, driven as a user would see them.
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QCheckBox>
#include <QScrollBar>
#include <QProcess>
#include <QTest>

#include <csignal>

#include "form/looks.h"
#include "form/twips.h"
#include "support/form_fixture.h"

namespace {

const QString kNoAlbum = QStringLiteral(
    "The track list is empty. Use the Load New Album button on the Options tab to find a new track list.");

QStringList lines(const ListBox* list)
{
    QStringList out;
    for (int i = 0; i < list->listCount(); ++i) out << list->itemText(i);
    return out;
}

void clickRow(ListBox* list, int row, Qt::MouseButton button = Qt::LeftButton)
{
    const QRect r = list->visualRect(list->model()->index(row, 0));
    QTest::mouseClick(list->viewport(), button, {}, r.center());
}

// Runs a copy of the real program in the fixture's program folder (its settings
// live beside the executable), sends it a signal once it handles that signal,
// and returns its exit code (-1 when it did not end normally).
int endBySignal(const FormFixture& f, int signal)
{
    const QString program = QString::fromStdString(f.appFile("quillon"));
    if (!QFile::copy(QStringLiteral(QUILLON_EXECUTABLE), program)) return -1;
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("SDL_AUDIODRIVER", "dummy");
    process.setProcessEnvironment(env);
    process.start(program, {});
    if (!process.waitForStarted()) return -1;
    const QString status = QStringLiteral("/proc/%1/status").arg(process.processId());
    const auto catches = [&] {
        QFile file(status);
        if (!file.open(QIODevice::ReadOnly)) return false;
        const QByteArray text = file.readAll();
        const qsizetype at = text.indexOf("SigCgt:");
        return at >= 0 && (text.mid(at + 7, 17).trimmed().toULongLong(nullptr, 16) >> (signal - 1) & 1) != 0;
    };
    if (!QTest::qWaitFor(catches, 20000)) return -1;
    ::kill(pid_t(process.processId()), signal);
    if (!process.waitForFinished(20000) || process.exitStatus() != QProcess::NormalExit) return -1;
    return process.exitCode();
}

}  // namespace

class WindowTest : public QObject {
    Q_OBJECT
private slots:
    void firstRunShowsAnEmptyList()
    {
        FormFixture f;
        Form1& w = f.start();
        QCOMPARE(lines(w.lstTracks), QStringList{"List empty"});
        QCOMPARE(w.lstTracks->listIndex(), -1);
        QCOMPARE(w.txtDetails->toPlainText(), kNoAlbum);
        QCOMPARE(w.lblPlayMode->text(), QStringLiteral("Player Stopped"));
        QCOMPARE(w.lblVolume->text(), QStringLiteral("10"));
        QCOMPARE(w.lblPlaylist->text(), QStringLiteral("The playlist is empty"));
        QCOMPARE(twipsRect(w.lstTracks).height(), 2500);
        QCOMPARE(twipsRect(w.txtDetails).y(), 2780);
        QCOMPARE(twipsRect(w.txtDetails).height(), 3375);
        QVERIFY(lookOf(w.txtDetails) == kDetailsLook);
        QVERIFY(f.messages.shown.isEmpty());
        QVERIFY(w.fmTrackList->isVisible());
        QVERIFY(!w.fmOptions->isVisible() && !w.fmSearch->isVisible() && !w.fmPlaylist->isVisible());
        QCOMPARE(f.player.volume(), 0);
        QVERIFY(!f.player.mute());
    }

    void clickingListEmptyShowsNoDetails()
    {
        FormFixture f;
        Form1& w = f.start();
        clickRow(w.lstTracks, 0);
        QCOMPARE(w.txtDetails->toPlainText(), QStringLiteral("Details not available"));
    }

    // The close button, and kill or Ctrl-C sent to the real program, all end it through its shutdown.
    void shutdownWritesSettingsAndRemovesSearchResults_data()
    {
        QTest::addColumn<int>("signal");
        QTest::newRow("close button") << 0;
        QTest::newRow("SIGTERM") << int(SIGTERM);
        QTest::newRow("SIGINT") << int(SIGINT);
        QTest::newRow("SIGHUP") << int(SIGHUP);
    }
    void shutdownWritesSettingsAndRemovesSearchResults()
    {
        QFETCH(int, signal);
        FormFixture f;
        const std::string albumPath = writeNumberedAlbum(f.album, 3);
        std::vector<std::string> settings = f.settingsLines(albumPath);
        settings[12] = "Playlist=2";
        f.writeSettings(settings);
        f.writeAppFile("search.$$$", "12\r\n");
        f.writeAppFile("temp.$$$", " 2 \r\n");
        if (signal == 0) {
            f.start();
            f.close();
        } else {
            QCOMPARE(endBySignal(f, signal), 0);
        }
        const std::string ini = f.readAppFile("qvb.ini");
        QCOMPARE(std::count(ini.begin(), ini.end(), '\n'), 24);
        QCOMPARE(std::count(ini.begin(), ini.end(), '\r'), 24);
        QVERIFY(ini.find("\r\n\r\n[Pane Positions]\r\n1=2780\r\n2=3375\r\n3=2500\r\n") != std::string::npos);
        QVERIFY(ini.find("Data=" + albumPath + "\r\n") != std::string::npos);
        QVERIFY(ini.find("\r\nPlaylist=2\r\n") != std::string::npos);
        QVERIFY(!QFile::exists(QString::fromStdString(f.appFile("search.$$$"))));
        QCOMPARE(f.readAppFile("temp.$$$"), " 2 \r\n");
    }

    void settingsFromAFirstRunReadBackUnchanged()
    {
        FormFixture f;
        f.start();
        f.close();
        const std::string first = f.readAppFile("qvb.ini");
        f.form.reset();
        f.start();
        f.close();
        QCOMPARE(f.readAppFile("qvb.ini"), first);
    }

    void restoredIndexSelectsItsLine_data()
    {
        QTest::addColumn<QString>("indexLine");
        QTest::addColumn<int>("selected");
        QTest::newRow("eighth track") << "Index=7" << 7;
        QTest::newRow("last track") << "Index=11" << 11;
        QTest::newRow("none selected when saved") << "Index=-1" << 0;
        QTest::newRow("beyond a shorter album") << "Index=40" << 0;
    }
    void restoredIndexSelectsItsLine()
    {
        QFETCH(QString, indexLine);
        QFETCH(int, selected);
        FormFixture f;
        Form1& w = f.startWith(writeNumberedAlbum(f.album, 12), {{12, indexLine.toStdString()}});
        QCOMPARE(w.lstTracks->listIndex(), selected);
        QVERIFY(w.lstTracks->isSelected(selected));
        QCOMPARE(w.m.CurrentRecord, selected + 1);
        QCOMPARE(w.txtDetails->toPlainText(), QStringLiteral("Notes of track %1").arg(selected + 1));
    }

    void listHeightIsKeptInsideTheSplitterRange_data()
    {
        QTest::addColumn<QString>("heightLine");
        QTest::addColumn<int>("height");
        QTest::newRow("as saved") << "3=3000" << 3000;
        QTest::newRow("too small") << "3=100" << 500;
        QTest::newRow("too large") << "3=9000" << 5500;
    }
    void listHeightIsKeptInsideTheSplitterRange()
    {
        QFETCH(QString, heightLine);
        QFETCH(int, height);
        FormFixture f;
        Form1& w = f.startWith(writeNumberedAlbum(f.album, 2), {{9, heightLine.toStdString()}});
        QCOMPARE(twipsRect(w.lstTracks).height(), height);
        QCOMPARE(w.VScroll1->value(), height);
        QCOMPARE(twipsRect(w.txtDetails).y(), height + 280);
        QCOMPARE(twipsRect(w.txtDetails).height(), 5875 - height);
    }

    void settingsCutShortKeepWhatWasRead()
    {
        FormFixture f;
        Form1& w = f.startWith(writeNumberedAlbum(f.album, 5), {{9, "3=4000"}, {12, "Index=3"}}, 14);
        QCOMPARE(w.lstTracks->listCount(), 5);
        QCOMPARE(w.lstTracks->listIndex(), 0);
        QCOMPARE(twipsRect(w.lstTracks).height(), 2500);
        QVERIFY(lookOf(w.lstTracks) == kTrackListLook);
    }

    void savedLooksAndChoicesAreApplied()
    {
        FormFixture f;
        Form1& w = f.startWith(writeNumberedAlbum(f.album, 2), {{18, " 255 "}, {19, " 10 "}, {20, " 65280 "}, {21, "all"},
                                                                       {22, "1"}, {23, " 900 "}, {24, " 1800 "}});
        const Look tracks{255, 10, 65280};
        QVERIFY(lookOf(w.lstTracks) == tracks);
        QVERIFY(lookOf(w.lstPlayList) == tracks);
        QVERIFY(lookOf(w.lstSearchRes) == tracks);
        QVERIFY(w.chkAllPrefs->isChecked());
        QVERIFY(w.opLS->isChecked());
        QCOMPARE(w.MiniTop, 900.0);
        QCOMPARE(w.MiniLeft, int16_t(1800));
        f.close();
        const std::string ini = f.readAppFile("qvb.ini");
        QVERIFY(ini.find(" 255 \r\n 10 \r\n 65280 \r\nall\r\n1\r\n 900 \r\n 1800 \r\n") != std::string::npos);
    }

    void aBadColourLineKeepsTheDesignedLooks()
    {
        FormFixture f;
        Form1& w = f.startWith(writeNumberedAlbum(f.album, 2), {{15, " 255 "}, {16, " big "}, {19, " 10 "}});
        QCOMPARE(lookOf(w.txtDetails).back, 255u);
        QCOMPARE(lookOf(w.txtDetails).fontSize, 12.0);
        QVERIFY(lookOf(w.lstTracks) == kTrackListLook);
        QCOMPARE(w.lstTracks->listCount(), 2);
    }

    void unwritableSettingsLeaveTheOldFileAndStillClose()
    {
        FormFixture f;
        QDir().mkpath(QString::fromStdString(f.appFile("qvb.ini")));  // a folder where the file should be
        f.writeAppFile("qvb.ini/keep", "x");
        Form1& w = f.start();
        f.close();
        QVERIFY(!w.isVisible());
        QCOMPARE(f.readAppFile("qvb.ini/keep"), "x");
    }

    void codesAreListedOnceInFirstOrder()
    {
        FormFixture f;
        using fixture::makeTrack;
        const std::string path = f.album.writeAlbum(
            "codes.qdb", {makeTrack("a", "01011990", "01:00", 0, "a", "f", "AB"),
                          makeTrack("b", "01011990", "01:00", 0, "b", "f", "ab"),
                          makeTrack("c", "01011990", "01:00", 0, "c", "f", "AB  "),
                          makeTrack("d", "01011990", "01:00", 0, "d", "f", ""),
                          makeTrack("e", "01011990", "01:00", 0, "e", "f", "ANY")});
        f.writeSettings(f.settingsLines(path));
        Form1& w = f.start();
        QStringList codes;
        for (int i = 0; i < w.cbCode->count(); ++i) codes << w.cbCode->itemText(i);
        QCOMPARE(codes, (QStringList{"ANY", "AB", "ab"}));
        QCOMPARE(w.cbCode->currentText(), QStringLiteral("ANY"));
    }

    void anAlbumWithoutWholeRecordsIsEmpty()
    {
        FormFixture f;
        const std::string path = f.album.writeAlbum("empty.qdb", {}, std::string(100, 'x'));
        f.writeSettings(f.settingsLines(path));
        Form1& w = f.start();
        QCOMPARE(w.lstTracks->listCount(), 0);
        QCOMPARE(w.lstTracks->listIndex(), -1);
        QCOMPARE(w.cbCode->count(), 1);
        QCOMPARE(w.txtCurAlb->text(), QString::fromStdString(path));
        QCOMPARE(w.txtCurAlb->toolTip(), QString::fromStdString(path));
    }

    void clickingALineShowsItsNotes()
    {
        FormFixture f;
        f.writeSettings(f.settingsLines(writeNumberedAlbum(f.album, 4)));
        Form1& w = f.start();
        clickRow(w.lstTracks, 2);
        QCOMPARE(w.m.CurrentRecord, 3);
        QCOMPARE(w.txtDetails->toPlainText(), QStringLiteral("Notes of track 3"));
        QTest::keyClick(w.lstTracks, Qt::Key_Down);
        QCOMPARE(w.txtDetails->toPlainText(), QStringLiteral("Notes of track 4"));
    }

    void rightClickShowsThePopUpWithoutChangingTheSelection()
    {
        FormFixture f;
        f.writeSettings(f.settingsLines(writeNumberedAlbum(f.album, 4)));
        Form1& w = f.start();
        clickRow(w.lstTracks, 1, Qt::RightButton);
        QVERIFY(w.btnAddPL->isVisible() && w.btnClearSel->isVisible());
        const QRect row = w.lstTracks->visualRect(w.lstTracks->model()->index(1, 0));
        QCOMPARE(twipsRect(w.btnAddPL).y(), int(toTwips(row.center().y()) + 200));
        QCOMPARE(twipsRect(w.btnClearSel).y() - twipsRect(w.btnAddPL).y(), 240);
        QCOMPARE(w.lstTracks->listIndex(), 0);
        clickRow(w.lstTracks, 3);
        QVERIFY(!w.btnAddPL->isVisible() && !w.btnClearSel->isVisible());

        w.m.PlayMode = Mode::Playlist;
        clickRow(w.lstTracks, 1, Qt::RightButton);
        QVERIFY(!w.btnAddPL->isVisible());
    }

    void splitterSharesTheHeight_data()
    {
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("detailsTop");
        QTest::addColumn<int>("detailsHeight");
        QTest::newRow("top") << 500 << 780 << 5375;
        QTest::newRow("bottom") << 5500 << 5780 << 375;
        QTest::newRow("middle") << 3000 << 3280 << 2875;
    }
    void splitterSharesTheHeight()
    {
        QFETCH(int, value);
        FormFixture f;
        f.writeSettings(f.settingsLines(writeNumberedAlbum(f.album, 200)));
        Form1& w = f.start();
        w.lstTracks->setListIndex(20);
        w.VScroll1->setValue(value);
        QCOMPARE(twipsRect(w.lstTracks).height(), value);
        QFETCH(int, detailsTop);
        QFETCH(int, detailsHeight);
        QCOMPARE(twipsRect(w.txtDetails).y(), detailsTop);
        QCOMPARE(twipsRect(w.txtDetails).height(), detailsHeight);
        QCOMPARE(w.lstTracks->topIndex(), 18);
    }

    void leftPressesOnSurfacesMoveTheWindow_data()
    {
        QTest::addColumn<QString>("surface");
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("drags");
        QTest::newRow("background, left") << "Form1" << int(Qt::LeftButton) << 1;
        QTest::newRow("background, right") << "Form1" << int(Qt::RightButton) << 0;
        QTest::newRow("player picture, left") << "Picture2" << int(Qt::LeftButton) << 1;
        QTest::newRow("position bar, left") << "picTimer" << int(Qt::LeftButton) << 0;
    }
    void leftPressesOnSurfacesMoveTheWindow()
    {
        QFETCH(QString, surface);
        QFETCH(int, button);
        QFETCH(int, drags);
        FormFixture f;
        Form1& w = f.start();
        QWidget* target = surface == "Form1" ? &w : w.findChild<QWidget*>(surface);
        QTest::mousePress(target, Qt::MouseButton(button), {}, QPoint(2, 2));
        QCOMPARE(f.windows.drags, drags);
    }

    void minimizingShowsThePlayingTitle()
    {
        FormFixture f;
        Form1& w = f.start();
        w.lblTitle->setText("Express");
        w.btnMin->click();
        QVERIFY(f.windows.minimized);
        QCOMPARE(w.windowTitle(), QStringLiteral("Velloran Jukebox Playing:Express"));
    }
};

QTEST_MAIN(WindowTest)
#include "app_window_test.moc"
