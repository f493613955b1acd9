#pragma once

#include "e2e/editor_session.h"

#include <filesystem>
#include <string>
#include <vector>

// What a user does with the editor, step by step, with the keys and clicks a
// user gives. Each step waits for what it needs to see and answers false when
// it does not show within the session's patience.
namespace steps {

// Save All: the File Type Select dialog's entry `type` ("General Sate File(*.gnr)",
// ...), then the save dialog titled `dialogTitle` given `path`. A question the
// file dialog asks about replacing an existing file is answered Yes.
bool saveAll(const EditorSession& editor, int typeEntry, const std::string& dialogTitle,
             const std::filesystem::path& path);
bool saveAllAsGeneral(const EditorSession& editor, const std::filesystem::path& path);
// The same, Save All given with Ctrl+S.
bool saveAllAsGeneralByKeys(const EditorSession& editor, const std::filesystem::path& path);

// Answers the file dialog titled `dialogTitle` with `path`, typed as a user
// types it, and waits for the dialog to close.
bool chooseFile(const EditorSession& editor, const std::string& dialogTitle, const std::filesystem::path& path);

// Opens the ribbon's Data menu with Alt+D and runs its entry `item` ("Import
// Table...", "Export Table...", "Update from Source...") with the arrow keys
// and Return.
bool dataMenuCommand(const EditorSession& editor, const std::string& item);

// The node of the showing dialog titled `title`, waiting for it.
std::optional<AccessibleNode> dialogTitled(const EditorSession& editor, const std::string& title);

// The names in the plan pane, top to bottom.
std::vector<std::string> planNames(const EditorSession& editor);

// Clicks a cell of the plan or TP pane by its row and column header.
bool clickPlanCell(const EditorSession& editor, std::size_t row, const std::string& header);
bool clickTpCell(const EditorSession& editor, std::size_t row, const std::string& header);

// Answers the message box that shows with the button of that label; its text,
// empty when none showed.
std::string answerMessage(const EditorSession& editor, const std::string& button = "OK");

} // namespace steps
