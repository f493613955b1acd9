#include "core/editing/table_text.h"

#include <gtest/gtest.h>

TEST(TableText, QuotesOnlyCellsThatNeedIt)
{
    const TableRows rows{{"Name", "Note"}, {"TP1", "a\tb"}, {"TP2", "say \"hi\"\nthere"}};
    EXPECT_EQ(tableText(rows), "Name\tNote\nTP1\t\"a\tb\"\nTP2\t\"say \"\"hi\"\"\nthere\"\n");
    EXPECT_EQ(parseTableText(tableText(rows)), rows);
}

TEST(TableText, ReadsWhatSpreadsheetsAndPagesGive)
{
    EXPECT_EQ(parseTableText(" Freq \t Pol\r\n11493\tH\r\n\r\n\t\n12187 \tH"),
              (TableRows{{"Freq", "Pol"}, {"11493", "H"}, {"12187", "H"}}));
    EXPECT_TRUE(parseTableText("").empty());
}
