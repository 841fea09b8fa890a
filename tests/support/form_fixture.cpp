#include "support/form_fixture.h"

#include <QDir>
#include <QTest>

#include "album/track_list_model.h"
#include "app/compose.h"
#include "platform/file_ops.h"

FormFixture::FormFixture() = default;

FormFixture::~FormFixture()
{
    if (form) form->Form_Unload();
}

std::string FormFixture::appFolder() const
{
    return QDir(appDir_.path()).absolutePath().toStdString() + "/";
}

std::string FormFixture::appFile(std::string_view name) const
{
    return appFolder() + std::string(name);
}

void FormFixture::writeAppFile(std::string_view name, std::string_view bytes) const
{
    writeFileAtomic(appFile(name), bytes);
}

std::string FormFixture::readAppFile(std::string_view name) const
{
    return readRegularFile(appFile(name), size_t(1) << 30).bytes;
}

std::vector<std::string> FormFixture::settingsLines(const std::string& albumPath) const
{
    const std::string folder = albumPath.substr(0, albumPath.find_last_of('/') + 1);
    return {"[Directories]",
            "Details=" + folder,
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
}

void FormFixture::writeSettings(const std::vector<std::string>& lines, size_t keep) const
{
    std::vector<std::string> kept(lines.begin(), lines.begin() + std::min(keep, lines.size()));
    writeAppFile("qvb.ini", fixture::joinLines(kept));
}

Form1& FormFixture::start()
{
    Platform platform{&player, &messages, &dialogs, &windows, &help, appFolder()};
    form = composeWindow(platform);
    form->Form_Load();
    form->show();
    if (!QTest::qWaitForWindowExposed(form.get())) qWarning("window not exposed");
    if (!QTest::qWaitFor([this] { return !form->fmTrackList->trackLines->scanning(); }))
        qWarning("album scan not ended");
    return *form;
}

Form1& FormFixture::startWith(const std::string& albumPath, const std::vector<std::pair<int, std::string>>& edits,
                              size_t keep)
{
    std::vector<std::string> lines = settingsLines(albumPath);
    for (const auto& [line, text] : edits) lines[size_t(line - 1)] = text;
    writeSettings(lines, keep);
    return start();
}

void FormFixture::close()
{
    form->close();
}
