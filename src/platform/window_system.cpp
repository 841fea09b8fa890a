#include "platform/window_system.h"

#include <QWidget>
#include <QGuiApplication>
#include <QScreen>
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

QPoint QtWindowSystem::position(const QWidget* window) const
{
    return window->pos();
}

void QtWindowSystem::move(QWidget* window, QPoint topLeft)
{
    window->move(topLeft);
}

QList<QRect> QtWindowSystem::screens() const
{
    QList<QRect> areas;
    for (const QScreen* screen : QGuiApplication::screens()) areas.append(screen->geometry());
    return areas;
}

void bringToFront(QWidget& window)
{
    window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
    window.show();
    window.raise();
    window.activateWindow();
}
