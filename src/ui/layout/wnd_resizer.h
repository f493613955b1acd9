#pragma once

#include "ui/layout/panel_layout.h"

#include <QMetaObject>
#include <QObject>
#include <QString>

#include <memory>
#include <vector>

class QEvent;
class QWidget;

// Keeps the child controls of one window, the hooked window, in place while
// that window changes size. The window's area is a tree of panels: a root
// panel covering the window and, below it, panels that are docked to an edge
// of the space their earlier siblings left free or anchored to chosen edges
// of their parent, each within a minimum and maximum size. A `CUIPanel`
// carries one child control of the hooked window with it.
//
// Child controls are found by their control id: the panes set the int
// dynamic property "controlId" (kControlIdProperty) on each direct child
// widget the resizer is to move.
//
// Coordinates are those of the hooked window's rectangle: a plain widget
// scrolls nothing, so its client rectangle is (0, 0, width, height).
class CWndResizer : public QObject {
    Q_OBJECT
public:
    static constexpr const char* kControlIdProperty = "controlId";

    class CPanel {
    public:
        CPanel() = default;
        explicit CPanel(const PanelRect& startArea) : area(startArea) {}
        // Deletes the children with their subtrees.
        virtual ~CPanel() = default;
        CPanel(const CPanel&) = delete;
        CPanel& operator=(const CPanel&) = delete;

        // Lays out the children in list order, each inside this panel's area,
        // and then their own children.
        virtual void OnResized();
        // Takes a panel that has no parent, measures its four offsets from
        // this panel's area and appends it. Answers false for null.
        virtual bool AddChild(std::unique_ptr<CPanel> panel);
        // Moves a panel from its parent to the end of this panel's children.
        // Answers false when it has no parent, or when it is this panel or
        // one of this panel's ancestors.
        virtual bool AddChild(CPanel* panel);
        // Unlinks a child and hands it back without a parent; null when the
        // panel is not a child of this one.
        virtual std::unique_ptr<CPanel> RemoveChild(CPanel* panel);
        // Stores the bits with top and left added where no vertical or
        // horizontal placement is named. Answers true.
        virtual bool SetAnchor(int anchorBits);
        // Refused (false, nothing stored) above the maximum size.
        virtual bool SetMinSize(PanelSize size);
        // Refused (false, nothing stored) below the minimum size.
        virtual bool SetMaxSize(PanelSize size);
        virtual QString ToString() const;
        virtual QString GetTypeName() const;
        // The window of the tree's root; null for a panel outside a hooked tree.
        virtual QWidget* GetHookedWnd() const;

        PanelRect area;
        int anchor = kDefaultPanelAnchor;
        int dock = panel_dock::kNone;
        QString name;
        CPanel* parent = nullptr;
        std::vector<std::unique_ptr<CPanel>> children;
        int leftOffset = 0;
        int topOffset = 0;
        int rightOffset = 0;
        int bottomOffset = 0;
        PanelSize minSize = kDefaultPanelMinSize;
        PanelSize maxSize = kDefaultPanelMaxSize;

    private:
        PanelPlacement Placement() const;
    };

    // The panel covering the hooked window, named "_root".
    class CRootPanel : public CPanel {
    public:
        CRootPanel();
        QString GetTypeName() const override;
        QWidget* GetHookedWnd() const override;

        QWidget* hookedWnd = nullptr;
    };

    // The panel of one child control, named by its control id in decimal.
    class CUIPanel : public CPanel {
    public:
        CUIPanel(const PanelRect& startArea, int id);
        QString GetTypeName() const override;

        int controlId;
        // False: the control moves in the batch with the others, after which
        // the root's area is repainted; true: it moves on its own.
        bool ownMove = false;
    };

    CWndResizer() = default;
    ~CWndResizer() override;
    CWndResizer(const CWndResizer&) = delete;
    CWndResizer& operator=(const CWndResizer&) = delete;

    // Starts following `window`'s size changes; the root takes its rectangle.
    // Refused for null, while this resizer is hooked, or for a window that
    // another resizer follows.
    bool Hook(QWidget* window);
    // Stops following the window and deletes every panel below the root.
    // Answers false when not hooked. Runs by itself when the window is
    // destroyed.
    bool Unhook();
    // Lays the panels out for the window's present size and moves the
    // controls; a size change of the window does the same.
    void LayoutPanels();

    // Depth-first from `start` (itself, then each child's subtree in order),
    // the first panel whose name equals `name` ignoring case; null for an
    // empty name or when none matches.
    static CPanel* FindPanelByName(CPanel* start, const QString& name);
    // The panel of control `controlId`, created below the root from the
    // control's present rectangle if there is none yet. Null when the hooked
    // window has no such child, or when the name is held by a panel of
    // another kind.
    CUIPanel* GetUIPanel(int controlId);

    QWidget* GetHookedWnd() const { return hookedWnd_; }
    CRootPanel& GetRootPanel() { return root_; }
    // The resizer that follows `window`, null when none does.
    static CWndResizer* FindResizer(const QWidget* window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void MoveControls() const;

    QWidget* hookedWnd_ = nullptr;
    CRootPanel root_;
    QMetaObject::Connection destroyedConnection_;
};

// Hooks `resizer` to `pane` and keeps the child control `controlId` glued to
// all four edges of the pane, moved on its own; lays the panels out once.
void GlueControlToEdges(CWndResizer& resizer, QWidget* pane, int controlId);
