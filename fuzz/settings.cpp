// The settings file: what is read is written back to a file that reads the same, and
// every value the program can hold is written so that it reads back exactly. The
// sound output's file beside it, too.
#include "fuzz_support.h"
#include "logic/settings.h"
#include "logic/sound_output.h"
#include "logic/text.h"

#include <limits>

namespace {

std::string pathFrom(std::string_view bytes)
{
    std::string out(bytes);
    for (char& c : out)
        if (c == '\r' || c == '\n') c = '_';
    return out;
}

Look lookFrom(fuzz::Input& in)
{
    const double size = std::fabs(in.finite());
    return {in.number<uint32_t>() & 0xFFFFFF, size > 0 && size <= 2048 ? size : 1, in.number<uint32_t>() & 0xFFFFFF};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::Input in(data, size);
    if (in.flag()) {
        const std::string_view bytes = in.rest();
        const std::string output = parseSoundOutput(bytes);
        FUZZ_CHECK(parseSoundOutput(formatSoundOutput(output)) == output);
        const SettingsRead read = parseSettings(bytes);
        FUZZ_CHECK(read.linesRead >= 0 && read.linesRead <= kSettingsLines);
        if (read.complete()) {
            const SettingsRead again = parseSettings(formatSettings(read.data));
            FUZZ_CHECK(again.complete() && again.data == read.data);
        }
        return 0;
    }
    SettingsData d;
    d.detailsFolder = pathFrom(in.piece());
    d.albumPath = pathFrom(in.piece());
    d.playlistFileName = pathFrom(in.piece());
    d.detailsTop = in.finite();
    d.detailsHeight = std::fabs(in.finite());
    d.tracksHeight = std::fabs(in.finite());
    d.trackListIndex = in.finite();
    d.playlistIndex = in.number<int32_t>();
    d.details = lookFrom(in);
    d.trackList = lookFrom(in);
    d.allPrefs = in.flag();
    d.kind = TrackKind(in.number<uint8_t>() % 3 + 1);
    d.miniTop = in.finite();
    d.miniLeft = in.number<int16_t>();
    const std::string text = formatSettings(d);
    FUZZ_CHECK(qtext::splitLines(text).size() == size_t(kSettingsLines));
    const SettingsRead read = parseSettings(text);
    FUZZ_CHECK(read.complete() && read.data == d);
    return 0;
}
