#pragma once
// The operating-system services the window uses, each behind a seam so tests
// can put a double in its place.
#include <string>

class MediaPlayer;
class MessageBoxes;
class Dialogs;
class WindowSystem;
class HelpViewer;

struct Platform {
    MediaPlayer* player = nullptr;
    MessageBoxes* messages = nullptr;
    Dialogs* dialogs = nullptr;
    WindowSystem* windows = nullptr;
    HelpViewer* help = nullptr;
    std::string appFolder;  // where settings and work files live, with a trailing separator
};
