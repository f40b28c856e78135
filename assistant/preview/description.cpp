#include "assistant/preview/description.h"

#include <functional>

#include "engine/fonts.h"

namespace lum::preview {
namespace {

struct Text {
    int id;
    std::string_view english;
    std::string_view italian;
};

// The words of the line; the desktop program's string table takes them from here.
constexpr Text kTexts[] = {
    {kTextLength, "Length: ", "Lunghezza: "}, {kTextCharacters, "characters", "caratteri"},
    {kTextDigits, "digits", "cifre"},         {kTextAlphabet, "alphabet", "alfabeto"},
    {kTextVariable, "variable", "variabile"},
};

using TextOf = std::function<std::string(int id)>;

// What the line states about the accepted input, from the entry's validation
// rule and, for an add-on name, the add-on's fixed length.
std::string DescribeInput(const ValidationRule& rule, const Symbology* addOn, bool cd, const TextOf& text)
{
    const int e = cd ? 0 : 1;
    const int limit = cd ? rule.maxWithCheck : rule.maxWithoutCheck;
    if (rule.padding == Padding::Postnet) {
        std::string lengths;
        for (const int n : kPostnetLengths)
            lengths += (lengths.empty() ? "" : "/") + std::to_string(n + e);
        return lengths + " " + text(kTextDigits);
    }
    if (rule.padding == Padding::ToMaximum) {
        int n = limit + (addOn ? addOn->rule.maxWithCheck : 0);
        std::string prefix;
        if (rule.extra == ExtraRule::UpcENumberSystem) {
            prefix = "0/1 + "; // the number system digit, stated apart
            --n;
        }
        return prefix + std::to_string(n) + " " + text(kTextDigits);
    }
    std::string line = text(kTextVariable);
    if (rule.alphabet == Alphabet::Digits)
        return line + (limit == kNoLimit ? ", " : ", max " + std::to_string(limit) + " ") + text(kTextDigits);
    if (rule.extra == ExtraRule::CodabarEnds)
        return line + ", a/b/c/d + " + text(kTextAlphabet) + ": " + std::string(AlphabetCharacters(rule.alphabet)) +
               " + e/m/t/*";
    if (limit != kNoLimit)
        line += ", max " + std::to_string(limit) + " " + text(kTextCharacters);
    const std::string_view characters = AlphabetCharacters(rule.alphabet);
    return line + ", " + text(kTextAlphabet) + " " + (characters.empty() ? "ASCII" : std::string(characters));
}

// The style text ids the list offers for the entry.
std::vector<int> StyleIds(const Symbology& entry)
{
    std::vector<int> ids;
    if (entry.styles == StyleChoice::NormalAndShort) {
        for (const StyleInfo& style : Styles())
            if (style.style == Style::Normal || style.style == Style::Short)
                ids.push_back(style.textId);
    } else if (const FontFamily* family = FindFontFamily(entry.family)) {
        for (const StyleInfo& style : FontStyles(*family))
            ids.push_back(style.textId);
    }
    return ids;
}

} // namespace

std::string DescriptionText(int id, Language language)
{
    for (const Text& t : kTexts)
        if (t.id == id)
            return std::string(language == Language::Italian ? t.italian : t.english);
    for (const StyleInfo& s : Styles())
        if (s.textId == id)
            return std::string(language == Language::Italian ? s.italian : s.english);
    return {};
}

int DisplayNameId(std::string_view text, Language language) noexcept
{
    for (const DisplayName& name : DisplayNames())
        if ((language == Language::Italian ? name.italian : name.english) == text)
            return name.id;
    return 0;
}

SymbologyDescription DescriviSimbologia(const DescriptionRequest& request, TextLoader load)
{
    const TextOf text = [&](int id) { return load(id, request.language); };
    SymbologyDescription out;
    std::string line;
    if (const auto choice = FindDisplayChoice(request.nameId)) {
        const Symbology& entry = *choice->entry;
        out.matched = true;
        line = DescribeInput(entry.rule, choice->addOn, request.checkDigit, text);
        out.styleIds = StyleIds(entry);
        out.styleListEnabled = entry.styles != StyleChoice::Locked;
        // Boxes that cannot change the result are set and locked: the font
        // draws the digits, or the check characters are always there (or never).
        out.hrc = entry.hrc.line == HrcLine::InFont ? BoxAction::CheckAndDisable : BoxAction::Enable;
        const bool flagUsed = entry.check == CheckStep::Outside || entry.check == CheckStep::InsideEncoder;
        out.digit = flagUsed ? BoxAction::Enable : BoxAction::CheckAndDisable;
    }
    out.caption = text(kTextLength) + line;
    for (const int id : out.styleIds)
        out.styleNames.push_back(text(id));
    const int entries = out.matched ? int(out.styleIds.size()) : request.styleCount;
    out.styleIndex = entries < request.styleIndex + 1 ? 0 : request.styleIndex;
    return out;
}

} // namespace lum::preview
