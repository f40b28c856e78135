// lumcode run as a process: arguments, standard streams and exit status.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "cli/format.h"
#include "engine/catalogue.h"

namespace {

struct Result {
    int status = -1;
    std::string out, err;
};

std::string ReadAll(std::FILE* file)
{
    std::rewind(file);
    std::string text;
    char buf[65536];
    for (std::size_t n; (n = std::fread(buf, 1, sizeof buf, file)) > 0;)
        text.append(buf, n);
    std::fclose(file);
    return text;
}

// Runs lumcode with `args`, `input` on its standard input.
Result RunLumcode(const std::vector<std::string>& args, const std::string& input = "")
{
    std::FILE* in = std::tmpfile();
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    std::fwrite(input.data(), 1, input.size(), in);
    std::fflush(in);
    std::rewind(in);
    std::vector<char*> argv{const_cast<char*>(LUMCODE_PATH)};
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fileno(in), 0);
    posix_spawn_file_actions_adddup2(&actions, fileno(out), 1);
    posix_spawn_file_actions_adddup2(&actions, fileno(err), 2);
    pid_t pid = 0;
    Result r;
    const int spawned = posix_spawn(&pid, LUMCODE_PATH, &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    EXPECT_EQ(spawned, 0) << LUMCODE_PATH;
    int status = 0;
    if (spawned == 0)
        waitpid(pid, &status, 0);
    r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::fclose(in);
    r.out = ReadAll(out);
    r.err = ReadAll(err);
    return r;
}

std::vector<std::string> SplitLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);)
        lines.push_back(line);
    return lines;
}

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// Sanitizer builds reserve terabytes of address space, so a limit on it
// says nothing about them.
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
constexpr bool kSanitized = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer) || __has_feature(memory_sanitizer)
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif
#else
constexpr bool kSanitized = false;
#endif

// Standard input for RunLimited: /dev/zero, or pieces each sent `times`
// times through a socket, so that no input file is written.
struct Input {
    bool zeros = false;
    std::vector<std::pair<std::string, std::size_t>> pieces;
};

// Runs lumcode with its address space limited to `limit` bytes (0: none)
// and standard output on `outPath` (empty: captured).
Result RunLimited(const std::vector<std::string>& args, const Input& input, rlim_t limit,
                  const std::string& outPath = "")
{
    int sockets[2] = {-1, -1};
    // Close-on-exec: the child keeps only what it gets as 0, 1 and 2, so it
    // sees the end of the input when the feeder closes its side.
    const int in = input.zeros ? open("/dev/zero", O_RDONLY | O_CLOEXEC)
                   : socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, sockets) == 0 ? sockets[0]
                                                                                      : -1;
    std::FILE* out = outPath.empty() ? std::tmpfile() : nullptr;
    const int outFd = out ? fileno(out) : open(outPath.c_str(), O_WRONLY | O_CLOEXEC);
    std::FILE* err = std::tmpfile();
    Result r;
    if (in < 0 || outFd < 0 || !err) {
        ADD_FAILURE() << "cannot set up the streams";
        return r;
    }
    std::vector<char*> argv{const_cast<char*>(LUMCODE_PATH)};
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        const rlimit rl{limit, limit};
        if ((limit == 0 || setrlimit(RLIMIT_AS, &rl) == 0) && dup2(in, 0) == 0 && dup2(outFd, 1) == 1 &&
            dup2(fileno(err), 2) == 2)
            execv(LUMCODE_PATH, argv.data());
        _exit(127);
    }
    std::thread feeder;
    if (!input.zeros) {
        close(sockets[0]);
        feeder = std::thread([&input, fd = sockets[1]] {
            for (const auto& [piece, times] : input.pieces)
                for (std::size_t i = 0; i < times; ++i)
                    if (send(fd, piece.data(), piece.size(), MSG_NOSIGNAL) != ssize_t(piece.size())) {
                        close(fd);
                        return;
                    }
            close(fd);
        });
    } else {
        close(in);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    if (feeder.joinable())
        feeder.join();
    r.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    r.out = out ? ReadAll(out) : "";
    if (!out)
        close(outFd);
    r.err = ReadAll(err);
    return r;
}

