// The engine as a WebAssembly module: a C surface over UTF-8 texts for the
// JavaScript package. Texts cross this edge in UTF-8 and are converted to and
// from Windows-1252, the engine's code page, here and nowhere else.
//
// Every call leaves its output in one result buffer (UTF-8) that the host
// reads through lum_result and lum_result_size before its next call, so an
// instance serves one caller at a time. The calls return a status: kOk with
// the font string, normalised text, line or name in the result; any other
// status with the reason in the result, in the language the flags ask for.
//
// Built without exceptions: the engine reports failures as results, and an
// allocation failure traps the instance.
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "assistant/generate.h"
#include "engine/addon.h"
#include "engine/catalogue.h"
#include "engine/cp1252.h"
#include "engine/fonts.h"
#include "engine/rejection.h"
#include "web/json_text.h"

#define LUM_EXPORT(name) extern "C" __attribute__((export_name(#name)))

namespace {

using namespace lum;

// Bits of the `flags` argument.
enum Flag : unsigned {
    kCheck = 1,       // compute and append the check character(s)
    kItalian = 2,     // reasons in Italian
    kCommandLine = 4, // name the check flag as lumcode does ("with --check")
    kCheckInHrc = 8,  // the human-readable line shows the check character(s)
};

enum Status : int {
    kOk = 0,
    kRejected = 1,         // the symbology's rules or its encoder reject the text
    kUnknownSymbology = 2, // the identifier names no entry and no main symbol with add-on
    kNoCp1252Form = 3,     // a character of the text has no Windows-1252 form
    kInvalidUtf8 = 4,      // the text is not UTF-8
};

// Pages and packages behave as the library and lumcode do.
constexpr Deliverable kWho = Deliverable::Library;

std::string result;

int SetResult(int status, std::string_view utf8)
{
    result.assign(utf8);
    return status;
}

int SetResultFromCp1252(int status, std::string_view bytes)
{
    result.clear();
    AppendCp1252AsUtf8(bytes, result);
    return status;
}

ReasonStyle StyleFor(unsigned flags)
{
    return {(flags & kItalian) ? Language::Italian : Language::English,
            (flags & kCommandLine) ? FlagWording::CommandLine : FlagWording::Argument, kWho};
}

// Why a text cannot be taken in, in the words lumcode uses for the same
// problem (English) or their Italian translation.
std::string Utf8ProblemReason(const Utf8Conversion& conversion, unsigned flags)
{
    const bool italian = (flags & kItalian) != 0;
    char code[16];
    if (conversion.problem == Utf8Problem::InvalidUtf8) {
        std::snprintf(code, sizeof code, "%zu", conversion.offset + 1);
        return std::string(italian ? "UTF-8 non valido al byte " : "invalid UTF-8 at byte ") + code;
    }
    const std::string name = CodePointName(conversion.codePoint);
    const std::string position = std::to_string(conversion.position + 1);
    if (italian)
        return "carattere " + name + " in posizione " + position + " senza equivalente in Windows-1252";
    return "character " + name + " at position " + position + " has no Windows-1252 form";
}

// One request as the engine takes it.
struct Request {
    const Symbology* entry = nullptr;     // a catalogue entry, or the main symbol of `addOn`
    std::optional<MainAndAddOnIds> addOn; // "EAN13+ADD5" and the like
    std::string text;                     // Windows-1252
    bool check = false;
};

// Reads the arguments into `rq`; on a problem the status, with its reason in
// the result.
int ReadRequest(const char* text, std::size_t size, const char* id, std::size_t idSize, unsigned flags, Request& rq)
{
    const std::string_view identifier(id, idSize);
    rq.entry = FindSymbology(identifier);
    if (!rq.entry) {
        rq.addOn = ParseMainAndAddOnId(identifier);
        if (!rq.addOn)
            return SetResultFromCp1252(kUnknownSymbology, RejectionReason({}, identifier, false, StyleFor(flags)));
        rq.entry = FindSymbology(rq.addOn->main);
    }
    rq.check = (flags & kCheck) != 0;
    const Utf8Conversion conversion = Utf8ToCp1252(std::string_view(text, size), rq.text);
    if (!conversion.Ok())
        return SetResult(conversion.problem == Utf8Problem::InvalidUtf8 ? kInvalidUtf8 : kNoCp1252Form,
                         Utf8ProblemReason(conversion, flags));
    return kOk;
}

// Why a main symbol with its add-on rejects the text: each part is judged by
// its own rule and named by its identifier; positions count from the start of
// the whole text. Empty when both parts are accepted.
std::string MainAndAddOnReason(const Request& rq, ReasonStyle style)
{
    const Symbology& main = *rq.entry;
    const Symbology& addOn = *FindSymbology(rq.addOn->addOn);
    const auto parts = SplitMainAndAddOn(rq.text, *rq.addOn, rq.check);
    if (!parts->beyond.empty()) {
        const Verdict tooLong{Rejection::TooLong, 0, int(parts->main.size() + parts->addOn.size())};
        return DescribeRejection(main, tooLong, rq.text, rq.check, style);
    }
    std::string work(parts->main);
    if (const Verdict verdict = ValidateText(work, main, rq.check); !verdict.Accepted())
        return std::string(main.id) + ": " + DescribeRejection(main, verdict, parts->main, rq.check, style);
    work.assign(parts->addOn);
    if (Verdict verdict = ValidateText(work, addOn, true); !verdict.Accepted()) {
        verdict.position += parts->main.size();
        return std::string(addOn.id) + ": " + DescribeRejection(addOn, verdict, rq.text, true, style);
    }
    return {};
}

std::string ReasonFor(const Request& rq, unsigned flags)
{
    const ReasonStyle style = StyleFor(flags);
    return rq.addOn ? MainAndAddOnReason(rq, style) : RejectionReason(rq.text, rq.entry->id, rq.check, style);
}

// A text as the rules normalise it: the main symbol's part and, for a main
// symbol with an add-on, the add-on's part.
struct NormalisedText {
    std::string main;
    std::string addOn;
};

// The normalised text, or nullopt when a rule rejects it. A main symbol with
// an add-on rejects characters beyond the add-on, as lumcode does.
std::optional<NormalisedText> Normalise(const Request& rq)
{
    NormalisedText out;
    if (!rq.addOn) {
        out.main = rq.text;
        if (!ValidateText(out.main, *rq.entry, rq.check).Accepted())
            return std::nullopt;
        return out;
    }
    const auto parts = SplitMainAndAddOn(rq.text, *rq.addOn, rq.check);
    out.main = parts->main;
    out.addOn = parts->addOn;
    if (!parts->beyond.empty() || !Validate(out.main, rq.addOn->main, rq.check) ||
        !Validate(out.addOn, rq.addOn->addOn, true))
        return std::nullopt;
    return out;
}

// The font string of a normalised text; empty when an encoder cannot carry it.
std::string EncodeText(const Request& rq, const NormalisedText& text)
{
    std::string bars = EncodeNormalised(*rq.entry, text.main, rq.check, kWho);
    if (!rq.addOn || bars.empty())
        return bars;
    const std::string addOn = EncodeNormalised(*FindSymbology(rq.addOn->addOn), text.addOn, true, kWho);
    if (addOn.empty())
        return {};
    bars += addOn;
    return bars;
}

// A JSON string of Windows-1252 text.
void AppendJsonString(std::string_view bytes, std::string& out)
{
    std::string utf8;
    AppendCp1252AsUtf8(bytes, utf8);
    web::AppendJsonUtf8(utf8, out);
}

std::string_view CheckWord(CheckStep step)
{
    switch (step) {
    case CheckStep::None:
        return "none";
    case CheckStep::Always:
        return "always";
    case CheckStep::Outside:
    case CheckStep::InsideEncoder:
        break;
    }
    return "optional";
}

// One symbology as a JSON object: identifier, display-name id and texts, font
// family and its styles (English display texts), what the check flag does and,
// for Code 32, the identifier that adds the human-readable line.
void AppendSymbology(std::string_view id, int nameId, const Symbology& entry, std::string& out)
{
    out += "{\"id\":";
    AppendJsonString(id, out);
    out += ",\"nameId\":" + std::to_string(nameId) + ",\"names\":{\"en\":";
    AppendJsonString(DisplayNameText(nameId, Language::English), out);
    out += ",\"it\":";
    AppendJsonString(DisplayNameText(nameId, Language::Italian), out);
    out += "},\"family\":";
    AppendJsonString(entry.family, out);
    out += ",\"styles\":[";
    bool first = true;
    for (const StyleInfo& style : FamilyStyles(entry.family)) {
        if (!first)
            out.push_back(',');
        AppendJsonString(style.english, out);
        first = false;
    }
    out += "],\"check\":\"";
    out += CheckWord(entry.check);
    out.push_back('"');
    const auto choice = FindDisplayChoice(nameId);
    if (choice && !choice->addOn && choice->entry->id == id && choice->withHrc) {
        out += ",\"withHrc\":";
        AppendJsonString(choice->withHrc->id, out);
    }
    out.push_back('}');
}

} // namespace

