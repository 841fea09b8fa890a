#include "logic/sound_output.h"

#include <algorithm>

std::string parseSoundOutput(std::string_view bytes)
{
    const std::string_view line = bytes.substr(0, bytes.find_first_of("\r\n"));
    const bool text = std::none_of(line.begin(), line.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; });
    return text ? std::string(line) : std::string();
}

std::string formatSoundOutput(std::string_view name)
{
    return std::string(name) + "\n";
}
