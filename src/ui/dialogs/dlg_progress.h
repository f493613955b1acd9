#pragma once

#include "core/commands/transfer_commands.h"
#include "core/device/transfer_observer.h"

#include <QDialog>

#include <functional>
#include <optional>

class QLabel;
class QProgressBar;
class QThread;

// The modal dialog of a download or upload: the status text above a progress
// bar. When shown it starts one worker thread that runs the transfer; the
// worker reaches the dialog only through blocking cross-thread calls, and its
// last call closes the dialog. The user cannot close it while the worker runs.
class DlgProgress : public QDialog {
    Q_OBJECT
public:
    using Transfer = std::function<TransferOutcome(TransferObserver&)>;

    DlgProgress(QWidget* owner, Prompts& prompts, bool isDownload, Transfer transfer);
    ~DlgProgress() override;

    std::optional<TransferOutcome> outcome() const { return outcome_; }
    // Where the transfer stopped short, if it did.
    const std::optional<TransferStop>& stop() const { return stop_; }
    bool transferring() const { return transferring_; }
    QString statusText() const;
    const QProgressBar& progressBar() const { return *bar_; }

    // Ignored while the worker runs (Escape, the close box).
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    class Observer;

    // Runs `call` on the user-interface thread and waits until it has run.
    void onUiThread(const std::function<void()>& call);
    void finish(TransferOutcome outcome);

    Prompts& prompts_;
    Transfer transfer_;
    QLabel* status_;
    QProgressBar* bar_;
    QThread* worker_ = nullptr;
    bool transferring_ = false;
    std::optional<TransferOutcome> outcome_;
    std::optional<TransferStop> stop_;
};

// Runs each transfer in a DlgProgress over `owner`.
class ProgressDialogRunner : public TransferRunner {
public:
    ProgressDialogRunner(QWidget* owner, Prompts& prompts) : owner_(owner), prompts_(prompts) {}

    TransferResult run(bool isDownload, const Transfer& transfer) override;

private:
    QWidget* owner_;
    Prompts& prompts_;
};
