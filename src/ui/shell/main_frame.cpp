#include "ui/shell/main_frame.h"

#include "core/commands/transfer_commands.h"
#include "core/device/hid_link.h"
#include "core/editing/record_gate.h"
#include "core/editing/table_file.h"
#include "core/files/atomic_save.h"
#include "core/files/file_error_message.h"
#include "core/model/plan_list.h"
#include "core/pointing/plan_pointing.h"
#include "core/res/string_ids.h"
#include "ui/dialogs/dlg_progress.h"
#include "ui/dialogs/dlg_upgrade.h"
#include "ui/dialogs/import_dialog.h"
#include "ui/dialogs/update_dialog.h"
#include "ui/lists/orbitune_list.h"
#include "ui/lists/sate_channel_list.h"
#include "ui/pictures/band_picture.h"
#include "ui/pictures/sky_view.h"
#include "ui/shell/app_settings.h"
#include "ui/shell/autosave.h"
#include "ui/shell/command_ids.h"
#include "ui/shell/main_ribbon.h"
#include "ui/shell/pane_commands.h"
#include "ui/shell/panes_view.h"
#include "ui/shell/plan_history.h"
#include "ui/shell/recovery_file.h"
#include "ui/text/qt_text.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDockWidget>
#include <QFileInfo>
#include <QItemSelectionModel>
#include <QLabel>
#include <QResizeEvent>
#include <QShowEvent>
#include <QSplitter>
#include <QStatusBar>

#include <algorithm>
#include <cstdint>
#include <span>
#include <tuple>

namespace {

constexpr int kFirstStyle = 205;
constexpr int kLastStyle = 219;

} // namespace

CMainFrame::CMainFrame(PlanList& plans, HidLink& link, Prompts& prompts, AppSettings& settings, Language language,
                       QWidget* parent)
    : QMainWindow(parent), plans_(plans), link_(link), prompts_(prompts), settings_(settings), transfers_(this, prompts)
{
    onVisualStyle(settings_.applicationLook());

    ribbon_ = new MainRibbon(language, this);
    ribbon_->setStyleSheet(ribbonStyleSheet(look_));
    ribbon_->setCurrentStyle(currentStyle_);
    ribbon_->setRecentFiles(settings_.recentFiles());
    setMenuWidget(ribbon_);
    connect(ribbon_, &MainRibbon::recentFileChosen, this, [this](const QString& path) { openFiles({path}); });

    createStatusBar(language);

    // The Type combo shows "Q36" with no entry chosen, while the identity and
    // the device type are those of the empty entry.
    ribbon_->typeCombo()->setCurrentIndex(-1);
    ribbon_->typeCombo()->setEditText(QStringLiteral("Q36"));
    deviceType_ = DeviceType::Q36Checked;

    createClientArea(language);
    createPictures(language);
    connect(ribbon_, &MainRibbon::commandTriggered, this, &CMainFrame::onCommand);
    QUndoStack& steps = history_->stack();
    connect(&steps, &QUndoStack::cleanChanged, this, &CMainFrame::updateTitle);
    connect(&steps, &QUndoStack::canUndoChanged, this,
            [this](bool can) { ribbon_->setCommandEnabled(cmd::kUndo, can); });
    connect(&steps, &QUndoStack::canRedoChanged, this,
            [this](bool can) { ribbon_->setCommandEnabled(cmd::kRedo, can); });
    for (const auto& [id, label, textChanged] :
         {std::tuple{cmd::kUndo, msg::kLabelUndo, &QUndoStack::undoTextChanged},
          std::tuple{cmd::kRedo, msg::kLabelRedo, &QUndoStack::redoTextChanged}}) {
        ribbon_->setCommandEnabled(id, false);
        QAction* action = ribbon_->commandAction(id);
        const QString prefix = qtMessage(label, language);
        connect(&steps, textChanged, action, [action, prefix](const QString& step) {
            action->setToolTip(step.isEmpty() ? prefix : prefix + QLatin1Char(' ') + step);
        });
    }
    updateTitle();

    // F6 and Shift+F6 switch the panes, as actions of their own.
    for (const auto& [id, keys] : {std::pair{cmd::kNextPane, QKeySequence(Qt::Key_F6)},
                                   std::pair{cmd::kPreviousPane, QKeySequence(Qt::SHIFT | Qt::Key_F6)}}) {
        auto* action = new QAction(this);
        action->setObjectName(QString::fromLatin1(cmd::commandName(id)));
        action->setData(id);
        action->setShortcut(keys);
        addAction(action);
        connect(action, &QAction::triggered, this, [this, commandId = id] { onCommand(commandId); });
    }
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (now != nullptr && planPane_->isAncestorOf(now))
            setActivePane(Pane::Plans);
        else if (now != nullptr && channelPane_->isAncestorOf(now))
            setActivePane(Pane::Channels);
    });
    setActivePane(Pane::Plans);
}

