#include "core/res/string_ids.h"
#include "core/res/string_table.h"

#include <gtest/gtest.h>

TEST(StringTable, EveryIdHasBothTexts)
{
    const auto ids = messageIds();
    EXPECT_GE(ids.size(), 40U);
    for (const MessageId id : ids) {
        EXPECT_FALSE(messageText(id, Language::English).empty()) << id;
        EXPECT_FALSE(messageText(id, Language::Chinese).empty()) << id;
    }
    EXPECT_TRUE(messageText(MessageId{99999}, Language::English).empty());
}

TEST(StringTable, TextsKeepTheirOwnBlanksAndSpelling)
{
    EXPECT_EQ(messageText(msg::kQ36DvbsRollOff, Language::English), "the TP of DVB-S only have the  0.35 rolloff");
    EXPECT_EQ(messageText(msg::kQ36DvbsRollOff, Language::Chinese), "Q36频道表DVB-S类型转发器只有0.35的滚降系数 ");
    EXPECT_EQ(messageText(msg::kBadChars, Language::English), "not be number or not availeble chars");
    EXPECT_EQ(messageText(msg::kOleInitFailed, Language::Chinese),
              "OLE initialization failed.  Make sure that the OLE libraries are the correct version.");
}

TEST(StringTable, FormatFillsPlaceholdersInTurn)
{
    const std::vector<std::string> args{"Plan1"};
    EXPECT_EQ(formatMessage(msg::kOrbtabExists, Language::English, args),
              "The target Plan1.Orbtab file is already exist, overwrite it?");
    EXPECT_EQ(formatMessage(msg::kOrbtabExists, Language::Chinese, args), "文件Plan1.Orbtab 已存在, 替换?");
}

TEST(StringTable, LanguageFollowsTheLocaleName)
{
    EXPECT_EQ(languageFromLocaleName("zh_CN.UTF-8"), Language::Chinese);
    EXPECT_EQ(languageFromLocaleName("zh"), Language::Chinese);
    EXPECT_EQ(languageFromLocaleName("en_US.UTF-8"), Language::English);
    EXPECT_EQ(languageFromLocaleName("C"), Language::English);
}
