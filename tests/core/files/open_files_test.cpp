#include "core/files/general_file.h"
#include "core/files/open_files.h"
#include "core/files/orbtab_file.h"
#include "core/rules/model_checks.h"
#include "support/plan_builders.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace {

std::string orbtab(const TempDir& dir, const std::string& name, int tps, bool intact = true)
{
    auto image = orbtab_file::encode(makePlan(name, tps), 1);
    if (!intact)
        image[8236] ^= 1;
    const auto path = dir.file(name + ".Orbtab");
    writeBytes(path, {image.begin(), image.end()});
    return path.string();
}

TEST(OpenFiles, ExtensionIsTheTextAfterTheLastDot)
{
    EXPECT_EQ(openExtension("/a.b/c.planList"), "planList");
    EXPECT_EQ(openExtension("/a/none"), "/a/none");
}

TEST(OpenFiles, ThreeOrbtabFilesInOrderGiveNextPlanNumberThree)
{
    TempDir dir;
    const std::vector<std::string> paths{orbtab(dir, "C", 1), orbtab(dir, "A", 2), orbtab(dir, "B", 3)};
    PlanList plans;
    const auto result = readChosenFiles(paths, plans);
    EXPECT_EQ(result.nextPlanNumber, 3);
    EXPECT_TRUE(result.errors.empty());
    ASSERT_EQ(plans.count(), 3);
    EXPECT_EQ(plans.at(0).nameText(), "C");
    EXPECT_EQ(plans.at(1).nameText(), "A");
    EXPECT_EQ(plans.at(2).nameText(), "B");
}

TEST(OpenFiles, FirstOrbtabChecksumFailureEndsTheReading)
{
    TempDir dir;
    const std::vector<std::string> paths{orbtab(dir, "Bad", 1, false), orbtab(dir, "Good", 1)};
    PlanList plans;
    const auto result = readChosenFiles(paths, plans);
    EXPECT_FALSE(result.nextPlanNumber);
    ASSERT_EQ(result.errors.size(), 1U);
    EXPECT_EQ(result.errors[0].kind, FileError::Kind::ChecksumFailed);
    EXPECT_EQ(result.errors[0].path, paths[0]);
    EXPECT_TRUE(plans.empty());
}

TEST(OpenFiles, LaterOrbtabFilesAreNotVerifiedAndUnreadableOnesAreReported)
{
    TempDir dir;
    const std::vector<std::string> paths{orbtab(dir, "A", 1), dir.file("gone.Orbtab").string(),
                                         orbtab(dir, "Bad", 1, false), ""};
    PlanList plans;
    const auto result = readChosenFiles(paths, plans);
    EXPECT_EQ(result.nextPlanNumber, 2);
    ASSERT_EQ(result.errors.size(), 1U);
    EXPECT_EQ(result.errors[0].path, paths[1]);
    EXPECT_EQ(plans.count(), 2);
}

// A file is read whatever the letter case of its extension, as the tools
// that write it name it.
TEST(OpenFiles, ExtensionsInAnyLetterCaseNameTheirFormat)
{
    EXPECT_EQ(planFileKind("/a.b/c.JSON"), PlanFileKind::Json);
    EXPECT_EQ(planFileKind("c.PlanList"), PlanFileKind::Q24);
    EXPECT_EQ(planFileKind("c.gnr.txt"), std::nullopt);
    EXPECT_EQ(planFileKind("c.gn"), std::nullopt);
    TempDir dir;
    const auto list = makePlanList(2, 1);
    ASSERT_TRUE(writeGeneralFile(dir.file("a.GNR"), allPlans(list)).ok());
    PlanList plans;
    auto result = readChosenFiles({dir.file("a.GNR").string()}, plans);
    EXPECT_EQ(result.nextPlanNumber, 2);
    EXPECT_EQ(plans.count(), 2);
    std::filesystem::rename(orbtab(dir, "X", 1), dir.file("x.ORBTAB"));
    plans.removeAll();
    result = readChosenFiles({dir.file("x.ORBTAB").string(), orbtab(dir, "Y", 1)}, plans);
    EXPECT_EQ(result.nextPlanNumber, 2);
    EXPECT_EQ(plans.count(), 2);
}

// After a first Q9100 file only .Orbtab files are read: any other file would
// be read as one and make a plan of whatever it holds.
TEST(OpenFiles, OnlyOrbtabFilesFollowAFirstOrbtabFile)
{
    TempDir dir;
    ASSERT_TRUE(writeGeneralFile(dir.file("a.gnr"), allPlans(makePlanList(2, 1))).ok());
    const std::vector<std::string> paths{orbtab(dir, "A", 1), dir.file("a.gnr").string(), orbtab(dir, "B", 1)};
    PlanList plans;
    const auto result = readChosenFiles(paths, plans);
    EXPECT_EQ(result.nextPlanNumber, 2);
    EXPECT_TRUE(result.errors.empty());
    EXPECT_EQ(result.notRead, std::vector<std::string>{paths[1]});
    ASSERT_EQ(plans.count(), 2);
    EXPECT_EQ(plans.at(1).nameText(), "B");
}

TEST(OpenFiles, GeneralFileChosenWithOthersReadsOnlyTheFirst)
{
    TempDir dir;
    const auto list = makePlanList(2, 1);
    ASSERT_TRUE(writeGeneralFile(dir.file("a.gnr"), allPlans(list)).ok());
    const std::vector<std::string> paths{dir.file("a.gnr").string(), orbtab(dir, "X", 1), dir.file("b.gnr").string()};
    PlanList plans;
    const auto result = readChosenFiles(paths, plans);
    EXPECT_EQ(result.nextPlanNumber, 2);
    EXPECT_TRUE(result.errors.empty());
    ASSERT_EQ(plans.count(), 2);
    EXPECT_EQ(plans.at(0).id, list.at(0).id);
}

TEST(OpenFiles, UnreadableGeneralFileKeepsTheCounterAndNamesTheFile)
{
    TempDir dir;
    PlanList plans;
    const auto result = readChosenFiles({dir.file("none.gnr").string()}, plans);
    EXPECT_FALSE(result.nextPlanNumber);
    ASSERT_EQ(result.errors.size(), 1U);
    EXPECT_EQ(result.errors[0].path, dir.file("none.gnr").string());
    EXPECT_TRUE(result.filesRead.empty());
}

TEST(OpenFiles, FilesReadNameOnlyThePathsWhosePlansWereTaken)
{
    TempDir dir;
    const auto list = makePlanList(2, 1);
    ASSERT_TRUE(writeGeneralFile(dir.file("a.gnr"), allPlans(list)).ok());
    PlanList plans;
    const auto general = readChosenFiles({dir.file("a.gnr").string(), orbtab(dir, "X", 1)}, plans);
    EXPECT_EQ(general.filesRead, std::vector<std::string>{dir.file("a.gnr").string()});

    const std::vector<std::string> paths{orbtab(dir, "A", 1), "", dir.file("gone.Orbtab").string(),
                                         orbtab(dir, "B", 1)};
    plans.removeAll();
    const auto orbtabs = readChosenFiles(paths, plans);
    EXPECT_EQ(orbtabs.filesRead, (std::vector<std::string>{paths[0], paths[3]}));
    EXPECT_EQ(orbtabs.nextPlanNumber, 2);

    plans.removeAll();
    EXPECT_TRUE(readChosenFiles({orbtab(dir, "Bad", 1, false)}, plans).filesRead.empty());
}

} // namespace
