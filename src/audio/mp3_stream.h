#pragma once
// One MP3 file decoded by libmpg123 into output frames (44100 Hz stereo
// float); parts in another rate or channel count go through an SDL converter,
// rebuilt whenever the format changes inside the file (MP3s joined end to end).
//
// open() is cheap enough for the window's thread: it checks that the path is
// a regular file without blocking, and reads up to the first frame. The exact
// length needs every frame header; measureLength() walks them a slice at a
// time on a second decoder over the same file, so that the decoder thread can
// go on filling the output between slices. Not thread-safe: after open(), one
// thread at a time uses it.
#include <QString>

#include <cstdint>
#include <memory>
#include <vector>

struct mpg123_handle_struct;
struct _SDL_AudioStream;

class Mp3Stream {
public:
    static constexpr int kOutputRate = 44100;
    static constexpr int kOutputChannels = 2;

    // Null when the path is not a regular file (missing, a folder, a FIFO, a
    // device) or holds no playable audio.
    static std::unique_ptr<Mp3Stream> open(const QString& path);
    ~Mp3Stream();
    Mp3Stream(const Mp3Stream&) = delete;
    Mp3Stream& operator=(const Mp3Stream&) = delete;

    // Format of the first frame.
    long rate() const { return firstRate_; }
    int channels() const { return firstChannels_; }
    // Length in seconds: each part's samples at that part's rate. Exact once
    // lengthExact() or atEnd(); before that, what the file's header (or its size) says.
    double duration() const { return duration_; }
    bool lengthExact() const { return lengthExact_; }
    // Walks the next slice of frame headers; true once the length is exact
    // (also when the walk fails: the estimate then stands).
    bool measureLength();

    // Writes up to maxFrames output frames; fewer at the end of the file, and at times
    // (none at worst) where a stretch decodes to nothing, as just after a seek: read on
    // until atEnd().
    int read(float* out, int maxFrames);
    // Continues from a time (clamped to the length); sample-exact within the first part.
    void seek(double seconds);
    // Time of the next frame read() hands out, in seconds from the start.
    double position() const;
    bool atEnd() const { return atEnd_; }

private:
    struct Part {
        std::int64_t firstFrame;  // decoder frame number of its first MPEG frame
        long rate;
        int channels;
        int samplesPerFrame;
        std::int64_t frames;
        double startSeconds;
    };

    Mp3Stream(int fd, mpg123_handle_struct* decoder);
    bool useFormat(long rate, int channels);
    int decode(float* out, int maxFrames);
    void finishMeasuring(bool walked);
    void settleLength();

    struct Reader;

    int fd_;
    mpg123_handle_struct* decoder_;
    std::unique_ptr<Reader> reader_;
    mpg123_handle_struct* walker_ = nullptr;  // the length walk, over the same file
    std::unique_ptr<Reader> walkReader_;
    _SDL_AudioStream* converter_ = nullptr;  // null while the part is in the output format
    std::vector<float> scratch_;             // decoded frames on their way into the converter
    long firstRate_ = 0;
    int firstChannels_ = 0;
    std::int64_t headerSamples_ = 0;  // first part's samples by the gapless header; 0 without one
    long rate_ = 0;                   // format being decoded now
    int channels_ = 0;
    long nextRate_ = 0;  // format the decoder changed to, once the converter is drained
    int nextChannels_ = 0;
    bool formatChanged_ = false;
    bool draining_ = false;  // the converter is flushed and emptied before the next format
    bool decoderDone_ = false;
    bool atEnd_ = false;
    double duration_ = 0;
    bool lengthExact_ = false;
    std::vector<Part> parts_;
    double baseSeconds_ = 0;      // time of the first frame handed out since the last seek
    std::int64_t framesOut_ = 0;  // output frames handed out since then
};
