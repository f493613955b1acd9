#pragma once

#include "core/commands/prompts.h"
#include "core/import/import_source.h"
#include "core/import/plan_import.h"
#include "core/model/comon_orbitune.h"
#include "core/model/plan_list.h"

#include <QDialog>

#include <optional>
#include <vector>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QTableWidget;
class QThread;

// The Import dialog: the satellites of a source (the distribution's DVBv5 scan
// tables, another folder or scan file, or a satellites.xml) with a search box,
// the TPs of the selected satellite with check boxes and filters by band,
// polarization and system, the model the plans are meant for, and what will be
// left out and why. The source is read on a worker thread, so the dialog shows
// at once. What Import adds is ready in result() once the dialog is accepted.
class CDlgImport : public QDialog {
    Q_OBJECT
public:
    // `currentPlan` is the plan whose TPs the editor shows, if any: the
    // checked TPs may go into it instead of new plans. The Model drop-down
    // starts at `model`.
    CDlgImport(const PlanList& plans, const CComonOrbitune* currentPlan, std::int32_t nextPlanNumber, MeterModel model,
               Prompts& prompts, QWidget* parent = nullptr);
    ~CDlgImport() override;

    struct Result {
        std::vector<CComonOrbitune> newPlans;      // to append to the list
        std::optional<CComonOrbitune> changedPlan; // the current plan with the TPs added
        std::int32_t nextPlanNumber = 0;
    };
    const Result& result() const { return result_; }

    // Reads another source; the satellites shown so far go. Asked while a
    // source is read, it reads once that one is done.
    void readFrom(const QString& source);
    bool reading() const { return reader_ != nullptr; }

    QTableWidget* satelliteTable() const { return satellites_; }
    QTableWidget* tpTable() const { return tps_; }
    QLineEdit* searchBox() const { return search_; }
    QComboBox* modelCombo() const { return model_; }
    MeterModel chosenModel() const;
    QRadioButton* intoCurrentPlan() const { return intoCurrent_; }
    QPlainTextEdit* leftOutBox() const { return leftOut_; }
    QPushButton* importButton() const { return import_; }
    // The band, polarization and system filters, each ticked at first.
    QList<QCheckBox*> filters() const { return filters_; }

private:
    void buildLayout();
    void sourceRead(SourceListing listing);
    void showSatellites();
    void showTps();
    void applySearch();
    void tpTicked(int row);
    void satelliteTicked(int row);
    bool tpPasses(const SourceTp& tp) const;
    // The checked satellites with their checked TPs that pass the filters.
    std::vector<Satellite> chosen() const;
    void preview();
    void accept() override;
    QString text(MessageId id, const std::vector<std::string>& args = {}) const;

    const PlanList& plans_;
    std::optional<CComonOrbitune> currentPlan_;
    std::int32_t nextPlanNumber_;
    Prompts& prompts_;
    SourceListing listing_;
    // Per satellite: whether it is checked, and per TP whether it is checked.
    std::vector<bool> satelliteChecked_;
    std::vector<std::vector<bool>> tpChecked_;
    int shownSatellite_ = -1;
    Result result_;
    QThread* reader_ = nullptr;
    QString pendingSource_;

    QLineEdit* source_ = nullptr;
    QLabel* status_ = nullptr;
    QProgressBar* busy_ = nullptr;
    QLineEdit* search_ = nullptr;
    QTableWidget* satellites_ = nullptr;
    QTableWidget* tps_ = nullptr;
    QList<QCheckBox*> filters_;
    QComboBox* model_ = nullptr;
    QRadioButton* intoNew_ = nullptr;
    QRadioButton* intoCurrent_ = nullptr;
    QPlainTextEdit* leftOut_ = nullptr;
    QPushButton* import_ = nullptr;
};
