#include "ui/dialogs/update_dialog.h"

#include "core/import/table_source.h"
#include "core/res/string_ids.h"
#include "ui/dialogs/source_row.h"
#include "ui/text/qt_text.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QThread>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <memory>
#include <utility>

CDlgUpdate::CDlgUpdate(const PlanList& plans, std::vector<Guid> planIds, MeterModel model, Prompts& prompts,
                       QWidget* parent)
    : QDialog(parent), plans_(plans), planIds_(std::move(planIds)), model_(model), prompts_(prompts)
{
    setWindowTitle(text(msg::kUpdateTitle));
    source_ = new QLineEdit;
    auto* row = sourceRow(prompts_, source_, text(msg::kUpdateTitle), [this](const QString& path) { readFrom(path); });

    status_ = new QLabel;
    status_->setWordWrap(true);
    tree_ = new QTreeWidget;
    tree_->setHeaderLabels({text(msg::kUpdateNothing)});
    connect(tree_, &QTreeWidget::itemChanged, this, &CDlgUpdate::preview);
    notes_ = new QPlainTextEdit;
    notes_->setReadOnly(true);
    notes_->setMaximumHeight(120);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    update_ = buttons->button(QDialogButtonBox::Ok);
    update_->setText(text(msg::kUpdateApply));
    update_->setEnabled(false);
    buttons->button(QDialogButtonBox::Cancel)->setText(text(msg::kCancelButton));
    connect(buttons, &QDialogButtonBox::accepted, this, &CDlgUpdate::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CDlgUpdate::reject);

    auto* column = new QVBoxLayout(this);
    column->addLayout(row);
    column->addWidget(status_);
    column->addWidget(tree_, 1);
    column->addWidget(notes_);
    column->addWidget(buttons);
    resize(760, 560);
    readFrom(QString::fromStdString(defaultScanFolder().string()));
}

CDlgUpdate::~CDlgUpdate()
{
    if (reader_ != nullptr)
        reader_->wait();
}

QString CDlgUpdate::text(MessageId id, const std::vector<std::string>& args) const
{
    return qtText(prompts_.text(id, args));
}

void CDlgUpdate::readFrom(const QString& source)
{
    if (reader_ != nullptr) {
        pendingSource_ = source;
        return;
    }
    sourceRead({});
    source_->setText(source);
    status_->setText(text(msg::kImportReading, {coreText(source)}));
    auto listing = std::make_shared<SourceListing>();
    reader_ = QThread::create([listing, path = coreText(source), language = prompts_.language()] {
        *listing = readAnySource(path, language);
    });
    connect(reader_, &QThread::finished, this, [this, listing] {
        reader_->deleteLater();
        reader_ = nullptr;
        sourceRead(std::move(*listing));
        if (!pendingSource_.isEmpty())
            readFrom(std::exchange(pendingSource_, QString()));
    });
    reader_->start();
}

void CDlgUpdate::sourceRead(SourceListing listing)
{
    listing_ = std::move(listing);
    QStringList problems;
    for (const Notice& problem : listing_.problems)
        problems << qtText(noticeText(problem, prompts_.language()));
    status_->setText(problems.join(QLatin1Char('\n')));
    updates_.clear();
    const QSignalBlocker blocker(tree_);
    tree_->clear();
    for (const Guid& id : planIds_) {
        const CComonOrbitune* plan = plans_.findPlanById(id);
        if (plan == nullptr)
            continue;
        PlanUpdate update = planUpdate(*plan, listing_.satellites);
        auto* top = new QTreeWidgetItem(tree_);
        if (update.problem) {
            top->setText(
                0, text(msg::kUpdateRefused, {update.planName, noticeText(*update.problem, prompts_.language())}));
        } else {
            const auto count = [&update](TpDifference difference) {
                return std::to_string(std::ranges::count_if(
                    update.changes, [difference](const TpChange& change) { return change.kind == difference; }));
            };
            const OrbitalPosition where{static_cast<int>(std::lround(plan->longitude * 10.0F)), plan->isEast != 0};
            top->setText(0, text(msg::kUpdateSummary,
                                 {update.planName, positionText(where), update.satellite, count(TpDifference::Added),
                                  count(TpDifference::Removed), count(TpDifference::Changed)}));
            for (const std::string& line : changeLines(update)) {
                auto* child = new QTreeWidgetItem(top, {qtText(line)});
                child->setFlags(child->flags() | Qt::ItemIsUserCheckable);
                child->setCheckState(0, Qt::Checked);
            }
            top->setExpanded(true);
        }
        updates_.push_back(std::move(update));
    }
    preview();
}

// The plans as the ticks would leave them, what the model's limits leave out
// and the first plan its check refuses.
void CDlgUpdate::preview()
{
    result_.clear();
    QStringList lines;
    bool refused = false;
    for (std::size_t i = 0; i < updates_.size(); ++i) {
        const PlanUpdate& update = updates_[i];
        const QTreeWidgetItem* top = tree_->topLevelItem(static_cast<int>(i));
        std::vector<bool> taken;
        for (int k = 0; k < top->childCount(); ++k)
            taken.push_back(top->child(k)->checkState(0) == Qt::Checked);
        if (std::ranges::find(taken, true) == taken.end())
            continue;
        const CComonOrbitune* plan = plans_.findPlanById(update.plan);
        if (plan == nullptr)
            continue;
        const UpdatedPlan updated = applyUpdate(*plan, update, taken, model_, prompts_.language());
        for (const Notice& note : updated.notTaken)
            lines << qtText(noticeText(note, prompts_.language()));
        if (updated.refused) {
            lines.prepend(qtText(noticeText(*updated.refused, prompts_.language())));
            refused = true;
            continue;
        }
        result_.push_back(updated.plan);
    }
    notes_->setPlainText(lines.join(QLatin1Char('\n')));
    update_->setEnabled(!refused && !result_.empty());
}

void CDlgUpdate::accept()
{
    preview();
    if (update_->isEnabled())
        QDialog::accept();
}
