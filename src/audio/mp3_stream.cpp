#include "audio/mp3_stream.h"

#include <QFile>

#include <SDL.h>
#include <mpg123.h>

#include <algorithm>

namespace {

// A read that keeps returning nothing new must not spin inside the audio callback.
constexpr int kMaxReadsPerCall = 8;
// Decoded frames passed to the converter at a time: a device buffer's worth at any MP3 rate.
constexpr int kScratchFrames = 2048;

void initMpg123Once()
{
    static const int result = mpg123_init();
    (void)result;
}

mpg123_handle* newFloatDecoder()
{
    int err = MPG123_OK;
    mpg123_handle* handle = mpg123_new(nullptr, &err);
    if (!handle)
        return nullptr;
    mpg123_param(handle, MPG123_ADD_FLAGS, MPG123_QUIET, 0);
    mpg123_format_none(handle);
    const long* rates = nullptr;
    size_t rateCount = 0;
    mpg123_rates(&rates, &rateCount);
    for (size_t i = 0; i < rateCount; ++i)
        mpg123_format(handle, rates[i], MPG123_MONO | MPG123_STEREO, MPG123_ENC_FLOAT_32);
    return handle;
}

} // namespace

// libmpg123 accepts text and empty files at open and scan time; they are
// only caught by having no format or no length.
std::unique_ptr<Mp3Stream> Mp3Stream::open(const QString& path)
{
    initMpg123Once();
    mpg123_handle* decoder = newFloatDecoder();
    if (!decoder)
        return nullptr;
    long rate = 0;
    int channels = 0;
    int encoding = 0;
    const QByteArray name = QFile::encodeName(path);
    // The scan must come before the length: without it a truncated file reports its nominal length.
    const bool opened = !name.isEmpty() && mpg123_open(decoder, name.constData()) == MPG123_OK
        && mpg123_scan(decoder) == MPG123_OK
        && mpg123_getformat(decoder, &rate, &channels, &encoding) == MPG123_OK;
    const std::int64_t length = opened ? mpg123_length(decoder) : 0;
    if (!opened || length <= 0 || rate <= 0 || channels < 1 || channels > 2) {
        mpg123_delete(decoder);
        return nullptr;
    }
    std::unique_ptr<Mp3Stream> stream(new Mp3Stream(decoder, rate, channels, length));
    if (rate == kOutputRate && channels == kOutputChannels)
        return stream;
    stream->converter_ = SDL_NewAudioStream(AUDIO_F32SYS, Uint8(channels), int(rate), AUDIO_F32SYS,
                                            kOutputChannels, kOutputRate);
    if (!stream->converter_)
        return nullptr;
    stream->scratch_.resize(size_t(kScratchFrames) * size_t(channels));
    return stream;
}

Mp3Stream::Mp3Stream(mpg123_handle_struct* decoder, long rate, int channels, std::int64_t length)
    : decoder_(decoder), rate_(rate), channels_(channels), length_(length)
{
}

Mp3Stream::~Mp3Stream()
{
    if (converter_)
        SDL_FreeAudioStream(converter_);
    mpg123_delete(decoder_);
}

int Mp3Stream::read(unsigned char* out, int len)
{
    if (atEnd_)
        return 0;
    if (converter_)
        return readConverted(out, len);
    const int written = decode(out, len / kOutputFrameBytes) * kOutputFrameBytes;
    atEnd_ = decoderDone_;
    return written;
}

bool Mp3Stream::seek(std::int64_t frame)
{
    frame = std::clamp<std::int64_t>(frame, 0, length_);
    if (mpg123_seek(decoder_, off_t(frame), SEEK_SET) < 0)
        return false;
    if (converter_)
        SDL_AudioStreamClear(converter_);
    framesRead_ = frame;
    decoderDone_ = atEnd_ = frame >= length_;
    return true;
}

// Decodes only about as much as asked for, so that framesRead() runs ahead
// of the output by no more than the converter holds.
int Mp3Stream::readConverted(unsigned char* out, int len)
{
    const int inFrameBytes = channels_ * int(sizeof(float));
    while (!decoderDone_ && SDL_AudioStreamAvailable(converter_) < len) {
        const int missingFrames = (len - SDL_AudioStreamAvailable(converter_)) / kOutputFrameBytes;
        const std::int64_t wanted = std::clamp<std::int64_t>(missingFrames * rate_ / kOutputRate + 1, 1, kScratchFrames);
        auto* scratch = reinterpret_cast<unsigned char*>(scratch_.data());
        const int frames = decode(scratch, wanted);
        if (frames > 0 && SDL_AudioStreamPut(converter_, scratch, frames * inFrameBytes) != 0)
            decoderDone_ = true;
        if (decoderDone_)
            SDL_AudioStreamFlush(converter_);
        else if (frames == 0)
            break;
    }
    const int got = std::max(0, SDL_AudioStreamGet(converter_, out, len));
    atEnd_ = decoderDone_ && SDL_AudioStreamAvailable(converter_) == 0;
    return got - got % kOutputFrameBytes;
}

// Decodes at most up to the scanned length, so the samples handed out add
// up to length() exactly when the file ends.
int Mp3Stream::decode(unsigned char* out, std::int64_t maxFrames)
{
    const int frameBytes = channels_ * int(sizeof(float));
    const int wanted = int(std::min(maxFrames, length_ - framesRead())) * frameBytes;
    int got = 0;
    bool finished = false;
    for (int reads = 0; got < wanted && !finished && reads < kMaxReadsPerCall; ++reads) {
        size_t done = 0;
        const int result = mpg123_read(decoder_, out + got, size_t(wanted - got), &done);
        got += int(done);
        finished = result != MPG123_NEW_FORMAT && (result != MPG123_OK || done == 0);
    }
    const int frames = got / frameBytes;
    framesRead_.fetch_add(frames, std::memory_order_relaxed);
    if (finished || framesRead() >= length_)
        decoderDone_ = true;
    return frames;
}
