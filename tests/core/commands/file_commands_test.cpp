#include "core/commands/file_commands.h"

#include "core/files/general_file.h"
#include "core/files/orbtab_file.h"
#include "core/files/plan_list_file.h"
#include "core/res/string_ids.h"
#include "core/rules/model_checks.h"
#include "support/plan_builders.h"
#include "support/scripted_prompts.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <optional>

namespace {

// What the commands did to the panes and the main frame.
struct PaneRecord {
    int rowsCleared = 0;
    int refreshes = 0;
    int currentPlanCleared = 0;
    std::optional<int> nextPlanNumber;
    std::vector<std::string> recent;
    std::vector<std::string> replaced;
    std::vector<std::string> stored;

    PlanFileHooks hooks()
    {
        return {[this] { ++rowsCleared; },
                [this] { ++refreshes; },
                [this] { ++currentPlanCleared; },
                [this](int n) { nextPlanNumber = n; },
                [this](const std::string& path) { recent.push_back(path); },
                [this](const std::string& path) { replaced.push_back(path); },
                [this](const std::string& path) { stored.push_back(path); }};
    }
};

std::string text(const std::filesystem::path& path)
{
    return path.string();
}

std::vector<Guid> idsOf(const PlanList& plans, std::initializer_list<int> positions)
{
    std::vector<Guid> ids;
    for (int p : positions)
        ids.push_back(plans.at(p).id);
    return ids;
}

std::vector<Guid> allIds(const PlanList& plans)
{
    std::vector<Guid> ids;
    for (const auto& plan : plans)
        ids.push_back(plan.id);
    return ids;
}

std::size_t filesIn(const TempDir& dir)
{
    std::size_t count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.path()))
        ++count;
    return count;
}

std::filesystem::path writeOrbtab(const TempDir& dir, const std::string& name, int tps, bool intact = true)
{
    auto image = orbtab_file::encode(makePlan(name, tps), 1);
    if (!intact)
        image[orbtab_file::kChecksumOffset] ^= 1;
    const auto path = dir.file(name + ".Orbtab");
    writeBytes(path, {image.begin(), image.end()});
    return path;
}

PlanList withS2Tp()
{
    PlanList plans;
    auto plan = makePlan("S2Sat", 2);
    plan.channels[1].signalType = 2;
    plans.append(plan);
    return plans;
}

} // namespace

// Checks and their order.

TEST(SaveSelected, SeventeenTickedPlansWithQ24ShowMessage113AndWriteNothing)
{
    TempDir dir;
    auto plans = makePlanList(17, 1);
    ScriptedPrompts prompts;
    prompts.fileTypes = {FileType::Q24};
    PaneRecord panes;
    saveSelected(plans, prompts, allIds(plans), panes.hooks());
    EXPECT_EQ(prompts.messageIds(), std::vector<MessageId>{msg::kQ24MaxPlans});
    EXPECT_EQ(prompts.messages[0].text, std::string("Q24 have no more than 16 plans"));
    EXPECT_TRUE(prompts.fileDialogs.empty());
    EXPECT_EQ(filesIn(dir), 0U);
    EXPECT_TRUE(panes.recent.empty());
}

TEST(SaveSelected, SixteenTickedPlansPassTheQ24Count)
{
    TempDir dir;
    auto plans = makePlanList(17, 1);
    ScriptedPrompts prompts;
    prompts.fileTypes = {FileType::Q24};
    prompts.saveFiles = {text(dir.file("q.planList"))};
    PaneRecord panes;
    auto ids = allIds(plans);
    ids.pop_back();
    saveSelected(plans, prompts, ids, panes.hooks());
    EXPECT_TRUE(prompts.messages.empty());
    PlanList read;
    EXPECT_EQ(readPlanListFile(dir.file("q.planList"), read).planCount, 16);
    EXPECT_EQ(panes.recent, std::vector<std::string>{text(dir.file("q.planList"))});
}

TEST(SaveSelected, PlanOfSevenTpsBeforeAPlanWithoutTpsGives114)
{
    PlanList plans;
    plans.append(makePlan("A", 1));
    plans.append(makePlan("Seven", 7));
    plans.append(makePlan("Empty", 0));
    ScriptedPrompts prompts;
    prompts.fileTypes = {FileType::Q24};
    saveSelected(plans, prompts, allIds(plans), {});
    EXPECT_EQ(prompts.messageIds(), std::vector<MessageId>{msg::kQ24MaxTpsSelect});
    EXPECT_TRUE(prompts.fileDialogs.empty());
}

TEST(SaveSelected, PlanWithoutTpsBeforeAPlanOfSevenTpsGives131)
{
    PlanList plans;
    plans.append(makePlan("Empty", 0));
    plans.append(makePlan("Seven", 7));
    ScriptedPrompts prompts;
    prompts.fileTypes = {FileType::Q24};
    saveSelected(plans, prompts, allIds(plans), {});
    EXPECT_EQ(prompts.messageIds(), std::vector<MessageId>{msg::kPlanWithoutTp});
}

