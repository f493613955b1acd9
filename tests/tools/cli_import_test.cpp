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
