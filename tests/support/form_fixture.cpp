#include "support/form_fixture.h"

#include <QDir>
#include <QTest>

#include "album/track_list_model.h"
#include "app/compose.h"
#include "platform/file_ops.h"

std::string FormFixture::appFile(std::string_view name) const
{
    return QDir(appDir_.path()).absolutePath().toStdString() + "/" + std::string(name);
}

Form1& FormFixture::start()
{
    Platform platform{&player, &messages, &dialogs, &windows, &help, appFile("")};
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
    writeSettings(albumPath, edits, keep);
    return start();
}
