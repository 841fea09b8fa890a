#pragma once
// Merging two album files into a third. The merged album goes to a new file that
// replaces the output only once it is whole, so the inputs stay as they were while
// they are read, even when the output is one of them.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "logic/file_read.h"

// Where a merge stopped: the file that could not be read, and why.
struct MergeFailure {
    FileError error = FileError::None;
    std::string path;
    bool ok() const { return error == FileError::None; }
};

struct MergeOutcome {
    MergeFailure unread;                  // a file that could not be read
    FileError written = FileError::None;  // the new file could not be written
    bool cancelled = false;
    // What the new file's writer is told: None only when the merged album is whole.
    FileError verdict() const;
};

struct MergeHooks {
    std::function<void(uint64_t done, uint64_t total)> progress;  // bytes, after each block
    std::function<bool()> cancelled;                              // asked after each block
};

// Copies the merged album into out, a new empty file, in large blocks that never pass
// through the program where the system can copy between files itself: every whole
// record of first, then every whole record of second, then whatever the old output
// held after that many records (nothing when it does not exist or is no regular file).
// A part-record at the end of an input is no record and is left out. Stops at the
// first file that cannot be read, a failed write, or a cancel; once all is copied it
// is flushed to the disk, and a cancel asked for meanwhile still counts.
MergeOutcome mergeAlbumsInto(int out, const std::string& first, const std::string& second, const std::string& oldOutput,
                             const MergeHooks& hooks);

// Prompts of the boxes saying a merge wrote nothing: an input (or the old output)
// could not be read, or the output could not be written.
std::string mergeNotReadMessage(std::string_view path, std::string_view reason);
std::string mergeNotWrittenMessage(std::string_view path, std::string_view reason);
