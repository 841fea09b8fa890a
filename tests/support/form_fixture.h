#pragma once
// A main window on a temporary program folder with every seam replaced by a
// double, plus an album folder to fill. Each fixture is independent of others.
#include <QTemporaryDir>
#include <memory>
#include <string>

#include "album/track_list_page.h"
#include "form/form1.h"
#include "form/notes_pane.h"
#include "platform/file_ops.h"
#include "playback/player_session.h"
#include "playlist/playlist_page.h"
#include "prefs/options_page.h"
#include "prefs/prefs_frame.h"
#include "search/search_page.h"
#include "support/album_builder.h"
#include "support/fake_media_player.h"
#include "support/fake_platform.h"

Q_DECLARE_METATYPE(Mode)

class FormFixture {
public:
    ~FormFixture()
    {
        if (form) form->Form_Unload();
    }

    // A file of the program folder; appFile("") is the folder, with a trailing separator.
    std::string appFile(std::string_view name) const;
    void writeAppFile(std::string_view name, std::string_view bytes) const { writeFileAtomic(appFile(name), bytes); }
    std::string readAppFile(std::string_view name) const { return readRegularFile(appFile(name), 1 << 30).bytes; }

    // Writes fixture::settingsFile(albumPath, edits, keep) as the settings file.
    void writeSettings(const std::string& albumPath, const std::vector<std::pair<int, std::string>>& edits = {},
                       size_t keep = 24) const
    {
        writeAppFile("qvb.ini", fixture::settingsFile(albumPath, edits, keep));
    }

    // Builds the window, runs its start-up, shows it and lets the album scan end.
    Form1& start();
    // Writes settings as above, then starts.
    Form1& startWith(const std::string& albumPath, const std::vector<std::pair<int, std::string>>& edits,
                     size_t keep = 24);
    // Closes the window as a user would, which runs the shutdown.
    void close() { form->close(); }

    fixture::AlbumDir album;
    FakeMediaPlayer player;
    RecordingMessageBoxes messages;
    CancelledDialogs dialogs;
    FakeWindowSystem windows;
    FakeHelpViewer help;
    std::unique_ptr<Form1> form;

private:
    QTemporaryDir appDir_;
};
