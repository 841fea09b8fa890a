// The Search page on generated albums of 100,000 and 1,000,000 tracks (written by
// this benchmark into a scratch folder, titles of words from small pools). Every
// figure is the median of the runs, with the window shown on the offscreen platform
// and runs of the different figures interleaved, so a busy machine slows them alike:
//   floor         - one memmem pass for a single word over the same display lines,
//                   upper-cased and held in memory (no file read, no formatting);
//   first search  - the track list filled again from the album, then the search at
//                   once, while the album's scan runs beside it: click to the results
//                   list painted by the window's event loop, results cleared before;
//   later search  - the same search again (list cleared before, painted after);
//   every track   - the empty text, every track listed and written to the results
//                   file: click to the last line listed and painted, and the longest
//                   stretch in that time the window's event loop did not turn;
//   with all listed - an exact phrase search while every track is still listed,
//                   which also checks the results file against the list.
// The modes: 'Any word' with three words, 'All words' with two words and an
// exclusion word, 'Exact Phrase' with a two-word phrase.
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "bench_folder.h"
#include "album/track_list_page.h"
#include "form/form1.h"
#include "logic/date_words.h"
#include "logic/search.h"
#include "logic/search_run.h"
#include "logic/track_record.h"
#include "search/search_page.h"

namespace {

constexpr int kRuns = 5;

void writeFiles(const std::string& folder, int tracks)
{
    const char* kinds[] = {"Steam", "Diesel", "Electric", "Shunter", "Freight", "Express", "Parcels", "Railcar"};
    const char* doings[] =
        {"passing at speed",        "on shed", "departing", "arriving", "climbing the bank", "whistling in the tunnel",
         "standing at the platform"};
    const char* places[] = {"Tonbridge", "Carlisle", "Shap", "Dawlish", "Crewe", "York", "Ais Gill", "Barmouth"};
    const char* codes[] = {"STM", "DSL", "ELC", "DMU"};
    std::mt19937 random(11);
    auto pick = [&](auto& pool) { return std::string(pool[random() % std::size(pool)]); };
    std::ofstream album(folder + "album.qdb", std::ios::binary);
    for (int n = 1; n <= tracks; ++n) {
        TrackRecord rec;
        rec.TrackDate = std::to_string(10 + n % 19) + "0" + std::to_string(1 + n % 9) + "19"
                        + std::to_string(50 + n % 37);
        rec.NoteNo = "1";
        rec.PlayTime = "0" + std::to_string(n % 10) + ":41";
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

double floorMs(const std::vector<std::string>& lines, size_t& hits)
{
    QElapsedTimer timer;
    timer.start();
    hits = 0;
    for (const std::string& line : lines) hits += memmem(line.data(), line.size(), "SHED", 4) != nullptr;
    return timer.nsecsElapsed() / 1e6;
}

// Counts the paints of a widget, to tell that the window did paint what changed.
class PaintCount : public QObject {
public:
    explicit PaintCount(QWidget* widget) : widget_(widget) { widget->installEventFilter(this); }
    ~PaintCount() override { widget_->removeEventFilter(this); }
    bool eventFilter(QObject*, QEvent* event) override
    {
        paints += event->type() == QEvent::Paint;
        return false;
    }
    int paints = 0;

private:
    QWidget* widget_;
};

// Click to the search's last results listed and painted, as the window paints them:
// once, when its event loop turns after the search.
double searchedMs(SearchPage& page)
{
    const PaintCount painted(page.lstSearchRes->viewport());
    QElapsedTimer timer;
    timer.start();
    page.btnSearch->click();
    while (page.searching()) QApplication::processEvents();
    QApplication::processEvents();
    if (painted.paints == 0) page.lstSearchRes->viewport()->repaint();
    return timer.nsecsElapsed() / 1e6;
}

void prepare(SearchPage& page, QRadioButton* mode, const char* text)
{
    page.btnSearchClear->click();
    mode->setChecked(true);
    page.txtSearch->setText(QString::fromLatin1(text));
    QApplication::processEvents();
}

// Click to every track listed and painted, and the longest time the event loop did not turn.
std::pair<double, double> everyTrack(Form1& form, SearchPage& page, int tracks)
{
    const QString done = QStringLiteral("Found: %1").arg(tracks);
    QElapsedTimer clock;
    qint64 last = 0, longest = 0;
    QEventLoop loop;
    QTimer tick;
    tick.setInterval(0);
    QObject::connect(&tick, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        longest = std::max(longest, now - last);
        last = now;
        if (!page.searching() && page.lblFound->text() == done && page.lstSearchRes->listCount() == tracks) loop.quit();
    });
    QTimer::singleShot(0, &page, [&] { page.btnSearch->click(); });
    clock.start();
    tick.start();
    loop.exec();
    form.repaint();
    return {clock.nsecsElapsed() / 1e6, longest / 1e6};
}

void benchAlbum(int tracks)
{
    const BenchFolder scratch;
    writeFiles(scratch.path, tracks);
    BenchWindow window(scratch.path);
    Form1& form = window.form;
    form.lblTabSearch_Click();
    QApplication::processEvents();
    SearchPage& page = *form.fmSearch;

    struct Case {
        const char* name;
        const char* text;
        QRadioButton* mode;
        MatchMode match;
        std::vector<double> first, later, alone;
        int found = 0;
    };
    Case cases[] = {{"any word, three words", "express shunter railcar", page.opFindAny, MatchMode::AnyWord, {}, {}, {}},
                    {"all words, one excluded", "diesel shap -departing", page.opFindAll, MatchMode::AllWords, {}, {}, {}},
                    {"exact phrase", "on shed", page.opFindPhrase, MatchMode::ExactPhrase, {}, {}, {}}};
    const std::vector<std::string> lines = upperLines(form.m.Album);
    std::vector<double> floors, every, stalls, withAll;
    size_t floorHits = 0;
    for (int run = 0; run < kRuns; ++run) {
        floors.push_back(floorMs(lines, floorHits));
        for (Case& c : cases) {
            form.fmTrackList->FillTrackList();
            prepare(page, c.mode, c.text);
            c.first.push_back(searchedMs(page));
            prepare(page, c.mode, c.text);
            c.later.push_back(searchedMs(page));
            c.found = page.lstSearchRes->listCount();
            QElapsedTimer timer;
            timer.start();
            SearchRun alone(makeSearchQuery(c.text, c.match, KindFilter::Both, "ANY"), tracks, std::string());
            std::vector<int32_t> records;
            size_t widest = 0;
            alone.run(
                form.m.Album, [] { return true; }, records, widest);
            c.alone.push_back(timer.nsecsElapsed() / 1e6);
        }
        prepare(page, page.opFindAny, "");
        const auto [ms, stall] = everyTrack(form, page, tracks);
        every.push_back(ms);
        stalls.push_back(stall);
        page.opFindPhrase->setChecked(true);
        page.txtSearch->setText(QStringLiteral("on shed"));
        QApplication::processEvents();
        withAll.push_back(searchedMs(page));
    }
    const double floor = median(floors);
    std::printf("Search on an album of %d tracks (median of %d interleaved runs, list shown and painted)\n", tracks,
                kRuns);
    std::printf("  floor: one memmem pass over the %zu display lines in memory: %.2f ms (%zu hits)\n", lines.size(),
                floor, floorHits);
    for (const Case& c : cases)
        std::printf("  %-24s first %7.1f ms (%4.1f x floor)  later %7.1f ms (%4.1f x floor)  %7d results\n", c.name,
                    median(c.first), median(c.first) / floor, median(c.later), median(c.later) / floor, c.found);
    for (const Case& c : cases)
        std::printf("  %-24s reading, formatting and matching alone %7.1f ms (%4.1f x floor)\n", c.name,
                    median(c.alone), median(c.alone) / floor);
    std::printf("  every track (empty text): %.1f ms to all %d listed, longest event-loop stall %.1f ms\n",
                median(every), tracks, median(stalls));
    std::printf("  exact phrase with all %d still listed: %.1f ms\n", tracks, median(withAll));
    form.Form_Unload();
}

}  // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    // An album size given on the command line is the only one run.
    if (argc > 1) benchAlbum(std::atoi(argv[1]));
    else
        for (const int tracks : {100000, 1000000}) benchAlbum(tracks);
    return 0;
}
