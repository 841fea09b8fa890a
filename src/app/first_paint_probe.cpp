#include "app/first_paint_probe.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <cstdlib>

namespace {

class FirstPaintProbe : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !seen_) {
            seen_ = true;
            // Queued, so the paint this event starts has finished when the line is printed.
            QTimer::singleShot(0, [] {
                std::puts("first paint");
                std::fflush(stdout);
                QCoreApplication::quit();
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool seen_ = false;
};

}  // namespace

void quitAfterFirstPaintWhenAsked(QWidget* window)
{
    if (std::getenv("QUILLON_QUIT_AFTER_FIRST_PAINT")) window->installEventFilter(new FirstPaintProbe(window));
}
