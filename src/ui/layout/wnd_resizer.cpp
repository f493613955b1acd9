#include "ui/layout/wnd_resizer.h"

#include <QEvent>
#include <QRect>
#include <QVariant>
#include <QWidget>

#include <algorithm>
#include <map>

namespace {

// Every hooked window with the resizer that follows it, for the whole process.
std::map<const QWidget*, CWndResizer*>& HookedWindows()
{
    static std::map<const QWidget*, CWndResizer*> windows;
    return windows;
}

QRect ToQRect(const PanelRect& area)
{
    return {area.left, area.top, area.width(), area.height()};
}

PanelRect ToPanelRect(const QRect& rect)
{
    return {rect.x(), rect.y(), rect.x() + rect.width(), rect.y() + rect.height()};
}

PanelRect ClientRect(const QWidget& window)
{
    return ToPanelRect(window.rect());
}

// The direct child of `window` whose "controlId" property is `controlId`.
QWidget* FindControl(const QWidget& window, int controlId)
{
    for (QWidget* child : window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        bool isNumber = false;
        const int id = child->property(CWndResizer::kControlIdProperty).toInt(&isNumber);
        if (isNumber && id == controlId)
            return child;
    }
    return nullptr;
}

void CollectUIPanels(const CWndResizer::CPanel& panel, std::vector<const CWndResizer::CUIPanel*>& batched,
                     std::vector<const CWndResizer::CUIPanel*>& own)
{
    for (const auto& child : panel.children) {
        if (const auto* ui = dynamic_cast<const CWndResizer::CUIPanel*>(child.get()))
            (ui->ownMove ? own : batched).push_back(ui);
        CollectUIPanels(*child, batched, own);
    }
}

} // namespace

void CWndResizer::CPanel::OnResized()
{
    PanelRect free = area;
    for (const auto& child : children) {
        child->area = PlacePanel(area, free, child->area, child->Placement());
        child->OnResized();
    }
}

bool CWndResizer::CPanel::AddChild(std::unique_ptr<CPanel> panel)
{
    if (!panel)
        return false;
    panel->leftOffset = panel->area.left - area.left;
    panel->topOffset = panel->area.top - area.top;
    panel->rightOffset = area.right - panel->area.right;
    panel->bottomOffset = area.bottom - panel->area.bottom;
    panel->parent = this;
    children.push_back(std::move(panel));
    return true;
}

bool CWndResizer::CPanel::AddChild(CPanel* panel)
{
    if (panel == nullptr || panel->parent == nullptr)
        return false;
    for (const CPanel* ancestor = this; ancestor != nullptr; ancestor = ancestor->parent) {
        if (ancestor == panel)
            return false;
    }
    std::unique_ptr<CPanel> owned = panel->parent->RemoveChild(panel);
    return owned && AddChild(std::move(owned));
}

std::unique_ptr<CWndResizer::CPanel> CWndResizer::CPanel::RemoveChild(CPanel* panel)
{
    const auto found =
        std::find_if(children.begin(), children.end(), [panel](const auto& child) { return child.get() == panel; });
    if (found == children.end())
        return nullptr;
    std::unique_ptr<CPanel> owned = std::move(*found);
    children.erase(found);
    owned->parent = nullptr;
    return owned;
}

bool CWndResizer::CPanel::SetAnchor(int anchorBits)
{
    anchor = CompletePanelAnchor(anchorBits);
    return true;
}

bool CWndResizer::CPanel::SetMinSize(PanelSize size)
{
    if (size.width > maxSize.width || size.height > maxSize.height)
        return false;
    minSize = size;
    return true;
}

bool CWndResizer::CPanel::SetMaxSize(PanelSize size)
{
    if (size.width < minSize.width || size.height < minSize.height)
        return false;
    maxSize = size;
    return true;
}

QString CWndResizer::CPanel::ToString() const
{
    return QString::asprintf("Name(%s), Type(%s), Anchor(%d), Size(w:%d, h:%d), Area(l:%d, t:%d, r:%d, b:%d), "
                             "MinSize(w:%d, h:%d), MaxSize(w:%d, h:%d), Parent(%s), ChildrenCount(%d)",
                             qUtf8Printable(name), qUtf8Printable(GetTypeName()), anchor, area.width(), area.height(),
                             area.left, area.top, area.right, area.bottom, minSize.width, minSize.height, maxSize.width,
                             maxSize.height, parent ? qUtf8Printable(parent->name) : "NULL",
                             static_cast<int>(children.size()));
}

QString CWndResizer::CPanel::GetTypeName() const
{
    return QStringLiteral("CPanel");
}

