// The program's string table. Every user-visible text that changes with the
// language has an English id n and its Italian text under n + 1000.
#pragma once

#include <QString>
#include <vector>

namespace lum::assistant {

inline constexpr int kEnglish = 0;
inline constexpr int kItalian = 1000;

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

// The text stored under `id` itself (English below 1000, Italian above);
// empty when the table has no such id.
QString LoadTextRaw(int id);

// The text `id` in the language selected by `offset` (kEnglish or kItalian).
inline QString LoadText(int id, int offset) { return LoadTextRaw(id + offset); }

// Every English id of the table, ascending.
std::vector<int> TextIds();

} // namespace lum::assistant
