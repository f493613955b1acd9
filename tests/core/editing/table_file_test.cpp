#include "core/editing/table_file.h"
#include "core/model/value_tables.h"
#include "core/res/string_ids.h"
#include "support/plan_builders.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace {

void writeText(const std::filesystem::path& file, std::string_view text)
{
    writeBytes(file, {text.begin(), text.end()});
}

} // namespace

// Export Table's file read back gives every TP its fields again: the
// hundredths of the frequency, the name, the bandwidth and symbol rate.
TEST(TableFile, ExportedTpsReadBackTheSame)
{
    PlanList plans;
    CComonOrbitune astra = makePlan("Astra,1L", 2);
    astra.channels[0].frequency = 1149375;
    astra.channels[1].signalType = stored(SignalType::DVB_S2);
    astra.channels[1].modulation = stored(Modulation::PSK8);
    astra.channels[1].codeRate = 14;
    astra.channels[1].setNameText("TP 1.a");
    plans.append(astra);
    plans.append(makePlan("Hotbd13B", 1));
    const std::vector<Guid> ids{plans.at(0).id, plans.at(1).id};
    const std::string csv = plansTpsTable(plans, ids);
    EXPECT_TRUE(csv.starts_with("Plan Name,EastOrWest,Longitude,TP Name,Enable,Signal Type,Freq(MHz),BW(MHz),"
                                "SR(MS/s),Code Rate,Modulation,Roll off,Polarization,LNB_LO,Pilots\r\n\"Astra,1L\","))
        << csv;
    EXPECT_NE(csv.find(",11493.75,"), std::string::npos) << csv;

    TempDir dir;
    for (const char separator : {',', '\t', ';'}) {
        writeText(dir.file("tps.csv"), plansTpsTable(plans, ids, separator));
        const TableFileTps read = tableFileTps(dir.file("tps.csv"), CComonOrbitune::kTpLimit, Language::English);
        ASSERT_FALSE(read.failure) << noticeText(*read.failure, Language::English);
        ASSERT_EQ(read.tps.size(), 3U);
        EXPECT_TRUE(read.notes.empty());
        const SateChannel* had[] = {&plans.at(0).channels[0], &plans.at(0).channels[1], &plans.at(1).channels[0]};
        for (std::size_t i = 0; i < 3; ++i) {
            SateChannel tp = read.tps[i];
            tp.id = had[i]->id;
            tp.number = had[i]->number;
            EXPECT_EQ(tp, *had[i]) << i;
        }
    }
}

// What cannot be read names the file, and the row and column at fault.
TEST(TableFile, FailuresNameTheFileAndRow)
{
    TempDir dir;
    const auto file = dir.file("tps.csv");
    writeText(file, "\xEF\xBB\xBF"
                    "Freq;Pol\n11493,5;H\n3399;V\n");
    EXPECT_EQ(tableFileTps(file, 100, Language::English).failure,
              (Notice{msg::kTableImportRowFailed, {file.string(), "3", "Freq", "Between 3400MHz to 12750MHz"}}));
    writeText(file, "Freq;Pol\n");
    EXPECT_EQ(tableFileTps(file, 100, Language::English).failure,
              (Notice{msg::kTableImportFailed, {file.string(), "it holds no rows under a header row"}}));
    EXPECT_EQ(tableFileTps(dir.file("none.csv"), 100, Language::English).failure->message, msg::kOpenFileFailedBecause);
}
