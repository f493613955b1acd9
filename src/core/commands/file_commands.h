#pragma once

#include "core/commands/prompts.h"
#include "core/model/guid.h"
#include "core/model/plan_list.h"

#include <functional>
#include <string>
#include <vector>

// What the Open and Save commands need from the panes and the main frame.
// Any hook may be left empty.
struct PlanFileHooks {
    std::function<void()> clearRows;                       // empty both panes of their rows
    std::function<void()> refreshPlanPane;                 // rebuild the plan pane's rows from the list
    std::function<void()> clearCurrentPlan;                // the TP pane shows no plan
    std::function<void(int)> setNextPlanNumber;            // the plan pane's counter for new plans
    std::function<void(const std::string&)> addRecentFile; // a file opened or written
    // The list was replaced by the plans of a file (Open); the path of the
    // first file read, empty when none could be read.
    std::function<void(const std::string&)> replaced;
    // Every plan of the list was written to this file (or Q9100 folder).
    std::function<void(const std::string&)> stored;
};

// With plans in the list, offers to save them (message 142, over the main
// window); OK runs saveAll. Nothing is asked of an empty list.
void offerToSavePlans(PlanList& plans, Prompts& prompts, const PlanFileHooks& hooks);

// Before unsaved plans are closed or replaced by the meter's: the save question
// (message 142) with OK, Don't Save and Cancel, over the main window. OK runs
// saveAll. Answers whether to go on: after OK only when every plan was saved,
// after Don't Save always, after Cancel never. An empty list has nothing to
// save: it goes on without a question.
bool settleUnsavedPlans(PlanList& plans, Prompts& prompts, const PlanFileHooks& hooks);

// The Open command. With plans in the list it first offers to save them
// (offerToSavePlans; Open goes on whatever Save All does). Then the open-file
// dialog offers the General, Q24 and Q9100 filters, several files at once;
// Cancel leaves the plans and the panes as they were. Chosen files are read as
// openChosenFiles reads them.
void openPlans(PlanList& plans, Prompts& prompts, const PlanFileHooks& hooks);

// Replaces the plans with those of `paths` (files named on the command line,
// recent documents, or the files chosen by Open): both panes are emptied and
// the list is emptied, then the first path's extension, in any letter case,
// picks the format ("gnr" and "planList" read the first path only; "Orbtab"
// reads the first path verified and every later .Orbtab one unverified). The counter
// the reading gives becomes nextPlanNumber, the plan pane is rebuilt and the
// TP pane shows no plan. Every file read is recorded as recent; every path
// that could not be read is reported in a message naming it, and so is what
// the 255 plans of the list left out.
void openChosenFiles(PlanList& plans, Prompts& prompts, const std::vector<std::string>& paths,
                     const PlanFileHooks& hooks);

// The Save Select command over the plans with these ids, in row order. Nothing
// happens without ids. The file type is asked, the plans are checked for it
// (the first failing check shows its message and nothing is written), then the
// General file (renumbering the saved plans 0, 1, 2, ...), the Q24 file or the
// Q9100 files of a chosen folder are written, asking before each existing
// Q9100 file is replaced (message 115). Cancel in any dialog ends the command
// silently. Every file written is recorded as recent; a file that could not be
// written, or a plan whose name cannot be a file name, is reported in a
// message naming it and the command goes on with the others. Its dialogs and
// messages belong to the plan pane. Answers whether every chosen plan was
// written.
bool saveSelected(PlanList& plans, Prompts& prompts, const std::vector<Guid>& checkedIdsInRowOrder,
                  const PlanFileHooks& hooks);

// The Save All command over every plan of the list, with Save All's checks and
// without renumbering. Nothing happens with an empty list. Answers whether
// every plan was written.
bool saveAll(PlanList& plans, Prompts& prompts, const PlanFileHooks& hooks);
