#include "assistant/widgets.h"

#include <QMouseEvent>
#include <QPainter>
#include <cmath>

namespace lum::assistant {

void ClickLabel::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    emit clicked();
}

QValidator::State DigitsOnlyValidator::validate(QString& input, int& pos) const
{
    QString digits;
    int newPos = 0;
    for (qsizetype i = 0; i < input.size(); ++i) {
        if (input.at(i) < QLatin1Char('0') || input.at(i) > QLatin1Char('9'))
            continue;
        digits += input.at(i);
        if (i < pos)
            ++newPos;
    }
    input = digits;
    pos = newPos;
    return Acceptable;
}

namespace {

// Bar widths of the logo, in units: bar, space, bar, ...
constexpr int kLogoBars[] = {2, 1, 1, 1, 3, 1, 1, 2, 2, 1, 1, 1, 3};

void PaintBars(QPainter& p, QRect area)
{
    int units = 0;
    for (int w : kLogoBars)
        units += w;
    const double unit = double(area.width()) / units;
    double x = area.left();
    bool bar = true;
    for (int w : kLogoBars) {
        if (bar)
            p.fillRect(QRectF(x, area.top(), w * unit, area.height()), Qt::black);
        x += w * unit;
        bar = !bar;
    }
}

} // namespace

QPixmap DisegnaLogo(int size)
{
    QPixmap pm(size, size);
    pm.fill(Qt::white);
    QPainter p(&pm);
    const int m = size / 8;
    PaintBars(p, QRect(m, m, size - 2 * m, size - 3 * m));
    return pm;
}

QPixmap DisegnaWizard(int size)
{
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    PaintBars(p, QRect(size / 3, size / 3, size * 2 / 3 - 2, size * 2 / 3 - 2));
    p.setPen(QPen(QColor(120, 60, 0), size / 10.0, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(size * 0.1, size * 0.9), QPointF(size * 0.55, size * 0.45));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 200, 0));
    p.drawEllipse(QPointF(size * 0.6, size * 0.4), size * 0.12, size * 0.12);
    return pm;
}

int TwipsToPixels(int twips, double dpi) { return int(std::lround(twips * dpi / 1440.0)); }

} // namespace lum::assistant
