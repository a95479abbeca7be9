#include "users/HashText.h"

#include <gtest/gtest.h>

// Hashes stored by older installations must keep matching.
TEST(HashText, MatchesTheStoredHashes)
{
    EXPECT_EQ(HashText("USERNAME"), 1984534655);
}

TEST(HashText, DependsOnlyOnTheXorOfTheCodes)
{
    EXPECT_EQ(HashText("ABC"), HashText("CBA"));
    EXPECT_EQ(HashText("AA"), HashText(""));   // A xor A = 0
    EXPECT_EQ(HashText("\x01\x02"), HashText("\x03"));
    EXPECT_NE(HashText("USERNAME"), HashText("PASSWORD"));
}

TEST(HashText, UsesTheEightBitCodePage)
{
    // The euro sign is 0x80 in the old code page, not its Unicode value.
    // 0xC0 xor 0x40 = 0x80.
    EXPECT_EQ(HashText(QString(QChar(0x20AC))), HashText(QStringLiteral("\u00c0@")));
    EXPECT_NE(HashText(QString(QChar(0x20AC))), HashText("?"));
    EXPECT_EQ(HashText(QStringLiteral("\u00e9")), HashText(QString(QChar(0xE9))));
    // A character the code page lacks counts as "?".
    EXPECT_EQ(HashText(QString(QChar(0x4E2D))), HashText("?"));
}

TEST(ClassicRandom, RestartWithMinusOneIsRepeatable)
{
    ClassicRandom a, b;
    b.Rnd();
    b.Rnd(); // a different state before the restart
    EXPECT_EQ(a.Rnd(-1.0f), b.Rnd(-1.0f));
    EXPECT_EQ(a.seed(), b.seed());
    // -1 as a single is 0xBF800000: seed (0xBF800000 + 0xBF) mod 2^24, then one step.
    ClassicRandom c;
    c.Rnd(-1.0f);
    const uint32_t expected = ((0x8000BFu * 0x43FD43FDu) + 0xC39EC3u) & 0xFFFFFFu;
    EXPECT_EQ(c.seed(), expected);
}
