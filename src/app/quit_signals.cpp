#include "app/quit_signals.h"

#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

#include <utility>

namespace {

constexpr int kQuitSignals[] = {SIGTERM, SIGINT, SIGHUP};

// One pipe for the process: the handler may run on any thread, at any time.
int pipeFds[2] = {-1, -1};

void restoreDefaults()
{
    for (int sig : kQuitSignals) std::signal(sig, SIG_DFL);
}

extern "C" void onQuitSignal(int sig)
{
    const int savedErrno = errno;
    const char byte = char(sig);
    // Async-signal-safe; a full pipe means a signal is already waiting to be read.
    [[maybe_unused]] const ssize_t written = write(pipeFds[1], &byte, 1);
    errno = savedErrno;
}

}  // namespace

QuitSignals::QuitSignals(std::function<void(int)> onSignal, QObject* parent)
    : QObject(parent), onSignal_(std::move(onSignal))
{
    if (pipeFds[0] < 0 && pipe2(pipeFds, O_CLOEXEC | O_NONBLOCK) != 0) return;
    notifier_ = new QSocketNotifier(pipeFds[0], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &QuitSignals::readSignal);
    struct sigaction action {};
    action.sa_handler = onQuitSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    active_ = true;
    for (int sig : kQuitSignals) active_ = sigaction(sig, &action, nullptr) == 0 && active_;
}

QuitSignals::~QuitSignals()
{
    restoreDefaults();
}

void QuitSignals::readSignal()
{
    char byte = 0;
    if (read(pipeFds[0], &byte, 1) != 1) return;
    // Should closing hang, the next signal ends the program at once.
    restoreDefaults();
    notifier_->setEnabled(false);
    onSignal_(int(byte));
}
