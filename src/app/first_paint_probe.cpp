#include "app/first_paint_probe.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "album/track_list_model.h"
#include "album/track_list_page.h"
#include "form/form1.h"

namespace {

void say(const char* line)
{
    std::puts(line);
    std::fflush(stdout);
}

class FirstPaintProbe : public QObject {
public:
    FirstPaintProbe(Form1& window, bool untilScanned) : QObject(&window), window_(window), untilScanned_(untilScanned)
    {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !seen_) {
            seen_ = true;
            // Queued, so the paint this event starts has finished when the line is printed.
            QTimer::singleShot(0, this, [this] {
                say("first paint");
                if (!untilScanned_ || !window_.fmTrackList->trackLines->scanning()) return done();
                connect(window_.fmTrackList->trackLines, &TrackListModel::scanEnded, this, &FirstPaintProbe::done);
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    void done()
    {
        if (untilScanned_) say("album scanned");
        QCoreApplication::quit();
    }
    Form1& window_;
    bool untilScanned_;
    bool seen_ = false;
};

}  // namespace

void quitAfterFirstPaintWhenAsked(Form1& window)
{
    if (const char* until = std::getenv("QUILLON_QUIT_AFTER_FIRST_PAINT"))
        window.installEventFilter(new FirstPaintProbe(window, std::strcmp(until, "album scanned") == 0));
}
