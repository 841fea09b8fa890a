#include "logic/notes.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "logic/file_read.h"
#include "logic/text.h"

NotesEntryScanner::NotesEntryScanner(long noteNo) : target_(noteNo), phase_(noteNo > 0 ? Phase::Seeking : Phase::Entry)
{}

namespace {

// Finds line ends with memchr, one search per character, each remembered until it
// has been passed: linear however long the lines and whichever ending they use.
class LineEnds {
public:
    explicit LineEnds(std::string_view bytes) : bytes_(bytes) {}
    size_t next(size_t from) { return std::min(find('\r', cr_, from), find('\n', lf_, from)); }

private:
    size_t find(char c, std::ptrdiff_t& cached, size_t from)
    {
        if (cached < std::ptrdiff_t(from)) {
            const void* at = std::memchr(bytes_.data() + from, c, bytes_.size() - from);
            cached = at ? static_cast<const char*>(at) - bytes_.data() : std::ptrdiff_t(bytes_.size());
        }
        return size_t(cached);
    }
    std::string_view bytes_;
    std::ptrdiff_t cr_ = -1, lf_ = -1;
};

}  // namespace

bool NotesEntryScanner::feed(std::string_view bytes)
{
    LineEnds lineEnds(bytes);
    size_t i = 0;
    while (i < bytes.size() && phase_ != Phase::Done) {
        if (afterCR_) {
            afterCR_ = false;
            if (bytes[i] == '\n') {  // the LF of a CR LF
                ++i;
                continue;
            }
        }
        if (atLineStart_) {
            atLineStart_ = false;
            startLine(bytes[i]);
            if (phase_ == Phase::Done) break;
            if (collecting_ && phase_ == Phase::Entry) ++i;  // a continuation line is shown without its "#"
        }
        const size_t end = lineEnds.next(i);
        if (collecting_) take(bytes.substr(i, end - i));
        if (end == bytes.size()) break;
        endLine();
        afterCR_ = bytes[end] == '\r';
        i = end + 1;
    }
    return phase_ == Phase::Done;
}

// A line begins with `first` (a line terminator for an empty line).
void NotesEntryScanner::startLine(char first)
{
    const bool continuation = first == '#';
    if (phase_ == Phase::Seeking) {
        collecting_ = !continuation && ++heads_ == target_;
    } else if (!continuation) {
        phase_ = Phase::Done;  // the next head line closes the entry
    } else {
        take("\r\n");
        collecting_ = true;
    }
}

void NotesEntryScanner::endLine()
{
    if (phase_ == Phase::Seeking && collecting_) phase_ = Phase::Entry;
    collecting_ = false;
    atLineStart_ = true;
}

void NotesEntryScanner::take(std::string_view bytes)
{
    const size_t room = kNotesShownMax - text_.size();
    if (bytes.size() <= room) {
        text_.append(bytes);
        return;
    }
    text_.append(bytes.substr(0, room));
    // Cut before a character whose UTF-8 bytes would be split, and before a lone CR.
    unsigned char next = static_cast<unsigned char>(bytes[room]);
    for (int back = 0; back < 3 && !text_.empty() && (next & 0xC0) == 0x80; ++back) {
        next = static_cast<unsigned char>(text_.back());
        text_.pop_back();
    }
    if (!text_.empty() && text_.back() == '\r') text_.pop_back();
    text_ += "\r\n";
    text_ += kNotesLeftOut;
    phase_ = Phase::Done;  // nothing further can be shown
}

std::optional<std::string> NotesEntryScanner::finish()
{
    if (!atLineStart_) endLine();  // the file ended inside a line
    if (phase_ == Phase::Seeking) return std::nullopt;
    return text_;
}

std::optional<std::string> notesEntry(std::string_view content, long noteNo)
{
    NotesEntryScanner scanner(noteNo);
    scanner.feed(content);
    return scanner.finish();
}

std::optional<std::string> readNotesEntry(const std::string& path, long noteNo)
{
    NotesEntryScanner scanner(noteNo);
    if (readRegularFileChunks(path, [&](std::string_view piece) { return scanner.feed(piece); }) != FileError::None)
        return std::nullopt;
    return scanner.finish();
}

long noteNumber(std::string_view noteNoField)
{
    // A whole number the way an integer variable takes it: nearest, halves to even.
    const double v = std::nearbyint(qtext::val(qtext::trim(noteNoField)));
    return v < -1e9 ? -1000000000L : v > 1e9 ? 1000000000L : long(v);
}