TEST(SaveSelected, OnlyTheTickedPlansAreChecked)
{
    TempDir dir;
    PlanList plans;
    plans.append(makePlan("Empty", 0));
    plans.append(makePlan("Good", 2));
    ScriptedPrompts prompts;
    prompts.fileTypes = {FileType::General};
    prompts.saveFiles = {text(dir.file("one.gnr"))};
    saveSelected(plans, prompts, idsOf(plans, {1}), {});
    EXPECT_TRUE(prompts.messages.empty());
    PlanList read;
    readGeneralFile(dir.file("one.gnr"), read);
    ASSERT_EQ(read.count(), 1);
    EXPECT_EQ(read.at(0).nameText(), "Good");
}

TEST(SaveAll, PlanWithoutTpsAmongTwentyPlansGives131First)
{
    TempDir dir;
    auto plans = makePlanList(20, 7);
    while (plans.at(12).channelCount > 0)
        plans.at(12).removeChannelAt(0);
    ScriptedPrompts prompts;
    prompts.fileTypes = {FileType::Q24};
    saveAll(plans, prompts, {});
    EXPECT_EQ(prompts.messageIds(), std::vector<MessageId>{msg::kPlanWithoutTp});
    EXPECT_EQ(prompts.messages[0].text,
              std::string("Save the file failed, please make sure the plan have one channel"));
    EXPECT_TRUE(prompts.fileDialogs.empty());
}

TEST(SaveAll, TwentyPlansWithQ24Give113)
{
    auto plans = makePlanList(20, 7);
    ScriptedPrompts prompts;
    prompts.fileTypes = {FileType::Q24};
    saveAll(plans, prompts, {});
    EXPECT_EQ(prompts.messageIds(), std::vector<MessageId>{msg::kQ24MaxPlans});
}

TEST(SaveAll, SevenTpsWithQ24Give133)
{
    PlanList plans;
    plans.append(makePlan("A", 2));
    plans.append(makePlan("Seven", 7));
    ScriptedPrompts prompts(Language::Chinese);
    prompts.fileTypes = {FileType::Q24};
    saveAll(plans, prompts, {});
    EXPECT_EQ(prompts.messageIds(), std::vector<MessageId>{msg::kQ24MaxTpsAll});
    EXPECT_EQ(prompts.messages[0].text, std::string("有转发器数目多于6个的频道表"));
}

TEST(SaveAll, DvbS2TpIsRefusedForQ24Only)
{
    TempDir dir;
    {
        auto plans = withS2Tp();
        ScriptedPrompts prompts;
        prompts.fileTypes = {FileType::Q24};
        saveAll(plans, prompts, {});
        EXPECT_EQ(prompts.messageIds(), std::vector<MessageId>{msg::kQ24NoS2});
        EXPECT_TRUE(prompts.fileDialogs.empty());
    }
    {
        auto plans = withS2Tp();
        ScriptedPrompts prompts;
        prompts.fileTypes = {FileType::General};
        prompts.saveFiles = {text(dir.file("s2.gnr"))};
        saveAll(plans, prompts, {});
        EXPECT_TRUE(prompts.messages.empty());
        PlanList read;
        readGeneralFile(dir.file("s2.gnr"), read);
        ASSERT_EQ(read.count(), 1);
        EXPECT_EQ(read.at(0).channels[1].signalType, 2);
    }
    {
        auto plans = withS2Tp();
        ScriptedPrompts prompts;
        prompts.fileTypes = {FileType::Q9100};
        prompts.folders = {text(dir.path())};
        saveAll(plans, prompts, {});
        EXPECT_TRUE(prompts.messages.empty());
        EXPECT_TRUE(std::filesystem::exists(dir.file("S2Sat.Orbtab")));
    }
}

TEST(SaveSelected, DvbS2TpIsRefusedForQ24)
{
    auto plans = withS2Tp();
    ScriptedPrompts prompts;
    prompts.fileTypes = {FileType::Q24};
    saveSelected(plans, prompts, allIds(plans), {});
    EXPECT_EQ(prompts.messageIds(), std::vector<MessageId>{msg::kQ24NoS2});
}

TEST(SaveAll, TvTpPassesTheQ24Check)
{
    TempDir dir;
    PlanList plans;
    plans.append(makePlan("Tv", 1));
    plans.at(0).channels[0].signalType = 0;
    ScriptedPrompts prompts;
    prompts.fileTypes = {FileType::Q24};
    prompts.saveFiles = {text(dir.file("tv.planList"))};
    saveAll(plans, prompts, {});
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_TRUE(std::filesystem::exists(dir.file("tv.planList")));
}

// Dialogs and what they ask.

