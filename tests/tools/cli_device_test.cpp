#include "cli_run.h"
#include "core/device/firmware_upgrade.h"
#include "core/files/general_file.h"
#include "core/rules/model_checks.h"
#include "support/plan_builders.h"
#include "support/sim_process.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace {

bool contains(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

SateChannel tp(const std::string& name, int signalType, std::uint32_t frequency, std::int32_t symbolRate)
{
    auto c = SateChannel::withAddDefaults(1, name);
    c.signalType = signalType;
    c.frequency = frequency;
    c.bandwidth = 3240;
    c.symbolRate = symbolRate;
    c.codeRate = signalType == 2 ? 5 : 2;
    c.modulation = signalType == 2 ? 2 : 1;
    c.rollOff = signalType == 2 ? 2 : 0;
    c.pilots = signalType == 2 ? 1 : 0;
    c.polarization = 1;
    c.lnbLo = 1;
    return c;
}

// Two plans that pass the Q36 checks, with fields that differ from Add
// Plan's and Add CH's values.
PlanList variedPlans()
{
    PlanList list;
    auto a = CComonOrbitune::withAddDefaults(7, "Astra19");
    a.longitude = 19.2F;
    a.isEast = 1;
    a.lnbLow = 975000;
    a.lnbHigh = 1060000;
    a.flag = 3;
    a.appendChannel(tp("Ch11739", 2, 1173900, 27500));
    a.appendChannel(tp("Ch12012", 1, 1201200, 22000));
    a.channels[1].enabled = 0;
    list.append(a);
    auto b = CComonOrbitune::withAddDefaults(9, "West13");
    b.longitude = 13.0F;
    b.isEast = 0;
    b.lnbLow = 515000;
    b.lnbHigh = 0;
    b.appendChannel(tp("C3", 1, 395000, 4000));
    list.append(b);
    return list;
}

// The fields a plan keeps through the meter: all but the numbers (the meter
// numbers plans and TPs by position) and the ids (fresh on arrival).
void expectSamePlans(const PlanList& sent, const PlanList& received)
{
    ASSERT_EQ(received.count(), sent.count());
    for (int p = 0; p < sent.count(); ++p) {
        const auto& s = sent.at(p);
        const auto& r = received.at(p);
        EXPECT_EQ(r.nameText(), s.nameText());
        EXPECT_FLOAT_EQ(r.longitude, s.longitude);
        EXPECT_EQ(r.isEast, s.isEast);
        EXPECT_EQ(r.lnbLow, s.lnbLow);
        EXPECT_EQ(r.lnbHigh, s.lnbHigh);
        EXPECT_EQ(r.flag, s.flag);
        ASSERT_EQ(r.channelCount, s.channelCount);
        for (int j = 0; j < s.channelCount; ++j) {
            const auto& st = s.channels[static_cast<std::size_t>(j)];
            const auto& rt = r.channels[static_cast<std::size_t>(j)];
            EXPECT_EQ(rt.nameText(), st.nameText());
            EXPECT_EQ(rt.enabled, st.enabled);
            EXPECT_EQ(rt.signalType, st.signalType);
            EXPECT_EQ(rt.frequency, st.frequency);
            EXPECT_EQ(rt.bandwidth, st.bandwidth);
            EXPECT_EQ(rt.symbolRate, st.symbolRate);
            EXPECT_EQ(rt.codeRate, st.codeRate);
            EXPECT_EQ(rt.modulation, st.modulation);
            EXPECT_EQ(rt.rollOff, st.rollOff);
            EXPECT_EQ(rt.pilots, st.pilots);
            EXPECT_EQ(rt.polarization, st.polarization);
            EXPECT_EQ(rt.lnbLo, st.lnbLo);
        }
    }
}

// A loopback address where no meter listens: one that a meter just left.
std::string vacatedUrl()
{
    SimProcess sim({});
    const std::string url = sim.url();
    sim.stop();
    return url;
}

TEST(CliDevice, StatusOfTheEmulatedMeter)
{
    TempDir dir;
    const auto run = cli(dir, "--meter sim status");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "meter sim (1357:2468)\nstatus: 1 (normal)\nplans: 0\n");
    EXPECT_EQ(cli(dir, "status --identity q36", "ORBITUNE_METER=sim").out,
              "meter sim (1234:5678)\nstatus: 1 (normal)\nplans: 0\n");
}

