// The settings file as text: what each line gives, where a bad line stops the
// reading, and the exact bytes written.
#include <QTest>

#include "support/table.h"
#include "logic/settings.h"
#include "support/album_builder.h"

Q_DECLARE_METATYPE(std::string)

namespace {

// A file of every line set, with some lines (numbered from 1) replaced, cut to its first `keep` lines.
std::string withLines(std::vector<std::pair<int, std::string>> edits, size_t keep = 24)
{
    edits.insert(edits.begin(), {{4, "Playlist FN=/lists/x.pll"},
                                 {12, "Index=7"},
                                 {13, "Playlist=3"},
                                 {21, "all"},
                                 {22, "2"},
                                 {23, " 1200 "},
                                 {24, "-300 "}});
    return fixture::settingsFile("/music/a.qdb", edits, keep);
}

}  // namespace

class SettingsTest : public QObject {
    Q_OBJECT
private slots:
    void readsEveryLine()
    {
        const SettingsRead r = parseSettings(withLines({}));
        QVERIFY(r.complete());
        QVERIFY(r.data
                == (SettingsData{"/music/", "/music/a.qdb", "/lists/x.pll", 2780, 3375, 2500, 7, 3,
                                 Look{64, 12, 12648447}, Look{12648447, 8.25, 0}, true, TrackKind::OnTrain, 1200, -300}));
        // Blanks around "all" are passed over; a capital "All" is no "all", and kind 3 is both.
        const SettingsData padded = parseSettings(withLines({{21, "  all "}, {22, " 2 "}})).data;
        QVERIFY(padded.allPrefs && padded.kind == TrackKind::OnTrain);
        const SettingsRead capital = parseSettings(withLines({{21, "All"}, {22, "3"}}));
        QVERIFY(capital.complete() && !capital.data.allPrefs && capital.data.kind == TrackKind::Both);
    }

    void stopsAtTheFirstBadLine_data()
    {
        const auto row = columns<std::string, int>({"content", "linesRead"});
        row("no file content", std::string(), 0);
        row("cut after line 14", withLines({}, 14), 14);
        row("colour with trailing text", withLines({{17, " 5x "}}), 16);
        row("colour beyond 24 bits", withLines({{18, " 16777216 "}}), 17);
        row("negative colour", withLines({{15, "-1 "}}), 14);
        row("font size zero", withLines({{19, ""}}), 18);
        row("mini left past 16 bits", withLines({{24, " 40000 "}}), 23);
        row("negative list height", withLines({{9, "3=-5"}}), 8);
        row("empty colour counts as black", withLines({{20, ""}}), 24);
        std::string lf = withLines({});
        std::erase(lf, '\r');
        row("lines ending in LF alone", lf, 24);
    }
    void stopsAtTheFirstBadLine()
    {
        QFETCH(std::string, content);
        QTEST(parseSettings(content).linesRead, "linesRead");
    }

    // Read and written again, a file comes back byte for byte; a path holding a line break is
    // written empty, so every other line keeps its place.
    void writtenFileReadsBackTheSame()
    {
        for (const std::string& file :
             {withLines({}), withLines({{4, "Playlist FN="}, {12, "Index=-1"}, {21, "one"}, {22, "1"}})})
            QCOMPARE(formatSettings(parseSettings(file).data), file);
        SettingsData broken = parseSettings(withLines({})).data;
        broken.detailsFolder += "\r", broken.albumPath += "\nb.qdb", broken.playlistFileName += "\r\n";
        QCOMPARE(formatSettings(broken), withLines({{2, "Details="}, {3, "Data="}, {4, "Playlist FN="}}));
    }
};

QTEST_GUILESS_MAIN(SettingsTest)
#include "app_settings_test.moc"
