#include "platform/Convert.h"
#include "platform/RuntimeError.h"
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

TEST(ErrorMessage, GuardedReportsThroughTheMessageService)
{
    ScopedFakeServices fakes;
    const bool ok = guarded("LoadSchedule", UnitKind::Form, "frmCal",
                            [] { throw Err::make(Err::FileNotFound); });
    EXPECT_FALSE(ok);
    ASSERT_EQ(fakes.messages->shown.size(), 1u);
    EXPECT_EQ(fakes.messages->shown[0].text,
              "Error 53 (File not found) in procedure LoadSchedule of Form frmCal");
    EXPECT_EQ(fakes.messages->shown[0].title, "Tarnwell Free");
    EXPECT_EQ(fakes.messages->shown[0].buttons, Msg::OKOnly);
}

TEST(Convert, NumbersAndFlagsFromText)
{
    EXPECT_EQ(CLng("184"), 184);
    EXPECT_EQ(CLng(" -7 "), -7);
    EXPECT_EQ(CLng("2.5"), 2);
    EXPECT_EQ(CLng("3.5"), 4);
    EXPECT_TRUE(CBool("True"));
    EXPECT_FALSE(CBool("false"));
    EXPECT_TRUE(CBool("-1"));
    for (const char* bad : {"", "abc", "12x", "nan"}) {
        try {
            CLng(bad);
            ADD_FAILURE() << "no error for " << bad;
        } catch (const RuntimeError& e) {
            EXPECT_EQ(e.number(), Err::TypeMismatch) << bad;
        }
    }
    EXPECT_THROW(CBool("maybe"), RuntimeError);
    try {
        CInt("40000");
        ADD_FAILURE();
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.number(), Err::Overflow);
    }
}

TEST(SettingsStore, ValuesReadBackAsTextInANewProcessView)
{
    ScopedFakeServices fakes;
    fakes.settingsStore->SaveSetting("Settings", "Flags", "184");
    fakes.settingsStore->SaveSetting("Settings", "HideInTray", BoolText(true));
    fakes.reopenSettings();
    EXPECT_EQ(fakes.settingsStore->GetSetting("Settings", "Flags", "0"), "184");
    EXPECT_EQ(fakes.settingsStore->GetSetting("Settings", "HideInTray"), "True");
    EXPECT_EQ(fakes.settingsStore->GetSetting("Long", "Missing", "dflt"), "dflt");
}

TEST(SettingsStore, DamagedFileIsCopiedAsideBeforeTheFirstWrite)
{
    ScopedFakeServices fakes;
    const QByteArray damaged = "[Settings]\nFlags=184\n[Long\nLeft=\"unterminated\n\x01\x02garbage=\n";
    const QString path = fakes.dir.path() + "/damaged.ini";
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(damaged);
    }
    auto opened = QtSettingsStore::onFile(path);
    auto& store = *opened;
    ASSERT_TRUE(store.wasDamaged());
    EXPECT_TRUE(store.backupPath().isEmpty()); // nothing written yet, nothing copied
    store.SaveSetting("Settings", "Flags", "1");
    store.sync();
    ASSERT_FALSE(store.backupPath().isEmpty());
    QFile backup(store.backupPath());
    ASSERT_TRUE(backup.open(QIODevice::ReadOnly));
    EXPECT_EQ(backup.readAll(), damaged);
}
