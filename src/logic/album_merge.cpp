#include "logic/album_merge.h"

#include <algorithm>

#include "logic/track_record.h"

namespace {

// Passes on the whole records of one album, holding back a record split between
// blocks until its end arrives, and adds the bytes passed on to copied.
FileError copyWholeRecords(const std::string& path, const std::function<bool(std::string_view)>& write,
                           size_t& copied, bool& stopped)
{
    std::string partial;
    return readRegularFileChunks(path, [&](std::string_view block) {
        if (!partial.empty()) {
            const size_t take = std::min(block.size(), size_t(kRecordSize) - partial.size());
            partial.append(block.substr(0, take));
            block.remove_prefix(take);
            if (partial.size() < size_t(kRecordSize)) return false;
            if (!write(partial)) return stopped = true;
            copied += partial.size();
            partial.clear();
        }
        const size_t whole = block.size() - block.size() % size_t(kRecordSize);
        if (whole && !write(block.substr(0, whole))) return stopped = true;
        copied += whole;
        partial.assign(block.substr(whole));
        return false;
    });
}

}  // namespace

MergeFailure streamMergedAlbum(const std::string& first, const std::string& second, const std::string& oldOutput,
                               const std::function<bool(std::string_view)>& write)
{
    size_t merged = 0;
    bool stopped = false;
    for (const std::string* input : {&first, &second}) {
        const FileError error = copyWholeRecords(*input, write, merged, stopped);
        if (error != FileError::None) return {error, *input};
        if (stopped) return {FileError::Other, {}};
    }
    // The old output keeps its records after the merged ones.
    size_t skipped = 0;
    const FileError error = readRegularFileChunks(oldOutput, [&](std::string_view block) {
        const size_t skip = std::min(block.size(), merged - skipped);
        skipped += skip;
        block.remove_prefix(skip);
        return !block.empty() && !write(block) && (stopped = true);
    });
    // An old output that is no regular file holds no records; putting the new one in its place says why it cannot be.
    if (error != FileError::None && error != FileError::NotFound && error != FileError::NotRegular)
        return {error, oldOutput};
    if (stopped) return {FileError::Other, {}};
    return {};
}

std::string mergeNotReadMessage(std::string_view path, std::string_view reason)
{
    return "The albums were not merged: the album file\r" + std::string(path) + "\rcould not be read.\r\rReason: " +
           std::string(reason) + "\r\rNothing was written.";
}

std::string mergeNotWrittenMessage(std::string_view path, std::string_view reason)
{
    return "The albums were not merged: the album file\r" + std::string(path) +
           "\rcould not be written.\r\rReason: " + std::string(reason) + "\r\rIt is as it was.";
}
