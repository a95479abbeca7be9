#include "users/HashText.h"

#include <gtest/gtest.h>

// Hashes stored by older installations must keep matching.
TEST(HashText, MatchesTheStoredHashesInTheEightBitCodePage)
{
    EXPECT_EQ(HashText("USERNAME"), 1984534655);
    // The euro sign is 0x80 in the old code page, not its Unicode value.
    // 0xC0 xor 0x40 = 0x80.
    EXPECT_EQ(HashText(QString(QChar(0x20AC))), HashText(QStringLiteral("\u00c0@")));
    EXPECT_NE(HashText(QString(QChar(0x20AC))), HashText("?"));
    EXPECT_EQ(HashText(QStringLiteral("\u00e9")), HashText(QString(QChar(0xE9))));
    // A character the code page lacks counts as "?".
    EXPECT_EQ(HashText(QString(QChar(0x4E2D))), HashText("?"));
}
