#pragma once

#include "e2e/accessible_tree.h"
#include "e2e/child_process.h"
#include "e2e/desktop_session.h"
#include "e2e/x_input.h"
#include "support/temp_dir.h"

#include <chrono>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// The release editor on a desktop of its own, as a user starts it: with a home
// folder of its own (settings, recovery copies), a desktop language, a meter
// and plan files named on the command line. The desktop (X server, buses,
// window manager) is started once for the test program and shared by its
// cases, one editor after another. Tests look at its windows through
// the accessibility bus and give it keys and clicks through the X server.
class EditorSession {
public:
    static constexpr std::chrono::milliseconds kPatience{15'000};

    struct Options {
        std::string locale = "C.UTF-8"; // LC_ALL and LANG
        std::string meter = "sim";      // ORBITUNE_METER
        std::vector<std::string> files; // the command line
    };

    EditorSession();
    ~EditorSession();
    EditorSession(const EditorSession&) = delete;
    EditorSession& operator=(const EditorSession&) = delete;

    // What kept the desktop from starting; empty when it runs.
    const std::string& failure() const { return desktop_.failure(); }
    // The test's own folder: the editor's home and files the test makes.
    const TempDir& folder() const { return folder_; }
    const XInput& input() const { return input_; }

    // Starts the editor and waits for its main window; false when it does not
    // show within kPatience.
    bool start(const Options& options);
    // Ends the editor as a crash or `kill -9` would.
    void kill();
    // Sends SIGTERM and answers the exit status (-1 when it did not end).
    int terminate();
    // Waits for the editor to end by itself; its exit status, -1 when it runs.
    int waitForExit(std::chrono::milliseconds patience = kPatience);
    bool running();
    std::string log() const;

    // The editor's windows now (the main window, message boxes, dialogs).
    AccessibleNode windows() const;
    // Waits until `match` holds for some node; a copy of it, nothing after
    // kPatience.
    std::optional<AccessibleNode> waitFor(const std::function<bool(const AccessibleNode&)>& match,
                                          std::chrono::milliseconds patience = kPatience) const;
    std::optional<AccessibleNode> waitFor(const std::string& role, const std::string& name,
                                          std::chrono::milliseconds patience = kPatience) const;
    // Waits until `holds` holds for the editor's windows.
    bool waitUntil(const std::function<bool(const AccessibleNode& windows)>& holds,
                   std::chrono::milliseconds patience = kPatience) const;
    // Waits until no node matches any more.
    bool waitUntilGone(const std::function<bool(const AccessibleNode&)>& match,
                       std::chrono::milliseconds patience = kPatience) const;

    // The text of the message box among `windows`, if one shows.
    static std::optional<std::string> messageTextOf(const AccessibleNode& windows);
    // The text of the message box that shows, waiting for one.
    std::optional<std::string> messageText(std::chrono::milliseconds patience = kPatience) const;
    // Clicks the showing button of that label; false when there is none.
    bool clickButton(const std::string& label) const;
    // The main window's title as the window manager has it.
    std::string mainTitle() const;
    // How many windows of the editor the X server shows now: the main window,
    // dialogs, and the menus and drop-down lists that pop up, which the
    // accessibility bus leaves out.
    int shownWindowCount() const;
    // Waits until more than `count` windows show.
    bool waitForMoreWindowsThan(int count) const;

private:
    TempDir folder_;
    const DesktopSession& desktop_;
    const AccessibleDesktop& accessible_;
    XInput input_;
    std::unique_ptr<ChildProcess> editor_;
    std::filesystem::path log_;
};