TEST(SaveSelected, GeneralAndQ24SaveDialogsAskBeforeReplacing)
{
    TempDir dir;
    auto plans = makePlanList(2, 1);
    ScriptedPrompts prompts;
    prompts.fileTypes = {FileType::General, FileType::Q24};
    prompts.saveFiles = {text(dir.file("a.gnr")), text(dir.file("a.planList"))};
    saveSelected(plans, prompts, allIds(plans), {});
    saveSelected(plans, prompts, allIds(plans), {});
    ASSERT_EQ(prompts.fileDialogs.size(), 2U);
    EXPECT_EQ(prompts.fileDialogs[0].title, std::string("gnr Save"));
    EXPECT_EQ(prompts.fileDialogs[0].filter, std::string("General File (*.gnr)|*.gnr||"));
    EXPECT_EQ(prompts.fileDialogs[0].defaultSuffix, std::string("gnr"));
    EXPECT_TRUE(prompts.fileDialogs[0].confirmOverwrite);
    EXPECT_FALSE(prompts.fileDialogs[0].multipleFiles);
    EXPECT_EQ(prompts.fileDialogs[1].title, std::string("planList Save"));
    EXPECT_EQ(prompts.fileDialogs[1].filter, std::string("Q24 Sate File (*.planList)|*.planList||"));
    EXPECT_EQ(prompts.fileDialogs[1].defaultSuffix, std::string("planList"));
    EXPECT_TRUE(prompts.fileDialogs[1].confirmOverwrite);
    EXPECT_EQ(prompts.fileTypeDialogs(), 2);
}

TEST(SaveSelected, NothingTickedAsksNothing)
{
    auto plans = makePlanList(2, 1);
    ScriptedPrompts prompts;
    saveSelected(plans, prompts, {}, {});
    EXPECT_EQ(prompts.fileTypeDialogs(), 0);
    PlanList empty;
    saveSelected(empty, prompts, allIds(plans), {});
    EXPECT_EQ(prompts.fileTypeDialogs(), 0);
}

TEST(SaveAll, EmptyListAsksNothing)
{
    PlanList plans;
    ScriptedPrompts prompts;
    saveAll(plans, prompts, {});
    EXPECT_EQ(prompts.fileTypeDialogs(), 0);
}

TEST(SaveCommands, CancelInTheFileTypeDialogWritesNothing)
{
    TempDir dir;
    auto plans = makePlanList(2, 1);
    ScriptedPrompts prompts;
    prompts.fileTypes = {std::nullopt, std::nullopt};
    saveSelected(plans, prompts, allIds(plans), {});
    saveAll(plans, prompts, {});
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_TRUE(prompts.fileDialogs.empty());
    EXPECT_TRUE(prompts.folderTitles.empty());
    EXPECT_EQ(filesIn(dir), 0U);
}

TEST(SaveCommands, CancelInTheSaveDialogWritesNothing)
{
    TempDir dir;
    auto plans = makePlanList(2, 1);
    const auto before = plans.at(1).number;
    ScriptedPrompts prompts;
    prompts.fileTypes = {FileType::General, FileType::Q24, FileType::General};
    prompts.saveFiles = {std::string(), std::string(), std::string()};
    PaneRecord panes;
    saveSelected(plans, prompts, idsOf(plans, {1}), panes.hooks());
    saveSelected(plans, prompts, idsOf(plans, {1}), panes.hooks());
    saveAll(plans, prompts, panes.hooks());
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_EQ(plans.at(1).number, before);
    EXPECT_EQ(filesIn(dir), 0U);
    EXPECT_TRUE(panes.recent.empty());
}

// A Q9100 file holds 102 TPs: a plan of more is refused, named, before the
// folder is asked for; nothing is written.
TEST(SaveCommands, Q9100PlanOfMoreThan102TpsIsRefusedBeforeAnythingIsWritten)
{
    TempDir dir;
    PlanList plans;
    plans.append(makePlan("Fits", 102));
    plans.append(makePlan("Big", 103));
    ScriptedPrompts prompts;
    prompts.fileTypes = {FileType::Q9100, FileType::Q9100};
    saveSelected(plans, prompts, allIds(plans), {});
    saveAll(plans, prompts, {});
    EXPECT_TRUE(prompts.folderTitles.empty());
    ASSERT_EQ(prompts.messageIds(), (std::vector<MessageId>{msg::kQ9100MaxTps, msg::kQ9100MaxTps}));
    EXPECT_EQ(prompts.messages[0].text, "The plan Big have more than 102 TPs, a Q9100 file holds no more");
    EXPECT_EQ(filesIn(dir), 0U);

    prompts.fileTypes = {FileType::Q9100};
    prompts.folders = {text(dir.path())};
    EXPECT_TRUE(saveSelected(plans, prompts, idsOf(plans, {0}), {}));
    EXPECT_EQ(filesIn(dir), 1U);
}

TEST(SaveCommands, CancelInTheFolderBrowserWritesNothing)
{
    TempDir dir;
    auto plans = makePlanList(2, 1);
    ScriptedPrompts prompts;
    prompts.fileTypes = {FileType::Q9100, FileType::Q9100};
    prompts.folders = {std::string(), std::string()};
    saveSelected(plans, prompts, allIds(plans), {});
    saveAll(plans, prompts, {});
    EXPECT_EQ(prompts.folderTitles, (std::vector<std::string>{"Select path", "Select path"}));
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_EQ(filesIn(dir), 0U);
}

