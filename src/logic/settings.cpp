#include "logic/settings.h"

#include <cmath>
#include <limits>
#include <vector>

#include "logic/text.h"

namespace {

std::string_view after(std::string_view line, size_t keyLength)
{
    return line.size() > keyLength ? line.substr(keyLength) : std::string_view();
}

bool validColour(double v)
{
    return v >= 0 && v <= 0xFFFFFF && v == std::floor(v);
}

bool validFontSize(double v)
{
    return v > 0 && v <= 2048;
}

// Reads one look (background, font size, text colour) from three lines; false when
// a line is not a number or not a value the control accepts.
bool readLookLine(std::string_view line, int which, Look& look)
{
    if (!qtext::isNumberText(line)) return false;
    const double v = qtext::val(line);
    if (which == 1) {
        if (!validFontSize(v)) return false;
        look.fontSize = v;
        return true;
    }
    if (!validColour(v)) return false;
    (which == 0 ? look.back : look.fore) = uint32_t(v);
    return true;
}

bool wholeNumber(double v, double low, double high)
{
    return std::isfinite(v) && std::round(v) >= low && std::round(v) <= high;
}

// Takes line n (1-based) into data; false stops the reading there.
bool readLine(int n, std::string_view line, SettingsData& d)
{
    switch (n) {
    case 2: d.detailsFolder = after(line, 8); return true;
    case 3: d.albumPath = after(line, 5); return true;
    case 4: d.playlistFileName = after(line, 12); return true;
    case 7: d.detailsTop = qtext::val(after(line, 2)); return std::isfinite(d.detailsTop);
    case 8: d.detailsHeight = qtext::val(after(line, 2)); return d.detailsHeight >= 0;
    case 9: d.tracksHeight = qtext::val(after(line, 2)); return d.tracksHeight >= 0;
    case 12: d.trackListIndex = qtext::val(after(line, 6)); return std::isfinite(d.trackListIndex);
    case 13: {
        const double v = qtext::val(after(line, 9));
        if (!wholeNumber(v, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max())) return false;
        d.playlistIndex = int32_t(std::lround(v));
        return true;
    }
    case 15:
    case 16:
    case 17: return readLookLine(line, n - 15, d.details);
    case 18:
    case 19:
    case 20: return readLookLine(line, n - 18, d.trackList);
    case 21: d.allPrefs = qtext::trim(line) == "all"; return true;
    case 22: {
        const std::string_view v = qtext::trim(line);
        d.kind = v == "1" ? TrackKind::Lineside : v == "2" ? TrackKind::OnTrain : TrackKind::Both;
        return true;
    }
    case 23: d.miniTop = qtext::val(line); return std::isfinite(d.miniTop);
    case 24: {
        const double v = qtext::val(line);
        if (!wholeNumber(v, -32768, 32767)) return false;
        d.miniLeft = int16_t(std::lround(v));
        return true;
    }
    default: return true;  // section names and empty lines are not looked at
    }
}

}  // namespace

SettingsRead parseSettings(std::string_view content)
{
    SettingsRead result;
    const std::vector<std::string_view> lines = qtext::splitLines(content);
    for (int n = 1; n <= kSettingsLines; ++n) {
        if (size_t(n) > lines.size() || !readLine(n, lines[size_t(n) - 1], result.data)) break;
        result.linesRead = n;
    }
    return result;
}

std::string formatSettings(const SettingsData& d)
{
    using qtext::paddedNumber;
    using qtext::plainNumber;
    // A path holding a line break would shift every line after it: it is not stored.
    const auto oneLine = [](const std::string& v) { return qtext::holdsLineBreak(v) ? std::string() : v; };
    const std::string lines[kSettingsLines] = {
        "[Directories]",
        "Details=" + oneLine(d.detailsFolder),
        "Data=" + oneLine(d.albumPath),
        "Playlist FN=" + oneLine(d.playlistFileName),
        "",
        "[Pane Positions]",
        "1=" + plainNumber(d.detailsTop),
        "2=" + plainNumber(d.detailsHeight),
        "3=" + plainNumber(d.tracksHeight),
        "",
        "[List Positions]",
        "Index=" + plainNumber(d.trackListIndex),
        "Playlist=" + plainNumber(d.playlistIndex),
        "",
        paddedNumber(d.details.back),
        paddedNumber(d.details.fontSize),
        paddedNumber(d.details.fore),
        paddedNumber(d.trackList.back),
        paddedNumber(d.trackList.fontSize),
        paddedNumber(d.trackList.fore),
        d.allPrefs ? "all" : "one",
        std::to_string(int(d.kind)),
        paddedNumber(d.miniTop),
        paddedNumber(d.miniLeft),
    };
    std::string out;
    for (const std::string& line : lines) out += line + "\r\n";
    return out;
}

std::string settingsNotSavedMessage(std::string_view path, std::string_view reason)
{
    return "The settings could not be saved to\r" + std::string(path) + "\r\rReason: " + std::string(reason)
           + ".\r\rThe settings file was left as it was.";
}
