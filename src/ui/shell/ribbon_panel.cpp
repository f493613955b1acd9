#include "ui/shell/ribbon_panel.h"

#include "ui/shell/ribbon_button.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace {

constexpr int kMargin = 3;
constexpr int kSpacing = 2;

} // namespace

RibbonPanel::RibbonPanel(const QString& caption, QWidget* parent)
    : QFrame(parent), row_(new QHBoxLayout), caption_(new QLabel(caption))
{
    setObjectName(QStringLiteral("ribbonPanel"));
    setAttribute(Qt::WA_StyledBackground);
    setFrameShape(QFrame::StyledPanel);
    caption_->setObjectName(QStringLiteral("ribbonPanelCaption"));
    caption_->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);

    row_->setContentsMargins(0, 0, 0, 0);
    row_->setSpacing(kSpacing);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
    column->setSpacing(kSpacing);
    column->addLayout(row_, 1);
    column->addWidget(caption_);
}

QString RibbonPanel::caption() const
{
    return caption_->text();
}

RibbonButton* RibbonPanel::addButton(QAction* command)
{
    auto* button = new RibbonButton(command, this);
    row_->addWidget(button);
    return button;
}

void RibbonPanel::addWidget(QWidget* widget)
{
    row_->addWidget(widget);
}
