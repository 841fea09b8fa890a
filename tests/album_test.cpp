// The album file and its records, the date words and track line, and notes lookup.
#include <QtTest>
#include <set>

#include "logic/date_words.h"
#include "logic/notes.h"
#include "logic/track_record.h"
#include "support/album_builder.h"

using fixture::makeTrack;

namespace {

QByteArray bytes(const std::string& s) { return QByteArray::fromStdString(s); }

// A record as it comes back from disk: every text field blank padded.
TrackRecord stored(const TrackRecord& t) { return parseRecord(fixture::recordBytes(t)); }

const std::vector<std::string> kSixLineNotes = {
    "Class 4 on a stopping train", "#Recorded from the third coach",
    "Double-headed freight",       "#Two engines",
    "#Uphill",                     "End",
};

}  // namespace

class AlbumTest : public QObject {
    Q_OBJECT

private slots:
    // More records than a 16-bit count holds and more than one read block; a partial last record is no record.
    void forEachVisitsEveryRecordInOrder()
    {
        constexpr int kTracks = 33000;
        fixture::AlbumDir dir;
        std::vector<TrackRecord> list;
        for (int i = 1; i <= kTracks; ++i) list.push_back(makeTrack(std::to_string(i)));
        AlbumFile album;
        QVERIFY(album.open(dir.writeAlbum("big.qdb", list, "partial")));
        QCOMPARE(album.recordCount(), kTracks);

        int32_t expected = 1;
        album.forEach([&](int32_t n, const RecordView& view) {
            const TrackRecord rec = view.record();
            if (n == expected && std::stoi(rec.Title) == n) ++expected;
        });
        QCOMPARE(expected, kTracks + 1);
        TrackRecord rec;
        QVERIFY(album.read(32768, rec));
        QCOMPARE(bytes(rec.Title).trimmed(), QByteArray("32768"));
        QVERIFY(!album.read(0, rec) && !album.read(kTracks + 1, rec));
    }

    void fieldsAtTheirOffsets()
    {
        // Lineside -2 has two different bytes, so their order matters.
        const TrackRecord t = makeTrack(std::string(61, 'T'), "05051975", "03:41", -2, "chuff01",
                                        "steam", "STM", "12", "spare text");
        const TrackRecord r = parseRecord(fixture::recordBytes(t));
        QCOMPARE(bytes(r.TrackDate), QByteArray("05051975  "));
        QCOMPARE(bytes(r.NoteNo), QByteArray("12 "));
        QCOMPARE(bytes(r.PlayTime), QByteArray("03:41  "));
        QCOMPARE(bytes(r.Title), QByteArray(60, 'T'));
        QCOMPARE(r.Lineside, int16_t(-2));
        QCOMPARE(bytes(r.Mp3Name), QByteArray("chuff01   "));
        QCOMPARE(bytes(r.Folder), QByteArray("steam     "));
        QCOMPARE(bytes(r.Code), QByteArray("STM "));
        QCOMPARE(bytes(r.Spare), QByteArray("spare text").leftJustified(25));
    }

    void filePaths()
    {
        const TrackRecord t = stored(makeTrack("x", "", "", 0, " chuff", " steam"));
        QCOMPARE(bytes(mp3Path("/album/", t)), QByteArray("/album/steam/chuff.mp3"));
        QCOMPARE(bytes(notesPath("/album/", t)), QByteArray("/album/steam/details.qvt"));
    }

    void dateWords_data()
    {
        QTest::addColumn<QByteArray>("date");
        QTest::addColumn<QByteArray>("words");
        QTest::newRow("11th") << QByteArray("11111911") << QByteArray("11th November 1911");
        QTest::newRow("23rd") << QByteArray("23091923") << QByteArray("23rd September 1923");
        QTest::newRow("four digits") << QByteArray(" 2101     ") << QByteArray("21st January 2101");
        QTest::newRow("negative year") << QByteArray("0101-123") << QByteArray("1st January-123");
    }
    void dateWords()
    {
        QFETCH(QByteArray, date);
        DateWords dw;
        formatTrackDate(date.toStdString(), dw);
        QTEST(bytes(dw.dayText + " " + dw.monthText + dw.yearText), "words");
    }

    void displayLine_data()
    {
        QTest::addColumn<QByteArray>("title");
        QTest::addColumn<QByteArray>("date");
        QTest::addColumn<int>("lineside");
        QTest::addColumn<QByteArray>("line");
        QTest::newRow("lineside 1") << QByteArray("Horn") << QByteArray("2101") << 1
                                    << QByteArray("Horn - 21st January 2101 (03:41) [LS]");
        QTest::newRow("blank title on train") << QByteArray(60, ' ') << QByteArray("05051975") << 0
                                              << QByteArray(" - 5th May 1975 (03:41)");
        QTest::newRow("blank title lineside") << QByteArray(60, ' ') << QByteArray("05051975") << -1
                                              << QByteArray("- 5th May 1975 (03:41) [LS]");
    }
    void displayLine()
    {
        QFETCH(QByteArray, title);
        QFETCH(QByteArray, date);
        QFETCH(int, lineside);
        const TrackRecord t = stored(makeTrack(title.toStdString(), date.toStdString(), "03:41", int16_t(lineside)));
        DateWords dw;
        QTEST(bytes(trackDisplayLine(t, dw)), "line");
    }

