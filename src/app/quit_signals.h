#pragma once
// Turns SIGTERM, SIGINT and SIGHUP into a call on the GUI thread, so that
// `kill` and Ctrl-C end the program through its normal close. The signal
// handler only writes the signal number to a pipe; a socket notifier on the
// pipe's read end runs the callback from the event loop. A second signal
// after the first ends the program the default way.
#include <QObject>

#include <functional>

class QSocketNotifier;

class QuitSignals : public QObject {
    Q_OBJECT
public:
    explicit QuitSignals(std::function<void(int signal)> onSignal, QObject* parent = nullptr);
    ~QuitSignals() override;
    QuitSignals(const QuitSignals&) = delete;
    QuitSignals& operator=(const QuitSignals&) = delete;

    // False when the pipe or a handler could not be set up.
    bool isActive() const { return active_; }

private:
    void readSignal();

    std::function<void(int)> onSignal_;
    QSocketNotifier* notifier_ = nullptr;
    bool active_ = false;
};