// The history goes before the widgets its signals reach.
CMainFrame::~CMainFrame()
{
    QObject::disconnect(&history_->stack(), nullptr, nullptr, nullptr);
}

void CMainFrame::createStatusBar(Language language)
{
    auto* pane1 = new QLabel(qtMessage(msg::kPane1, language));
    auto* pane2 = new QLabel(qtMessage(msg::kPane2, language));
    pane1->setObjectName(QStringLiteral("pane1"));
    pane2->setObjectName(QStringLiteral("pane2"));
    statusBar()->addWidget(pane1);
    statusBar()->addPermanentWidget(pane2);
}

void CMainFrame::createClientArea(Language language)
{
    splitter_ = new QSplitter(Qt::Horizontal, this);
    splitter_->setChildrenCollapsible(false);
    channelPane_ = new CSateChannelList(plans_, prompts_);
    planPane_ = new COrbituneList(plans_, prompts_);
    connect(planPane_, &COrbituneList::currentPlanChosen, channelPane_, &CSateChannelList::showPlan);
    connect(planPane_, &COrbituneList::currentPlanCleared, channelPane_,
            [this] { channelPane_->setCurrentPlan(std::nullopt); });
    history_ = std::make_unique<PlanHistory>(
        plans_,
        PlanHistory::ViewHooks{[this] { return panesView(); }, [this](const PanesView& view) { showPanesView(view); },
                               [this](const std::optional<Guid>& plan) { followPlans(plan); }});
    planPane_->setPlanChanges(history_.get());
    channelPane_->setPlanChanges(history_.get());
    connect(planPane_, &COrbituneList::plansRemoved, channelPane_, &CSateChannelList::forgetRemovedPlan);
    addPaneCommands(*planPane_, planPane_->listControl(), language, listCommands(cmd::kPlanAdd, cmd::kSelectAllPlans),
                    [this](int id) { onPaneCommand(Pane::Plans, id); });
    std::vector<int> channelCommands = listCommands(cmd::kChannelAdd, cmd::kSelectAllChannels);
    channelCommands.push_back(cmd::kRemoveDuplicates);
    addPaneCommands(*channelPane_, channelPane_->listControl(), language, channelCommands,
                    [this](int id) { onPaneCommand(Pane::Channels, id); });
    planPane_->setMinimumWidth(kMinColumnWidth);
    channelPane_->setMinimumWidth(kMinColumnWidth);
    splitter_->addWidget(planPane_);
    splitter_->addWidget(channelPane_);
    setCentralWidget(splitter_);
    splitterReady_ = true;
}

