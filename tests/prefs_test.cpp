// Font sizes and colours: the samples on the Options page, applying them to the
// panes and lists, the defaults, and the looks kept in the settings file.
#include <QtTest>
#include <QtWidgets>

#include "support/table.h"
#include "form/looks.h"
#include "support/playback_fixture.h"
#include "prefs/sound_output_frame.h"

Q_DECLARE_METATYPE(Look)

// Shows the Options page, as its tab does, then clicks the named buttons of the frame.
static PrefsFrame& clickOnOptions(Form1& w, const QStringList& buttons = {})
{
    w.fmOptions->show();
    for (const QString& name : buttons) w.fmOptions->fmOptionsPrefs->findChild<QPushButton*>(name)->click();
    return *w.fmOptions->fmOptionsPrefs;
}

class PrefsTest : public QObject {
    Q_OBJECT
private slots:
    void samplesTakeFixedSizesAndChosenColours_data()
    {
        // answers: colour dialog answers in turn, -1: cancelled
        const auto row = columns<QStringList, QList<int>, Look, Look>({"buttons", "answers", "details", "trackList"});
        const Look d = kDetailsLook, t = kTrackListLook;
        row("larger, colours", {"btnFontUp", "btnBack", "btnTextColour"}, {1, 2}, {1, 16, 2}, t);
        row("normal after smaller", {"btnFontSmall", "btnFontNormal"}, {}, d, t);
        row("list colours", {"btnTLBack", "btnTLColour"}, {3, 4}, d, {3, 8.25, 4});
        row("cancel before any choice", {"btnBack", "btnTLColour"}, {-1, -1}, d, t);
        row("cancel after a choice", {"btnTLBack", "btnTLBack"}, {5, -1}, d, {5, 8.25, 0});
    }
    void samplesTakeFixedSizesAndChosenColours()
    {
        auto [buttons, answers] = fetch<QStringList, QList<int>>({"buttons", "answers"});
        FormFixture f;
        Form1& w = f.start();
        for (int a : answers) f.dialogs.colourAnswers.append(a < 0 ? std::nullopt : std::optional<uint32_t>(a));
        PrefsFrame& p = clickOnOptions(w, buttons);
        QTEST(lookOf(p.txtsample), "details");
        QTEST(lookOf(p.lblTLSample), "trackList");
        QCOMPARE(lookOf(w.fmTrackList->txtDetails), kDetailsLook);
    }

    // Each pass sets the check box, the list sample's size (10 points, then 8) and sets.
    void setPreferencesCarriesToTheListsWhenAsked_data()
    {
        const auto row = columns<QList<bool>, double, double>({"passes", "lists", "listsAfterRestart"});
        row("unchecked: lists keep theirs", {false}, 8.25, 8.25);
        row("checked", {true}, 10.0, 10.0);
        row("unchecked later: lists keep the last carried", {true, false}, 10.0, 8.25);
        row("checked later", {false, true}, 8.0, 8.0);
    }
    void setPreferencesCarriesToTheListsWhenAsked()
    {
        QFETCH(QList<bool>, passes);
        FormFixture f;
        Form1& w = startOnAlbum(f, numbered(2));
        f.dialogs.colourAnswers = {255};
        for (int i = 0; i < passes.size(); ++i) {
            clickOnOptions(w, {i ? "btnTLFontNormal" : "btnTLFontUp", "btnFontSmall", "btnTLBack"});
            w.fmOptions->fmOptionsPrefs->chkAllPrefs->setChecked(passes[i]);
            w.fmTrackList->txtDetails->setPlainText(QStringLiteral("another track's notes"));
            w.fmOptions->fmOptionsPrefs->btnTLSet->click();
        }
        QVERIFY(w.fmTrackList->isVisible() && !w.fmOptions->isVisible());
        QCOMPARE(w.fmTrackList->txtDetails->toPlainText(), QStringLiteral("Notes of Track 1"));
        QTEST(lookOf(w.fmPlaylist->lstPlayList).fontSize, "lists");
        f.close();
        Form1& again = f.start();
        QCOMPARE(lookOf(again.fmTrackList->lstTracks), (Look{255, passes.size() == 1 ? 10.0 : 8.0, 0}));
        QCOMPARE(lookOf(again.fmTrackList->txtDetails), (Look{64, 8, 12648447}));
        QTEST(lookOf(again.fmSearch->lstSearchRes).fontSize, "listsAfterRestart");
        // Choices not set are lost: the samples show the live looks whenever the page shows.
        PrefsFrame& p = clickOnOptions(again, {"btnFontUp"});
        again.fmOptions->hide();
        QCOMPARE(lookOf(clickOnOptions(again).txtsample), lookOf(again.fmTrackList->txtDetails));
        QCOMPARE(lookOf(p.lblTLSample), lookOf(again.fmTrackList->lstTracks));
        // Reset Defaults acts at once on the samples and the panes, and on nothing else.
        p.btnDefaultPref->click();
        QCOMPARE(QList<Look>({lookOf(p.txtsample), lookOf(again.fmTrackList->txtDetails)}), QList<Look>(2, kDetailsLook));
        QCOMPARE(QList<Look>({lookOf(p.lblTLSample), lookOf(again.fmTrackList->lstTracks)}),
                 QList<Look>(2, kTrackListLook));
        QTEST(lookOf(again.fmPlaylist->lstPlayList).fontSize, "listsAfterRestart");
        QVERIFY(again.fmOptions->isVisible() && p.chkAllPrefs->isChecked() == passes.last());
    }

