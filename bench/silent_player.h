#pragma once
// A media player that plays nothing, and the seams around it, for benchmarks of the window.
#include <string>

#include "audio/media_player.h"
#include "form/platform.h"
#include "platform/dialogs.h"
#include "platform/help_viewer.h"
#include "platform/message_box.h"
#include "platform/window_system.h"

class SilentPlayer : public MediaPlayer {
public:
    void setStartOnOpen(bool) override {}
    void setSourceFile(const QString&) override {}
    bool hasError() const override { return false; }
    double position() const override { return 0; }
    void setPosition(double) override {}
    double duration() const override { return 0; }
    int playState() const override { return Stopped; }
    void play() override {}
    void pause() override {}
    bool mute() const override { return false; }
    void setMute(bool) override {}
    int volume() const override { return 0; }
    void setVolume(int) override {}
};

// The real window and seams around a player that plays nothing, on a program folder.
struct SilentSeams {
    explicit SilentSeams(const std::string& folder) : platform{&player, &messages, &dialogs, &windows, &help, folder} {}
    SilentPlayer player;
    QtMessageBoxes messages;
    QtDialogs dialogs;
    QtWindowSystem windows;
    QtHelpViewer help;
    Platform platform;
};
