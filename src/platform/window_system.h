#pragma once
// What the window manager does for a frameless window: keep it above others,
// let it be dragged by any surface, minimize it.
class QWidget;

class WindowSystem {
public:
    virtual ~WindowSystem() = default;
    virtual void setOnTop(QWidget* window, bool onTop) = 0;
    // Starts a window-manager move as if the caption had been grabbed.
    virtual void startDrag(QWidget* window) = 0;
    virtual void minimize(QWidget* window) = 0;
    virtual bool isMinimized(const QWidget* window) const = 0;
};

class QtWindowSystem : public WindowSystem {
public:
    void setOnTop(QWidget* window, bool onTop) override;
    void startDrag(QWidget* window) override;
    void minimize(QWidget* window) override;
    bool isMinimized(const QWidget* window) const override;
};
