#include "ui/shell/main_frame.h"

#include "core/commands/transfer_commands.h"
#include "core/device/hid_link.h"
#include "core/model/plan_list.h"
#include "core/res/string_ids.h"
#include "ui/dialogs/dlg_progress.h"
#include "ui/dialogs/dlg_upgrade.h"
#include "ui/lists/sate_channel_list.h"
#include "ui/shell/app_settings.h"
#include "ui/shell/command_ids.h"
#include "ui/shell/main_ribbon.h"
#include "ui/shell/orbitune_list.h"
#include "ui/text/qt_text.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QResizeEvent>
#include <QSplitter>
#include <QStatusBar>

namespace {

constexpr int kFirstStyle = 205;
constexpr int kLastStyle = 219;

} // namespace

CMainFrame::CMainFrame(PlanList& plans, HidLink& link, Prompts& prompts, AppSettings& settings, Language language,
                       QWidget* parent)
    : QMainWindow(parent), plans_(plans), link_(link), prompts_(prompts), settings_(settings), transfers_(this, prompts)
{
    setWindowTitle(qtMessage(msg::kAppTitle, language));
    onVisualStyle(settings_.applicationLook());

    ribbon_ = new MainRibbon(language, this);
    ribbon_->setStyleSheet(ribbonStyleSheet(look_));
    ribbon_->setCurrentStyle(currentStyle_);
    ribbon_->setRecentFiles(settings_.recentFiles());
    setMenuWidget(ribbon_);
    connect(ribbon_, &MainRibbon::commandTriggered, this, &CMainFrame::onCommand);
    connect(ribbon_, &MainRibbon::recentFileChosen, this, [this](const QString& path) { openFiles({path}); });

    createStatusBar(language);

    // The Type combo shows "Q36" with no entry chosen, while the identity and
    // the device type are those of the empty entry.
    ribbon_->typeCombo()->setCurrentIndex(-1);
    ribbon_->typeCombo()->setEditText(QStringLiteral("Q36"));
    deviceType_ = DeviceType::Q36Checked;

    createClientArea();

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

CMainFrame::~CMainFrame() = default;

void CMainFrame::createStatusBar(Language language)
{
    auto* pane1 = new QLabel(qtMessage(msg::kPane1, language));
    auto* pane2 = new QLabel(qtMessage(msg::kPane2, language));
    pane1->setObjectName(QStringLiteral("pane1"));
    pane2->setObjectName(QStringLiteral("pane2"));
    statusBar()->addWidget(pane1);
    statusBar()->addPermanentWidget(pane2);
}

void CMainFrame::createClientArea()
{
    splitter_ = new QSplitter(Qt::Horizontal, this);
    splitter_->setChildrenCollapsible(false);
    channelPane_ = new CSateChannelList(plans_, prompts_);
    planPane_ = new COrbituneList(plans_, prompts_);
    connect(planPane_, &COrbituneList::currentPlanChosen, channelPane_, &CSateChannelList::showPlan);
    connect(planPane_, &COrbituneList::currentPlanCleared, channelPane_,
            [this] { channelPane_->setCurrentPlan(std::nullopt); });
    planPane_->setMinimumWidth(kMinColumnWidth);
    channelPane_->setMinimumWidth(kMinColumnWidth);
    splitter_->addWidget(planPane_);
    splitter_->addWidget(channelPane_);
    setCentralWidget(splitter_);
    splitterReady_ = true;
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

void CMainFrame::switchPane()
{
    const Pane next = activePane_ == Pane::Plans ? Pane::Channels : Pane::Plans;
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
    planPane_->listControl().removeAllRows();
    channelPane_->removeAllRows();
    channelPane_->setCurrentPlan(std::nullopt);
}

PlanFileHooks CMainFrame::fileHooks()
{
    PlanFileHooks hooks;
    hooks.clearRows = [this] {
        planPane_->listControl().removeAllRows();
        channelPane_->removeAllRows();
    };
    hooks.refreshPlanPane = [this] { planPane_->RefreshPlanList(); };
    hooks.clearCurrentPlan = [this] { channelPane_->setCurrentPlan(std::nullopt); };
    hooks.setNextPlanNumber = [this](int number) { planPane_->setNextPlanNumber(number); };
    hooks.addRecentFile = [this](const std::string& path) {
        settings_.addRecentFile(qtText(path));
        ribbon_->setRecentFiles(settings_.recentFiles());
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
        switchPane();
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
        planPane_->DeletePlans();
        channelPane_->removeAllRows();
        return;
    case cmd::kChannelAdd:
        channelPane_->AddChannel();
        return;
    case cmd::kChannelDelete:
        channelPane_->DeleteCheckedChannels();
        return;
    case cmd::kOpen:
        openPlans(plans_, prompts_, fileHooks());
        return;
    case cmd::kSaveSelect:
        saveSelected(plans_, prompts_, planPane_->checkedPlanIds(), fileHooks());
        return;
    case cmd::kSaveAll:
        saveAll(plans_, prompts_, fileHooks());
        return;
    case cmd::kTypeCombo:
        onTypeCombo();
        return;
    case cmd::kDownload:
        downloadPlans(plans_, link_, prompts_, transfers_, deviceType_);
        return;
    case cmd::kUpload:
        uploadPlans(
            plans_, link_, prompts_, transfers_, [this] { clearPanes(); }, [this] { planPane_->RefreshPlanList(); });
        return;
    case cmd::kUpgrade:
        onUpgrade(this, link_, prompts_);
        return;
    default:
        if (commandId >= kFirstStyle && commandId <= kLastStyle)
            onVisualStyle(commandId);
        else
            emit applicationCommand(commandId);
    }
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