TEST(CliDevice, MeterOptionOverridesTheEnvironment)
{
    TempDir dir;
    EXPECT_EQ(cli(dir, "--meter sim status", "ORBITUNE_METER=tcp://10.0.0.1:5555").status, 0);
    const auto run = cli(dir, "status", "ORBITUNE_METER=tcp://10.0.0.1:5555");
    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(contains(run.err, "tcp://10.0.0.1:5555")) << run.err;
    EXPECT_TRUE(contains(run.err, "loopback")) << run.err;
}

TEST(CliDevice, NonLoopbackOrUnknownMeterIsRefusedBeforeAnythingElse)
{
    TempDir dir;
    writeGeneralFile(dir.file("a.gnr"), allPlans(variedPlans()));
    for (const auto* meter : {"tcp://192.168.1.20:5555", "tcp://8.8.8.8:53", "tcp://example.com:80"}) {
        const auto run = cli(dir, std::string("--meter ") + meter + " download a.gnr");
        EXPECT_EQ(run.status, 2) << meter;
        EXPECT_TRUE(contains(run.err, meter)) << run.err;
        EXPECT_TRUE(contains(run.err, "only loopback addresses")) << run.err;
        EXPECT_EQ(run.out, "");
    }
    const auto run = cli(dir, "--meter usb0 status");
    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(contains(run.err, "usb0")) << run.err;
}

TEST(CliDevice, DownloadToTheEmulatedMeterRunsTheQ36ChecksWithTheDefaultIdentity)
{
    TempDir dir;
    writeGeneralFile(dir.file("a.gnr"), allPlans(variedPlans()));
    auto run = cli(dir, "--meter sim download a.gnr");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "Download Sate Plans successfully\n");
    EXPECT_TRUE(contains(run.err, "Downloading 2/2 (100%)")) << run.err;

    writeGeneralFile(dir.file("many.gnr"), allPlans(makePlanList(19, 1)));
    run = cli(dir, "--meter sim download many.gnr");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "Q36 have no more than 18 plans\n");
    run = cli(dir, "--meter sim --identity q36 download many.gnr");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(contains(run.err, "Downloading 19/19 (100%)")) << run.err;
}

TEST(CliDevice, EmulatedMeterRefusesAnUpgradeAndHasNoPlansToUpload)
{
    TempDir dir;
    writeBytes(dir.file("fw.bin"), std::vector<std::uint8_t>(100, 1));
    auto run = cli(dir, "--meter sim upgrade fw.bin");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "meter sim (1357:2468): Please change the Q36 Device to Upgradeing status\n");
    run = cli(dir, "--meter sim upload out.gnr");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(
        run.err,
        "meter sim (1357:2468): The Device holds no plans or did not answer the plan count\nout.gnr is not written\n");
    EXPECT_FALSE(std::filesystem::exists(dir.file("out.gnr")));
}

TEST(CliDevice, DownloadThenUploadThroughTheMeterProgramGivesTheSamePlans)
{
    TempDir dir;
    SimProcess sim({"--save-plans", dir.file("stored.gnr").string()});
    ASSERT_FALSE(sim.url().empty());
    const auto sent = variedPlans();
    writeGeneralFile(dir.file("a.gnr"), allPlans(sent));

    auto run = cli(dir, "--meter " + sim.url() + " download a.gnr");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "Download Sate Plans successfully\n");

    run = cli(dir, "status --meter " + sim.url());
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out,
              "meter " + sim.url() + " (1357:2468)\nstatus: 1 (normal)\nplans: 2\nPlan 1: 2 TPs\nPlan 2: 1 TPs\n");

    run = cli(dir, "--meter " + sim.url() + " upload back.gnr");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "Upload\n");
    EXPECT_TRUE(contains(run.err, "Uploading 2/2 (100%)")) << run.err;
    PlanList back;
    readGeneralFile(dir.file("back.gnr"), back);
    expectSamePlans(sent, back);
    EXPECT_EQ(back.at(1).number, 1);

    ASSERT_EQ(cli(dir, "--meter " + sim.url() + " upload back.json").status, 0);
    run = cli(dir, "show --json back.json");
    EXPECT_TRUE(contains(run.out, "\"name\": \"West13\"")) << run.out;

    sim.stop();
    PlanList stored;
    readGeneralFile(dir.file("stored.gnr"), stored);
    expectSamePlans(sent, stored);
}

