#pragma once
// A title field read for the search sieve: its bytes in upper case and, for each of a
// few bytes looked for, the places where the title holds it, one bit a place. The
// places of a byte are found for the whole title at once, as wide as the processor
// allows; the readers for narrower processors stay, and give the same answers.
#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

#include "logic/track_record.h"

// The most bytes one title is read for; a search looking for more matches every line.
constexpr size_t kMaxTitleChars = 48;

struct TitlePlaces {
    // The title with ASCII letters in upper case, then zeros, so sixteen bytes can be
    // read from any place in it.
    char upper[FieldWidths::Title + 16];
    // places[n], bit i: byte i of the title is the nth byte looked for.
    uint64_t places[kMaxTitleChars];
    // Bit i: byte i of the title is not a blank.
    uint64_t nonBlanks;
};

// Reads a title field (FieldWidths::Title bytes) for the bytes of chars (at most
// kMaxTitleChars); false, with out unfinished, when the title is not all ASCII.
using TitleReader = bool (*)(const char* title, std::string_view chars, TitlePlaces& out);

// The fastest reader this processor runs.
TitleReader fastestTitleReader();
// Every reader this processor runs, by name, the plainest first.
std::vector<std::pair<const char*, TitleReader>> titleReaders();

// The length of the title without its leading and trailing blanks.
size_t trimmedSize(const TitlePlaces& title);
