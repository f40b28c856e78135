// The SQL functions over the engine: one request is looked up, converted to
// Windows-1252, validated and encoded once; the five functions differ only in
// what they return from it.
#include "hosts/sql/sql_functions.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "engine/catalogue.h"
#include "engine/cp1252.h"
#include "engine/fonts.h"
#include "engine/rejection.h"
#include "engine/text.h"

namespace {

// Databases are library callers: the same escapes and Code 128 rule as LUMDLL and lumcode.
constexpr lum::Deliverable kWho = lum::Deliverable::Library;
constexpr lum::ReasonStyle kReasonStyle{lum::Language::English, lum::FlagWording::Argument, kWho};

std::string_view View(LumSqlText t) noexcept
{
    return t.data ? std::string_view(t.data, t.length) : std::string_view();
}

std::string ToUtf8(std::string_view cp1252)
{
    std::string out;
    lum::AppendCp1252AsUtf8(cp1252, out);
    return out;
}

// The Windows-1252 form of a UTF-8 argument for a message, "?" for what has none.
std::string LossyCp1252(std::string_view utf8)
{
    std::string out;
    for (std::size_t pos = 0; pos < utf8.size();) {
        const lum::Utf8Char c = lum::ReadUtf8(utf8, pos);
        const int byte = c.length ? lum::UnicodeToCp1252(c.codePoint) : -1;
        out.push_back(byte < 0 ? '?' : static_cast<char>(byte));
        pos += c.length ? c.length : 1;
    }
    return out;
}

// A UTF-8 argument in double quotes for a message, controls escaped.
std::string Quote(LumSqlText argument) { return ToUtf8(lum::QuoteText(LossyCp1252(View(argument)))); }

std::string UnknownSymbology(LumSqlText symbology)
{
    // The engine words it; an empty text is enough to reach that message.
    return ToUtf8(lum::RejectionReason({}, LossyCp1252(View(symbology)), false, kReasonStyle));
}

std::string DescribeUtf8Problem(const lum::Utf8Conversion& conversion)
{
    if (conversion.problem == lum::Utf8Problem::InvalidUtf8)
        return "invalid UTF-8 at byte " + std::to_string(conversion.offset + 1);
    return "character " + lum::CodePointName(conversion.codePoint) + " at position " +
           std::to_string(conversion.position + 1) + " has no Windows-1252 form";
}

// One request, run as far as it goes.
struct Request {
    const lum::Symbology* entry = nullptr;
    lum::Utf8Conversion conversion;
    lum::Verdict verdict;
    std::string text;    // the input in Windows-1252
    std::string work;    // the normalised text
    std::string encoded; // the font string; empty when rejected
    bool check = false;

    bool Accepted() const noexcept { return !encoded.empty(); }
};

Request Run(LumSqlText text, LumSqlText symbology, int check)
{
    Request r;
    r.check = check != 0;
    r.entry = lum::FindSymbology(View(symbology));
    if (!r.entry)
        return r;
    r.conversion = lum::Utf8ToCp1252(View(text), r.text);
    if (!r.conversion.Ok())
        return r;
    r.work = r.text;
    r.verdict = lum::ValidateText(r.work, *r.entry, r.check);
    if (r.verdict.Accepted())
        r.encoded = lum::EncodeNormalised(*r.entry, r.work, r.check, kWho);
    return r;
}

// Why a request that Run did not accept fails, in UTF-8.
std::string Reason(const Request& r, LumSqlText symbology)
{
    if (!r.entry)
        return UnknownSymbology(symbology);
    if (!r.conversion.Ok())
        return DescribeUtf8Problem(r.conversion);
    if (!r.verdict.Accepted())
        return ToUtf8(lum::DescribeRejection(*r.entry, r.verdict, r.text, r.check, kReasonStyle));
    // Validation passed and the encoder refused: the engine finds the character.
    return ToUtf8(lum::RejectionReason(r.text, r.entry->id, r.check, kReasonStyle));
}

// The error message of a rejected request: symbology, text and reason, the
// form lumcode prints.
std::string Message(const Request& r, LumSqlText symbology)
{
    if (!r.entry)
        return Reason(r, symbology);
    std::string message(r.entry->id);
    message += ": ";
    if (r.conversion.Ok())
        message.append(ToUtf8(lum::QuoteText(r.text))).append(": ");
    return message + Reason(r, symbology);
}

LumSqlResult Result(LumSqlStatus status, std::string_view text) noexcept
{
    char* copy = static_cast<char*>(std::malloc(text.size() + 1));
    if (!copy)
        return {LUM_SQL_NO_MEMORY, nullptr, 0};
    std::memcpy(copy, text.data(), text.size());
    copy[text.size()] = '\0';
    return {status, copy, text.size()};
}

constexpr LumSqlResult kNoMemory{LUM_SQL_NO_MEMORY, nullptr, 0};

// A Windows-1252 result in UTF-8. Most font strings are ASCII, which is the
// same in both and is copied as it stands.
LumSqlResult Utf8Result(std::string_view cp1252)
{
    for (const char c : cp1252)
        if (static_cast<unsigned char>(c) >= 0x80)
            return Result(LUM_SQL_OK, ToUtf8(cp1252));
    return Result(LUM_SQL_OK, cp1252);
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) noexcept
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lum::ToLowerAscii(a[i]) != lum::ToLowerAscii(b[i]))
            return false;
    return true;
}

