#pragma once
// The sound output chosen on the Options page, kept beside the settings in a file
// of its own: the output's name on one line. No file, or no name in it, is the
// system default.
#include <cstddef>
#include <string>
#include <string_view>

inline constexpr std::string_view kSoundOutputFileName = "sound-output.txt";
// Output names are short; a larger file is not one this program wrote.
inline constexpr size_t kSoundOutputMaxBytes = 1024;

// The name the file's bytes hold: the first line without its line end; empty when
// that line holds a control character.
std::string parseSoundOutput(std::string_view bytes);
std::string formatSoundOutput(std::string_view name);
