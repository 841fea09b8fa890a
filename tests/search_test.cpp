// Search: the matching rules over byte strings, the results file, and the Search
// page's handlers driven through the window with the fake player.
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <algorithm>
#include <functional>

#include "support/table.h"
#include "album/track_list_model.h"
#include "logic/playlist.h"
#include "logic/search.h"
#include "logic/search_run.h"
#include "logic/title_places.h"
#include "search/search_results_model.h"
#include "support/playback_fixture.h"

using Words = std::vector<SearchWord>;
Q_DECLARE_METATYPE(Words)
Q_DECLARE_METATYPE(MatchMode)
Q_DECLARE_METATYPE(KindFilter)
using Action = void (*)(SearchPage*);
Q_DECLARE_METATYPE(Action)
// Done before a search: the lines it keeps are those listed before another album is loaded.
using Before = std::function<void(FormFixture&, QStringList& kept)>;
Q_DECLARE_METATYPE(Before)

namespace {

using Records = QList<int>;

// Five tracks, or the same in reverse order; the album's text is UTF-8.
std::string writeSearchAlbum(FormFixture& f, bool reversed = false)
{
    const std::string titles[] = {"Express diesel", "Steam on shed", "Goods train", "Express steam",
                                  "Diesel shunter at Orl\303\251ans"};
    const int16_t linesides[] = {0, -1, 0, -1, 0};
    const char* codes[] = {"DSL", "STM", "STM", "STM", "DSL"};
    std::vector<TrackRecord> records;
    std::vector<std::string> notes;
    for (int i = 0; i < 5; ++i) {
        records.push_back(fixture::makeTrack(titles[i], "05051975", "03:41", linesides[i], "t" + std::to_string(i + 1),
                                             "f1", codes[i], std::to_string(i + 1)));
        notes.push_back("Notes of " + titles[i]);
    }
    if (reversed) std::reverse(records.begin(), records.end());
    f.album.writeNotes("f1", notes);
    return f.album.writeAlbum("album.qdb", records);
}

Form1& startOnSearchAlbum(FormFixture& f, bool loaded = true)
{
    f.writeSettings(loaded ? writeSearchAlbum(f) : f.album.filePath("missing.qdb"));
    return f.start();
}

void search(SearchPage* page, const QString& text, QRadioButton* mode, QRadioButton* kind, const QString& code)
{
    page->txtSearch->setText(text);
    mode->setChecked(true);
    kind->setChecked(true);
    page->cbCode->setCurrentIndex(page->cbCode->findText(code));
    page->btnSearch->click();
}

void searchAll(SearchPage* page)
{
    search(page, "", page->opFindAny, page->opSearchBoth, "ANY");
}

// The album written again, reversed, and the track list filled.
void anotherAlbum(FormFixture& f)
{
    writeSearchAlbum(f, true);
    f.form->fmTrackList->FillTrackList();
}

// A large album: months carried from line to line, dates not of digits only, blank,
// UTF-8 and Windows-1252 titles, playing times of words, lineside lines and codes.
std::vector<TrackRecord> largeAlbumTracks(int tracks)
{
    const char* titles[] = {"Express diesel",
                            "Steam on shed",
                            "",
                            "Caf\xc3\xa9 on shed",
                            "Orl\351ans goods",
                            "   Goods",
                            "Steam in shed at Kingmoot, steam on shed at Kingmoot"};
    const char* dates[] = {"12131980", "05051975", " 2101", ".109.001", "0101-123", "00001999", "31129999", "1"};
    const char* codes[] = {"DSL", "STM", ""};
    std::vector<TrackRecord> records;
    for (int n = 0; n < tracks; ++n)
        records.push_back(fixture::makeTrack(titles[n % 7], dates[n / 7 % 8],
                                             n % 13 ? "0" + std::to_string(n % 10) + ":41" : "goods", n % 5 ? 0 : -1,
                                             "t", "f1", codes[n % 3]));
    return records;
}

Records playlistRecords(const FormFixture& f)
{
    Records records;
    for (const PlaylistEntry& entry : parsePlaylist(f.readAppFile("temp.$$$")))
        records.append(recordNumberOf(entry).value_or(-1));
    return records;
}

}  // namespace

