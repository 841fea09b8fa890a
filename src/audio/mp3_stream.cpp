#include "audio/mp3_stream.h"

#include <QFile>

#include <SDL.h>
#include <mpg123.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>

namespace {

constexpr int kOutputFrameBytes = Mp3Stream::kOutputChannels * int(sizeof(float));
// Decoded frames passed to the converter at a time.
constexpr int kScratchFrames = 2048;
// A read that keeps returning nothing new must not spin.
constexpr int kMaxReadsPerCall = 8;
// Frame headers walked per measureLength() call: about 7 s of sound, well under a millisecond.
constexpr int kWalkSlice = 256;
// Seconds a decoded length may differ from the known one by the resampler's rounding.
constexpr double kLengthSlack = 0.02;

void initMpg123Once()
{
    static const int result = mpg123_init();
    (void)result;
}

mpg123_handle* newFloatDecoder()
{
    int err = MPG123_OK;
    mpg123_handle* handle = mpg123_new(nullptr, &err);
    if (!handle) return nullptr;
    mpg123_param(handle, MPG123_ADD_FLAGS, MPG123_QUIET, 0);
    mpg123_format_none(handle);
    const long* rates = nullptr;
    size_t rateCount = 0;
    mpg123_rates(&rates, &rateCount);
    for (size_t i = 0; i < rateCount; ++i)
        mpg123_format(handle, rates[i], MPG123_MONO | MPG123_STEREO, MPG123_ENC_FLOAT_32);
    return handle;
}

// Opens without blocking (a FIFO with no writer would block a plain open) and
// keeps only regular files; -1 otherwise.
int openRegularFile(const QString& path)
{
    const QByteArray name = QFile::encodeName(path);
    if (name.isEmpty()) return -1;
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return -1;
    struct stat info {};
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return -1;
    }
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return fd;
}

// An MP3 file begins with an MPEG audio frame header, perhaps after ID3v2
// tags. libmpg123 would otherwise search anything (a WAV, say) for bytes that
// happen to look like one and play what follows as sound.
bool startsWithMpegFrame(int fd)
{
    constexpr int kMaxTags = 4;
    unsigned char head[10];
    off_t at = 0;
    for (int tags = 0;; ++tags) {
        const ssize_t got = pread(fd, head, sizeof head, at);
        if (got < 4) return false;
        if (std::memcmp(head, "ID3", 3) != 0) break;
        // The size is four 7-bit bytes, without the header or a footer.
        if (tags == kMaxTags || got < 10 || ((head[6] | head[7] | head[8] | head[9]) & 0x80)) return false;
        at += 10 + ((head[5] & 0x10) ? 10 : 0) + ((head[6] << 21) | (head[7] << 14) | (head[8] << 7) | head[9]);
    }
    // Frame sync, then no reserved version, layer, bit rate or sample rate.
    return head[0] == 0xFF && (head[1] & 0xE0) == 0xE0 && (head[1] & 0x18) != 0x08 && (head[1] & 0x06) != 0
           && (head[2] & 0xF0) != 0xF0 && (head[2] & 0x0C) != 0x0C;
}

}  // namespace

// libmpg123 asks for a frame's few hundred bytes at a time: a buffer of its own turns
// that into one system call per 64 KiB. Reads go by pread, so the playing decoder and
// the length walk each keep their own place in the one file.
struct Mp3Stream::Reader {
    static constexpr size_t kBufferBytes = 64 * 1024;

    int fd;
    std::int64_t at = 0;  // the next byte handed out
    std::vector<unsigned char> buffer = std::vector<unsigned char>(kBufferBytes);
    std::int64_t bufferAt = 0;  // where buffer[0] lies in the file
    size_t filled = 0;

    explicit Reader(int file) : fd(file) {}

    static mpg123_ssize_t read(void* self, void* out, size_t count)
    {
        auto* r = static_cast<Reader*>(self);
        auto* to = static_cast<unsigned char*>(out);
        size_t done = 0;
        while (done < count) {
            if (r->at < r->bufferAt || r->at >= r->bufferAt + std::int64_t(r->filled)) {
                const ssize_t got = pread(r->fd, r->buffer.data(), r->buffer.size(), off_t(r->at));
                if (got < 0 && errno == EINTR) continue;
                if (got < 0) return done ? mpg123_ssize_t(done) : -1;
                r->bufferAt = r->at;
                r->filled = size_t(got);
                if (got == 0) break;
            }
            const size_t offset = size_t(r->at - r->bufferAt);
            const size_t n = std::min(count - done, r->filled - offset);
            std::memcpy(to + done, r->buffer.data() + offset, n);
            done += n;
            r->at += std::int64_t(n);
        }
        return mpg123_ssize_t(done);
    }
    static off_t seek(void* self, off_t offset, int whence)
    {
        auto* r = static_cast<Reader*>(self);
        struct stat info {};
        if (whence == SEEK_END && fstat(r->fd, &info) != 0) return -1;
        const std::int64_t base = whence == SEEK_SET ? 0 : whence == SEEK_CUR ? r->at : info.st_size;
        if (base + offset < 0) return -1;
        r->at = base + offset;
        return off_t(r->at);
    }
    // Opens `decoder` on the file through this reader.
    bool attach(mpg123_handle* decoder)
    {
        return mpg123_replace_reader_handle(decoder, &Reader::read, &Reader::seek, nullptr) == MPG123_OK
               && mpg123_open_handle(decoder, this) == MPG123_OK;
    }
};

