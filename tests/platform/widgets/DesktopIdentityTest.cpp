#include "platform/widgets/DesktopIdentity.h"

#include <gtest/gtest.h>

// The icon comes from resources linked in from a static library: a dropped
// resource object or a mistyped alias leaves an empty icon without a word.
TEST(ProgramIcon, CarriesTheInstalledSizes)
{
    const QIcon icon = ProgramIcon();
    ASSERT_FALSE(icon.isNull());
    // The files are read only when a size is asked for, so ask for each.
    for (int px : {48, 128, 256}) {
        EXPECT_TRUE(icon.availableSizes().contains(QSize(px, px))) << px;
        EXPECT_EQ(icon.pixmap(px, px).size(), QSize(px, px)) << px;
    }
}
