// The main window: symbology, style, size and options, the code box and the
// preview. Option changes are saved at once and redraw the preview when the
// code is still valid under the new settings.
#pragma once

#include <QFont>
#include <QMainWindow>
#include <QStringList>
#include <QUrl>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "assistant/appex.h"
#include "assistant/settings.h"
#include "engine/catalogue.h"

class QAction;
class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPushButton;
class QTextEdit;
class QTranslator;

namespace lum::assistant {

class ClickLabel;
struct LanguageChoice;

class frmPrincipale : public QMainWindow {
    Q_OBJECT
public:
    // What the window asks of the desktop; tests replace these.
    struct Servizi {
        // A modal error box (text, title).
        std::function<void(QWidget*, const QString&, const QString&)> errore;
        // A notice that does not wait for the user (text, title).
        std::function<void(QWidget*, const QString&, const QString&)> avviso;
        std::function<bool(const QUrl&)> apri;
        std::function<void(frmPrincipale&)> apriWizard;
        // The HRC font dialog, scalable fonts only, preset with the current
        // font; nothing when the user cancels.
        std::function<std::optional<QFont>(QWidget*, const QFont&)> sceltaFont;
        QStringList cartelleDati; // installed data folders (guides)
    };
    static Servizi ServiziPredefiniti();

    explicit frmPrincipale(Servizi servizi = ServiziPredefiniti(), QWidget* parent = nullptr);
    ~frmPrincipale() override;

    // Start-up after the splash is shown: settings folder, font families,
    // settings, language, captions, stored choices. False, with the reason,
    // when the settings folder cannot be had.
    bool Avvia(QString* errore);

    bool GeneraBarcode(bool quiet);
    void txtCodice_KeyPress(int& keyAscii);
    void txtDimensione_KeyPress(int& keyAscii);
    void ImpostaLingua();
    void CaricaTesti();
    void DescriviSimbologia();
    void SalvaConfigurazione();
    // Rewrites the preview: the font string in `family` (both Windows-1252)
    // at the size box's value and, when the HRC box is checked and `hrc` is
    // not empty, a second paragraph with `hrc` in the HRC font.
    void AggiornaAnteprima(const std::string& fontString, const std::string& family, const std::string& hrc);

    const Configurazione& Config() const { return cfg_; }
    int Offset() const { return offset_; }
    QString SettingsFolder() const { return cartella_; }

    // The EAN 128 wizard's human-readable text. It belongs to the code the
    // wizard put into the code box: any later change of that text clears it,
    // so the wizard sets the code first and this text after it.
    QString wizardHrc;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreaControlli();
    void CreaMenu();
    void Collega();
    void ApplicaConfigurazione();
    void AggiornaEtichettaFont();
    void ApplyLanguage(const LanguageChoice& lingua); // offset, menu checks, guide and Qt's own texts
    void UpdateQtTranslator();
    void UpdateWizardEntry(); // picture and menu entry, only while EAN 128 is selected
    void OpenWizard();
    // Selects the symbology and style of these text ids again, in the current language.
    void RestoreChoices(int nameId, int styleId);
    int CurrentStyleId() const;                         // text id (278 to 283) of the selected style, 0 for none
    void NotifySettingsNotSaved(const QString& reason); // once per run
    void NotifySettingsNotRead(const ReadProblem& problem);
    void Aggiorna(); // the quiet check, then Enter when the code is valid
    Language LinguaCorrente() const;
    int SimbologiaCorrente() const; // display-name id of the selected symbology, 0 for none

    void chkDigit_Click();
    void chkHRC_Click();
    void cmbSimbologia_Click();
    void cmbStile_Click();
    void mnuIncludiCheckDigit_Click();
    void txtDimensione_Change();
    void mnuLingua_Click(bool italiano);
    void mnuManuale_Click();
    void mnuInformazioni_Click();
    void mnuFont_Click();
    void cmdClipboard_Click();

    Servizi servizi_;
    AppEx app_;
    Configurazione cfg_;
    QString cartella_;
    int offset_ = 0;
    QString manuale_;
    bool loading_ = false;
    bool holdSaves_ = false; // set while stored choices are applied: nothing is saved
    bool salvataggioFallito_ = false;
    std::unique_ptr<QTranslator> qtTranslator_; // Qt's own Italian texts, while the program runs in Italian

    QLabel *labCodice_{}, *labSimbologia_{}, *labDimensione_{}, *labStile_{}, *labAttributi_{}, *labFont_{};
    QLabel* labAvviso_{};
    QLineEdit *txtCodice_{}, *txtDimensione_{};
    QComboBox *cmbSimbologia_{}, *cmbStile_{};
    QCheckBox *chkDigit_{}, *chkHRC_{};
    QPushButton* cmdClipboard_{};
    QTextEdit* rtfContenuto_{};
    QFrame* line1_{};
    ClickLabel* imgWizard_{};
    QListWidget* lstFont_{};
    QMenu *mnuFile_{}, *mnuModifica_{}, *mnuLingua_{}, *mnuQmark_{};
    QAction *mnuEsci_{}, *mnuFont_{}, *mnuIncludiCheckDigit_{}, *mnuLinguaItaliano_{}, *mnuLinguaEnglish_{};
    QAction *mnuInformazioni_{}, *mnuBar_{}, *mnuManuale_{}, *mnuWizard_{};
};

} // namespace lum::assistant
