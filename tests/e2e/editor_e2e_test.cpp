#include "e2e/editor_session.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

const std::filesystem::path kTwoPlans =
    std::filesystem::path(ORBITUNE_SOURCE_DIR) / "fuzz/corpus/general/two_plans.gnr";

TEST(EditorE2e, StartsWithAFileAndClosesFromTheCloseKey)
{
    EditorSession editor;
    ASSERT_EQ(editor.failure(), "");
    ASSERT_TRUE(editor.start({.files = {kTwoPlans.string()}})) << editor.log();
    EXPECT_EQ(editor.mainTitle(), "two_plans.gnr - Orbitune");
    editor.input().closeActiveWindow();
    EXPECT_EQ(editor.waitForExit(), 0) << editor.log();
}

} // namespace
