#include "platform/Convert.h"
#include "platform/RuntimeError.h"
#include "support/ErrorOf.h"
#include "support/Fakes.h"

#include <QFile>
#include <gtest/gtest.h>

TEST(ErrorMessage, FormatsWithAndWithoutLine)
{
    EXPECT_EQ(errorMessage(13, "Type mismatch", "GetValue", UnitKind::ClassModule, "clsShift"),
              "Error 13 (Type mismatch) in procedure GetValue of Class Module clsShift");
    EXPECT_EQ(errorMessage(6, "Overflow", "Picture1_Paint", UnitKind::UserControl, "ctlMonth", 40),
              "Error 6 (Overflow) in line 40 in procedure Picture1_Paint of User Control ctlMonth");
}

TEST(Convert, NumbersAndFlagsFromText)
{
    EXPECT_EQ(CLng(" -7 "), -7);
    EXPECT_EQ(CLng("2.5"), 2); // halves round to even
    EXPECT_EQ(CLng("3.5"), 4);
    EXPECT_TRUE(CBool("True"));
    EXPECT_FALSE(CBool("false"));
    EXPECT_TRUE(CBool("-1"));
    for (const char* bad : {"", "abc", "12x", "nan"})
        EXPECT_EQ(errorOf([&] { CLng(bad); }), Err::TypeMismatch) << bad;
    EXPECT_EQ(errorOf([&] { CBool("maybe"); }), Err::TypeMismatch);
    EXPECT_EQ(errorOf([&] { CInt("40000"); }), Err::Overflow);
}

TEST(SettingsStore, DamagedFileIsCopiedAsideBeforeTheFirstWrite)
{
    struct Row {
        const char* name;
        QByteArray content;
        bool damaged;
    };
    const Row rows[] = {
        {"parser error", "[Settings]\nFlags=184\n[Long\nLeft=\"unterminated\n\x01\x02garbage=\n",
         true},
        {"plain text lines", "these are\nnot settings\n", true},
        {"NUL bytes", QByteArray(64, '\0'), true},
        {"not UTF-8", "[Settings]\nFlags=\xff\xfe\x80\n", true},
        {"cut off mid-line", "[Settings]\nFlags=184\nBackcolor1=-21474", true},
        {"a sound file", "; kept by hand\n[Settings]\nFlags=184\n\n[Long]\nLockSchedule=False\n",
         false},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        ScopedFakeServices fakes;
        const QString path = fakes.dir.path() + "/settings-under-test.ini";
        {
            QFile f(path);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(r.content);
        }
        auto opened = QtSettingsStore::onFile(path);
        auto& store = *opened;
        ASSERT_EQ(store.wasDamaged(), r.damaged);
        EXPECT_TRUE(store.backupPath().isEmpty()); // nothing written yet, nothing copied
        store.SaveSetting("Settings", "Flags", "1");
        store.sync();
        if (!r.damaged) {
            EXPECT_TRUE(store.backupPath().isEmpty());
            continue;
        }
        ASSERT_FALSE(store.backupPath().isEmpty());
        QFile backup(store.backupPath());
        ASSERT_TRUE(backup.open(QIODevice::ReadOnly));
        EXPECT_EQ(backup.readAll(), r.content);
    }
}
