#pragma once

#include <QToolButton>

// A large ribbon button: its icon above its label, carrying the id of the
// command it triggers.
class RibbonButton : public QToolButton {
    Q_OBJECT
public:
    RibbonButton(int commandId, const QString& label, const QIcon& icon, QWidget* parent = nullptr);

    int commandId() const { return commandId_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    // Edge of a large button's icon, in pixels.
    static constexpr int kIconSize = 32;

private:
    int commandId_;
};
