#pragma once
// Per-folder notes files ("details.qvt"): entry k is the k-th head line with the
// continuation lines ("#" first) that follow it.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// The most bytes of one entry that are shown; a longer entry is cut there and ends
// with kNotesLeftOut on a line of its own. Laying out one long line in the notes
// pane grows faster than its length (16 KB without a blank: about 50 ms, 64 KB:
// about 350 ms), and real entries are a few lines.
constexpr size_t kNotesShownMax = 16 * 1024;
inline constexpr std::string_view kNotesLeftOut = "[The rest of these notes was left out: it is too long to show.]";

// Finds one entry while the file's bytes are handed in piece by piece, in one pass
// from the start, going no further than the entry. The text is the head line, then
// each continuation line without its "#", joined by CR LF; noteNo <= 0 gives the
// continuation lines that open the file, each preceded by CR LF. Lines may end in
// CR LF, LF or CR.
class NotesEntryScanner {
public:
    explicit NotesEntryScanner(long noteNo);
    // Takes the next bytes; true once the entry is complete and no more are needed.
    bool feed(std::string_view bytes);
    // The entry, once the file has ended or feed returned true; nullopt when the file
    // has fewer entries.
    std::optional<std::string> finish();

private:
    enum class Phase { Seeking, Entry, Done };
    void startLine(char first);
    void endLine();
    void take(std::string_view bytes);

    long target_;
    long heads_ = 0;
    Phase phase_;
    bool atLineStart_ = true;
    bool collecting_ = false;
    bool afterCR_ = false;
    std::string text_;
};

// Entry noteNo of a notes file's whole content.
std::optional<std::string> notesEntry(std::string_view content, long noteNo);

// Reads the notes file at path as far as entry noteNo; nullopt when the file is
// missing, unreadable or no regular file, or the entry does not exist.
std::optional<std::string> readNotesEntry(const std::string& path, long noteNo);

// The entry number held by a record's NoteNo field: its numeric value as a whole
// number (rounded to nearest, halves to even); 0 when it holds no digits.
long noteNumber(std::string_view noteNoField);