// The band picture reads the plans and the TP pane's plan and selection; it
// is laid out again after every step made, undone or redone, and whenever the
// TP pane shows another plan.
void CMainFrame::createPictures(Language language)
{
    bandPicture_ = new BandPicture(plans_, language);
    bandDock_ = new QDockWidget(qtMessage(msg::kBandPicture, language), this);
    bandDock_->setObjectName(QStringLiteral("bandPictureDock"));
    bandDock_->setWidget(bandPicture_);
    addDockWidget(Qt::BottomDockWidgetArea, bandDock_);

    connect(&history_->stack(), &QUndoStack::indexChanged, this, &CMainFrame::updatePictures);
    connect(planPane_, &COrbituneList::currentPlanChosen, this, &CMainFrame::updatePictures);
    connect(planPane_, &COrbituneList::currentPlanCleared, this, &CMainFrame::updatePictures);
    connect(planPane_, &COrbituneList::plansRemoved, this, &CMainFrame::updatePictures);
    connect(channelPane_->listControl().selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &CMainFrame::showSelectedTps);
    connect(bandPicture_, &BandPicture::tpClicked, this, [this](const Guid& tp) {
        endOpenEdits();
        channelPane_->listControl().selectIds({tp});
        channelPane_->listControl().setFocus(Qt::MouseFocusReason);
    });

    // The sky view beside it, hidden until the View category shows it; the
    // site, the cities added and the columns hidden go to the settings.
    skyView_ = new SkyView(plans_, language);
    skyView_->setUserCities(settings_.userCities());
    skyView_->setHiddenColumns(settings_.hiddenPointingColumns());
    skyView_->setSite(settings_.site());
    skyDock_ = new QDockWidget(qtMessage(msg::kSkyView, language), this);
    skyDock_->setObjectName(QStringLiteral("skyViewDock"));
    skyDock_->setWidget(skyView_);
    addDockWidget(Qt::BottomDockWidgetArea, skyDock_);
    splitDockWidget(bandDock_, skyDock_, Qt::Horizontal);
    skyDock_->hide();
    connect(skyView_, &SkyView::siteChosen, this, [this](const Site& site) {
        settings_.setSite(site);
        planPane_->setPointingSite(site);
    });
    connect(skyView_, &SkyView::userCitiesChanged, this,
            [this](const std::vector<NamedSite>& cities) { settings_.setUserCities(cities); });
    connect(skyView_, &SkyView::hiddenColumnsChanged, this,
            [this](const std::vector<int>& columns) { settings_.setHiddenPointingColumns(columns); });

    // The plan pane's pointing columns are worked out from the same site.
    planPane_->setPointingSite(settings_.site());
    planPane_->setHiddenPointingColumns(settings_.hiddenPlanPointingColumns());
    connect(planPane_, &COrbituneList::hiddenPointingColumnsChanged, this, [this](const std::vector<int>& figures) {
        settings_.setHiddenPlanPointingColumns(figures);
        showPictureButtons();
    });

    for (const auto& [id, dock] : {std::pair{cmd::kShowBandPicture, bandDock_}, std::pair{cmd::kShowSkyView, skyDock_}})
        connect(dock->toggleViewAction(), &QAction::toggled, ribbon_->commandAction(id), &QAction::setChecked);
    showPictureButtons();
}

// The docks' own actions follow them once the window is shown; before that
// (the window state just restored) the buttons ask the docks.
void CMainFrame::showPictureButtons()
{
    ribbon_->commandAction(cmd::kShowBandPicture)->setChecked(bandDock_->isVisibleTo(this));
    ribbon_->commandAction(cmd::kShowSkyView)->setChecked(skyDock_->isVisibleTo(this));
    ribbon_->commandAction(cmd::kShowPointingColumns)
        ->setChecked(planPane_->hiddenPointingColumns().size() < kPointingFigures.size());
}

// Pointing Columns shows them all, or hides them all when any showed.
void CMainFrame::showPointingColumns(bool shown)
{
    std::vector<int> hidden;
    for (std::size_t figure = 0; !shown && figure < kPointingFigures.size(); ++figure)
        hidden.push_back(static_cast<int>(figure));
    planPane_->setHiddenPointingColumns(hidden);
    settings_.setHiddenPlanPointingColumns(hidden);
    showPictureButtons();
}

void CMainFrame::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    showPictureButtons();
}

void CMainFrame::updatePictures()
{
    bandPicture_->showPlan(channelPane_->currentPlan());
    skyView_->showPlan(channelPane_->currentPlan());
    showSelectedTps();
}

void CMainFrame::showSelectedTps()
{
    bandPicture_->setSelectedTps(channelPane_->listControl().selectedIds());
}

namespace {

// The list commands both panes serve alike.
template <typename Pane> void runListCommand(Pane& pane, int commandId)
{
    switch (commandId) {
    case cmd::kCut:
        pane.cutSelected();
        return;
    case cmd::kCopy:
        pane.copySelected();
        return;
    case cmd::kPaste:
        pane.paste();
        return;
    case cmd::kDuplicate:
        pane.duplicateSelected();
        return;
    case cmd::kDeleteRows:
        pane.deleteSelected();
        return;
    case cmd::kMoveUp:
        pane.moveSelected(MoveStep::Up);
        return;
    case cmd::kMoveDown:
        pane.moveSelected(MoveStep::Down);
        return;
    case cmd::kSelectAllPlans:
    case cmd::kSelectAllChannels:
        pane.ToggleSelectAll();
        return;
    case cmd::kFind:
        pane.find();
        return;
    default:
        return;
    }
}

} // namespace

