#include "ui/shell/ribbon_bar.h"

#include "ui/shell/command_ids.h"
#include "ui/shell/ribbon_button.h"
#include "ui/shell/ribbon_panel.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QMenu>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QStackedWidget>
#include <QTabBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int kRecentListWidth = 300;
constexpr int kIconButtonSize = 16;

// The pages of the categories. Panels keep their size; a window narrower than
// a page scrolls it sideways, and the bar grows by the scroll bar while one is
// needed.
class RibbonPages : public QScrollArea {
public:
    explicit RibbonPages(QStackedWidget* pages)
    {
        setObjectName(QStringLiteral("ribbonPages"));
        setFrameShape(QFrame::NoFrame);
        setWidgetResizable(true);
        setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        setWidget(pages);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        connect(horizontalScrollBar(), &QScrollBar::rangeChanged, this, [this] { updateGeometry(); });
    }

    QSize sizeHint() const override
    {
        const int scrollBar = horizontalScrollBar()->maximum() > 0 ? horizontalScrollBar()->sizeHint().height() : 0;
        return {widget()->sizeHint().width(), widget()->sizeHint().height() + scrollBar};
    }
    QSize minimumSizeHint() const override { return {0, sizeHint().height()}; }
};

// A page of panels laid out left to right.
QWidget* makePage()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("ribbonCategory"));
    auto* row = new QHBoxLayout(page);
    row->setContentsMargins(2, 2, 2, 2);
    row->setSpacing(2);
    row->addStretch(1);
    return page;
}

} // namespace

RibbonBar::RibbonBar(const QString& applicationText, const QString& recentTitle, QWidget* parent)
    : QWidget(parent), applicationButton_(new QToolButton), applicationMenu_(new QMenu(this)),
      quickAccess_(new QHBoxLayout), tabs_(new QTabBar), rightButtons_(new QHBoxLayout), pages_(new QStackedWidget)
{
    setObjectName(QStringLiteral("ribbonBar"));
    setAttribute(Qt::WA_StyledBackground);

    applicationButton_->setObjectName(QStringLiteral("ribbonApplicationButton"));
    applicationButton_->setText(applicationText);
    applicationButton_->setToolTip(applicationText);
    applicationMenu_->setObjectName(QStringLiteral("ribbonApplicationMenu"));
    applicationMenu_->setMinimumWidth(kRecentListWidth);
    applicationMenu_->setToolTipsVisible(true);
    applicationMenu_->addSection(recentTitle);
    connect(applicationButton_, &QToolButton::clicked, this,
            [this] { popUpBelow(applicationMenu_, applicationButton_); });
    addKeyTip(Qt::Key_F, [this] { popUpBelow(applicationMenu_, applicationButton_); });

    tabs_->setObjectName(QStringLiteral("ribbonTabs"));
    tabs_->setDrawBase(false);
    tabs_->setExpanding(false);
    tabs_->setUsesScrollButtons(false);
    connect(tabs_, &QTabBar::currentChanged, pages_, &QStackedWidget::setCurrentIndex);

    for (QHBoxLayout* buttons : {quickAccess_, rightButtons_}) {
        buttons->setContentsMargins(0, 0, 0, 0);
        buttons->setSpacing(2);
    }

    auto* top = new QHBoxLayout;
    top->setContentsMargins(0, 0, 0, 0);
    top->setSpacing(4);
    top->addWidget(applicationButton_);
    top->addLayout(quickAccess_);
    top->addWidget(tabs_);
    top->addLayout(rightButtons_);
    top->addStretch(1);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(2, 2, 2, 2);
    column->setSpacing(0);
    column->addLayout(top);
    column->addWidget(new RibbonPages(pages_));
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

int RibbonBar::addCategory(const QString& title, Qt::Key keyTip)
{
    pages_->addWidget(makePage());
    const int category = tabs_->addTab(title);
    addKeyTip(keyTip, [this, category] { showCategory(category); });
    return category;
}

RibbonPanel* RibbonBar::addPanel(int category, const QString& caption)
{
    QWidget* page = pages_->widget(category);
    auto* panel = new RibbonPanel(caption, page);
    auto* row = static_cast<QHBoxLayout*>(page->layout());
    row->insertWidget(row->count() - 1, panel);
    return panel;
}

QAction* RibbonBar::addCommandAction(int commandId, const QString& text, const QIcon& icon)
{
    auto* action = new QAction(icon, text, this);
    action->setObjectName(QString::fromLatin1(cmd::commandName(commandId)));
    action->setData(commandId);
    action->setToolTip(text);
    commandActions_.insert(commandId, action);
    connect(action, &QAction::triggered, this, [this, commandId] { emit commandTriggered(commandId); });
    return action;
}

QAbstractButton* RibbonBar::addButton(RibbonPanel* panel, int commandId, const QString& label, const QIcon& icon)
{
    RibbonButton* button = panel->addButton(addCommandAction(commandId, label, icon));
    addCommandWidget(commandId, button);
    return button;
}

void RibbonBar::addCommandWidget(int commandId, QWidget* widget)
{
    commandWidgets_.insert(commandId, widget);
}

QMenu* RibbonBar::addMenuButton(const QString& text, Qt::Key keyTip)
{
    auto* button = new QToolButton;
    button->setObjectName(QStringLiteral("ribbonMenuButton"));
    button->setText(text);
    button->setToolTip(text);
    button->setAutoRaise(true);
    auto* menu = new QMenu(button);
    connect(button, &QToolButton::clicked, this, [menu, button] { popUpBelow(menu, button); });
    addKeyTip(keyTip, [menu, button] { popUpBelow(menu, button); });
    rightButtons_->addWidget(button);
    return menu;
}

QAction* RibbonBar::addCommand(QMenu* menu, int commandId, const QString& text)
{
    QAction* action = addCommandAction(commandId, text, {});
    menu->addAction(action);
    return action;
}

QToolButton* RibbonBar::makeIconButton(QAction* action)
{
    auto* button = new QToolButton;
    button->setObjectName(QStringLiteral("ribbonIconButton"));
    button->setDefaultAction(action);
    button->setIconSize(QSize(kIconButtonSize, kIconButtonSize));
    button->setToolButtonStyle(Qt::ToolButtonIconOnly);
    button->setAutoRaise(true);
    addCommandWidget(action->data().toInt(), button);
    return button;
}

QAbstractButton* RibbonBar::addIconButton(int commandId, const QString& toolTip, const QIcon& icon, Qt::Key keyTip)
{
    QToolButton* button = makeIconButton(addCommandAction(commandId, toolTip, icon));
    rightButtons_->addWidget(button);
    addKeyTip(keyTip, [button] { button->click(); });
    return button;
}

QAbstractButton* RibbonBar::addQuickAccessButton(int commandId, const QString& text, const QIcon& icon,
                                                 const QList<QKeySequence>& keys)
{
    QAction* action = addCommandAction(commandId, text, icon);
    action->setShortcuts(keys);
    QToolButton* button = makeIconButton(action);
    button->setObjectName(QStringLiteral("ribbonQuickAccessButton"));
    quickAccess_->addWidget(button);
    return button;
}

void RibbonBar::setRecentFiles(const QStringList& paths)
{
    for (QAction* action : std::as_const(recentActions_)) {
        applicationMenu_->removeAction(action);
        action->deleteLater();
    }
    recentActions_.clear();
    const auto count = std::min<qsizetype>(paths.size(), kMaxRecentFiles);
    for (qsizetype i = 0; i < count; ++i) {
        const QString& path = paths[i];
        QAction* action =
            applicationMenu_->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(QFileInfo(path).fileName()));
        action->setToolTip(QDir::toNativeSeparators(path));
        connect(action, &QAction::triggered, this, [this, path] { emit recentFileChosen(path); });
        recentActions_.append(action);
    }
}

