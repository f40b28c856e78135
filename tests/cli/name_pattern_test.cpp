// File names of lumcode render --batch: the pattern's fields and safe text.
#include <gtest/gtest.h>

#include "cli/name_pattern.h"

namespace lum::cli {
namespace {

TEST(NamePattern, Fields)
{
    struct Row {
        const char* pattern;
        std::size_t line;
        const char* text;
        const char* name;
    } rows[] = {
        {"{line}.png", 7, "x", "7.png"},
        {"out/{line:5}-{text}.pdf", 42, "ABC-1", "out/00042-ABC-1.pdf"},
        {"{line:2}.png", 1234, "", "1234.png"}, // wider numbers are not cut
        {"{text}.svg", 1, "a b/c\\d:e", "a_b_c_d_e.svg"},
        {"{{{line}}}.png", 3, "", "{3}.png"},
        {"{text}", 1, "..", "_."},               // never "." or ".."
        {"{text}", 1, ".hidden", "_hidden"},     // never a hidden file
        {"{text}", 1, "", "_"},                  // never empty
        {"{text}", 1, "caf\xC3\xA9", "caf__"},   // UTF-8 bytes replaced one by one
        {"{text}", 1, "+12.5_x-Y", "+12.5_x-Y"}, // kept as they are
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.pattern);
        std::string error;
        const auto pattern = NamePattern::Parse(row.pattern, error);
        ASSERT_TRUE(pattern) << error;
        EXPECT_EQ(pattern->Name(row.line, row.text), row.name);
    }
    EXPECT_EQ(SafeFileName(std::string(300, 'A')).size(), 100u);
}

TEST(NamePattern, WhatNamesDifferOn)
{
    std::string error;
    EXPECT_TRUE(NamePattern::Parse("{line:3}.png", error)->NumbersLines());
    EXPECT_FALSE(NamePattern::Parse("{text}.png", error)->NumbersLines());
    EXPECT_TRUE(NamePattern::Parse("{text}.png", error)->UsesText());
    const auto fixed = NamePattern::Parse("label.png", error);
    ASSERT_TRUE(fixed);
    EXPECT_FALSE(fixed->NumbersLines() || fixed->UsesText());
}

TEST(NamePattern, MistakesAreRefused)
{
    for (const char* bad : {"{line", "{lines}.png", "{line:0}", "{line:10}", "{}", "a}b", "{text:3}"}) {
        SCOPED_TRACE(bad);
        std::string error;
        EXPECT_FALSE(NamePattern::Parse(bad, error));
        EXPECT_FALSE(error.empty());
    }
}

} // namespace
} // namespace lum::cli
