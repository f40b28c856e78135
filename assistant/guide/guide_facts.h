// The facts the user guide states about each symbology of the program's list,
// taken from the same code the program runs: display names, the description
// line, font families and styles, and the sizes that print the nominal module.
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

#include "engine/catalogue.h"

namespace lum::guide {

struct SymbologyFacts {
    int nameId = 0;           // English display-name id
    QString key;              // "EAN13", "EAN13+ADD5": how the guide's sources name it
    QString name;             // display name in the guide's language
    QString lengthWithout;    // the description line with the check-digit box clear ...
    QString lengthWith;       // ... and checked
    bool checkAlways = false; // the program always adds the check digit
    bool hrcInFont = false;   // the font draws the human-readable digits itself
    QString family;
    QStringList styles;        // style names in the guide's language
    bool fontSupplied = false; // the project generates this family
    double nominalPoints = 0;  // point size that prints the nominal module; 0 when not known
    double nominalModuleMm = 0;
    double quietLeftMm = 0, quietRightMm = 0; // at the nominal size
};

// One row per display name, in the program's list order.
std::vector<SymbologyFacts> CollectFacts(Language language, const QString& fontFolder);

// The row whose key is `key` ("C39", "EAN13+ADD5"), or nullptr.
const SymbologyFacts* FindFacts(const std::vector<SymbologyFacts>& facts, const QString& key);

} // namespace lum::guide
