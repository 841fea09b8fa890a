#pragma once
// The state the window's handlers share, named as the handlers know it.
#include <cstdint>
#include <random>
#include <string>

#include "logic/date_words.h"
#include "logic/play_modes.h"
#include "logic/track_record.h"

struct Module1 {
    std::string AppFolder;       // the program's folder, with a trailing separator
    std::string AlbumPath;       // the loaded album file; empty when none is known
    std::string DetailsFolder;   // the album's folder, with a trailing separator
    int32_t TrackListIndex = 0;  // track-list line to select after filling
    // The date words of the record formatted last: a date without a month keeps the
    // month before, so every formatting of a track's date goes through this one.
    DateWords Date;
    std::string PlaylistFileName;
    AlbumFile Album;      // the album database, held open while loaded
    std::mt19937 Random;  // seeded from the clock at start-up
};
