#include "assistant/preview/description.h"

#include <algorithm>

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

const std::vector<int> kAllStyles{278, 279, 280, 281, 282, 283};
const std::vector<int> kNormalShort{278, 281};
const std::vector<int> kNormalOnly{278};

// The fixed-length EAN and UPC rows: typed length with and without the check
// box, and whether the UPC-E number-system prefix leads.
struct EanRow {
    int nameId;
    int withCheck;
    bool upcE;
};

constexpr EanRow kEanRows[] = {
    {412, 7, false},  {413, 9, false},  {414, 12, false}, {415, 12, false}, {416, 14, false},
    {417, 17, false}, {418, 11, false}, {419, 13, false}, {420, 16, false}, {421, 6, true},
    {422, 8, true},   {423, 11, true},
};

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
    const auto text = [&](int id) { return load(id, request.language); };
    const bool cd = request.checkDigit;
    const auto count = [cd](int withCheck) { return std::to_string(cd ? withCheck : withCheck + 1); };

    SymbologyDescription out;
    out.matched = true;
    out.hrc = BoxAction::Enable;
    out.digit = BoxAction::Enable;
    out.styleIds = kNormalShort;
    std::string line;
    switch (request.nameId) {
    case 400:
    case 402:
        line = text(kTextVariable) + ", " + text(kTextAlphabet) + " 0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-._$/+%";
        out.styleIds = kAllStyles;
        break;
    case 401:
    case 403:
        line = text(kTextVariable) + ", " + text(kTextAlphabet) + " ASCII";
        out.styleIds = kAllStyles;
        break;
    case 428:
        line = text(kTextVariable) + ", max 15 " + text(kTextCharacters) + ", " + text(kTextAlphabet) + " 0123456789ABCDEF";
        break;
    case 426:
        line = text(kTextVariable) + ", " + text(kTextAlphabet) + " 0123456789-";
        break;
    case 432:
        line = count(13) + " " + text(kTextDigits);
        break;
    case 433:
        line = std::string(cd ? "5/9/11" : "6/10/12") + " " + text(kTextDigits);
        out.styleIds = kNormalOnly;
        break;
    case 427:
        line = count(6) + " " + text(kTextDigits);
        break;
    case 429:
        line = text(kTextVariable) + ", max " + count(15) + " " + text(kTextCharacters) + ", " + text(kTextAlphabet) +
               " 0123456789KLMO";
        break;
    case 409:
        line = text(kTextVariable) + ", max " + (cd ? "13 " : "15 ") + text(kTextDigits);
        break;
    case 410:
        line = count(8) + " " + text(kTextDigits);
        out.styleIds = kNormalOnly;
        out.styleListEnabled = false;
        break;
    case 411:
        line = text(kTextVariable) + ", a/b/c/d + " + text(kTextAlphabet) + ": 0123456789+.-$:/ + e/m/t/*";
        break;
    case 404:
    case 405:
    case 406:
    case 407:
    case 408:
    case 430:
    case 431:
        line = text(kTextVariable) + ", " + text(kTextDigits);
        break;
    case 434:
    case 435:
        line = (request.nameId == 434 ? "9 " : "12 ") + text(kTextDigits);
        out.hrc = BoxAction::CheckAndDisable;
        out.digit = BoxAction::CheckAndDisable;
        break;
    case 424:
    case 425:
        line = text(kTextVariable) + ", " + text(kTextAlphabet) + " ASCII";
        out.digit = BoxAction::CheckAndDisable;
        break;
    default: {
        const auto ean = std::find_if(std::begin(kEanRows), std::end(kEanRows),
                                      [&](const EanRow& r) { return r.nameId == request.nameId; });
        if (ean == std::end(kEanRows)) {
            out = SymbologyDescription{};
            break;
        }
        line = std::string(ean->upcE ? "0/1 + " : "") + count(ean->withCheck) + " " + text(kTextDigits);
        out.hrc = BoxAction::CheckAndDisable;
        break;
    }
    }

    out.caption = text(kTextLength) + line;
    for (const int id : out.styleIds)
        out.styleNames.push_back(text(id));
    const int entries = out.matched ? int(out.styleIds.size()) : request.styleCount;
    out.styleIndex = entries < request.styleIndex + 1 ? 0 : request.styleIndex;
    return out;
}

} // namespace lum::preview
