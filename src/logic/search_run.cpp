#include "logic/search_run.h"

#include <algorithm>
#include <cstring>
#include <functional>

#include "logic/text.h"
#include "logic/word_places.h"

namespace {

constexpr int32_t kBlockRecords = 4096;

bool lineside(std::string_view line)
{
    return line.size() >= 4 && line.substr(line.size() - 4) == "[LS]";
}

}  // namespace

class SearchRun::Finder {
public:
    explicit Finder(const std::string& word) : word_(word) {}

    // Marks the lines holding the word: one pass through the lines end to end, a place
    // counting only when the word lies within one line.
    void mark(const LineList& lines, std::vector<uint8_t>& holds) const
    {
        const std::vector<size_t>& ends = lines.ends();
        holds.assign(ends.size(), 0);
        if (word_.empty()) {
            for (size_t i = 0; i < ends.size(); ++i) holds[i] = !lines[i].empty();
            return;
        }
        size_t line = 0;
        eachPlace(lines.text(), word_, [&](size_t at) {
            while (ends[line] <= at) ++line;
            if (at + word_.size() <= ends[line]) holds[line] = 1;
        });
    }

private:
    const std::string& word_;
};

SearchRun::SearchRun(SearchQuery query, int32_t lines, std::string monthBefore)
    : query_(std::move(query)), sieve_(query_), lines_(lines), writer_(std::move(monthBefore))
{
    if (query_.mode == MatchMode::ExactPhrase) {
        finders_.push_back(std::make_unique<Finder>(query_.phrase));
        return;
    }
    for (const SearchWord& word : query_.words) finders_.push_back(std::make_unique<Finder>(word.text));
}

SearchRun::~SearchRun() = default;

void SearchRun::markResults()
{
    const size_t n = folded_.size();
    const KindFilter kind = query_.kind;
    results_.assign(n, query_.mode == MatchMode::AnyWord ? 0 : 1);
    switch (query_.mode) {
    case MatchMode::AnyWord:
        // Where words are found, the last one found decides; 2: found, and the kind filter decides.
        for (size_t w = 0; w < finders_.size(); ++w) {
            finders_[w]->mark(folded_, holds_);
            const uint8_t found = query_.words[w].exclude ? 0 : kind == KindFilter::Both ? 1 : 2;
            for (size_t i = 0; i < n; ++i)
                if (holds_[i]) results_[i] = found;
        }
        for (size_t i = 0; i < n; ++i)
            if (results_[i] == 2) results_[i] = (kind == KindFilter::LinesideOnly) == lineside(folded_[i]);
        break;
    case MatchMode::AllWords:
        for (size_t w = 0; w < finders_.size(); ++w) {
            finders_[w]->mark(folded_, holds_);
            for (size_t i = 0; i < n; ++i) results_[i] &= holds_[i] != query_.words[w].exclude;
        }
        break;
    case MatchMode::ExactPhrase:
        finders_[0]->mark(folded_, holds_);
        for (size_t i = 0; i < n; ++i) results_[i] &= holds_[i];
        break;
    }
    for (size_t i = 0; i < n; ++i) {
        if (!results_[i]) continue;
        if (query_.mode != MatchMode::AnyWord && kind != KindFilter::Both)
            results_[i] = (kind == KindFilter::LinesideOnly) == lineside(folded_[i]);
        if (query_.code != "ANY" && qtext::trim(std::string_view(codes_).substr(i * 4, 4)) != query_.code)
            results_[i] = 0;
    }
}

void SearchRun::run(AlbumFile& album, const std::function<bool()>& keepOn, std::vector<int32_t>& records, size_t& widest)
{
    while (!ended()) {
        const int32_t count = std::min(kBlockRecords, lines_ - next_ + 1);
        if (!album.readBlock(next_, count, block_)) {
            next_ = lines_ + 1;  // the album was cut short: the lines before are all there is
            return;
        }
        folded_.clear();
        codes_.clear();
        rows_.clear();
        shownSizes_.clear();
        decided_.clear();
        for (int32_t i = 0; i < count; ++i) {
            const RecordView record(std::string_view(block_).substr(size_t(i) * kRecordSize, kRecordSize));
            if (sieve_.active()) {
                const std::optional<DateNumbers> date = dateDigits(record.TrackDate());
                size_t titleSize = 0;
                switch (sieve_.judge(record, date, date && writer_.namesMonth(*date), titleSize)) {
                case SearchSieve::Verdict::Pass: writer_.pass(*date); continue;
                case SearchSieve::Verdict::Result:
                    decided_.push_back({i, writer_.measure(record, *date, titleSize)});
                    continue;
                case SearchSieve::Verdict::Write: break;
                }
            }
            folded_.addWritten([&](std::string& text) { shownSizes_.push_back(writer_.writeSearchForm(record, text)); });
            codes_ += record.Code();
            rows_.push_back(i);
        }
        markResults();
        // The results decided without matching and those matched, in album order.
        size_t d = 0;
        for (size_t i = 0; i <= results_.size(); ++i) {
            const int32_t row = i < results_.size() ? rows_[i] : count;
            for (; d < decided_.size() && decided_[d].row < row; ++d) {
                records.push_back(next_ + decided_[d].row);
                widest = std::max(widest, decided_[d].shownSize);
            }
            if (i == results_.size() || !results_[i]) continue;
            records.push_back(next_ + row);
            widest = std::max(widest, shownSizes_[i]);
        }
        next_ += count;
        if (!keepOn()) return;
    }
}
