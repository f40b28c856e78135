// The application identifiers (AIs) the EAN-128 wizard offers, their data
// formats and what the wizard shows for each format. AI numbers and formats
// follow the GS1 standard as the wizard's list gives them.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "engine/catalogue.h"

namespace lum::wizard {

// The shape of an AI's data, read from its rule code.
enum class AiFormat : unsigned char {
    Invalid,
    Digits,         // "nN": exactly N digits
    Text,           // "avN": up to N characters, variable length
    DigitsUpTo,     // "nv8": up to N digits, variable length
    LengthInAi,     // "nl19": up to N digits, the length coded into the AI
    Decimal,        // "ndN": a number filling N digit positions, the decimals coded into the AI
    DigitsThenText, // "n14av16", "n3av9": a fixed run of digits, then up to some characters
};

struct AiRule {
    AiFormat format = AiFormat::Invalid;
    int number = 0; // the N of the code; for DigitsThenText the whole length (30 for "n14av16")
    int digits = 0; // DigitsThenText: the leading digits (14 for "n14av16")
};

// Reads a rule code: "n2" to "n18", "av9" to "av30", "nv8", "nl19", "nd6",
// "nd15", "nd18", "n14av16", "n3av9" (any number, in fact). Anything else is
// AiFormat::Invalid.
constexpr AiRule ParseAiRule(std::string_view code) noexcept
{
    const auto number = [](std::string_view s) -> int {
        if (s.empty() || s.size() > 3)
            return -1;
        int n = 0;
        for (char c : s) {
            if (c < '0' || c > '9')
                return -1;
            n = n * 10 + (c - '0');
        }
        return n > 0 ? n : -1;
    };
    const auto make = [](AiFormat f, int n, int d = 0) { return n < 0 || d < 0 ? AiRule{} : AiRule{f, n, d}; };
    if (code.starts_with("av"))
        return make(AiFormat::Text, number(code.substr(2)));
    if (code.starts_with("nv"))
        return make(AiFormat::DigitsUpTo, number(code.substr(2)));
    if (code.starts_with("nl"))
        return make(AiFormat::LengthInAi, number(code.substr(2)));
    if (code.starts_with("nd"))
        return make(AiFormat::Decimal, number(code.substr(2)));
    if (code.starts_with("n")) {
        const auto av = code.find("av");
        if (av == std::string_view::npos)
            return make(AiFormat::Digits, number(code.substr(1)));
        const int d = number(code.substr(1, av - 1));
        const int t = number(code.substr(av + 2));
        return make(AiFormat::DigitsThenText, d < 0 || t < 0 ? -1 : d + t, d);
    }
    return {};
}

// One row of the wizard's AI list.
struct AiRow {
    int textId;            // description text id (English; Italian under + 1000)
    std::string_view ai;   // the AI number, "00" to "8102"
    std::string_view rule; // the rule code

    constexpr AiRule Rule() const noexcept { return ParseAiRule(rule); }
    // Position (from 1) of the GS1 check digit in the value; 0 when the
    // wizard checks none. The SSCC (00) and GSRN (8018) end with theirs; the
    // 18 digits of AI 8006 are a GTIN-14, with its check digit 14th, and two
    // 2-digit counts.
    constexpr int CheckDigitPosition() const noexcept { return rule != "n18" ? 0 : ai == "8006" ? 14 : 18; }
};

// The 107 rows in list order.
std::span<const AiRow> AiCatalogue() noexcept;

// The description of a row as the list shows it (UTF-8).
std::string_view AiDescription(const AiRow& row, Language language) noexcept;

// A wizard text of ids 680 to 701 or an AI description (UTF-8); empty for any
// other id.
std::string_view WizardText(int id, Language language) noexcept;

// The hint shown for a format, "%" replaced by its number (UTF-8).
std::string FormatHint(const AiRule& rule, Language language);

// The longest value the value box takes for a format; 0 for an invalid rule.
int ValueBoxLength(const AiRule& rule) noexcept;

} // namespace lum::wizard
