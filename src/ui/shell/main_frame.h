#pragma once

#include "core/commands/file_commands.h"
#include "core/device/hid_link.h"
#include "core/model/guid.h"
#include "core/res/string_table.h"
#include "core/rules/model_checks.h"
#include "ui/dialogs/dlg_progress.h"
#include "ui/shell/visual_style.h"

#include <QMainWindow>

#include <cstdint>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

class AppSettings;
class Autosave;
class BandPicture;
class COrbituneList;
class CSateChannelList;
class MainRibbon;
class PlanHistory;
class PlanList;
class QDockWidget;
class QSplitter;
class RecoveryFile;
class SkyView;
struct PanesView;

// The main window: the ribbon, a status bar with two panes, and a splitter
// with the plan pane on the left (a quarter of the width) and the transponder
// pane on the right. Every ribbon command goes to the active pane first (the
// pane that last had the focus; F6 and Shift+F6 switch it), then to this frame,
// then out through applicationCommand. Below the panes, docks the View
// category shows and hides hold the band picture of the current plan (it
// follows every change, undo and redo, highlights the bars of the selected
// TPs, and a click on a bar selects its row) and the sky view, where to point
// the dish at each plan from the site kept in the settings; the plan pane's
// pointing columns follow that site, and the View category's Pointing
// Columns shows or hides them all. Every change to the plans is a step of
// the frame's history that Undo and Redo walk; the title names the plans' file
// and marks unsaved changes, and closing with unsaved changes asks first.
class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    enum class Pane { Plans, Channels };
    static constexpr int kMinColumnWidth = 100;

    CMainFrame(PlanList& plans, HidLink& link, Prompts& prompts, AppSettings& settings, Language language,
               QWidget* parent = nullptr);
    ~CMainFrame() override;

    // Routes one command.
    void onCommand(int commandId);

    // Q36Checked turns on the Q36 checks of Download.
    DeviceType deviceType() const { return deviceType_; }
    Pane activePane() const { return activePane_; }
    int currentVisualStyle() const { return currentStyle_; }
    // The splitter columns' ideal widths set by the last resize.
    std::pair<int, int> idealColumnWidths() const { return idealWidths_; }

    // Replaces the plans with those of plan files (named on the command line or
    // chosen from the recent documents), offering first to save the plans
    // there are.
    void openFiles(const QStringList& paths);

    // Keeps a recovery copy of unsaved plans in `file` from now on.
    void watchUnsavedPlans(RecoveryFile& file);
    // Replaces the plans with those read from a recovery copy; they stay
    // unsaved. Without `nextPlanNumber` new plans are numbered on from the
    // count.
    void restorePlans(std::vector<CComonOrbitune> restored, std::optional<std::int32_t> nextPlanNumber);
    // The next close asks nothing and keeps the recovery copy of unsaved
    // plans (the editor is told to end by the system).
    void keepUnsavedOnClose() { keepUnsavedOnClose_ = true; }

    PlanHistory& history() { return *history_; }
    Autosave* autosave() { return autosave_.get(); }
    // The file the plans were last read from or saved to; empty when none.
    const QString& documentFile() const { return documentFile_; }

    MainRibbon& ribbon() { return *ribbon_; }
    COrbituneList& planPane() { return *planPane_; }
    CSateChannelList& channelPane() { return *channelPane_; }
    BandPicture& bandPicture() { return *bandPicture_; }
    QDockWidget& bandDock() { return *bandDock_; }
    SkyView& skyView() { return *skyView_; }
    QDockWidget& skyDock() { return *skyDock_; }

signals:
    // A command neither pane nor the frame serves.
    void applicationCommand(int commandId);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void createStatusBar(Language language);
    void createClientArea(Language language);
    void createPictures(Language language);
    // The band picture draws the TP pane's plan as it is now, the sky view
    // highlights it.
    void updatePictures();
    void showSelectedTps();
    void showPictureButtons();
    void showPointingColumns(bool shown);
    // A command of a pane's keys or context menu.
    void onPaneCommand(Pane pane, int commandId);
    void setActivePane(Pane pane);
    void switchPane(bool forward);
    void endOpenEdits();
    void clearPanes();
    // Both panes follow what changed in the plans: in `plan` alone, when it
    // is given.
    void followPlans(const std::optional<Guid>& plan);
    PanesView panesView() const;
    void showPanesView(const PanesView& view);
    void setDocumentFile(const QString& path);
    void updateTitle();
    bool mayReplaceUnsavedPlans();
    PlanFileHooks fileHooks();
    void onUpload();
    void onImport();
    MeterModel typeModel() const;
    MeterModel importModel() const;
    std::vector<Guid> chosenPlans() const;
    void onImportTable();
    void onExportTable();
    void onUpdateFromSource();
    void onTypeCombo();
    void onVisualStyle(int styleId);

    PlanList& plans_;
    HidLink& link_;
    Prompts& prompts_;
    AppSettings& settings_;
    ProgressDialogRunner transfers_;
    std::unique_ptr<PlanHistory> history_;
    std::unique_ptr<Autosave> autosave_;
    QString documentFile_;
    bool keepUnsavedOnClose_ = false;
    QSplitter* splitter_ = nullptr;
    MainRibbon* ribbon_ = nullptr;
    CSateChannelList* channelPane_ = nullptr;
    COrbituneList* planPane_ = nullptr;
    BandPicture* bandPicture_ = nullptr;
    QDockWidget* bandDock_ = nullptr;
    SkyView* skyView_ = nullptr;
    QDockWidget* skyDock_ = nullptr;
    bool splitterReady_ = false;
    DeviceType deviceType_ = DeviceType::Q36Checked;
    Pane activePane_ = Pane::Plans;
    int currentStyle_ = 0;
    VisualLook look_;
    std::pair<int, int> idealWidths_{0, 0};
};
