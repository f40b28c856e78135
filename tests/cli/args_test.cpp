#include "cli/args.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace lum::cli {
namespace {

constexpr std::array<OptionSpec, 2> kOptions{{
    {"--check", "", "flag"},
    {"--format", "FORMAT", "with a value"},
}};

ParseOutcome Parse(std::vector<const char*> args) { return ParseArguments(kOptions, args); }

TEST(Args, OptionsAnywhereAndValuesInBothForms)
{
    const ParseOutcome p = Parse({"C39", "--format", "hex", "ABC", "--check"});
    ASSERT_TRUE(p.Ok()) << p.error;
    EXPECT_EQ(p.args.positionals, (std::vector<std::string_view>{"C39", "ABC"}));
    EXPECT_TRUE(p.args.Has("--check"));
    EXPECT_EQ(p.args.Value("--format"), "hex");

    const ParseOutcome q = Parse({"--format=raw", "--format=escaped", "C39"});
    ASSERT_TRUE(q.Ok());
    EXPECT_EQ(q.args.Value("--format"), "escaped"); // the last one counts
    EXPECT_FALSE(q.args.Has("--check"));
}

TEST(Args, DoubleDashEndsOptions)
{
    const ParseOutcome p = Parse({"C39", "--", "-ABC", "--check"});
    ASSERT_TRUE(p.Ok());
    EXPECT_EQ(p.args.positionals, (std::vector<std::string_view>{"C39", "-ABC", "--check"}));
    EXPECT_FALSE(p.args.Has("--check"));
    const ParseOutcome dash = Parse({"-"});
    ASSERT_TRUE(dash.Ok());
    EXPECT_EQ(dash.args.positionals.size(), 1u);
}

TEST(Args, Errors)
{
    struct Row {
        std::vector<const char*> args;
        const char* inError;
    };
    const Row rows[] = {
        {{"--chek"}, "unknown option '--chek'"}, {{"C39", "-AB"}, "put -- before a text"},
        {{"--format"}, "needs a value"},         {{"--check=yes"}, "takes no value"},
        {{"-check"}, "unknown option"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.inError);
        const ParseOutcome p = Parse(row.args);
        EXPECT_FALSE(p.Ok());
        EXPECT_NE(p.error.find(row.inError), std::string::npos) << p.error;
    }
}

TEST(Args, HelpAnywhere)
{
    EXPECT_TRUE(Parse({"C39", "-h"}).args.help);
    EXPECT_TRUE(Parse({"--help", "C39"}).args.help);
}

} // namespace
} // namespace lum::cli
