#pragma once
// Which records a search can pass over without writing their lines. A word with no
// blank or hyphen that is no part of any day, month, year, playing time or "[LS]" can
// only lie in a line's title, since the title is followed by " - " and the rest is
// made of those; a record whose title lacks it is then no result. Records whose line
// holds anything else (a title not of ASCII, a date not of digits only, a playing time
// not of digits, colons and blanks, a month carried as text) are always written. When
// every word lies only in titles, or is empty and so in every line, the title alone
// tells whether a record is a result.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "logic/date_words.h"
#include "logic/search.h"
#include "logic/title_places.h"
#include "logic/track_record.h"

// A key the sieve looks for in titles, with the places of its first, second and last
// bytes among the bytes the sieve looks for, so each is found once per title.
struct SieveProbe {
    std::string_view text;
    unsigned char first = 0, second = 0, last = 0;
    // A key of up to sixteen bytes as two words, and which of their bytes it fills.
    uint64_t head[2] = {}, headMask[2] = {};
};

class SearchSieve {
public:
    // query must outlive the sieve.
    explicit SearchSieve(const SearchQuery& query);

    // False when every record has to be written.
    bool active() const { return active_; }

    enum class Verdict {
        Write,   // the line has to be written and matched
        Pass,    // the line is no result
        Result,  // the line is a result
    };
    // date: the record's date read as digits; monthNamed: its line shows a month's name.
    // For a result, titleSize is set to the length of its title without leading and
    // trailing blanks.
    Verdict judge(const RecordView& record, const std::optional<DateNumbers>& date, bool monthNamed,
                  size_t& titleSize) const;

private:
    const SearchQuery& query_;
    TitleReader readTitle_;
    bool active_ = false;
    // When every word, or the phrase, lies only in titles or is empty, the title alone decides.
    bool decides_ = false;
    // Otherwise a record whose title holds none of these is no result.
    std::vector<std::string> keys_;
    // The first, second and last bytes of every key, each once; then each key as a probe.
    std::string chars_;
    std::vector<SieveProbe> keyProbes_, wordProbes_;  // wordProbes_ in the query's order
    SieveProbe phraseProbe_;
    SieveProbe probe(std::string_view key);
};

// True for a word that can only lie in the title part of a line (see above).
bool onlyInTitle(std::string_view word);
