#pragma once
// The settings file: 24 fixed lines, each value taken by its line number.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "logic/look.h"

enum class TrackKind { Lineside = 1, OnTrain = 2, Both = 3 };

struct SettingsData {
    std::string detailsFolder;         // line 2
    std::string albumPath;             // line 3
    std::string playlistFileName;      // line 4
    double detailsTop = 0;             // line 7, twips
    double detailsHeight = 0;          // line 8
    double tracksHeight = 0;           // line 9
    double trackListIndex = 0;         // line 12
    int32_t playlistIndex = 0;         // line 13
    Look details;                      // lines 15-17: background, font size, text colour
    Look trackList;                    // lines 18-20
    bool allPrefs = false;             // line 21
    TrackKind kind = TrackKind::Both;  // line 22 (Both also for any unknown value)
    double miniTop = 0;                // line 23
    int16_t miniLeft = 0;              // line 24
    bool operator==(const SettingsData&) const = default;
};

constexpr int kSettingsLines = 24;
// The most of a settings file that is read: 24 lines with long paths fit many times over.
constexpr size_t kSettingsMaxBytes = 64 * 1024;

// What a read produced: the values of lines 1..linesRead; reading stops at the
// first line that is missing or cannot be taken as its value.
struct SettingsRead {
    SettingsData data;
    int linesRead = 0;
    bool has(int line) const { return linesRead >= line; }
    bool complete() const { return linesRead == kSettingsLines; }
};

SettingsRead parseSettings(std::string_view content);
// The 24 lines, each ending in CR LF; a path holding a line break is written empty.
std::string formatSettings(const SettingsData& data);

// The message shown when the settings cannot be written at exit, lines joined by
// carriage returns; reason names the failure ("access refused", "disk full").
std::string settingsNotSavedMessage(std::string_view path, std::string_view reason);