class SearchTest : public QObject {
    Q_OBJECT
private slots:
    void splitting_data()
    {
        const auto row = columns<QByteArray, QByteArray, Words, int>({"typed", "shown", "words", "dropped"});
        row("trimmed, one blank after", "  rail  ", "RAIL ", {{"RAIL", false}}, 0);
        row("two blanks give an empty word", "goods  train", "GOODS  TRAIN ",
            {{"GOODS", false}, {"", false}, {"TRAIN", false}}, 0);
        row("empty text is one empty word", "", " ", {{"", false}}, 0);
        row("4-6-2 is one exclusion word", "4-6-2", "4-6-2 ", {{"462", true}}, 0);
        row("Windows-1252 letters", "\xe9t\xe9 \x9a\xff\xf7\xdf", "\xc9T\xc9 \x8a\x9f\xf7\xdf ",
            {{"\xc9T\xc9", false}, {"\x8a\x9f\xf7\xdf", false}}, 0);
        row("UTF-8 letters stay UTF-8", "\xc3\xa9t\xc3\xa9 \xe2\x86\x92", "\xc3\x89T\xc3\x89 \xe2\x86\x92 ",
            {{"\xc3\x89T\xc3\x89", false}, {"\xe2\x86\x92", false}}, 0);
        row("words past the 20th left out", QByteArray("a ").repeated(22), QByteArray("A ").repeated(22),
            Words(20, {"A", false}), 2);
    }

    void splitting()
    {
        auto [typed, words] = fetch<QByteArray, Words>({"typed", "words"});
        const std::string normalised = normaliseSearchText(typed.toStdString());
        QTEST(QByteArray::fromStdString(normalised), "shown");
        const SearchWords split = splitSearchWords(normalised);
        QVERIFY(split.words == words);
        QTEST(int(split.dropped), "dropped");
    }

