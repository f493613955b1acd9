#include "e2e/editor_session.h"

#include <algorithm>
#include <csignal>
#include <fstream>
#include <sstream>
#include <thread>

namespace {

using namespace std::chrono_literals;

constexpr auto kPoll = 100ms;

bool isMessageBox(const AccessibleNode& node)
{
    return node.showing && node.role == "alert";
}

// The desktop of this test program, and what the program reads of it.
struct SharedDesktop {
    TempDir folder;
    DesktopSession desktop{folder.path()};
    AccessibleDesktop accessible;
};

SharedDesktop& sharedDesktop()
{
    static SharedDesktop shared;
    return shared;
}

} // namespace

EditorSession::EditorSession()
    : desktop_(sharedDesktop().desktop), accessible_(sharedDesktop().accessible), log_(folder_.file("editor.log"))
{
}

EditorSession::~EditorSession() = default;

bool EditorSession::start(const Options& options)
{
    if (!failure().empty())
        return false;
    std::map<std::string, std::string> environment = desktop_.environment();
    const std::string home = (folder_.path() / "home").string();
    std::filesystem::create_directories(home);
    environment.insert_or_assign("HOME", home);
    environment.insert_or_assign("XDG_CONFIG_HOME", home + "/.config");
    environment.insert_or_assign("XDG_STATE_HOME", home + "/.local/state");
    const std::filesystem::path runtime = folder_.path() / "runtime";
    std::filesystem::create_directories(runtime);
    std::filesystem::permissions(runtime, std::filesystem::perms::owner_all);
    environment.insert_or_assign("XDG_RUNTIME_DIR", runtime.string());
    environment.insert_or_assign("LC_ALL", options.locale);
    environment.insert_or_assign("LANG", options.locale);
    environment.insert_or_assign("LANGUAGE", "");
    environment.insert_or_assign("ORBITUNE_METER", options.meter);
    environment.insert_or_assign("QT_QPA_PLATFORM", "xcb");
    std::vector<std::string> command{ORBITUNE_EDITOR};
    command.insert(command.end(), options.files.begin(), options.files.end());
    editor_ = std::make_unique<ChildProcess>(command, environment, log_);
    return waitFor([](const AccessibleNode& n) { return n.role == "frame" && n.showing; }).has_value();
}

void EditorSession::kill()
{
    if (editor_)
        editor_->signalAndWait(SIGKILL, kPatience);
}

int EditorSession::terminate()
{
    return editor_ ? editor_->signalAndWait(SIGTERM, kPatience) : -1;
}

int EditorSession::waitForExit(std::chrono::milliseconds patience)
{
    return editor_ ? editor_->waitForExit(patience) : -1;
}

bool EditorSession::running()
{
    return editor_ && editor_->running();
}

std::string EditorSession::log() const
{
    std::ifstream in(log_);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

AccessibleNode EditorSession::windows() const
{
    if (!editor_ || !failure().empty())
        return {};
    return accessible_.windowsOf(editor_->pid()).value_or(AccessibleNode{});
}

std::optional<AccessibleNode> EditorSession::waitFor(const std::function<bool(const AccessibleNode&)>& match,
                                                     std::chrono::milliseconds patience) const
{
    const auto until = std::chrono::steady_clock::now() + patience;
    do {
        const AccessibleNode tree = windows();
        if (const AccessibleNode* found = tree.find(match))
            return *found;
        std::this_thread::sleep_for(kPoll);
    } while (std::chrono::steady_clock::now() < until);
    return std::nullopt;
}

std::optional<AccessibleNode> EditorSession::waitFor(const std::string& role, const std::string& name,
                                                     std::chrono::milliseconds patience) const
{
    return waitFor([&](const AccessibleNode& n) { return n.showing && n.role == role && n.name == name; }, patience);
}

bool EditorSession::waitUntil(const std::function<bool(const AccessibleNode& windows)>& holds,
                              std::chrono::milliseconds patience) const
{
    const auto until = std::chrono::steady_clock::now() + patience;
    do {
        if (holds(windows()))
            return true;
        std::this_thread::sleep_for(kPoll);
    } while (std::chrono::steady_clock::now() < until);
    return false;
}

bool EditorSession::waitUntilGone(const std::function<bool(const AccessibleNode&)>& match,
                                  std::chrono::milliseconds patience) const
{
    return waitUntil([&](const AccessibleNode& windows) { return windows.find(match) == nullptr; }, patience);
}

std::optional<std::string> EditorSession::messageTextOf(const AccessibleNode& windows)
{
    const AccessibleNode* box = windows.find(isMessageBox);
    if (box == nullptr)
        return std::nullopt;
    std::string text;
    box->visit([&](const AccessibleNode& n) {
        if (n.role == "label" && n.showing && !n.name.empty())
            text += (text.empty() ? "" : "\n") + n.name;
    });
    return text;
}

std::optional<std::string> EditorSession::messageText(std::chrono::milliseconds patience) const
{
    std::optional<std::string> text;
    waitUntil([&](const AccessibleNode& windows) { return (text = messageTextOf(windows)).has_value(); }, patience);
    return text;
}

bool EditorSession::clickButton(const std::string& label) const
{
    const auto button = waitFor("push button", label);
    if (!button)
        return false;
    input_.click(*button);
    return true;
}

int EditorSession::shownWindowCount() const
{
    if (!editor_)
        return 0;
    const std::string ids =
        runCommand({"xdotool", "search", "--onlyvisible", "--pid", std::to_string(editor_->pid()), "--class", "."});
    return static_cast<int>(std::count(ids.begin(), ids.end(), '\n'));
}

bool EditorSession::waitForMoreWindowsThan(int count) const
{
    const auto until = std::chrono::steady_clock::now() + kPatience;
    do {
        if (shownWindowCount() > count)
            return true;
        std::this_thread::sleep_for(kPoll);
    } while (std::chrono::steady_clock::now() < until);
    return false;
}

std::string EditorSession::mainTitle() const
{
    if (!editor_)
        return {};
    const std::string ids =
        runCommand({"xdotool", "search", "--onlyvisible", "--pid", std::to_string(editor_->pid()), "--class", "."});
    std::istringstream lines(ids);
    std::string best;
    int widest = -1;
    for (std::string id; std::getline(lines, id);) {
        const std::string geometry = runCommand({"xdotool", "getwindowgeometry", "--shell", id});
        const auto at = geometry.find("WIDTH=");
        const int width = at == std::string::npos ? 0 : std::stoi(geometry.substr(at + 6));
        if (width > widest) {
            widest = width;
            best = runCommand({"xdotool", "getwindowname", id});
        }
    }
    while (!best.empty() && (best.back() == '\n' || best.back() == '\r'))
        best.pop_back();
    return best;
}
