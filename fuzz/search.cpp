// Searching: the query made of any typed text, a run over an album of any bytes that
// finds exactly the lines the matching rules pass, and the results file read back.
#include "fuzz_support.h"
#include "logic/date_words.h"
#include "logic/search.h"
#include "logic/search_run.h"
#include "logic/text.h"

#include <algorithm>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const fuzz::ScratchFile file("album.qdb");
    fuzz::Input in(data, size);
    const auto mode = MatchMode(in.number<uint8_t>() % 3);
    const auto kind = KindFilter(in.number<uint8_t>() % 3);
    const std::string_view typed = in.piece();
    const std::string code = in.flag() ? "ANY" : std::string(in.bytes(4));
    const std::string monthBefore(monthName(in.number<uint8_t>() % 13));
    const std::string_view records = in.rest();

    // The search form is UTF-8 and folding it again changes nothing.
    const std::string folded = searchForm(typed);
    FUZZ_CHECK(isValidUtf8(folded) && searchForm(folded) == folded);
    size_t dropped = 0;
    const SearchQuery query = makeSearchQuery(typed, mode, kind, code, &dropped);
    FUZZ_CHECK(query.words.size() <= kMaxSearchWords && (dropped == 0 || query.words.size() == kMaxSearchWords));
    // Typed text is found in a line that holds it.
    const SearchQuery any = makeSearchQuery(typed, mode, KindFilter::Both, "ANY");
    const bool hyphen = typed.find('-') != std::string_view::npos;
    if (mode == MatchMode::ExactPhrase || (!hyphen && !qtext::trim(typed).empty()))
        FUZZ_CHECK(isSearchResult(any, "", "<" + folded + ">"));

    // A run over the album finds the lines the rules pass, in album order.
    AlbumFile album;
    FUZZ_CHECK(album.open(file.write(records)));
    SearchRun run(query, album.recordCount(), monthBefore);
    std::vector<int32_t> found;
    size_t widest = 0;
    while (!run.ended())
        run.run(
            album, [] { return true; }, found, widest);
    std::vector<int32_t> expected;
    DateWords words;
    words.monthText = monthBefore;
    album.forEach([&](int32_t n, const RecordView& view) {
        const std::string line = trackDisplayLine(view, words);
        if (!isSearchResult(query, view.Code(), searchForm(line))) return;
        expected.push_back(n);
        FUZZ_CHECK(line.size() <= widest);
    });
    FUZZ_CHECK(found == expected);

    // The results file holds the numbers found, line by line, in step with the list.
    const std::string lines = searchResultLines(found);
    FUZZ_CHECK(resultsFileInStep(lines, found.size()));
    const std::vector<std::optional<int32_t>> back = parseSearchResults(lines);
    FUZZ_CHECK(back.size() == found.size() && std::equal(back.begin(), back.end(), found.begin()));
    for (const std::optional<int32_t>& n : parseSearchResults(records)) FUZZ_CHECK(!n || *n >= 1);
    FUZZ_CHECK(foundCount(foundCaption(int32_t(found.size()))) == int32_t(found.size()));
    return 0;
}
