#include "ui/shell/main_ribbon.h"

#include "core/res/string_ids.h"
#include "ui/shell/command_ids.h"
#include "ui/shell/ribbon_panel.h"
#include "ui/text/qt_text.h"

#include <QAction>
#include <QActionGroup>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QStyle>

#include <array>
#include <utility>

namespace {

struct ButtonLook {
    int id;
    const char* themeIcon;
    QStyle::StandardPixmap fallback;
};

constexpr std::array kFileButtons{
    ButtonLook{cmd::kOpen, "document-open", QStyle::SP_DialogOpenButton},
    ButtonLook{cmd::kImport, "document-import", QStyle::SP_DriveNetIcon},
    ButtonLook{cmd::kSaveSelect, "document-save", QStyle::SP_DialogSaveButton},
    ButtonLook{cmd::kSaveAll, "document-save-as", QStyle::SP_DialogSaveButton},
};
constexpr std::array kPlanButtons{
    ButtonLook{cmd::kPlanAdd, "folder-new", QStyle::SP_FileDialogNewFolder},
    ButtonLook{cmd::kPlanDelete, "edit-delete", QStyle::SP_TrashIcon},
    ButtonLook{cmd::kSelectAllPlans, "edit-select-all", QStyle::SP_DialogApplyButton},
};
constexpr std::array kChannelButtons{
    ButtonLook{cmd::kChannelAdd, "list-add", QStyle::SP_FileIcon},
    ButtonLook{cmd::kChannelDelete, "list-remove", QStyle::SP_DialogDiscardButton},
    ButtonLook{cmd::kSelectAllChannels, "edit-select-all", QStyle::SP_DialogYesButton},
    ButtonLook{cmd::kRemoveDuplicates, "edit-clear", QStyle::SP_DialogResetButton},
};
constexpr std::array kSyncButtons{
    ButtonLook{cmd::kUpload, "go-up", QStyle::SP_ArrowUp},
    ButtonLook{cmd::kDownload, "go-down", QStyle::SP_ArrowDown},
};
constexpr std::array kUpgradeButtons{
    ButtonLook{cmd::kUpgrade, "system-software-update", QStyle::SP_BrowserReload},
};

constexpr std::array kStyleIds{cmd::kLookOffice2007Blue, cmd::kLookOffice2007Black, cmd::kLookOffice2007Silver,
                               cmd::kLookOffice2007Aqua, cmd::kLookWindows7};

// The theme's icon, or the style's standard one where the theme has none.
QIcon commandIcon(const QWidget* widget, const char* themeIcon, QStyle::StandardPixmap fallback)
{
    return QIcon::fromTheme(QString::fromLatin1(themeIcon), widget->style()->standardIcon(fallback));
}

} // namespace