// Renumbering.

TEST(SaveSelected, GeneralRenumbersTheSavedPlansInRowOrder)
{
    TempDir dir;
    auto plans = makePlanList(3, 1); // numbers 1, 2, 3
    ScriptedPrompts prompts;
    prompts.fileTypes = {FileType::General};
    prompts.saveFiles = {text(dir.file("sel.gnr"))};
    saveSelected(plans, prompts, idsOf(plans, {2, 0}), {});
    EXPECT_EQ(plans.at(2).number, 0);
    EXPECT_EQ(plans.at(0).number, 1);
    EXPECT_EQ(plans.at(1).number, 2);
    PlanList read;
    readGeneralFile(dir.file("sel.gnr"), read);
    ASSERT_EQ(read.count(), 2);
    EXPECT_EQ(read.at(0).nameText(), "Plan3");
    EXPECT_EQ(read.at(0).number, 0);
    EXPECT_EQ(read.at(1).nameText(), "Plan1");
    EXPECT_EQ(read.at(1).number, 1);
}

TEST(SaveSelected, Q24AndQ9100DoNotRenumber)
{
    TempDir dir;
    auto plans = makePlanList(3, 1);
    ScriptedPrompts prompts;
    prompts.fileTypes = {FileType::Q24, FileType::Q9100};
    prompts.saveFiles = {text(dir.file("sel.planList"))};
    prompts.folders = {text(dir.path())};
    saveSelected(plans, prompts, idsOf(plans, {2, 0}), {});
    saveSelected(plans, prompts, idsOf(plans, {2, 0}), {});
    EXPECT_EQ(plans.at(0).number, 1);
    EXPECT_EQ(plans.at(2).number, 3);
}

TEST(SaveAll, GeneralKeepsTheNumbersAndWritesTheWholeList)
{
    TempDir dir;
    auto plans = makePlanList(3, 2);
    plans.at(0).number = 7;
    const PlanList before = plans;
    ScriptedPrompts prompts;
    prompts.fileTypes = {FileType::General};
    prompts.saveFiles = {text(dir.file("all.gnr"))};
    PaneRecord panes;
    saveAll(plans, prompts, panes.hooks());
    EXPECT_EQ(plans.at(0).number, 7);
    EXPECT_EQ(plans.at(1).number, 2);
    EXPECT_EQ(readBytes(dir.file("all.gnr")), general_file::encode(allPlans(before), false));
    EXPECT_EQ(panes.recent, std::vector<std::string>{text(dir.file("all.gnr"))});
}

TEST(SaveAll, ExistingLongerGeneralFileHoldsExactlyTheNewContent)
{
    TempDir dir;
    const auto target = dir.file("long.gnr");
    const auto longer = makePlanList(4, 1);
    ASSERT_TRUE(writeGeneralFile(target, allPlans(longer)).ok());
    auto plans = makePlanList(2, 1);
    ScriptedPrompts prompts;
    prompts.fileTypes = {FileType::General};
    prompts.saveFiles = {text(target)};
    saveAll(plans, prompts, {});
    EXPECT_EQ(readBytes(target), general_file::encode(allPlans(plans), false));
}

// The Q9100 files and the overwrite question.

TEST(SaveAll, TwoPlansOfOneNameAskBeforeTheSecondReplacesTheFirst)
{
    TempDir dir;
    PlanList plans;
    plans.append(makePlan("Sat", 1));
    plans.append(makePlan("Sat", 3));
    ScriptedPrompts prompts;
    prompts.fileTypes = {FileType::Q9100};
    prompts.folders = {text(dir.path())};
    prompts.answers = {true};
    PaneRecord panes;
    saveAll(plans, prompts, panes.hooks());
    ASSERT_EQ(prompts.messageIds(), std::vector<MessageId>{msg::kOrbtabExists});
    EXPECT_EQ(prompts.messages[0].text, std::string("The target Sat.Orbtab file is already exist, overwrite it?"));
    EXPECT_EQ(prompts.messages[0].buttons, Prompts::Buttons::OkCancel);
    const auto bytes = readBytes(dir.file("Sat.Orbtab"));
    ASSERT_EQ(bytes.size(), orbtab_file::kFileSize);
    EXPECT_EQ(bytes[8], 2);  // the second plan's position
    EXPECT_EQ(bytes[25], 3); // its TP count
    EXPECT_EQ(panes.recent.size(), 2);
}

TEST(SaveSelected, CancelledOverwriteKeepsTheFirstFileAndGoesOn)
{
    TempDir dir;
    PlanList plans;
    plans.append(makePlan("Sat", 1));
    plans.append(makePlan("Sat", 3));
    plans.append(makePlan("Other", 2));
    ScriptedPrompts prompts;
    prompts.fileTypes = {FileType::Q9100};
    prompts.folders = {text(dir.path())};
    prompts.answers = {false};
    PaneRecord panes;
    saveSelected(plans, prompts, allIds(plans), panes.hooks());
    EXPECT_EQ(prompts.messageIds(), std::vector<MessageId>{msg::kOrbtabExists});
    EXPECT_EQ(readBytes(dir.file("Sat.Orbtab"))[8], 1);
    EXPECT_EQ(readBytes(dir.file("Other.Orbtab"))[8], 3);
    EXPECT_EQ(panes.recent, (std::vector<std::string>{text(dir.file("Sat.Orbtab")), text(dir.file("Other.Orbtab"))}));
}

