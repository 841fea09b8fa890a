#include "form/twips.h"

#include <QVariant>
#include <QWidget>
#include <cmath>

namespace {
constexpr const char* kTwipsProperty = "twipsRect";
}

int toPixels(double twips)
{
    return int(std::lround(twips / kTwipsPerPixel));
}

double toTwips(double pixels)
{
    return pixels * kTwipsPerPixel;
}

void placeTwips(QWidget* w, int left, int top, int width, int height)
{
    const QRect twips(left, top, width, height);
    w->setProperty(kTwipsProperty, twips);
    const int x = toPixels(left), y = toPixels(top);
    // Right and bottom edges are rounded, not the size, so neighbours stay flush.
    w->setGeometry(x, y, toPixels(left + width) - x, toPixels(top + height) - y);
}

QRect twipsRect(const QWidget* w)
{
    const QVariant v = w->property(kTwipsProperty);
    if (v.isValid()) return v.toRect();
    const QRect px = w->geometry();
    return QRect(px.x() * kTwipsPerPixel, px.y() * kTwipsPerPixel, px.width() * kTwipsPerPixel,
                 px.height() * kTwipsPerPixel);
}

void setTopTwips(QWidget* w, int top)
{
    const QRect r = twipsRect(w);
    placeTwips(w, r.x(), top, r.width(), r.height());
}

void setHeightTwips(QWidget* w, int height)
{
    const QRect r = twipsRect(w);
    placeTwips(w, r.x(), r.y(), r.width(), height);
}

