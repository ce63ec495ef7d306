#include "tools/LogText.h"

#include <gtest/gtest.h>

TEST(LogText, LastNonEmptyLineAcrossEveryLineEnd)
{
    EXPECT_EQ(lastNonEmptyLine("first\nsecond\n"), "second");
    EXPECT_EQ(lastNonEmptyLine("first\nsecond\n\n\r\n\n"), "second");
    EXPECT_EQ(lastNonEmptyLine("a\r\nb\r\n"), "b");
    EXPECT_EQ(lastNonEmptyLine("a\rb"), "b");
    EXPECT_EQ(lastNonEmptyLine("a\vb\f"), "b");
    EXPECT_EQ(lastNonEmptyLine("a\xc2\x85" "b"), "b");          // NEL
    EXPECT_EQ(lastNonEmptyLine("a\xe2\x80\xa8" "b\xe2\x80\xa9"), "b"); // LS, PS
    EXPECT_EQ(lastNonEmptyLine("error\n   \n"), "   ");             // a line of spaces counts
    EXPECT_EQ(lastNonEmptyLine("  indented error  "), "  indented error  ");
    EXPECT_FALSE(lastNonEmptyLine(""));
    EXPECT_FALSE(lastNonEmptyLine("\n\r\n\v\f"));
}

TEST(LogText, InvalidBytesBecomeReplacementCharacters)
{
    // A window that starts in the middle of "é" (0xC3 0xA9).
    const auto line = lastNonEmptyLine("\xa9" "caf\xc3\xa9");
    ASSERT_TRUE(line);
    EXPECT_EQ(*line, QString::fromUtf8("\xef\xbf\xbd" "caf\xc3\xa9"));
}
