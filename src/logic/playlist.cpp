#include "logic/playlist.h"

#include <algorithm>
#include <charconv>

#include "logic/text.h"

std::vector<PlaylistEntry> parsePlaylist(std::string_view bytes)
{
    const std::vector<std::string_view> lines = qtext::splitLines(bytes);
    std::vector<PlaylistEntry> entries;
    entries.reserve((lines.size() + 1) / 2);
    for (size_t i = 0; i < lines.size(); i += 2) {
        PlaylistEntry entry{std::string(lines[i]), {}, i + 1 >= lines.size()};
        if (!entry.cut) entry.recordLine = std::string(lines[i + 1]);
        entries.push_back(std::move(entry));
    }
    return entries;
}

std::optional<PlaylistEntry> playlistEntryAt(std::string_view bytes, size_t index)
{
    // Reads line by line as splitLines does: CR LF, LF or CR end a line.
    size_t at = 0;
    auto nextLine = [&]() -> std::optional<std::string_view> {
        if (at >= bytes.size()) return std::nullopt;
        const size_t end = std::min(bytes.find_first_of("\r\n", at), bytes.size());
        const std::string_view text = bytes.substr(at, end - at);
        at = end + 1;
        if (end < bytes.size() && bytes[end] == '\r' && at < bytes.size() && bytes[at] == '\n') ++at;
        return text;
    };
    for (size_t i = 0; i < index * 2; ++i)
        if (!nextLine()) return std::nullopt;
    const std::optional<std::string_view> album = nextLine();
    if (!album) return std::nullopt;
    const std::optional<std::string_view> record = nextLine();
    return PlaylistEntry{std::string(*album), std::string(record.value_or("")), !record};
}

std::vector<std::string> readRecords(AlbumFile& album, const std::vector<int32_t>& numbers)
{
    constexpr int32_t kStretch = 256;
    std::vector<size_t> order(numbers.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::sort(order.begin(), order.end(), [&](size_t a, size_t b) { return numbers[a] < numbers[b]; });
    const int32_t total = album.recordCount();
    std::vector<std::string> out(numbers.size());
    std::string block;
    int32_t first = 0, count = 0;
    for (const size_t i : order) {
        const int32_t n = numbers[i];
        if (n < 1 || n > total) continue;
        if (n < first || n >= first + count) {
            first = n;
            count = std::min(kStretch, total - n + 1);
            if (!album.readBlock(first, count, block)) count = 0;
        }
        if (count > 0) out[i] = block.substr(size_t(n - first) * kRecordSize, kRecordSize);
    }
    return out;
}

std::optional<int32_t> recordNumberOf(const PlaylistEntry& entry)
{
    if (entry.cut) return std::nullopt;
    std::string_view s = qtext::trim(entry.recordLine);
    // One sign at most: from_chars reads "-" but not "+", so a "+" is passed over first.
    const bool plus = !s.empty() && s.front() == '+';
    if (plus) s.remove_prefix(1);
    if (s.empty() || s.front() == '+' || (plus && s.front() == '-')) return std::nullopt;
    int32_t value = 0;
    const auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (error != std::errc() || end != s.data() + s.size()) return std::nullopt;
    return value;
}

std::string playlistEntryText(std::string_view albumPath, int32_t record)
{
    return std::string(albumPath) + "\r\n" + qtext::paddedNumber(record) + "\r\n";
}

std::string serializePlaylist(const std::vector<PlaylistEntry>& entries)
{
    std::string out;
    for (const PlaylistEntry& entry : entries) {
        const std::optional<int32_t> record = recordNumberOf(entry);
        if (record) {
            out += playlistEntryText(entry.albumPath, *record);
        } else {
            out += entry.albumPath + "\r\n" + entry.recordLine + "\r\n";
        }
    }
    return out;
}

std::string appendablePlaylist(std::string_view bytes)
{
    std::string out(bytes);
    if (!out.empty() && out.back() != '\n' && out.back() != '\r') out += "\r\n";
    if (qtext::splitLines(out).size() % 2 == 1) out += "\r\n";
    return out;
}

long long playTimeSeconds(std::string_view playTime)
{
    auto pair = [&](size_t at) { return at < playTime.size() ? qtext::val(playTime.substr(at, 2)) : 0.0; };
    const double seconds = pair(0) * 60 + pair(3);
    return seconds > 0 ? static_cast<long long>(seconds) : 0;
}

std::string playlistSummary(size_t count, long long totalSeconds)
{
    const long long hours = totalSeconds / 3600;
    const long long minutes = (totalSeconds - hours * 3600) / 60;
    const long long seconds = totalSeconds - hours * 3600 - minutes * 60;
    auto part = [](long long x) { return (x < 10 ? "0" : "") + std::to_string(x); };
    return "Playlist contains " + std::to_string(count) + " tracks with a playing time of " + part(hours) + ":"
           + part(minutes) + ":" + part(seconds) + " (h:m:s)";
}

std::string unavailableEntryLine(const PlaylistEntry& entry)
{
    const std::optional<int32_t> record = recordNumberOf(entry);
    if (!record) return "(this entry names no track number)";
    return "(track " + std::to_string(*record) + " is not in this album)";
}

std::string playlistNotSavedMessage(std::string_view path, std::string_view reason)
{
    return "The playlist could not be saved to\r" + std::string(path) + "\r\rReason: " + std::string(reason)
           + "\r\rThe playlist is as it was.";
}

std::string playlistNotReadMessage(std::string_view path, std::string_view reason)
{
    return "The playlist could not be read from\r" + std::string(path) + "\r\rReason: " + std::string(reason)
           + "\r\rThe playlist is as it was.";
}