TEST(SaveAll, NameDifferingOnlyInLetterCaseIsNotAskedAbout)
{
    TempDir dir;
    writeBytes(dir.file("sat.Orbtab"), {1, 2, 3});
    PlanList plans;
    plans.append(makePlan("Sat", 1));
    ScriptedPrompts prompts;
    prompts.fileTypes = {FileType::Q9100};
    prompts.folders = {text(dir.path())};
    saveAll(plans, prompts, {});
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_EQ(readBytes(dir.file("Sat.Orbtab")).size(), orbtab_file::kFileSize);
    EXPECT_EQ(readBytes(dir.file("sat.Orbtab")), (std::vector<std::uint8_t>{1, 2, 3}));
}

TEST(SaveAll, UnsafePlanNameIsReportedAndTheOthersAreWritten)
{
    TempDir dir;
    std::filesystem::create_directory(dir.file("inner"));
    PlanList plans;
    plans.append(makePlan("../up", 1));
    plans.append(makePlan("Fine", 1));
    ScriptedPrompts prompts;
    prompts.fileTypes = {FileType::Q9100};
    prompts.folders = {text(dir.file("inner"))};
    saveAll(plans, prompts, {});
    EXPECT_EQ(prompts.messageIds(), std::vector<MessageId>{msg::kUnsafePlanName});
    EXPECT_TRUE(prompts.messages[0].text.find("../up") != std::string::npos);
    EXPECT_TRUE(std::filesystem::exists(dir.file("inner") / "Fine.Orbtab"));
    EXPECT_FALSE(std::filesystem::exists(dir.file("up.Orbtab")));
}

// Failures reported naming the file.

TEST(SaveCommands, UnwritableTargetIsReportedNamingTheFile)
{
    TempDir dir;
    auto plans = makePlanList(1, 1);
    const std::string target = text(dir.file("missing") / "out.gnr");
    ScriptedPrompts prompts;
    prompts.fileTypes = {FileType::General};
    prompts.saveFiles = {target};
    PaneRecord panes;
    saveAll(plans, prompts, panes.hooks());
    ASSERT_EQ(prompts.messageIds(), std::vector<MessageId>{msg::kSaveFileFailedBecause});
    EXPECT_EQ(prompts.messages[0].text, "Save the file " + target + " failed: " + std::strerror(ENOENT));
    EXPECT_EQ(prompts.messages[0].buttons, Prompts::Buttons::Ok);
    EXPECT_TRUE(panes.recent.empty());
}

TEST(SaveSelected, UnwritableRenumberedTargetKeepsTheNumbers)
{
    TempDir dir;
    auto plans = makePlanList(2, 1);
    ScriptedPrompts prompts;
    prompts.fileTypes = {FileType::General};
    prompts.saveFiles = {text(dir.file("missing") / "out.gnr")};
    saveSelected(plans, prompts, idsOf(plans, {1}), {});
    EXPECT_EQ(prompts.messageIds(), std::vector<MessageId>{msg::kSaveFileFailedBecause});
    EXPECT_EQ(plans.at(1).number, 2);
}

TEST(SaveAll, UnwritableOrbtabFolderReportsEveryFile)
{
    TempDir dir;
    PlanList plans;
    plans.append(makePlan("A", 1));
    plans.append(makePlan("B", 1));
    ScriptedPrompts prompts;
    prompts.fileTypes = {FileType::Q9100};
    prompts.folders = {text(dir.file("missing"))};
    saveAll(plans, prompts, {});
    ASSERT_EQ(prompts.messageIds(), (std::vector<MessageId>{msg::kSaveFileFailedBecause, msg::kSaveFileFailedBecause}));
    EXPECT_TRUE(prompts.messages[0].text.find("A.Orbtab") != std::string::npos);
    EXPECT_TRUE(prompts.messages[1].text.find("B.Orbtab") != std::string::npos);
}

// Open.

TEST(OpenPlans, NoSaveOfferWithAnEmptyList)
{
    PlanList plans;
    ScriptedPrompts prompts;
    prompts.openFiles = {std::vector<std::string>{}};
    PaneRecord panes;
    openPlans(plans, prompts, panes.hooks());
    EXPECT_TRUE(prompts.messages.empty());
    ASSERT_EQ(prompts.fileDialogs.size(), 1U);
    EXPECT_EQ(prompts.fileDialogs[0].filter,
              std::string("General SateFile (*.gnr)|*.gnr|Q24 SateFile (*.planList)|*.planList|"
                          "Q9100 SateFiles (*.Orbtab)|*.Orbtab||"));
    EXPECT_TRUE(prompts.fileDialogs[0].multipleFiles);
    EXPECT_TRUE(prompts.fileDialogs[0].defaultSuffix.empty());
}

