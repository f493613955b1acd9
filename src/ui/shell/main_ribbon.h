#pragma once

#include "core/res/string_table.h"
#include "ui/shell/ribbon_bar.h"

class QActionGroup;
class QComboBox;

// The main window's ribbon. The application button "File" (Alt+F) lists the
// recent documents; Open answers Ctrl+O and Save All Ctrl+S; the quick-access toolbar beside it holds Undo (Ctrl+Z,
// Alt+Backspace) and Redo (Ctrl+Y, Ctrl+Shift+Z); the category "Home" (Alt+H) holds the panels "File"
// (Open, Import, Save Select, Save All), "Plan OP" (Add Plan, Delete Plan,
// Select All), "Channel OP" (Add CH, Delete CH, Select All, Remove
// Duplicates), "Panel1" (the Type combo, Upload, Download) and "Upgrade"
// (Upgrade); the category "View" (Alt+V) holds the panel "Pictures" with the
// checkable buttons "Band Picture" and "Sky View", which show or hide those
// panes, and "Pointing Columns", which shows or hides the plan pane's
// pointing columns; right of the tab sit the "Style" menu (Alt+S) with
// the visual styles 215 to 219 and the About button (Alt+A). Labels come from the string table in the given language.
//
// Every button, style item and the About button emit commandTriggered with
// their command id (see command_ids.h). Picking an entry of the Type combo
// emits commandTriggered(cmd::kTypeCombo); the receiver reads
// typeCombo()->currentIndex(). The combo starts with no entry selected.
class MainRibbon : public RibbonBar {
    Q_OBJECT
public:
    explicit MainRibbon(Language language, QWidget* parent = nullptr);

    // Checks the Style menu item of `styleId`; none for an id outside 215 to 219.
    void setCurrentStyle(int styleId);

    // The Type combo: 108 pixels wide, editable, entries "Q36" and "".
    QComboBox* typeCombo() const { return typeCombo_; }
    QMenu* styleMenu() const { return styleMenu_; }

    static constexpr int kTypeComboWidth = 108;

private:
    void addHomeCategory();
    void addViewCategory();
    void addStyleMenu();
    QWidget* makeTypeControl();
    QString label(MessageId id) const;
    QString commandLabel(int commandId) const;

    Language language_;
    QComboBox* typeCombo_ = nullptr;
    QMenu* styleMenu_ = nullptr;
    QActionGroup* styles_ = nullptr;
};
