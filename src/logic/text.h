#pragma once
// Byte-text helpers shared by the album, settings and list code. All text here
// is single-byte and stays as raw bytes; see platform/text_codec.h for display.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qtext {

// Blanks (0x20) removed at both ends.
std::string_view trim(std::string_view s);
std::string trimmed(std::string_view s);

// Numeric value of text: after leading blanks, an optional sign and digits with at
// most one decimal point, up to the first other character; 0 without digits.
double val(std::string_view s);

// Decimal text with no blanks, never in exponent form: "2500", "8.25", "-1", "0.00001";
// the fewest digits that val() reads back as the same value.
std::string plainNumber(double v);
// Decimal text with one blank before a non-negative number and one blank after it:
// " 12648447 ", " 8.25 ", "-3 ".
std::string paddedNumber(double v);

// Minutes and seconds, each with a "0" before values below 10: "02:05", "100:00".
std::string timeText(long minutes, long seconds);

// The lines of a text file, split at CR LF, LF or CR; a terminator at the very
// end opens no further line.
std::vector<std::string_view> splitLines(std::string_view content);

// True when s holds a number and nothing else but blanks around it (empty counts as 0).
bool isNumberText(std::string_view s);

// True when s holds a CR or an LF, and so cannot be a line of a line-based file.
bool holdsLineBreak(std::string_view s);

}  // namespace qtext
