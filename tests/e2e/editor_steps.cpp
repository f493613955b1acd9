#include "e2e/editor_steps.h"

#include "e2e/editor_views.h"

#include <algorithm>

namespace steps {

namespace {

bool isDialog(const AccessibleNode& node, const std::string& title)
{
    return node.showing && node.role == "dialog" && node.name == title;
}

bool clickCell(const EditorSession& editor, const std::optional<ListView>& list, std::size_t row,
               const std::string& header)
{
    if (!list || row >= list->rows.size())
        return false;
    editor.input().click(list->cell(row, header));
    return true;
}

// The dialogs of Save All, from the File Type Select dialog on.
bool saveThroughDialogs(const EditorSession& editor, int typeEntry, const std::string& dialogTitle,
                        const std::filesystem::path& path)
{
    if (!editor.waitFor([](const AccessibleNode& n) { return isDialog(n, "File Type Select"); }))
        return false;
    for (int i = 0; i < typeEntry; ++i)
        editor.input().key("Down");
    editor.input().key("Return");
    if (!editor.waitFor([&](const AccessibleNode& n) { return isDialog(n, dialogTitle); }))
        return false;
    editor.input().type(path.string());
    editor.input().key("Return");
    // The file dialog's own question when the file exists.
    if (std::filesystem::exists(path) &&
        editor.waitFor([](const AccessibleNode& n) { return n.showing && n.role == "push button" && n.name == "Yes"; },
                       std::chrono::seconds(3)))
        editor.clickButton("Yes");
    return editor.waitUntilGone([&](const AccessibleNode& n) { return isDialog(n, dialogTitle); });
}

} // namespace

bool saveAll(const EditorSession& editor, int typeEntry, const std::string& dialogTitle,
             const std::filesystem::path& path)
{
    return editor.clickButton("Save All") && saveThroughDialogs(editor, typeEntry, dialogTitle, path);
}

bool chooseFile(const EditorSession& editor, const std::string& dialogTitle, const std::filesystem::path& path)
{
    // A file dialog may bear the title of the dialog it comes from.
    const auto shown = [&](const AccessibleNode& n) {
        return isDialog(n, dialogTitle) && n.find("label", "File name:") != nullptr;
    };
    if (!editor.waitFor(shown))
        return false;
    editor.input().type(path.string());
    // The typed name shows before Return takes it.
    editor.waitFor([&](const AccessibleNode& n) { return n.showing && n.focused && n.text == path.string(); },
                   std::chrono::seconds(5));
    editor.input().key("Return");
    if (editor.waitUntilGone(shown, std::chrono::seconds(3)))
        return true;
    // The first Return may only close the list of names that complete the
    // typed one; the dialog takes the second.
    if (editor.waitFor(shown, std::chrono::milliseconds(0)))
        editor.input().key("Return");
    return editor.waitUntilGone(shown);
}

bool dataMenuCommand(const EditorSession& editor, const std::string& item)
{
    static const std::vector<std::string> kEntries{"Import Table...", "Export Table...", "Update from Source..."};
    const auto at = std::find(kEntries.begin(), kEntries.end(), item);
    if (at == kEntries.end())
        return false;
    const int before = editor.shownWindowCount();
    editor.input().key("alt+d");
    if (!editor.waitForMoreWindowsThan(before))
        return false;
    for (auto entry = kEntries.begin(); entry <= at; ++entry)
        editor.input().key("Down");
    editor.input().key("Return");
    return true;
}

std::optional<AccessibleNode> dialogTitled(const EditorSession& editor, const std::string& title)
{
    return editor.waitFor([&](const AccessibleNode& n) { return isDialog(n, title); });
}

bool saveAllAsGeneral(const EditorSession& editor, const std::filesystem::path& path)
{
    return saveAll(editor, 0, "gnr Save", path);
}

bool saveAllAsGeneralByKeys(const EditorSession& editor, const std::filesystem::path& path)
{
    editor.input().key("ctrl+s");
    return saveThroughDialogs(editor, 0, "gnr Save", path);
}

std::vector<std::string> planNames(const EditorSession& editor)
{
    std::vector<std::string> names;
    if (const auto plans = planList(editor.windows()))
        for (std::size_t row = 0; row < plans->rows.size(); ++row)
            names.push_back(plans->text(row, "Plan Name"));
    return names;
}

bool clickPlanCell(const EditorSession& editor, std::size_t row, const std::string& header)
{
    return clickCell(editor, planList(editor.windows()), row, header);
}

bool clickTpCell(const EditorSession& editor, std::size_t row, const std::string& header)
{
    return clickCell(editor, tpList(editor.windows()), row, header);
}

std::string answerMessage(const EditorSession& editor, const std::string& button)
{
    const auto text = editor.messageText();
    if (!text)
        return {};
    editor.clickButton(button);
    // Gone when no box shows that text any more: the next one may follow at once.
    editor.waitUntil([&](const AccessibleNode& windows) {
        const auto now = editor.messageTextOf(windows);
        return !now || *now != *text;
    });
    return *text;
}

} // namespace steps