void CMainFrame::onPaneCommand(Pane pane, int commandId)
{
    if (commandId == cmd::kPlanAdd || commandId == cmd::kChannelAdd || commandId == cmd::kRemoveDuplicates) {
        onCommand(commandId);
        return;
    }
    // A cell being edited is committed before any command acts on the plans.
    endOpenEdits();
    if (pane == Pane::Plans)
        runListCommand(*planPane_, commandId);
    else
        runListCommand(*channelPane_, commandId);
}

void CMainFrame::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    if (!splitterReady_)
        return;
    const int width = event->size().width();
    idealWidths_ = {width / 4, 3 * width / 4};
    splitter_->setSizes(
        {std::max(idealWidths_.first, kMinColumnWidth), std::max(idealWidths_.second, kMinColumnWidth)});
}

void CMainFrame::setActivePane(Pane pane)
{
    activePane_ = pane;
    // Each Select All reaches only its own pane, so the other one has no
    // handler and shows disabled.
    ribbon_->setCommandEnabled(cmd::kSelectAllPlans, pane == Pane::Plans);
    ribbon_->setCommandEnabled(cmd::kSelectAllChannels, pane == Pane::Channels);
}

// From the ribbon the keyboard goes to the plan pane first (Shift+F6: the TP
// pane); from a pane, to the other one.
void CMainFrame::switchPane(bool forward)
{
    const QWidget* focus = QApplication::focusWidget();
    Pane next = activePane_ == Pane::Plans ? Pane::Channels : Pane::Plans;
    if (focus != nullptr && ribbon_->isAncestorOf(focus))
        next = forward ? Pane::Plans : Pane::Channels;
    setActivePane(next);
    if (next == Pane::Plans)
        planPane_->listControl().setFocus(Qt::ShortcutFocusReason);
    else
        channelPane_->listControl().setFocus(Qt::ShortcutFocusReason);
}

void CMainFrame::endOpenEdits()
{
    planPane_->listControl().endOpenEdit();
    channelPane_->listControl().endOpenEdit();
}

void CMainFrame::clearPanes()
{
    planPane_->removeAllRows();
    channelPane_->removeAllRows();
    channelPane_->setCurrentPlan(std::nullopt);
    updatePictures();
}

void CMainFrame::followPlans(const std::optional<Guid>& plan)
{
    if (!plan) {
        planPane_->followRecords();
        channelPane_->followRecords();
        return;
    }
    planPane_->followRecord(*plan);
    if (channelPane_->currentPlan() == plan)
        channelPane_->followRecords();
}

PanesView CMainFrame::panesView() const
{
    return {planPane_->listControl().view(), channelPane_->listControl().view(), channelPane_->currentPlan(),
            planPane_->nextPlanNumber()};
}

// The plan pane first: the TP pane then shows its own view whatever the plan
// pane's rows did.
void CMainFrame::showPanesView(const PanesView& view)
{
    planPane_->followRecords();
    planPane_->showView(view.plans);
    planPane_->setNextPlanNumber(view.nextPlanNumber);
    channelPane_->showView(view.currentPlan, view.channels);
}

void CMainFrame::setDocumentFile(const QString& path)
{
    documentFile_ = path;
    updateTitle();
}

// "two_plans.gnr - Orbitune", or "Orbitune" without a file; a "*" after the
// name marks unsaved changes.
void CMainFrame::updateTitle()
{
    const QString application = qtText(prompts_.text(msg::kAppTitle));
    setWindowTitle(documentFile_.isEmpty()
                       ? application + QStringLiteral("[*]")
                       : QFileInfo(documentFile_).fileName() + QStringLiteral("[*] - ") + application);
    setWindowModified(history_->isModified());
}

void CMainFrame::watchUnsavedPlans(RecoveryFile& file)
{
    autosave_ = std::make_unique<Autosave>(*history_, plans_, file);
    // Told once, until a copy is written again; the status bar keeps it. An
    // editor the system ends waits for nobody.
    connect(autosave_.get(), &Autosave::writeFailed, this, [this](const FileError& error, bool first) {
        const std::vector<std::string> args{error.path, error.reason};
        statusBar()->showMessage(qtText(prompts_.text(msg::kRecoveryCopyFailed, args)));
        if (first && !keepUnsavedOnClose_)
            prompts_.tell(PromptOwner::MainWindow, msg::kRecoveryCopyFailed, args);
    });
}

