#pragma once

#include <QFrame>

class QHBoxLayout;
class QLabel;
class RibbonButton;

// A group of ribbon controls in a row with its caption centred below them.
class RibbonPanel : public QFrame {
    Q_OBJECT
public:
    explicit RibbonPanel(const QString& caption, QWidget* parent = nullptr);

    QString caption() const;

    // Appends a large button of the command action; the panel owns it.
    RibbonButton* addButton(QAction* command);
    // Appends any other control; the panel takes ownership.
    void addWidget(QWidget* widget);

private:
    QHBoxLayout* row_;
    QLabel* caption_;
};
