// The Search page on an album of 100,000 tracks. Figures (each the median of five
// runs, window shown on the offscreen platform, results list cleared before and
// painted after each search):
//   any word      - 'Any word' with three words;
//   all words     - 'All words' with two words and an exclusion word;
//   exact phrase  - 'Exact Phrase' with a two-word phrase;
//   empty text    - every track listed;
//   first search  - 'Any word' again right after the track list was filled, which
//                   formats the album's lines for searching once;
// and, as the floor, one memmem scan of the same 100,000 upper-case display lines
// held in memory for a single word.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "form/form1.h"
#include "logic/date_words.h"
#include "logic/search.h"
#include "logic/track_record.h"
#include "platform/dialogs.h"
#include "platform/help_viewer.h"
#include "platform/message_box.h"
#include "platform/window_system.h"
#include "search/search_page.h"
#include "bench_folder.h"
#include "silent_player.h"

namespace {

constexpr int kTracks = 100000;
constexpr int kRuns = 5;

void writeFiles(const std::string& folder)
{
    const char* kinds[] = {"Steam", "Diesel", "Electric", "Shunter", "Freight", "Express", "Parcels", "Railcar"};
    const char* doings[] = {"passing at speed", "on shed", "departing", "arriving", "climbing the bank",
                            "whistling in the tunnel", "standing at the platform"};
    const char* places[] = {"Tonbridge", "Carlisle", "Shap", "Dawlish", "Crewe", "York", "Ais Gill", "Barmouth"};
    const char* codes[] = {"STM", "DSL", "ELC", "DMU"};
    std::mt19937 random(11);
    auto pick = [&](auto& pool) { return std::string(pool[random() % std::size(pool)]); };
    std::ofstream album(folder + "album.qdb", std::ios::binary);
    for (int n = 1; n <= kTracks; ++n) {
        TrackRecord rec;
        rec.TrackDate = "1506197" + std::to_string(n % 10);
        rec.NoteNo = "1";
        rec.PlayTime = "03:41";
        rec.Title = pick(kinds) + " " + pick(doings) + " " + pick(places);
        rec.Lineside = random() % 2 ? -1 : 0;
        rec.Mp3Name = "t" + std::to_string(n);
        rec.Folder = "f1";
        rec.Code = pick(codes);
        album << serializeRecord(rec);
    }
    std::ofstream(folder + "f1/details.qvt", std::ios::binary) << "Recorded at the lineside.\r\nEnd\r\n";
}

// The display lines of the album in search form, as the floor scans them.
std::vector<std::string> upperLines(AlbumFile& album)
{
    std::vector<std::string> lines;
    DateWords date;
    album.forEach([&](int32_t, const RecordView& record) { lines.push_back(searchForm(trackDisplayLine(record, date))); });
    return lines;
}

}  // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const BenchFolder scratch;
    const std::string& folder = scratch.path;
    writeFiles(folder);

    BenchWindow window(folder);
    Form1& form = window.form;
    form.lblTabSearch_Click();
    QApplication::processEvents();
    SearchPage& page = *form.fmSearch;

    struct Case {
        const char* name;
        const char* text;
        QRadioButton* mode;
    };
    const Case cases[] = {{"any word, three words", "express shunter railcar", page.opFindAny},
                          {"all words, one excluded", "diesel shap -departing", page.opFindAll},
                          {"exact phrase", "on shed", page.opFindPhrase},
                          {"empty text, every track", "", page.opFindAny}};

    std::vector<std::string> lines = upperLines(form.m.Album);
    std::vector<double> floorMs;
    size_t floorHits = 0;
    for (int run = 0; run < kRuns; ++run) {
        QElapsedTimer timer;
        timer.start();
        floorHits = 0;
        for (const std::string& line : lines) floorHits += memmem(line.data(), line.size(), "SHED", 4) != nullptr;
        floorMs.push_back(timer.nsecsElapsed() / 1e6);
    }
    const double floor = median(floorMs);
    std::printf("Search on an album of %d tracks (median of %d runs, list shown and painted)\n", kTracks, kRuns);
    std::printf("  floor: one memmem scan of the %zu lines in memory: %.2f ms (%zu hits)\n", lines.size(), floor,
                floorHits);
    for (const Case& c : cases) {
        // Without the window: formatting every line from the album records and matching,
        // what the first search after filling the track list does besides the list.
        std::vector<double> scanMs;
        for (int run = 0; run < kRuns; ++run) {
            const SearchQuery query = makeSearchQuery(c.text, c.mode == page.opFindAll ? MatchMode::AllWords
                                                              : c.mode == page.opFindPhrase ? MatchMode::ExactPhrase
                                                                                            : MatchMode::AnyWord,
                                                      KindFilter::Both, "ANY");
            QElapsedTimer timer;
            timer.start();
            DateWords date;
            size_t hits = 0;
            form.m.Album.forEach([&](int32_t, const RecordView& record) {
                hits += isSearchResult(query, record.Code(), searchForm(trackDisplayLine(record, date)));
            });
            scanMs.push_back(timer.nsecsElapsed() / 1e6);
        }
        std::vector<double> ms;
        for (int run = 0; run < kRuns; ++run) {
            page.btnSearchClear->click();
            c.mode->setChecked(true);
            page.txtSearch->setText(QString::fromLatin1(c.text));
            QApplication::processEvents();
            ms.push_back(paintedMs(form, [&] { page.btnSearch->click(); }));
        }
        const double t = median(ms);
        std::printf("  %-26s %7.1f ms  %6d results  %5.1f x floor  (formatting + matching %.1f ms, %.1f x floor)\n", c.name,
                    t, page.lstSearchRes->listCount(), t / floor, median(scanMs), median(scanMs) / floor);
    }
    // The first search after the track list is filled formats the album's lines once.
    std::vector<double> first;
    for (int run = 0; run < kRuns; ++run) {
        page.btnSearchClear->click();
        page.opFindAny->setChecked(true);
        page.txtSearch->setText(QStringLiteral("express shunter railcar"));
        form.FillTrackList();
        QApplication::processEvents();
        first.push_back(paintedMs(form, [&] { page.btnSearch->click(); }));
    }
    std::printf("  first search after filling the track list (any word): %.1f ms, %.1f x floor\n", median(first),
                median(first) / floor);
    form.Form_Unload();
    return 0;
}
