#pragma once
// A pass over a whole album gathering what the track list needs besides the lines
// themselves, which are formatted only when shown. The pass can be made in pieces,
// in order, so a large album is scanned a little at a time.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "logic/track_record.h"

// Lines first to last (from 0) whose month is out of range, all carrying the same
// month (1-12) from the nearest record before them that had one; 0 when none had.
struct MonthRun {
    int32_t first = 0;
    int32_t last = 0;
    int month = 0;
    bool operator==(const MonthRun&) const = default;
};

struct AlbumScan {
    // Lines scanned, from the first.
    int32_t records = 0;
    // The distinct non-blank codes, trimmed, in order of first appearance.
    std::vector<std::string> codes;
    // The lines whose month is out of range, in order; runs never touch each other.
    std::vector<MonthRun> carriedMonths;
    // The month (1-12) of the last record that had one; 0 when none had.
    int lastMonth = 0;
    // No display line of the album is longer than this many bytes.
    size_t widestLine = 0;

    // The carried month of a scanned line, or -1 when its own month is in range.
    int carriedMonth(int32_t line) const;
    // Adds the piece scanned next: its codes are new ones, its lines follow these.
    void append(AlbumScan&& piece);
};

// Scans an album's records piece by piece, carrying the month and the codes met
// from one piece to the next; each piece it returns holds only what is new.
class AlbumScanner {
public:
    // records holds whole stored records, the ones following those already scanned.
    AlbumScan scan(std::string_view records);

private:
    struct CodeHash {
        using is_transparent = void;
        size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
    };
    int32_t next_ = 0;
    int lastMonth_ = 0;
    size_t widest_ = 0;
    std::unordered_set<std::string, CodeHash, std::equal_to<>> seen_;
};

// The whole album in one pass.
AlbumScan scanAlbum(AlbumFile& album);
