#pragma once
// Merging two album files into a third. Both inputs are read whole before the
// output is written, so the output may be either input without destroying it.
#include <cstddef>
#include <string>
#include <string_view>

// An album file larger than this is not merged (about four million records).
inline constexpr size_t kMaxMergeBytes = size_t(512) << 20;

// The merged album: every whole record of first, then every whole record of second,
// then whatever the old output held after that many records. A part-record at the
// end of an input is no record and is left out.
std::string mergedAlbum(std::string_view first, std::string_view second, std::string_view oldOutput);

// Prompts of the boxes saying a merge wrote nothing: an input (or the old output)
// could not be read, or the output could not be written.
std::string mergeNotReadMessage(std::string_view path, std::string_view reason);
std::string mergeNotWrittenMessage(std::string_view path, std::string_view reason);
