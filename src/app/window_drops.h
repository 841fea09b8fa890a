#pragma once
// What can be dropped on the window: tracks dragged from the lists onto the Playlist
// tab, added at the playlist's end with the page shown; and a file from elsewhere: an
// album opens as from the command line, a playlist file loads as Load does, and
// anything else is refused with a message.
class Form1;

void acceptWindowDrops(Form1& form);
