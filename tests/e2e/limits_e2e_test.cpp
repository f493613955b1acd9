#include "core/files/general_file.h"
#include "core/files/orbtab_file.h"
#include "core/model/plan_list.h"
#include "core/rules/model_checks.h"
#include "e2e/editor_steps.h"
#include "e2e/editor_views.h"
#include "support/plan_builders.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

// Offers `file`'s bytes on the desktop's clipboard as `type`, as a program
// that copied them does. xclip stays behind to serve the clipboard; its output
// goes nowhere so that it does not hold the pipe this process reads to its end.
void putOnClipboard(const std::filesystem::path& file, const std::string& type)
{
    int status = -1;
    runCommand({"sh", "-c", R"(xclip -selection clipboard -t "$1" -i "$2" >/dev/null)", "sh", type, file.string()},
               &status);
    ASSERT_EQ(status, 0);
}

struct OnePlanEditor {
    EditorSession editor;
    bool start()
    {
        const auto file = editor.folder().file("one.gnr");
        return editor.failure().empty() && writeGeneralFile(file, allPlans(makePlanList(1, 2))).ok() &&
               editor.start({.files = {file.string()}});
    }
};

TEST(LimitsE2e, ThreeHundredQ9100FilesFillTheListAndNameTheRest)
{
    EditorSession editor;
    ASSERT_EQ(editor.failure(), "");
    std::vector<std::string> files;
    for (int i = 1; i <= 300; ++i) {
        const std::string name = std::string("S").append(std::to_string(i));
        const auto image = orbtab_file::encode(makePlan(name, 1), 1);
        const auto path = editor.folder().file(name + ".Orbtab");
        writeBytes(path, {image.begin(), image.end()});
        files.push_back(path.string());
    }
    ASSERT_TRUE(editor.start({.files = files})) << editor.log();
    const std::string message = steps::answerMessage(editor);
    EXPECT_TRUE(message.starts_with("45 file(s) are not read, the list holds at most 255 plans: S256.Orbtab"))
        << message;
    ASSERT_TRUE(editor.waitUntil([](const AccessibleNode& windows) {
        const auto plans = planList(windows);
        return plans && plans->rows.size() == 255;
    }));
}

TEST(LimitsE2e, PastedPlansWithAFieldOutOfRangeAreRefusedWhole)
{
    OnePlanEditor f;
    ASSERT_TRUE(f.start()) << f.editor.log();
    const auto json = f.editor.folder().file("copied.json");
    std::ofstream(json) << R"({"plans":[{"name":"Good"},{"name":"Bad","longitude":999.5}]})";
    putOnClipboard(json, "application/x-orbitune-plans+json");
    ASSERT_TRUE(steps::clickPlanCell(f.editor, 0, "Plan ID"));
    f.editor.input().key("ctrl+v");
    EXPECT_EQ(steps::answerMessage(f.editor), "Nothing is pasted: plan 2 (Bad), Longitude: between 0 to 180");
    EXPECT_EQ(steps::planNames(f.editor), std::vector<std::string>{"Plan1"});
    EXPECT_EQ(f.editor.mainTitle(), "one.gnr - Orbitune");
}

TEST(LimitsE2e, AHundredAndFiftyThousandPastedRowsAreRefusedAtOnce)
{
    OnePlanEditor f;
    ASSERT_TRUE(f.start()) << f.editor.log();
    const auto table = f.editor.folder().file("rows.txt");
    {
        std::ofstream out(table);
        out << "Freq(MHz)\n";
        for (int i = 0; i < 150'000; ++i)
            out << "11493\n";
    }
    putOnClipboard(table, "text/plain");
    ASSERT_TRUE(steps::clickPlanCell(f.editor, 0, "Plan Name"));
    ASSERT_TRUE(f.editor.waitFor("table cell", "TP1"));
    ASSERT_TRUE(steps::clickTpCell(f.editor, 0, "TP NO"));
    f.editor.input().key("ctrl+v");
    EXPECT_EQ(steps::answerMessage(f.editor), "Reach the max TP nums(100)");
    const auto tps = tpList(f.editor.windows());
    ASSERT_TRUE(tps);
    EXPECT_EQ(tps->rows.size(), 2U);
    EXPECT_EQ(f.editor.mainTitle(), "one.gnr - Orbitune");
}

} // namespace
