#include "ui/dialogs/dlg_progress.h"

#include "core/res/string_ids.h"
#include "ui/text/qt_text.h"

#include <QCloseEvent>
#include <QLabel>
#include <QProgressBar>
#include <QThread>
#include <QVBoxLayout>

class DlgProgress::Observer : public TransferObserver {
public:
    explicit Observer(DlgProgress& dialog) : dialog_(dialog) {}

    void statusText(MessageId id) override
    {
        dialog_.onUiThread([this, id] { dialog_.status_->setText(qtText(dialog_.prompts_.text(id))); });
    }
    void progressRange(int maximum) override
    {
        dialog_.onUiThread([this, maximum] {
            dialog_.bar_->setRange(0, maximum);
            dialog_.bar_->setValue(0);
        });
    }
    void progressStep() override
    {
        dialog_.onUiThread([this] { dialog_.bar_->setValue(dialog_.bar_->value() + 1); });
    }
    void message(MessageId id) override
    {
        dialog_.onUiThread([this, id] { dialog_.prompts_.tell(PromptOwner::Dialog, id); });
    }
    void stopped(const TransferStop& stop) override
    {
        dialog_.onUiThread([this, stop] { dialog_.stop_ = stop; });
    }
    void finished(TransferOutcome outcome) override
    {
        dialog_.onUiThread([this, outcome] { dialog_.finish(outcome); });
    }

private:
    DlgProgress& dialog_;
};

DlgProgress::DlgProgress(QWidget* owner, Prompts& prompts, bool isDownload, Transfer transfer)
    : QDialog(owner), prompts_(prompts), transfer_(std::move(transfer)), status_(new QLabel(this)),
      bar_(new QProgressBar(this))
{
    setModal(true);
    setWindowTitle(qtText(prompts_.text(isDownload ? msg::kDownloadTitle : msg::kUploadTitle)));
    status_->setText(qtText(prompts_.text(isDownload ? msg::kDownloading : msg::kUploading)));
    status_->setObjectName(QStringLiteral("statusText"));
    bar_->setTextVisible(false);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(status_);
    layout->addWidget(bar_);
    setMinimumWidth(430);
}

DlgProgress::~DlgProgress()
{
    if (worker_ != nullptr)
        worker_->wait();
}

QString DlgProgress::statusText() const
{
    return status_->text();
}

void DlgProgress::onUiThread(const std::function<void()>& call)
{
    QMetaObject::invokeMethod(this, call, Qt::BlockingQueuedConnection);
}

void DlgProgress::finish(TransferOutcome outcome)
{
    outcome_ = outcome;
    transferring_ = false;
    setEnabled(true);
    done(outcome == TransferOutcome::Succeeded ? QDialog::Accepted : QDialog::Rejected);
}

void DlgProgress::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (worker_ != nullptr)
        return;
    setEnabled(false);
    transferring_ = true;
    worker_ = QThread::create([this] {
        Observer observer(*this);
        transfer_(observer);
    });
    worker_->setParent(this);
    worker_->start();
}

void DlgProgress::reject()
{
    if (!transferring_)
        QDialog::reject();
}

void DlgProgress::closeEvent(QCloseEvent* event)
{
    if (transferring_) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

TransferResult ProgressDialogRunner::run(bool isDownload, const Transfer& transfer)
{
    DlgProgress dialog(owner_, prompts_, isDownload, transfer);
    dialog.exec();
    return {dialog.outcome().value_or(TransferOutcome::Failed), dialog.stop()};
}