    void matching_data()
    {
        const auto row = columns<QByteArray, MatchMode, KindFilter, QByteArray, QByteArray, bool>(
            {"typed", "mode", "kind", "filter", "line", "found"});
        const auto any = MatchMode::AnyWord, all = MatchMode::AllWords, phrase = MatchMode::ExactPhrase;
        const auto both = KindFilter::Both, ls = KindFilter::LinesideOnly, ot = KindFilter::OnTrainOnly;
        const QByteArray exDiesel = "Express diesel - 5th May 1975 (03:41)";
        const QByteArray steam = "Steam on shed - 5th May 1975 (03:41) [LS]";
        row("any: exclusion found last rejects", "EXPRESS -DIESEL", any, both, "ANY", exDiesel, false);
        row("any: word found last accepts", "-DIESEL EXPRESS", any, both, "ANY", exDiesel, true);
        row("any: exclusion alone finds nothing", "-diesel", any, both, "ANY", steam, false);
        row("all: exclusion alone finds lines without it", "-diesel", all, both, "ANY", steam, true);
        row("all: exclusion alone rejects lines with it", "-diesel", all, both, "ANY", exDiesel, false);
        row("all: a word missing", "express steam", all, both, "ANY", exDiesel, false);
        row("all: every word", "diesel express", all, both, "ANY", exDiesel, true);
        row("any: empty word found everywhere", "goods  train", any, both, "ANY", steam, true);
        row("all: empty text", "", all, both, "ANY", steam, true);
        row("phrase: empty text", "  ", phrase, both, "ANY", steam, true);
        row("phrase: words together", " on shed ", phrase, both, "ANY", steam, true);
        row("phrase: words apart", "on shed", phrase, both, "ANY", "On the shed", false);
        row("phrase keeps its hyphen", "4-6-2", phrase, both, "ANY", "A 462 loco", false);
        row("word at the very end", "[ls]", any, both, "ANY", steam, true);
        row("word longer than the line", "steamer", any, both, "ANY", "steam", false);
        row("lineside only: not [LS]", "express", any, ls, "ANY", exDiesel, false);
        row("on train only: [LS]", "steam", all, ot, "ANY", steam, false);
        row("phrase, lineside only: [LS]", "steam", phrase, ls, "ANY", steam, true);
        row("code, trimmed", "steam", any, both, "STM", steam, true);
        row("code, case counts", "steam", any, both, "stm", steam, false);
        // Letters match whichever encoding, Windows-1252 or UTF-8, the word and the line are in.
        row("1252 word, UTF-8 line", "\xe9t\xe9", any, both, "ANY", "Summer \xc3\x89t\xc3\xa9", true);
        row("UTF-8 word, 1252 line", "\xc3\xa9T\xc3\xa9", any, both, "ANY", "Summer \xc9t\xe9", true);
        row("1252 capital, UTF-8 small", "\xc9", any, both, "ANY", "Caf\xc3\xa9", true);
        row("1252 small, UTF-8 capitals", "\x9a\x9c\x9e\xff", any, both, "ANY", "\xc5\xa0\xc5\x92\xc5\xbd\xc5\xb8", true);
        row("Cyrillic, any case", "\xd0\xb4\xd1\x91", any, both, "ANY", "\xd0\x94\xd0\x81", true);
        row("UTF-8 letters apart", "\xc4\x8a", any, both, "ANY", "\xc4\x9a", false);
        row("UTF-8 arrow, 1252 line", "\xe2\x86\x92", any, both, "ANY", "x\xc2\x86\x92", false);
        row("accent is no plain letter", "\xe9", any, both, "ANY", "e", false);
    }

    // A search of an album finds the lines matching the query, whether the titles alone
    // decide, narrow the records down, or cannot, and measures the widest of them.
    void searchRunMatchesEveryLine_data()
    {
        const auto row = columns<QByteArray, MatchMode, KindFilter, QByteArray>({"typed", "mode", "kind", "code"});
        const auto any = MatchMode::AnyWord, all = MatchMode::AllWords, phrase = MatchMode::ExactPhrase;
        const auto both = KindFilter::Both;
        row("any: the exclusion last", "shed -steam", any, both, "ANY");
        row("any: the exclusion first", "-steam shed", any, both, "ANY");
        row("any: lineside, a code", "shed goods", any, KindFilter::LinesideOnly, "STM");
        row("all: titles narrow down", "steam 1975", all, both, "ANY");
        row("all: an exclusion", "shed -caf\xc3\xa9", all, KindFilter::OnTrainOnly, "ANY");
        row("phrase in titles", "on shed", phrase, both, "ANY");
        row("phrase of many words", "steam on shed at kingmoot", phrase, both, "ANY");
        row("a month: every line matched", "may", any, both, "ANY");
        row("any: empty text", "", any, KindFilter::LinesideOnly, "ANY");
        row("any: a double blank, an exclusion after", "shed  -goods", any, both, "DSL");
        row("any: an empty exclusion first", "- shed", any, both, "ANY");
        row("all: a double blank", "steam  shed", all, both, "ANY");
        row("phrase: empty", "", phrase, KindFilter::OnTrainOnly, "STM");
    }
    void searchRunMatchesEveryLine()
    {
        auto [typed, mode, kind,
              code] = fetch<QByteArray, MatchMode, KindFilter, QByteArray>({"typed", "mode", "kind", "code"});
        const std::vector<TrackRecord> tracks = largeAlbumTracks(9000);
        const SearchQuery query = makeSearchQuery(typed.toStdString(), mode, kind, code.toStdString());
        std::vector<int32_t> expected, found;
        size_t widest = 0, expectedWidest = 0;
        DateWords carried;
        for (size_t n = 0; n < tracks.size(); ++n) {
            const std::string record = fixture::recordBytes(tracks[n]), line = trackDisplayLine(tracks[n], carried);
            if (!isSearchResult(query, RecordView(record).Code(), searchForm(line))) continue;
            expected.push_back(int32_t(n + 1));
            expectedWidest = std::max(expectedWidest, line.size());
        }
        fixture::AlbumDir dir;
        AlbumFile album;
        QVERIFY(album.open(dir.writeAlbum("album.qdb", tracks)));
        SearchRun run(query, int32_t(tracks.size()), "");
        run.run(
            album, [] { return true; }, found, widest);
        QVERIFY(run.ended() && !expected.empty());
        QVERIFY(found == expected);
        QCOMPARE(widest, expectedWidest);
    }

