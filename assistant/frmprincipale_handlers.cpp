// The main window's event handlers: keys of the code and size boxes, option
// changes (stored, saved, then a quiet refresh), menus.
#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFontInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTextEdit>
#include <QTimer>

#include "assistant/cp1252.h"
#include "assistant/frmprincipale.h"
#include "assistant/generate.h"
#include "assistant/informazioni.h"
#include "assistant/platform.h"
#include "assistant/preview/document.h"
#include "assistant/preview/font_label.h"
#include "assistant/preview_widget.h"
#include "assistant/stringtable.h"
#include "assistant/widgets.h"

namespace lum::assistant {
namespace {

constexpr int kEnter = 13;
constexpr int kBackspace = 8;

// The character a key press types, as a code: 0 for keys that type none.
int KeyAscii(const QKeyEvent& e)
{
    if (e.key() == Qt::Key_Return || e.key() == Qt::Key_Enter)
        return kEnter;
    if (e.key() == Qt::Key_Backspace)
        return kBackspace;
    const QString text = e.text();
    return text.isEmpty() ? 0 : text.at(0).unicode();
}

} // namespace

void frmPrincipale::Aggiorna()
{
    if (GeneraBarcode(true)) {
        int key = kEnter;
        txtCodice_KeyPress(key);
    }
}

void frmPrincipale::txtCodice_KeyPress(int& keyAscii)
{
    if (keyAscii != kEnter)
        return;
    txtCodice_->selectAll();
    keyAscii = 0;
    GeneraBarcode(false);
}

void frmPrincipale::txtDimensione_KeyPress(int& keyAscii)
{
    if (keyAscii == kEnter) {
        Aggiorna();
        keyAscii = 0;
        txtDimensione_->selectAll();
    } else if (keyAscii != kBackspace && !(keyAscii >= '0' && keyAscii <= '9')) {
        keyAscii = 0;
    }
}

bool frmPrincipale::eventFilter(QObject* watched, QEvent* event)
{
    const bool code = watched == txtCodice_;
    if ((code || watched == txtDimensione_) && event->type() == QEvent::FocusIn) {
        auto* box = code ? txtCodice_ : txtDimensione_;
        QTimer::singleShot(0, box, [box] { box->selectAll(); }); // after the click has placed the caret
    } else if (watched == txtDimensione_ && event->type() == QEvent::FocusOut) {
        Aggiorna();
    } else if ((code || watched == txtDimensione_) && event->type() == QEvent::KeyPress) {
        const auto& e = static_cast<const QKeyEvent&>(*event);
        int key = KeyAscii(e);
        if (key == 0 || key == '\t' || e.key() == Qt::Key_Backtab || e.key() == Qt::Key_Delete)
            return false; // keys that type nothing: moving, deleting, focus
        if (e.modifiers() & (Qt::ControlModifier | Qt::AltModifier))
            return false; // shortcuts: copy, paste, select all
        if (code)
            txtCodice_KeyPress(key);
        else
            txtDimensione_KeyPress(key);
        return key == 0;
    }
    return QMainWindow::eventFilter(watched, event);
}

void frmPrincipale::chkDigit_Click()
{
    if (loading_)
        return;
    cfg_.checkDigit = chkDigit_->isChecked() ? 1 : 0;
    SalvaConfigurazione();
    DescriviSimbologia();
    Aggiorna();
}

void frmPrincipale::chkHRC_Click()
{
    if (loading_)
        return;
    cfg_.hrcOption = chkHRC_->isChecked() ? 1 : 0;
    SalvaConfigurazione();
    Aggiorna();
}

void frmPrincipale::cmbSimbologia_Click()
{
    if (loading_)
        return;
    cfg_.SetSimbologia(ToCp1252(cmbSimbologia_->currentText()));
    DescriviSimbologia();
    SalvaConfigurazione();
    UpdateWizardEntry();
    if (!TakesWizardText(SimbologiaCorrente()))
        wizardHrc.clear();
    Aggiorna();
}

void frmPrincipale::cmbStile_Click()
{
    if (loading_ || cmbStile_->currentIndex() < 0) // an emptied list is no choice
        return;
    cfg_.SetStile(ToCp1252(cmbStile_->currentText()));
    SalvaConfigurazione();
    Aggiorna();
}

void frmPrincipale::mnuIncludiCheckDigit_Click()
{
    if (loading_)
        return;
    cfg_.includiCheckDigit = mnuIncludiCheckDigit_->isChecked(); // the action has already inverted itself
    SalvaConfigurazione();
    DescriviSimbologia();
    Aggiorna();
}

void frmPrincipale::txtDimensione_Change()
{
    if (loading_)
        return;
    const double value = preview::NumericValue(ToCp1252(txtDimensione_->text()));
    if (value == 0) {
        txtDimensione_->setText(QStringLiteral("100")); // fires this handler again, which stores 100
        return;
    }
    if (value > 32767)
        return;
    cfg_.barcodeSize = static_cast<std::int16_t>(value);
    SalvaConfigurazione();
}

void frmPrincipale::mnuLingua_Click(bool italiano)
{
    if ((offset_ == kItalian) == italiano)
        return; // already so: no rebuild, no save
    // The rebuilt lists name things in the other language: remember the
    // choices by text id.
    const int simbologia = SimbologiaCorrente();
    const int stile = CurrentStyleId();
    QString why;
    if (SetLanguageMarker(cartella_, italiano, &why)) {
        ImpostaLingua();
    } else {
        NotifySettingsNotSaved(why); // the language changes for this run only
        ApplyLanguage(LanguageFor(italiano));
    }
    CaricaTesti();
    RestoreChoices(simbologia, stile);
    DescriviSimbologia();
    SalvaConfigurazione();
}

void frmPrincipale::mnuManuale_Click()
{
    const QString path = FindManual(cartella_, servizi_.cartelleDati, manuale_);
    if (path.isEmpty())
        servizi_.avviso(this, LoadText(kTextNoManual, offset_) + manuale_, LoadText(kTextTitleNotice, offset_));
    else
        servizi_.apri(QUrl::fromLocalFile(path));
}

void frmPrincipale::mnuInformazioni_Click()
{
    Informazioni box(offset_, servizi_.apri, this);
    box.exec();
}

void frmPrincipale::mnuFont_Click()
{
    // The dialog opens on the face that really draws the stored name: the
    // system's substitute when that face is not installed ("Courier" on a
    // stock system), as the preview and the pasted text show it.
    const QString drawn = QFontInfo(QFont(FromCp1252(TrimBlanks(cfg_.faceName)))).family();
    QFont current(drawn);
    if (cfg_.hrcSize > 0)
        current.setPointSize(cfg_.hrcSize);
    current.setBold(cfg_.bold);
    current.setItalic(cfg_.italic);
    current.setStrikeOut(cfg_.strikethrough);
    current.setUnderline(cfg_.underline);
    // The dialog picks its style entry by name. Without one it looks for
    // Qt's word for "Normal" (translated in Italian, "Book" in some families)
    // and, not finding it, opens on the family's first style, bold or italic
    // as that may be: name the face that draws, when it is the one asked for.
    if (const QFontInfo face(current); face.bold() == current.bold() && face.italic() == current.italic())
        current.setStyleName(face.styleName());
    const std::optional<QFont> chosen = servizi_.sceltaFont(this, current);
    if (!chosen)
        return;                    // cancelled: nothing changes
    if (chosen->family() != drawn) // the same face keeps the stored name
        cfg_.SetFaceName(ToCp1252(chosen->family()));
    // Whole points, halves to the even neighbour; a font without a point size
    // (one chosen by pixels) keeps the old size.
    if (const int points = preview::RoundPointSize(chosen->pointSizeF()); points > 0)
        cfg_.hrcSize = static_cast<std::int16_t>(points);
    cfg_.bold = chosen->bold();
    cfg_.italic = chosen->italic();
    cfg_.strikethrough = chosen->strikeOut();
    cfg_.underline = chosen->underline();
    AggiornaEtichettaFont();
    SalvaConfigurazione();
}

void frmPrincipale::cmdClipboard_Click()
{
    rtfContenuto_->selectAll(); // and the whole preview stays selected
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setMimeData(PreviewMimeData(ReadPreview(*rtfContenuto_->document())));
}

} // namespace lum::assistant