TEST(Lumcode, EncodeOneText)
{
    const Result r = RunLumcode({"encode", "--check", "C39", "ABC"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "#ABCX#\n"); // ISO/IEC 16388 check: 10+11+12 = 33 -> X
    EXPECT_EQ(r.err, "");
}

TEST(Lumcode, OptionsAfterArgumentsAndIdentifierInAnyCase)
{
    const Result r = RunLumcode({"encode", "c39full", "a", "--check"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "#+A8#\n"); // +A; 41 + 10 = 51 mod 43 = 8
}

TEST(Lumcode, Rejections)
{
    struct Row {
        std::vector<std::string> args;
        const char* err;
    };
    const Row rows[] = {
        {{"encode", "C39", "AB C"},
         "lumcode: C39: \"AB C\": character \" \" at position 3 is not allowed; allowed: 0-9, A-Z and - . _ $ / + % "
         "(\"_\" stands for a space)\n"},
        {{"validate", "--check", "EAN13", "1234567890123"},
         "lumcode: EAN13: \"1234567890123\": too long: 13 characters, at most 12 with --check\n"},
        {{"validate", "--check", "UPCE", "2234567"},
         "lumcode: UPCE: \"2234567\": first digit \"2\" is not allowed; the number system digit must be 0 or 1\n"},
        {{"encode", "C39FULL", "\\d200"},
         "lumcode: C39FULL: \"\\d200\": escape \"\\d200\" at position 1 stands for code 200; C39FULL encodes codes 0 "
         "to 127\n"},
        {{"encode", "C39", "\xE2\x98\x83"},
         "lumcode: C39: \"\xE2\x98\x83\": character \"\xE2\x98\x83\" (U+2603) at position 1 has no Windows-1252 "
         "form\n"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.args.back());
        const Result r = RunLumcode(row.args);
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err, row.err);
    }
}

// Input lines are limited (1 MiB unless --max-line says otherwise): a longer
// line is rejected and skipped without being kept, so memory stays flat, and
// a stream without line ends stops. The address space is limited below what
// keeping the long line would need.
TEST(Lumcode, LongLinesInLimitedMemory)
{
    if (kSanitized)
        GTEST_SKIP() << "address space limits do not apply to sanitizer builds";
    constexpr rlim_t kMiB = 1 << 20;
    const std::string mib(kMiB, 'A');
    struct Row {
        const char* note;
        std::vector<std::string> args;
        Input input;
        rlim_t limit;
        const char* out;
        const char* err;
    };
    const Row rows[] = {
        {"a stream without line ends",
         {"encode", "C128"},
         {true, {}},
         600 * kMiB,
         "\n",
         "lumcode: C128: line 1: no line end in the first 1073741824 bytes; this is not text lines, reading stopped\n"},
        {"a 64 MiB line between two short ones",
         {"encode", "C39"},
         {false, {{"ABC\n", 1}, {mib, 64}, {"\nXYZ\n", 1}}},
         48 * kMiB,
         "#ABC#\n\n#XYZ#\n",
         "lumcode: C39: line 2: 67108864 bytes, longer than the line limit of 1048576 bytes (--max-line)\n"},
        {"--max-line 2K: 2048 bytes pass, 2049 do not",
         {"encode", "--max-line", "2k", "C39"},
         {false, {{mib.substr(0, 2048) + "\n", 1}, {mib.substr(0, 2049) + "\r\nB", 1}}},
         48 * kMiB,
         nullptr,
         "lumcode: C39: line 2: 2049 bytes, longer than the line limit of 2048 bytes (--max-line)\n"},
        {"a limit beyond the memory: out of memory is a message",
         {"encode", "--max-line", "1G", "C128"},
         {true, {}},
         48 * kMiB,
         "",
         "lumcode: out of memory\n"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.note);
        const Result r = RunLimited(row.args, row.input, row.limit);
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.err, row.err);
        if (row.out)
            EXPECT_EQ(r.out, row.out);
        else
            EXPECT_EQ(r.out, "#" + mib.substr(0, 2048) + "#\n\n#B#\n");
    }
}