LUM_EXPORT(lum_alloc) void* lum_alloc(std::size_t size) noexcept { return std::malloc(size ? size : 1); }

LUM_EXPORT(lum_free) void lum_free(void* block) noexcept { std::free(block); }

LUM_EXPORT(lum_result) const char* lum_result() noexcept { return result.data(); }

LUM_EXPORT(lum_result_size) std::size_t lum_result_size() noexcept { return result.size(); }

// The font string for the text.
LUM_EXPORT(lum_encode)
int lum_encode(const char* text, std::size_t size, const char* id, std::size_t idSize, unsigned flags) noexcept
{
    Request rq;
    if (const int status = ReadRequest(text, size, id, idSize, flags, rq); status != kOk)
        return status;
    const auto normalised = Normalise(rq);
    const std::string bars = normalised ? EncodeText(rq, *normalised) : std::string();
    if (bars.empty()) // only the failure path pays for the diagnosis
        return SetResultFromCp1252(kRejected, ReasonFor(rq, flags));
    return SetResultFromCp1252(kOk, bars);
}

// The text as the symbology's rule normalises it (upper case, left padding).
LUM_EXPORT(lum_validate)
int lum_validate(const char* text, std::size_t size, const char* id, std::size_t idSize, unsigned flags) noexcept
{
    Request rq;
    if (const int status = ReadRequest(text, size, id, idSize, flags, rq); status != kOk)
        return status;
    if (const auto normalised = Normalise(rq))
        return SetResultFromCp1252(kOk, normalised->main + normalised->addOn);
    return SetResultFromCp1252(kRejected, ReasonFor(rq, flags));
}

