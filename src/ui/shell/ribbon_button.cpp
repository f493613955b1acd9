#include "ui/shell/ribbon_button.h"

#include <QAction>

namespace {

constexpr int kMinimumWidth = 56;

} // namespace

RibbonButton::RibbonButton(QAction* command, QWidget* parent) : QToolButton(parent)
{
    setObjectName(QStringLiteral("ribbonButton"));
    setDefaultAction(command);
    setIconSize(QSize(kIconSize, kIconSize));
    setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    setAutoRaise(true);
    // Never narrower than its label: a narrow window scrolls the ribbon.
    setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Expanding);
}

int RibbonButton::commandId() const
{
    return defaultAction()->data().toInt();
}

QSize RibbonButton::sizeHint() const
{
    return QToolButton::sizeHint().expandedTo(QSize(kMinimumWidth, 0));
}

QSize RibbonButton::minimumSizeHint() const
{
    return sizeHint();
}
