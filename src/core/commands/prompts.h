#pragma once

#include "core/res/string_table.h"
#include "core/rules/model_checks.h"

#include <optional>
#include <string>
#include <vector>

// What a file dialog shows. `filter` is in the system's own "Text|pattern|...||"
// form, as the commands quote it; implementations turn it into their own.
struct FileDialogOptions {
    std::string title;
    std::string filter;
    std::string defaultSuffix;
    bool multipleFiles = false;
    bool confirmOverwrite = false;

    friend bool operator==(const FileDialogOptions&, const FileDialogOptions&) = default;
};

// The window a prompt belongs to. The editor shows it over that window; a front
// end without windows may ignore it.
enum class PromptOwner {
    MainWindow,
    PlanPane,
    ChannelPane,
    Dialog, // the dialog the user works in now (progress, upgrade)
};

// Everything that asks or tells the user goes through this one interface, so
// that the editor, the command-line tool and the tests can each answer in
// their own way. Texts are UTF-8.
class Prompts {
public:
    enum class Buttons { Ok, OkCancel, SaveDiscardCancel, RestoreLaterDiscard };
    // Ok and Cancel answer every message; Discard only the three-way questions.
    enum class Answer { Ok, Cancel, Discard };

    explicit Prompts(Language language) : language_(language) {}
    virtual ~Prompts() = default;
    Prompts(const Prompts&) = delete;
    Prompts& operator=(const Prompts&) = delete;

    Language language() const { return language_; }

    // String table entry `id` with its %s/%d filled from `args`, shown with an
    // OK button. Answers true.
    bool tell(PromptOwner owner, MessageId id, const std::vector<std::string>& args = {});
    // The same with OK and Cancel; answers true for OK.
    bool ask(PromptOwner owner, MessageId id, const std::vector<std::string>& args = {});
    // The save question asked before unsaved plans are closed or replaced: entry
    // `id` with OK (save), "Don't Save" (go on without saving) and Cancel
    // (stay, as Escape does).
    Answer askToSave(PromptOwner owner, MessageId id);
    // The offer of plans kept from an earlier run: entry `id` with Restore
    // (Ok), Later (Cancel, as Escape and closing the box are) and Discard.
    Answer askToRestore(PromptOwner owner, MessageId id, const std::vector<std::string>& args);
    // The text of entry `id` in this language with its arguments filled.
    std::string text(MessageId id, const std::vector<std::string>& args = {}) const;

    // Answers the chosen paths, none on Cancel.
    virtual std::vector<std::string> chooseOpenFiles(PromptOwner owner, const FileDialogOptions& options) = 0;
    // Answers the chosen path, empty on Cancel.
    virtual std::string chooseSaveFile(PromptOwner owner, const FileDialogOptions& options) = 0;
    // A file-system folder, empty on Cancel.
    virtual std::string chooseFolder(PromptOwner owner, const std::string& title) = 0;
    // The File Type Select dialog: the chosen type; nothing on Cancel.
    virtual std::optional<FileType> chooseFileType(PromptOwner owner) = 0;

protected:
    // Shows one message with those buttons and answers the one pressed.
    virtual Answer showMessage(PromptOwner owner, MessageId id, const std::string& text, Buttons buttons) = 0;

private:
    Language language_;
};