    void notesEntry_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("noteNo");
        QTest::addColumn<bool>("found");
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("closed");  // a line after the entry closes it, so reading stops there
        const QByteArray six = bytes(fixture::joinLines(kSixLineNotes));
        QTest::newRow("middle entry") << six << 2 << true << QByteArray("Double-headed freight\r\nTwo engines\r\nUphill") << true;
        QTest::newRow("last entry at end of file") << six << 3 << true << QByteArray("End") << false;
        QTest::newRow("beyond the entries") << six << 4 << false << QByteArray() << false;
        QTest::newRow("CR lines") << bytes(fixture::joinLines(kSixLineNotes, "\r")) << 2 << true << QByteArray("Double-headed freight\r\nTwo engines\r\nUphill") << true;
        QTest::newRow("no final line break") << QByteArray("A\r\n#b") << 1 << true << QByteArray("A\r\nb") << false;
        QTest::newRow("empty line is an entry") << QByteArray("A\r\n\r\n#x\r\nB\r\n") << 2 << true << QByteArray("\r\nx") << true;
        QTest::newRow("0: opening continuations") << QByteArray("#one\r\n#two\r\nHead\r\n") << 0 << true << QByteArray("\r\none\r\ntwo") << true;
        QTest::newRow("negative like 0") << QByteArray("#one\r\nHead\r\n") << -2 << true << QByteArray("\r\none") << true;
        QTest::newRow("opening continuations belong to none") << QByteArray("#one\r\nHead\r\n#more\r\n") << 1 << true << QByteArray("Head\r\nmore") << false;
        QTest::newRow("# further on in a head") << QByteArray("Loco #5 # ok\r\n#more\r\nX\r\n") << 1 << true << QByteArray("Loco #5 # ok\r\nmore") << true;
        // Long entries are cut where they stop being worth showing, never inside a character.
        const QByteArray cap(int(kNotesShownMax), 'x');
        const QByteArray leftOut = "\r\n" + QByteArray::fromStdString(std::string(kNotesLeftOut));
        QTest::newRow("long head cut") << cap + "yz\r\nB\r\n" << 1 << true << cap + leftOut << true;
        QTest::newRow("long continuation cut") << "A\r\n#" + cap << 1 << true << "A\r\n" + cap.left(cap.size() - 3) + leftOut << true;
        QTest::newRow("cut before a split UTF-8 character") << "a" + QByteArray("\xC3\xA9").repeated(cap.size() / 2) << 1 << true
                                                           << "a" + QByteArray("\xC3\xA9").repeated(cap.size() / 2 - 1) + leftOut << true;
        QTest::newRow("long line passed over") << "#" + cap + cap + "\r\nB\r\n#c" << 1 << true << QByteArray("B\r\nc") << false;
    }
    void notesEntry()
    {
        QFETCH(QByteArray, content);
        QFETCH(int, noteNo);
        QFETCH(bool, found);
        QFETCH(QByteArray, text);
        const std::optional<std::string> entry = ::notesEntry(content.toStdString(), noteNo);
        QCOMPARE(entry.has_value(), found);
        if (found) QCOMPARE(bytes(*entry), text);
        // Read in small pieces, as from a file: line ends split between pieces change nothing.
        NotesEntryScanner scanner(noteNo);
        bool done = false;
        for (qsizetype at = 0; at < content.size() && !done; at += 3)
            done = scanner.feed(std::string_view(content.constData() + at, size_t(std::min<qsizetype>(3, content.size() - at))));
        QTEST(done, "closed");
        QCOMPARE(scanner.finish(), entry);
    }

    // The album that "make run" opens must be whole: every track's sound and notes present.
    void demoAlbumIsComplete()
    {
        const std::string path = QUILLON_DEMO_DIR "/railway-demo.qdb";
        QCOMPARE(QFileInfo(QString::fromStdString(path)).size() % kRecordSize, 0);
        AlbumFile album;
        QVERIFY(album.open(path));
        std::vector<TrackRecord> tracks;
        album.forEach([&](int32_t, const RecordView& t) { tracks.push_back(t.record()); });
        QVERIFY(tracks.size() >= 2);
        std::set<int> kinds;
        DateWords dw;
        for (const TrackRecord& t : tracks) {
            const QByteArray line = bytes(trackDisplayLine(t, dw));
            QVERIFY2(QRegularExpression(R"(^\S.* - \d+(st|nd|rd|th) [A-Z][a-z]+ \d{4} \(\d\d:\d\d\)( \[LS\])?$)")
                         .match(QString::fromLatin1(line)).hasMatch(), line.constData());
            QVERIFY2(QFileInfo(QString::fromStdString(mp3Path(::folderOf(path), t))).size() > 0, line.constData());
            const auto notes = readNotesEntry(notesPath(::folderOf(path), t), ::noteNumber(t.NoteNo));
            QVERIFY2(notes && !notes->empty(), line.constData());
            kinds.insert(t.Lineside);
        }
        QCOMPARE(kinds, (std::set<int>{-1, 0}));
    }

    void noteNumberRoundsHalfToEven()
    {
        QCOMPARE(::noteNumber("1.5"), 2L);
        QCOMPARE(::noteNumber("2.5"), 2L);
    }
};

QTEST_GUILESS_MAIN(AlbumTest)
#include "album_test.moc"