TEST(OpenPlans, CancelInTheOpenDialogKeepsThePlansAndThePanes)
{
    auto plans = makePlanList(3, 2);
    const PlanList before = plans;
    ScriptedPrompts prompts;
    prompts.answers = {false};
    prompts.openFiles = {std::vector<std::string>{}};
    PaneRecord panes;
    openPlans(plans, prompts, panes.hooks());
    EXPECT_EQ(prompts.messageIds(), std::vector<MessageId>{msg::kSaveOffer});
    EXPECT_EQ(prompts.messages[0].text, std::string("Save plan(s) in the planlist?"));
    EXPECT_EQ(plans.count(), 3);
    EXPECT_TRUE(std::equal(plans.begin(), plans.end(), before.begin(), before.end()));
    EXPECT_EQ(panes.rowsCleared, 0);
    EXPECT_EQ(panes.currentPlanCleared, 0);
    EXPECT_EQ(panes.refreshes, 0);
    EXPECT_EQ(prompts.fileTypeDialogs(), 0);
}

TEST(OpenPlans, AcceptedSaveOfferRunsSaveAllThenOpens)
{
    TempDir dir;
    auto plans = makePlanList(2, 1);
    const PlanList before = plans;
    const std::string saved = text(dir.file("saved.gnr"));
    ScriptedPrompts prompts;
    prompts.answers = {true};
    prompts.fileTypes = {FileType::General};
    prompts.saveFiles = {saved};
    prompts.openFiles = {std::vector<std::string>{saved}};
    PaneRecord panes;
    openPlans(plans, prompts, panes.hooks());
    EXPECT_EQ(prompts.messageIds(), std::vector<MessageId>{msg::kSaveOffer});
    // A General file keeps every field and identity.
    EXPECT_TRUE(std::equal(plans.begin(), plans.end(), before.begin(), before.end()));
    EXPECT_EQ(panes.recent, (std::vector<std::string>{saved, saved}));
    EXPECT_EQ(panes.stored, std::vector<std::string>{saved});
    EXPECT_EQ(panes.replaced, std::vector<std::string>{saved});
}

TEST(OpenPlans, FailedSaveAllStillGoesOnToOpen)
{
    TempDir dir;
    PlanList plans;
    plans.append(makePlan("Empty", 0));
    const auto source = writeOrbtab(dir, "New", 2);
    ScriptedPrompts prompts;
    prompts.answers = {true};
    prompts.fileTypes = {FileType::General};
    prompts.openFiles = {std::vector<std::string>{text(source)}};
    PaneRecord panes;
    openPlans(plans, prompts, panes.hooks());
    EXPECT_EQ(prompts.messageIds(), (std::vector<MessageId>{msg::kSaveOffer, msg::kPlanWithoutTp}));
    ASSERT_EQ(plans.count(), 1);
    EXPECT_EQ(plans.at(0).nameText(), "New");
}

// The file dialog's *.gnr filter lists a.GNR; Open reads it as what it is.
TEST(OpenPlans, GnrInCapitalsIsReadAsAGeneralFile)
{
    TempDir dir;
    const auto list = makePlanList(2, 1);
    const auto path = dir.file("a.GNR");
    ASSERT_TRUE(writeGeneralFile(path, allPlans(list)).ok());
    auto plans = makePlanList(1, 1);
    ScriptedPrompts prompts;
    prompts.answers = {false};
    prompts.openFiles = {std::vector<std::string>{text(path)}};
    PaneRecord panes;
    panes.nextPlanNumber = 9;
    openPlans(plans, prompts, panes.hooks());
    EXPECT_EQ(plans.count(), 2);
    EXPECT_EQ(panes.nextPlanNumber, 2);
    EXPECT_EQ(prompts.messageIds(), std::vector<MessageId>{msg::kSaveOffer});
    EXPECT_EQ(panes.recent, std::vector<std::string>{text(path)});
}

TEST(OpenPlans, ThreeOrbtabFilesInOrderGiveNextPlanNumberThree)
{
    TempDir dir;
    const std::vector<std::string> paths{text(writeOrbtab(dir, "C", 1)), text(writeOrbtab(dir, "A", 2)),
                                         text(writeOrbtab(dir, "B", 3))};
    PlanList plans;
    ScriptedPrompts prompts;
    prompts.openFiles = {paths};
    PaneRecord panes;
    openPlans(plans, prompts, panes.hooks());
    EXPECT_TRUE(prompts.messages.empty());
    ASSERT_EQ(plans.count(), 3);
    EXPECT_EQ(plans.at(0).nameText(), "C");
    EXPECT_EQ(plans.at(1).nameText(), "A");
    EXPECT_EQ(plans.at(2).nameText(), "B");
    EXPECT_EQ(plans.at(2).channelCount, 3);
    EXPECT_EQ(panes.nextPlanNumber, 3);
    EXPECT_EQ(panes.recent, paths);
    EXPECT_EQ(panes.refreshes, 1);
    EXPECT_GE(panes.currentPlanCleared, 1);
}

