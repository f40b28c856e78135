// The row harness the family tests share: encode requests with the font
// string expected ("" for a rejected text) and a note saying where the value
// comes from, and texts a check routine must refuse.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

#include "engine/catalogue.h"

namespace lum::test {

struct EncodeRow {
    std::string_view id;
    std::string_view text;
    bool check;
    std::string_view expected;
    std::string_view note;
};

// The rows of one entry, written without its identifier.
struct TextRow {
    std::string_view text;
    bool check;
    std::string_view expected;
    std::string_view note;
};

inline void ExpectFontStrings(std::span<const EncodeRow> rows,
                              std::initializer_list<Deliverable> who = {Deliverable::Library})
{
    for (const EncodeRow& row : rows) {
        SCOPED_TRACE(testing::Message() << row.id << " '" << row.text << "' check " << row.check << ": " << row.note);
        for (const Deliverable d : who)
            EXPECT_EQ(Encode(row.text, row.id, row.check, d), row.expected);
    }
}

inline void ExpectFontStrings(std::string_view id, std::span<const TextRow> rows)
{
    for (const TextRow& row : rows) {
        SCOPED_TRACE(testing::Message() << "'" << row.text << "' check " << row.check << ": " << row.note);
        EXPECT_EQ(Encode(row.text, id, row.check, Deliverable::Library), row.expected);
    }
}

// The routine gives the empty string for every text: each holds a character
// outside its alphabet.
template <class Routine> void ExpectCheckRejects(Routine routine, std::initializer_list<std::string_view> texts)
{
    for (const std::string_view text : texts) {
        SCOPED_TRACE(testing::PrintToString(std::string(text)));
        EXPECT_EQ(routine(text), "");
    }
}

} // namespace lum::test
