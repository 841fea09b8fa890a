#pragma once
// Positions and sizes are kept in twips as the program knows them and turned
// into pixels only here (15 twips per pixel at 96 dpi).
#include <QRect>

class QWidget;

constexpr int kTwipsPerPixel = 15;

int toPixels(double twips);
double toTwips(double pixels);

// Places w at a rectangle given in twips and remembers the twips values, so that
// what is read back is exactly what was set (for as long as w stays where they put it).
void placeTwips(QWidget* w, int left, int top, int width, int height);
QRect twipsRect(const QWidget* w);
void setTopTwips(QWidget* w, int top);
void setHeightTwips(QWidget* w, int height);