TEST(CliDevice, UploadRefusesAnExistingOutputUnlessOverwrite)
{
    TempDir dir;
    writeGeneralFile(dir.file("a.gnr"), allPlans(variedPlans()));
    SimProcess sim({"--preload", dir.file("a.gnr").string()});
    ASSERT_FALSE(sim.url().empty());
    writeBytes(dir.file("out.gnr"), {1, 2, 3});
    auto run = cli(dir, "--meter " + sim.url() + " upload out.gnr");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "The file out.gnr is already exist\n");
    EXPECT_EQ(readBytes(dir.file("out.gnr")).size(), 3U);
    run = cli(dir, "--meter " + sim.url() + " upload --overwrite out.gnr");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(readBytes(dir.file("out.gnr")).size(), general_file::kHeaderSize + 2 * CComonOrbitune::kImageSize);
    EXPECT_EQ(cli(dir, "--meter " + sim.url() + " upload out.planList").status, 2);
    // Any letter case of .gnr writes the General file that show then reads.
    ASSERT_EQ(cli(dir, "--meter " + sim.url() + " upload OUT2.GNR").status, 0);
    run = cli(dir, "show OUT2.GNR");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(contains(run.out, "plans: 2")) << run.out;
}

TEST(CliDevice, UpgradeThroughTheMeterProgramSendsTheImage)
{
    TempDir dir;
    SimProcess sim({"--state", "upgrade", "--save-firmware", dir.file("received.bin").string()});
    ASSERT_FALSE(sim.url().empty());
    std::vector<std::uint8_t> image(100);
    for (std::size_t i = 0; i < image.size(); ++i)
        image[i] = static_cast<std::uint8_t>(i * 7 + 1);
    writeBytes(dir.file("fw.bin"), image);
    const auto run = cli(dir, "--meter " + sim.url() + " upgrade fw.bin");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "success\n");
    EXPECT_TRUE(contains(run.err, "Upgrade 4/4 (100%)")) << run.err;
    EXPECT_EQ(sim.stop(), 0);
    auto expected = image;
    expected.resize(128, 0);
    EXPECT_EQ(readBytes(dir.file("received.bin")), expected);
}

TEST(CliDevice, UpgradeOfAnImageTooLargeToNumberSendsNothing)
{
    TempDir dir;
    SimProcess sim({"--state", "upgrade", "--save-firmware", dir.file("received.bin").string()});
    ASSERT_FALSE(sim.url().empty());
    writeBytes(dir.file("big.bin"), std::vector<std::uint8_t>(kMaxUpgradeImageSize + 1, 0xAB));
    auto run = cli(dir, "--meter " + sim.url() + " upgrade big.bin");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "The file big.bin is too large to upgrade: an image holds at most 2097120 bytes\n");
    run = cli(dir, "--meter " + sim.url() + " upgrade none.bin");
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err, "Open the file none.bin failed: No such file or directory\n");
    EXPECT_EQ(sim.stop(), 0);
    EXPECT_TRUE(readBytes(dir.file("received.bin")).empty());
}

TEST(CliDevice, UpgradeIsRefusedByAMeterInItsNormalState)
{
    TempDir dir;
    SimProcess sim({"--save-firmware", dir.file("received.bin").string()});
    ASSERT_FALSE(sim.url().empty());
    writeBytes(dir.file("fw.bin"), std::vector<std::uint8_t>(64, 1));
    const auto run = cli(dir, "--meter " + sim.url() + " upgrade fw.bin");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "meter " + sim.url() + " (1357:2468): Please change the Q36 Device to Upgradeing status\n");
    EXPECT_EQ(sim.stop(), 0);
    EXPECT_TRUE(readBytes(dir.file("received.bin")).empty());
}

