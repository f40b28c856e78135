#include "cli/line.h"

#include <array>
#include <cstdio>

#include "engine/addon.h"
#include "engine/code128.h"
#include "engine/cp1252.h"
#include "engine/escape.h"
#include "engine/rejection.h"

namespace lum::cli {
namespace {

constexpr Deliverable kWho = Deliverable::Library;

std::string ToUtf8(std::string_view bytes)
{
    std::string out;
    AppendCp1252AsUtf8(bytes, out);
    return out;
}

// `utf8` in double quotes as typed, controls and malformed bytes escaped, cut
// after `limit` characters.
std::string QuoteUtf8(std::string_view utf8, std::size_t limit) { return "\"" + EscapeForMessage(utf8, limit) + "\""; }

std::string DescribeUtf8Problem(const Utf8Conversion& conversion)
{
    if (conversion.problem == Utf8Problem::InvalidUtf8)
        return "invalid UTF-8 at byte " + std::to_string(conversion.offset + 1) +
               " (use --raw-input for Windows-1252 input)";
    return "character " + CodePointName(conversion.codePoint) + " at position " +
           std::to_string(conversion.position + 1) + " has no Windows-1252 form";
}

// The Code 128 code values of the text, start to stop, as decimal numbers
// separated by spaces; false when the text cannot be encoded.
bool AppendValues(const Symbology& entry, std::string_view text, std::string& out)
{
    const Code128Sequence values = entry.codeValues(text, kWho);
    if (values.empty())
        return false;
    for (const std::uint8_t v : values)
        out.append(std::to_string(v)).push_back(' ');
    out.append(std::to_string(kCode128Stop));
    return true;
}

} // namespace

std::string MessageHead(const LineOptions& options, std::size_t lineNumber)
{
    std::string head(options.entry->id);
    if (options.addOn)
        head.append("+").append(options.addOn->id);
    if (lineNumber > 0)
        head.append(": line ").append(std::to_string(lineNumber));
    return head;
}

std::string DescribeTooLongLine(std::size_t length, std::size_t maxLine)
{
    return std::to_string(length) + " bytes, longer than the line limit of " + std::to_string(maxLine) +
           " bytes (--max-line)";
}

bool HasCodeValues(const Symbology& entry) noexcept { return entry.codeValues != nullptr; }

std::string QuoteForMessage(std::string_view text, std::size_t limit) { return ToUtf8(lum::QuoteText(text, limit)); }

std::string DescribeRejection(const Symbology& entry, const Verdict& verdict, std::string_view text, bool check)
{
    return ToUtf8(
        lum::DescribeRejection(entry, verdict, text, check, {Language::English, FlagWording::CommandLine, kWho}));
}

bool LineHandler::HandleMainAndAddOn(std::string& out, std::string& reason)
{
    const Symbology& main = *options_.entry;
    const Symbology& addOn = *options_.addOn;
    const auto parts = SplitMainAndAddOn(text_, {main.id, addOn.id}, options_.check);
    if (!parts) {
        reason = "not a main symbol and an add-on";
        return false;
    }
    if (!parts->beyond.empty()) {
        const std::size_t mainLength = parts->main.size(), addOnLength = parts->addOn.size();
        reason = "too long: " + std::to_string(text_.size()) + " characters, at most " +
                 std::to_string(mainLength + addOnLength) +
                 (options_.check ? " with --check (" : " without --check (") + std::string(main.id) + " " +
                 std::to_string(mainLength) + ", then " + std::string(addOn.id) + " " + std::to_string(addOnLength) +
                 ")";
        return false;
    }
    // Each part is validated on its own; positions in messages count from the
    // start of the whole text. The add-on always takes the flag set.
    work_.assign(parts->main);
    Verdict verdict = ValidateText(work_, main, options_.check);
    if (!verdict.Accepted()) {
        reason = "main symbol: " + DescribeRejection(main, verdict, parts->main, options_.check);
        return false;
    }
    addOnWork_.assign(parts->addOn);
    verdict = ValidateText(addOnWork_, addOn, true);
    if (!verdict.Accepted()) {
        verdict.position += parts->main.size();
        reason = "add-on: " + DescribeRejection(addOn, verdict, text_, true);
        return false;
    }
    if (options_.action == Action::Validate) {
        AppendFormatted(options_.format, work_ + addOnWork_, out);
        return true;
    }
    const std::string encoded =
        EncodeNormalised(main, work_, options_.check, kWho) + EncodeNormalised(addOn, addOnWork_, true, kWho);
    if (encoded.empty()) {
        reason = "the encoder cannot carry this text";
        return false;
    }
    AppendFormatted(options_.format, encoded, out);
    return true;
}

bool LineHandler::Handle(std::string_view line, std::size_t lineNumber, std::string& out, std::string& message)
{
    const Symbology& entry = *options_.entry;
    const auto reject = [&](std::string_view quoted, const std::string& reason) {
        message = MessageHead(options_, lineNumber);
        message.append(": ").append(quoted).append(": ").append(reason);
        return false;
    };
    if (line.size() > options_.maxLine)
        return reject(QuoteUtf8(line, 60), DescribeTooLongLine(line.size(), options_.maxLine));

    if (options_.rawInput) {
        text_.assign(line);
    } else if (const Utf8Conversion conversion = Utf8ToCp1252(line, text_); !conversion.Ok()) {
        return reject(QuoteUtf8(line, 60), DescribeUtf8Problem(conversion));
    }

    if (options_.addOn) {
        std::string reason;
        return HandleMainAndAddOn(out, reason) || reject(QuoteForMessage(text_), reason);
    }

    work_ = text_;
    const Verdict verdict = ValidateText(work_, entry, options_.check);
    if (!verdict.Accepted())
        return reject(QuoteForMessage(text_), DescribeRejection(entry, verdict, text_, options_.check));

    if (options_.action == Action::Validate) {
        AppendFormatted(options_.format, work_, out);
        return true;
    }

    if (options_.values) {
        if (AppendValues(entry, work_, out))
            return true;
    } else if (const std::string encoded = EncodeNormalised(entry, work_, options_.check, kWho); !encoded.empty()) {
        AppendFormatted(options_.format, encoded, out);
        return true;
    }
    // Only the failure path pays for the diagnosis.
    const Verdict diagnosis = Diagnose(text_, entry.id, options_.check, kWho);
    if (!diagnosis.Accepted())
        return reject(QuoteForMessage(text_), DescribeRejection(entry, diagnosis, text_, options_.check));
    return reject(QuoteForMessage(text_), "the encoder cannot carry this text");
}

} // namespace lum::cli
