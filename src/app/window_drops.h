#pragma once
// What can be dropped on the window: tracks dragged from the lists onto the Playlist
// tab, which shows the page when they reach it and adds them at the playlist's end
// when they are dropped there; and a file from elsewhere: an album opens as from the
// command line, a playlist file loads as Load does, anything else is refused with a message.
class Form1;

void acceptWindowDrops(Form1& form);
