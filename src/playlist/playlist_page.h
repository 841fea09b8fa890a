#pragma once
// The Playlist page: the working playlist's lines and its state.
#include "form/page.h"

class PlaylistPage : public Page {
    Q_OBJECT
public:
    explicit PlaylistPage(Form1& form);

    QLabel* lblPlaylist;
    ListBox* lstPlayList;
};
