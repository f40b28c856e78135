// Pictures of the real program for the user guide: the main window and the
// EAN-128 wizard, drawn offscreen in a private settings folder, in the
// guide's language.
#pragma once

#include <QImage>
#include <QString>
#include <QTemporaryDir>

#include "engine/catalogue.h"

namespace lum::guide {

class Screenshots {
public:
    explicit Screenshots(Language language);

    // "main" (EAN 13 with its 5-digit add-on), "code128" (Code 128 with its
    // line) or "wizard" (the EAN-128 wizard with two elements); a null image
    // for any other name or when the program cannot start.
    QImage Take(const QString& name);

private:
    Language language_;
    QTemporaryDir home_;
};

} // namespace lum::guide