TEST(Lumcode, ValidatePrintsTheNormalisedText)
{
    const Result r = RunLumcode({"validate", "--check", "POSTNET", "1234"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "01234\n"); // padded to 5 digits with the flag
    EXPECT_EQ(RunLumcode({"validate", "cbar", "a123b"}).out, "A123B\n");
}

TEST(Lumcode, BatchKeepsOneLinePerInputLine)
{
    // A byte order mark, CR LF line ends, a rejected middle line, an empty
    // line (the empty text) and no final line end.
    const Result r = RunLumcode({"encode", "--check", "C39"}, "\xEF\xBB\xBF"
                                                              "abc\r\nA B\r\nCODE_39\r\n\r\nXYZ");
    EXPECT_EQ(r.status, 1);
    // Check characters by hand: ABC 33 -> X; CODE_39 113 mod 43 = 27 -> R; empty 0 -> 0; XYZ 33+34+35 = 102 mod 43 = 16
    // -> G.
    EXPECT_EQ(r.out, "#ABCX#\n\n#CODE_39R#\n#0#\n#XYZG#\n");
    EXPECT_EQ(r.err, "lumcode: C39: line 2: \"A B\": character \" \" at position 2 is not allowed; allowed: 0-9, A-Z "
                     "and - . _ $ / + % (\"_\" stands for a space)\n");
}

TEST(Lumcode, BatchWithoutRejectionsExitsZero)
{
    const Result r = RunLumcode({"encode", "C39FULL"}, "a\nb\n");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "#+A#\n#+B#\n");
    EXPECT_EQ(r.err, "");
    const Result empty = RunLumcode({"encode", "C39"}, "");
    EXPECT_EQ(empty.status, 0);
    EXPECT_EQ(empty.out, "");
}

// More lines than one read and one output flush hold; every output line
// must match the engine's own result for its input line.
TEST(Lumcode, LargeBatchStreamsInOrder)
{
    std::string input, expected;
    int rejected = 0;
    for (int i = 0; i < 30000; ++i) {
        const std::string text = i % 997 == 5 ? "bad line " + std::to_string(i) : "ITEM-" + std::to_string(i * 7919);
        input += text + (i % 2 ? "\r\n" : "\n");
        const std::string encoded = lum::Encode(text, "C39", true, lum::Deliverable::Library);
        rejected += encoded.empty();
        expected += encoded + "\n";
    }
    const Result r = RunLumcode({"encode", "--check", "C39"}, input);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, expected);
    EXPECT_EQ(int(SplitLines(r.err).size()), rejected);
    EXPECT_TRUE(Contains(r.err, "line 29916: \"bad line 29915\"")) << r.err.substr(0, 300);
}

TEST(Lumcode, Formats)
{
    struct Row {
        const char* format;
        std::vector<std::string> extra;
        const char* text;
        std::string out;
    };
    const Row rows[] = {
        {"hex", {}, "ABC", "234142435823\n"},
        {"escaped", {}, "ABC", "#ABCX#\n"},
        {"raw", {}, "ABC", "#ABCX#\n"},
        // C128 has no rule, so validate passes any byte through to the formats.
        {"hex", {}, "\xE2\x82\xAC\xC3\xA9", "80E9\n"},
        {"escaped", {}, "\xE2\x82\xAC\\", "\\x80\\\\\n"},
        {"raw", {}, "\xE2\x82\xAC\xC2\x81", std::string("\x80\x81\n")},
        {"utf8", {}, "\xE2\x82\xAC\xC2\x81", "\xE2\x82\xAC\xC2\x81\n"},
        {"hex", {"--raw-input"}, "\x80\xFF", "80FF\n"},
        {"utf8", {"--raw-input"}, "\x80\xFF", "\xE2\x82\xAC\xC3\xBF\n"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.format << " " << row.text);
        const bool c39 = std::string(row.text) == "ABC";
        std::vector<std::string> args{c39 ? "encode" : "validate", "--format", row.format};
        args.insert(args.end(), row.extra.begin(), row.extra.end());
        if (c39)
            args.emplace_back("--check");
        args.emplace_back(c39 ? "C39" : "C128");
        args.emplace_back(row.text);
        const Result r = RunLumcode(args);
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out, row.out);
    }
    // A tab becomes $I in Full ASCII; the escaped output can be read back as
    // C39FULL input text.
    EXPECT_EQ(RunLumcode({"encode", "--format=escaped", "C39FULL", "a\\tb"}).out, "#+A$I+B#\n");
}