// libmpg123 opens nearly anything, so the start of the file is checked first,
// and a format and a length are required after.
std::unique_ptr<Mp3Stream> Mp3Stream::open(const QString& path)
{
    initMpg123Once();
    const int fd = openRegularFile(path);
    if (fd < 0) return nullptr;
    if (!startsWithMpegFrame(fd)) {
        ::close(fd);
        return nullptr;
    }
    mpg123_handle* decoder = newFloatDecoder();
    if (!decoder) {
        ::close(fd);
        return nullptr;
    }
    std::unique_ptr<Mp3Stream> stream(new Mp3Stream(fd, decoder));
    long rate = 0;
    int channels = 0;
    int encoding = 0;
    if (!stream->reader_->attach(decoder) || mpg123_getformat(decoder, &rate, &channels, &encoding) != MPG123_OK)
        return nullptr;
    const std::int64_t length = mpg123_length(decoder);
    if (length <= 0 || rate <= 0 || channels < 1 || channels > 2 || !stream->useFormat(rate, channels)) return nullptr;
    long encoderDelay = -1;
    mpg123_getstate(decoder, MPG123_ENC_DELAY, &encoderDelay, nullptr);
    stream->headerSamples_ = encoderDelay >= 0 ? length : 0;
    stream->firstRate_ = rate;
    stream->firstChannels_ = channels;
    stream->duration_ = double(length) / double(rate);
    stream->scratch_.resize(size_t(kScratchFrames) * 2);
    return stream;
}

Mp3Stream::Mp3Stream(int fd, mpg123_handle_struct* decoder)
    : fd_(fd), decoder_(decoder), reader_(std::make_unique<Reader>(fd))
{}

Mp3Stream::~Mp3Stream()
{
    if (converter_) SDL_FreeAudioStream(converter_);
    if (walker_) mpg123_delete(walker_);
    mpg123_delete(decoder_);
    ::close(fd_);
}

bool Mp3Stream::useFormat(long rate, int channels)
{
    if (converter_) SDL_FreeAudioStream(converter_);
    converter_ = nullptr;
    rate_ = rate;
    channels_ = channels;
    if (rate == kOutputRate && channels == kOutputChannels) return true;
    converter_ = SDL_NewAudioStream(AUDIO_F32SYS, Uint8(channels), int(rate), AUDIO_F32SYS, kOutputChannels, kOutputRate);
    return converter_ != nullptr;
}

bool Mp3Stream::measureLength()
{
    if (lengthExact_) return true;
    if (!walker_) {
        walker_ = newFloatDecoder();
        walkReader_ = std::make_unique<Reader>(fd_);
        if (!walker_ || !walkReader_->attach(walker_)) {
            finishMeasuring(false);
            return true;
        }
    }
    for (int i = 0; i < kWalkSlice; ++i) {
        const int result = mpg123_framebyframe_next(walker_);
        if (result != MPG123_OK && result != MPG123_NEW_FORMAT) {
            finishMeasuring(result == MPG123_DONE);
            return true;
        }
        mpg123_frameinfo2 info{};
        mpg123_info2(walker_, &info);
        const int channels = info.mode == MPG123_M_MONO ? 1 : 2;
        if (parts_.empty() || parts_.back().rate != info.rate || parts_.back().channels != channels)
            parts_.push_back({std::int64_t(mpg123_tellframe(walker_)), info.rate, channels, mpg123_spf(walker_), 0, 0});
        ++parts_.back().frames;
    }
    return false;
}

// One part walked to its end: the walker knows the exact length, gapless
// trimming and a cut-short end included. Otherwise each part counts its own
// frames at its own rate, the first no longer than its header says; a walk
// stopped by something that is not audio (junk after the last frame) counts
// the frames before it, so the estimate from the file's size goes.
void Mp3Stream::finishMeasuring(bool walked)
{
    const std::int64_t singleLength = walked && walker_ && parts_.size() == 1 ? std::int64_t(mpg123_length(walker_)) : 0;
    if (singleLength > 0) {
        duration_ = double(singleLength) / double(parts_[0].rate);
    } else if (!parts_.empty()) {
        double start = 0;
        for (size_t i = 0; i < parts_.size(); ++i) {
            Part& part = parts_[i];
            part.startSeconds = start;
            const std::int64_t counted = part.frames * part.samplesPerFrame;
            const std::int64_t samples = i == 0 && headerSamples_ > 0 ? std::min(headerSamples_, counted) : counted;
            start += double(samples) / double(part.rate);
        }
        duration_ = start;
    }
    if (parts_.size() < 2) parts_.clear();
    if (walker_) {
        // The walker has the place of every frame: a seek far ahead then jumps
        // there instead of reading the file up to it.
        off_t* offsets = nullptr;
        off_t step = 0;
        size_t fill = 0;
        if (mpg123_index(walker_, &offsets, &step, &fill) == MPG123_OK && fill > 0)
            mpg123_set_index(decoder_, offsets, step, fill);
        mpg123_delete(walker_);
    }
    walker_ = nullptr;
    walkReader_.reset();
    lengthExact_ = true;
}

