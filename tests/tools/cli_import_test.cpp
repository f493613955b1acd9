#include "cli_run.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

void writeXml(const TempDir& dir)
{
    std::ofstream(dir.file("satellites.xml")) << R"(<satellites>
  <sat name="Astra 19.2E" position="192">
    <transponder frequency="11837000" symbol_rate="29700000" polarization="0" fec_inner="4" system="0"/>
    <transponder frequency="11500000" symbol_rate="30000000" polarization="1" fec_inner="3" system="1" modulation="5"/>
  </sat>
  <sat name="Thor" position="-8"><transponder frequency="20000000" symbol_rate="1000000" polarization="0"/></sat>
</satellites>)";
}

} // namespace

TEST(CliImport, ListNamesEachSatelliteAndWhatIsLeftOut)
{
    TempDir dir;
    writeXml(dir);
    const auto run = cli(dir, "import satellites.xml --list");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, " 19.2E  Astra 19.2E  2 TPs, 1 left out\n"
                       "        11500 V 30000: modulation=\"5\" can not be stored\n"
                       "  0.8W  Thor  1 TPs, 1 left out\n"
                       "        20000 H 1000: the frequency 20000 MHz is not between 3400MHz and 12750MHz\n");
}

TEST(CliImport, ChosenSatellitesAreWrittenAndLeftOutTpsNamed)
{
    TempDir dir;
    writeXml(dir);
    auto run = cli(dir, "import satellites.xml --satellite 19.2E out.json");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "TP 11500 V 30000 of Astra 19.2E 19.2E is left out: modulation=\"5\" can not be stored\n");
    const auto shown = cli(dir, "show out.json");
    EXPECT_NE(shown.out.find("\"Astra 19\"  number 1  19.2E  LNB 975000/1060000"), std::string::npos) << shown.out;
    EXPECT_NE(shown.out.find("11837H"), std::string::npos);
    EXPECT_EQ(cli(dir, "import satellites.xml --satellite 19.2E out.json").status, 1);
    EXPECT_EQ(cli(dir, "import satellites.xml --satellite 19.2E --overwrite out.json").status, 0);

    ASSERT_EQ(cli(dir, "import satellites.xml --satellite 'Astra 19.2E' one.Orbtab").status, 0);
    EXPECT_NE(cli(dir, "show one.Orbtab").out.find("TPs 1"), std::string::npos);
    EXPECT_EQ(cli(dir, "import satellites.xml --satellite 19.2E --model q24 out.planList").status, 0);
}

// A plan the model refuses writes nothing; unknown satellites, unreadable
// sources and wrong usage are exit 2.
TEST(CliImport, RefusalsAndBadInputWriteNothing)
{
    TempDir dir;
    writeXml(dir);
    auto run = cli(dir, "import satellites.xml --satellite 0.8W out.gnr");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("please make sure the plan have one channel"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(dir.file("out.gnr")));
    run = cli(dir, "import satellites.xml --satellite 1.0E out.gnr");
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err, "The source satellites.xml has no satellite 1.0E\n");
    run = cli(dir, "import none.xml --list");
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err, "Open the file none.xml failed\n");
    EXPECT_EQ(cli(dir, "import satellites.xml --list --satellite 19.2E").status, 2);
    EXPECT_EQ(cli(dir, "import satellites.xml --satellite 19.2E out.txt").status, 2);
    EXPECT_EQ(cli(dir, "import satellites.xml --satellite 19.2E --satellite 0.8W two.Orbtab").status, 2);
}

// A receiver's file: one satellite that cannot be read stops neither the list
// nor an import of another; names reach the terminal with control characters
// written out, never as escape sequences.
TEST(CliImport, ReceiverFilesAreListedWholeAndNamesShownSafely)
{
    TempDir dir;
    std::ofstream(dir.file("satellites.xml"))
        << "<satellites>\n"
           "<sat name=\"Astra 19.2E\" position=\"192\"><transponder "
           "frequency=\"11837000\" symbol_rate=\"29700000\" polarization=\"0\"/></sat>\n"
           "<sat name=\"Broken\" position=\"east\"/>\n"
           "<sat name=\"Intelsat\x1b[2J\" position=\"1801\"><transponder "
           "frequency=\"3840000\" symbol_rate=\"27500000\" polarization=\"0\"/></sat>\n"
           "</satellites>";
    const std::string broken = "The file satellites.xml have wrong value: sat \"Broken\": position \"east\"\n";
    auto run = cli(dir, "import satellites.xml --list");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, " 19.2E  Astra 19.2E  1 TPs\n179.9W  Intelsat\\x1b[2J  1 TPs\n");
    EXPECT_EQ(run.err, broken);

    run = cli(dir, "import satellites.xml --satellite 19.2E out.json");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, broken);
    run = cli(dir, "import satellites.xml --satellite 179.9W c.json");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, broken);
    EXPECT_NE(cli(dir, "show c.json").out.find("\"Intelsat\"  number 1  179.9W  LNB 515000/515000"), std::string::npos);
}

// Names of a JSON input that a record cannot hold are named on stderr; names
// with control characters are shown written out.
TEST(CliImport, JsonNamesThatChangeAreNamed)
{
    TempDir dir;
    std::ofstream(dir.file("in.json")) << R"({"plans": [{"name": "\u001b]0;x\u0007"}, {"name": "\u536b\u661f"}]})";
    const auto run = cli(dir, "show in.json");
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("Plan 1: \"\\x1b]0;x\\x07\""), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("Plan 2: \"??\""), std::string::npos);
    EXPECT_EQ(run.err, "in.json: Plan 2: the name \"\u536b\u661f\" can not be stored, it becomes \"??\"\n");
}
