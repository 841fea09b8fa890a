#include "logic/search.h"

#include <cstring>

#include "logic/text.h"

namespace {

// The scan of a line for a word: found at some start position; the empty word is
// found at the first position of any line that has one.
bool holds(std::string_view line, std::string_view word)
{
    if (word.empty()) return !line.empty();
    if (word.size() > line.size()) return false;
    return memmem(line.data(), line.size(), word.data(), word.size()) != nullptr;
}

bool passesKind(KindFilter kind, std::string_view line)
{
    const bool lineside = line.size() >= 4 && line.substr(line.size() - 4) == "[LS]";
    switch (kind) {
    case KindFilter::LinesideOnly: return lineside;
    case KindFilter::OnTrainOnly: return !lineside;
    case KindFilter::Both: return true;
    }
    return true;
}

}  // namespace

std::string normaliseSearchText(std::string_view text)
{
    std::string out = upperText(qtext::trim(text));
    out += ' ';
    return out;
}

SearchWords splitSearchWords(std::string_view normalised)
{
    SearchWords result;
    SearchWord current;
    size_t number = 0;  // words stored so far
    for (const char c : normalised) {
        if (c == ' ') {
            if (number < kMaxSearchWords) result.words.push_back(std::move(current));
            else ++result.dropped;
            ++number;
            current = SearchWord{};
        } else if (c == '-') {
            current.exclude = true;
        } else {
            current.text += c;
        }
    }
    return result;
}

SearchQuery makeSearchQuery(std::string_view typed, MatchMode mode, KindFilter kind, std::string code, size_t* dropped)
{
    SearchQuery query;
    query.mode = mode;
    query.kind = kind;
    query.code = std::move(code);
    // Matched in search form; the box shows the text in the encoding it came in.
    std::string folded = searchForm(qtext::trim(typed));
    query.phrase = folded;
    folded += ' ';
    SearchWords split = splitSearchWords(folded);
    query.words = std::move(split.words);
    if (dropped) *dropped = split.dropped;
    return query;
}

bool isSearchResult(const SearchQuery& query, std::string_view code, std::string_view foldedLine)
{
    if (query.code != "ANY" && qtext::trim(code) != query.code) return false;
    switch (query.mode) {
    case MatchMode::AnyWord: {
        // Every place a word is found sets the flag in word order, so the last word found decides.
        bool result = false;
        const bool kindPasses = passesKind(query.kind, foldedLine);
        for (const SearchWord& word : query.words) {
            if (!holds(foldedLine, word.text)) continue;
            if (word.exclude) result = false;
            else if (kindPasses) result = true;
        }
        return result;
    }
    case MatchMode::AllWords:
        for (const SearchWord& word : query.words)
            if (holds(foldedLine, word.text) == word.exclude) return false;
        return passesKind(query.kind, foldedLine);
    case MatchMode::ExactPhrase: return holds(foldedLine, query.phrase) && passesKind(query.kind, foldedLine);
    }
    return false;
}

long long foundCount(std::string_view caption)
{
    return caption.size() > 6 ? static_cast<long long>(qtext::val(caption.substr(6))) : 0;
}

std::string foundCaption(long long count)
{
    return "Found: " + std::to_string(count);
}

std::string searchResultLines(const std::vector<int32_t>& records)
{
    std::string out;
    out.reserve(records.size() * 10);
    for (const int32_t record : records) {
        out += ' ';
        out += std::to_string(record);
        out += " \r\n";
    }
    return out;
}

bool resultsFileInStep(std::string_view bytes, size_t listed)
{
    if (!bytes.empty() && bytes.back() != '\n' && bytes.back() != '\r') return false;
    size_t lines = 0;  // counted as splitLines counts them: CR LF, LF or CR end a line
    for (size_t i = 0; i < bytes.size(); ++i)
        lines += bytes[i] == '\n' || (bytes[i] == '\r' && (i + 1 == bytes.size() || bytes[i + 1] != '\n'));
    return lines == listed;
}

std::vector<std::optional<int32_t>> parseSearchResults(std::string_view bytes)
{
    std::vector<std::optional<int32_t>> numbers;
    for (const std::string_view line : qtext::splitLines(bytes)) {
        const double value = qtext::val(line);
        const bool readable = qtext::isNumberText(line) && value >= 1 && value <= INT32_MAX
                              && value == double(int32_t(value));
        numbers.push_back(readable ? std::optional<int32_t>(int32_t(value)) : std::nullopt);
    }
    return numbers;
}

std::string droppedWordsNote(size_t dropped)
{
    return "Only the first " + std::to_string(kMaxSearchWords) + " words were searched for; " + std::to_string(dropped)
           + (dropped == 1 ? " word after them was" : " words after them were") + " left out.";
}

std::string searchNotSavedMessage(std::string_view path, std::string_view reason)
{
    return "The search results could not be saved to\r" + std::string(path) + "\r\rReason: " + std::string(reason)
           + "\r\rThe results list is as it was.";
}
