#include "support/playback_fixture.h"

#include <QTest>

std::string writeAlbum(FormFixture& f, const std::vector<TrackSpec>& tracks)
{
    std::vector<TrackRecord> records;
    std::vector<std::string> notes;
    for (size_t i = 0; i < tracks.size(); ++i) {
        const std::string n = std::to_string(i + 1);
        records.push_back(
            fixture::makeTrack(tracks[i].first, "05051975", "03:41", tracks[i].second, "t" + n, "f1", "STM", n));
        notes.push_back("Notes of " + tracks[i].first);
    }
    notes.push_back("End");
    f.album.writeNotes("f1", notes);
    const std::string path = f.album.writeAlbum("album.qdb", records);
    f.writeSettings(path);
    return path;
}

Form1& startOnAlbum(FormFixture& f, const std::vector<TrackSpec>& tracks)
{
    writeAlbum(f, tracks);
    return f.start();
}

std::vector<TrackSpec> numbered(int count, int16_t lineside)
{
    std::vector<TrackSpec> tracks;
    for (int i = 1; i <= count; ++i) tracks.push_back({"Track " + std::to_string(i), lineside});
    return tracks;
}

void settle()
{
    for (int i = 0; i < 20; ++i) QCoreApplication::processEvents();
}

void clickRow(ListBox* list, int row, Qt::MouseButton button)
{
    QTest::mouseClick(list->viewport(), button, {}, list->visualRect(list->model()->index(row, 0)).center());
}

void doubleClickRow(ListBox* list, int row)
{
    clickRow(list, row);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(list->model()->index(row, 0)).center());
}

QStringList lines(const ListBox* list)
{
    QStringList out;
    for (int i = 0; i < list->listCount(); ++i) out << list->itemText(i);
    return out;
}
