// The caption of the HRC font label and the size the font dialog hands back.
#pragma once

#include <string>

#include "assistant/preview/document.h"

namespace lum::preview {

// "Arial (BU; 12 punti)": the face name without surrounding blanks, " (", the
// letters B, I, U, S of the attributes set followed by "; " when there is at
// least one, the size and " punti)". The same words in both languages.
std::string AggiornaEtichettaFont(const HrcFont& font);

// A point size from the font dialog as whole points, halves to the even
// neighbour (10.5 is 10, 11.5 is 12), kept within the settings record's
// signed 16-bit range.
int RoundPointSize(double points) noexcept;

} // namespace lum::preview
