// The MP3 stream over a file of any bytes: opening, reading, seeking to any time and
// the length walk keep the output whole and the position inside the track.
#include "fuzz_support.h"
#include "audio/mp3_stream.h"

#include <vector>

namespace {

constexpr int kFrames = 4096;
constexpr int kMostReads = 64;  // enough for the seeds, bounded for long files

// Reads on while the file lasts: no read hands out more than asked, never two in a row
// nothing before the end, every sample is a number, and time never runs backwards.
void readOn(Mp3Stream& stream, int reads)
{
    std::vector<float> out(size_t(kFrames) * Mp3Stream::kOutputChannels);
    bool emptyBefore = false;
    for (int i = 0; i < reads && !stream.atEnd(); ++i) {
        const double before = stream.position();
        const int got = stream.read(out.data(), kFrames);
        FUZZ_CHECK(got >= 0 && got <= kFrames);
        FUZZ_CHECK(got > 0 || stream.atEnd() || !emptyBefore);
        emptyBefore = got == 0;
        for (int s = 0; s < got * Mp3Stream::kOutputChannels; ++s) FUZZ_CHECK(std::isfinite(out[size_t(s)]));
        FUZZ_CHECK(stream.position() >= before);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const fuzz::ScratchFile file("track.mp3");
    fuzz::Input in(data, size);
    const double seekTo = in.anyDouble();
    const uint8_t plan = in.number<uint8_t>();
    std::unique_ptr<Mp3Stream> stream = Mp3Stream::open(QString::fromStdString(file.write(in.rest())));
    if (!stream) return 0;
    FUZZ_CHECK(stream->rate() > 0 && (stream->channels() == 1 || stream->channels() == 2));
    FUZZ_CHECK(stream->duration() >= 0 && stream->position() == 0);

    if (plan & 1) readOn(*stream, 2);
    if (plan & 2) {
        for (int walks = 0; !stream->measureLength(); ++walks) FUZZ_CHECK(walks < 100000);
        FUZZ_CHECK(stream->lengthExact());
    }
    if (plan & 4) {
        stream->seek(seekTo);
        FUZZ_CHECK(stream->position() >= 0 && stream->position() <= stream->duration() + 0.05);
    }
    readOn(*stream, kMostReads);
    // At the end the length is what was played, whatever the headers said.
    if (stream->atEnd()) FUZZ_CHECK(std::fabs(stream->position() - stream->duration()) <= 0.05);
    return 0;
}
