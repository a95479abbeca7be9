#include "platform/Convert.h"
#include "support/ErrorOf.h"
#include "support/Fakes.h"
#include "support/FileBytes.h"

TEST(Convert, NumbersAndFlagsFromText)
{
    // Halves round to even.
    EXPECT_EQ(QList<int>({CLng(" -7 "), CLng("2.5"), CLng("3.5")}), QList<int>({-7, 2, 4}));
    EXPECT_EQ(QList<bool>({CBool("True"), CBool("false"), CBool("-1")}),
              QList<bool>({true, false, true}));
    for (const char* bad : {"", "abc", "12x", "nan"})
        EXPECT_EQ(errorOf([&] { CLng(bad); }), Err::TypeMismatch) << bad;
    EXPECT_EQ(errorOf([&] { CBool("maybe"); }), Err::TypeMismatch);
    EXPECT_EQ(errorOf([&] { CInt("40000"); }), Err::Overflow);
}

TEST(SettingsStore, DamagedFileIsCopiedAsideBeforeTheFirstWrite)
{
    // What, the file's content, whether it is damaged.
    const std::tuple<const char*, QByteArray, bool> rows[] = {
        {"parser error", "[Settings]\nFlags=184\n[Long\nLeft=\"unterminated\n\x01\x02garbage=\n",
         true},
        {"plain text lines", "these are\nnot settings\n", true},
        {"NUL bytes", QByteArray(64, '\0'), true},
        {"not UTF-8", "[Settings]\nFlags=\xff\xfe\x80\n", true},
        {"cut off mid-line", "[Settings]\nFlags=184\nBackcolor1=-21474", true},
        {"a sound file", "; kept by hand\n[Settings]\nFlags=184\n\n[Long]\nLockSchedule=False\n",
         false},
    };
    for (const auto& [what, content, damaged] : rows) {
        SCOPED_TRACE(what);
        ScopedFakeServices fakes;
        const QString path = fakes.dir.path() + "/settings-under-test.ini";
        writeBytes(path, content);
        auto store = QtSettingsStore::onFile(path);
        ASSERT_EQ(store->wasDamaged(), damaged);
        EXPECT_TRUE(store->backupPath().isEmpty()); // nothing written yet, nothing copied
        store->SaveSetting("Settings", "Flags", "1");
        store->sync();
        EXPECT_EQ(store->backupPath().isEmpty(), !damaged);
        if (damaged) {
            EXPECT_EQ(readBytes(store->backupPath()), content);
        }
    }
}
