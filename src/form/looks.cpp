#include "form/looks.h"

#include <QVariant>
#include <QWidget>

#include "platform/colors.h"

namespace {
constexpr const char* kBack = "lookBack";
constexpr const char* kFore = "lookFore";
constexpr const char* kSize = "lookSize";
}  // namespace

void setLook(QWidget* w, const Look& look)
{
    w->setProperty(kBack, look.back);
    w->setProperty(kFore, look.fore);
    w->setProperty(kSize, look.fontSize);
    QPalette palette = w->palette();
    for (QPalette::ColorRole role : {QPalette::Base, QPalette::Window}) palette.setColor(role, toQColor(look.back));
    for (QPalette::ColorRole role : {QPalette::Text, QPalette::WindowText}) palette.setColor(role, toQColor(look.fore));
    w->setPalette(palette);
    w->setAutoFillBackground(true);
    QFont font = w->font();
    font.setPointSizeF(look.fontSize);
    w->setFont(font);
}

Look lookOf(const QWidget* w)
{
    return Look{w->property(kBack).toUInt(), w->property(kSize).toDouble(), w->property(kFore).toUInt()};
}