QWidget* CWndResizer::CPanel::GetHookedWnd() const
{
    return parent ? parent->GetHookedWnd() : nullptr;
}

PanelPlacement CWndResizer::CPanel::Placement() const
{
    return {anchor, dock, leftOffset, topOffset, rightOffset, bottomOffset, minSize, maxSize};
}

CWndResizer::CRootPanel::CRootPanel()
{
    name = QStringLiteral("_root");
}

QString CWndResizer::CRootPanel::GetTypeName() const
{
    return QStringLiteral("CRootPanel");
}

QWidget* CWndResizer::CRootPanel::GetHookedWnd() const
{
    return hookedWnd;
}

CWndResizer::CUIPanel::CUIPanel(const PanelRect& startArea, int id) : CPanel(startArea), controlId(id)
{
    name = QString::number(id);
}

QString CWndResizer::CUIPanel::GetTypeName() const
{
    return QStringLiteral("CUIPanel");
}

CWndResizer::~CWndResizer()
{
    Unhook();
}

bool CWndResizer::Hook(QWidget* window)
{
    if (window == nullptr || hookedWnd_ != nullptr || FindResizer(window) != nullptr)
        return false;
    hookedWnd_ = window;
    root_.area = ClientRect(*window);
    root_.hookedWnd = window;
    HookedWindows()[window] = this;
    window->installEventFilter(this);
    destroyedConnection_ = connect(window, &QObject::destroyed, this, &CWndResizer::Unhook);
    return true;
}

bool CWndResizer::Unhook()
{
    if (hookedWnd_ == nullptr)
        return false;
    disconnect(destroyedConnection_);
    hookedWnd_->removeEventFilter(this);
    HookedWindows().erase(hookedWnd_);
    root_.hookedWnd = nullptr;
    hookedWnd_ = nullptr;
    root_.children.clear();
    return true;
}

void CWndResizer::LayoutPanels()
{
    if (hookedWnd_ == nullptr)
        return;
    root_.area = ClampPanelSize(ClientRect(*hookedWnd_), root_.minSize, root_.maxSize);
    root_.OnResized();
    MoveControls();
}

// Moving a widget only schedules its repaint, so the batched controls are all
// painted together in the next paint pass, with the root's area repainted
// once after them; the controls that move on their own follow.
void CWndResizer::MoveControls() const
{
    std::vector<const CUIPanel*> batched;
    std::vector<const CUIPanel*> own;
    CollectUIPanels(root_, batched, own);
    const auto move = [this](const CUIPanel* panel) {
        if (QWidget* control = FindControl(*hookedWnd_, panel->controlId))
            control->setGeometry(ToQRect(panel->area));
    };
    std::for_each(batched.begin(), batched.end(), move);
    if (!batched.empty())
        hookedWnd_->update(ToQRect(root_.area));
    std::for_each(own.begin(), own.end(), move);
}

CWndResizer::CPanel* CWndResizer::FindPanelByName(CPanel* start, const QString& name)
{
    if (start == nullptr || name.isEmpty())
        return nullptr;
    if (start->name.compare(name, Qt::CaseInsensitive) == 0)
        return start;
    for (const auto& child : start->children) {
        if (CPanel* found = FindPanelByName(child.get(), name))
            return found;
    }
    return nullptr;
}

CWndResizer::CUIPanel* CWndResizer::GetUIPanel(int controlId)
{
    const QString name = QString::number(controlId);
    if (CPanel* found = FindPanelByName(&root_, name))
        return dynamic_cast<CUIPanel*>(found);
    if (hookedWnd_ == nullptr)
        return nullptr;
    QWidget* control = FindControl(*hookedWnd_, controlId);
    if (control == nullptr)
        return nullptr;
    auto panel = std::make_unique<CUIPanel>(ToPanelRect(control->geometry()), controlId);
    CUIPanel* created = panel.get();
    root_.AddChild(std::move(panel));
    return created;
}

CWndResizer* CWndResizer::FindResizer(const QWidget* window)
{
    const auto found = HookedWindows().find(window);
    return found == HookedWindows().end() ? nullptr : found->second;
}

bool CWndResizer::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == hookedWnd_ && event->type() == QEvent::Resize)
        LayoutPanels();
    return QObject::eventFilter(watched, event);
}

void GlueControlToEdges(CWndResizer& resizer, QWidget* pane, int controlId)
{
    resizer.Hook(pane);
    if (CWndResizer::CUIPanel* panel = resizer.GetUIPanel(controlId)) {
        panel->ownMove = true;
        panel->SetAnchor(panel_anchor::kAll);
    }
    resizer.LayoutPanels();
}
