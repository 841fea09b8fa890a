#pragma once
// Merging two album files into a third. The merged album goes to a new file that
// replaces the output only once it is whole, so the inputs stay as they were while
// they are read, even when the output is one of them.
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

// Hands the merged album to write, a block at a time: every whole record of first,
// then every whole record of second, then whatever the old output held after that
// many records (nothing when it does not exist). A part-record at the end of an input
// is no record and is left out. Stops at the first file that cannot be read, or when
// write returns false.
MergeFailure streamMergedAlbum(const std::string& first, const std::string& second, const std::string& oldOutput,
                               const std::function<bool(std::string_view)>& write);

// Prompts of the boxes saying a merge wrote nothing: an input (or the old output)
// could not be read, or the output could not be written.
std::string mergeNotReadMessage(std::string_view path, std::string_view reason);
std::string mergeNotWrittenMessage(std::string_view path, std::string_view reason);
