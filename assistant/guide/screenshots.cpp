#include "assistant/guide/screenshots.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "assistant/frmean128wizard.h"
#include "assistant/frmprincipale.h"
#include "assistant/platform.h"
#include "assistant/stringtable.h"
#include "assistant/wizard/ai_catalogue.h"

namespace lum::guide {
namespace {

using assistant::frmPrincipale;

void PressEnter(QWidget* widget)
{
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    QCoreApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    QCoreApplication::sendEvent(widget, &release);
}

// The window after everything queued has been drawn.
QImage Grab(QWidget* widget)
{
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
    return widget->grab().toImage();
}

frmPrincipale::Servizi QuietServices()
{
    frmPrincipale::Servizi s;
    s.errore = [](QWidget*, const QString&, const QString&) {};
    s.avviso = [](QWidget*, const QString&, const QString&) {};
    s.apri = [](const QUrl&) { return true; };
    s.apriWizard = [](frmPrincipale&) {};
    s.sceltaFont = [](QWidget*, const QFont&) -> std::optional<QFont> { return std::nullopt; };
    return s;
}

} // namespace

Screenshots::Screenshots(Language language) : language_(language)
{
    // The program keeps its settings under XDG_CONFIG_HOME: a private one,
    // with the language marker when the guide is Italian.
    qputenv("XDG_CONFIG_HOME", home_.path().toLocal8Bit());
    const QString folder = home_.path() + QStringLiteral("/") + QLatin1String(assistant::kVendorFolder) +
                           QStringLiteral("/") + QLatin1String(assistant::kProgramFolder);
    QDir().mkpath(folder);
    if (language == Language::Italian) {
        QFile marker(folder + QStringLiteral("/") + QLatin1String(assistant::kLanguageMarker));
        marker.open(QIODevice::WriteOnly);
    }
}

QImage Screenshots::Take(const QString& name)
{
    const int offset = language_ == Language::Italian ? assistant::kItalian : assistant::kEnglish;
    frmPrincipale window(QuietServices());
    QString why;
    if (!window.Avvia(&why))
        return {};
    window.resize(760, 520);
    window.show();
    auto* symbology = window.findChild<QComboBox*>(QStringLiteral("cmbSimbologia"));
    auto* code = window.findChild<QLineEdit*>(QStringLiteral("txtCodice"));
    auto* digit = window.findChild<QCheckBox*>(QStringLiteral("chkDigit"));
    auto* hrc = window.findChild<QCheckBox*>(QStringLiteral("chkHRC"));
    auto* size = window.findChild<QLineEdit*>(QStringLiteral("txtDimensione"));
    if (!symbology || !code || !digit || !hrc || !size)
        return {};
    const auto choose = [&](int nameId, const QString& text, bool check) {
        symbology->setCurrentIndex(symbology->findText(assistant::LoadText(nameId, offset)));
        if (digit->isEnabled())
            digit->setChecked(check);
        if (hrc->isEnabled())
            hrc->setChecked(true);
        size->setText(QStringLiteral("36"));
        PressEnter(size);
        code->setText(text);
        PressEnter(code);
    };

    if (name == QStringLiteral("main")) {
        choose(417, QStringLiteral("59012341234552495"), true); // EAN 13 Add-on 5
        return Grab(&window);
    }
    if (name == QStringLiteral("code128")) {
        choose(424, QStringLiteral("LUM-2026"), false); // Code 128
        return Grab(&window);
    }
    if (name == QStringLiteral("wizard")) {
        choose(425, QString(), false); // EAN 128
        assistant::frmEan128Wizard wizard(
            offset, false, [](QWidget*, const QString&, const QString&) {}, &window);
        wizard.resize(720, 480);
        wizard.show();
        auto* list = wizard.findChild<QListWidget*>(QStringLiteral("lstAI"));
        auto* value = wizard.findChild<QLineEdit*>(QStringLiteral("txtValore"));
        auto* add = wizard.findChild<QPushButton*>(QStringLiteral("cmdUp"));
        if (!list || !value || !add)
            return {};
        // The AI list shows the catalogue's rows in order.
        const auto addElement = [&](std::string_view ai, const QString& text) {
            const auto rows = wizard::AiCatalogue();
            for (std::size_t row = 0; row < rows.size(); ++row)
                if (rows[row].ai == ai)
                    list->setCurrentRow(int(row));
            value->setText(text);
            add->click();
        };
        addElement("01", QStringLiteral("05901234123457"));
        addElement("10", QStringLiteral("BATCH7"));
        list->setCurrentRow(-1);
        return Grab(&wizard);
    }
    return {};
}

} // namespace lum::guide
