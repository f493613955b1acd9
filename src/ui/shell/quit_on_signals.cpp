#include "ui/shell/quit_on_signals.h"

#include <QApplication>
#include <QSocketNotifier>

#include <array>
#include <atomic>
#include <csignal>

#include <sys/socket.h>
#include <unistd.h>

namespace {

constexpr std::array kSignals{SIGTERM, SIGINT, SIGHUP};

// The write end of the socket pair. A signal handler can reach nothing else;
// it only writes one byte there, which is safe in a handler.
std::atomic<int> signalFd{-1};

void onSignalHandler(int)
{
    const char byte = 1;
    static_cast<void>(::write(signalFd.load(), &byte, 1));
}

} // namespace

QuitOnSignals::QuitOnSignals(QObject* parent) : QObject(parent)
{
    std::array<int, 2> fds{};
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, fds.data()) != 0)
        return;
    signalFd = fds[0];
    notifier_ = new QSocketNotifier(fds[1], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &QuitOnSignals::onSignal);
    struct sigaction action {};
    action.sa_handler = onSignalHandler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : kSignals)
        ::sigaction(signal, &action, nullptr);
}

QuitOnSignals::~QuitOnSignals()
{
    if (notifier_ == nullptr)
        return;
    for (const int signal : kSignals)
        std::signal(signal, SIG_DFL);
    ::close(signalFd.exchange(-1));
    ::close(static_cast<int>(notifier_->socket()));
}

void QuitOnSignals::onSignal()
{
    char byte = 0;
    while (::read(static_cast<int>(notifier_->socket()), &byte, 1) > 0) {
    }
    emit signalled();
    QApplication::closeAllWindows();
}
