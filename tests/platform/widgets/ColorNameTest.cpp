// The words a screen reader says for a colour swatch.
#include "platform/widgets/OleColor.h"

#include <gtest/gtest.h>

TEST(ColorName, NearestPlainNameOrTheSystemRole)
{
    // Exact colours, near ones, then the desktop's by role.
    const struct {
        uint32_t ole; // 0x00BBGGRR
        const char* name;
    } cases[] = {{0x000000, "Black"},
                 {0x0000FF, "Red"},
                 {0xFF0000, "Blue"},
                 {0x00FFFF, "Yellow"},
                 {0xC0C0C0, "Silver"},
                 {0x1A1A1A, "Black"},
                 {0x3C14DC, "Red"},
                 {0x006400, "Green"},
                 {0x2080F0, "Orange"},
                 {0x13458B, "Brown"},
                 {0xFFE0C0, "Light blue"},
                 {0x6B0000, "Navy"},
                 {0x80000005, "Window background"},
                 {0x8000000F, "Button face"},
                 {0x80000012, "Window text"}};
    for (const auto& c : cases)
        EXPECT_EQ(OleColor::ColorName(static_cast<int32_t>(c.ole)).toStdString(), c.name)
            << std::hex << c.ole;
}
