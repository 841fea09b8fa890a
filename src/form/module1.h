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
    TrackRecord TrackRec;        // the record read last
    int32_t CurrentRecord = 0;   // record number (from 1) of the current track
    int32_t TrackListIndex = 0;  // track-list line to select after filling
    DateWords Date;              // the date words of the record formatted last
    bool PlaylistEmpty = true;
    std::string PlaylistFileName;
    AlbumFile Album;      // the album database, held open while loaded
    std::mt19937 Random;  // seeded from the clock at start-up
};
