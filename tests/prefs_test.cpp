// Font sizes and colours: the samples on the Options page, applying them to the
// panes and lists, the defaults, and the looks kept in the settings file.
#include <QtTest>
#include <QtWidgets>

#include "form/looks.h"
#include "support/playback_fixture.h"

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
        QTest::addColumn<QStringList>("buttons"); QTest::addColumn<QList<int>>("answers");  // colour dialog answers in turn, -1: cancelled
        QTest::addColumn<Look>("details"); QTest::addColumn<Look>("trackList");
        const Look d = kDetailsLook, t = kTrackListLook;
        QTest::newRow("larger, colours") << QStringList{"btnFontUp", "btnBack", "btnTextColour"} << QList<int>{1, 2} << Look{1, 16, 2} << t;
        QTest::newRow("normal after smaller") << QStringList{"btnFontSmall", "btnFontNormal"} << QList<int>{} << d << t;
        QTest::newRow("list colours") << QStringList{"btnTLBack", "btnTLColour"} << QList<int>{3, 4} << d << Look{3, 8.25, 4};
        QTest::newRow("cancel before any choice") << QStringList{"btnBack", "btnTLColour"} << QList<int>{-1, -1} << d << t;
        QTest::newRow("cancel after a choice") << QStringList{"btnTLBack", "btnTLBack"} << QList<int>{5, -1} << d << Look{5, 8.25, 0};
    }
    void samplesTakeFixedSizesAndChosenColours()
    {
        QFETCH(QStringList, buttons); QFETCH(QList<int>, answers);
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
        QTest::addColumn<QList<bool>>("passes"); QTest::addColumn<double>("lists"); QTest::addColumn<double>("listsAfterRestart");
        QTest::newRow("unchecked: lists keep theirs") << QList<bool>{false} << 8.25 << 8.25;
        QTest::newRow("checked") << QList<bool>{true} << 10.0 << 10.0;
        QTest::newRow("unchecked later: lists keep the last carried") << QList<bool>{true, false} << 10.0 << 8.25;
        QTest::newRow("checked later") << QList<bool>{false, true} << 8.0 << 8.0;
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
        QCOMPARE(QList<Look>({lookOf(p.lblTLSample), lookOf(again.fmTrackList->lstTracks)}), QList<Look>(2, kTrackListLook));
        QTEST(lookOf(again.fmPlaylist->lstPlayList).fontSize, "listsAfterRestart");
        QVERIFY(again.fmOptions->isVisible() && p.chkAllPrefs->isChecked() == passes.last());
    }
};

QTEST_MAIN(PrefsTest)
#include "prefs_test.moc"
