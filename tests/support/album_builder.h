#pragma once
// Album fixtures for tests: track records, album files written byte by byte and
// notes files, all inside one fresh temporary folder per fixture.
#include <QTemporaryDir>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "logic/track_record.h"

// Stored bytes and paths as Qt's types, for comparisons.
inline QByteArray bytes(const std::string& s)
{
    return QByteArray::fromStdString(s);
}
inline QString q(const std::string& s)
{
    return QString::fromStdString(s);
}

namespace fixture {

// A record with its fields as given (unpadded); the album writer pads and cuts them.
TrackRecord makeTrack(std::string_view title, std::string_view date = "01011970", std::string_view playTime = "01:00",
                      int16_t lineside = 0, std::string_view mp3 = "track", std::string_view folder = "tracks",
                      std::string_view code = "", std::string_view noteNo = "1", std::string_view spare = "");

// The 131 bytes of a record, laid out field by field on their own so that tests of
// the album reader do not lean on the code under test.
std::string recordBytes(const TrackRecord& rec);

// The id of a process that has ended, as a writer killed mid-write left in its temporaries' names.
int deadProcessId();

// Lines joined into a file's content, each ended by eol (also the last one).
std::string joinLines(const std::vector<std::string>& lines, std::string_view eol = "\r\n");

// A settings file: the 24 default lines with the album at albumPath, some lines (numbered from 1)
// replaced, cut to the first `keep`.
std::string settingsFile(const std::string& albumPath, const std::vector<std::pair<int, std::string>>& edits = {},
                         size_t keep = 24);

// A file's bytes, or "<missing>" when it cannot be opened.
std::string readFile(const std::string& path);

class AlbumDir {
public:
    // The folder with a trailing separator, as the program keeps DetailsFolder.
    std::string folder() const;
    std::string filePath(std::string_view relative) const { return folder() + std::string(relative); }

    // Each writer creates missing parent folders and returns the file's full path.
    std::string writeFile(std::string_view relative, std::string_view bytes) const;
    // The records one after the other, then tail (for a partial last record).
    std::string writeAlbum(std::string_view name, const std::vector<TrackRecord>& tracks,
                           std::string_view tail = {}) const;
    // The notes file "details.qvt" of a track folder.
    std::string writeNotes(std::string_view trackFolder, const std::vector<std::string>& lines,
                           std::string_view eol = "\r\n") const;

private:
    QTemporaryDir dir_;
};

}  // namespace fixture
