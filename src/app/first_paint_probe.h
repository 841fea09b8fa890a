#pragma once
// For the start-up benchmark: with QUILLON_QUIT_AFTER_FIRST_PAINT set, the program
// prints "first paint" once its window has painted for the first time, then quits;
// set to "album scanned", it goes on to print that once the album's scan has ended.
class Form1;

void quitAfterFirstPaintWhenAsked(Form1& window);
