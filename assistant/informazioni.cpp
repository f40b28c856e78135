#include "assistant/informazioni.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

#include "assistant/stringtable.h"
#include "assistant/widgets.h"

namespace lum::assistant {
namespace {

QLabel* StaticLabel(const QString& text, const QString& name, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setStyleSheet(QStringLiteral("color: white; background: transparent;"));
    label->setAttribute(Qt::WA_TransparentForMouseEvents); // a click on it closes the box
    return label;
}

ClickLabel* LinkLabel(const QString& text, const QString& name, QWidget* parent)
{
    auto* label = new ClickLabel(text, parent);
    label->setObjectName(name);
    label->setStyleSheet(QStringLiteral("color: #9fd0ff; text-decoration: underline; background: transparent;"));
    label->setCursor(Qt::PointingHandCursor);
    return label;
}

} // namespace

Informazioni::Informazioni(int languageOffset, Opener open, QWidget* parent) : QDialog(parent), open_(std::move(open))
{
    setObjectName(QStringLiteral("Informazioni"));
    setWindowTitle(Caption(languageOffset, LUM_VERSION_MAJOR, LUM_VERSION_MINOR, LUM_VERSION_PATCH));
    setFixedSize(420, 300);

    auto* logo = StaticLabel({}, QStringLiteral("imgVOR"), this);
    logo->setPixmap(DisegnaLogo(72));
    auto* title = StaticLabel(QStringLiteral("<b>LUM Assistant</b>"), QStringLiteral("labTitolo"), this);
    auto* version =
        StaticLabel(QStringLiteral("%1.%2.%3").arg(LUM_VERSION_MAJOR).arg(LUM_VERSION_MINOR).arg(LUM_VERSION_PATCH),
                    QStringLiteral("labVersione"), this);
    auto* mail = LinkLabel(QStringLiteral(LUM_MAKER_MAIL), QStringLiteral("labMail"), this);
    auto* web = LinkLabel(QStringLiteral(LUM_MAKER_WEB), QStringLiteral("labWeb"), this);
    connect(mail, &ClickLabel::clicked, this, [this] { open_(QUrl(QStringLiteral("mailto:" LUM_MAKER_MAIL))); });
    connect(web, &ClickLabel::clicked, this, [this] { open_(QUrl(QStringLiteral(LUM_MAKER_WEB))); });

    auto* layout = new QVBoxLayout(this);
    for (QLabel* label :
         {static_cast<QLabel*>(logo), title, version, static_cast<QLabel*>(mail), static_cast<QLabel*>(web)}) {
        label->setAlignment(Qt::AlignCenter);
        layout->addWidget(label);
    }
}

QString Informazioni::Caption(int languageOffset, int major, int minor, int revision)
{
    return LoadText(kTextVersion, languageOffset) + QStringLiteral("%1.%2.%3").arg(major).arg(minor).arg(revision);
}

void Informazioni::paintEvent(QPaintEvent*)
{
    // 256 bands of equal height, band i in blue i: black at the top, blue at the bottom.
    QPainter p(this);
    const double band = height() / 256.0;
    for (int i = 0; i < 256; ++i)
        p.fillRect(QRectF(0, i * band, width(), band + 1), QColor(0, 0, i));
}

void Informazioni::mousePressEvent(QMouseEvent*) { accept(); }

void Informazioni::keyPressEvent(QKeyEvent*) { accept(); }

} // namespace lum::assistant
