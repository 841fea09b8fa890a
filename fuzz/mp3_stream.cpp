// The MP3 stream over a file of any bytes: opening, reading, seeking to any time and
// the length walk keep the output whole and the position inside the track.
#include "fuzz_support.h"
#include "audio/mp3_stream.h"

#include <vector>

namespace {

constexpr int kFrames = 4096;
constexpr int kMostReads = 64;  // enough for the seeds, bounded for long files

// Reads on while the file lasts: no read hands out more than asked, every sample is a
// number, and time never runs backwards. Reads that give nothing before the end are not
// counted, but each passes at least one MPEG frame (24 bytes at the least) in each of its
// eight tries, so more of them in a row than the file could hold would be a spin.
void readOn(Mp3Stream& stream, int reads, size_t fileSize)
{
    std::vector<float> out(size_t(kFrames) * Mp3Stream::kOutputChannels);
    size_t empty = 0;
    for (int i = 0; i < reads && !stream.atEnd();) {
        const double before = stream.position();
        const int got = stream.read(out.data(), kFrames);
        FUZZ_CHECK(got >= 0 && got <= kFrames);
        for (int s = 0; s < got * Mp3Stream::kOutputChannels; ++s) FUZZ_CHECK(std::isfinite(out[size_t(s)]));
        FUZZ_CHECK(stream.position() >= before);
        if (got == 0 && !stream.atEnd()) {
            FUZZ_CHECK(++empty <= fileSize / (8 * 24) + 2);
            continue;
        }
        empty = 0;
        ++i;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const fuzz::ScratchFile file("track.mp3");
    fuzz::Input in(data, size);
    const double seekTo = in.anyDouble();
    const uint8_t plan = in.number<uint8_t>();
    const std::string_view bytes = in.rest();
    std::unique_ptr<Mp3Stream> stream = Mp3Stream::open(QString::fromStdString(file.write(bytes)));
    if (!stream) return 0;
    FUZZ_CHECK(stream->rate() > 0 && (stream->channels() == 1 || stream->channels() == 2));
    FUZZ_CHECK(stream->duration() >= 0 && stream->position() == 0);

    if (plan & 1) readOn(*stream, 2, bytes.size());
    if (plan & 2) {
        for (int walks = 0; !stream->measureLength(); ++walks) FUZZ_CHECK(walks < 100000);
        FUZZ_CHECK(stream->lengthExact());
    }
    if (plan & 4) {
        stream->seek(seekTo);
        FUZZ_CHECK(stream->position() >= 0 && stream->position() <= stream->duration() + 0.05);
    }
    readOn(*stream, kMostReads, bytes.size());
    // At the end the length is what was played, whatever the headers said.
    if (stream->atEnd()) FUZZ_CHECK(std::fabs(stream->position() - stream->duration()) <= 0.05);
    return 0;
}
