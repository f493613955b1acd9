#include "e2e/editor_steps.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

using namespace std::chrono_literals;

// Recovery copies of this session's editors, and the folder they are in.
std::filesystem::path recoveryFolder(const EditorSession& editor)
{
    return editor.folder().path() / "home/.local/state/orbitune/recovery";
}

std::vector<std::filesystem::path> copies(const EditorSession& editor)
{
    std::vector<std::filesystem::path> found;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(recoveryFolder(editor), ec))
        if (entry.path().extension() == ".gnr")
            found.push_back(entry.path());
    return found;
}

// Waits for one copy holding at least `plans` plan records.
bool waitForCopy(const EditorSession& editor, int plans)
{
    const auto until = std::chrono::steady_clock::now() + EditorSession::kPatience;
    while (std::chrono::steady_clock::now() < until) {
        const auto found = copies(editor);
        std::error_code ec;
        if (found.size() == 1 &&
            std::filesystem::file_size(found[0], ec) >= 24U + 24548U * static_cast<unsigned>(plans))
            return true;
        std::this_thread::sleep_for(100ms);
    }
    return false;
}

// Plans added with clicks, kept in a recovery copy, and the editor killed.
void addPlansAndCrash(EditorSession& editor, int plans)
{
    ASSERT_TRUE(editor.start({})) << editor.log();
    for (int i = 0; i < plans; ++i) {
        ASSERT_TRUE(editor.clickButton("Add Plan"));
        ASSERT_TRUE(editor.waitFor("table cell", "Plan" + std::to_string(i + 1)));
    }
    ASSERT_TRUE(waitForCopy(editor, plans));
    editor.kill();
}

bool isOffer(const std::string& text)
{
    return text.find("Plan(s) not saved when Orbitune last ended were kept at") == 0;
}

TEST(RecoveryE2e, LaterAndADeclinedDiscardKeepTheCopyUntilDiscarded)
{
    EditorSession editor;
    ASSERT_EQ(editor.failure(), "");
    addPlansAndCrash(editor, 2);

    // Later: nothing restored, the copy kept, the same offer at the next start.
    ASSERT_TRUE(editor.start({}));
    EXPECT_TRUE(isOffer(steps::answerMessage(editor, "Later")));
    EXPECT_TRUE(steps::planNames(editor).empty());
    editor.input().closeActiveWindow();
    ASSERT_EQ(editor.waitForExit(), 0) << editor.log();
    EXPECT_EQ(copies(editor).size(), 1U);

    // Escape is Later too.
    ASSERT_TRUE(editor.start({}));
    ASSERT_TRUE(editor.messageText());
    editor.input().key("Escape");
    editor.input().closeActiveWindow();
    ASSERT_EQ(editor.waitForExit(), 0) << editor.log();
    EXPECT_EQ(copies(editor).size(), 1U);

    // Discard asks once more; Cancel there keeps the copy.
    ASSERT_TRUE(editor.start({}));
    EXPECT_TRUE(isOffer(steps::answerMessage(editor, "Discard")));
    EXPECT_NE(steps::answerMessage(editor, "Cancel").find("Discard the plan(s)"), std::string::npos);
    editor.input().closeActiveWindow();
    ASSERT_EQ(editor.waitForExit(), 0) << editor.log();
    EXPECT_EQ(copies(editor).size(), 1U);

    // Discard and OK: gone, and the next start offers nothing.
    ASSERT_TRUE(editor.start({}));
    steps::answerMessage(editor, "Discard");
    steps::answerMessage(editor, "OK");
    EXPECT_EQ(copies(editor).size(), 0U);
    editor.input().closeActiveWindow();
    ASSERT_EQ(editor.waitForExit(), 0) << editor.log();
    ASSERT_TRUE(editor.start({}));
    EXPECT_FALSE(editor.messageText(2s));
}

TEST(RecoveryE2e, RestoredPlansSurviveAKillBeforeTheirNewCopy)
{
    EditorSession editor;
    ASSERT_EQ(editor.failure(), "");
    addPlansAndCrash(editor, 3);

    ASSERT_TRUE(editor.start({}));
    EXPECT_TRUE(isOffer(steps::answerMessage(editor, "Restore")));
    EXPECT_EQ(steps::planNames(editor), (std::vector<std::string>{"Plan1", "Plan2", "Plan3"}));
    EXPECT_EQ(editor.mainTitle(), "Orbitune*");
    editor.kill();

    ASSERT_TRUE(editor.start({}));
    EXPECT_TRUE(isOffer(steps::answerMessage(editor, "Restore")));
    EXPECT_EQ(steps::planNames(editor), (std::vector<std::string>{"Plan1", "Plan2", "Plan3"}));
}

TEST(RecoveryE2e, ADamagedCopyIsOfferedAsDamagedWithWhatCanBeRead)
{
    EditorSession editor;
    ASSERT_EQ(editor.failure(), "");
    addPlansAndCrash(editor, 3);
    const auto copy = copies(editor).at(0);
    // Cut inside the third plan record.
    std::filesystem::resize_file(copy, 24 + 24548 * 2 + 1000);

    ASSERT_TRUE(editor.start({}));
    const std::string offer = steps::answerMessage(editor, "Restore");
    EXPECT_NE(offer.find("the copy is damaged: 2 of 3 plan(s) could be read"), std::string::npos) << offer;
    EXPECT_EQ(steps::planNames(editor), (std::vector<std::string>{"Plan1", "Plan2"}));
}

TEST(RecoveryE2e, ACopyThatCannotBeWrittenIsToldOnce)
{
    EditorSession editor;
    ASSERT_EQ(editor.failure(), "");
    ASSERT_TRUE(editor.start({})) << editor.log();
    // This editor's copy goes beside its lock: a folder in its place cannot
    // be replaced by a file.
    std::filesystem::path lock;
    for (const auto& entry : std::filesystem::directory_iterator(recoveryFolder(editor)))
        if (entry.path().extension() == ".lock")
            lock = entry.path();
    ASSERT_FALSE(lock.empty());
    std::filesystem::create_directory(std::filesystem::path(lock).replace_extension(".gnr"));

    ASSERT_TRUE(editor.clickButton("Add Plan"));
    const std::string told = steps::answerMessage(editor);
    EXPECT_NE(told.find("The unsaved plans can not be kept in"), std::string::npos) << told;
    ASSERT_TRUE(editor.clickButton("Add Plan"));
    ASSERT_TRUE(editor.waitFor("table cell", "Plan2"));
    EXPECT_FALSE(editor.messageText(4s)) << "told once, not at every write";
}

} // namespace
