#pragma once

#include "core/commands/prompts.h"
#include "core/device/hid_link.h"

#include <QDialog>

#include <cstdint>
#include <vector>

class QProgressBar;
class QPushButton;
class QTableWidget;

// The Upgrade dialog: one row describing the loaded firmware image, Load...
// to choose it, Upgrade to send it to a meter in its upgrade state. The
// upgrade runs on the user-interface thread with the window disabled; the bar
// is shown only while blocks are sent and repainted at every block. Clicks and
// keys given while it runs are dropped, and the dialog cannot be closed.
class CDlgUpgrade : public QDialog {
    Q_OBJECT
public:
    CDlgUpgrade(QWidget* owner, HidLink& link, Prompts& prompts);

    void onLoad();
    void onUpgradeNow();

    bool imageLoaded() const { return imageLoaded_; }
    std::uint64_t imageSize() const { return imageSize_; }
    const QString& imageName() const { return imageName_; }

    const QTableWidget& list() const { return *list_; }
    QPushButton& loadButton() { return *load_; }
    QPushButton& upgradeButton() { return *upgrade_; }
    const QProgressBar& progressBar() const { return *bar_; }

    void reject() override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    class Observer;

    void showRow(const QString& outcome);
    void fitColumns();

    HidLink& link_;
    Prompts& prompts_;
    QTableWidget* list_;
    QPushButton* load_;
    QPushButton* upgrade_;
    QProgressBar* bar_;

    std::uint64_t imageSize_ = 0;
    bool imageLoaded_ = false;
    bool upgrading_ = false;
    std::vector<std::uint8_t> imageData_;
    QString imageName_;
};

// The Upgrade command: shows the dialog modally.
void onUpgrade(QWidget* owner, HidLink& link, Prompts& prompts);
