#include <gtest/gtest.h>
#include <iconv.h>

#include <map>
#include <string>
#include <vector>

#include "assistant/preview/document.h"
#include "assistant/preview/html_writer.h"
#include "assistant/preview/rtf_writer.h"

namespace lum::preview {
namespace {

// A small RTF reader, enough for what a word processor needs from the
// clipboard: groups, the font table, \f \fs \b \i \ul \strike \plain \par,
// \'hh and the escaped "\", "{", "}". Unknown control words fail the test.
struct ReadRun {
    std::string family;
    long halfPoints = 24;
    bool bold = false, italic = false, underline = false, strike = false;
    std::string text;
    bool SameFormat(const ReadRun& o) const
    {
        return family == o.family && halfPoints == o.halfPoints && bold == o.bold && italic == o.italic &&
               underline == o.underline && strike == o.strike;
    }
};

struct ReadDocument {
    std::vector<ReadRun> runs;
    std::map<long, std::string> fonts;
    long codePage = 0;
    std::vector<long> charsets;
};

ReadDocument ReadRtf(std::string_view rtf)
{
    struct State {
        long font = 0, halfPoints = 24;
        bool bold = false, italic = false, underline = false, strike = false;
        bool fontTable = false;
    };
    ReadDocument doc;
    std::vector<State> stack{State{}};
    long definingFont = -1;
    std::string fontName;
    int depth = 0;
    // An escaped byte is always text, even a ";" in the font table.
    auto emit = [&](char c, bool escaped = false) {
        State& s = stack.back();
        if (s.fontTable) {
            if (c == ';' && !escaped) {
                doc.fonts[definingFont] = fontName;
                fontName.clear();
            } else {
                fontName += c;
            }
            return;
        }
        ReadRun run{doc.fonts.count(s.font) ? doc.fonts[s.font] : "?",
                    s.halfPoints,
                    s.bold,
                    s.italic,
                    s.underline,
                    s.strike,
                    {}};
        if (doc.runs.empty() || !doc.runs.back().SameFormat(run))
            doc.runs.push_back(run);
        doc.runs.back().text += c;
    };
    auto hex = [](char c) -> int {
        if (c >= '0' && c <= '9')
            return c - '0';
        if (c >= 'a' && c <= 'f')
            return c - 'a' + 10;
        if (c >= 'A' && c <= 'F')
            return c - 'A' + 10;
        ADD_FAILURE() << "bad hex digit " << int(c);
        return 0;
    };
    for (std::size_t i = 0; i < rtf.size(); ++i) {
        const char c = rtf[i];
        if (c == '{') {
            stack.push_back(stack.back());
            ++depth;
        } else if (c == '}') {
            if (stack.size() <= 1) {
                ADD_FAILURE() << "unbalanced } at " << i;
                return doc;
            }
            stack.pop_back();
            if (--depth == 0 && i + 1 < rtf.size() && rtf.substr(i + 1) != "\r\n")
                ADD_FAILURE() << "text after the document";
        } else if (c == '\r' || c == '\n') {
            // line breaks in RTF source carry no meaning
        } else if (c == '\\') {
            if (++i >= rtf.size()) {
                ADD_FAILURE() << "trailing backslash";
                return doc;
            }
            const char n = rtf[i];
            if (n == '\'') {
                if (i + 2 >= rtf.size()) {
                    ADD_FAILURE() << "short \\'";
                    return doc;
                }
                emit(char(hex(rtf[i + 1]) * 16 + hex(rtf[i + 2])), true);
                i += 2;
            } else if (n == '\\' || n == '{' || n == '}') {
                emit(n, true);
            } else if ((n >= 'a' && n <= 'z') || (n >= 'A' && n <= 'Z')) {
                std::string word;
                while (i < rtf.size() && ((rtf[i] >= 'a' && rtf[i] <= 'z') || (rtf[i] >= 'A' && rtf[i] <= 'Z')))
                    word += rtf[i++];
                bool hasParam = false;
                long param = 0, sign = 1;
                if (i < rtf.size() && rtf[i] == '-') {
                    sign = -1;
                    ++i;
                }
                while (i < rtf.size() && rtf[i] >= '0' && rtf[i] <= '9') {
                    hasParam = true;
                    param = param * 10 + (rtf[i++] - '0');
                }
                param *= sign;
                if (!(i < rtf.size() && rtf[i] == ' '))
                    --i; // the delimiter belongs to what follows
                State& s = stack.back();
                const bool on = !hasParam || param != 0;
                if (word == "rtf" || word == "ansi" || word == "deff" || word == "fnil" || word == "pard") {
                } else if (word == "ansicpg") {
                    doc.codePage = param;
                } else if (word == "fcharset") {
                    doc.charsets.push_back(param);
                } else if (word == "fonttbl") {
                    s.fontTable = true;
                } else if (word == "f") {
                    (s.fontTable ? definingFont : s.font) = param;
                } else if (word == "fs") {
                    s.halfPoints = param;
                } else if (word == "plain") {
                    s.bold = s.italic = s.underline = s.strike = false;
                    s.halfPoints = 24;
                } else if (word == "b") {
                    s.bold = on;
                } else if (word == "i") {
                    s.italic = on;
                } else if (word == "ul") {
                    s.underline = on;
                } else if (word == "strike") {
                    s.strike = on;
                } else if (word == "par") {
                    emit('\r');
                    emit('\n');
                } else {
                    ADD_FAILURE() << "unknown control word \\" << word;
                }
            } else {
                ADD_FAILURE() << "unknown control symbol \\" << n;
            }
        } else {
            emit(c);
        }
    }
    if (depth != 0)
        ADD_FAILURE() << "unbalanced groups";
    return doc;
}

std::string AllBytes()
{
    std::string bytes;
    for (int b = 0; b < 256; ++b)
        if (b != '\r' && b != '\n')
            bytes += char(b);
    return bytes;
}

void ExpectReadsBack(const PreviewDocument& doc, const ReadDocument& read)
{
    ASSERT_EQ(read.runs.size(), doc.runs.size());
    for (std::size_t r = 0; r < doc.runs.size(); ++r) {
        SCOPED_TRACE("run " + std::to_string(r));
        const TextRun& w = doc.runs[r];
        const ReadRun& g = read.runs[r];
        EXPECT_EQ(g.family, w.family);
        EXPECT_EQ(g.halfPoints, long(w.size * 2));
        EXPECT_EQ(g.bold, w.bold);
        EXPECT_EQ(g.italic, w.italic);
        EXPECT_EQ(g.underline, w.underline);
        EXPECT_EQ(g.strike, w.strikethrough);
        EXPECT_EQ(g.text, w.text);
    }
}

PreviewDocument Sample(std::string bars, std::string hrc, HrcFont font)
{
    PreviewOptions options;
    options.sizeText = "100";
    options.hrcOption = true;
    options.hrcFont = std::move(font);
    return AggiornaAnteprima(bars, "VOR128", hrc, options);
}

// Every byte value except the line breaks, in the bars and in the line; the
// RTF is 7-bit printable ASCII (no NUL, nothing a reader could take in another
// code page) and reads back byte for byte, font and attributes included.
TEST(WriteRtf, EveryByteReadsBack)
{
    HrcFont font;
    font.faceName = "Courier New";
    font.bold = font.italic = font.underline = font.strikethrough = true;
    font.size = 11;
    const PreviewDocument doc = Sample(AllBytes(), AllBytes(), font);
    const std::string rtf = WriteRtf(doc);
    for (std::size_t i = 0; i < rtf.size(); ++i) {
        const auto b = static_cast<unsigned char>(rtf[i]);
        ASSERT_TRUE((b >= 0x20 && b < 0x7F) || b == '\r' || b == '\n') << "byte " << int(b) << " at " << i;
    }
    EXPECT_EQ(rtf.rfind("{\\rtf1\\ansi\\ansicpg1252", 0), 0U);
    const ReadDocument read = ReadRtf(rtf);
    EXPECT_EQ(read.codePage, 1252);
    EXPECT_EQ(read.charsets, (std::vector<long>{0, 0}));
    ExpectReadsBack(doc, read);
    // Each byte above 0x7F appears as its \'hh escape.
    EXPECT_NE(rtf.find("\\'80\\'81"), std::string::npos);
    EXPECT_NE(rtf.find("\\'fe\\'ff"), std::string::npos);
    EXPECT_NE(rtf.find("\\\\"), std::string::npos);
}

TEST(WriteRtf, MarkupCharactersAndBreaks)
{
    const PreviewDocument doc = Sample("{\\}#\\par", "a}b{c\\", HrcFont{});
    const std::string rtf = WriteRtf(doc);
    EXPECT_NE(rtf.find("\\{\\\\\\}#\\\\par\\par"), std::string::npos) << rtf;
    const ReadDocument read = ReadRtf(rtf);
    ExpectReadsBack(doc, read);
    ASSERT_EQ(read.runs.size(), 2U);
    // The break after the bars is in the barcode font.
    EXPECT_EQ(read.runs[0].family, "VOR128");
    EXPECT_EQ(read.runs[0].text.substr(read.runs[0].text.size() - 2), "\r\n");
}

// The ISBN and Code 32 HRC font strings are two lines: a paragraph break each;
// a lone CR or LF also ends a paragraph.
TEST(WriteRtf, TwoLineSymbolsAndLoneBreaks)
{
    PreviewOptions options;
    options.sizeText = "48";
    const PreviewDocument isbn = AggiornaAnteprima("$%&'\r\n|AbC!mno|", "VOREAN", "", options);
    const ReadDocument read = ReadRtf(WriteRtf(isbn));
    ExpectReadsBack(isbn, read);
    const PreviewDocument lone = AggiornaAnteprima("a\rb\nc", "VOREAN", "", options);
    const ReadDocument loneRead = ReadRtf(WriteRtf(lone));
    ASSERT_EQ(loneRead.runs.size(), 1U);
    EXPECT_EQ(loneRead.runs[0].text, "a\r\nb\r\nc");
}

// No trailing paragraph break without the HRC line.
TEST(WriteRtf, NoTrailingBreak)
{
    PreviewOptions options;
    options.sizeText = "100";
    const std::string rtf = WriteRtf(AggiornaAnteprima("#ABC#", "VOR39", "*ABC*", options));
    EXPECT_EQ(rtf.find("\\par\r"), std::string::npos) << rtf;
    EXPECT_EQ(rtf.find("\\par "), std::string::npos) << rtf;
    const ReadDocument read = ReadRtf(rtf);
    ASSERT_EQ(read.runs.size(), 1U);
    EXPECT_EQ(read.runs[0].text, "#ABC#");
    EXPECT_EQ(read.runs[0].halfPoints, 200);
}

// Font names with the font table's own delimiter and 8-bit characters; one
// table entry when the HRC font is the barcode family.
TEST(WriteRtf, FontTable)
{
    HrcFont font;
    font.faceName = "Odd;Font{\\}\xE9";
    PreviewDocument doc = Sample("x", "y", font);
    ReadDocument read = ReadRtf(WriteRtf(doc));
    EXPECT_EQ(read.fonts.size(), 2U);
    ExpectReadsBack(doc, read);
    font.faceName = "VOR128";
    doc = Sample("x", "y", font);
    read = ReadRtf(WriteRtf(doc));
    EXPECT_EQ(read.fonts.size(), 1U);
    ExpectReadsBack(doc, read);
}

// Sizes go in half-points, rounded; out-of-range ones are clamped.
TEST(WriteRtf, HalfPoints)
{
    struct Case {
        std::string_view size;
        long halfPoints;
    };
    for (const Case c : {Case{"10.5", 21}, Case{"10.3", 21}, Case{"10.2", 20}, Case{"0", 0}, Case{"abc", 0},
                         Case{"99999", 32767}, Case{"1", 2}}) {
        SCOPED_TRACE(std::string(c.size));
        PreviewOptions options;
        options.sizeText = c.size;
        const ReadDocument read = ReadRtf(WriteRtf(AggiornaAnteprima("#", "VOR39", "", options)));
        ASSERT_EQ(read.runs.size(), 1U);
        EXPECT_EQ(read.runs[0].halfPoints, c.halfPoints);
    }
}

// The text of an HTML fragment: tags dropped, the five entities decoded,
// paragraphs ended by "\n".
std::string HtmlText(std::string_view html)
{
    const auto body = html.find("<body>");
    html = html.substr(body + 6);
    std::string out;
    for (std::size_t i = 0; i < html.size();) {
        if (html.compare(i, 4, "</p>") == 0) {
            out += '\n';
            i += 4;
        } else if (html[i] == '<') {
            i = html.find('>', i) + 1;
        } else if (html[i] == '&') {
            const auto end = html.find(';', i);
            const std::string_view entity = html.substr(i, end - i + 1);
            out += entity == "&amp;" ? "&" : entity == "&lt;" ? "<" : entity == "&gt;" ? ">" : "\"";
            i = end + 1;
        } else if (html[i] == '\n') {
            ++i;
        } else {
            out += html[i++];
        }
    }
    return out;
}

TEST(WriteHtml, TextAndStyles)
{
    HrcFont font;
    font.faceName = "Bitstream O'Hara";
    font.bold = font.italic = font.underline = true;
    font.size = 12;
    const PreviewDocument doc = Sample("\x80\x81\x9F<&>\"x  y\xE9", "*A_1*", font);
    const std::string html = WriteHtml(doc);
    EXPECT_NE(html.find("<meta charset=\"utf-8\">"), std::string::npos);
    EXPECT_EQ(HtmlText(html), "\u20AC\u0081\u0178<&>\"x  y\u00E9\n*A_1*\n");
    EXPECT_NE(html.find("font-family:'VOR128';font-size:100pt\""), std::string::npos) << html;
    EXPECT_NE(html.find("font-family:'Bitstream O\\'Hara';font-size:12pt;font-weight:bold;font-style:italic;"
                        "text-decoration:underline\""),
              std::string::npos)
        << html;
    EXPECT_NE(html.find("white-space:pre"), std::string::npos);
}

TEST(WriteHtml, ParagraphsFollowTheBreaks)
{
    PreviewOptions options;
    options.sizeText = "36.5";
    options.hrcOption = true;
    const std::string alone = WriteHtml(AggiornaAnteprima("#ABC#", "VOR39", "", options));
    EXPECT_EQ(HtmlText(alone), "#ABC#\n");
    EXPECT_NE(alone.find("font-size:36.5pt"), std::string::npos);
    const std::string isbn = WriteHtml(AggiornaAnteprima("$%\r\n|A|", "VOREAN", "", options));
    EXPECT_EQ(HtmlText(isbn), "$%\n|A|\n");
    options.sizeText = "10.25";
    EXPECT_NE(WriteHtml(AggiornaAnteprima("#", "VOR39", "", options)).find("font-size:10.25pt"), std::string::npos);
    options.sizeText = "20";
    EXPECT_NE(WriteHtml(AggiornaAnteprima("#", "VOR39", "", options)).find("font-size:20pt"), std::string::npos);
    options.hrcFont.strikethrough = true;
    const std::string struck = WriteHtml(AggiornaAnteprima("#", "VOR39", "x", options));
    EXPECT_NE(struck.find("text-decoration:line-through\""), std::string::npos);
}

TEST(WritePlainText, Utf8Lines)
{
    const PreviewDocument doc = Sample("\x86\x87", "*A*", HrcFont{});
    EXPECT_EQ(WritePlainText(doc), "\u2020\u2021\n*A*");
    PreviewOptions options;
    options.sizeText = "100";
    EXPECT_EQ(WritePlainText(AggiornaAnteprima("#A#", "VOR39", "", options)), "#A#");
}

} // namespace
} // namespace lum::preview
