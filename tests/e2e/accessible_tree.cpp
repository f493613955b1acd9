#include "e2e/accessible_tree.h"

#include <atspi/atspi.h>

#include <memory>

namespace {

struct GFree {
    void operator()(void* p) const { g_free(p); }
};
struct GUnref {
    void operator()(void* p) const { g_object_unref(p); }
};
template <typename T> using GObjectPtr = std::unique_ptr<T, GUnref>;

std::string takeString(gchar* text)
{
    const std::unique_ptr<gchar, GFree> owned(text);
    return owned ? std::string(owned.get()) : std::string();
}

void clearError(GError*& error)
{
    if (error != nullptr)
        g_error_free(error);
    error = nullptr;
}

AccessibleNode read(AtspiAccessible* accessible, int depth)
{
    AccessibleNode node;
    GError* error = nullptr;
    node.role = takeString(atspi_accessible_get_role_name(accessible, &error));
    clearError(error);
    node.name = takeString(atspi_accessible_get_name(accessible, &error));
    clearError(error);
    if (const GObjectPtr<AtspiComponent> component{atspi_accessible_get_component_iface(accessible)}) {
        if (const std::unique_ptr<AtspiRect, GFree> rect{
                atspi_component_get_extents(component.get(), ATSPI_COORD_TYPE_SCREEN, &error)})
            node.rect = {rect->x, rect->y, rect->width, rect->height};
        clearError(error);
    }
    if (const GObjectPtr<AtspiText> text{atspi_accessible_get_text_iface(accessible)}) {
        node.text = takeString(atspi_text_get_text(text.get(), 0, -1, &error));
        clearError(error);
    }
    if (const GObjectPtr<AtspiStateSet> states{atspi_accessible_get_state_set(accessible)}) {
        node.focused = atspi_state_set_contains(states.get(), ATSPI_STATE_FOCUSED) != 0;
        node.checked = atspi_state_set_contains(states.get(), ATSPI_STATE_CHECKED) != 0;
        node.selected = atspi_state_set_contains(states.get(), ATSPI_STATE_SELECTED) != 0;
        node.showing = atspi_state_set_contains(states.get(), ATSPI_STATE_SHOWING) != 0;
        node.enabled = atspi_state_set_contains(states.get(), ATSPI_STATE_ENABLED) != 0;
    }
    if (depth <= 0)
        return node;
    const gint count = atspi_accessible_get_child_count(accessible, &error);
    clearError(error);
    for (gint i = 0; i < count; ++i) {
        const GObjectPtr<AtspiAccessible> child{atspi_accessible_get_child_at_index(accessible, i, &error)};
        clearError(error);
        if (child)
            node.children.push_back(read(child.get(), depth - 1));
    }
    return node;
}

} // namespace

void AccessibleNode::visit(const std::function<void(const AccessibleNode&)>& f) const
{
    f(*this);
    for (const AccessibleNode& child : children)
        child.visit(f);
}

std::vector<const AccessibleNode*>
AccessibleNode::findAll(const std::function<bool(const AccessibleNode&)>& match) const
{
    std::vector<const AccessibleNode*> found;
    visit([&](const AccessibleNode& node) {
        if (match(node))
            found.push_back(&node);
    });
    return found;
}

const AccessibleNode* AccessibleNode::find(const std::function<bool(const AccessibleNode&)>& match) const
{
    const auto all = findAll(match);
    return all.empty() ? nullptr : all.front();
}

const AccessibleNode* AccessibleNode::find(const std::string& role, const std::string& name) const
{
    return find([&](const AccessibleNode& n) { return n.showing && n.role == role && n.name == name; });
}

std::string AccessibleNode::dump(int depth) const
{
    std::string line(static_cast<std::size_t>(depth) * 2, ' ');
    line += role + " '" + name + "'";
    if (!text.empty() && text != name)
        line += " text='" + text + "'";
    line += " @" + std::to_string(rect.x) + "," + std::to_string(rect.y) + " " + std::to_string(rect.width) + "x" +
            std::to_string(rect.height);
    if (focused)
        line += " focused";
    if (checked)
        line += " checked";
    if (selected)
        line += " selected";
    if (!showing)
        line += " hidden";
    line += "\n";
    for (const AccessibleNode& child : children)
        line += child.dump(depth + 1);
    return line;
}

AccessibleDesktop::AccessibleDesktop()
{
    atspi_init();
}

AccessibleDesktop::~AccessibleDesktop()
{
    atspi_exit();
}

std::optional<AccessibleNode> AccessibleDesktop::windowsOf(int pid, int maxDepth) const
{
    GError* error = nullptr;
    const GObjectPtr<AtspiAccessible> desktop{atspi_get_desktop(0)};
    if (!desktop)
        return std::nullopt;
    atspi_accessible_clear_cache(desktop.get());
    const gint count = atspi_accessible_get_child_count(desktop.get(), &error);
    clearError(error);
    for (gint i = 0; i < count; ++i) {
        const GObjectPtr<AtspiAccessible> app{atspi_accessible_get_child_at_index(desktop.get(), i, &error)};
        clearError(error);
        if (!app)
            continue;
        const guint appPid = atspi_accessible_get_process_id(app.get(), &error);
        clearError(error);
        if (static_cast<int>(appPid) != pid)
            continue;
        atspi_accessible_clear_cache(app.get());
        return read(app.get(), maxDepth);
    }
    return std::nullopt;
}
