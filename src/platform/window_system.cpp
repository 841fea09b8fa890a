#include "platform/window_system.h"

#include <QWidget>
#include <QWindow>

void QtWindowSystem::setOnTop(QWidget* window, bool onTop)
{
    const bool wasVisible = window->isVisible();
    window->setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
    // Changing a window flag hides the window.
    if (wasVisible) window->show();
}

void QtWindowSystem::startDrag(QWidget* window)
{
    if (QWindow* handle = window->windowHandle()) handle->startSystemMove();
}

void QtWindowSystem::minimize(QWidget* window)
{
    window->showMinimized();
}

bool QtWindowSystem::isMinimized(const QWidget* window) const
{
    return window->isMinimized();
}
