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