void RibbonBar::setCommandEnabled(int commandId, bool enabled)
{
    if (QAction* action = commandActions_.value(commandId))
        action->setEnabled(enabled);
    else if (QWidget* widget = commandWidgets_.value(commandId))
        widget->setEnabled(enabled);
}

QAbstractButton* RibbonBar::button(int commandId) const
{
    return qobject_cast<QAbstractButton*>(commandWidgets_.value(commandId));
}

QAbstractButton* RibbonBar::applicationButton() const
{
    return applicationButton_;
}

QList<RibbonPanel*> RibbonBar::panels(int category) const
{
    QList<RibbonPanel*> result;
    const QLayout* row = pages_->widget(category)->layout();
    for (int i = 0; i < row->count(); ++i) {
        if (auto* panel = qobject_cast<RibbonPanel*>(row->itemAt(i)->widget()))
            result.append(panel);
    }
    return result;
}

void RibbonBar::addKeyTip(Qt::Key key, const std::function<void()>& action)
{
    auto* shortcut = new QShortcut(QKeySequence(Qt::ALT | key), this);
    connect(shortcut, &QShortcut::activated, this, action);
}

// Shows the page of `category` and moves the focus to its first control, so
// that the keyboard can go on from there.
void RibbonBar::showCategory(int category)
{
    tabs_->setCurrentIndex(category);
    if (auto* first = pages_->widget(category)->findChild<QAbstractButton*>())
        first->setFocus(Qt::ShortcutFocusReason);
}

void RibbonBar::popUpBelow(QMenu* menu, QWidget* button)
{
    menu->popup(button->mapToGlobal(QPoint(0, button->height())));
}
