#pragma once
// One MP3 file decoded by libmpg123 into float samples in the output format
// (44100 Hz stereo), converted by SDL when the file has another rate or
// channel count. It does no locking: the player calls it from the audio
// callback and from the GUI thread only while holding the device lock,
// except framesRead(), which may be read at any time.
#include <QString>

#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

struct mpg123_handle_struct;
struct _SDL_AudioStream;

class Mp3Stream {
public:
    static constexpr int kOutputRate = 44100;
    static constexpr int kOutputChannels = 2;
    static constexpr int kOutputFrameBytes = kOutputChannels * int(sizeof(float));

    // Null when the file is missing or holds no playable audio.
    static std::unique_ptr<Mp3Stream> open(const QString& path);
    ~Mp3Stream();
    Mp3Stream(const Mp3Stream&) = delete;
    Mp3Stream& operator=(const Mp3Stream&) = delete;

    long rate() const { return rate_; }
    int channels() const { return channels_; }
    // Exact length in samples per channel of the file.
    std::int64_t length() const { return length_; }

    // Writes up to len bytes of output-format samples (whole frames) and
    // returns how many it wrote; fewer only at the end of the file.
    int read(unsigned char* out, int len);
    // Continues from a sample of the file (clamped to the length); sample-exact.
    bool seek(std::int64_t frame);
    // Samples of the file handed out by read() since the start of the file.
    std::int64_t framesRead() const { return framesRead_.load(std::memory_order_relaxed); }
    // True once read() has handed out the last sample.
    bool atEnd() const { return atEnd_; }

private:
    Mp3Stream(mpg123_handle_struct* decoder, long rate, int channels, std::int64_t length);
    int readConverted(unsigned char* out, int len);
    int decode(unsigned char* out, std::int64_t maxFrames);

    mpg123_handle_struct* decoder_;
    _SDL_AudioStream* converter_ = nullptr; // null when the file is in the output format
    std::vector<float> scratch_;            // decoded samples on their way into the converter
    long rate_;
    int channels_;
    std::int64_t length_;
    bool decoderDone_ = false;
    bool atEnd_ = false;
    std::atomic<std::int64_t> framesRead_{0};
};