// The list holds 255 plans: the Orbtab files after the 255th, and the plans
// of a General file past its 255th, are named in a message.
TEST(OpenChosenFiles, WhatThe255PlansLeaveOutIsNamed)
{
    TempDir dir;
    std::vector<std::string> paths;
    for (int i = 1; i <= 256; ++i)
        paths.push_back(text(writeOrbtab(dir, std::string("S").append(std::to_string(i)), 1)));
    PlanList plans;
    ScriptedPrompts prompts;
    PaneRecord panes;
    openChosenFiles(plans, prompts, {paths.begin(), paths.end() - 1}, panes.hooks());
    EXPECT_EQ(plans.count(), 255);
    EXPECT_TRUE(prompts.messages.empty());

    openChosenFiles(plans, prompts, paths, panes.hooks());
    EXPECT_EQ(plans.count(), 255);
    EXPECT_EQ(panes.nextPlanNumber, 255);
    ASSERT_EQ(prompts.messageIds(), std::vector<MessageId>{msg::kFilesNotTaken});
    EXPECT_EQ(prompts.messages[0].text, "1 file(s) are not read, the list holds at most 255 plans: S256.Orbtab");
    EXPECT_EQ(prompts.messages[0].owner, PromptOwner::MainWindow);

    std::vector<std::uint8_t> general(general_file::kHeaderSize + CComonOrbitune::kImageSize * 257);
    general[12] = 1; // 257 plans
    general[13] = 1;
    writeBytes(dir.file("many.gnr"), general);
    prompts.messages.clear();
    openChosenFiles(plans, prompts, {text(dir.file("many.gnr"))}, panes.hooks());
    EXPECT_EQ(plans.count(), 255);
    ASSERT_EQ(prompts.messageIds(), std::vector<MessageId>{msg::kPlansNotTaken});
    EXPECT_EQ(prompts.messages[0].text,
              text(dir.file("many.gnr")) + ": 2 plan(s) are not read, the list holds at most 255 plans");
}

TEST(OpenPlans, GeneralFileChosenWithOthersReadsOnlyTheFirst)
{
    TempDir dir;
    auto list = makePlanList(2, 1);
    const auto general = dir.file("two.gnr");
    ASSERT_TRUE(writeGeneralFile(general, allPlans(list)).ok());
    const std::vector<std::string> paths{text(general), text(writeOrbtab(dir, "Extra", 1)), text(dir.file("two.gnr"))};
    PlanList plans;
    ScriptedPrompts prompts;
    prompts.openFiles = {paths};
    PaneRecord panes;
    openPlans(plans, prompts, panes.hooks());
    EXPECT_TRUE(prompts.messages.empty());
    ASSERT_EQ(plans.count(), 2);
    EXPECT_EQ(plans.at(0).nameText(), "Plan1");
    EXPECT_EQ(plans.at(1).nameText(), "Plan2");
    // The header value at offset 16 is the plan count the writer stored.
    EXPECT_EQ(panes.nextPlanNumber, 2);
    EXPECT_EQ(panes.recent, std::vector<std::string>{text(general)});
}

TEST(OpenPlans, PlanListFileGivesItsPlanCount)
{
    TempDir dir;
    auto list = makePlanList(3, 2);
    const auto path = dir.file("three.planList");
    ASSERT_TRUE(writePlanListFile(path, allPlans(list)).ok());
    PlanList plans;
    ScriptedPrompts prompts;
    prompts.openFiles = {std::vector<std::string>{text(path)}};
    PaneRecord panes;
    openPlans(plans, prompts, panes.hooks());
    EXPECT_EQ(plans.count(), 3);
    EXPECT_EQ(panes.nextPlanNumber, 3);
    EXPECT_EQ(panes.recent, std::vector<std::string>{text(path)});
}

TEST(OpenPlans, BadFirstOrbtabChecksumIsReportedNamingItAndEndsTheReading)
{
    TempDir dir;
    const auto bad = writeOrbtab(dir, "Bad", 1, false);
    const std::vector<std::string> paths{text(bad), text(writeOrbtab(dir, "Good", 1))};
    auto plans = makePlanList(2, 1);
    ScriptedPrompts prompts;
    prompts.answers = {false};
    prompts.openFiles = {paths};
    PaneRecord panes;
    panes.nextPlanNumber = 5;
    openPlans(plans, prompts, panes.hooks());
    EXPECT_TRUE(plans.empty());
    EXPECT_EQ(panes.nextPlanNumber, 5);
    ASSERT_EQ(prompts.messageIds(), (std::vector<MessageId>{msg::kSaveOffer, msg::kChecksumFailed}));
    EXPECT_EQ(prompts.messages[1].text, "The file " + text(bad) + " checksum is wrong");
    EXPECT_TRUE(panes.recent.empty());
}

