#include "ui/dialogs/dlg_upgrade.h"

#include "core/commands/firmware_image.h"
#include "core/commands/transfer_commands.h"
#include "core/device/firmware_upgrade.h"
#include "core/device/transfer_messages.h"
#include "core/res/string_ids.h"
#include "ui/dialogs/user_input_blocker.h"
#include "ui/text/qt_text.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <filesystem>

namespace {

constexpr int kColumns = 4;

} // namespace

// Shows a running upgrade in the dialog. From the start of the upgrade until
// its outcome shows, the user's input is dropped (and never delivered later),
// except while a message asks for it.
class CDlgUpgrade::Observer : public TransferObserver {
public:
    explicit Observer(CDlgUpgrade& dialog) : dialog_(dialog) {}

    void statusText(MessageId) override {}
    void progressRange(int maximum) override
    {
        dialog_.setEnabled(false);
        dialog_.bar_->setRange(0, maximum);
        dialog_.bar_->setValue(0);
        dialog_.bar_->show();
        repaint();
    }
    void progressStep() override
    {
        dialog_.bar_->setValue(dialog_.bar_->value() + 1);
        repaint();
    }
    void message(MessageId id) override
    {
        blocker_.release();
        dialog_.prompts_.tell(PromptOwner::Dialog, id);
    }
    void stopped(const TransferStop& stop) override { stop_ = stop; }
    void finished(TransferOutcome outcome) override
    {
        blocker_.release();
        if (outcome == TransferOutcome::Succeeded || outcome == TransferOutcome::Failed) {
            dialog_.bar_->hide();
            dialog_.showRow(qtText(dialog_.prompts_.text(outcome == TransferOutcome::Succeeded ? msg::kUpgradeSucceeded
                                                                                               : msg::kUpgradeFailed)));
            dialog_.setEnabled(true);
        }
        if (stop_)
            tellMeterMessage(dialog_.prompts_, PromptOwner::Dialog, transferStopMessage(*stop_));
    }

private:
    void repaint()
    {
        dialog_.bar_->repaint();
        UserInputBlocker::flush();
    }

    CDlgUpgrade& dialog_;
    UserInputBlocker blocker_;
    std::optional<TransferStop> stop_;
};

CDlgUpgrade::CDlgUpgrade(QWidget* owner, HidLink& link, Prompts& prompts)
    : QDialog(owner), link_(link), prompts_(prompts), list_(new QTableWidget(0, kColumns, this)),
      load_(new QPushButton(qtText(prompts.text(msg::kUpgradeLoadButton)), this)),
      upgrade_(new QPushButton(qtText(prompts.text(msg::kUpgradeButton)), this)), bar_(new QProgressBar(this))
{
    setWindowTitle(qtText(prompts_.text(msg::kUpgradeTitle)));
    list_->setHorizontalHeaderLabels(
        {QStringLiteral("File Name"), QStringLiteral("Size"), QStringLiteral("Loaded"), QStringLiteral("Upgrade")});
    list_->setShowGrid(true);
    list_->verticalHeader()->hide();
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    bar_->setTextVisible(false);
    bar_->hide();
    load_->setAutoDefault(false);
    upgrade_->setAutoDefault(false);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(load_);
    buttons->addWidget(upgrade_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_);
    layout->addWidget(bar_);
    layout->addLayout(buttons);
    resize(540, 230);

    connect(load_, &QPushButton::clicked, this, &CDlgUpgrade::onLoad);
    connect(upgrade_, &QPushButton::clicked, this, &CDlgUpgrade::onUpgradeNow);
}

void CDlgUpgrade::fitColumns()
{
    const int width = list_->viewport()->width() / kColumns;
    for (int c = 0; c < kColumns; ++c)
        list_->setColumnWidth(c, width);
}

void CDlgUpgrade::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    fitColumns();
}

// The list gets its size only when it is shown, after the dialog's first
// resize event.
void CDlgUpgrade::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    fitColumns();
}

void CDlgUpgrade::reject()
{
    if (!upgrading_)
        QDialog::reject();
}

void CDlgUpgrade::closeEvent(QCloseEvent* event)
{
    if (upgrading_)
        event->ignore();
    else
        QDialog::closeEvent(event);
}

void CDlgUpgrade::showRow(const QString& outcome)
{
    list_->setRowCount(0);
    list_->insertRow(0);
    const QStringList cells{imageName_, QString::number(static_cast<std::uint32_t>(imageSize_)), QStringLiteral("Yes"),
                            outcome};
    for (int c = 0; c < kColumns; ++c) {
        auto* item = new QTableWidgetItem(cells[c]);
        item->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        list_->setItem(0, c, item);
    }
}

void CDlgUpgrade::onLoad()
{
    FileDialogOptions options;
    options.filter = "Q36 UpgradeFile (*.bin)|*.bin|";
    const std::vector<std::string> chosen = prompts_.chooseOpenFiles(PromptOwner::Dialog, options);
    if (chosen.empty())
        return;
    list_->setRowCount(0);
    const std::filesystem::path path = chosen.front();
    auto load = loadFirmwareImage(path);
    if (load.error == FirmwareLoad::Error::TooLarge)
        prompts_.tell(PromptOwner::Dialog, msg::kUpgradeImageTooLarge, {path.filename().string()});
    // A file that cannot be read leaves the list empty and the earlier image
    // loaded.
    if (!load.image)
        return;
    imageSize_ = load.image->data.size();
    imageData_ = std::move(load.image->data);
    imageName_ = qtText(load.image->name);
    showRow(QStringLiteral("No"));
    imageLoaded_ = true;
}

void CDlgUpgrade::onUpgradeNow()
{
    if (!imageLoaded_ || upgrading_)
        return;
    upgrading_ = true;
    {
        Observer observer(*this);
        runUpgrade(link_, imageData_, observer);
    }
    upgrading_ = false;
}

void onUpgrade(QWidget* owner, HidLink& link, Prompts& prompts)
{
    CDlgUpgrade dialog(owner, link, prompts);
    dialog.exec();
}
