// What the preview shows and what the clipboard carries: runs of 8-bit text,
// each in one font. The preview widget and the RTF, HTML and plain-text
// writers all read this one model.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace lum::preview {

// The font of the human-readable line, as the settings record keeps it.
struct HrcFont {
    std::string faceName = "Courier"; // may carry the record's blank padding
    bool bold = false;
    bool italic = false;
    bool strikethrough = false;
    bool underline = false;
    int size = 10; // whole points
};

struct TextRun {
    std::string family; // font family name, Windows-1252
    double size = 0;    // points
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikethrough = false;
    std::string text; // Windows-1252 bytes; CR LF (or a lone CR or LF) ends a paragraph
};

struct PreviewDocument {
    std::vector<TextRun> runs;
};

struct PreviewOptions {
    std::string_view sizeText; // txtDimensione: the barcode size in points
    bool hrcOption = false;    // chkHRC
    HrcFont hrcFont;
};

// The preview for a font string in `family`: the font string at the size of
// `sizeText`, and, only when the HRC option is on and `hrc` is not empty, a line
// break in the same font followed by `hrc` in the HRC font (face name without
// surrounding blanks). Without the second line there is no trailing break.
PreviewDocument AggiornaAnteprima(std::string_view fontString, std::string_view family, std::string_view hrc,
                                  const PreviewOptions& options);

// The numeric value of a size text, read as far as it forms a number (leading
// blanks, digits, one decimal point): "12" is 12, "12.5pt" 12.5, "abc" and ""
// are 0. Negative values read as 0.
double NumericValue(std::string_view text) noexcept;

} // namespace lum::preview
