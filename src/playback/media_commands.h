#pragma once
// Play, Pause and Play/Pause with the meanings desktop players give them, for the
// keyboard's media keys and the desktop's player controls, through the window's buttons.
class Form1;

// Resumes a paused track, or starts the current line as Play does while nothing plays.
void mediaPlay(Form1& form);
// Pauses a playing track; nothing otherwise.
void mediaPause(Form1& form);
// Pauses or resumes what is loaded; starts the current line while stopped.
void mediaPlayPause(Form1& form);
