#include "ui/shell/ribbon_button.h"

namespace {

constexpr int kMinimumWidth = 56;

} // namespace

RibbonButton::RibbonButton(int commandId, const QString& label, const QIcon& icon, QWidget* parent)
    : QToolButton(parent), commandId_(commandId)
{
    setObjectName(QStringLiteral("ribbonButton"));
    setText(label);
    setToolTip(label);
    setIcon(icon);
    setIconSize(QSize(kIconSize, kIconSize));
    setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    setAutoRaise(true);
    // Never narrower than its label: a narrow window scrolls the ribbon.
    setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Expanding);
}

QSize RibbonButton::sizeHint() const
{
    return QToolButton::sizeHint().expandedTo(QSize(kMinimumWidth, 0));
}

QSize RibbonButton::minimumSizeHint() const
{
    return sizeHint();
}