    // Every reader of titles the processor runs finds the same places as the plainest:
    // letters in upper case only from 'a' to 'z', any byte of 128 or more ending it.
    void titleReadersAgree_data()
    {
        const auto row = columns<QByteArray, QByteArray, bool, QList<int>, int>(
            {"title", "chars", "ascii", "firstPlaces", "trimmed"});
        row("mixed case", "Steam on shed", "SEH", true, {0, 9}, 13);
        row("blanks around", "  leading and trailing  ", "LG", true, {2, 18}, 20);
        row("by the letters", "@[`{az", "@[AZ", true, {0}, 6);
        row("last byte", QByteArray(59, '.') + "z", "Z.", true, {59}, 60);
        row("second half only", QByteArray(40, ' ') + "crewe", "E", true, {42, 44}, 5);
        row("blanks looked for", "  a b", "A B", true, {2}, 3);
        row("control and DEL", "\x01\x7f\x1f", "\x7f", true, {1}, 3);
        row("not ASCII first", "\xe9t\xe9", "T", false, {}, 0);
        row("not ASCII last", QByteArray(59, 'a') + "\x80", "A", false, {}, 0);
        row("all blanks", "", "X ", true, {}, 0);
    }
    void titleReadersAgree()
    {
        auto [given, chars, ascii, firstPlaces, trimmed] = fetch<QByteArray, QByteArray, bool, QList<int>, int>(
            {"title", "chars", "ascii", "firstPlaces", "trimmed"});
        const QByteArray title = given.leftJustified(FieldWidths::Title, ' ');
        const auto readers = titleReaders();
        QVERIFY(readers.size() >= 1 && fastestTitleReader() == readers.back().second);
        const std::string_view looked(chars.constData(), size_t(chars.size()));
        TitlePlaces plain{};
        QCOMPARE(readers.front().second(title.constData(), looked, plain), ascii);
        for (const auto& [name, read] : readers) {
            TitlePlaces out{};
            QVERIFY2(read(title.constData(), looked, out) == ascii, name);
            if (!ascii) continue;
            QCOMPARE(QByteArray(out.upper, sizeof out.upper), QByteArray(plain.upper, sizeof plain.upper));
            QCOMPARE(QByteArray(out.upper, int(title.size())), title.toUpper());
            QCOMPARE(out.nonBlanks, plain.nonBlanks);
            QCOMPARE(int(trimmedSize(out)), trimmed);
            for (size_t n = 0; n < looked.size(); ++n) QCOMPARE(out.places[n], plain.places[n]);
            QList<int> first;
            for (int i = 0; i < 64; ++i)
                if ((out.places[0] >> i) & 1) first.append(i);
            QCOMPARE(first, firstPlaces);
        }
    }

    void matching()
    {
        auto [typed, mode, kind, filter, line] = fetch<QByteArray, MatchMode, KindFilter, QByteArray, QByteArray>(
            {"typed", "mode", "kind", "filter", "line"});
        const SearchQuery query = makeSearchQuery(typed.toStdString(), mode, kind, filter.toStdString());
        QTEST(isSearchResult(query, "STM ", searchForm(line.toStdString())), "found");
    }

