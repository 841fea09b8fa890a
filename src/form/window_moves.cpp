#include <QMouseEvent>

#include "form/form1.h"
#include "platform/window_system.h"

// The window has no title bar: a left press on its background or decorative
// surfaces moves it, as a press on a caption would.
void Form1::startWindowDrag(int button)
{
    if (button == kLeftButton) os.windows->startDrag(this);
}

void Form1::mousePressEvent(QMouseEvent* event)
{
    startWindowDrag(mouseButtonCode(event->button()));
    QWidget::mousePressEvent(event);
}

void Form1::btnMin_Click()
{
    os.windows->minimize(this);
    setWindowTitle(QStringLiteral("Velloran Jukebox Playing:") + lblTitle->text());
}

void Form1::connectWindowMoves()
{
    for (PictureBox* surface : {Picture1, Picture2, picMin})
        connect(surface, &PictureBox::mouseDown, this, [this](int button, double, double) { startWindowDrag(button); });
    for (ClickLabel* label : {lblMinTime, Label10, lblMinPTime})
        connect(label, &ClickLabel::mouseDown, this, &Form1::startWindowDrag);
    connect(btnMin, &QToolButton::clicked, this, &Form1::btnMin_Click);
}
