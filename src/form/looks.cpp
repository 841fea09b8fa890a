#include "form/looks.h"

#include <QWidget>

#include "platform/colors.h"

// The widget's palette and font are the one record of its look: nothing is kept beside them.
void setLook(QWidget* w, const Look& look)
{
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
    const QPalette& palette = w->palette();
    return Look{fromQColor(palette.color(QPalette::Base)), w->font().pointSizeF(),
                fromQColor(palette.color(QPalette::Text))};
}
