// Notes files: one entry found in the whole text, in pieces of any size, and read
// from the file, all the same.
#include "fuzz_support.h"
#include "logic/notes.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const fuzz::ScratchFile file("details.qvt");
    fuzz::Input in(data, size);
    const long noteNo = long(in.number<int8_t>());
    const size_t step = in.number<uint8_t>() % 64 + 1;
    const long fromField = noteNumber(in.bytes(3));
    const std::string_view content = in.rest();

    const std::optional<std::string> entry = notesEntry(content, noteNo);
    NotesEntryScanner scanner(noteNo);
    for (size_t at = 0; at < content.size(); at += step)
        if (scanner.feed(content.substr(at, step))) break;
    FUZZ_CHECK(scanner.finish() == entry);
    FUZZ_CHECK(readNotesEntry(file.write(content), noteNo) == entry);
    if (entry) FUZZ_CHECK(entry->size() <= kNotesShownMax + 2 + kNotesLeftOut.size());
    FUZZ_CHECK(fromField >= -99 && fromField <= 999);
    return 0;
}
