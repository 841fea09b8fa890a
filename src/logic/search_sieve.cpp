#include "logic/search_sieve.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

#include "logic/text.h"

namespace {

constexpr std::string_view kMonthsUpper[] = {"JANUARY", "FEBRUARY", "MARCH",     "APRIL",   "MAY",      "JUNE",
                                             "JULY",    "AUGUST",   "SEPTEMBER", "OCTOBER", "NOVEMBER", "DECEMBER"};

// Whether the title holds the probe's key, found where its first, second and last
// bytes lie in their places.
inline bool holds(const TitlePlaces& title, const SieveProbe& probe)
{
    const std::string_view key = probe.text;
    const size_t k = key.size();
    if (k == 0) return true;  // as in every line, which is never empty
    if (k > size_t(FieldWidths::Title)) return false;
    // Only starts whose key ends within the title are left after the shift.
    uint64_t starts = title.places[probe.first] & (title.places[probe.last] >> (k - 1));
    if (k > 1) starts &= title.places[probe.second] >> 1;
    for (; starts; starts &= starts - 1) {
        const char* at = title.upper + std::countr_zero(starts);
        if (k > 16) {
            if (std::memcmp(at, key.data(), k) == 0) return true;
            continue;
        }
        uint64_t w[2];
        std::memcpy(w, at, sizeof w);
        if ((((w[0] ^ probe.head[0]) & probe.headMask[0]) | ((w[1] ^ probe.head[1]) & probe.headMask[1])) == 0)
            return true;
    }
    return false;
}

// An empty word is found in every line, so the title decides for it as for one only in titles.
bool inEveryLineOrOnlyInTitle(std::string_view word)
{
    return word.empty() || onlyInTitle(word);
}

}  // namespace

bool onlyInTitle(std::string_view word)
{
    if (word.empty()) return false;
    bool outsideNumbers = false;  // a byte no day, year or playing time holds
    for (const char c : word) {
        if (c <= ' ' || c > '~' || c == '-') return false;
        outsideNumbers = outsideNumbers || std::string_view("0123456789STNDRH:()").find(c) == std::string_view::npos;
    }
    if (!outsideNumbers || std::string_view("[LS]").find(word) != std::string_view::npos) return false;
    return std::none_of(std::begin(kMonthsUpper), std::end(kMonthsUpper),
                        [&](std::string_view month) { return month.find(word) != std::string_view::npos; });
}


SearchSieve::SearchSieve(const SearchQuery& query) : query_(query), readTitle_(fastestTitleReader())
{
    bool narrows = true;  // every result's title holds one of keys_
    switch (query.mode) {
    case MatchMode::AnyWord:
        // A result holds one of the words it does not exclude.
        decides_ = true;
        for (const SearchWord& word : query.words) {
            decides_ = decides_ && inEveryLineOrOnlyInTitle(word.text);
            if (word.exclude) continue;
            narrows = narrows && onlyInTitle(word.text);
            keys_.push_back(word.text);
        }
        if (!decides_ && !narrows) return;
        break;
    case MatchMode::AllWords:
        // A result holds every word it does not exclude; the longest is likely the rarest.
        decides_ = true;
        for (const SearchWord& word : query.words) {
            decides_ = decides_ && inEveryLineOrOnlyInTitle(word.text);
            if (!word.exclude && onlyInTitle(word.text) && (keys_.empty() || word.text.size() > keys_[0].size()))
                keys_.assign(1, word.text);
        }
        if (keys_.empty() && !decides_) return;
        break;
    case MatchMode::ExactPhrase: {
        // A phrase with no hyphen cannot run on from a title into the " - " after it;
        // one of its words that is only ever in titles keeps it within the title.
        const std::string& phrase = query.phrase;
        if (phrase.empty()) {
            decides_ = true;
            break;
        }
        if (phrase.find('-') != std::string::npos) return;
        bool inTitle = false;
        for (size_t at = 0; at <= phrase.size();) {
            const size_t end = std::min(phrase.find(' ', at), phrase.size());
            inTitle = inTitle || onlyInTitle(std::string_view(phrase).substr(at, end - at));
            at = end + 1;
        }
        for (const char c : phrase)
            if (c < ' ' || c > '~') return;
        if (!inTitle) return;
        keys_.push_back(phrase);
        decides_ = true;
        break;
    }
    }
    for (const std::string& key : keys_) keyProbes_.push_back(probe(key));
    // Only the mode's own keys name bytes: the query keeps both the phrase and the words.
    if (query.mode == MatchMode::ExactPhrase) phraseProbe_ = probe(query.phrase);
    else
        for (const SearchWord& word : query.words) wordProbes_.push_back(probe(word.text));
    // So many different bytes are left to matching every line: the results are the same.
    active_ = chars_.size() <= kMaxTitleChars;
}

SieveProbe SearchSieve::probe(std::string_view key)
{
    SieveProbe probe{key};
    if (key.empty()) return probe;
    if (key.size() <= 16) {
        char head[16] = {}, mask[16] = {};
        std::memcpy(head, key.data(), key.size());
        std::memset(mask, 0xFF, key.size());
        std::memcpy(probe.head, head, sizeof head);
        std::memcpy(probe.headMask, mask, sizeof mask);
    }
    const auto place = [this](char c) {
        size_t at = chars_.find(c);
        if (at == std::string::npos) {
            at = chars_.size();
            chars_ += c;
        }
        return static_cast<unsigned char>(std::min(at, kMaxTitleChars));
    };
    probe.first = place(key.front());
    probe.second = place(key.size() > 1 ? key[1] : key.front());
    probe.last = place(key.back());
    return probe;
}

SearchSieve::Verdict SearchSieve::judge(const RecordView& record, const std::optional<DateNumbers>& date,
                                        bool monthNamed, size_t& titleSize) const
{
    if (!date || !monthNamed) return Verdict::Write;
    for (const char c : record.PlayTime())
        if ((c < '0' || c > '9') && c != ':' && c != ' ') return Verdict::Write;
    TitlePlaces title;
    if (!readTitle_(record.Title().data(), chars_, title)) return Verdict::Write;
    const auto holdsKey = [&](const SieveProbe& probe) { return holds(title, probe); };
    if (!decides_) return std::any_of(keyProbes_.begin(), keyProbes_.end(), holdsKey) ? Verdict::Write : Verdict::Pass;

    // As isSearchResult matches a line, the title standing for the line.
    const std::vector<SearchWord>& words = query_.words;
    bool result = false;
    switch (query_.mode) {
    case MatchMode::AnyWord:
        // The last word found decides, so the search runs from the end and stops at the first found.
        for (size_t w = words.size(); w-- > 0;) {
            if (!holds(title, wordProbes_[w])) continue;
            result = !words[w].exclude;
            break;
        }
        break;
    case MatchMode::AllWords:
        result = true;
        for (size_t w = 0; w < words.size() && result; ++w) result = holds(title, wordProbes_[w]) != words[w].exclude;
        break;
    case MatchMode::ExactPhrase: result = holds(title, phraseProbe_); break;
    }
    if (!result) return Verdict::Pass;
    if (query_.kind != KindFilter::Both && (query_.kind == KindFilter::LinesideOnly) != (record.Lineside() != 0))
        return Verdict::Pass;
    if (query_.code != "ANY" && qtext::trim(record.Code()) != query_.code) return Verdict::Pass;
    titleSize = trimmedSize(title);
    return Verdict::Result;
}
