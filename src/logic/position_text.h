#pragma once
// Times and positions of the position bars.
#include <string>

// Full widths in twips of the main and the mini position bar; every position maps onto them.
inline constexpr double kMainBarWidth = 5115;
inline constexpr double kMiniBarWidth = 3495;

// Elapsed time of a position in seconds: "02:05"; "00:00" at or before the start.
std::string elapsedText(double seconds);
// The tooltip of a bar: the time a release at x (twips from the bar's left) would play from.
std::string seekToolTip(double duration, double x, double barWidth);
// The position a release at x seeks to; never negative.
double seekPosition(double duration, double x, double barWidth);
// Seconds of playing from `position` until the next tick worth making: when the elapsed
// time or a bar `barWidth` twips wide, drawn `twipsPerPixel` to a pixel, next shows
// something new, and if the other follows within `slack` seconds, when that one does, so
// that one tick shows both; at most a second.
double secondsToNextTick(double position, double duration, double barWidth, double twipsPerPixel, double slack);
