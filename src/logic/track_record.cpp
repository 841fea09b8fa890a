#include "logic/track_record.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "logic/file_read.h"
#include "logic/text.h"

namespace {

constexpr char kSeparator = '/';

constexpr size_t kDateAt = FieldAt::TrackDate, kNoteAt = FieldAt::NoteNo, kTimeAt = FieldAt::PlayTime,
                 kTitleAt = FieldAt::Title, kLinesideAt = FieldAt::Lineside, kMp3At = FieldAt::Mp3Name,
                 kFolderAt = FieldAt::Folder, kCodeAt = FieldAt::Code, kSpareAt = FieldAt::Spare;

int16_t littleEndian16(std::string_view bytes, size_t at)
{
    const auto lo = static_cast<unsigned char>(bytes[at]);
    const auto hi = static_cast<unsigned char>(bytes[at + 1]);
    return static_cast<int16_t>(static_cast<uint16_t>(lo | (hi << 8)));
}

// Writes value into its blank-filled slot, cut to the field's width.
void putText(std::string& out, size_t at, int width, std::string_view value)
{
    value = value.substr(0, size_t(width));
    std::copy(value.begin(), value.end(), out.begin() + std::ptrdiff_t(at));
}

bool seekTo(std::FILE* f, int64_t offset)
{
    return fseeko(f, off_t(offset), SEEK_SET) == 0;
}

}  // namespace

TrackRecord parseRecord(std::string_view bytes)
{
    // A short buffer reads as blanks; callers hand in whole records.
    std::string buf(bytes.substr(0, kRecordSize));
    const bool hasLineside = buf.size() >= kLinesideAt + 2;
    buf.resize(kRecordSize, ' ');

    auto field = [&](size_t at, int width) { return buf.substr(at, size_t(width)); };
    TrackRecord r;
    r.TrackDate = field(kDateAt, FieldWidths::TrackDate);
    r.NoteNo = field(kNoteAt, FieldWidths::NoteNo);
    r.PlayTime = field(kTimeAt, FieldWidths::PlayTime);
    r.Title = field(kTitleAt, FieldWidths::Title);
    if (hasLineside) r.Lineside = littleEndian16(buf, kLinesideAt);
    r.Mp3Name = field(kMp3At, FieldWidths::Mp3Name);
    r.Folder = field(kFolderAt, FieldWidths::Folder);
    r.Code = field(kCodeAt, FieldWidths::Code);
    r.Spare = field(kSpareAt, FieldWidths::Spare);
    return r;
}

int16_t RecordView::Lineside() const
{
    return littleEndian16(bytes_, kLinesideAt);
}

TrackRecord RecordView::record() const
{
    return parseRecord(bytes_);
}

std::string serializeRecord(const TrackRecord& rec)
{
    std::string out(kRecordSize, ' ');
    putText(out, kDateAt, FieldWidths::TrackDate, rec.TrackDate);
    putText(out, kNoteAt, FieldWidths::NoteNo, rec.NoteNo);
    putText(out, kTimeAt, FieldWidths::PlayTime, rec.PlayTime);
    putText(out, kTitleAt, FieldWidths::Title, rec.Title);
    const auto ls = static_cast<uint16_t>(rec.Lineside);
    out[kLinesideAt] = static_cast<char>(ls & 0xFF);
    out[kLinesideAt + 1] = static_cast<char>(ls >> 8);
    putText(out, kMp3At, FieldWidths::Mp3Name, rec.Mp3Name);
    putText(out, kFolderAt, FieldWidths::Folder, rec.Folder);
    putText(out, kCodeAt, FieldWidths::Code, rec.Code);
    putText(out, kSpareAt, FieldWidths::Spare, rec.Spare);
    return out;
}

std::string mp3Path(const std::string& detailsFolder, const TrackRecord& rec)
{
    return detailsFolder + qtext::trimmed(rec.Folder) + kSeparator + qtext::trimmed(rec.Mp3Name) + ".mp3";
}

std::string notesPath(const std::string& detailsFolder, const TrackRecord& rec)
{
    return detailsFolder + qtext::trimmed(rec.Folder) + kSeparator + "details.qvt";
}

std::string folderOf(const std::string& albumPath)
{
    const size_t last = albumPath.find_last_of("\\/");
    return last == std::string::npos ? std::string() : albumPath.substr(0, last + 1);
}

AlbumFile::~AlbumFile()
{
    close();
}

bool AlbumFile::open(const std::string& path)
{
    close();
    // Only a regular file is an album; a folder, FIFO or device is checked for before any read.
    FileError error;
    const int fd = openRegularFile(path, error);
    if (fd < 0) return false;
    file_ = fdopen(fd, "rb");
    if (!file_) {
        ::close(fd);
        return false;
    }
    if (recordCount() == 0) return true;  // no whole record: a valid, empty album
    TrackRecord first;
    if (!read(1, first)) {
        close();
        return false;
    }
    return true;
}

void AlbumFile::close()
{
    if (file_) std::fclose(file_);
    file_ = nullptr;
}

int32_t AlbumFile::recordCount() const
{
    if (!file_) return 0;
    struct stat st {};
    if (fstat(fileno(file_), &st) != 0 || st.st_size < 0) return 0;
    const int64_t count = int64_t(st.st_size) / kRecordSize;
    return count > INT32_MAX ? INT32_MAX : int32_t(count);
}

bool AlbumFile::read(int32_t n, TrackRecord& out)
{
    if (n < 1 || n > recordCount()) return false;
    std::string buffer;
    if (!readBlock(n, 1, buffer)) return false;
    out = parseRecord(buffer);
    return true;
}

bool AlbumFile::readBlock(int32_t first, int32_t count, std::string& buffer)
{
    if (!file_ || first < 1 || count < 0) return false;
    buffer.resize(size_t(count) * kRecordSize);
    std::clearerr(file_);
    if (!seekTo(file_, int64_t(first - 1) * kRecordSize)) return false;
    return std::fread(buffer.data(), 1, buffer.size(), file_) == buffer.size();
}

int AlbumFile::duplicateDescriptor() const
{
    return file_ ? fcntl(fileno(file_), F_DUPFD_CLOEXEC, 0) : -1;
}

bool readRecordsAt(int fd, int32_t first, int32_t count, std::string& buffer)
{
    if (fd < 0 || first < 1 || count < 0) return false;
    buffer.resize(size_t(count) * kRecordSize);
    size_t done = 0;
    while (done < buffer.size()) {
        const ssize_t got = pread(fd, buffer.data() + done, buffer.size() - done,
                                  off_t(int64_t(first - 1) * kRecordSize + int64_t(done)));
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return false;
        done += size_t(got);
    }
    return true;
}
