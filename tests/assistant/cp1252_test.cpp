#include "assistant/cp1252.h"

#include <gtest/gtest.h>

namespace lum::assistant {
namespace {

TEST(Cp1252, EveryByteSurvivesARoundTrip)
{
    std::string all;
    for (int b = 0; b < 256; ++b)
        all.push_back(char(b));
    const QString text = FromCp1252(all);
    ASSERT_EQ(text.size(), 256);
    EXPECT_EQ(ToCp1252(text), all);
}

TEST(Cp1252, HighRangeFollowsTheCodePage)
{
    struct Row {
        unsigned char byte;
        char16_t unicode;
    };
    // Values from the Windows-1252 code page chart.
    const Row rows[] = {{0x80, 0x20AC}, {0x81, 0x0081}, {0x85, 0x2026}, {0x8A, 0x0160}, {0x8D, 0x008D},
                        {0x91, 0x2018}, {0x96, 0x2013}, {0x99, 0x2122}, {0x9F, 0x0178}, {0xA0, 0x00A0},
                        {0xE8, 0x00E8}, {0xFF, 0x00FF}, {'A', 'A'}};
    for (const Row& r : rows) {
        SCOPED_TRACE(int(r.byte));
        const QString text = FromCp1252(std::string(1, char(r.byte)));
        ASSERT_EQ(text.size(), 1);
        EXPECT_EQ(text.at(0).unicode(), r.unicode);
        EXPECT_EQ(ToCp1252(QString(QChar(r.unicode))), std::string(1, char(r.byte)));
    }
}

TEST(Cp1252, CharactersOutsideBecomeQuestionMarks)
{
    EXPECT_EQ(ToCp1252(QStringLiteral("a\u4E2Db")), "a?b");
    EXPECT_EQ(ToCp1252(QString::fromUtf8("x\xF0\x9F\x98\x80y")), "x?y"); // one character, two UTF-16 units
    EXPECT_EQ(ToCp1252(QString(QChar(0x0080))), "?");                    // C1 control whose byte is the euro sign
    EXPECT_EQ(ToCp1252(QStringLiteral("Il valore digitato non è ammesso")), "Il valore digitato non \xE8 ammesso");
}

} // namespace
} // namespace lum::assistant
