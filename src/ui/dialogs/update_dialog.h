#pragma once

#include "core/commands/prompts.h"
#include "core/import/import_source.h"
#include "core/import/plan_update.h"
#include "core/model/plan_list.h"

#include <QDialog>

#include <vector>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QThread;
class QTreeWidget;

// The Update from Source dialog: the plans it is given matched with the
// satellites of a source (the distribution's DVBv5 scan tables, another
// folder or scan file, a satellites.xml or a table file), each with the TPs
// the source adds, removes and changes, ticked to take. Nothing changes until
// Update; the updated plans are in result() once the dialog is accepted. The
// source is read on a worker thread.
class CDlgUpdate : public QDialog {
    Q_OBJECT
public:
    CDlgUpdate(const PlanList& plans, std::vector<Guid> planIds, MeterModel model, Prompts& prompts,
               QWidget* parent = nullptr);
    ~CDlgUpdate() override;

    // The plans as Update leaves them: those with a change taken.
    const std::vector<CComonOrbitune>& result() const { return result_; }

    void readFrom(const QString& source);
    bool reading() const { return reader_ != nullptr; }

    // A top-level item per plan, a ticked child per difference.
    QTreeWidget* changeTree() const { return tree_; }
    QPlainTextEdit* notesBox() const { return notes_; }
    QPushButton* updateButton() const { return update_; }

private:
    void sourceRead(SourceListing listing);
    void preview();
    void accept() override;
    QString text(MessageId id, const std::vector<std::string>& args = {}) const;

    const PlanList& plans_;
    std::vector<Guid> planIds_;
    MeterModel model_;
    Prompts& prompts_;
    SourceListing listing_;
    std::vector<PlanUpdate> updates_; // one per plan id, in order
    std::vector<CComonOrbitune> result_;
    QThread* reader_ = nullptr;
    QString pendingSource_;

    QLineEdit* source_ = nullptr;
    QLabel* status_ = nullptr;
    QTreeWidget* tree_ = nullptr;
    QPlainTextEdit* notes_ = nullptr;
    QPushButton* update_ = nullptr;
};
