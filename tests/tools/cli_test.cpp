#include "cli_run.h"
#include "core/files/general_file.h"
#include "core/files/orbtab_file.h"
#include "core/rules/model_checks.h"
#include "support/plan_builders.h"
#include "support/temp_dir.h"
#include "support/watched_fifo.h"

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

    // After a Q9100 file only .Orbtab files are read.
    ASSERT_EQ(cli(dir, "convert --to orbtab a.gnr folder").status, 0);
    run = cli(dir, "show folder/Plan1.Orbtab a.gnr folder/Plan2.Orbtab");
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("plans: 2"), std::string::npos);
    EXPECT_EQ(run.err, "The file a.gnr is not read: after a Q9100 file only .Orbtab files are read\n");
}

TEST(Cli, UnreadableOrUnknownInputIsExitTwoNamingTheFile)
{
    TempDir dir;
    auto run = cli(dir, "show none.gnr");
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("none.gnr"), std::string::npos);
    writeBytes(dir.file("a.gnrx"), {1});
    EXPECT_EQ(cli(dir, "show a.gnrx").status, 2);
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

    // JSON keeps the numbers: --renumber with it is refused, nothing written.
    const auto json = cli(dir, "convert --to json --renumber a.gnr b.json");
    EXPECT_EQ(json.status, 2);
    EXPECT_NE(json.err.find("--renumber"), std::string::npos) << json.err;
    EXPECT_FALSE(std::filesystem::exists(dir.file("b.json")));
}

// A FIFO given as a plan file or a firmware image is refused at once rather
// than waited on.
TEST(Cli, FifoInputsAreRefusedAtOnce)
{
    TempDir dir;
    const WatchedFifo plans(dir.file("plans.gnr"));
    auto run = cli(dir, "show plans.gnr");
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err, "plans.gnr is not a regular file: it is neither read nor replaced\n");
    const WatchedFifo image(dir.file("fw.bin"));
    run = cli(dir, "--meter sim upgrade fw.bin");
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err, "fw.bin is not a regular file: it is neither read nor replaced\n");
}

// An output that is not a regular file stays what it is; one nobody may write
// is refused with the system's reason.
TEST(Cli, OutputsThatMayNotBeReplacedAreRefusedWithTheReason)
{
    TempDir dir;
    writeGeneralFile(dir.file("a.gnr"), allPlans(makePlanList(2, 1)));
    const WatchedFifo fifo(dir.file("fifo.gnr"));
    auto run = cli(dir, "convert --to gnr --overwrite a.gnr fifo.gnr");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "fifo.gnr is not a regular file: it is neither read nor replaced\n");
    EXPECT_TRUE(std::filesystem::is_fifo(std::filesystem::symlink_status(dir.file("fifo.gnr"))));
    writeBytes(dir.file("read-only.json"), {1});
    std::filesystem::permissions(dir.file("read-only.json"), static_cast<std::filesystem::perms>(0444));
    run = cli(dir, "convert --to json --overwrite a.gnr read-only.json");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "Save the file read-only.json failed: Permission denied\n");
    EXPECT_EQ(readBytes(dir.file("read-only.json")), std::vector<std::uint8_t>{1});
}

// A JSON of 200,000 empty plans (600 KB): the 255 the list holds are shown,
// the others named on stderr, refused.
TEST(Cli, HugeJsonShowsThe255PlansTheListHoldsAndNamesTheRest)
{
    TempDir dir;
    std::string text = R"({"plans": [)";
    for (int i = 0; i < 200000; ++i)
        text += i == 0 ? "{}" : ",{}";
    std::ofstream(dir.file("huge.json")) << text << "]}";
    const auto run = cli(dir, "show huge.json");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.out.find("plans: 255\n"), std::string::npos);
    EXPECT_EQ(run.err, "huge.json: 199745 plan(s) are not read, the list holds at most 255 plans\n");
}

// Open's 255 plans hold on the command line: Orbtab files past them are named
// and no check passes nor file is written for part of the inputs.
TEST(Cli, InputsPast255PlansAreNamedAndRefused)
{
    TempDir dir;
    std::string inputs;
    for (int i = 1; i <= 256; ++i) {
        const std::string name = std::string("S").append(std::to_string(i));
        const auto image = orbtab_file::encode(makePlan(name, 1), 1);
        writeBytes(dir.file(name + ".Orbtab"), {image.begin(), image.end()});
        inputs += " " + name + ".Orbtab";
    }
    auto run = cli(dir, "check --model general" + inputs);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "1 file(s) are not read, the list holds at most 255 plans: S256.Orbtab\n"
                       "General have no more than 255 plans\n");
    run = cli(dir, "convert --to gnr" + inputs + " out.gnr");
    EXPECT_EQ(run.status, 1);
    EXPECT_FALSE(std::filesystem::exists(dir.file("out.gnr")));
    EXPECT_EQ(cli(dir, "check --model general" + inputs.substr(0, inputs.rfind(' '))).out, "OK\n");
}

// A plan of more than 102 TPs does not fit a Q9100 file: the check names it
// and convert writes no file of it.
TEST(Cli, Q9100RefusesPlansOfMoreThan102Tps)
{
    TempDir dir;
    PlanList plans;
    plans.append(makePlan("Fits", 102));
    writeGeneralFile(dir.file("fits.gnr"), allPlans(plans));
    plans.append(makePlan("Big", 150));
    writeGeneralFile(dir.file("big.gnr"), allPlans(plans));
    EXPECT_EQ(cli(dir, "check --model q9100 fits.gnr").out, "OK\n");
    const auto check = cli(dir, "check --model q9100 big.gnr");
    EXPECT_EQ(check.status, 1);
    EXPECT_EQ(check.err, "The plan Big have more than 102 TPs, a Q9100 file holds no more\n");
    const auto convert = cli(dir, "convert --to orbtab big.gnr out");
    EXPECT_EQ(convert.status, 1);
    EXPECT_TRUE(std::filesystem::is_empty(dir.file("out")));
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
