// The program's string table. Every user-visible text that changes with the
// language has an English id n and its Italian text under n + 1000.
#pragma once

#include <QString>
#include <vector>

#include "assistant/text_ids.h"

namespace lum::assistant {

inline constexpr int kEnglish = 0;
inline constexpr int kItalian = 1000;

// The text stored under `id` itself (English below 1000, Italian above);
// empty when the table has no such id.
QString LoadTextRaw(int id);

// The text `id` in the language selected by `offset` (kEnglish or kItalian).
inline QString LoadText(int id, int offset) { return LoadTextRaw(id + offset); }

// Every English id of the table, ascending.
std::vector<int> TextIds();

} // namespace lum::assistant
