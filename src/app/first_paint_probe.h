#pragma once
// For the start-up benchmark: with QUILLON_QUIT_AFTER_FIRST_PAINT set, the program
// prints one line once its window has painted for the first time, then quits.
class QWidget;

void quitAfterFirstPaintWhenAsked(QWidget* window);