// The CR LF inside a two-line result must not break the one-line-per-input
// rule of the line-safe formats; each line decodes back to the engine's bytes.
// Code values: ISO/IEC 15417 value sequences worked by hand (start, data,
// modulo 103 check, stop 106).
TEST(Lumcode, CodeValuesOfCode128AndEan128)
{
    Result r = RunLumcode({"encode", "--values", "C128", "1234"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "105 12 34 82 106\n"); // 105 + 12 + 2 x 34 = 185, mod 103 = 82
    EXPECT_EQ(r.err, "");
    r = RunLumcode({"encode", "e128", "0112345678901231", "--values"});
    EXPECT_EQ(r.out, "105 102 1 12 34 56 78 90 12 31 74 106\n");

    // The same values as the font string: 105 12 34 82 as 138 45 67 115, stop 139.
    EXPECT_EQ(RunLumcode({"encode", "--format", "raw", "C128", "1234"}).out, "\x8a\x2d\x43\x73\x8b\n");

    // Batch: one line per input line; a character above FNC4 is rejected. a, tab
    // shifted, b: 104 + 65 + 2 x 98 + 3 x 73 + 4 x 66 = 848, mod 103 = 24.
    r = RunLumcode({"encode", "--values", "C128"}, "1234\n\nabc\n\xC3\xA9\na\\tb\n");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "105 12 34 82 106\n104 1 106\n104 65 66 67 90 106\n\n104 65 98 73 66 24 106\n");
    EXPECT_TRUE(Contains(r.err, "line 4")) << r.err;
}

TEST(Lumcode, TwoLineResultsStayOnOneLineInEscapedAndHex)
{
    const std::vector<std::string> texts{"123", "4567", "12345678"};
    for (const std::string& text : texts)
        if (lum::Encode(text, "C32HRC", true, lum::Deliverable::Library).find("\r\n") == std::string::npos)
            GTEST_SKIP() << "no two-line C32HRC encoder in this build";
    for (const char* format : {"escaped", "hex"}) {
        SCOPED_TRACE(format);
        const Result r = RunLumcode({"encode", "--check", "--format", format, "C32HRC"}, "123\n4567\n12345678");
        EXPECT_EQ(r.status, 0) << r.err;
        const auto lines = SplitLines(r.out);
        ASSERT_EQ(lines.size(), texts.size());
        for (std::size_t i = 0; i < texts.size(); ++i) {
            const auto bytes =
                std::string(format) == "hex" ? lum::cli::ParseHex(lines[i]) : lum::cli::ParseEscaped(lines[i]);
            EXPECT_EQ(bytes, lum::Encode(texts[i], "C32HRC", true, lum::Deliverable::Library)) << lines[i];
        }
    }
}

TEST(Lumcode, UsageErrorsExitTwo)
{
    struct Row {
        std::vector<std::string> args;
        const char* err;
    };
    const Row rows[] = {
        {{}, "lumcode: no command given\n"},
        {{"frobnicate"}, "lumcode: unknown command 'frobnicate'\n"},
        {{"encode"}, "lumcode: encode: missing arguments"},
        {{"validate", "C39"}, "lumcode: validate: missing arguments"},
        {{"encode", "C39", "A", "B"}, "lumcode: encode: too many arguments (from 'B'"},
        {{"encode", "--chek", "C39", "A"}, "lumcode: encode: unknown option '--chek'"},
        {{"encode", "C39", "-A"}, "put -- before a text that starts with -"},
        {{"encode", "--format", "pdf", "C39", "A"}, "lumcode: encode: unknown format 'pdf'"},
        {{"encode", "C39", "A", "--format"}, "needs a value"},
        {{"list", "--check"}, "lumcode: list: unknown option '--check'"},
        {{"encode", "--values", "C39", "A"}, "lumcode: encode: --values is for C128 and E128 only"},
        {{"encode", "--values", "--format", "hex", "C128", "A"}, "--format does not apply"},
        {{"validate", "--values", "C128", "A"}, "lumcode: validate: unknown option '--values'"},
        {{"encode", "--max-line", "0", "C39", "A"}, "lumcode: encode: --max-line needs a number of bytes from 1 to 1G"},
        {{"encode", "--max-line", "2G", "C39"}, "(not '2G')"},
        {{"validate", "--max-line=1.5M", "C39", "A"}, "(not '1.5M')"},
        {{"encode", "--max-line", "K", "C39"}, "(not 'K')"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.err);
        const Result r = RunLumcode(row.args);
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.out, "");
        EXPECT_TRUE(r.err.starts_with(row.err) || Contains(r.err, row.err)) << r.err;
        EXPECT_TRUE(Contains(r.err, "--help'.")) << r.err;
    }
}