void CMainFrame::restorePlans(std::vector<CComonOrbitune> restored, std::optional<std::int32_t> nextPlanNumber)
{
    clearPanes();
    plans_.removeAll();
    plans_.appendAll(std::move(restored));
    planPane_->setNextPlanNumber(nextPlanNumber.value_or(plans_.count()));
    planPane_->RefreshPlanList();
    setDocumentFile({});
    history_->restart(false);
    updatePictures();
}

// Unsaved plans are settled (saved, or given up) before anything replaces
// them; false keeps them. Open edits are already committed.
bool CMainFrame::mayReplaceUnsavedPlans()
{
    return !history_->isModified() || settleUnsavedPlans(plans_, prompts_, fileHooks());
}

PlanFileHooks CMainFrame::fileHooks()
{
    PlanFileHooks hooks;
    hooks.clearRows = [this] {
        planPane_->removeAllRows();
        channelPane_->removeAllRows();
    };
    hooks.refreshPlanPane = [this] { planPane_->RefreshPlanList(); };
    hooks.clearCurrentPlan = [this] { channelPane_->setCurrentPlan(std::nullopt); };
    hooks.setNextPlanNumber = [this](int number) { planPane_->setNextPlanNumber(number); };
    hooks.addRecentFile = [this](const std::string& path) {
        settings_.addRecentFile(qtText(path));
        ribbon_->setRecentFiles(settings_.recentFiles());
    };
    hooks.replaced = [this](const std::string& path) {
        history_->restart(true);
        setDocumentFile(qtText(path));
        updatePictures();
    };
    hooks.stored = [this](const std::string& path) {
        history_->markSaved();
        setDocumentFile(qtText(path));
    };
    return hooks;
}

void CMainFrame::openFiles(const QStringList& paths)
{
    endOpenEdits();
    offerToSavePlans(plans_, prompts_, fileHooks());
    std::vector<std::string> chosen;
    for (const QString& path : paths)
        chosen.push_back(coreText(path));
    openChosenFiles(plans_, prompts_, chosen, fileHooks());
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    endOpenEdits();
    if (!keepUnsavedOnClose_ && !mayReplaceUnsavedPlans()) {
        event->ignore();
        return;
    }
    if (autosave_)
        autosave_->finish(keepUnsavedOnClose_);
    settings_.setWindowGeometry(saveGeometry(), saveState());
    QMainWindow::closeEvent(event);
}

void CMainFrame::onCommand(int commandId)
{
    // A cell being edited is committed before any command acts on the plans.
    endOpenEdits();
    switch (commandId) {
    case cmd::kNextPane:
    case cmd::kPreviousPane:
        switchPane(commandId == cmd::kNextPane);
        return;
    case cmd::kSelectAllPlans:
        if (activePane_ == Pane::Plans)
            planPane_->ToggleSelectAll();
        return;
    case cmd::kSelectAllChannels:
        if (activePane_ == Pane::Channels)
            channelPane_->ToggleSelectAll();
        return;
    case cmd::kPlanAdd:
        planPane_->AddPlan();
        return;
    case cmd::kPlanDelete:
        history_->make(qtText(prompts_.text(msg::kLabelDeletePlan)), [this] {
            planPane_->DeletePlans();
            channelPane_->removeAllRows();
        });
        return;
    case cmd::kChannelAdd:
        channelPane_->AddChannel();
        return;
    case cmd::kChannelDelete:
        channelPane_->DeleteCheckedChannels();
        return;
    case cmd::kRemoveDuplicates:
        channelPane_->RemoveDuplicateChannels();
        return;
    case cmd::kOpen:
        openPlans(plans_, prompts_, fileHooks());
        return;
    case cmd::kImport:
        onImport();
        return;
    case cmd::kImportTable:
        onImportTable();
        return;
    case cmd::kExportTable:
        onExportTable();
        return;
    case cmd::kUpdateFromSource:
        onUpdateFromSource();
        return;
    case cmd::kSaveSelect:
        // Saving renumbers the saved plans: a step of its own.
        history_->make(qtText(prompts_.text(msg::kLabelSaveSelect)),
                       [this] { saveSelected(plans_, prompts_, planPane_->checkedPlanIds(), fileHooks()); });
        return;
    case cmd::kSaveAll:
        saveAll(plans_, prompts_, fileHooks());
        return;
    case cmd::kTypeCombo:
        onTypeCombo();
        return;
    case cmd::kDownload:
        // The meter holding the plans is no file holding them: they stay as
        // saved or unsaved as they were.
        downloadPlans(plans_, link_, prompts_, transfers_, deviceType_);
        return;
    case cmd::kUpload:
        onUpload();
        return;
    case cmd::kUndo:
        history_->stack().undo();
        return;
    case cmd::kRedo:
        history_->stack().redo();
        return;
    case cmd::kUpgrade:
        onUpgrade(this, link_, prompts_);
        return;
    case cmd::kShowBandPicture:
        bandDock_->setVisible(ribbon_->commandAction(cmd::kShowBandPicture)->isChecked());
        return;
    case cmd::kShowSkyView:
        skyDock_->setVisible(ribbon_->commandAction(cmd::kShowSkyView)->isChecked());
        return;
    case cmd::kShowPointingColumns:
        showPointingColumns(ribbon_->commandAction(cmd::kShowPointingColumns)->isChecked());
        return;
    default:
        if (commandId >= kFirstStyle && commandId <= kLastStyle)
            onVisualStyle(commandId);
        else
            emit applicationCommand(commandId);
    }
}

