#include "cli_run.h"
#include "core/files/general_file.h"
#include "core/rules/model_checks.h"
#include "support/plan_builders.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

namespace {

TEST(Cli, FullGeneralFileConvertsToAnIdenticalGeneralFile)
{
    TempDir dir;
    const auto list = makePlanList(255, 255);
    auto bytes = general_file::encode(allPlans(list), false);
    for (std::size_t j = 0; j < 255; ++j)
        for (std::size_t i = 0; i < 4; ++i)
            bytes[24 + j * CComonOrbitune::kImageSize + i] = 0xC5;
    writeBytes(dir.file("in.gnr"), bytes);
    ASSERT_EQ(cli(dir, "convert --to gnr in.gnr out.gnr").status, 0);
    const auto out = readBytes(dir.file("out.gnr"));
    ASSERT_EQ(out.size(), bytes.size());
    for (std::size_t j = 0; j < 255; ++j)
        for (std::size_t i = 0; i < 4; ++i) {
            EXPECT_EQ(out[24 + j * CComonOrbitune::kImageSize + i], 0);
            bytes[24 + j * CComonOrbitune::kImageSize + i] = 0;
        }
    EXPECT_TRUE(out == bytes);
}

// The table names the TPs' values as the TP list does, the frequency exactly.
TEST(Cli, ShowTableNamesTheValuesAsTheListDoes)
{
    TempDir dir;
    auto plan = makePlan("S2Sat", 1);
    SateChannel& tp = plan.channels[0];
    tp.signalType = 2;
    tp.modulation = 0;
    tp.codeRate = 13;
    tp.frequency = 1170050;
    const std::vector<const CComonOrbitune*> plans{&plan};
    writeGeneralFile(dir.file("a.gnr"), plans);
    const auto run = cli(dir, "show a.gnr");
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("  1    TP1        Enable   DVB_S2  11700.50   13.50    10.000    3/5   8PSK  0.35  "
                           "HORIZ/LEFT    Auto  OFF"),
              std::string::npos)
        << run.out;
}

TEST(Cli, ShowJsonPrintsThePlansAndTheCounter)
{
    TempDir dir;
    writeGeneralFile(dir.file("a.gnr"), allPlans(makePlanList(2, 1)));
    const auto run = cli(dir, "show --json a.gnr");
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("\"nextPlanNumber\": 2"), std::string::npos);
    EXPECT_NE(run.out.find("\"name\": \"Plan2\""), std::string::npos);
}

// After a General, Q24 or JSON file no other input is read, and the tool says
// which ones it left.
TEST(Cli, InputsThatAreNotReadAreNamed)
{
    TempDir dir;
    writeGeneralFile(dir.file("a.gnr"), allPlans(makePlanList(2, 1)));
    writeGeneralFile(dir.file("b.gnr"), allPlans(makePlanList(3, 1)));
    auto run = cli(dir, "show a.gnr b.gnr");
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("plans: 2"), std::string::npos);
    EXPECT_EQ(run.err, "The file b.gnr is not read: after a General, Q24 or JSON file no other file is read\n");
    ASSERT_EQ(cli(dir, "convert --to json a.gnr a.json").status, 0);
    run = cli(dir, "check --model general a.json b.gnr a.gnr");
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.err.find("The file b.gnr is not read"), std::string::npos);
    EXPECT_NE(run.err.find("The file a.gnr is not read"), std::string::npos);
    EXPECT_EQ(cli(dir, "show a.gnr").err, "");
}

TEST(Cli, UnreadableOrUnknownInputIsExitTwoNamingTheFile)
{
    TempDir dir;
    auto run = cli(dir, "show none.gnr");
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("none.gnr"), std::string::npos);
    writeBytes(dir.file("a.GNR"), {1});
    EXPECT_EQ(cli(dir, "show a.GNR").status, 2);
    std::ofstream(dir.file("bad.json")) << R"({"plans": [{"lnbLow": "x"}]})";
    run = cli(dir, "show bad.json");
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("lnbLow"), std::string::npos);
}

TEST(Cli, UsageErrorsAreExitTwo)
{
    TempDir dir;
    EXPECT_EQ(cli(dir, "").status, 2);
    EXPECT_EQ(cli(dir, "convert --to zip a.gnr b").status, 2);
    EXPECT_EQ(cli(dir, "convert --to gnr a.gnr").status, 2);
    EXPECT_EQ(cli(dir, "check --model q99 a.gnr").status, 2);
    EXPECT_EQ(cli(dir, "--help").status, 0);
}

TEST(Cli, FailedCheckWritesNothingAndIsExitOne)
{
    TempDir dir;
    writeGeneralFile(dir.file("a.gnr"), allPlans(makePlanList(17, 1)));
    const auto run = cli(dir, "convert --to planList a.gnr out.planList");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("Q24 have no more than 16 plans"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(dir.file("out.planList")));
    EXPECT_EQ(cli(dir, "check --model q24 a.gnr").status, 1);
    const auto ok = cli(dir, "check --model general a.gnr");
    EXPECT_EQ(ok.status, 0);
    EXPECT_EQ(ok.out, "OK\n");
}

TEST(Cli, ExistingOutputIsRefusedUnlessOverwrite)
{
    TempDir dir;
    writeGeneralFile(dir.file("a.gnr"), allPlans(makePlanList(2, 1)));
    ASSERT_EQ(cli(dir, "convert --to orbtab a.gnr folder").status, 0);
    EXPECT_TRUE(std::filesystem::exists(dir.file("folder") / "Plan1.Orbtab"));
    EXPECT_EQ(cli(dir, "convert --to orbtab a.gnr folder").status, 1);
    EXPECT_EQ(cli(dir, "convert --to orbtab --overwrite a.gnr folder").status, 0);
    EXPECT_EQ(cli(dir, "convert --to json a.gnr a.gnr").status, 1);
    ASSERT_EQ(cli(dir, "convert --to json a.gnr a.json").status, 0);
    const auto back = cli(dir, "show folder/Plan2.Orbtab folder/Plan1.Orbtab");
    EXPECT_EQ(back.status, 0);
    EXPECT_NE(back.out.find("nextPlanNumber: 2"), std::string::npos);
}

TEST(Cli, RenumberAppliesToGeneralOutput)
{
    TempDir dir;
    auto list = makePlanList(2, 1);
    list.at(0).number = 40;
    writeGeneralFile(dir.file("a.gnr"), allPlans(list));
    ASSERT_EQ(cli(dir, "convert --to gnr --renumber a.gnr b.gnr").status, 0);
    PlanList read;
    readGeneralFile(dir.file("b.gnr"), read);
    ASSERT_EQ(read.count(), 2);
    EXPECT_EQ(read.at(0).number, 0);
    EXPECT_EQ(read.at(1).number, 1);
}

TEST(Cli, ChineseLocaleGivesChineseMessages)
{
    TempDir dir;
    const std::string command = "cd '" + dir.path().string() + "' && LANGUAGE= LC_ALL=zh_CN.UTF-8 '" + ORBITUNE_CLI +
                                "' show none.gnr 2>err.txt";
    EXPECT_NE(std::system(command.c_str()), 0);
    EXPECT_NE(slurp(dir.file("err.txt")).find("打开文件"), std::string::npos);
}

} // namespace
