#include "e2e/x_input.h"

#include "e2e/child_process.h"

#include <chrono>
#include <thread>

namespace {

using namespace std::chrono_literals;

// Time for the editor to take each event in, as between a user's keystrokes.
constexpr auto kSettle = 60ms;

} // namespace

void XInput::run(std::vector<std::string> arguments) const
{
    arguments.insert(arguments.begin(), "xdotool");
    runCommand(arguments);
    std::this_thread::sleep_for(kSettle);
}

void XInput::key(const std::string& keys) const
{
    run({"key", "--clearmodifiers", keys});
}

void XInput::type(const std::string& text) const
{
    run({"type", "--delay", "30", text});
}

void XInput::click(int x, int y, int button) const
{
    run({"mousemove", "--sync", std::to_string(x), std::to_string(y)});
    run({"click", std::to_string(button)});
}

void XInput::doubleClick(const AccessibleNode& node) const
{
    run({"mousemove", "--sync", std::to_string(node.rect.centreX()), std::to_string(node.rect.centreY())});
    run({"click", "--repeat", "2", "--delay", "80", "1"});
}

void XInput::drag(int fromX, int fromY, int toX, int toY) const
{
    run({"mousemove", "--sync", std::to_string(fromX), std::to_string(fromY)});
    run({"mousedown", "1"});
    constexpr int kSteps = 8;
    for (int i = 1; i <= kSteps; ++i)
        run({"mousemove", "--sync", std::to_string(fromX + (toX - fromX) * i / kSteps),
             std::to_string(fromY + (toY - fromY) * i / kSteps)});
    run({"mouseup", "1"});
}

std::string XInput::activeWindowTitle() const
{
    std::string title = runCommand({"xdotool", "getactivewindow", "getwindowname"});
    while (!title.empty() && (title.back() == '\n' || title.back() == '\r'))
        title.pop_back();
    return title;
}

void XInput::closeActiveWindow() const
{
    // The window manager's own key for the close box.
    key("alt+F4");
}