const lum::StyleInfo* FindStyleIgnoringCase(std::string_view text) noexcept
{
    for (const lum::StyleInfo& s : lum::Styles())
        if (EqualsIgnoringCase(s.english, text) || EqualsIgnoringCase(s.italian, text))
            return &s;
    return nullptr;
}

// The English names of the styles a family has (all six when `family` is null).
std::string StyleList(const lum::FontFamily* family)
{
    std::string list;
    for (const lum::StyleInfo& s : lum::Styles()) {
        if (family && !lum::FamilyHasStyle(*family, s.style))
            continue;
        list.append(list.empty() ? "" : ", ").append(s.english);
    }
    return list;
}

} // namespace

extern "C" {

LumSqlResult lum_sql_barcode(LumSqlText text, LumSqlText symbology, int check_digit)
{
    try {
        const Request r = Run(text, symbology, check_digit);
        if (!r.Accepted())
            return Result(LUM_SQL_REJECTED, Message(r, symbology));
        return Utf8Result(r.encoded);
    } catch (...) {
        return kNoMemory;
    }
}

LumSqlResult lum_sql_validate(LumSqlText text, LumSqlText symbology, int check_digit)
{
    try {
        const Request r = Run(text, symbology, check_digit);
        if (!r.Accepted())
            return Result(LUM_SQL_REJECTED, Message(r, symbology));
        return Utf8Result(r.work);
    } catch (...) {
        return kNoMemory;
    }
}

int lum_sql_valid(LumSqlText text, LumSqlText symbology, int check_digit)
{
    try {
        return Run(text, symbology, check_digit).Accepted() ? 1 : 0;
    } catch (...) {
        return -1;
    }
}

LumSqlResult lum_sql_reason(LumSqlText text, LumSqlText symbology, int check_digit)
{
    try {
        const Request r = Run(text, symbology, check_digit);
        if (r.Accepted())
            return {LUM_SQL_OK, nullptr, 0};
        return Result(LUM_SQL_OK, Reason(r, symbology));
    } catch (...) {
        return kNoMemory;
    }
}

LumSqlResult lum_sql_font(LumSqlText symbology, LumSqlText style)
{
    try {
        const lum::Symbology* entry = lum::FindSymbology(View(symbology));
        if (!entry)
            return Result(LUM_SQL_REJECTED, UnknownSymbology(symbology));
        const lum::FontFamily* family = lum::FindFontFamily(entry->family);
        const lum::StyleInfo* s = FindStyleIgnoringCase(View(style));
        if (!s)
            return Result(LUM_SQL_REJECTED, "unknown style " + Quote(style) + "; styles: " + StyleList(nullptr));
        if (!family || !lum::FamilyHasStyle(*family, s->style))
            return Result(LUM_SQL_REJECTED, std::string(entry->id) + ": font family " + std::string(entry->family) +
                                                " has no style " + Quote(style) + "; its styles: " + StyleList(family));
        return Result(LUM_SQL_OK, lum::FontName(family->name, s->english));
    } catch (...) {
        return kNoMemory;
    }
}

} // extern "C"
