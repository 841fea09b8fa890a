#pragma once
// What the window manager does for a frameless window: keep it above others,
// let it be dragged by any surface, minimize it, place it, and tell which
// screens are connected.
#include <QList>
#include <QPoint>
#include <QRect>

class QWidget;

class WindowSystem {
public:
    virtual ~WindowSystem() = default;
    virtual void setOnTop(QWidget* window, bool onTop) = 0;
    // Starts a window-manager move as if the caption had been grabbed.
    virtual void startDrag(QWidget* window) = 0;
    virtual void minimize(QWidget* window) = 0;
    virtual bool isMinimized(const QWidget* window) const = 0;
    // The window's top-left corner on the desktop, in pixels.
    virtual QPoint position(const QWidget* window) const = 0;
    virtual void move(QWidget* window, QPoint topLeft) = 0;
    // The desktop area of every connected screen, in pixels.
    virtual QList<QRect> screens() const = 0;
};

class QtWindowSystem : public WindowSystem {
public:
    void setOnTop(QWidget* window, bool onTop) override;
    void startDrag(QWidget* window) override;
    void minimize(QWidget* window) override;
    bool isMinimized(const QWidget* window) const override;
    QPoint position(const QWidget* window) const override;
    void move(QWidget* window, QPoint topLeft) override;
    QList<QRect> screens() const override;
};

// Brings a window to the front: restored when minimized, raised and given the focus.
void bringToFront(QWidget& window);
