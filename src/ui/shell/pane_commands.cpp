#include "ui/shell/pane_commands.h"

#include "core/res/string_ids.h"
#include "ui/lists/sort_combo_list_ctrl.h"
#include "ui/shell/command_ids.h"
#include "ui/text/qt_text.h"

#include <QAction>
#include <QMenu>

namespace {

MessageId labelOf(int command)
{
    switch (command) {
    case cmd::kCut:
        return msg::kLabelCut;
    case cmd::kCopy:
        return msg::kLabelCopy;
    case cmd::kPaste:
        return msg::kLabelPaste;
    default:
        return MessageId{command};
    }
}

QList<QKeySequence> keysOf(int command)
{
    switch (command) {
    case cmd::kCut:
        return {QKeySequence(Qt::CTRL | Qt::Key_X), QKeySequence(Qt::SHIFT | Qt::Key_Delete)};
    case cmd::kCopy:
        return {QKeySequence(Qt::CTRL | Qt::Key_C), QKeySequence(Qt::CTRL | Qt::Key_Insert)};
    case cmd::kPaste:
        return {QKeySequence(Qt::CTRL | Qt::Key_V), QKeySequence(Qt::SHIFT | Qt::Key_Insert)};
    case cmd::kDuplicate:
        return {QKeySequence(Qt::CTRL | Qt::Key_D)};
    case cmd::kDeleteRows:
        return {QKeySequence(Qt::Key_Delete)};
    case cmd::kMoveUp:
        return {QKeySequence(Qt::CTRL | Qt::Key_Up)};
    case cmd::kMoveDown:
        return {QKeySequence(Qt::CTRL | Qt::Key_Down)};
    case cmd::kFind:
        return {QKeySequence(Qt::CTRL | Qt::Key_F)};
    case cmd::kPlanAdd:
    case cmd::kChannelAdd:
        return {QKeySequence(Qt::Key_Insert)};
    default:
        return {};
    }
}

// Where the menu groups its items.
bool startsGroup(int command)
{
    return command == cmd::kCut || command == cmd::kMoveUp || command == cmd::kSelectAllPlans ||
           command == cmd::kSelectAllChannels || command == cmd::kRemoveDuplicates;
}

} // namespace

QList<QAction*> addPaneCommands(QWidget& pane, CSortComboListCtrl& list, Language language,
                                const std::vector<int>& commands, const std::function<void(int)>& run)
{
    QList<QAction*> actions;
    for (const int command : commands) {
        auto* action = new QAction(qtMessage(labelOf(command), language), &pane);
        action->setObjectName(QString::fromLatin1(cmd::commandName(command)));
        action->setData(command);
        action->setShortcuts(keysOf(command));
        // The list serves its Delete key itself, so that the key stays the
        // edit box's while a cell is edited; the menu only shows it.
        if (command == cmd::kDeleteRows) {
            action->setShortcutContext(Qt::WidgetShortcut);
        } else {
            action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
            pane.addAction(action);
        }
        QObject::connect(action, &QAction::triggered, &pane, [run, command] { run(command); });
        actions.append(action);
    }
    list.setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(&list, &QWidget::customContextMenuRequested, &pane, [&list, actions](const QPoint& at) {
        auto* menu = new QMenu(&list);
        menu->setObjectName(QStringLiteral("listContextMenu"));
        menu->setAttribute(Qt::WA_DeleteOnClose);
        for (QAction* action : actions) {
            if (startsGroup(action->data().toInt()))
                menu->addSeparator();
            menu->addAction(action);
        }
        menu->popup(list.viewport()->mapToGlobal(at));
    });
    return actions;
}

std::vector<int> listCommands(int addCommand, int selectAllCommand)
{
    return {addCommand,       cmd::kCut,    cmd::kCopy,     cmd::kPaste,      cmd::kDuplicate,
            cmd::kDeleteRows, cmd::kMoveUp, cmd::kMoveDown, selectAllCommand, cmd::kFind};
}