// Only a whole upload replaces the plans: no earlier step can be undone, and
// since no file holds them they count as unsaved. A failed upload leaves the
// plans, the panes, the steps and the recovery copy as they were.
void CMainFrame::onUpload()
{
    const UploadHooks hooks{[this] { return mayReplaceUnsavedPlans(); }, [this] { clearPanes(); },
                            [this] { planPane_->RefreshPlanList(); }};
    if (uploadPlans(plans_, link_, prompts_, transfers_, hooks) == TransferOutcome::Succeeded) {
        setDocumentFile({});
        history_->restart(false);
        updatePictures();
    }
}

// The plans the Import dialog makes go to the end of the list, or its TPs into
// the current plan: one step.
void CMainFrame::onImport()
{
    const std::optional<Guid> current = channelPane_->currentPlan();
    CDlgImport dialog(plans_, current ? plans_.findPlanById(*current) : nullptr, planPane_->nextPlanNumber(),
                      importModel(), prompts_, this);
    const int answer = dialog.exec();
    settings_.setImportModel(typeModel(), dialog.chosenModel());
    if (answer != QDialog::Accepted)
        return;
    const CDlgImport::Result& result = dialog.result();
    history_->make(qtText(prompts_.text(msg::kLabelImport)), [this, &result] {
        for (const CComonOrbitune& plan : result.newPlans)
            plans_.append(plan);
        if (result.changedPlan)
            if (CComonOrbitune* plan = plans_.findPlanById(result.changedPlan->id))
                *plan = *result.changedPlan;
        planPane_->setNextPlanNumber(result.nextPlanNumber);
    });
}

// The model the ribbon's Type names: the Q36 while the Type reads "Q36" (as
// it does from the start), General when it is empty.
MeterModel CMainFrame::typeModel() const
{
    const bool q36 = ribbon_ != nullptr &&
                     ribbon_->typeCombo()->currentText().trimmed() == QLatin1String(modelName(MeterModel::Q36));
    return q36 ? MeterModel::Q36 : MeterModel::General;
}

// The model last chosen in the Import dialog under the Type as it is now,
// kept in the settings from one run to the next, or else the Type's own.
MeterModel CMainFrame::importModel() const
{
    const MeterModel type = typeModel();
    return settings_.importModel(type).value_or(type);
}

// The ticked plans, or else the plan whose TPs the editor shows.
std::vector<Guid> CMainFrame::chosenPlans() const
{
    std::vector<Guid> ids = planPane_->checkedPlanIds();
    if (ids.empty())
        if (const std::optional<Guid> current = channelPane_->currentPlan())
            ids.push_back(*current);
    return ids;
}

