#pragma once
// A media player that plays nothing, for benchmarks of the window.
#include "audio/media_player.h"

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
