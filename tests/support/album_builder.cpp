#include "support/album_builder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace fixture {

namespace {

void appendText(std::string& out, std::string_view value, size_t width)
{
    value = value.substr(0, width);
    out.append(value);
    out.append(width - value.size(), ' ');
}

}  // namespace

TrackRecord makeTrack(std::string_view title, std::string_view date, std::string_view playTime,
                      int16_t lineside, std::string_view mp3, std::string_view folder,
                      std::string_view code, std::string_view noteNo, std::string_view spare)
{
    TrackRecord t;
    t.TrackDate = date;
    t.NoteNo = noteNo;
    t.PlayTime = playTime;
    t.Title = title;
    t.Lineside = lineside;
    t.Mp3Name = mp3;
    t.Folder = folder;
    t.Code = code;
    t.Spare = spare;
    return t;
}

std::string recordBytes(const TrackRecord& rec)
{
    std::string out;
    appendText(out, rec.TrackDate, 10);
    appendText(out, rec.NoteNo, 3);
    appendText(out, rec.PlayTime, 7);
    appendText(out, rec.Title, 60);
    const auto ls = static_cast<uint16_t>(rec.Lineside);
    out.push_back(char(ls & 0xFF));  // little-endian
    out.push_back(char(ls >> 8));
    appendText(out, rec.Mp3Name, 10);
    appendText(out, rec.Folder, 10);
    appendText(out, rec.Code, 4);
    appendText(out, rec.Spare, 25);
    return out;
}

std::string joinLines(const std::vector<std::string>& lines, std::string_view eol)
{
    std::string out;
    for (const std::string& line : lines) {
        out += line;
        out += eol;
    }
    return out;
}

AlbumDir::AlbumDir() = default;

std::string AlbumDir::folder() const
{
    return QDir::toNativeSeparators(dir_.path() + '/').toStdString();
}

std::string AlbumDir::filePath(std::string_view relative) const
{
    return folder() + std::string(relative);
}

std::string AlbumDir::writeFile(std::string_view relative, std::string_view bytes) const
{
    const QString path = dir_.filePath(QString::fromUtf8(relative.data(), qsizetype(relative.size())));
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(bytes.data(), qint64(bytes.size())) != qint64(bytes.size()))
        qFatal("album fixture: cannot write %s", qPrintable(path));
    return QDir::toNativeSeparators(path).toStdString();
}

std::string AlbumDir::writeAlbum(std::string_view name, const std::vector<TrackRecord>& tracks,
                                 std::string_view tail) const
{
    std::string bytes;
    for (const TrackRecord& t : tracks) bytes += recordBytes(t);
    bytes += tail;
    return writeFile(name, bytes);
}

std::string AlbumDir::writeNotes(std::string_view trackFolder, const std::vector<std::string>& lines,
                                 std::string_view eol) const
{
    return writeFile(std::string(trackFolder) + "/details.qvt", joinLines(lines, eol));
}

}  // namespace fixture
