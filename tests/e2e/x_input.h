#pragma once

#include "e2e/accessible_tree.h"

#include <string>
#include <vector>

// Keys and mouse given through the X server's test extension, as a user's
// keyboard and mouse give them: to whatever window has the focus or lies
// under the pointer, never to a chosen widget.
class XInput {
public:
    // Key names as xdotool spells them: "Return", "ctrl+z", "Tab", "alt+d".
    void key(const std::string& keys) const;
    // Types the text character by character.
    void type(const std::string& text) const;
    void click(int x, int y, int button = 1) const;
    void click(const AccessibleNode& node) const { click(node.rect.centreX(), node.rect.centreY()); }
    void doubleClick(const AccessibleNode& node) const;
    // Presses at one place, moves in steps and releases at another.
    void drag(int fromX, int fromY, int toX, int toY) const;
    // The window's title, as the window manager shows it.
    std::string activeWindowTitle() const;
    // Asks the window manager to close the active window, as its close box does.
    void closeActiveWindow() const;

private:
    void run(std::vector<std::string> arguments) const;
};
