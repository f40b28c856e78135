#include "assistant/frmsplash.h"

#include <QLabel>
#include <QVBoxLayout>

#include "assistant/stringtable.h"
#include "assistant/widgets.h"

namespace lum::assistant {

frmSplash::frmSplash(int languageOffset, QWidget* parent) : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("frmSplash"));
    auto* logo = new QLabel(this);
    logo->setPixmap(DisegnaLogo(64));
    logo->setAlignment(Qt::AlignCenter);
    auto* label = new QLabel(LoadText(kTextLoading, languageOffset), this);
    label->setObjectName(QStringLiteral("Label1"));
    label->setAlignment(Qt::AlignCenter);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(32, 24, 32, 24);
    layout->addWidget(logo);
    layout->addWidget(label);
    setStyleSheet(QStringLiteral("background: white;"));
}

} // namespace lum::assistant
