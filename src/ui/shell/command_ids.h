#pragma once

#include <algorithm>
#include <array>
#include <string_view>

// Ids of the main window's commands: the ribbon's buttons, its Type combo, the
// visual styles, undo and redo, the About box, the pane switching keys and the
// commands of the lists' keys and context menus. The ribbon labels
// live in the string table under the same ids as their commands.
namespace cmd {

inline constexpr int kPlanAdd = 32771;
inline constexpr int kPlanDelete = 32772;
inline constexpr int kChannelAdd = 32773;
inline constexpr int kChannelDelete = 32774;
inline constexpr int kOpen = 32775;
inline constexpr int kSelectAllPlans = 32777;
inline constexpr int kSaveAll = 32778;
inline constexpr int kUpload = 32785;
inline constexpr int kTypeCombo = 32786;
inline constexpr int kDownload = 32787;
inline constexpr int kSaveSelect = 32789;
inline constexpr int kSelectAllChannels = 32790;
inline constexpr int kUpgrade = 32793;
inline constexpr int kImport = 32800;
inline constexpr int kImportTable = 620;
inline constexpr int kExportTable = 621;
inline constexpr int kUpdateFromSource = 622;
// Editing the lists: each pane's keys and context menu.
inline constexpr int kDuplicate = 32820;
inline constexpr int kMoveUp = 32821;
inline constexpr int kMoveDown = 32822;
inline constexpr int kFind = 32823;
inline constexpr int kRemoveDuplicates = 32824;
inline constexpr int kDeleteRows = 32825;
// Showing and hiding the pictures of the View category.
inline constexpr int kShowBandPicture = 32830;
inline constexpr int kShowSkyView = 32831;
inline constexpr int kShowPointingColumns = 32832;
inline constexpr int kCopy = 57634;
inline constexpr int kCut = 57635;
inline constexpr int kPaste = 57637;

inline constexpr int kUndo = 57643;
inline constexpr int kRedo = 57644;
inline constexpr int kAppAbout = 57664;
inline constexpr int kNextPane = 57680;
inline constexpr int kPreviousPane = 57681;

// Visual styles. 205 to 210 are reached only through a stored setting; the
// ribbon's Style menu offers 215 to 219.
inline constexpr int kLookDefault = 205;
inline constexpr int kLookOfficeXp = 206;
inline constexpr int kLookWindowsXp = 207;
inline constexpr int kLookOffice2003 = 208;
inline constexpr int kLookVs2005 = 209;
inline constexpr int kLookVs2008 = 210;
inline constexpr int kLookOffice2007Blue = 215;
inline constexpr int kLookOffice2007Black = 216;
inline constexpr int kLookOffice2007Silver = 217;
inline constexpr int kLookOffice2007Aqua = 218;
inline constexpr int kLookWindows7 = 219;

// The style used when no setting is stored.
inline constexpr int kDefaultLook = kLookOffice2007Blue;

// The resource names of the commands, which name their actions.
struct CommandName {
    int id;
    std::string_view name;
};
inline constexpr std::array<CommandName, 40> kCommandNames{{
    {kPlanAdd, "ID_BUTTON_PLAN_ADD"},
    {kPlanDelete, "ID_BUTTON_DELE_PLAN1"},
    {kChannelAdd, "ID_BUTTON_ADD_CH"},
    {kChannelDelete, "ID_BUTTON_DELE_CH1"},
    {kOpen, "ID_BUTTON_OPEN"},
    {kSelectAllPlans, "ID_BUTTON_SELECTALLPLAN1"},
    {kSaveAll, "ID_BUTTON_EXPORT_ALL"},
    {kUpload, "ID_BUTTON_UPLOAD"},
    {kTypeCombo, "ID_COMBO_SYNC"},
    {kDownload, "ID_BUTTON_DOWNLOAD"},
    {kSaveSelect, "ID_BUTTON_EXPORT_SELECT"},
    {kSelectAllChannels, "ID_BUTTON_SELECT_ALL_CHANNEL"},
    {kUpgrade, "ID_BUTTON2"},
    {kImport, "ID_BUTTON_IMPORT"},
    {kImportTable, "ID_BUTTON_IMPORT_TABLE"},
    {kExportTable, "ID_BUTTON_EXPORT_TABLE"},
    {kUpdateFromSource, "ID_BUTTON_UPDATE_FROM_SOURCE"},
    {kDuplicate, "ID_EDIT_DUPLICATE"},
    {kMoveUp, "ID_EDIT_MOVE_UP"},
    {kMoveDown, "ID_EDIT_MOVE_DOWN"},
    {kFind, "ID_EDIT_FIND"},
    {kRemoveDuplicates, "ID_BUTTON_REMOVE_DUPLICATES"},
    {kDeleteRows, "ID_EDIT_CLEAR"},
    {kShowBandPicture, "ID_VIEW_BAND_PICTURE"},
    {kShowSkyView, "ID_VIEW_SKY_VIEW"},
    {kShowPointingColumns, "ID_VIEW_POINTING_COLUMNS"},
    {kCopy, "ID_EDIT_COPY"},
    {kCut, "ID_EDIT_CUT"},
    {kPaste, "ID_EDIT_PASTE"},
    {kUndo, "ID_EDIT_UNDO"},
    {kRedo, "ID_EDIT_REDO"},
    {kAppAbout, "ID_APP_ABOUT"},
    {kNextPane, "ID_NEXT_PANE"},
    {kPreviousPane, "ID_PREV_PANE"},
    {kLookOffice2007Blue, "ID_VIEW_APPLOOK_OFF_2007_BLUE"},
    {kLookOffice2007Black, "ID_VIEW_APPLOOK_OFF_2007_BLACK"},
    {kLookOffice2007Silver, "ID_VIEW_APPLOOK_OFF_2007_SILVER"},
    {kLookOffice2007Aqua, "ID_VIEW_APPLOOK_OFF_2007_AQUA"},
    {kLookWindows7, "ID_VIEW_APPLOOK_WINDOWS_7"},
    {kLookDefault, "ID_VIEW_APPLOOK_WIN_2000"},
}};

// The resource name of a command; empty for an id without one.
constexpr std::string_view commandName(int id)
{
    const auto it =
        std::find_if(kCommandNames.begin(), kCommandNames.end(), [id](const CommandName& c) { return c.id == id; });
    return it == kCommandNames.end() ? std::string_view() : it->name;
}

} // namespace cmd
