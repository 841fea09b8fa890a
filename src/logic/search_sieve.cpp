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

    bool holds(std::string_view key) const
    {
        const size_t k = key.size();
        // Only starts whose key ends within the title are left after the shift.
        uint64_t starts = places(key.front()) & (places(key.back()) >> (k - 1));
        if (k > 2) starts &= places(key[1]) >> 1;
        for (; starts; starts &= starts - 1)
            if (std::memcmp(bytes_ + std::countr_zero(starts), key.data(), k) == 0) return true;
        return false;
    }

private:
    static constexpr size_t kAt[4] = {0, 16, 32, size_t(FieldWidths::Title) - 16};
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
    bool holds(std::string_view key) const { return memmem(bytes_, sizeof bytes_, key.data(), key.size()) != nullptr; }

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
    active_ = true;
}

SearchSieve::Verdict SearchSieve::judge(const RecordView& record, const std::optional<DateNumbers>& date,
                                        bool monthNamed) const
{
    if (!date || !monthNamed) return Verdict::Write;
    for (const char c : record.PlayTime())
        if ((c < '0' || c > '9') && c != ':' && c != ' ') return Verdict::Write;
    UpperTitle title;
    if (!title.read(record.Title())) return Verdict::Write;
    const auto holds = [&](std::string_view word) {
        return word.size() <= size_t(FieldWidths::Title) && title.holds(word);
    };
    if (!decides_) return std::any_of(keys_.begin(), keys_.end(), holds) ? Verdict::Write : Verdict::Pass;

    // As isSearchResult matches a line, the title standing for the line.
    bool result = false;
    switch (query_.mode) {
    case MatchMode::AnyWord:
        for (const SearchWord& word : query_.words)
            if (holds(word.text)) result = !word.exclude;
        break;
    case MatchMode::AllWords:
        result = std::all_of(query_.words.begin(), query_.words.end(),
                             [&](const SearchWord& word) { return holds(word.text) != word.exclude; });
        break;
    case MatchMode::ExactPhrase: result = holds(query_.phrase); break;
    }
    if (!result) return Verdict::Pass;
    if (query_.kind != KindFilter::Both && (query_.kind == KindFilter::LinesideOnly) != (record.Lineside() != 0))
        return Verdict::Pass;
    if (query_.code != "ANY" && qtext::trim(record.Code()) != query_.code) return Verdict::Pass;
    return Verdict::Result;
}