MainRibbon::MainRibbon(Language language, QWidget* parent)
    : RibbonBar(qtMessage(msg::kMainCategory, language), qtMessage(msg::kRecentDocuments, language), parent),
      language_(language)
{
    addQuickAccessButton(cmd::kUndo, label(msg::kLabelUndo), commandIcon(this, "edit-undo", QStyle::SP_ArrowBack),
                         {QKeySequence(Qt::CTRL | Qt::Key_Z), QKeySequence(Qt::ALT | Qt::Key_Backspace)});
    addQuickAccessButton(cmd::kRedo, label(msg::kLabelRedo), commandIcon(this, "edit-redo", QStyle::SP_ArrowForward),
                         {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    addHomeCategory();
    addViewCategory();
    // Open and Save All answer their keys in the whole window.
    for (const auto& [id, key] : {std::pair{cmd::kOpen, Qt::Key_O}, std::pair{cmd::kSaveAll, Qt::Key_S}}) {
        QAction* action = commandAction(id);
        action->setShortcut(QKeySequence(Qt::CTRL | key));
        addAction(action);
    }
    addStyleMenu();
    // Tables in and out, and updates from a source: a menu beside Style, so
    // that the Home panels keep their width.
    QMenu* data = addMenuButton(label(msg::kDataMenu), Qt::Key_D);
    for (const int id : {cmd::kImportTable, cmd::kExportTable, cmd::kUpdateFromSource})
        addCommand(data, id, commandLabel(id));
    addIconButton(cmd::kAppAbout, label(msg::kAboutButton),
                  commandIcon(this, "help-about", QStyle::SP_MessageBoxInformation), Qt::Key_A);
}

void MainRibbon::setCurrentStyle(int styleId)
{
    for (QAction* action : styles_->actions())
        action->setChecked(action->data().toInt() == styleId);
}

void MainRibbon::addHomeCategory()
{
    const int home = addCategory(label(msg::kCategoryHome), Qt::Key_H);
    const auto addButtons = [this](RibbonPanel* panel, const auto& looks) {
        for (const ButtonLook& look : looks)
            addButton(panel, look.id, commandLabel(look.id), commandIcon(this, look.themeIcon, look.fallback));
    };
    addButtons(addPanel(home, label(msg::kPanelFile)), kFileButtons);
    addButtons(addPanel(home, label(msg::kPanelPlanOp)), kPlanButtons);
    addButtons(addPanel(home, label(msg::kPanelChannelOp)), kChannelButtons);
    RibbonPanel* sync = addPanel(home, label(msg::kPanelSync));
    sync->addWidget(makeTypeControl());
    addButtons(sync, kSyncButtons);
    addButtons(addPanel(home, label(msg::kPanelUpgrade)), kUpgradeButtons);
}

void MainRibbon::addViewCategory()
{
    const int view = addCategory(label(msg::kCategoryView), Qt::Key_V);
    RibbonPanel* pictures = addPanel(view, label(msg::kPanelPictures));
    addButton(pictures, cmd::kShowBandPicture, label(msg::kBandPicture),
              commandIcon(this, "view-statistics", QStyle::SP_FileDialogDetailedView));
    addButton(pictures, cmd::kShowSkyView, label(msg::kSkyView),
              commandIcon(this, "weather-clear-night", QStyle::SP_DesktopIcon));
    addButton(pictures, cmd::kShowPointingColumns, label(msg::kPointingColumns),
              commandIcon(this, "view-list-details", QStyle::SP_FileDialogListView));
    for (const int id : {cmd::kShowBandPicture, cmd::kShowSkyView, cmd::kShowPointingColumns})
        commandAction(id)->setCheckable(true);
}

// The Style menu: the styles as exclusive checkable items, none checked
// until setCurrentStyle.
void MainRibbon::addStyleMenu()
{
    styleMenu_ = addMenuButton(label(msg::kStyleMenu), Qt::Key_S);
    styles_ = new QActionGroup(styleMenu_);
    styles_->setExclusionPolicy(QActionGroup::ExclusionPolicy::Exclusive);
    for (const int id : kStyleIds) {
        QAction* action = addCommand(styleMenu_, id, commandLabel(id));
        action->setCheckable(true);
        action->setData(id);
        styles_->addAction(action);
    }
}

// The label "Type" beside an editable combo with the entries "Q36" and "".
QWidget* MainRibbon::makeTypeControl()
{
    auto* control = new QWidget;
    auto* row = new QHBoxLayout(control);
    row->setContentsMargins(2, 0, 2, 0);
    auto* caption = new QLabel(commandLabel(cmd::kTypeCombo));
    typeCombo_ = new QComboBox;
    typeCombo_->setObjectName(QStringLiteral("ribbonTypeCombo"));
    typeCombo_->setEditable(true);
    typeCombo_->setInsertPolicy(QComboBox::NoInsert);
    typeCombo_->setFixedWidth(kTypeComboWidth);
    typeCombo_->setToolTip(caption->text());
    typeCombo_->addItem(QStringLiteral("Q36"));
    typeCombo_->addItem(QString());
    typeCombo_->setCurrentIndex(-1);
    caption->setBuddy(typeCombo_);
    row->addWidget(caption);
    row->addWidget(typeCombo_);
    row->setAlignment(Qt::AlignVCenter);
    addCommandWidget(cmd::kTypeCombo, typeCombo_);
    connect(typeCombo_, &QComboBox::activated, this, [this] { emit commandTriggered(cmd::kTypeCombo); });
    return control;
}

QString MainRibbon::label(MessageId id) const
{
    return qtMessage(id, language_);
}

// A command's label is the string table entry under the command's id.
QString MainRibbon::commandLabel(int commandId) const
{
    return label(MessageId{commandId});
}
