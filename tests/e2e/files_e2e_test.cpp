#include "core/files/general_file.h"
#include "core/model/plan_list.h"
#include "core/rules/model_checks.h"
#include "e2e/editor_steps.h"
#include "support/plan_builders.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

std::filesystem::path writePlans(const std::filesystem::path& file, int count)
{
    const PlanList plans = makePlanList(count, 2);
    EXPECT_TRUE(writeGeneralFile(file, allPlans(plans)).ok());
    return file;
}

TEST(FilesE2e, SavingOverAFileNobodyMayWriteNamesTheReasonAndKeepsIt)
{
    EditorSession editor;
    ASSERT_EQ(editor.failure(), "");
    const auto plans = writePlans(editor.folder().file("plans.gnr"), 2);
    const auto kept = writePlans(editor.folder().file("kept.gnr"), 1);
    const auto before = readBytes(kept);
    std::filesystem::permissions(kept, std::filesystem::perms::owner_read | std::filesystem::perms::group_read |
                                           std::filesystem::perms::others_read);
    ASSERT_TRUE(editor.start({.files = {plans.string()}})) << editor.log();

    ASSERT_TRUE(steps::saveAllAsGeneral(editor, kept));
    const std::string message = steps::answerMessage(editor);
    EXPECT_NE(message.find("kept.gnr"), std::string::npos) << message;
    EXPECT_NE(message.find("Permission denied"), std::string::npos) << message;
    EXPECT_EQ(readBytes(kept), before);
    EXPECT_EQ(editor.mainTitle(), "plans.gnr - Orbitune");
}

TEST(FilesE2e, AFifoNamedOnTheCommandLineIsRefusedAtOnce)
{
    EditorSession editor;
    ASSERT_EQ(editor.failure(), "");
    const auto fifo = editor.folder().file("waiting.gnr");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    ASSERT_TRUE(editor.start({.files = {fifo.string()}})) << editor.log();

    const std::string message = steps::answerMessage(editor);
    EXPECT_NE(message.find("waiting.gnr"), std::string::npos) << message;
    EXPECT_NE(message.find("not a regular file"), std::string::npos) << message;
    // The window goes on taking input: Add Plan adds a plan.
    ASSERT_TRUE(editor.clickButton("Add Plan"));
    EXPECT_TRUE(editor.waitFor("table cell", "Plan1"));
}

} // namespace