    void searching_data()
    {
        // mode: any, all, phrase; kind: on train, lineside, both; before: done before the search,
        // keeping the lines listed before another album is loaded; album: whether the window starts with one
        const auto row = columns<QString, int, int, QString, Records, QString, Before, bool>(
            {"text", "mode", "kind", "code", "found", "shown", "before", "album"});
        const Before none = [](FormFixture&, QStringList&) {};
        const auto changed = [](QByteArray content) {  // the list starts again with the file
            return Before([content](FormFixture& f, QStringList&) {
                searchAll(f.form->fmSearch);
                if (content.isNull()) QFile::remove(QString::fromStdString(f.appFile("search.$$$")));
                else f.writeAppFile("search.$$$", content.toStdString());
            });
        };
        const Before blocked = [](FormFixture& f, QStringList&) {
            QDir().mkdir(QString::fromStdString(f.appFile("search.$$$")));
        };
        const Before cleared = [](FormFixture& f, QStringList&) {
            searchAll(f.form->fmSearch);
            f.form->fmSearch->btnSearchClear->click();
            anotherAlbum(f);
        };
        const Before listed = [](FormFixture& f, QStringList& kept) {
            SearchPage* page = f.form->fmSearch;
            search(page, "express", page->opFindAny, page->opSearchBoth, "ANY");
            for (int p = 0; p < page->lstSearchRes->listCount(); ++p) kept << page->lstSearchRes->itemText(p);
            anotherAlbum(f);
        };
        const Before once = [](FormFixture& f, QStringList&) {
            search(f.form->fmSearch, "  express ", f.form->fmSearch->opFindAny, f.form->fmSearch->opSearchBoth, "ANY");
        };
        row("no album: nothing at all", "express", 0, 2, "ANY", {}, "express", none, false);
        row("results file cannot be written", "express", 0, 2, "ANY", {}, "EXPRESS ", blocked, true);
        row("cleared, album filled again", "express", 0, 2, "ANY", {2, 5}, "EXPRESS ", cleared, true);
        row("listed lines kept, another album", "express", 0, 2, "ANY", {1, 4, 2, 5}, "EXPRESS ", listed, true);
        row("results file removed", "express", 0, 2, "ANY", {1, 4}, "EXPRESS ", changed({}), true);
        row("results file cut short", "express", 0, 2, "ANY", {1, 4}, "EXPRESS ", changed(" 1 \r\n 2 \r\n"), true);
        row("results file last line unended", "express", 0, 2, "ANY", {1, 4}, "EXPRESS ",
            changed(" 1 \r\n 2 \r\n 3 \r\n 4 \r\n 5"), true);
        row("any word, twice accumulates", "  express ", 0, 2, "ANY", {1, 4, 1, 4}, "EXPRESS ", once, true);
        row("lineside only", "express", 0, 1, "ANY", {4}, "EXPRESS ", none, true);
        row("on train only", "", 1, 0, "STM", {3}, " ", none, true);
        row("typed accent, UTF-8 album", "orl\u00e9ans", 0, 2, "ANY", {5}, "ORL\u00c9ANS ", none, true);
        row("exact phrase", "on shed", 2, 2, "ANY", {2}, "ON SHED ", none, true);
        row("22 words: 20 searched", QString("q ").repeated(21) + "steam", 0, 2, "ANY", {},
            QString("Q ").repeated(21) + "STEAM ", none, true);
    }

