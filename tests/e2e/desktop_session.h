#pragma once

#include "e2e/child_process.h"

#include <filesystem>
#include <map>
#include <memory>
#include <string>

// A desktop of its own for one test: an X server without a screen (Xvfb) on a
// free display, a session bus with the accessibility bus behind it, and a
// window manager that places, decorates and focuses windows as a user's does.
// The test process itself talks to that display and bus.
class DesktopSession {
public:
    explicit DesktopSession(const std::filesystem::path& folder);
    ~DesktopSession();
    DesktopSession(const DesktopSession&) = delete;
    DesktopSession& operator=(const DesktopSession&) = delete;

    // Empty when everything started; else what did not.
    const std::string& failure() const { return failure_; }
    // DISPLAY, DBUS_SESSION_BUS_ADDRESS and the accessibility switch, for the
    // programs the test starts on this desktop.
    const std::map<std::string, std::string>& environment() const { return environment_; }
    const std::string& display() const { return display_; }

private:
    std::filesystem::path folder_;
    std::string failure_;
    std::string display_;
    std::map<std::string, std::string> environment_;
    int xvfbPid_ = -1;
    std::unique_ptr<ChildProcess> bus_;
    std::unique_ptr<ChildProcess> windowManager_;
};
