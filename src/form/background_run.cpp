#include "form/background_run.h"

#include <QThread>
#include <QTimer>

namespace {

constexpr int kRefreshMs = 40;

}  // namespace

BackgroundRun::~BackgroundRun()
{
    if (!thread_) return;
    cancel_ = true;
    thread_->wait();
    delete thread_;
}

void BackgroundRun::start(std::function<void()> work)
{
    if (thread_) return;
    cancel_ = false;
    pending_ = false;
    notifying_ = false;
    thread_ = QThread::create(std::move(work));
    connect(thread_, &QThread::finished, this, &BackgroundRun::threadEnded);
    thread_->start();
}

void BackgroundRun::notify()
{
    pending_ = true;
    if (!notifying_.exchange(true)) QMetaObject::invokeMethod(this, &BackgroundRun::deliver, Qt::QueuedConnection);
}

void BackgroundRun::deliver()
{
    pending_ = false;
    if (!thread_) return;  // the end has shown everything
    // The window is painted at most once a refresh: work that reports faster would keep it busy painting.
    QTimer::singleShot(kRefreshMs, this, &BackgroundRun::refreshDue);
    emit progressed();
}

void BackgroundRun::refreshDue()
{
    notifying_ = false;
    if (pending_ && !notifying_.exchange(true)) deliver();
}

void BackgroundRun::threadEnded()
{
    thread_->wait();
    delete thread_;
    thread_ = nullptr;
    emit ended();
}
