#pragma once

#include "res/string_table.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <string>
#include <vector>

class QWidget;

// What a file dialog shows. `filter` is in the system's own "Text|pattern|...||"
// form, as the commands quote it; implementations turn it into their own.
struct FileDialogOptions {
    QString title;
    QString filter;
    QString defaultSuffix;
    bool multipleFiles = false;
    bool confirmOverwrite = false;
};

// Everything that asks or tells the user goes through this one interface, so
// that tests can script the answers and record what was asked.
class Prompts {
public:
    enum class Buttons { Ok, OkCancel };

    explicit Prompts(Language language) : language_(language) {}
    virtual ~Prompts() = default;
    Prompts(const Prompts&) = delete;
    Prompts& operator=(const Prompts&) = delete;

    Language language() const { return language_; }

    // String table entry `id` with its %s/%d filled from `args`, shown with an
    // OK button. Answers true.
    bool tell(QWidget* owner, int id, const QStringList& args = {});
    // The same with OK and Cancel; answers true for OK.
    bool ask(QWidget* owner, int id, const QStringList& args = {});
    // The text of entry `id` in this language with its arguments filled.
    QString text(int id, const QStringList& args = {}) const;

    // Answers the chosen paths, none on Cancel.
    virtual QStringList chooseOpenFiles(QWidget* owner, const FileDialogOptions& options) = 0;
    // Answers the chosen path, empty on Cancel.
    virtual QString chooseSaveFile(QWidget* owner, const FileDialogOptions& options) = 0;
    // A file-system folder, empty on Cancel.
    virtual QString chooseFolder(QWidget* owner, const QString& title) = 0;
    // The File Type Select dialog: 0 General, 1 Q24, 2 Q9100; nothing on Cancel.
    virtual std::optional<int> chooseFileType(QWidget* owner) = 0;

    // "General File (*.gnr)|*.gnr||" to the Qt form "General File (*.gnr)".
    static QString qtFilter(const QString& systemFilter);

protected:
    // Shows one message; answers true for OK.
    virtual bool showMessage(QWidget* owner, int id, const QString& text, Buttons buttons) = 0;

private:
    Language language_;
};

// UTF-8 core text to and from Qt text.
inline QString qtText(const std::string& utf8) { return QString::fromStdString(utf8); }
inline std::string coreText(const QString& text) { return text.toStdString(); }
