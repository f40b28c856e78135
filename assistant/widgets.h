// Small widgets shared by the forms.
#pragma once

#include <QLabel>
#include <QPixmap>
#include <QValidator>

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

// Keeps only the digits "0" to "9" of whatever reaches a line edit (typed,
// pasted, dropped or set), the cursor staying after the digits before it.
class DigitsOnlyValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int& pos) const override;
};

// The program's logo: a few black bars on white, `size` pixels square.
QPixmap DisegnaLogo(int size);

// The wizard's picture: a wand over bars.
QPixmap DisegnaWizard(int size);

// Twips (1/1440 inch) to pixels at the given dots per inch.
int TwipsToPixels(int twips, double dpi);

} // namespace lum::assistant
