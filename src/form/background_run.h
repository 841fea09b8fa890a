#pragma once
// Work that runs on a thread of its own while the window goes on (an export's copying,
// a merge): it can be cancelled, its progress reaches the window at most once a refresh
// however often the work reports, and its end cancels it and waits for it, so an owner
// that keeps it as its last member never has its work outlive it.
#include <QObject>
#include <atomic>
#include <functional>

class QThread;

class BackgroundRun : public QObject {
    Q_OBJECT
public:
    BackgroundRun() = default;
    ~BackgroundRun() override;  // cancels the work and waits for it

    // Runs work on a new thread; ignored while work runs.
    void start(std::function<void()> work);
    bool running() const { return thread_ != nullptr; }
    void cancel() { cancel_ = true; }
    // Asked by the work, on its thread.
    bool cancelled() const { return cancel_; }
    // Called by the work, on its thread, when it has something to show: progressed
    // follows on the window's thread, once for all the calls made within a refresh.
    void notify();

signals:
    void progressed();
    // The work's thread has ended, however it ended; running() is false by then.
    void ended();

private:
    void deliver();
    void refreshDue();
    void threadEnded();

    QThread* thread_ = nullptr;
    std::atomic<bool> cancel_ = false;
    std::atomic<bool> pending_ = false;    // a notify not delivered yet
    std::atomic<bool> notifying_ = false;  // a delivery or its refresh time is on its way
};
