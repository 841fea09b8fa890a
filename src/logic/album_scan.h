#pragma once
// One pass over a whole album gathering what the track list needs besides the
// lines themselves, which are formatted only when shown.
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "logic/track_record.h"

struct AlbumScan {
    int32_t records = 0;
    // The distinct non-blank codes, trimmed, in order of first appearance.
    std::vector<std::string> codes;
    // Lines (from 0) whose month is out of range, each with the month (1-12) of the
    // nearest record before it that had one; 0 when none had.
    std::vector<std::pair<int32_t, int>> carriedMonths;
    // The month (1-12) of the last record that had one; 0 when none had.
    int lastMonth = 0;
    // No display line of the album is longer than this many bytes.
    size_t widestLine = 0;

    // The carried month of a line, or -1 when its own month is in range.
    int carriedMonth(int32_t line) const;
};

AlbumScan scanAlbum(AlbumFile& album);
