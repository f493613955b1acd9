#include "cli_run.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <regex>

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
    EXPECT_EQ(run.err, "The plan of the satellite \"Astra 19.2E\" is named \"Astra\"\n"
                       "TP 11500 V 30000 of Astra 19.2E 19.2E is left out: modulation=\"5\" can not be stored\n");
    const auto shown = cli(dir, "show out.json");
    EXPECT_NE(shown.out.find("\"Astra\"  number 1  19.2E  LNB 975000/1060000"), std::string::npos) << shown.out;
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
    EXPECT_EQ(run.err, "Open the file none.xml failed: No such file or directory\n");
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
    EXPECT_EQ(run.err, broken + "The plan of the satellite \"Astra 19.2E\" is named \"Astra\"\n"
                                "TP 11837 H 29700 of Astra 19.2E 19.2E: the source leaves the code rate to the "
                                "receiver, 1/2 is taken\n");
    run = cli(dir, "import satellites.xml --satellite 179.9W c.json");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, broken + "The plan of the satellite \"Intelsat\\x1b[2J\" is named \"Intels2J\"\n"
                                "TP 3840 H 27500 of Intelsat\\x1b[2J 179.9W: the source leaves the code rate to "
                                "the receiver, 1/2 is taken\n");
    EXPECT_NE(cli(dir, "show c.json").out.find("\"Intels2J\"  number 1  179.9W  LNB 515000/515000"), std::string::npos);
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

// Exported as CSV, the plans import back as they were; a spreadsheet's own
// CSV with ";" and decimal commas imports too.
TEST(CliImport, TablesExportAndImportBack)
{
    TempDir dir;
    writeXml(dir);
    ASSERT_EQ(cli(dir, "import satellites.xml --satellite 19.2E out.json").status, 0);
    ASSERT_EQ(cli(dir, "export --to csv out.json tps.csv").status, 0);
    EXPECT_TRUE(slurp(dir.file("tps.csv")).starts_with("Plan Name,EastOrWest,Longitude,TP Name,Enable,"));
    EXPECT_EQ(cli(dir, "export --to csv out.json tps.csv").status, 1);
    const auto back = cli(dir, "import tps.csv --satellite 19.2E back.json");
    EXPECT_EQ(back.status, 0) << back.err;
    // The plans match but for their ids.
    const auto withoutIds = [](std::string shown) {
        return std::regex_replace(shown, std::regex(" id [-0-9a-f]+"), "");
    };
    EXPECT_EQ(withoutIds(cli(dir, "show back.json").out), withoutIds(cli(dir, "show out.json").out));

    std::ofstream(dir.file("Hotbird-13.0E.csv")) << "Freq;Pol;SR;FEC\r\n10719,5;V;27500;3/4\r\n";
    const auto sheet = cli(dir, "import Hotbird-13.0E.csv --satellite 13.0E sheet.json");
    EXPECT_EQ(sheet.status, 0) << sheet.err;
    EXPECT_NE(cli(dir, "show sheet.json").out.find("10719.5"), std::string::npos);
}

// A plan made a year ago against today's source: the differences printed,
// and taken unless --dry-run.
TEST(CliImport, UpdatePrintsAndTakesTheDifferences)
{
    TempDir dir;
    std::ofstream(dir.file("old.xml")) << R"(<satellites><sat name="Astra 19.2E" position="192">
    <transponder frequency="11000000" symbol_rate="27500000" polarization="0" fec_inner="3" system="0"/>
    <transponder frequency="11837000" symbol_rate="29700000" polarization="0" fec_inner="3" system="0"/>
  </sat></satellites>)";
    std::ofstream(dir.file("new.xml")) << R"(<satellites><sat name="Astra 19.2E" position="192">
    <transponder frequency="11837000" symbol_rate="27500000" polarization="0" fec_inner="3" system="0"/>
    <transponder frequency="12000000" symbol_rate="27500000" polarization="1" fec_inner="3" system="0"/>
  </sat></satellites>)";
    ASSERT_EQ(cli(dir, "import old.xml --satellite 19.2E old.json").status, 0);
    const std::string differences = "Astra (19.2E) from Astra 19.2E 19.2E: 1 added, 1 removed, 1 changed\n"
                                    "  - 11000 H 27500\n"
                                    "  ~ 11837 H 27500: SR(MS/s) 29.700 > 27.500\n"
                                    "  + 12000 V 27500\n";
    auto run = cli(dir, "update new.xml old.json new.json --dry-run");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, differences);
    EXPECT_FALSE(std::filesystem::exists(dir.file("new.json")));
    run = cli(dir, "update new.xml old.json new.json");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, differences);
    const std::string shown = cli(dir, "show new.json").out;
    EXPECT_EQ(shown.find("11000H"), std::string::npos) << shown;
    EXPECT_NE(shown.find("12000V"), std::string::npos) << shown;
    EXPECT_NE(shown.find("27.500"), std::string::npos) << shown;
    EXPECT_EQ(cli(dir, "update new.xml old.json new.json --satellite 13.0E").status, 2);
}
