// The EAN-128 wizard: the user picks application identifiers, types their
// values and adds them to a code; OK hands the escaped element string and the
// human-readable text to the main window and presses Enter there. The checks
// and the assembly live in lum::wizard::Ean128Wizard; this form shows them.
#pragma once

#include <QDialog>
#include <functional>

#include "assistant/wizard/ean128_wizard.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace lum::assistant {

class frmPrincipale;

class frmEan128Wizard : public QDialog {
    Q_OBJECT
public:
    // Shows a message box (text, title) with the information icon; tests replace it.
    using Messaggio = std::function<void(QWidget*, const QString&, const QString&)>;
    static Messaggio MessaggioPredefinito();

    // `offset` is the language offset (kEnglish or kItalian); `decimalComma`
    // lets "," stand for the decimal point in "nd" values.
    frmEan128Wizard(int offset, bool decimalComma, Messaggio messaggio, QWidget* parent = nullptr);

    // Opens a new wizard over the main window (modal, without blocking); on OK
    // its code and human-readable text go to the main window.
    static frmEan128Wizard* Apri(frmPrincipale& principale, Messaggio messaggio = MessaggioPredefinito());

    // "," is a decimal separator in Italian and where the locale writes one.
    static bool VirgolaDecimale(int offset);

    // What OK produced (valid after accepted()).
    const wizard::WizardOutput& Risultato() const { return risultato_; }

    void lstAI_Click();
    void lstCodice_Click();
    void cmdUp_Click();
    void cmdDown_Click();
    void cmdOk_Click();

private:
    void CreaControlli();
    void MostraAi();     // hint, value box and Add for the selected AI
    void MostraCodice(); // the added rows and the selected one
    void Messaggio_(int textId);

    int offset_;
    wizard::Ean128Wizard wizard_;
    Messaggio messaggio_;
    wizard::WizardOutput risultato_;

    QLabel *labListaAI_{}, *labCodice_{}, *labValore_{}, *labDescrizione_{}, *labAI_{};
    QListWidget *lstAI_{}, *lstRegole_{}, *lstCodice_{};
    QLineEdit* txtValore_{};
    QPushButton *cmdUp_{}, *cmdDown_{}, *cmdOk_{}, *cmdAnnulla_{};
};

// Wires the wizard's result into the main window: its wizard HRC text, the
// code box, and Enter in the code box.
void ConsegnaWizard(frmPrincipale& principale, const wizard::WizardOutput& risultato);

} // namespace lum::assistant
