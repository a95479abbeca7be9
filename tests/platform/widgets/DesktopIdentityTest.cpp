#include "platform/widgets/DesktopIdentity.h"

#include <gtest/gtest.h>

// The icon comes from resources linked in from a static library: a dropped
// resource object or a mistyped alias leaves an empty icon without a word.
TEST(ProgramIcon, CarriesTheInstalledSizes)
{
    const QIcon icon = ProgramIcon();
    ASSERT_FALSE(icon.isNull());
    const QList<QSize> sizes = icon.availableSizes();
    for (int px : {48, 128, 256})
        EXPECT_TRUE(sizes.contains(QSize(px, px))) << px;
    EXPECT_EQ(icon.pixmap(256).size(), QSize(256, 256));
}
