#include "logic/search_sieve.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "logic/text.h"

namespace {

// Distinct first, second and last bytes of the keys one sieve looks for; a query
// with more (a score of words) is matched line by line instead, with the same results.
constexpr size_t kMaxProbeChars = 48;

constexpr std::string_view kMonthsUpper[] = {"JANUARY", "FEBRUARY", "MARCH",     "APRIL",   "MAY",      "JUNE",
                                             "JULY",    "AUGUST",   "SEPTEMBER", "OCTOBER", "NOVEMBER", "DECEMBER"};

#if defined(__SSE2__)
// A title field in upper case, kept in four overlapping parts of sixteen bytes (the
// last from byte 44), so the places of a byte are found for all 60 at once.
class UpperTitle {
public:
    // False when the title is not all ASCII.
    bool read(std::string_view title)
    {
        const __m128i beforeA = _mm_set1_epi8('a' - 1), afterZ = _mm_set1_epi8('z' + 1), caseBit = _mm_set1_epi8(0x20);
        __m128i any = _mm_setzero_si128();
        for (size_t i = 0; i < 4; ++i) {
            __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(title.data() + kAt[i]));
            any = _mm_or_si128(any, x);
            const __m128i small = _mm_and_si128(_mm_cmpgt_epi8(x, beforeA), _mm_cmplt_epi8(x, afterZ));
            parts_[i] = _mm_sub_epi8(x, _mm_and_si128(small, caseBit));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(bytes_ + kAt[i]), parts_[i]);
        }
        return _mm_movemask_epi8(any) == 0;
    }

    // The bytes probes name by their place in `chars`: each is looked for at most once
    // per title, however many keys share it.
    void lookFor(const std::string& chars)
    {
        chars_ = &chars;
        done_ = 0;
    }
    bool holds(const SieveProbe& probe)
    {
        const std::string_view key = probe.text;
        const size_t k = key.size();
        // Only starts whose key ends within the title are left after the shift.
        uint64_t starts = placesOf(probe.first) & (placesOf(probe.last) >> (k - 1));
        if (k > 2) starts &= placesOf(probe.second) >> 1;
        for (; starts; starts &= starts - 1)
            if (std::memcmp(bytes_ + std::countr_zero(starts), key.data(), k) == 0) return true;
        return false;
    }

private:
    static constexpr size_t kAt[4] = {0, 16, 32, size_t(FieldWidths::Title) - 16};
    uint64_t placesOf(unsigned char i)
    {
        if (!((done_ >> i) & 1)) {
            found_[i] = places((*chars_)[i]);
            done_ |= uint64_t(1) << i;
        }
        return found_[i];
    }
    uint64_t places(char c) const
    {
        const __m128i v = _mm_set1_epi8(c);
        uint64_t found = 0;
        for (size_t i = 0; i < 4; ++i)
            found |= uint64_t(unsigned(_mm_movemask_epi8(_mm_cmpeq_epi8(parts_[i], v)))) << kAt[i];
        return found;
    }
    __m128i parts_[4];
    char bytes_[FieldWidths::Title];
    const std::string* chars_ = nullptr;
    uint64_t done_ = 0;  // which of found_ are found for this title
    uint64_t found_[kMaxProbeChars];
};
#else
class UpperTitle {
public:
    bool read(std::string_view title)
    {
        bool ascii = true;
        for (size_t i = 0; i < title.size(); ++i) {
            const char c = title[i];
            ascii = ascii && static_cast<unsigned char>(c) < 0x80;
            bytes_[i] = c >= 'a' && c <= 'z' ? char(c - 0x20) : c;
        }
        return ascii;
    }
    void lookFor(const std::string&) {}
    bool holds(const SieveProbe& probe) const
    {
        return memmem(bytes_, sizeof bytes_, probe.text.data(), probe.text.size()) != nullptr;
    }

private:
    char bytes_[FieldWidths::Title];
};
#endif

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

SearchSieve::SearchSieve(const SearchQuery& query) : query_(query)
{
    switch (query.mode) {
    case MatchMode::AnyWord:
        // A result holds one of the words it does not exclude.
        decides_ = true;
        for (const SearchWord& word : query.words) {
            decides_ = decides_ && onlyInTitle(word.text);
            if (word.exclude) continue;
            if (!onlyInTitle(word.text)) return;
            keys_.push_back(word.text);
        }
        break;
    case MatchMode::AllWords:
        // A result holds every word it does not exclude; the longest is likely the rarest.
        decides_ = true;
        for (const SearchWord& word : query.words) {
            decides_ = decides_ && onlyInTitle(word.text);
            if (!word.exclude && onlyInTitle(word.text) && (keys_.empty() || word.text.size() > keys_[0].size()))
                keys_.assign(1, word.text);
        }
        if (keys_.empty() && !decides_) return;
        break;
    case MatchMode::ExactPhrase: {
        // A phrase with no hyphen cannot run on from a title into the " - " after it;
        // one of its words that is only ever in titles keeps it within the title.
        const std::string& phrase = query.phrase;
        if (phrase.empty() || phrase.find('-') != std::string::npos) return;
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
    active_ = chars_.size() <= kMaxProbeChars;
}

SieveProbe SearchSieve::probe(std::string_view key)
{
    SieveProbe probe{key};
    if (key.empty()) return probe;
    const auto place = [this](char c) {
        size_t at = chars_.find(c);
        if (at == std::string::npos) {
            at = chars_.size();
            chars_ += c;
        }
        return static_cast<unsigned char>(std::min(at, kMaxProbeChars));
    };
    probe.first = place(key.front());
    probe.second = place(key.size() > 1 ? key[1] : key.front());
    probe.last = place(key.back());
    return probe;
}

SearchSieve::Verdict SearchSieve::judge(const RecordView& record, const std::optional<DateNumbers>& date,
                                        bool monthNamed) const
{
    if (!date || !monthNamed) return Verdict::Write;
    for (const char c : record.PlayTime())
        if ((c < '0' || c > '9') && c != ':' && c != ' ') return Verdict::Write;
    UpperTitle title;
    if (!title.read(record.Title())) return Verdict::Write;
    title.lookFor(chars_);
    const auto holds = [&](const SieveProbe& probe) {
        return probe.text.size() <= size_t(FieldWidths::Title) && title.holds(probe);
    };
    if (!decides_) return std::any_of(keyProbes_.begin(), keyProbes_.end(), holds) ? Verdict::Write : Verdict::Pass;

    // As isSearchResult matches a line, the title standing for the line.
    const std::vector<SearchWord>& words = query_.words;
    bool result = false;
    switch (query_.mode) {
    case MatchMode::AnyWord:
        // The last word found decides, so the search runs from the end and stops at the first found.
        for (size_t w = words.size(); w-- > 0;) {
            if (!holds(wordProbes_[w])) continue;
            result = !words[w].exclude;
            break;
        }
        break;
    case MatchMode::AllWords:
        result = true;
        for (size_t w = 0; w < words.size() && result; ++w) result = holds(wordProbes_[w]) != words[w].exclude;
        break;
    case MatchMode::ExactPhrase: result = holds(phraseProbe_); break;
    }
    if (!result) return Verdict::Pass;
    if (query_.kind != KindFilter::Both && (query_.kind == KindFilter::LinesideOnly) != (record.Lineside() != 0))
        return Verdict::Pass;
    if (query_.code != "ANY" && qtext::trim(record.Code()) != query_.code) return Verdict::Pass;
    return Verdict::Result;
}
