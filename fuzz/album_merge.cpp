// Merging albums: the new file holds the first album's whole records, then the
// second's, then what the old output held past that many records, byte for byte,
// whichever of the files the old output is.
#include "fuzz_support.h"
#include "logic/album_merge.h"
#include "logic/track_record.h"

#include <fcntl.h>

#include <algorithm>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const fuzz::ScratchFile first("first.qdb"), second("second.qdb"), old("old.qdb"), out("new.qdb");
    fuzz::Input in(data, size);
    const uint8_t choice = in.number<uint8_t>();
    const std::string a(in.longPiece()), b(in.longPiece()), o(in.rest());
    first.write(a);
    second.write(b);
    // The old output: a file of its own, missing, or one of the inputs.
    const fuzz::ScratchFile* const olds[] = {&old, &old, &first, &second};
    const fuzz::ScratchFile& oldFile = *olds[choice % 4];
    if (choice % 4 == 0) old.write(o);
    else old.remove();

    const int fd = open(out.path().c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    FUZZ_CHECK(fd >= 0);
    uint64_t lastDone = 0;
    bool inOrder = true;
    MergeHooks hooks;
    hooks.progress = [&](uint64_t done, uint64_t total) {
        inOrder = inOrder && done >= lastDone && done <= total;
        lastDone = done;
    };
    const MergeOutcome outcome = mergeAlbumsInto(fd, first.path(), second.path(), oldFile.path(), hooks);
    close(fd);
    FUZZ_CHECK(outcome.verdict() == FileError::None && inOrder);

    const std::string oldBytes = choice % 4 == 0 ? o : choice % 4 == 1 ? std::string() : choice % 4 == 2 ? a : b;
    const size_t wholeA = a.size() / kRecordSize * kRecordSize, wholeB = b.size() / kRecordSize * kRecordSize;
    const std::string expected = a.substr(0, wholeA) + b.substr(0, wholeB)
                                 + oldBytes.substr(std::min(oldBytes.size(), wholeA + wholeB));
    FUZZ_CHECK(out.read() == expected);
    return 0;
}
