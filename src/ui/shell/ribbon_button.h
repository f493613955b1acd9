#pragma once

#include <QToolButton>

// A large ribbon button: the icon above the label of the command action it
// triggers.
class RibbonButton : public QToolButton {
    Q_OBJECT
public:
    explicit RibbonButton(QAction* command, QWidget* parent = nullptr);

    // The id of the command (the action's data).
    int commandId() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    // Edge of a large button's icon, in pixels.
    static constexpr int kIconSize = 32;
};
