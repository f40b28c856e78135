// One input line to one output line: the core of lumcode's encode and
// validate commands, shared by the single-text and the batch mode.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "cli/format.h"
#include "engine/catalogue.h"

namespace lum::cli {

// The longest text or input line lumcode takes by default (--max-line
// changes it): far above any barcode, far below the machine's memory.
inline constexpr std::size_t kDefaultMaxLine = std::size_t(1) << 20;
inline constexpr std::size_t kLargestMaxLine = std::size_t(1) << 30;

enum class Action : unsigned char {
    Encode,   // the font string
    Validate, // the normalised text
};

struct LineOptions {
    const Symbology* entry = nullptr; // never null when handling lines
    Action action = Action::Encode;
    bool check = false;
    bool rawInput = false; // the input is Windows-1252 already, not UTF-8
    OutputFormat format = OutputFormat::Utf8;
    bool values = false; // entries drawn from code values (HasCodeValues): the values instead of the font string
    const Symbology* addOn = nullptr;      // an add-on entry typed after the main EAN/UPC symbol `entry`, or null
    std::size_t maxLine = kDefaultMaxLine; // longest text or input line taken, in bytes
};

// Turns input lines into output lines. Keeps its scratch buffers between
// calls, so a batch allocates only when a line is longer than all before it.
class LineHandler {
public:
    explicit LineHandler(const LineOptions& options) : options_(options) {}

    // Appends the output for `line` (without its line end) to `out` and returns
    // true; or, when the input is rejected, leaves `out` as it is, sets
    // `message` to the reason and returns false. `lineNumber` > 0 is named in
    // the message (batch mode).
    bool Handle(std::string_view line, std::size_t lineNumber, std::string& out, std::string& message);

    const LineOptions& Options() const noexcept { return options_; }

private:
    // A main symbol followed by its add-on: appends the output, or sets the
    // reason for the rejection and returns false.
    bool HandleMainAndAddOn(std::string& out, std::string& reason);

    LineOptions options_;
    std::string text_;      // the input in Windows-1252
    std::string work_;      // the text being validated and normalised
    std::string addOnWork_; // the add-on part, likewise
};

// The head of a message about a text: "C39", "EAN13+ADD2: line 3".
std::string MessageHead(const LineOptions& options, std::size_t lineNumber);

// The reason for rejecting a text or line of `length` bytes over the limit.
std::string DescribeTooLongLine(std::size_t length, std::size_t maxLine);

// Why the entry rejects `text` (Windows-1252), for messages: "too long: ...",
// "character ... at position ...". `verdict` comes from ValidateText or Diagnose.
std::string DescribeRejection(const Symbology& entry, const Verdict& verdict, std::string_view text, bool check);

// `text` (Windows-1252) in double quotes for a message: UTF-8 as typed, with
// control characters escaped so the message stays on one line, cut after
// `limit` characters.
std::string QuoteForMessage(std::string_view text, std::size_t limit = 60);

// Whether the entry can print its code values (--values): those drawn from Code 128 code values.
bool HasCodeValues(const Symbology& entry) noexcept;

} // namespace lum::cli