TEST(OpenChosenFiles, LaterBadChecksumIsNotVerifiedAndMissingFilesAreReported)
{
    TempDir dir;
    const std::string missing = text(dir.file("gone.Orbtab"));
    const std::vector<std::string> paths{text(writeOrbtab(dir, "A", 1)), missing,
                                         text(writeOrbtab(dir, "Bad", 1, false))};
    PlanList plans;
    ScriptedPrompts prompts(Language::Chinese);
    PaneRecord panes;
    openChosenFiles(plans, prompts, paths, panes.hooks());
    EXPECT_EQ(plans.count(), 2);
    EXPECT_EQ(panes.nextPlanNumber, 2);
    ASSERT_EQ(prompts.messageIds(), std::vector<MessageId>{msg::kOpenFileFailedBecause});
    EXPECT_EQ(prompts.messages[0].text, "打开文件" + missing + "失败: " + std::strerror(ENOENT));
    EXPECT_EQ(panes.recent, (std::vector<std::string>{paths[0], paths[2]}));
}

TEST(OpenChosenFiles, UnreadableGeneralFileIsReportedAndLeavesTheListEmpty)
{
    TempDir dir;
    const std::string missing = text(dir.file("none.gnr"));
    auto plans = makePlanList(2, 1);
    ScriptedPrompts prompts;
    PaneRecord panes;
    panes.nextPlanNumber = 4;
    openChosenFiles(plans, prompts, {missing}, panes.hooks());
    EXPECT_TRUE(plans.empty());
    EXPECT_EQ(panes.nextPlanNumber, 4);
    EXPECT_EQ(prompts.messageIds(), std::vector<MessageId>{msg::kOpenFileFailedBecause});
    EXPECT_EQ(prompts.messages[0].text, "Open the file " + missing + " failed: " + std::strerror(ENOENT));
    EXPECT_EQ(panes.rowsCleared, 1);
    EXPECT_EQ(panes.refreshes, 1);
}

TEST(OpenChosenFiles, EmptyHooksAreAllowed)
{
    TempDir dir;
    PlanList plans;
    ScriptedPrompts prompts;
    openChosenFiles(plans, prompts, {text(writeOrbtab(dir, "A", 1))}, {});
    EXPECT_EQ(plans.count(), 1);
}

// The whole list is "stored" only where every plan of it went.
TEST(SaveCommands, WholeListStoredOnlyWhenEveryPlanWasWritten)
{
    TempDir dir;
    auto plans = makePlanList(3, 1);
    ScriptedPrompts prompts;
    PaneRecord panes;
    prompts.fileTypes = {FileType::General, FileType::General, FileType::Q9100};
    prompts.saveFiles = {text(dir.file("two.gnr")), text(dir.file("all.gnr"))};
    EXPECT_TRUE(saveSelected(plans, prompts, idsOf(plans, {0, 2}), panes.hooks()));
    EXPECT_TRUE(panes.stored.empty());
    EXPECT_TRUE(saveSelected(plans, prompts, idsOf(plans, {2, 1, 0}), panes.hooks()));
    EXPECT_EQ(panes.stored, std::vector<std::string>{text(dir.file("all.gnr"))});
    // One of three Orbtab files refused: the list is not stored.
    prompts.folders = {dir.path().string()};
    prompts.answers = {false};
    plans.at(1).setNameText(plans.at(0).nameText());
    EXPECT_FALSE(saveAll(plans, prompts, panes.hooks()));
    EXPECT_EQ(panes.stored.size(), 1U);
}

TEST(SettleUnsavedPlans, OkSavesDontSaveGoesOnCancelStays)
{
    TempDir dir;
    auto plans = makePlanList(2, 1);
    ScriptedPrompts prompts;
    PaneRecord panes;
    prompts.saveAnswers = {Prompts::Answer::Cancel, Prompts::Answer::Discard, Prompts::Answer::Ok, Prompts::Answer::Ok};
    EXPECT_FALSE(settleUnsavedPlans(plans, prompts, panes.hooks()));
    EXPECT_TRUE(settleUnsavedPlans(plans, prompts, panes.hooks()));
    EXPECT_EQ(prompts.fileTypeDialogs(), 0);
    // OK with the save cancelled, then OK with the save done.
    prompts.fileTypes = {std::nullopt, FileType::General};
    prompts.saveFiles = {text(dir.file("kept.gnr"))};
    EXPECT_FALSE(settleUnsavedPlans(plans, prompts, panes.hooks()));
    EXPECT_TRUE(settleUnsavedPlans(plans, prompts, panes.hooks()));
    EXPECT_EQ(panes.stored, std::vector<std::string>{text(dir.file("kept.gnr"))});
    ASSERT_EQ(prompts.messages.size(), 4U);
    EXPECT_EQ(prompts.messages[0].id, msg::kSaveOffer);
    EXPECT_EQ(prompts.messages[0].buttons, Prompts::Buttons::SaveDiscardCancel);
    EXPECT_EQ(prompts.messages[0].owner, PromptOwner::MainWindow);
    // Nothing to save in an empty list: nothing is asked.
    PlanList none;
    EXPECT_TRUE(settleUnsavedPlans(none, prompts, panes.hooks()));
    EXPECT_EQ(prompts.messages.size(), 4U);
}
