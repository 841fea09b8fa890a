#pragma once
// Which records a search can pass over without writing their lines. A word with no
// blank or hyphen that is no part of any day, month, year, playing time or "[LS]" can
// only lie in a line's title, since the title is followed by " - " and the rest is
// made of those; a record whose title lacks it is then no result. Records whose line
// holds anything else (a title not of ASCII, a date not of digits only, a playing time
// not of digits, colons and blanks, a month carried as text) are always written.
#include <optional>
#include <string>
#include <vector>

#include "logic/date_words.h"
#include "logic/search.h"
#include "logic/track_record.h"

class SearchSieve {
public:
    explicit SearchSieve(const SearchQuery& query);

    // False when every record has to be written.
    bool active() const { return active_; }
    // True when the record's line may be a result, so it has to be written and matched.
    // date: the record's date read as digits; monthNamed: its line shows a month's name.
    bool mayHold(const RecordView& record, const std::optional<DateNumbers>& date, bool monthNamed) const;

private:
    bool active_ = false;
    // A record whose title holds none of these is no result.
    std::vector<std::string> keys_;
};

// True for a word that can only lie in the title part of a line (see above).
bool onlyInTitle(std::string_view word);
