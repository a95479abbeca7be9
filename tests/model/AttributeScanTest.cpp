// An attribute is found only outside quoted values, however the tag reads.
#include "model/AttributeScan.h"

#include <gtest/gtest.h>
#include <optional>

TEST(AttributeScan, OnlyMatchesOutsideValuesCount)
{
    const struct {
        const char *why, *tag, *name;
        char quote;
        qsizetype from;
        std::optional<QString> value;
    } rows[] = {
        {"later attribute", R"(<S Title="A" Description="B">)", "Description", '"', 0, "B"},
        {"a title that reads like an attribute", R"(<S Title="a Description=" Description="real">)",
         "Description", '"', 0, "real"},
        {"quotes before the start still count", R"(<Schedule Note="a Title=" Title="real">)",
         "Title", '"', 18, "real"},
        {"a longer name ending the same", R"(<S SubTitle="x" Title="y">)", "Title", '"', 0, "y"},
        {"the shift's quote", "<Shift Title=|D| Sequence=|12|>", "Sequence", '|', 0, "12"},
        {"empty value", R"(<S Title="">)", "Title", '"', 0, ""},
        {"missing", R"(<S Initials="I">)", "Title", '"', 0, std::nullopt},
        {"other quote", R"(<S Title=|x|>)", "Title", '"', 0, std::nullopt},
        {"not closed", R"(<S Title="abc)", "Title", '"', 0, std::nullopt},
        {"cut in the name", "<S Titl", "Title", '"', 0, std::nullopt},
        {"before the start", R"(<S Title="A">)", "Title", '"', 3, std::nullopt},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.why);
        QString v = QStringLiteral("untouched");
        const bool found = AttributeScan::value(QString::fromUtf8(r.tag), QString::fromUtf8(r.name),
                                                QLatin1Char(r.quote), &v, r.from);
        EXPECT_EQ(found, r.value.has_value());
        EXPECT_EQ(v, r.value.value_or(QStringLiteral("untouched")));
    }
}
