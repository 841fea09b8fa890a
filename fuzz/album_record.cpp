// The album file as the start-up reads it: every record, the scan of the whole album
// (in pieces too) and the display lines, from a file of any bytes.
#include "fuzz_support.h"
#include "logic/album_scan.h"
#include "logic/date_words.h"
#include "logic/search_lines.h"

#include <algorithm>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const fuzz::ScratchFile file("album.qdb");
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    AlbumFile album;
    FUZZ_CHECK(album.open(file.write(bytes)));
    const int32_t count = album.recordCount();
    FUZZ_CHECK(size_t(count) == size / kRecordSize);

    AlbumScan whole = scanAlbum(album);
    FUZZ_CHECK(whole.records == count);
    // The same scan made in two pieces.
    AlbumScanner scanner;
    AlbumScan pieces;
    const size_t split = size_t(count / 2) * kRecordSize;
    pieces.append(scanner.scan(bytes.substr(0, split)));
    pieces.append(scanner.scan(bytes.substr(split, size_t(count) * kRecordSize - split)));
    FUZZ_CHECK(pieces.records == whole.records && pieces.codes == whole.codes && pieces.lastMonth == whole.lastMonth);
    FUZZ_CHECK(pieces.carriedMonths == whole.carriedMonths && pieces.widestLine == whole.widestLine);
    for (size_t i = 1; i < whole.carriedMonths.size(); ++i)
        FUZZ_CHECK(whole.carriedMonths[i - 1].last + 1 < whole.carriedMonths[i].first);
    for (const std::string& code : whole.codes)
        FUZZ_CHECK(!code.empty() && code.front() != ' ' && code.back() != ' '
                   && std::count(whole.codes.begin(), whole.codes.end(), code) == 1);

    DateWords words;
    DisplayLineWriter writer("");
    std::string written;
    int32_t visited = 0;
    int month = 0;
    album.forEach([&](int32_t n, const RecordView& view) {
        FUZZ_CHECK(n == ++visited);
        const std::string_view stored = bytes.substr(size_t(n - 1) * kRecordSize, kRecordSize);
        const TrackRecord rec = parseRecord(stored);
        FUZZ_CHECK(serializeRecord(rec) == stored);
        TrackRecord read;
        FUZZ_CHECK(album.read(n, read) && serializeRecord(read) == stored);
        FUZZ_CHECK(serializeRecord(view.record()) == stored && view.Lineside() == rec.Lineside);

        const std::string line = trackDisplayLine(view, words);
        FUZZ_CHECK(line.size() <= whole.widestLine);
        written.clear();
        writer.write(view, written);
        FUZZ_CHECK(written == line);

        const double m = monthNumber(rec.TrackDate);
        const bool named = m >= 1 && m <= 12 && m == int(m);
        FUZZ_CHECK(whole.carriedMonth(n - 1) == (named ? -1 : month));
        if (named) month = int(m);
    });
    FUZZ_CHECK(visited == count && whole.lastMonth == month);
    TrackRecord past;
    FUZZ_CHECK(!album.read(count + 1, past) && !album.read(0, past));
    return 0;
}
