#include "device/dlg_upgrade.h"

#include "device/firmware_upgrade.h"
#include "device/transfer_messages.h"
#include "res/string_ids.h"
#include "shell/prompts.h"
#include "shell/user_input_blocker.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <filesystem>
#include <fstream>
#include <system_error>

namespace {

constexpr int kColumns = 4;

// The firmware image file, or nothing when it cannot be read whole.
std::optional<std::vector<std::uint8_t>> readImage(const std::filesystem::path& path, std::uint64_t size)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::vector<std::uint8_t> data(static_cast<std::size_t>(size), 0);
    in.read(reinterpret_cast<char*>(data.data()), static_cast<std::streamsize>(data.size()));
    if (in.gcount() != static_cast<std::streamsize>(data.size()))
        return std::nullopt;
    return data;
}

} // namespace

// Shows a running upgrade in the dialog. From the start of the upgrade until
// its outcome shows, the user's input is dropped (and never delivered later),
// except while a message asks for it.
class CDlgUpgrade::Observer : public TransferObserver {
public:
    explicit Observer(CDlgUpgrade& dialog) : dialog_(dialog) {}

    void statusText(int) override {}
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
    void message(int id) override
    {
        blocker_.release();
        dialog_.prompts_.tell(&dialog_, id);
    }
    void stopped(const TransferStop& stop) override { stop_ = stop; }
    void finished(TransferOutcome outcome) override
    {
        blocker_.release();
        if (outcome == TransferOutcome::Succeeded || outcome == TransferOutcome::Failed) {
            dialog_.bar_->hide();
            dialog_.showRow(dialog_.prompts_.text(outcome == TransferOutcome::Succeeded ? msg::kUpgradeSucceeded
                                                                                        : msg::kUpgradeFailed));
            dialog_.setEnabled(true);
        }
        if (stop_)
            tellStop(*stop_);
    }

private:
    void repaint()
    {
        dialog_.bar_->repaint();
        UserInputBlocker::flush();
    }

    void tellStop(const TransferStop& stop)
    {
        const MeterMessage report = transferStopMessage(stop);
        QStringList args;
        for (const std::string& arg : report.args)
            args.append(qtText(arg));
        dialog_.prompts_.tell(&dialog_, report.id, args);
    }

    CDlgUpgrade& dialog_;
    UserInputBlocker blocker_;
    std::optional<TransferStop> stop_;
};

CDlgUpgrade::CDlgUpgrade(QWidget* owner, HidLink& link, Prompts& prompts)
    : QDialog(owner), link_(link), prompts_(prompts), list_(new QTableWidget(0, kColumns, this)),
      load_(new QPushButton(prompts.text(msg::kUpgradeLoadButton), this)),
      upgrade_(new QPushButton(prompts.text(msg::kUpgradeButton), this)), bar_(new QProgressBar(this))
{
    setWindowTitle(prompts_.text(msg::kUpgradeTitle));
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
    options.filter = QStringLiteral("Q36 UpgradeFile (*.bin)|*.bin|");
    const QStringList chosen = prompts_.chooseOpenFiles(this, options);
    if (chosen.isEmpty())
        return;
    list_->setRowCount(0);
    const QString path = chosen.front();
    const std::filesystem::path file(path.toStdU16String());
    std::error_code error;
    const auto size = std::filesystem::file_size(file, error);
    if (error)
        return;
    const QString name = QFileInfo(path).fileName();
    if (size > kMaxUpgradeImageSize) {
        prompts_.tell(this, msg::kUpgradeImageTooLarge, {name});
        return;
    }
    auto data = readImage(file, size);
    if (!data)
        return;
    imageSize_ = size;
    imageData_ = std::move(*data);
    imageName_ = name;
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
