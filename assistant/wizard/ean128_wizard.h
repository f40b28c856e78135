// The logic of the EAN-128 wizard: it checks a value against the format of its
// application identifier (AI), keeps the list of AIs added so far and builds
// from it the GS1-128 element string for the EAN 128 encoder, with FNC1
// separators written as escape sequences, and the human-readable text with the
// AIs in parentheses. Values are 8-bit (Windows-1252) strings; messages are
// text ids of the desktop program's string table, shown with the title 92 and
// the information icon.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "assistant/text_ids.h"
#include "assistant/wizard/ai_catalogue.h"
#include "engine/catalogue.h"

namespace lum::wizard {

// Code 129, which the EAN 128 encoder reads as FNC1; it ends a variable-length
// field that is followed by a further AI.
inline constexpr char kGs1Separator = '\x81';

// Caption and tooltip text ids of the form.
inline constexpr int kTextAiListCaption = 680;
inline constexpr int kTextAiListTip = 681;
inline constexpr int kTextCodeListCaption = 682;
inline constexpr int kTextCodeListTip = 683;
inline constexpr int kTextValueCaption = 684;
inline constexpr int kTextValueTip = 685;
inline constexpr int kTextUpTip = 686;
inline constexpr int kTextDownTip = 687;

// Message text ids (besides kTextNotAllowed, shown with kTextErrorTitle).
inline constexpr int kTextUnableToUndo = 688;
inline constexpr int kTextCodeEmpty = 689;
inline constexpr int kTextWrongLength = 697;
inline constexpr int kTextNotInteger = 698;
inline constexpr int kTextFirst14NotDigits = 699;
inline constexpr int kTextFirst3NotDigits = 700;
inline constexpr int kTextNotNumber = 701;

// Removes the leading characters c; empty when every character is c.
std::string CTrimL(std::string_view text, char c);

// A non-negative integer: one or more ASCII digits and nothing else.
bool ValidaNumeroIntero(std::string_view text) noexcept;
// A non-negative number: ASCII digits with at most one decimal separator and
// at least one digit. The separator is "." always, and also "," when
// `decimalComma` is set (Italian, or a locale whose decimal separator is ",").
bool ValidaNumeroDecimale(std::string_view text, bool decimalComma) noexcept;

// The GS1 modulo-10 check digit of a digit string (weights 3, 1, 3, ... from
// the rightmost digit) as a character, by the engine's routine for any
// length. '\0' for an empty or non-digit text.
char Gs1CheckDigit(std::string_view digits);

// Writes control characters, "\" and codes from 127 up as escape sequences the
// engine's escape reader reads back: "\0", "\a", "\b", "\t", "\n", "\v", "\f",
// "\r", "\\" and otherwise "\x" with two upper-case hexadecimal digits. The
// separator becomes "\x81". A NUL before an octal digit is written "\x00",
// since the reader would take the digit into "\0".
std::string EscapeText(std::string_view text);

struct ValueCheck {
    int message = 0;   // 0 when the value is accepted, else the text id to show
    std::string value; // accepted: the value to add (without surrounding blanks, completed)
    bool Accepted() const noexcept { return message == 0; }
};

// Checks a typed value against the format of an AI row.
ValueCheck CheckAiValue(std::string_view value, const AiRow& row, bool decimalComma);

// An added AI: its row in AiCatalogue() and its checked value.
struct WizardRow {
    int aiIndex = -1;
    std::string value;
};

// The code (element string with raw separators, none at its end) and the
// human-readable text of a list of rows.
struct ElementString {
    std::string code;
    std::string hrc;
};
ElementString AssembleElementString(std::span<const WizardRow> rows);

// What OK hands to the main window.
struct WizardOutput {
    int message = 0;  // 0 on success, else the text id to show (the wizard stays open)
    std::string code; // the escaped element string for the EAN 128 encoder
    std::string hrc;  // the human-readable text
};

// The state of one wizard dialog: selected AI, value box, added rows.
class Ean128Wizard {
public:
    explicit Ean128Wizard(bool decimalComma = false) : decimalComma_(decimalComma) {}

    // Selects a row of the AI list; an index outside the list selects none.
    void SelectAi(int index) noexcept;
    int SelectedAi() const noexcept { return selectedAi_; }
    // The value box and Add are enabled only while an AI is selected.
    bool CanAdd() const noexcept { return selectedAi_ >= 0; }
    // Hint and length limit of the value box for the selected AI; empty and 0
    // while none is selected.
    std::string Hint(Language language) const;
    int MaxLength() const noexcept;

    void SetValue(std::string_view value) { value_ = value; }
    const std::string& Value() const noexcept { return value_; }

    // Checks the value box against the selected AI and, when it passes, adds
    // the (completed) value and clears the box. Returns the message text id,
    // or 0 when a row was added or no AI is selected (nothing happens then).
    int Add();
    // Takes the last row back into the AI selection and the value box; when
    // rows remain the first is selected. 688 when there is nothing to undo.
    int RemoveLast();

    std::span<const WizardRow> Rows() const noexcept { return rows_; }
    void SelectRow(int row) noexcept;
    int SelectedRow() const noexcept { return selectedRow_; }
    // "AI: " and the AI number of the selected row; empty when none is selected.
    std::string SelectedRowLabel() const;

    // The code and human-readable text for the main window; 689 when no AI was added.
    WizardOutput Finish() const;

private:
    bool decimalComma_;
    int selectedAi_ = -1;
    int selectedRow_ = -1;
    std::string value_;
    std::vector<WizardRow> rows_;
};

} // namespace lum::wizard
