#include "logic/m3u_playlist.h"

#include <algorithm>

#include "logic/export_files.h"
#include "logic/playlist.h"
#include "logic/search_fold.h"
#include "logic/text.h"

namespace {

char asciiLower(char c)
{
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

bool endsWithNoCase(std::string_view s, std::string_view end)
{
    return s.size() >= end.size()
           && std::equal(end.begin(), end.end(), s.end() - std::ptrdiff_t(end.size()),
                         [](char a, char b) { return a == asciiLower(b); });
}

// The path's parts without ".", "" and the parts that ".." takes back.
std::vector<std::string_view> pathParts(std::string_view path)
{
    std::vector<std::string_view> parts;
    size_t at = 0;
    while (at <= path.size()) {
        const size_t end = std::min(path.find('/', at), path.size());
        const std::string_view part = path.substr(at, end - at);
        if (part == "..") {
            if (!parts.empty()) parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        at = end + 1;
    }
    return parts;
}

// The path with its parts as pathParts gives them, "/" first when it starts with one.
std::string normalPath(std::string_view path)
{
    std::string out = !path.empty() && path[0] == '/' ? "/" : "";
    for (const std::string_view part : pathParts(path))
        out += std::string(out.empty() || out == "/" ? "" : "/") + std::string(part);
    return out;
}

bool isAbsolute(std::string_view path)
{
    const bool drive = path.size() >= 3 && path[1] == ':' && path[2] == '/';
    return (!path.empty() && path[0] == '/') || drive;
}

// A name as a message shows it: on one line, cut short when long.
std::string shownName(std::string_view name)
{
    constexpr size_t kLongest = 80;
    std::string out;
    for (size_t i = 0; i < name.size(); ++i) {
        const auto c = static_cast<unsigned char>(name[i]);
        if (out.size() >= kLongest && (c & 0xC0) != 0x80) return out + "...";
        out += c < ' ' || c == 0x7F ? '?' : char(c);
    }
    return out;
}

std::string unknownList(const M3uMatch& match)
{
    std::string out;
    const size_t shown = std::min(match.unknown.size(), kUnknownNamed);
    for (size_t i = 0; i < shown; ++i) out += "\r" + shownName(match.unknown[i]);
    if (match.unknown.size() > shown) out += "\rand " + std::to_string(match.unknown.size() - shown) + " more";
    return out;
}

}  // namespace

bool isM3uName(std::string_view path)
{
    return endsWithNoCase(path, ".m3u8") || endsWithNoCase(path, ".m3u");
}

std::string m3uText(const std::vector<M3uItem>& items)
{
    std::string out = "#EXTM3U\n";
    for (const M3uItem& item : items) {
        if (qtext::holdsLineBreak(item.path)) continue;
        out += "#EXTINF:" + std::to_string(item.seconds) + "," + item.title + "\n" + item.path + "\n";
    }
    return out;
}

M3uItem m3uItem(const TrackRecord& rec, std::string path)
{
    // The field's form: two digits of minutes, a colon, two digits of seconds.
    const std::string_view time = qtext::trim(rec.PlayTime);
    const auto digit = [&](size_t i) { return time[i] >= '0' && time[i] <= '9'; };
    const bool known = time.size() == 5 && digit(0) && digit(1) && time[2] == ':' && digit(3) && digit(4);
    std::string title = utf8Of(qtext::trim(rec.Title));
    std::replace_if(
        title.begin(), title.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    return {known ? playTimeSeconds(time) : -1, std::move(title), std::move(path)};
}

std::string m3uPathFrom(std::string_view folder, std::string_view path)
{
    const std::string base = normalPath(folder), file = normalPath(path);
    const std::string prefix = base.ends_with('/') ? base : base + "/";
    if (base.empty() || !file.starts_with(prefix) || file.size() == prefix.size()) return std::string(path);
    return file.substr(prefix.size());
}

std::string m3uFromPlaylist(std::string_view playlistBytes, AlbumFile& album, const std::string& detailsFolder,
                            std::string_view playlistFolder)
{
    const std::vector<PlaylistEntry> entries = parsePlaylist(playlistBytes);
    std::vector<int32_t> numbers;
    numbers.reserve(entries.size());
    for (const PlaylistEntry& entry : entries) numbers.push_back(recordNumberOf(entry).value_or(0));
    const std::vector<std::string> stored = readRecords(album, numbers);
    std::vector<M3uItem> items;
    items.reserve(entries.size());
    for (size_t i = 0; i < entries.size(); ++i) {
        if (stored[i].empty()) continue;
        const TrackRecord rec = parseRecord(stored[i]);
        const std::string mp3 = mp3Path(entrySourceFolder(entries[i].albumPath, detailsFolder), rec);
        items.push_back(m3uItem(rec, m3uPathFrom(playlistFolder, mp3)));
    }
    return m3uText(items);
}

TrackIndex::TrackIndex(AlbumFile& album, bool foldCase) : foldCase_(foldCase)
{
    records_.reserve(size_t(std::max(album.recordCount(), 0)));
    album.forEach([&](int32_t n, const RecordView& rec) {
        records_.emplace(key(utf8Of(qtext::trim(rec.Folder())), utf8Of(qtext::trim(rec.Mp3Name()))), n);
    });
}

std::string TrackIndex::key(std::string_view folder, std::string_view name) const
{
    std::string out = std::string(folder) + '\0' + std::string(name);
    if (foldCase_) std::transform(out.begin(), out.end(), out.begin(), asciiLower);
    return out;
}

int32_t TrackIndex::find(std::string_view folder, std::string_view name) const
{
    const auto at = records_.find(key(folder, name));
    return at == records_.end() ? 0 : at->second;
}

M3uMatch matchM3u(std::string_view bytes, std::string_view playlistFolder, const TrackIndex& index)
{
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
    const std::string text = utf8Of(bytes);
    std::string folder = utf8Of(playlistFolder);
    std::replace(folder.begin(), folder.end(), '\\', '/');
    M3uMatch match;
    for (const std::string_view raw : qtext::splitLines(text)) {
        const std::string_view line = qtext::trim(raw);
        if (line.empty() || line.front() == '#') continue;
        ++match.entries;
        std::string path(line);
        std::replace(path.begin(), path.end(), '\\', '/');
        if (!isAbsolute(path)) path = folder + "/" + path;
        const std::vector<std::string_view> parts = pathParts(path);
        int32_t record = 0;
        const bool mp3 = parts.size() >= 2 && line.size() <= kLongestM3uLine
                         && (index.foldsCase() ? endsWithNoCase(parts.back(), ".mp3") : parts.back().ends_with(".mp3"));
        if (mp3) record = index.find(parts[parts.size() - 2], parts.back().substr(0, parts.back().size() - 4));
        if (record > 0) match.records.push_back(record);
        else match.unknown.emplace_back(line);
    }
    return match;
}

std::string m3uPartlyLoadedMessage(std::string_view path, const M3uMatch& match)
{
    return "Some files the playlist file\r" + std::string(path) + "\rnames are not in this album ("
           + std::to_string(match.unknown.size()) + " of " + std::to_string(match.entries) + "):" + unknownList(match)
           + "\r\rThe others were loaded.";
}

std::string m3uNoTrackMessage(std::string_view path, const M3uMatch& match)
{
    return "None of the files the playlist file\r" + std::string(path)
           + "\rnames are in this album:" + unknownList(match) + "\r\rThe playlist is as it was.";
}
