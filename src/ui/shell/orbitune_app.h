#pragma once

#include "core/device/hid_link.h"
#include "core/model/plan_list.h"
#include "core/res/string_table.h"
#include "ui/prompts/qt_prompts.h"
#include "ui/shell/app_settings.h"

#include <QStringList>

#include <memory>

class CMainFrame;

// The application: it owns the plan list and the meter link for the whole run,
// reads the settings, creates and shows the main window and serves the
// commands no window serves (the About box).
class COrbituneApp {
public:
    // `meterChoice` as ORBITUNE_METER takes it: nothing or "hid" for the
    // system's HID devices, "sim" or "tcp://127.0.0.1:PORT".
    COrbituneApp(Language language, const std::optional<std::string>& meterChoice);
    ~COrbituneApp();
    COrbituneApp(const COrbituneApp&) = delete;
    COrbituneApp& operator=(const COrbituneApp&) = delete;

    // Creates the main window, shows it and opens the plan files named in
    // `files`. Answers false when start-up failed.
    bool InitInstance(const QStringList& files);

    PlanList& plans() { return plans_; }
    HidLink& link() { return link_; }
    CMainFrame* mainFrame() { return frame_.get(); }

private:
    void onApplicationCommand(int commandId);

    Language language_;
    PlanList plans_;
    HidLink link_;
    QtPrompts prompts_;
    AppSettings settings_;
    std::unique_ptr<CMainFrame> frame_;
};
