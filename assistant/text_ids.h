// Ids of the desktop program's string table that its forms, the preview logic
// and the wizard name in code. The English text of id n is stored under n, the
// Italian one under n + 1000. The symbology display names (400 to 435) and the
// style names (278 to 283) are the engine's, found through its tables.
#pragma once

namespace lum {

// About box and splash window.
inline constexpr int kTextVersion = 89; // "Information - Version ", followed by the version
inline constexpr int kTextLoading = 300;

// Buttons and message boxes.
inline constexpr int kTextOk = 90;
inline constexpr int kTextAbort = 91;
inline constexpr int kTextErrorTitle = 92;
inline constexpr int kTextNotAllowed = 93; // "The value introduced is not allowed"

// The words of the symbology description line.
inline constexpr int kTextLength = 94; // "Length: ", which starts the line
inline constexpr int kTextCharacters = 95;
inline constexpr int kTextDigits = 96;
inline constexpr int kTextAlphabet = 97;
inline constexpr int kTextVariable = 98;

// Main window captions (labels, check boxes, button) and their tooltips.
inline constexpr int kTextSizeCaption = 260;
inline constexpr int kTextSizeTip = 261;
inline constexpr int kTextSymbologyCaption = 262;
inline constexpr int kTextSymbologyTip = 263;
inline constexpr int kTextHrcCaption = 264;
inline constexpr int kTextHrcTip = 265;
inline constexpr int kTextCheckDigitCaption = 266;
inline constexpr int kTextCheckDigitTip = 267;
inline constexpr int kTextCodeCaption = 268;
inline constexpr int kTextCodeTip = 269;
inline constexpr int kTextClipboardCaption = 270;
inline constexpr int kTextClipboardTip = 271;
inline constexpr int kTextStyleCaption = 284;
inline constexpr int kTextStyleTip = 285;

// Main window menus.
inline constexpr int kTextMenuFile = 272;
inline constexpr int kTextMenuExit = 273;
inline constexpr int kTextMenuEdit = 274;
inline constexpr int kTextMenuHrcFont = 275;
inline constexpr int kTextMenuHelp = 276; // "&?"
inline constexpr int kTextMenuInformation = 277;
inline constexpr int kTextMenuGuide = 286;
inline constexpr int kTextMenuLanguage = 289;
inline constexpr int kTextMenuItalian = 290;
inline constexpr int kTextMenuEnglish = 291;
inline constexpr int kTextMenuCheckDigitInHrc = 292;

// Texts of this program beyond the shared interface texts.
inline constexpr int kTextNoBarcodeFont = 301; // no barcode font family installed
inline constexpr int kTextSaveFailed = 302;    // settings could not be written
inline constexpr int kTextNoManual = 303;      // manual not found
inline constexpr int kTextTitleNotice = 304;   // title of the notices
inline constexpr int kTextWizardMenu = 305;    // Edit menu entry that opens the EAN 128 wizard
inline constexpr int kTextWizardTip = 306;     // tooltip of the wizard picture
inline constexpr int kTextFolderFailed = 307;  // settings folder unusable at start-up: %1 folder, %2 reason
inline constexpr int kTextReadFailed = 308;    // settings file there but unusable; the reason follows
inline constexpr int kTextNotRegular = 309;    // that reason for a FIFO, a device or a folder

} // namespace lum