    void searching()
    {
        auto [text, mode, kind, code, found, before, album] = fetch<QString, int, int, QString, Records, Before, bool>(
            {"text", "mode", "kind", "code", "found", "before", "album"});
        FormFixture f;
        Form1& form = startOnSearchAlbum(f, album);
        SearchPage* page = form.fmSearch;
        QStringList kept;  // the lines listed before another album is loaded
        before(f, kept);
        const bool blocked = QFileInfo(QString::fromStdString(f.appFile("search.$$$"))).isDir();  // a FIFO is replaced
        QRadioButton* modes[] = {page->opFindAny, page->opFindAll, page->opFindPhrase};
        QRadioButton* kinds[] = {page->opSearchOT, page->opSearchLS, page->opSearchBoth};
        search(page, text, modes[mode], kinds[kind], code);
        QTEST(page->txtSearch->text(), "shown");
        QCOMPARE(page->lblFound->text(), QString("Found: %1").arg(found.size()));
        QCOMPARE(page->lstSearchRes->listCount(), int(found.size()));
        std::string file;  // one record number a line, a blank each side, CR LF
        for (int p = 0; p < found.size(); ++p) {
            QCOMPARE(page->lstSearchRes->itemText(p),
                     p < kept.size() ? kept[p] : form.fmTrackList->lstTracks->itemText(found[p] - 1));
            file += " " + std::to_string(found[p]) + " \r\n";
        }
        QCOMPARE(f.readAppFile("search.$$$"), file);
        QCOMPARE(page->lblSearchNote->text().isEmpty(), text.count(' ') < 20);
        QCOMPARE(f.messages.shown.size(), blocked ? 1 : 0);
        if (blocked) QVERIFY(f.messages.shown[0].prompt.contains("\r\rReason: not a regular file\r"));
    }

    // Searching every track of a large album goes on between the window's events; each
    // time the window has them, the list, the count and the results file agree, and the
    // results found are listed no more often than the delivery interval lets them.
    void largeAlbumInStep_data()
    {
        const auto row = columns<int>({"interval"});
        row("listed each slice", 0);
        row("listed at the end", 3600000);
    }

    void largeAlbumInStep()
    {
        QFETCH(int, interval);
        constexpr int kTracks = 60000;
        FormFixture f;
        f.writeSettings(f.album.writeAlbum("album.qdb", largeAlbumTracks(kTracks)));
        Form1& form = f.start();
        SearchPage* page = form.fmSearch;
        page->setSearchSlice(0);
        page->setDeliveryInterval(interval);
        QSignalSpy listed(page->searchLines, &QAbstractItemModel::rowsInserted);
        int turns = 0;
        bool inStep = true;
        const auto searched = [&] {
            ++turns;
            const std::string file = f.readAppFile("search.$$$");
            const int listed = page->lstSearchRes->listCount();
            inStep = inStep && std::count(file.begin(), file.end(), '\n') == listed
                     && page->lblFound->text() == QString("Found: %1").arg(listed);
            return !page->searching();
        };
        searchAll(page);
        QVERIFY(QTest::qWaitFor(searched, 120000));
        QVERIFY(turns > 1 && inStep);
        QVERIFY(interval ? listed.count() == 1 : listed.count() > 1);
        std::string file;
        for (int n = 1; n <= kTracks; ++n) file += " " + std::to_string(n) + " \r\n";
        QCOMPARE(f.readAppFile("search.$$$"), file);
        for (const int row : {0, 4095, 4096, kTracks - 1})
            QCOMPARE(page->lstSearchRes->itemText(row), form.fmTrackList->lstTracks->itemText(row));
    }

    void popups_data()
    {
        const auto row = columns<int, bool, bool>({"button", "playlistPlays", "shown"});
        row("right", 2, false, true);
        row("right while the playlist plays", 2, true, false);
        row("left", 1, false, false);
    }

