// Small widgets shared by the forms.
#pragma once

#include <QLabel>
#include <QPixmap>

namespace lum::assistant {

// A label that reports a click.
class ClickLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;
signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
};

// The program's logo: a few black bars on white, `size` pixels square.
QPixmap DisegnaLogo(int size);

// The wizard's picture: a wand over bars.
QPixmap DisegnaWizard(int size);

// Twips (1/1440 inch) to pixels at the given dots per inch.
int TwipsToPixels(int twips, double dpi);

} // namespace lum::assistant
