// The settings file as text: what each line gives, where a bad line stops the
// reading, and the exact bytes written.
#include <QTest>
#include <climits>

#include "logic/settings.h"
#include "support/album_builder.h"

Q_DECLARE_METATYPE(SettingsData)

namespace {

std::vector<std::string> defaultLines()
{
    return {"[Directories]", "Details=/music/", "Data=/music/a.qdb", "Playlist FN=/lists/x.pll", "",
            "[Pane Positions]", "1=2780", "2=3375", "3=2500", "", "[List Positions]", "Index=7",
            "Playlist=3", "", " 64 ", " 12 ", " 12648447 ", " 12648447 ", " 8.25 ", " 0 ", "all", "2",
            " 1200 ", "-300 "};
}

std::string withLine(int line, const std::string& text, size_t keep = 24)
{
    std::vector<std::string> lines = defaultLines();
    lines[size_t(line - 1)] = text;
    lines.resize(keep);
    return fixture::joinLines(lines);
}

}  // namespace

class SettingsTest : public QObject {
    Q_OBJECT
private slots:
    void readsEveryLine()
    {
        const SettingsRead r = parseSettings(fixture::joinLines(defaultLines()));
        QVERIFY(r.complete());
        QCOMPARE(r.data.detailsFolder, std::string("/music/"));
        QCOMPARE(r.data.albumPath, std::string("/music/a.qdb"));
        QCOMPARE(r.data.playlistFileName, std::string("/lists/x.pll"));
        QCOMPARE(r.data.tracksHeight, 2500.0);
        QCOMPARE(r.data.trackListIndex, 7.0);
        QCOMPARE(r.data.playlistIndex, 3);
        QVERIFY(r.data.details == (Look{64, 12, 12648447}));
        QVERIFY(r.data.trackList == (Look{12648447, 8.25, 0}));
        QVERIFY(r.data.allPrefs);
        QCOMPARE(r.data.kind, TrackKind::OnTrain);
        QCOMPARE(r.data.miniTop, 1200.0);
        QCOMPARE(r.data.miniLeft, int16_t(-300));
        // Blanks around "all" are passed over; a capital "All" is no "all", and kind 3 is both.
        std::vector<std::string> lines = defaultLines();
        lines[20] = "  all ";
        lines[21] = " 2 ";
        const SettingsData padded = parseSettings(fixture::joinLines(lines)).data;
        QVERIFY(padded.allPrefs && padded.kind == TrackKind::OnTrain);
        lines[20] = "All";
        lines[21] = "3";
        const SettingsRead capital = parseSettings(fixture::joinLines(lines));
        QVERIFY(capital.complete() && !capital.data.allPrefs && capital.data.kind == TrackKind::Both);
    }

    void stopsAtTheFirstBadLine_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("linesRead");
        QTest::newRow("no file content") << QByteArray() << 0;
        QTest::newRow("cut after line 14") << QByteArray::fromStdString(withLine(1, "[Directories]", 14)) << 14;
        QTest::newRow("colour with trailing text") << QByteArray::fromStdString(withLine(17, " 5x ")) << 16;
        QTest::newRow("colour beyond 24 bits") << QByteArray::fromStdString(withLine(18, " 16777216 ")) << 17;
        QTest::newRow("negative colour") << QByteArray::fromStdString(withLine(15, "-1 ")) << 14;
        QTest::newRow("font size zero") << QByteArray::fromStdString(withLine(19, "")) << 18;
        QTest::newRow("mini left past 16 bits") << QByteArray::fromStdString(withLine(24, " 40000 ")) << 23;
        QTest::newRow("negative list height") << QByteArray::fromStdString(withLine(9, "3=-5")) << 8;
        QTest::newRow("empty colour counts as black") << QByteArray::fromStdString(withLine(20, "")) << 24;
        QTest::newRow("lines ending in LF alone")
            << QByteArray::fromStdString(fixture::joinLines(defaultLines(), "\n")) << 24;
    }
    void stopsAtTheFirstBadLine()
    {
        QFETCH(QByteArray, content);
        QTEST(parseSettings(content.toStdString()).linesRead, "linesRead");
    }

    void numbersReadBackAsWritten_data()
    {
        QTest::addColumn<SettingsData>("data");
        const auto row = [](const char* name, double top, double heights, double index, int playlist, uint32_t colour,
                            double font, double miniTop, int16_t miniLeft) {
            SettingsData d = parseSettings(fixture::joinLines(defaultLines())).data;
            d.detailsTop = top;
            d.detailsHeight = d.tracksHeight = heights;
            d.trackListIndex = index;
            d.playlistIndex = playlist;
            d.details = d.trackList = Look{colour, font, colour};
            d.miniTop = miniTop;
            d.miniLeft = miniLeft;
            QTest::newRow(name) << d;
        };
        row("tiny", 1e-300, 5e-324, 1e-05, 0, 0u, 1e-05, 4e-320, 0);
        row("huge", 1.7976931348623157e308, 1e300, 1.2345678901234567e15, INT_MAX, 0xFFFFFFu, 2048.0, 3.0555555555555556e109, 32767);
        row("negative", -2710.5, 0.1 + 0.2, -1.0, INT_MIN, 12648447u, 8.25, -3.0555555555555556e109, -32768);
        row("more than seven digits", 12345678.9, 1234567.125, 1.0 / 3, 7, 64u, 1.0 / 3, -0.000001234, -1);
    }
    void numbersReadBackAsWritten()
    {
        QFETCH(SettingsData, data);
        const SettingsRead r = parseSettings(formatSettings(data));
        QCOMPARE(r.linesRead, kSettingsLines);
        QVERIFY(r.data == data);  // exactly, not nearly
    }

    // Read and written again, a file comes back byte for byte.
    void writtenFileReadsBackTheSame()
    {
        std::vector<std::string> other = defaultLines();
        for (const auto& [line, text] : {std::pair{4, "Playlist FN="}, {12, "Index=-1"}, {21, "one"}, {22, "1"}})
            other[size_t(line - 1)] = text;
        for (const auto& lines : {defaultLines(), other}) {
            const std::string file = fixture::joinLines(lines);
            QCOMPARE(formatSettings(parseSettings(file).data), file);
        }
    }
};

QTEST_GUILESS_MAIN(SettingsTest)
#include "app_settings_test.moc"
