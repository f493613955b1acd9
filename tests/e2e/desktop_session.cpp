#include "e2e/desktop_session.h"

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <functional>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

using namespace std::chrono_literals;

constexpr auto kStartLimit = 20s;

// Starts Xvfb with -displayfd and answers the display it chose.
int startXvfb(const std::filesystem::path& log, std::string& display)
{
    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0)
        return -1;
    const int pid = ::fork();
    if (pid == 0) {
        ::setpgid(0, 0);
        ::close(pipeEnds[0]);
        const int out = ::open(log.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
        if (out >= 0) {
            ::dup2(out, STDOUT_FILENO);
            ::dup2(out, STDERR_FILENO);
            ::close(out);
        }
        const std::string fd = std::to_string(pipeEnds[1]);
        ::execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1600x1000x24", "-nolisten", "tcp",
                 "-noreset", static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(pipeEnds[1]);
    std::string number;
    char c = 0;
    while (::read(pipeEnds[0], &c, 1) == 1 && c != '\n')
        number += c;
    ::close(pipeEnds[0]);
    if (!number.empty())
        display = ":" + number;
    return pid;
}

bool waitFor(const std::function<bool()>& ready)
{
    const auto until = std::chrono::steady_clock::now() + kStartLimit;
    while (std::chrono::steady_clock::now() < until) {
        if (ready())
            return true;
        std::this_thread::sleep_for(50ms);
    }
    return false;
}

} // namespace

DesktopSession::DesktopSession(const std::filesystem::path& folder) : folder_(folder)
{
    xvfbPid_ = startXvfb(folder_ / "xvfb.log", display_);
    if (display_.empty()) {
        failure_ = "Xvfb did not start";
        return;
    }
    const std::string busSocket = (folder_ / "bus").string();
    environment_ = {{"DISPLAY", display_},
                    {"DBUS_SESSION_BUS_ADDRESS", "unix:path=" + busSocket},
                    {"QT_LINUX_ACCESSIBILITY_ALWAYS_ON", "1"},
                    {"NO_AT_BRIDGE", "0"}};
    bus_ = std::make_unique<ChildProcess>(std::vector<std::string>{"dbus-daemon", "--session", "--nofork",
                                                                   "--nopidfile", "--address=unix:path=" + busSocket},
                                          environment_, folder_ / "bus.log");
    if (!waitFor([&] { return std::filesystem::exists(busSocket); })) {
        failure_ = "the session bus did not start";
        return;
    }
    // The test process reads the accessibility bus of this desktop.
    for (const auto& [name, value] : environment_)
        ::setenv(name.c_str(), value.c_str(), 1);
    windowManager_ = std::make_unique<ChildProcess>(std::vector<std::string>{"openbox", "--sm-disable"}, environment_,
                                                    folder_ / "openbox.log");
    if (!waitFor([&] {
            int status = 0;
            const std::string out =
                runCommand({"xprop", "-display", display_, "-root", "_NET_SUPPORTING_WM_CHECK"}, &status);
            return status == 0 && out.find("window id") != std::string::npos;
        }))
        failure_ = "the window manager did not start";
}

DesktopSession::~DesktopSession()
{
    windowManager_.reset();
    bus_.reset();
    if (xvfbPid_ > 0) {
        ::kill(xvfbPid_, SIGTERM);
        ::waitpid(xvfbPid_, nullptr, 0);
    }
}
