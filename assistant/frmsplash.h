// The splash window shown while the main window starts.
#pragma once

#include <QWidget>

namespace lum::assistant {

class frmSplash : public QWidget {
    Q_OBJECT
public:
    explicit frmSplash(int languageOffset, QWidget* parent = nullptr);
};

} // namespace lum::assistant
