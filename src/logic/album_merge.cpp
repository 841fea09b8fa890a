#include "logic/album_merge.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "logic/track_record.h"

namespace {

constexpr size_t kBlock = size_t(8) << 20;

// One file to copy from: its descriptor, the part to copy, and the path a failure names.
struct Source {
    int fd = -1;
    uint64_t from = 0, length = 0;
    const std::string* path = nullptr;
    bool wholeRecords = true;
};

class Merge {
public:
    Merge(int out, const MergeHooks& hooks) : out_(out), hooks_(hooks) {}

    // Copies source after what is there; false when the merge stops.
    bool copy(const Source& source, uint64_t total, MergeOutcome& outcome)
    {
        const uint64_t start = at_;
        uint64_t done = 0;
        while (done < source.length) {
            const size_t want = size_t(std::min<uint64_t>(kBlock, source.length - done));
            const ssize_t n = block(source, source.from + done, want, outcome);
            if (n < 0) return false;
            if (n == 0) break;  // the file became shorter while it was read
            done += uint64_t(n);
            at_ += uint64_t(n);
            if (hooks_.progress) hooks_.progress(at_, total);
            if (hooks_.cancelled && hooks_.cancelled()) return !(outcome.cancelled = true);
        }
        // An input cut short keeps only its whole records; what follows overwrites the rest.
        if (source.wholeRecords) at_ = start + done - done % kRecordSize;
        return true;
    }

    uint64_t size() const { return at_; }

private:
    // Copies up to want bytes from source at from to the new file's end; -1 on a failure.
    ssize_t block(const Source& source, uint64_t from, size_t want, MergeOutcome& outcome)
    {
        if (direct_) {
            loff_t in = loff_t(from), to = loff_t(at_);
            ssize_t n;
            do {
                n = ::copy_file_range(source.fd, &in, out_, &to, want, 0);
            } while (n < 0 && errno == EINTR);
            if (n >= 0) return n;
            // Reading and writing apart tells which side failed, and works where the system cannot copy.
            direct_ = false;
        }
        buffer_.resize(kBlock);
        ssize_t n;
        do {
            n = ::pread(source.fd, buffer_.data(), want, off_t(from));
        } while (n < 0 && errno == EINTR);
        if (n < 0) {
            outcome.unread = {errno == 0 ? FileError::Other : fromErrno(errno), *source.path};
            return -1;
        }
        for (ssize_t put = 0; put < n;) {
            const ssize_t w = ::pwrite(out_, buffer_.data() + put, size_t(n - put), off_t(at_ + uint64_t(put)));
            if (w < 0 && errno == EINTR) continue;
            if (w <= 0) {
                outcome.written = w < 0 && errno != 0 ? fromErrno(errno) : FileError::Other;
                return -1;
            }
            put += w;
        }
        return n;
    }

    int out_;
    const MergeHooks& hooks_;
    uint64_t at_ = 0;
    bool direct_ = true;
    std::vector<char> buffer_;
};

uint64_t sizeOf(int fd)
{
    struct stat st {};
    return ::fstat(fd, &st) == 0 ? uint64_t(st.st_size) : 0;
}

class Descriptors {
public:
    ~Descriptors()
    {
        for (int fd : fds_)
            if (fd >= 0) ::close(fd);
    }
    int add(int fd) { return fds_.push_back(fd), fd; }

private:
    std::vector<int> fds_;
};

}  // namespace

FileError MergeOutcome::verdict() const
{
    if (cancelled) return FileError::Cancelled;
    if (!unread.ok()) return FileError::Other;
    return written;
}

MergeOutcome mergeAlbumsInto(int out, const std::string& first, const std::string& second, const std::string& oldOutput,
                             const MergeHooks& hooks)
{
    MergeOutcome outcome;
    Descriptors open;
    Source sources[3];
    uint64_t merged = 0;
    for (int i = 0; i < 2; ++i) {
        const std::string& path = i == 0 ? first : second;
        FileError error;
        const int fd = open.add(openRegularFile(path, error));
        if (fd < 0) return outcome.unread = {error, path}, outcome;
        const uint64_t size = sizeOf(fd);
        sources[i] = {fd, 0, size - size % kRecordSize, &path, true};
        merged += sources[i].length;
    }
    FileError error;
    const int old = open.add(openRegularFile(oldOutput, error));
    // An old output that is no regular file holds no records; putting the new one in its place says why it cannot be.
    if (old < 0 && error != FileError::NotFound && error != FileError::NotRegular)
        return outcome.unread = {error, oldOutput}, outcome;
    if (old >= 0) {
        const uint64_t size = sizeOf(old);
        sources[2] = {old, merged, size > merged ? size - merged : 0, &oldOutput, false};
    }
    const uint64_t total = merged + sources[2].length;
    Merge merge(out, hooks);
    for (const Source& source : sources)
        if (source.fd >= 0 && !merge.copy(source, total, outcome)) return outcome;
    // The copy writes at offsets; a part-record left behind by an input cut short is cut off.
    if (::ftruncate(out, off_t(merge.size())) != 0 || ::fsync(out) != 0) {
        outcome.written = fromErrno(errno);
        return outcome;
    }
    outcome.cancelled = hooks.cancelled && hooks.cancelled();
    return outcome;
}

std::string mergeNotReadMessage(std::string_view path, std::string_view reason)
{
    return "The albums were not merged: the album file\r" + std::string(path)
           + "\rcould not be read.\r\rReason: " + std::string(reason) + "\r\rNothing was written.";
}

std::string mergeNotWrittenMessage(std::string_view path, std::string_view reason)
{
    return "The albums were not merged: the album file\r" + std::string(path)
           + "\rcould not be written.\r\rReason: " + std::string(reason) + "\r\rIt is as it was.";
}
