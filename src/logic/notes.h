#pragma once
// Per-folder notes files ("details.qvt"): entry k is the k-th head line with the
// continuation lines ("#" first) that follow it.
#include <optional>
#include <string>
#include <string_view>

// The text shown for entry noteNo of a notes file's content: the head line, then each
// continuation line without its "#", joined by CR LF. noteNo <= 0 gives the
// continuation lines that open the file, each preceded by CR LF. nullopt when the
// file has fewer entries. Lines may end in CR LF, LF or CR.
std::optional<std::string> notesEntry(std::string_view content, long noteNo);

// Reads the notes file at path and returns entry noteNo; nullopt when the file is
// missing or unreadable or the entry does not exist.
std::optional<std::string> readNotesEntry(const std::string& path, long noteNo);

// The entry number held by a record's NoteNo field: its numeric value as a whole
// number (rounded to nearest, halves to even); 0 when it holds no digits.
long noteNumber(std::string_view noteNoField);
