#include "support/album_builder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <sys/wait.h>
#include <unistd.h>

namespace fixture {

TrackRecord makeTrack(std::string_view title, std::string_view date, std::string_view playTime, int16_t lineside,
                      std::string_view mp3, std::string_view folder, std::string_view code, std::string_view noteNo,
                      std::string_view spare)
{
    return {std::string(date), std::string(noteNo), std::string(playTime), std::string(title), lineside,
            std::string(mp3),  std::string(folder), std::string(code),     std::string(spare)};
}

std::string recordBytes(const TrackRecord& rec)
{
    const auto text = [](std::string_view value, size_t width) {
        std::string out(value.substr(0, width));
        out.resize(width, ' ');
        return out;
    };
    const auto ls = static_cast<uint16_t>(rec.Lineside);  // little-endian
    return text(rec.TrackDate, 10) + text(rec.NoteNo, 3) + text(rec.PlayTime, 7) + text(rec.Title, 60) + char(ls & 0xFF)
           + char(ls >> 8) + text(rec.Mp3Name, 10) + text(rec.Folder, 10) + text(rec.Code, 4) + text(rec.Spare, 25);
}

int deadProcessId()
{
    const pid_t pid = ::fork();
    if (pid == 0) ::_exit(0);
    ::waitpid(pid, nullptr, 0);
    return pid;
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

std::string settingsFile(const std::string& albumPath, const std::vector<std::pair<int, std::string>>& edits, size_t keep)
{
    std::vector<std::string> lines{"[Directories]",
                                   "Details=" + albumPath.substr(0, albumPath.find_last_of('/') + 1),
                                   "Data=" + albumPath,
                                   "Playlist FN=",
                                   "",
                                   "[Pane Positions]",
                                   "1=2780",
                                   "2=3375",
                                   "3=2500",
                                   "",
                                   "[List Positions]",
                                   "Index=0",
                                   "Playlist=0",
                                   "",
                                   " 64 ",
                                   " 12 ",
                                   " 12648447 ",
                                   " 12648447 ",
                                   " 8.25 ",
                                   " 0 ",
                                   "one",
                                   "3",
                                   " 0 ",
                                   " 0 "};
    for (const auto& [line, text] : edits) lines[size_t(line - 1)] = text;
    lines.resize(keep);
    return joinLines(lines);
}

std::string readFile(const std::string& path)
{
    QFile file(QString::fromStdString(path));
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string("<missing>");
}

std::string AlbumDir::folder() const
{
    return QDir::toNativeSeparators(dir_.path() + '/').toStdString();
}

std::string AlbumDir::writeFile(std::string_view relative, std::string_view bytes) const
{
    const QString path = dir_.filePath(QString::fromUtf8(relative.data(), qsizetype(relative.size())));
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)
        || file.write(bytes.data(), qint64(bytes.size())) != qint64(bytes.size()))
        qFatal("album fixture: cannot write %s", qPrintable(path));
    return QDir::toNativeSeparators(path).toStdString();
}

std::string AlbumDir::writeAlbum(std::string_view name, const std::vector<TrackRecord>& tracks, std::string_view tail) const
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
