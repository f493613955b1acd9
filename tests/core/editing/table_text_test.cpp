#include "core/editing/table_text.h"

#include <gtest/gtest.h>

TEST(TableText, QuotesOnlyCellsThatNeedIt)
{
    const TableRows rows{{"Name", "Note"}, {"TP1", "a\tb"}, {"TP2", "say \"hi\"\nthere"}};
    EXPECT_EQ(tableText(rows), "Name\tNote\nTP1\t\"a\tb\"\nTP2\t\"say \"\"hi\"\"\nthere\"\n");
    EXPECT_EQ(parseTableText(tableText(rows), '\t'), rows);
}

TEST(TableText, ReadsWhatSpreadsheetsAndPagesGive)
{
    EXPECT_EQ(parseTableText(" Freq \t Pol\r\n11493\tH\r\n\r\n\t\n12187 \tH", '\t'),
              (TableRows{{"Freq", "Pol"}, {"11493", "H"}, {"12187", "H"}}));
    EXPECT_TRUE(parseTableText("", '\t').empty());
}

// The header row tells the separator, quotes hiding the others; a CSV row
// written with "," or ";" reads back to its cells.
TEST(TableText, TellsTheSeparatorFromTheHeaderRow)
{
    EXPECT_EQ(tableSeparator("\n\"Freq;MHz\",Pol\n1;2;3;4\n"), ',');
    EXPECT_EQ(tableSeparator("Freq;Pol,SR;FEC\n"), ';');
    EXPECT_EQ(tableSeparator("Freq\tPol;SR\n"), '\t');
    EXPECT_EQ(tableSeparator("Freq\n1,2\n"), '\t');
    const TableRows rows{{"Note", "Freq"}, {"a;b, \"c\"", "11493,5"}};
    for (const char separator : {',', ';'})
        EXPECT_EQ(parseTableText(tableText(rows, separator, "\r\n"), separator), rows);
    EXPECT_EQ(tableText(rows, ';', "\r\n"), "Note;Freq\r\n\"a;b, \"\"c\"\"\";11493,5\r\n");
}
