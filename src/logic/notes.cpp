#include "logic/notes.h"

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "logic/text.h"

namespace {

bool isContinuation(std::string_view line) { return !line.empty() && line.front() == '#'; }

}  // namespace

std::optional<std::string> notesEntry(std::string_view content, long noteNo)
{
    const std::vector<std::string_view> lines = qtext::splitLines(content);
    std::string text;
    size_t next = 0;
    if (noteNo > 0) {
        long heads = 0;
        while (next < lines.size() && heads < noteNo)
            if (!isContinuation(lines[next++])) ++heads;
        if (heads < noteNo) return std::nullopt;
        text = lines[next - 1];
    }
    // The entry ends at the next head line or at the end of the file.
    for (; next < lines.size() && isContinuation(lines[next]); ++next) {
        text += "\r\n";
        text += lines[next].substr(1);
    }
    return text;
}

std::optional<std::string> readNotesEntry(const std::string& path, long noteNo)
{
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    const std::string content{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad()) return std::nullopt;
    return notesEntry(content, noteNo);
}

long noteNumber(std::string_view noteNoField)
{
    // A whole number the way an integer variable takes it: nearest, halves to even.
    const double v = std::nearbyint(qtext::val(qtext::trim(noteNoField)));
    return v < -1e9 ? -1000000000L : v > 1e9 ? 1000000000L : long(v);
}