TEST(CliDevice, MeterUnderTheOtherIdentityIsNamed)
{
    TempDir dir;
    SimProcess sim({"--identity", "q36"});
    ASSERT_FALSE(sim.url().empty());
    auto run = cli(dir, "--meter " + sim.url() + " status");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "meter " + sim.url() + " (1357:2468): The meter at " + sim.url() +
                           " greets as 1234:5678, not as the identity looked for: choose the Type that matches it "
                           "(orbitune-cli: --identity), or start orbitune-meter-sim with the other --identity\n");
    run = cli(dir, "--meter " + sim.url() + " --identity q36 status");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(contains(run.out, "(1234:5678)\nstatus: 1 (normal)\n")) << run.out;
}

// A socket meter that is gone, or does not greet, gets advice about the
// socket, never the udev rule of a USB meter.
TEST(CliDevice, SocketMeterThatCannotBeReachedSaysWhatAnswered)
{
    TempDir dir;
    const auto url = vacatedUrl();
    ASSERT_FALSE(url.empty());
    writeGeneralFile(dir.file("a.gnr"), allPlans(variedPlans()));
    writeBytes(dir.file("fw.bin"), std::vector<std::uint8_t>(64, 1));
    const std::string gone = "meter " + url + " (1357:2468): Nothing listens at " + url +
                             ": Connection refused. Start orbitune-meter-sim on that port, or give the address where "
                             "a meter emulator runs\n";
    for (const auto* command : {"status", "download a.gnr", "upload out.gnr", "upgrade fw.bin"}) {
        const auto run = cli(dir, "--meter " + url + " " + command);
        EXPECT_EQ(run.status, 1) << command;
        EXPECT_EQ(run.err, gone) << command;
    }
    EXPECT_FALSE(std::filesystem::exists(dir.file("out.gnr")));

    SimProcess once({"--greetings", "1"});
    ASSERT_FALSE(once.url().empty());
    const auto run = cli(dir, "--meter " + once.url() + " status");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "meter " + once.url() + " (1357:2468): Nothing at " + once.url() +
                           " greets as a meter: the program there is no meter emulator such as orbitune-meter-sim, "
                           "or it is busy with another connection\n");
}

// Counts the meter gets wrong are errors that say what was wrong, never
// negative counts; the upload then writes nothing.
TEST(CliDevice, CountsThatAreNoCountsAreErrors)
{
    TempDir dir;
    writeGeneralFile(dir.file("a.gnr"), allPlans(variedPlans()));
    struct Case {
        std::vector<std::string> faults;
        std::string statusOut; // after the meter's name and status
        std::string error;
    };
    // status asks: 1 status, 2 plan count, 3 TP count of plan 1.
    const std::vector<Case> cases{
        {{"--plan-count", "200"}, "", "The Device answered the plan count with 200, which is not between 0 and 127"},
        {{"--tp-count", "128"},
         "plans: 2\n",
         "The Device answered the TP count of plan 1 with 128, which is not between 0 and 127"},
        {{"--wrong-length-at", "2"}, "", "The Device answered the plan count query wrongly"},
        {{"--wrong-code-at", "3"}, "plans: 2\n", "The Device answered the TP count query of plan 1 wrongly"},
    };
    for (const auto& c : cases) {
        auto arguments = c.faults;
        arguments.insert(arguments.end(), {"--preload", dir.file("a.gnr").string()});
        SimProcess sim(arguments);
        ASSERT_FALSE(sim.url().empty());
        const std::string meter = "meter " + sim.url() + " (1357:2468)";
        auto run = cli(dir, "--meter " + sim.url() + " status");
        EXPECT_EQ(run.status, 1) << c.error;
        EXPECT_EQ(run.out, meter + "\nstatus: 1 (normal)\n" + c.statusOut);
        EXPECT_EQ(run.err, meter + ": " + c.error + "\n");
    }
    // upload asks: 1, 2 status, 3 plan count, 4 TP count of plan 1, 5 its
    // header, 6 its first TP.
    for (const std::vector<std::string>& faults : {std::vector<std::string>{"--plan-count", "200"},
                                                   {"--tp-count", "255"},
                                                   {"--wrong-length-at", "4"},
                                                   {"--wrong-code-at", "6"}}) {
        auto arguments = faults;
        arguments.insert(arguments.end(), {"--preload", dir.file("a.gnr").string()});
        SimProcess sim(arguments);
        ASSERT_FALSE(sim.url().empty());
        const auto run = cli(dir, "--meter " + sim.url() + " upload out.gnr");
        EXPECT_EQ(run.status, 1) << faults[0];
        EXPECT_EQ(run.out, "") << faults[0];
        EXPECT_TRUE(contains(run.err, "out.gnr is not written\n")) << run.err;
        EXPECT_FALSE(std::filesystem::exists(dir.file("out.gnr"))) << faults[0];
    }
}

