#include "assistant/preview/hrc_text.h"

#include "engine/catalogue.h"
#include "engine/deliverable.h"

namespace lum::preview {
namespace {

constexpr std::string_view kShiftNames[] = {"($)", "(%)", "(/)", "(+)"};

// The Full ASCII forms: the text as typed, then the check characters the bars
// carry, those the routine appends to the Full ASCII expansion. When the text
// has no expansion (a code above 127) there are no bars and so no check
// characters to show.
std::string FullAsciiBody(std::string_view code, const HrcRule& rule, CheckRoutine check)
{
    std::string body(code);
    if (const auto expansion = rule.expansion(code, Deliverable::Assistant)) {
        const std::string checked = check(*expansion);
        if (checked.size() > expansion->size())
            body += ReadableSymbols(std::string_view(checked).substr(expansion->size()));
    }
    return body;
}

} // namespace

std::string ReadableSymbols(std::string_view symbols)
{
    std::string out;
    out.reserve(symbols.size());
    for (const char c : symbols) {
        if (c == '_')
            out += ' ';
        else if (c >= 'a' && c <= 'd')
            out += kShiftNames[c - 'a'];
        else
            out += c;
    }
    return out;
}

std::string TestoHRC(int nameId, std::string_view code, HrcOptions options)
{
    const auto choice = FindDisplayChoice(nameId);
    if (!choice || choice->addOn || choice->entry->hrc.line != HrcLine::Checked)
        return {};
    const HrcRule& rule = choice->entry->hrc;
    const CheckRoutine check = rule.check ? rule.check : choice->entry->checkRoutine;
    const bool withCheck = options.checkDigit && options.checkDigitInHrc && check;
    std::string body;
    if (withCheck && rule.expansion)
        body = FullAsciiBody(code, rule, check);
    else if (withCheck)
        body = rule.readable ? ReadableSymbols(check(code)) : check(code);
    else
        body = rule.readable ? ReadableSymbols(code) : std::string(code);
    if (rule.frame == HrcFrame::Always || (rule.frame == HrcFrame::WithCheck && withCheck))
        return "*" + body + "*";
    return body;
}

} // namespace lum::preview