// Arguments echoed in messages reach the terminal escaped as input texts
// are (controls, C1 controls and malformed UTF-8 as \t, \r, \n, \xHH), never
// as controls; a text over the line limit is refused like an input line.
TEST(Lumcode, MessagesEscapeTheArguments)
{
    struct Row {
        std::vector<std::string> args;
        int status;
        const char* part;
    };
    // clang-format off
    const Row rows[] = {
        {{"encode", "C39\x1B[31m", "A"}, 2, "lumcode: encode: unknown symbology 'C39\\x1B[31m'"},
        {{"fr\tob"}, 2, "lumcode: unknown command 'fr\\tob'"},
        {{"help", "x\x1B]0;t\x07"}, 2, "lumcode: unknown command 'x\\x1B]0;t\\x07'"},
        {{"encode", "--chek\x7F", "C39", "A"}, 2, "lumcode: encode: unknown option '--chek\\x7F'"},
        {{"encode", "C39", "A", "B\r\n"}, 2, "lumcode: encode: too many arguments (from 'B\\r\\n';"},
        {{"encode", "--format", "x\xC2\x9B"
                                "1m",
          "C39", "A"},
         2, "lumcode: encode: unknown format 'x\\x9B1m'"},
        {{"encode", "--format", "\xFF\xFE", "C39", "A"}, 2, "lumcode: encode: unknown format '\\xFF\\xFE'"},
        {{"list", "\x1B" "c"}, 2, "lumcode: list: unknown symbology '\\x1Bc'"},
        {{"validate", "--max-line", "4", "C39", "ABCDE"}, 1,
         "lumcode: C39: \"ABCDE\": 5 bytes, longer than the line limit of 4 bytes (--max-line)\n"},
        {{"validate", "--max-line", "4", "C39", "ABCD"}, 0, ""},
    };
    // clang-format on
    for (const Row& row : rows) {
        SCOPED_TRACE(row.part);
        const Result r = RunLumcode(row.args);
        EXPECT_EQ(r.status, row.status);
        EXPECT_TRUE(Contains(r.err, row.part)) << r.err;
        for (std::size_t i = 0; i < r.err.size(); ++i) {
            const auto c = static_cast<unsigned char>(r.err[i]);
            const bool c1 =
                c == 0xC2 && i + 1 < r.err.size() && (static_cast<unsigned char>(r.err[i + 1]) & 0xE0) == 0x80;
            EXPECT_TRUE((c >= 0x20 && c != 0x7F && !c1) || c == '\n') << "byte " << i << " of " << r.err;
        }
    }
}

// A failed write says why, in the system's words.
TEST(Lumcode, WriteFailuresNameTheReason)
{
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"encode", "C39", "A"}, {"encode", "C39"}, {"list"}, {"isbn", "0306406152"}}) {
        SCOPED_TRACE(args[0] + " " + args.back());
        const Result r = RunLimited(args, {false, {{"A\n", 1}}}, 0, "/dev/full");
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.err, "lumcode: cannot write the output: No space left on device\n");
    }
}