// The TPs of a CSV or tab-separated file go into the plan whose TPs the editor
// shows, through the same rules as a paste: one step.
void CMainFrame::onImportTable()
{
    const std::optional<Guid> current = channelPane_->currentPlan();
    const CComonOrbitune* plan = current ? plans_.findPlanById(*current) : nullptr;
    if (plan == nullptr) {
        prompts_.tell(PromptOwner::ChannelPane, msg::kSelectPlan);
        return;
    }
    FileDialogOptions options;
    options.title = prompts_.text(msg::kLabelImportTable);
    options.filter = prompts_.text(msg::kTableFiles) + " (*.csv;*.tsv;*.txt)|*.csv;*.tsv;*.txt||";
    const std::vector<std::string> files = prompts_.chooseOpenFiles(PromptOwner::ChannelPane, options);
    if (files.empty())
        return;
    const auto room =
        static_cast<std::size_t>(CComonOrbitune::kTpLimit - std::min(plan->channelCount, CComonOrbitune::kTpLimit));
    const TableFileTps read = tableFileTps(files.front(), room, prompts_.language());
    if (read.failure) {
        prompts_.tell(PromptOwner::ChannelPane, read.failure->message, read.failure->args);
        return;
    }
    const Admitted<SateChannel> admitted = admitChannels(read.tps, *plan);
    if (admitted.refusal) {
        const Notice notice = refusalNotice(*admitted.refusal, msg::kImportRefused, prompts_.language());
        prompts_.tell(PromptOwner::ChannelPane, notice.message, notice.args);
        return;
    }
    const Guid id = plan->id;
    history_->make(qtText(prompts_.text(msg::kLabelImportTable)), [this, &admitted, id] {
        if (CComonOrbitune* into = plans_.findPlanById(id))
            for (const SateChannel& tp : admitted.records) {
                ++into->channelsAdded;
                into->appendChannel(tp);
            }
        channelPane_->RefreshChannelList();
    });
    for (const Notice& note : read.notes)
        prompts_.tell(PromptOwner::ChannelPane, note.message, note.args);
}

// The TPs of the chosen plans as a CSV file a spreadsheet opens.
void CMainFrame::onExportTable()
{
    const std::vector<Guid> ids = chosenPlans();
    if (ids.empty()) {
        prompts_.tell(PromptOwner::PlanPane, msg::kNoPlanChosen);
        return;
    }
    FileDialogOptions options;
    options.title = prompts_.text(msg::kLabelExportTable);
    options.filter = "CSV (*.csv)|*.csv||";
    options.defaultSuffix = "csv";
    options.confirmOverwrite = true;
    const std::string file = prompts_.chooseSaveFile(PromptOwner::PlanPane, options);
    if (file.empty())
        return;
    const std::string text = plansTpsTable(plans_, ids);
    const SaveResult saved =
        saveFileAtomically(file, std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
    if (!saved.ok()) {
        const Notice message = fileErrorMessage(*saved.error);
        prompts_.tell(PromptOwner::PlanPane, message.message, message.args);
    }
}

// The chosen plans brought up to date with a source, as the dialog's ticks
// say: one step.
void CMainFrame::onUpdateFromSource()
{
    std::vector<Guid> ids = chosenPlans();
    if (ids.empty()) {
        prompts_.tell(PromptOwner::PlanPane, msg::kNoPlanChosen);
        return;
    }
    CDlgUpdate dialog(plans_, std::move(ids), importModel(), prompts_, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const std::vector<CComonOrbitune>& updated = dialog.result();
    history_->make(qtText(prompts_.text(msg::kLabelUpdateFromSource)), [this, &updated] {
        for (const CComonOrbitune& plan : updated)
            if (CComonOrbitune* had = plans_.findPlanById(plan.id))
                *had = plan;
        planPane_->RefreshPlanList();
        channelPane_->RefreshChannelList();
    });
}

void CMainFrame::onTypeCombo()
{
    const int index = ribbon_->typeCombo()->currentIndex();
    if (index < 0 || index >= static_cast<int>(kMeterIdentities.size()))
        return;
    const MeterIdentity& identity = kMeterIdentities[static_cast<std::size_t>(index)];
    link_.setIdentity(identity);
    deviceType_ = identity.deviceType;
}

void CMainFrame::onVisualStyle(int styleId)
{
    currentStyle_ = styleId;
    look_ = visualLookFor(styleId, look_.scheme);
    applyVisualLook(look_, ribbon_);
    if (ribbon_ != nullptr)
        ribbon_->setCurrentStyle(styleId);
    settings_.setApplicationLook(styleId);
}