    void popups()
    {
        auto [button, playlistPlays] = fetch<int, bool>({"button", "playlistPlays"});
        FormFixture f;
        Form1& form = startOnSearchAlbum(f);
        SearchPage* page = form.fmSearch;
        form.lblTabSearch_Click();
        page->lstSearchRes_MouseDown(2, 0, 300, 500);
        form.fmSeNotes->show();
        form.fmPlaylist->btnPlDelete->show();  // left by a right-click before the Search page was shown
        if (playlistPlays) form.session->setMode(Mode::Playlist);
        page->lstSearchRes_MouseDown(button, 0, 300, 1000);
        QTEST(page->btnSearchAddtoPlayList->isVisible(), "shown");
        QTEST(page->btnSeDetails->isVisible(), "shown");
        QVERIFY(!form.fmSeNotes->isVisible() && form.fmPlaylist->btnPlDelete->isHidden());
    }

    void actions_data()
    {
        // fileLines: lines left in the results file, -1 all; current: CurrentRecord afterwards;
        // shown: whether the Playlist page shows, the notes show, and the track plays
        const auto row = columns<Action, Records, int, Records, int, QString, QList<bool>>(
            {"action", "selected", "fileLines", "playlist", "current", "status", "shown"});
        const Action add = [](SearchPage* p) { p->btnSearchAddtoPlayList->click(); };
        const Action copy = [](SearchPage* p) { p->btnCopyToPlayList->click(); };
        const Action notes = [](SearchPage* p) { p->btnSeDetails->click(); };
        const Action play = [](SearchPage* p) { doubleClickRow(p->lstSearchRes, p->lstSearchRes->listIndex()); };
        row("add selected, list order", add, {3, 1}, -1, {2, 4}, 5, "", {0, 0, 0});
        row("add, short file", add, {3, 1}, 2, {2}, 2, "", {0, 0, 0});
        row("copy all", copy, {}, -1, {1, 2, 3, 4, 5}, 1, "", {1, 0, 0});
        row("copy all, short file", copy, {}, 2, {1, 2}, 1, "", {1, 0, 0});
        row("copy all, no results", copy, {}, 0, {}, 1, "", {1, 0, 0});
        row("notes", notes, {2}, -1, {}, 3, "", {0, 1, 0});
        row("notes, short file", notes, {3}, 2, {}, 1, "Player Stopped", {0, 1, 0});
        row("play", play, {1}, -1, {}, 2, "", {0, 0, 1});
        row("play, short file", play, {3}, 2, {}, 1, "Player Stopped", {0, 0, 0});
    }

    void actions()
    {
        auto [action, selected, fileLines, playlist, status,
              shown] = fetch<Action, Records, int, Records, QString, QList<bool>>({"action", "selected", "fileLines",
                                                                                   "playlist", "status", "shown"});
        FormFixture f;
        Form1& form = startOnSearchAlbum(f);
        SearchPage* page = form.fmSearch;
        form.lblTabSearch_Click();
        searchAll(page);
        if (fileLines == 0) page->btnSearchClear->click();
        if (fileLines > 0) f.writeAppFile("search.$$$", " 1 \r\n 2 \r\n");
        if (selected.size() == 1) page->lstSearchRes->setListIndex(selected.first());
        else
            for (const int row : selected) page->lstSearchRes->setSelected(row, true);
        action(page);
        settle();
        QCOMPARE(playlistRecords(f), playlist);
        QTEST(form.session->currentRecord(), "current");
        if (!status.isEmpty()) QCOMPARE(form.lblPlayMode->text(), status);
        const bool plays = form.session->mode() == Mode::SearchOne;
        QCOMPARE(QList<bool>({form.fmPlaylist->isVisible(), form.fmSeNotes->isVisible(), plays}), shown);
        if (shown[1] && status.isEmpty())
            QCOMPARE(form.fmSeNotes->txtSENotes->toPlainText(), QString("Notes of Goods train"));
        QCOMPARE(f.player.sourceFiles.join(';').endsWith("f1/t2.mp3"), plays);
        if (!shown[1])
            QCOMPARE(form.fmTrackList->lstTracks->listIndex(), plays ? 1 : 0);  // the track played is shown selected
    }
};

QTEST_MAIN(SearchTest)
#include "search_test.moc"
