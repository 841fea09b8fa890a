#include "form/twips.h"

#include <QVariant>
#include <QWidget>
#include <cmath>

namespace {

constexpr const char* kTwipsProperty = "twipsRect";

// Right and bottom edges are rounded, not the size, so neighbours stay flush.
QRect pixelsOf(const QRect& twips)
{
    const int x = toPixels(twips.x()), y = toPixels(twips.y());
    return QRect(x, y, toPixels(twips.x() + twips.width()) - x, toPixels(twips.y() + twips.height()) - y);
}

}  // namespace

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
    w->setGeometry(pixelsOf(twips));
}

QRect twipsRect(const QWidget* w)
{
    // The twips set last hold only while the widget still stands where they put it;
    // once it has been moved or resized by other means, its geometry is the truth.
    const QVariant v = w->property(kTwipsProperty);
    if (v.isValid() && pixelsOf(v.toRect()) == w->geometry()) return v.toRect();
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
