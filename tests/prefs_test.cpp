// Font sizes and colours: the samples on the Options page, applying them to the
// panes and lists, the defaults, and the looks kept in the settings file.
#include <QCheckBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "form/looks.h"
#include "support/playback_fixture.h"

Q_DECLARE_METATYPE(Look)

char* toString(const Look& look)
{
    return QTest::toString(QStringLiteral("{%1, %2, %3}").arg(look.back).arg(look.fontSize).arg(look.fore));
}

namespace {

PrefsFrame& showOptions(Form1& w)
{
    w.fmTrackList->hide();
    w.fmOptions->show();
    return *w.fmOptionsPrefs;
}

void click(Form1& w, const QStringList& buttons)
{
    for (const QString& name : buttons) w.fmOptionsPrefs->findChild<QPushButton*>(name)->click();
}

Look lists(Form1& w)
{
    const Look look = lookOf(w.fmPlaylist->lstPlayList);
    return look == lookOf(w.fmSearch->lstSearchRes) ? look : Look{};
}

}  // namespace

class PrefsTest : public QObject {
    Q_OBJECT
private slots:
    void samplesTakeFixedSizesAndChosenColours_data()
    {
        QTest::addColumn<QStringList>("buttons");
        QTest::addColumn<QList<int>>("answers");  // colour dialog answers in turn, -1: cancelled
        QTest::addColumn<Look>("details");
        QTest::addColumn<Look>("trackList");
        const Look d = kDetailsLook, t = kTrackListLook;
        QTest::newRow("smaller") << QStringList{"btnFontSmall"} << QList<int>{} << Look{d.back, 8, d.fore} << t;
        QTest::newRow("larger") << QStringList{"btnFontUp"} << QList<int>{} << Look{d.back, 16, d.fore} << t;
        QTest::newRow("normal after smaller") << QStringList{"btnFontSmall", "btnFontNormal"} << QList<int>{} << d << t;
        QTest::newRow("list larger") << QStringList{"btnTLFontUp"} << QList<int>{} << d << Look{t.back, 10, t.fore};
        QTest::newRow("list normal is 8") << QStringList{"btnTLFontNormal"} << QList<int>{} << d << Look{t.back, 8, t.fore};
        QTest::newRow("details colours") << QStringList{"btnBack", "btnTextColour"} << QList<int>{255, 0xFF00}
                                         << Look{255, 12, 0xFF00} << t;
        QTest::newRow("list colours") << QStringList{"btnTLBack", "btnTLColour"} << QList<int>{0x123456, 0x654321}
                                      << d << Look{0x123456, 8.25, 0x654321};
        QTest::newRow("cancel before any choice") << QStringList{"btnBack", "btnTLColour"} << QList<int>{-1, -1} << d << t;
        QTest::newRow("cancel after a choice") << QStringList{"btnTLBack", "btnTLBack"} << QList<int>{255, -1} << d
                                               << Look{255, 8.25, 0};
    }
    void samplesTakeFixedSizesAndChosenColours()
    {
        QFETCH(QStringList, buttons);
        QFETCH(QList<int>, answers);
        QFETCH(Look, details);
        QFETCH(Look, trackList);
        FormFixture f;
        Form1& w = f.start();
        for (int a : answers) f.dialogs.colourAnswers.append(a < 0 ? std::nullopt : std::optional<uint32_t>(a));
        PrefsFrame& p = showOptions(w);
        click(w, buttons);
        QCOMPARE(lookOf(p.txtsample), details);
        QCOMPARE(lookOf(p.lblTLSample), trackList);
        QCOMPARE(lookOf(w.txtDetails), kDetailsLook);
    }

    // Each pass sets the check box, sizes the list sample (10 points, then 8) and sets.
    void setPreferencesCarriesToTheListsWhenAsked_data()
    {
        QTest::addColumn<QList<bool>>("passes");
        QTest::addColumn<double>("listsSize");
        QTest::addColumn<double>("listsSizeAfterRestart");
        QTest::newRow("unchecked: lists keep theirs") << QList<bool>{false} << 8.25 << 8.25;
        QTest::newRow("checked") << QList<bool>{true} << 10.0 << 10.0;
        QTest::newRow("unchecked later: lists keep the last carried") << QList<bool>{true, false} << 10.0 << 8.25;
        QTest::newRow("checked later") << QList<bool>{false, true} << 8.0 << 8.0;
    }
    void setPreferencesCarriesToTheListsWhenAsked()
    {
        QFETCH(QList<bool>, passes);
        QFETCH(double, listsSize);
        QFETCH(double, listsSizeAfterRestart);
        FormFixture f;
        Form1& w = startOnAlbum(f, numbered(2));
        f.dialogs.colourAnswers = {255};
        for (int i = 0; i < passes.size(); ++i) {
            PrefsFrame& p = showOptions(w);
            p.chkAllPrefs->setChecked(passes[i]);
            click(w, {i == 0 ? "btnTLFontUp" : "btnTLFontNormal", "btnFontSmall", "btnTLBack"});
            w.txtDetails->setPlainText(QStringLiteral("another track's notes"));
            p.btnTLSet->click();
        }
        const Look trackList{255, passes.size() == 1 ? 10.0 : 8.0, 0};
        QCOMPARE(lookOf(w.lstTracks), trackList);
        QCOMPARE(lookOf(w.txtDetails), (Look{64, 8, 12648447}));
        QCOMPARE(lists(w).fontSize, listsSize);
        QVERIFY(w.fmTrackList->isVisible() && !w.fmOptions->isVisible());
        QCOMPARE(w.txtDetails->toPlainText(), QStringLiteral("Notes of Track 1"));
        f.close();
        Form1& again = f.start();
        QCOMPARE(lookOf(again.lstTracks), trackList);
        QCOMPARE(lookOf(again.txtDetails), (Look{64, 8, 12648447}));
        QCOMPARE(lists(again).fontSize, listsSizeAfterRestart);
    }

    void resetDefaultsRestoresAtOnce()
    {
        FormFixture f;
        Form1& w = f.startWith(writeAlbum(f, numbered(2)), {{15, " 255 "}, {16, " 8 "}, {19, " 10 "}, {21, "all"}});
        PrefsFrame& p = showOptions(w);
        QCOMPARE(lookOf(p.txtsample), (Look{255, 8, 12648447}));
        QCOMPARE(lookOf(p.lblTLSample), (Look{12648447, 10, 0}));
        p.btnDefaultPref->click();
        for (QWidget* pane : {static_cast<QWidget*>(p.txtsample), static_cast<QWidget*>(w.txtDetails)})
            QCOMPARE(lookOf(pane), kDetailsLook);
        for (QWidget* list : {static_cast<QWidget*>(p.lblTLSample), static_cast<QWidget*>(w.lstTracks)})
            QCOMPARE(lookOf(list), kTrackListLook);
        QCOMPARE(lists(w).fontSize, 10.0);
        QVERIFY(w.fmOptions->isVisible() && p.chkAllPrefs->isChecked());
    }

    void choicesNotSetAreLostWhenThePageShowsAgain()
    {
        FormFixture f;
        Form1& w = f.start();
        f.dialogs.colourAnswers = {255};
        PrefsFrame& p = showOptions(w);
        click(w, {"btnFontUp", "btnTLBack"});
        w.fmOptions->hide();
        showOptions(w);
        QCOMPARE(lookOf(p.txtsample), kDetailsLook);
        QCOMPARE(lookOf(p.lblTLSample), kTrackListLook);
    }
};

QTEST_MAIN(PrefsTest)
#include "prefs_test.moc"