int Mp3Stream::read(float* out, int maxFrames)
{
    const bool ended = atEnd_;
    int produced = 0;
    for (int reads = 0; produced < maxFrames && !atEnd_ && reads < kMaxReadsPerCall; ++reads) {
        float* to = out + size_t(produced) * kOutputChannels;
        const int wanted = maxFrames - produced;
        if (converter_) {
            const int got = SDL_AudioStreamGet(converter_, to, wanted * kOutputFrameBytes);
            if (got > 0) {
                produced += got / kOutputFrameBytes;
                reads = 0;
                continue;
            }
            if (draining_) {  // everything of the last part is out
                draining_ = false;
                if (decoderDone_ || !useFormat(nextRate_, nextChannels_)) atEnd_ = true;
                continue;
            }
        }
        if (decoderDone_ || formatChanged_) {
            formatChanged_ = false;
            if (converter_) {
                SDL_AudioStreamFlush(converter_);
                draining_ = true;
            } else if (decoderDone_ || !useFormat(nextRate_, nextChannels_)) {
                atEnd_ = true;
            }
            continue;
        }
        if (!converter_) {
            produced += decode(to, wanted);
        } else {
            const int frames = decode(scratch_.data(), kScratchFrames * 2 / channels_);
            if (frames > 0
                && SDL_AudioStreamPut(converter_, scratch_.data(), frames * channels_ * int(sizeof(float))) != 0)
                decoderDone_ = true;
        }
    }
    framesOut_ += produced;
    if (atEnd_ && !ended) settleLength();
    return produced;
}

// Where decoding stops is the true end, when the header or the file's size
// said otherwise by more than a resampler's rounding. A seek past it (to an
// estimated length) stops there too: libmpg123 has counted every frame then.
void Mp3Stream::settleLength()
{
    const std::int64_t decoded = mpg123_length(decoder_);
    if (framesOut_ == 0 && parts_.empty() && decoded > 0)
        baseSeconds_ = std::min(baseSeconds_, double(decoded) / double(firstRate_));
    if (std::abs(position() - duration_) > kLengthSlack) duration_ = position();
}

// Decodes in the current format up to a change of format or the end of the file.
int Mp3Stream::decode(float* out, int maxFrames)
{
    const int frameBytes = channels_ * int(sizeof(float));
    size_t done = 0;
    const int result = mpg123_read(decoder_, reinterpret_cast<unsigned char*>(out),
                                   size_t(maxFrames) * size_t(frameBytes), &done);
    if (result == MPG123_NEW_FORMAT) {
        long rate = 0;
        int channels = 0;
        int encoding = 0;
        mpg123_getformat(decoder_, &rate, &channels, &encoding);
        if (rate != rate_ || channels != channels_) {
            nextRate_ = rate;
            nextChannels_ = channels;
            formatChanged_ = true;
        }
    } else if (result != MPG123_OK) {
        decoderDone_ = true;
    }
    return int(done) / frameBytes;
}

void Mp3Stream::seek(double seconds)
{
    // Written so that NaN lands on 0 too.
    seconds = seconds > 0 ? std::min(seconds, duration_) : 0.0;
    framesOut_ = 0;
    draining_ = formatChanged_ = false;
    decoderDone_ = atEnd_ = seconds >= duration_;
    if (atEnd_) {
        baseSeconds_ = duration_;
        return;
    }
    // Later parts are found by frame: libmpg123 counts samples of joined files in mixed units.
    const auto later = std::find_if(parts_.rbegin(), parts_.rend(),
                                    [&](const Part& p) { return p.startSeconds <= seconds; });
    if (later != parts_.rend() && later != parts_.rend() - 1) {
        const std::int64_t frame = later->firstFrame
                                   + std::min(later->frames - 1,
                                              std::int64_t((seconds - later->startSeconds) * double(later->rate)
                                                           / later->samplesPerFrame));
        mpg123_seek_frame(decoder_, off_t(frame), SEEK_SET);
        baseSeconds_ = later->startSeconds
                       + double((frame - later->firstFrame) * later->samplesPerFrame) / double(later->rate);
        useFormat(later->rate, later->channels);
        return;
    }
    const std::int64_t sample = std::llround(seconds * double(firstRate_));
    mpg123_seek(decoder_, off_t(sample), SEEK_SET);
    baseSeconds_ = double(sample) / double(firstRate_);
    if (rate_ != firstRate_ || channels_ != firstChannels_ || converter_)
        useFormat(firstRate_, firstChannels_);  // also empties the converter
}

double Mp3Stream::position() const
{
    return baseSeconds_ + double(framesOut_) / kOutputRate;
}
