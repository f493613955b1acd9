#pragma once

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// What the desktop's accessibility bus tells of one program's windows, as a
// screen reader sees it: a tree of roles, names, texts, states and places on
// the screen. Only reads; input goes through the window system (XInput).
struct AccessibleNode {
    struct Rect {
        int x = 0, y = 0, width = 0, height = 0;
        int centreX() const { return x + width / 2; }
        int centreY() const { return y + height / 2; }
    };
    std::string role; // "push button", "table cell", "dialog", ...
    std::string name; // the accessible name (a button's label, a cell's text)
    std::string text; // the text of an edit box or label, when it has one
    Rect rect;        // screen coordinates
    bool focused = false;
    bool checked = false;
    bool selected = false;
    bool showing = false;
    bool enabled = true;
    std::vector<AccessibleNode> children;

    // Every node of the tree, depth first, this one included.
    void visit(const std::function<void(const AccessibleNode&)>& f) const;
    std::vector<const AccessibleNode*> findAll(const std::function<bool(const AccessibleNode&)>& match) const;
    const AccessibleNode* find(const std::function<bool(const AccessibleNode&)>& match) const;
    // The first showing node of that role and name.
    const AccessibleNode* find(const std::string& role, const std::string& name) const;
    std::string dump(int depth = 0) const;
};

// The accessibility bus of the session in DBUS_SESSION_BUS_ADDRESS.
class AccessibleDesktop {
public:
    AccessibleDesktop();
    ~AccessibleDesktop();
    AccessibleDesktop(const AccessibleDesktop&) = delete;
    AccessibleDesktop& operator=(const AccessibleDesktop&) = delete;

    // The top-level windows of the program with that process id, read afresh;
    // nothing while the program has not joined the bus.
    std::optional<AccessibleNode> windowsOf(int pid, int maxDepth = 40) const;
};