// Why encoding the text fails: kOk with an empty result when it succeeds.
LUM_EXPORT(lum_reason)
int lum_reason(const char* text, std::size_t size, const char* id, std::size_t idSize, unsigned flags) noexcept
{
    Request rq;
    if (const int status = ReadRequest(text, size, id, idSize, flags, rq); status != kOk)
        return status;
    const std::string reason = ReasonFor(rq, flags);
    return SetResultFromCp1252(reason.empty() ? kOk : kRejected, reason);
}

// The human-readable line the desktop program prints under the bars for the
// symbology's display name; empty where the font string carries its own
// (EAN/UPC, ISBN, Code 32) or the entry has no display name.
LUM_EXPORT(lum_hrc)
int lum_hrc(const char* text, std::size_t size, const char* id, std::size_t idSize, unsigned flags) noexcept
{
    Request rq;
    if (const int status = ReadRequest(text, size, id, idSize, flags, rq); status != kOk)
        return status;
    const auto normalised = Normalise(rq);
    if (!normalised)
        return SetResultFromCp1252(kRejected, ReasonFor(rq, flags));
    const int nameId = rq.addOn ? 0 : rq.entry->nameId;
    if (!FindDisplayChoice(nameId))
        return SetResult(kOk, {});
    assistant::Generated generated;
    generated.valid = true;
    generated.code = normalised->main;
    return SetResultFromCp1252(kOk, assistant::HrcText(nameId, generated, rq.check, (flags & kCheckInHrc) != 0, {}));
}

// The font name for the symbology's family in a style given by its English or
// Italian display text; empty when the family has no such style.
LUM_EXPORT(lum_font_name)
int lum_font_name(const char* style, std::size_t styleSize, const char* id, std::size_t idSize, unsigned flags) noexcept
{
    Request rq;
    if (const int status = ReadRequest(style, styleSize, id, idSize, flags, rq); status != kOk)
        return status;
    return SetResultFromCp1252(kOk, FontName(rq.entry->family, rq.text));
}

// Every catalogue entry in resolution order, then the main symbols with an
// add-on under the desktop program's display names: a JSON array.
LUM_EXPORT(lum_symbologies) int lum_symbologies() noexcept
{
    std::string out = "[";
    for (const Symbology& entry : Catalogue()) {
        if (out.size() > 1)
            out.push_back(',');
        AppendSymbology(entry.id, entry.nameId, entry, out);
    }
    for (const DisplayName& name : DisplayNames()) {
        const auto choice = FindDisplayChoice(name.id);
        if (!choice || !choice->addOn)
            continue;
        const std::string id = std::string(choice->entry->id) + "+" + std::string(choice->addOn->id);
        out.push_back(',');
        AppendSymbology(id, name.id, *choice->entry, out);
    }
    out.push_back(']');
    return SetResult(kOk, out);
}
