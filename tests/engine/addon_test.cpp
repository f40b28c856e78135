#include "engine/addon.h"

#include <gtest/gtest.h>

#include "engine/catalogue.h"

namespace lum {
namespace {

TEST(AddOn, ParseCombinedIdentifier)
{
    struct Row {
        const char* combined;
        const char* main; // "" when rejected
        const char* addOn;
    };
    // clang-format off
    constexpr Row kRows[] = {
        {"EAN13+ADD2", "EAN13", "ADD2"}, {"ean13+add5", "EAN13", "ADD5"}, {"UPCA+ADD5", "UPCA", "ADD5"},
        {"EAN8+ADD2", "EAN8", "ADD2"},   {"Upce+Add5", "UPCE", "ADD5"},   {"EAN13", "", ""},
        {"EAN13+", "", ""},              {"+ADD2", "", ""},               {"C39+ADD2", "", ""},
        {"EAN13+EAN8", "", ""},          {"ADD2+ADD5", "", ""},           {"EAN13+ADD2+ADD5", "", ""},
        {"ISBN+ADD5", "", ""},           {"", "", ""},
    };
    // clang-format on
    for (const Row& row : kRows) {
        SCOPED_TRACE(row.combined);
        const auto ids = ParseMainAndAddOnId(row.combined);
        if (*row.main == '\0') {
            EXPECT_FALSE(ids);
            continue;
        }
        ASSERT_TRUE(ids);
        EXPECT_EQ(ids->main, row.main);
        EXPECT_EQ(ids->addOn, row.addOn);
    }
}

// Main length by the check flag (EAN-13 12/13, UPC-A 11/12, EAN-8 and UPC-E
// 7/8), then the add-on digits, then whatever is left.
TEST(AddOn, Split)
{
    struct Row {
        const char* main;
        const char* addOn;
        bool check;
        const char* text;
        const char* mainPart;
        const char* addOnPart;
        const char* beyond;
    };
    constexpr Row kRows[] = {
        {"UPCA", "ADD5", true, "123456789012345", "12345678901", "2345", ""}, // four digits left: padded to 02345
        {"UPCA", "ADD5", false, "123456789012345", "123456789012", "345", ""},
        {"EAN13", "ADD2", true, "59012341234505", "590123412345", "05", ""},
        {"EAN13", "ADD2", false, "590123412345705", "5901234123457", "05", ""},
        {"EAN13", "ADD2", true, "5901234123450599", "590123412345", "05", "99"},
        {"EAN8", "ADD5", true, "963850752495", "9638507", "52495", ""},
        {"EAN8", "ADD2", false, "9638507405", "96385074", "05", ""},
        {"UPCE", "ADD2", true, "042526112", "0425261", "12", ""},
        {"UPCE", "ADD5", false, "0425261400000", "04252614", "00000", ""},
        {"EAN13", "ADD5", true, "123", "123", "", ""},
        {"EAN13", "ADD5", true, "", "", "", ""},
    };
    for (const Row& row : kRows) {
        SCOPED_TRACE(testing::Message() << row.main << "+" << row.addOn << " " << row.check << " " << row.text);
        const auto parts = SplitMainAndAddOn(row.text, {row.main, row.addOn}, row.check);
        ASSERT_TRUE(parts);
        EXPECT_EQ(parts->main, row.mainPart);
        EXPECT_EQ(parts->addOn, row.addOnPart);
        EXPECT_EQ(parts->beyond, row.beyond);
    }
    EXPECT_FALSE(SplitMainAndAddOn("123", {"C39", "ADD2"}, true));
    EXPECT_FALSE(SplitMainAndAddOn("123", {"EAN13", "UPCA"}, true));
}

} // namespace
} // namespace lum
