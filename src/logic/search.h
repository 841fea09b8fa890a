#pragma once
// Finding tracks by the words of their display lines: the search text turned into
// words, the code and kind filters, the three ways of matching, and the results
// file "search.$$$" (one record number per line). Words and lines are matched as
// characters in one form (searchForm), whichever encoding each is stored in.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "logic/search_fold.h"

// A search holds at most this many words; the ones after are left out.
inline constexpr size_t kMaxSearchWords = 20;

// The text as the box shows it after a search: blanks trimmed at both ends, one
// blank appended, upper case (in the encoding the text came in).
std::string normaliseSearchText(std::string_view text);

struct SearchWord {
    std::string text;
    bool exclude = false;  // the word held a hyphen: a line holding it is no result
    bool operator==(const SearchWord&) const = default;
};

struct SearchWords {
    std::vector<SearchWord> words;  // at most kMaxSearchWords
    size_t dropped = 0;             // words past the last one held
};

// Splits normalised text at each blank (two blanks give an empty word); hyphens are
// dropped from a word and make it an exclusion word.
SearchWords splitSearchWords(std::string_view normalised);

enum class MatchMode { AnyWord, AllWords, ExactPhrase };
enum class KindFilter { OnTrainOnly, LinesideOnly, Both };

struct SearchQuery {
    MatchMode mode = MatchMode::AnyWord;
    KindFilter kind = KindFilter::Both;
    std::string code = "ANY";       // "ANY" or a code, compared trimmed and case-sensitive
    std::vector<SearchWord> words;  // for Any word and All words, in search form
    std::string phrase;             // for Exact Phrase: the trimmed text in search form
};

// The query for a text as typed (the box's text) and the filters.
SearchQuery makeSearchQuery(std::string_view typed, MatchMode mode, KindFilter kind, std::string code,
                            size_t* dropped = nullptr);

// True when a track is a result: its record's Code field and its display line in the
// form searches compare (searchForm).
bool isSearchResult(const SearchQuery& query, std::string_view code, std::string_view foldedLine);

// The count a caption "Found: 12" holds: the number from its 7th character on.
long long foundCount(std::string_view caption);
// "Found: 3".
std::string foundCaption(long long count);

// Lines of the results file for these record numbers: " 12 " and CR LF each.
std::string searchResultLines(const std::vector<int32_t>& records);
// True when a results file holds exactly `listed` lines, the last one ended, so lines
// added after them stay in step with the list: line n for list line n - 1.
bool resultsFileInStep(std::string_view bytes, size_t listed);
// The record number on each line of a results file; nullopt for a line that holds
// no positive number.
std::vector<std::optional<int32_t>> parseSearchResults(std::string_view bytes);

// The note shown when a search text had more words than a search holds.
std::string droppedWordsNote(size_t dropped);

// The prompt for a results file that could not be written (lines joined by carriage
// returns); the results list stays as it was.
std::string searchNotSavedMessage(std::string_view path, std::string_view reason);
