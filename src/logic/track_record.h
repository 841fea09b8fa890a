#pragma once
// The album database: a headerless file of fixed 131-byte track records,
// numbered from 1. Text fields are blank-padded single-byte text kept as bytes.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

constexpr int kRecordSize = 131;

struct TrackRecord {
    std::string TrackDate;  // 10 bytes: ddmmyyyy then blanks
    std::string NoteNo;     // 3 bytes: entry number in the folder's notes file
    std::string PlayTime;   // 7 bytes: "mm:ss"
    std::string Title;      // 60 bytes
    int16_t Lineside = 0;   // -1 lineside, 0 on train (little-endian on disk)
    std::string Mp3Name;    // 10 bytes, without ".mp3"
    std::string Folder;     // 10 bytes, subfolder of the album's folder
    std::string Code;       // 4 bytes, category code
    std::string Spare;      // 25 bytes, carried but never used
};

// Field widths in on-disk order.
struct FieldWidths {
    static constexpr int TrackDate = 10, NoteNo = 3, PlayTime = 7, Title = 60, Lineside = 2, Mp3Name = 10, Folder = 10,
                         Code = 4, Spare = 25;
};

// Byte offsets of the fields, in on-disk order.
struct FieldAt {
    static constexpr size_t TrackDate = 0, NoteNo = 10, PlayTime = 13, Title = 20, Lineside = 80, Mp3Name = 82,
                            Folder = 92, Code = 102, Spare = 106;
};
static_assert(FieldAt::Spare + FieldWidths::Spare == kRecordSize);

// The fields of one stored record read in place, without copying: for scanning
// whole albums, where a copy of every field of every record would dominate.
class RecordView {
public:
    // bytes must hold at least kRecordSize bytes and outlive the view.
    explicit RecordView(std::string_view bytes) : bytes_(bytes) {}
    std::string_view TrackDate() const { return field(FieldAt::TrackDate, FieldWidths::TrackDate); }
    std::string_view PlayTime() const { return field(FieldAt::PlayTime, FieldWidths::PlayTime); }
    std::string_view Title() const { return field(FieldAt::Title, FieldWidths::Title); }
    std::string_view Mp3Name() const { return field(FieldAt::Mp3Name, FieldWidths::Mp3Name); }
    std::string_view Folder() const { return field(FieldAt::Folder, FieldWidths::Folder); }
    std::string_view Code() const { return field(FieldAt::Code, FieldWidths::Code); }
    int16_t Lineside() const;
    TrackRecord record() const;

private:
    std::string_view field(size_t at, int width) const { return bytes_.substr(at, size_t(width)); }
    std::string_view bytes_;
};

// Decodes exactly kRecordSize bytes; text fields keep their padding.
TrackRecord parseRecord(std::string_view bytes);
// Encodes a record: text fields cut or blank-padded to their widths.
std::string serializeRecord(const TrackRecord& rec);

// Where a track's files lie. detailsFolder ends with a separator.
std::string mp3Path(const std::string& detailsFolder, const TrackRecord& rec);
std::string notesPath(const std::string& detailsFolder, const TrackRecord& rec);
// The folder of an album file, up to and including its last '\' or '/'; empty when none.
std::string folderOf(const std::string& albumPath);

// An album file held open for reading by record number.
class AlbumFile {
public:
    AlbumFile() = default;
    ~AlbumFile();
    AlbumFile(const AlbumFile&) = delete;
    AlbumFile& operator=(const AlbumFile&) = delete;

    // Opens the file and reads record 1; false when it does not exist or cannot be read.
    // A file with no whole record opens as an empty album.
    bool open(const std::string& path);
    void close();
    bool isOpen() const { return file_ != nullptr; }

    // Whole records in the file (a partial record at the end is not a track).
    int32_t recordCount() const;
    // Reads record n (from 1); false past the end or when not open.
    bool read(int32_t n, TrackRecord& out);

    // Calls fn(recordNumber, RecordView) for every whole record in order, reading in large blocks.
    template <typename Fn> void forEach(Fn&& fn);

    // Reads count records from record first on into buffer, as stored.
    bool readBlock(int32_t first, int32_t count, std::string& buffer);
    // A descriptor of its own on the open file (-1 when none), for reading it on another thread.
    int duplicateDescriptor() const;

private:
    std::FILE* file_ = nullptr;
};

// Reads count records from record first on through fd without moving its offset, as stored.
bool readRecordsAt(int fd, int32_t first, int32_t count, std::string& buffer);

template <typename Fn> void AlbumFile::forEach(Fn&& fn)
{
    const int32_t total = recordCount();
    constexpr int32_t kBlock = 4096;
    std::string buffer;
    for (int32_t first = 1; first <= total; first += kBlock) {
        const int32_t count = std::min(kBlock, total - first + 1);
        if (!readBlock(first, count, buffer)) return;
        for (int32_t i = 0; i < count; ++i)
            fn(first + i, RecordView(std::string_view(buffer).substr(size_t(i) * kRecordSize, kRecordSize)));
    }
}