TEST(Lumcode, UnknownIdentifierIsAUsageErrorEverywhere)
{
    struct Row {
        std::vector<std::string> args;
        std::string unknown;
    };
    const Row rows[] = {
        {{"encode", "C40", "ABC"}, "C40"},
        {{"encode", "C40"}, "C40"},
        {{"validate", "C40", "ABC"}, "C40"},
        {{"list", "C39", "C40"}, "C40"},
        {{"encode", "", "ABC"}, ""},
        {{"encode", "C39 ", "ABC"}, "C39 "},
        {{"validate", "C39FULLX", "A"}, "C39FULLX"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.args[0] + " " + row.unknown);
        const Result r = RunLumcode(row.args, "ABC\n");
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.out, "");
        EXPECT_TRUE(Contains(r.err, "unknown symbology '" + row.unknown + "'")) << r.err;
    }
}

TEST(Lumcode, TextStartingWithDash)
{
    const Result r = RunLumcode({"encode", "C39", "--", "-12"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "#-12#\n");
}

TEST(Lumcode, ListHasOneTabSeparatedLinePerEntry)
{
    const Result r = RunLumcode({"list"});
    EXPECT_EQ(r.status, 0);
    const auto lines = SplitLines(r.out);
    ASSERT_EQ(lines.size(), lum::Catalogue().size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        SCOPED_TRACE(lines[i]);
        std::vector<std::string> fields;
        std::istringstream stream(lines[i]);
        for (std::string f; std::getline(stream, f, '\t');)
            fields.push_back(f);
        ASSERT_EQ(fields.size(), 5u);
        EXPECT_EQ(fields[0], lum::Catalogue()[i].id);
        EXPECT_EQ(fields[3], lum::Catalogue()[i].family);
    }
    // Display names and styles from the font and name tables.
    EXPECT_EQ(lines[1], "C39\tCode 39\tCodice 39\tVOR39\tNormal, Narrow, Wide, Short, Narrow short, Wide short");
    EXPECT_EQ(RunLumcode({"list", "c128"}).out, "C128\tCode 128\tCodice 128\tVOR128\tNormal, Short\n");
    EXPECT_EQ(RunLumcode({"list", "DELTA"}).out,
              "DELTA\tDelta-Distance A\tDelta-Distance A\tVORDELTA DA\tNormal, Short\n");
}

TEST(Lumcode, HelpAndVersion)
{
    const Result help = RunLumcode({"--help"});
    EXPECT_EQ(help.status, 0);
    for (const char* command : {"encode", "validate", "list"})
        EXPECT_TRUE(Contains(help.out, std::string("  ") + command)) << command;

    const Result encodeHelp = RunLumcode({"encode", "-h"});
    EXPECT_EQ(encodeHelp.status, 0);
    for (const char* part : {"Usage: lumcode encode", "--check", "--raw-input", "--format", "escaped", "hex", "\\xHH",
                             "line per input line", "--max-line BYTES", "at most 1 MiB"})
        EXPECT_TRUE(Contains(encodeHelp.out, part)) << part;
    EXPECT_EQ(RunLumcode({"help", "validate"}).out, RunLumcode({"validate", "--help"}).out);

    const Result version = RunLumcode({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_TRUE(version.out.starts_with("lumcode ")) << version.out;
}

// Output keeps pace with input that arrives slowly: the first line's result
// is readable before the input ends.
TEST(Lumcode, BatchAnswersEachLineBeforeTheInputEnds)
{
    int toChild[2], fromChild[2];
    ASSERT_EQ(pipe(toChild), 0);
    ASSERT_EQ(pipe(fromChild), 0);
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(toChild[0], 0);
        dup2(fromChild[1], 1);
        close(toChild[1]);
        close(fromChild[0]);
        execl(LUMCODE_PATH, LUMCODE_PATH, "encode", "C39", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(toChild[0]);
    close(fromChild[1]);
    ASSERT_EQ(write(toChild[1], "ABC\n", 4), 4);
    pollfd ready{fromChild[0], POLLIN, 0};
    ASSERT_EQ(poll(&ready, 1, 10000), 1) << "no output within 10 s";
    char buf[16] = {};
    EXPECT_EQ(read(fromChild[0], buf, sizeof buf - 1), 6);
    EXPECT_STREQ(buf, "#ABC#\n");
    close(toChild[1]);
    int status = 0;
    waitpid(pid, &status, 0);
    close(fromChild[0]);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

TEST(Lumcode, EncodeRetailExample)
{
    const Result r = RunLumcode({"encode", "--check", "EAN13", "590123412345"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "5|JabCDe!nopqrt|\n"); // GS1 example 5901234123457
    EXPECT_EQ(r.err, "");
}

// MAIN+ADD2 / MAIN+ADD5: the main part by its length for the check flag,
// then the add-on digits; the output is the two font strings joined.
// Expected strings: the standard EAN/UPC examples (5901234123457,
// 036000291452, 96385074, 04252614 with add-ons 05, 12, 52495, 00000).
TEST(Lumcode, EncodeMainSymbolWithAddOn)
{
    struct Row {
        std::vector<std::string> args;
        int status;
        const char* out;
        const char* err;
    };
    // clang-format off
    const Row rows[] = {
        {{"encode", "--check", "EAN13+ADD2", "59012341234505"}, 0, "5|JabCDe!nopqrt|-+K_Z\n", ""},
        {{"encode", "EAN13+ADD2", "590123412345705"}, 0, "5|JabCDe!nopqrt|-+K_Z\n", ""},
        {{"encode", "--check", "upca+add5", "0360002914552495"}, 0, "|ADGAAA!ovnqro|-+Z_M_Y_T_P\n", ""},
        {{"encode", "--check", "EAN8+ADD2", "963850712"}, 0, "|JGDI!rmtq|-+L_M\n", ""},
        {{"encode", "UPCE+ADD5", "0425261400000"}, 0, "0|eCfcGB#-+U_U_K_K_K\n", ""},
        {{"encode", "--check", "EAN13+ADD5", "590123412345"}, 0, "5|JabCDe!nopqrt|-+U_U_K_K_K\n", ""},
        {{"encode", "--check", "EAN13+ADD2", "5901234123450599"}, 1, "",
         "lumcode: EAN13+ADD2: \"5901234123450599\": too long: 16 characters, at most 14 with --check (EAN13 12, "
         "then ADD2 2)\n"},
        {{"encode", "UPCA+ADD5", "1234567890123456789"}, 1, "",
         "lumcode: UPCA+ADD5: \"1234567890123456789\": too long: 19 characters, at most 17 without --check (UPCA "
         "12, then ADD5 5)\n"},
        {{"encode", "--check", "UPCE+ADD2", "223456712"}, 1, "",
         "lumcode: UPCE+ADD2: \"223456712\": main symbol: first digit \"2\" is not allowed; the number system digit "
         "must be 0 or 1\n"},
        {{"encode", "--check", "EAN13+ADD5", "5901234123455249x"}, 1, "",
         "lumcode: EAN13+ADD5: \"5901234123455249x\": add-on: character \"x\" at position 17 is not allowed; "
         "allowed: digits 0-9\n"},
        {{"validate", "--check", "UPCA+ADD5", "123456789012345"}, 0, "1234567890102345\n", ""},
    };
    // clang-format on
    for (const Row& row : rows) {
        SCOPED_TRACE(row.args.back());
        const Result r = RunLumcode(row.args);
        EXPECT_EQ(r.status, row.status);
        EXPECT_EQ(r.out, row.out);
        EXPECT_EQ(r.err, row.err);
    }
    const Result unknown = RunLumcode({"encode", "C39+ADD2", "ABC"});
    EXPECT_EQ(unknown.status, 2);
    EXPECT_TRUE(Contains(unknown.err, "unknown symbology 'C39+ADD2'"));
}

TEST(Lumcode, EncodeMainSymbolWithAddOnInBatch)
{
    const Result r = RunLumcode({"encode", "--check", "EAN13+ADD2"}, "59012341234505\n12\n5901234123450599\n");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "5|JabCDe!nopqrt|-+K_Z\n0|AAAAAA!mmmnop|-+K_K\n\n");
    EXPECT_EQ(r.err, "lumcode: EAN13+ADD2: line 3: \"5901234123450599\": too long: 16 characters, at most 14 with "
                     "--check (EAN13 12, then ADD2 2)\n");
    const Result help = RunLumcode({"encode", "--help"});
    EXPECT_TRUE(Contains(help.out, "MAIN+ADD2 or MAIN+ADD5"));
}

// Hyphenations and check characters: the standard example 0-306-40615-2 and
// the published 1-55404-295-X; results below 0 each with their own message.
TEST(Lumcode, Isbn)
{
    struct Row {
        std::vector<std::string> args;
        int status;
        const char* out;
        const char* err;
    };
    // clang-format off
    const Row rows[] = {
        {{"isbn", "0-306-40615-2"}, 0, "ISBN-10: 0-306-40615-2\nISBN-13: 978-0-306-40615-7\n", ""},
        {{"isbn", "978 0 306 40615 7"}, 0, "ISBN-10: 0-306-40615-2\nISBN-13: 978-0-306-40615-7\n", ""},
        {{"isbn", "978", "0", "306", "40615", "7"}, 0, "ISBN-10: 0-306-40615-2\nISBN-13: 978-0-306-40615-7\n", ""},
        {{"isbn", "155404295x"}, 0, "ISBN-10: 1-55404-295-X\nISBN-13: 978-1-55404-295-1\n", ""},
        // Hyphenated by the agency's ranges: 979-12 Italy, publisher 200-299;
        // 978-619 Bulgaria, publisher 150-699.
        {{"isbn", "9791220012348"}, 0,
         "ISBN-10: none (only numbers with the prefix 978 have an ISBN-10)\nISBN-13: 979-12-200-1234-8\n", ""},
        {{"isbn", "9786193451454"}, 0, "ISBN-10: 619-345-145-5\nISBN-13: 978-619-345-145-4\n", ""},
        // Outside the assigned ranges: split as far as the data goes, and said.
        {{"isbn", "9791234567896"}, 0,
         "ISBN-10: none (only numbers with the prefix 978 have an ISBN-10)\nISBN-13: 979-12-3456789-6\n"
         "Note: outside the ranges the ISBN agency has assigned (range data of 2022-11-13): group 979-12 has no "
         "publisher range for the digits after it, so they are not split.\n",
         ""},
        {{"isbn", "9790123456785"}, 0,
         "ISBN-10: none (only numbers with the prefix 978 have an ISBN-10)\nISBN-13: 979-012345678-5\n"
         "Note: outside the ranges the ISBN agency has assigned (range data of 2022-11-13): prefix 979 has no "
         "registration group for the digits after it, so they are not split.\n",
         ""},
        {{"isbn", "1234567890128"}, 0,
         "ISBN-10: none (only numbers with the prefix 978 have an ISBN-10)\nISBN-13: 123-456789012-8\n"
         "Note: outside the ranges the ISBN agency has assigned (range data of 2022-11-13): 123 is not an ISBN "
         "prefix (978, 979), so the digits after it are not split.\n",
         ""},
        {{"isbn", " - "}, 1, "",
         "lumcode: isbn: \" - \": empty: an ISBN has 10 or 13 characters besides hyphens and blanks\n"},
        {{"isbn", "12-345"}, 1, "",
         "lumcode: isbn: \"12-345\": 5 characters besides hyphens and blanks; an ISBN has 10 or 13\n"},
        {{"isbn", "03064061Y2"}, 1, "",
         "lumcode: isbn: \"03064061Y2\": character \"Y\" at position 9 is not allowed; an ISBN-10 is nine digits "
         "and a digit or X, an ISBN-13 thirteen digits\n"},
        {{"isbn", "0-306-40615-3"}, 1, "",
         "lumcode: isbn: \"0-306-40615-3\": not a valid ISBN-10: the check character for 030640615 is 2, not 3\n"},
        {{"isbn", "9780306406158"}, 1, "",
         "lumcode: isbn: \"9780306406158\": not a valid ISBN-13: the check digit for 978030640615 is 7, not 8\n"},
    };
    // clang-format on
    for (const Row& row : rows) {
        SCOPED_TRACE(row.args.back());
        const Result r = RunLumcode(row.args);
        EXPECT_EQ(r.status, row.status);
        EXPECT_EQ(r.out, row.out);
        EXPECT_EQ(r.err, row.err);
    }
    EXPECT_EQ(RunLumcode({"isbn"}).status, 2);
    EXPECT_TRUE(Contains(RunLumcode({"isbn", "--help"}).out,
                         "edition of 2022-11-13 (range message 4c6c2700-2979-40f9-ad1b-340395f6df54)"));
}

} // namespace