TEST(CliDevice, SilentMeterEndsTheExchangeAfterTheReplyLimit)
{
    TempDir dir;
    SimProcess sim({"--silent-after", "1"});
    ASSERT_FALSE(sim.url().empty());
    const auto run = cli(dir, "--meter " + sim.url() + " --reply-limit 50 status");
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(contains(run.out, "status: 1 (normal)\n")) << run.out;
    EXPECT_FALSE(contains(run.out, "plans:")) << run.out;
    EXPECT_EQ(run.err, "meter " + sim.url() + " (1357:2468): Not find the Device\n");
}

TEST(CliDevice, MeterFallingSilentDuringADownloadFailsIt)
{
    TempDir dir;
    // Two status queries, a header and one TP are answered; the second TP is not.
    SimProcess sim({"--silent-after", "4"});
    ASSERT_FALSE(sim.url().empty());
    writeGeneralFile(dir.file("a.gnr"), allPlans(variedPlans()));
    const auto run = cli(dir, "--meter " + sim.url() + " --reply-limit 50 download a.gnr");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_TRUE(contains(run.err, "Downloading 0/2 (0%)\n")) << run.err;
    EXPECT_TRUE(
        contains(run.err, "meter " + sim.url() + " (1357:2468): The Device stopped answering at plan 1, TP 2\n"))
        << run.err;
}

TEST(CliDevice, DroppedConnectionDuringAnUpgradeFailsIt)
{
    TempDir dir;
    // The status query and two blocks are answered; the connection drops at the third.
    SimProcess sim({"--state", "upgrade", "--drop-after", "3"});
    ASSERT_FALSE(sim.url().empty());
    writeBytes(dir.file("fw.bin"), std::vector<std::uint8_t>(160, 1));
    const auto run = cli(dir, "--meter " + sim.url() + " upgrade fw.bin");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_TRUE(contains(run.err, "Upgrade 2/5 (40%)\n")) << run.err;
    EXPECT_TRUE(
        contains(run.err, "meter " + sim.url() + " (1357:2468): The Device stopped answering at block 3 of 5\n"))
        << run.err;
}

TEST(CliDevice, UploadCutShortWritesNothing)
{
    TempDir dir;
    writeGeneralFile(dir.file("a.gnr"), allPlans(variedPlans()));
    // Two status queries, the plan count, the first plan's TP count, header and
    // two TPs are answered; the second plan gets no answer.
    SimProcess sim({"--preload", dir.file("a.gnr").string(), "--silent-after", "7"});
    ASSERT_FALSE(sim.url().empty());
    const auto run = cli(dir, "--meter " + sim.url() + " --reply-limit 50 upload out.json");
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(contains(run.err, "Uploading 1/2 (50%)\n")) << run.err;
    EXPECT_TRUE(contains(run.err, "meter " + sim.url() + " (1357:2468): The Device stopped answering at plan 2\n"))
        << run.err;
    EXPECT_TRUE(contains(run.err, "out.json is not written")) << run.err;
    EXPECT_FALSE(std::filesystem::exists(dir.file("out.json")));
}

TEST(CliDevice, UsageErrorsAndUnreadableInputsAreExitTwo)
{
    TempDir dir;
    EXPECT_EQ(cli(dir, "--meter sim download").status, 2);
    EXPECT_EQ(cli(dir, "--meter sim upload").status, 2);
    EXPECT_EQ(cli(dir, "--meter sim upload plans.txt").status, 2);
    EXPECT_EQ(cli(dir, "--meter sim upgrade").status, 2);
    EXPECT_EQ(cli(dir, "--identity q99 --meter sim status").status, 2);
    EXPECT_EQ(cli(dir, "--reply-limit 0 --meter sim status").status, 2);
    const auto run = cli(dir, "--meter sim download none.gnr");
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err, "Open the file none.gnr failed: No such file or directory\n");
}

} // namespace
