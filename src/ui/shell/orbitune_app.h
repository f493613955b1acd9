#pragma once

#include "core/device/hid_link.h"
#include "core/model/plan_list.h"
#include "core/res/string_table.h"
#include "ui/prompts/qt_prompts.h"
#include "ui/shell/app_settings.h"
#include "ui/shell/qt_translations.h"

#include <QStringList>

#include <memory>

class CMainFrame;
class RecoveryFile;

// The application: it owns the plan list and the meter link for the whole run,
// reads the settings, gives the application its icon and Qt's own texts in
// the interface language, creates and shows the main window and serves the
// commands no window serves (the About box).
class COrbituneApp {
public:
    // `meterChoice` as ORBITUNE_METER takes it: nothing or "hid" for the
    // system's HID devices, "sim" or "tcp://127.0.0.1:PORT".
    // Unsaved plans are kept in `recoveryFolder` (RecoveryFile::defaultFolder()
    // for the user's own).
    COrbituneApp(Language language, const std::optional<std::string>& meterChoice, const QString& recoveryFolder);
    ~COrbituneApp();
    COrbituneApp(const COrbituneApp&) = delete;
    COrbituneApp& operator=(const COrbituneApp&) = delete;

    // Creates the main window and shows it; once the event loop runs, offers
    // to restore the plans an editor that ended without saving them left, then
    // opens the plan files named in `files`. Answers false when start-up
    // failed.
    bool InitInstance(const QStringList& files);

    PlanList& plans() { return plans_; }
    HidLink& link() { return link_; }
    CMainFrame* mainFrame() { return frame_.get(); }

private:
    void onApplicationCommand(int commandId);
    void offerLeftPlans();

    Language language_;
    QtTranslations qtTranslations_;
    PlanList plans_;
    HidLink link_;
    QtPrompts prompts_;
    AppSettings settings_;
    std::unique_ptr<RecoveryFile> recovery_;
    std::unique_ptr<CMainFrame> frame_;
};