    // The outputs there are, the system default first. The one kept from the last run is used from
    // the start; one gone is not, and the page says so; a file that holds no name counts as none.
    // A choice applies at once, the track going on where it was, and is kept for the next start
    // in a file of its own, qvb.ini keeping its 24 lines.
    void soundOutputIsChosenAppliedAndKept_data()
    {
        const auto row = columns<QByteArray, QStringList, QString, QString>({"kept", "outputs", "used", "note"});
        const QStringList two{"Speakers", "USB DAC"};
        row("nothing kept", "", two, "", "");
        row("kept and there", "USB DAC\r\n", two, "USB DAC", "");
        row("kept and gone", "HDMI\n", two, "", "Output not found: System default used");
        row("a control character", "USB\tDAC\n", {"USB\tDAC", "Speakers"}, "", "");
        row("larger than a name", QByteArray(2000, 'A'), {QString(2000, 'A'), "Speakers"}, "", "");
    }
    void soundOutputIsChosenAppliedAndKept()
    {
        auto [kept, outputs, used,
              note] = fetch<QByteArray, QStringList, QString, QString>({"kept", "outputs", "used", "note"});
        FormFixture f;
        f.player.devices = outputs;
        if (!kept.isEmpty()) f.writeAppFile("sound-output.txt", kept.toStdString());
        Form1& w = startOnAlbum(f, {{"One", 0}});
        SoundOutputFrame& frame = *w.fmOptions->fmOpOutput;
        w.lblTabOptions_Click();
        QCOMPARE(f.player.device, used);
        QCOMPARE(frame.cbOutput->currentText(), used.isEmpty() ? QStringLiteral("System default") : used);
        QCOMPARE(frame.lblOutputNote->text(), note);
        QCOMPARE(frame.cbOutput->count(), outputs.size() + 1);

        w.fmTrackList->lstTracks->setListIndex(0);
        w.btnPlay->click();
        settle();
        f.player.advance(20);
        frame.cbOutput->setFocus();
        QTest::keyClick(frame.cbOutput, Qt::Key_Home);
        QTest::keyClick(frame.cbOutput, Qt::Key_End);
        QCOMPARE(f.player.device, outputs.last());
        QCOMPARE(f.player.position(), 20.0);
        QCOMPARE(f.player.sourceFiles.size(), 1);
        QCOMPARE(f.readAppFile("sound-output.txt"), outputs.last().toStdString() + "\n");
        f.close();
        QCOMPARE(QString::fromStdString(f.readAppFile("qvb.ini")).count("\r\n"), 24);
        f.player.device.clear();
        f.start();
        QCOMPARE(f.player.device, outputs.last());
    }

    // The output in use going away: the sound moves to the default and goes on, or, with none
    // left, the track pauses and the status says why. The choice stays kept for the next start.
    void lostOutputFallsBackOrPauses_data()
    {
        const auto row = columns<bool, int, QString, QString>({"noneLeft", "state", "status", "note"});
        row("another left", false, 2, "Playing from Track List", "Output gone: System default used");
        row("none left", true, 1, "Paused: no sound output", "No sound output left");
    }
    void lostOutputFallsBackOrPauses()
    {
        auto [noneLeft, state, status,
              note] = fetch<bool, int, QString, QString>({"noneLeft", "state", "status", "note"});
        FormFixture f;
        f.player.devices = {"Speakers", "USB DAC"};
        f.writeAppFile("sound-output.txt", "USB DAC\n");
        Form1& w = startOnAlbum(f, {{"One", 0}});
        w.fmTrackList->lstTracks->setListIndex(0);
        w.btnPlay->click();
        settle();
        f.player.unplug(noneLeft);
        settle();
        QCOMPARE(f.player.playState(), state);
        QCOMPARE(w.lblPlayMode->text(), status);
        QCOMPARE(w.btnPlay->isEnabled(), !noneLeft);
        SoundOutputFrame& frame = *w.fmOptions->fmOpOutput;
        QCOMPARE(frame.lblOutputNote->text(), note);
        QCOMPARE(frame.cbOutput->currentText(), QStringLiteral("System default"));
        QCOMPARE(f.readAppFile("sound-output.txt"), std::string("USB DAC\n"));
    }
};

QTEST_MAIN(PrefsTest)
#include "prefs_test.moc"
