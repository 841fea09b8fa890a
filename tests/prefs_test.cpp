// Font sizes and colours: the samples on the Options page, applying them to the
// panes and lists, the defaults, and the looks kept in the settings file.
#include <QtTest>
#include <QtWidgets>

#include "support/table.h"
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
};

QTEST_MAIN(PrefsTest)
#include "prefs_test.moc"
