#pragma once

#include <QHash>
#include <QKeySequence>
#include <QList>
#include <QStringList>
#include <QWidget>

#include <functional>

class QAbstractButton;
class QAction;
class QHBoxLayout;
class QMenu;
class QStackedWidget;
class QTabBar;
class QToolButton;
class RibbonPanel;

// A compact ribbon: the application button at the left, whose menu lists the
// recent documents; a quick-access toolbar of icon buttons; a row of category
// tabs, each showing its page of panels; menu and icon buttons right of the
// tabs. Every key tip is Alt+letter.
// Each command (a panel button, an icon button, a menu item added with
// addCommand) reports its id through commandTriggered.
class RibbonBar : public QWidget {
    Q_OBJECT
public:
    // The most recent documents the application menu lists.
    static constexpr int kMaxRecentFiles = 4;

    // `applicationText` labels the application button (key tip F);
    // `recentTitle` heads the recent-documents list in its menu.
    RibbonBar(const QString& applicationText, const QString& recentTitle, QWidget* parent = nullptr);

    // A category tab with an empty page; answers its index.
    int addCategory(const QString& title, Qt::Key keyTip);
    // A panel appended to the page of `category`.
    RibbonPanel* addPanel(int category, const QString& caption);
    // The action of `commandId`, named after the command's resource name and
    // carrying the id as its data; triggering it reports commandTriggered.
    QAction* addCommandAction(int commandId, const QString& text, const QIcon& icon);
    // A large button of `panel` for a new action of `commandId`.
    QAbstractButton* addButton(RibbonPanel* panel, int commandId, const QString& label, const QIcon& icon);
    // Registers a control of a panel as the one of `commandId`, for setCommandEnabled.
    void addCommandWidget(int commandId, QWidget* widget);
    // A text button right of the tabs that opens the answered menu.
    QMenu* addMenuButton(const QString& text, Qt::Key keyTip);
    // An item of `menu` that triggers `commandId`.
    QAction* addCommand(QMenu* menu, int commandId, const QString& text);
    // An icon-only button right of the tabs that triggers `commandId`.
    QAbstractButton* addIconButton(int commandId, const QString& toolTip, const QIcon& icon, Qt::Key keyTip);

    // An icon-only button of the quick-access toolbar, beside the tabs, that
    // triggers `commandId`; its action answers to `keys` in the whole window.
    QAbstractButton* addQuickAccessButton(int commandId, const QString& text, const QIcon& icon,
                                          const QList<QKeySequence>& keys);

    // Lists the first kMaxRecentFiles of `paths`, most recent first.
    void setRecentFiles(const QStringList& paths);
    // Enables or disables the button, control or menu item of `commandId`.
    void setCommandEnabled(int commandId, bool enabled);

    // The action of `commandId`, or null when it has none.
    QAction* commandAction(int commandId) const { return commandActions_.value(commandId); }
    // The button of `commandId`, or null when it has none.
    QAbstractButton* button(int commandId) const;
    QAbstractButton* applicationButton() const;
    QMenu* applicationMenu() const { return applicationMenu_; }
    // The items of the recent-documents list, in order.
    QList<QAction*> recentFileActions() const { return recentActions_; }
    QTabBar* tabBar() const { return tabs_; }
    QList<RibbonPanel*> panels(int category) const;

signals:
    void commandTriggered(int commandId);
    void recentFileChosen(const QString& path);

private:
    QToolButton* makeIconButton(QAction* action);
    void addKeyTip(Qt::Key key, const std::function<void()>& action);
    void showCategory(int category);
    static void popUpBelow(QMenu* menu, QWidget* button);

    QToolButton* applicationButton_;
    QMenu* applicationMenu_;
    QHBoxLayout* quickAccess_;
    QTabBar* tabs_;
    QHBoxLayout* rightButtons_;
    QStackedWidget* pages_;
    QList<QAction*> recentActions_;
    QHash<int, QWidget*> commandWidgets_;
    QHash<int, QAction*> commandActions_;
};
