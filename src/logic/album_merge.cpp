#include "logic/album_merge.h"

#include "logic/track_record.h"

namespace {

std::string_view wholeRecords(std::string_view album)
{
    return album.substr(0, album.size() - album.size() % size_t(kRecordSize));
}

}  // namespace

std::string mergedAlbum(std::string_view first, std::string_view second, std::string_view oldOutput)
{
    const std::string_view a = wholeRecords(first);
    const std::string_view b = wholeRecords(second);
    const size_t merged = a.size() + b.size();
    const std::string_view rest = oldOutput.size() > merged ? oldOutput.substr(merged) : std::string_view();
    std::string out;
    out.reserve(merged + rest.size());
    out.append(a).append(b).append(rest);
    return out;
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
