#include "assistant/frmprincipale.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QFontDialog>
#include <QFontInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QTextEdit>
#include <QTranslator>
#include <cstring>

#include "assistant/cp1252.h"
#include "assistant/fontdiscovery.h"
#include "assistant/frmean128wizard.h"
#include "assistant/generate.h"
#include "assistant/platform.h"
#include "assistant/preview/description.h"
#include "assistant/preview/font_label.h"
#include "assistant/preview_widget.h"
#include "assistant/stringtable.h"
#include "assistant/widgets.h"
#include "engine/fonts.h"

namespace lum::assistant {
namespace {

constexpr int kMinWidthTwips = 10080;
constexpr int kMinHeightTwips = 8685;

template <class W> W* Named(W* widget, const char* name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

// The window's string table as the description line's text loader.
std::string TestoTabella(int id, Language language)
{
    return ToCp1252(LoadText(id, language == Language::Italian ? kItalian : kEnglish));
}

void ApplicaCasella(QCheckBox& box, preview::BoxAction action)
{
    if (action == preview::BoxAction::CheckAndDisable)
        box.setChecked(true); // fires the box's click handler
    if (action != preview::BoxAction::Unchanged)
        box.setEnabled(action == preview::BoxAction::Enable);
}

QString SystemReason(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

// The start-up failure: the folder and the system's reason when the error
// has them, else the error's own description.
QString FolderFailure(const AppError& error)
{
    if (error.path.isEmpty() || error.systemError == 0)
        return error.description;
    return LoadText(kTextFolderFailed, kEnglish) // the language is in the folder that failed
        .arg(QDir::toNativeSeparators(error.path), SystemReason(error.systemError));
}

} // namespace

frmPrincipale::Servizi frmPrincipale::ServiziPredefiniti()
{
    Servizi s;
    s.errore = [](QWidget* parent, const QString& text, const QString& title) {
        QMessageBox::critical(parent, title, text);
    };
    s.avviso = [](QWidget* parent, const QString& text, const QString& title) {
        auto* box = new QMessageBox(QMessageBox::Warning, title, text, QMessageBox::Ok, parent);
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->setModal(false);
        box->show();
    };
    s.apri = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
    s.apriWizard = [](frmPrincipale& w) { frmEan128Wizard::Apri(w); };
    s.sceltaFont = [](QWidget* parent, const QFont& current) -> std::optional<QFont> {
        bool ok = false;
        const QFont chosen = QFontDialog::getFont(&ok, current, parent, QString(), QFontDialog::ScalableFonts);
        return ok ? std::optional<QFont>(chosen) : std::nullopt;
    };
    s.cartelleDati = InstalledDataFolders();
    return s;
}

frmPrincipale::frmPrincipale(Servizi servizi, QWidget* parent) : QMainWindow(parent), servizi_(std::move(servizi))
{
    setObjectName(QStringLiteral("frmPrincipale"));
    setWindowTitle(QStringLiteral(" LUM Assistant"));
    CreaControlli();
    CreaMenu();
    Collega();
    const double dpi = screen() ? screen()->logicalDotsPerInch() : 96.0;
    setMinimumSize(TwipsToPixels(kMinWidthTwips, dpi), TwipsToPixels(kMinHeightTwips, dpi));
}

frmPrincipale::~frmPrincipale()
{
    // The controls die after this object: their last signals (a combo box
    // emptied on destruction) must not reach the handlers and save.
    for (QObject* control : std::initializer_list<QObject*>{txtCodice_, txtDimensione_, cmbSimbologia_, cmbStile_,
                                                            chkHRC_, chkDigit_, mnuIncludiCheckDigit_})
        control->disconnect(this);
    txtCodice_->removeEventFilter(this);
    txtDimensione_->removeEventFilter(this);
}

void frmPrincipale::CreaControlli()
{
    auto* central = new QWidget(this);
    setCentralWidget(central);
    labCodice_ = Named(new QLabel(central), "labCodice");
    txtCodice_ = Named(new QLineEdit(central), "txtCodice");
    labSimbologia_ = Named(new QLabel(central), "labSimbologia");
    cmbSimbologia_ = Named(new QComboBox(central), "cmbSimbologia");
    labDimensione_ = Named(new QLabel(central), "labDimensione");
    txtDimensione_ = Named(new QLineEdit(central), "txtDimensione");
    labStile_ = Named(new QLabel(central), "labStile");
    cmbStile_ = Named(new QComboBox(central), "cmbStile");
    chkDigit_ = Named(new QCheckBox(central), "chkDigit");
    chkHRC_ = Named(new QCheckBox(central), "chkHRC");
    cmdClipboard_ = Named(new QPushButton(central), "cmdClipboard");
    rtfContenuto_ = Named(new QTextEdit(central), "rtfContenuto");
    labAttributi_ = Named(new QLabel(central), "labAttributi");
    labFont_ = Named(new QLabel(central), "labFont");
    labAvviso_ = Named(new QLabel(central), "labAvviso");
    line1_ = Named(new QFrame(central), "Line1");
    imgWizard_ = Named(new ClickLabel(central), "imgWizard");
    lstFont_ = Named(new QListWidget(central), "lstFont");

    for (QLabel* l : {labCodice_, labSimbologia_, labDimensione_, labStile_, labAttributi_, labFont_})
        l->setTextFormat(Qt::PlainText);
    labCodice_->setBuddy(txtCodice_);
    labSimbologia_->setBuddy(cmbSimbologia_);
    labDimensione_->setBuddy(txtDimensione_);
    labStile_->setBuddy(cmbStile_);
    line1_->setFrameShape(QFrame::HLine);
    line1_->setFrameShadow(QFrame::Sunken);
    imgWizard_->setPixmap(DisegnaWizard(40));
    imgWizard_->setCursor(Qt::PointingHandCursor);
    imgWizard_->setVisible(false); // the keyboard reaches the wizard through the Edit menu
    lstFont_->setVisible(false);
    labAvviso_->setWordWrap(true);
    labAvviso_->setStyleSheet(QStringLiteral("color: #a00000;"));
    labAvviso_->setVisible(false);
    txtDimensione_->setText(QStringLiteral("100")); // as the stored default, so a first run saves nothing yet
    txtDimensione_->setValidator(new DigitsOnlyValidator(txtDimensione_)); // pasted text too
    rtfContenuto_->setAcceptRichText(true);
    rtfContenuto_->setLineWrapMode(QTextEdit::NoWrap);
    // What the preview shows is what the clipboard gets: the keyboard may
    // select and copy but not type, and Tab moves on.
    rtfContenuto_->setReadOnly(true);
    rtfContenuto_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    rtfContenuto_->setTabChangesFocus(true);

    auto* grid = new QGridLayout(central);
    grid->addWidget(labSimbologia_, 0, 0);
    grid->addWidget(cmbSimbologia_, 0, 1);
    grid->addWidget(labStile_, 0, 2);
    grid->addWidget(cmbStile_, 0, 3);
    grid->addWidget(labDimensione_, 0, 4);
    grid->addWidget(txtDimensione_, 0, 5);
    grid->addWidget(labCodice_, 1, 0);
    grid->addWidget(txtCodice_, 1, 1, 1, 4);
    grid->addWidget(chkDigit_, 2, 1);
    grid->addWidget(chkHRC_, 2, 3);
    grid->addWidget(imgWizard_, 1, 5, 2, 1, Qt::AlignRight);
    grid->addWidget(labAttributi_, 3, 0, 1, 6);
    grid->addWidget(line1_, 4, 0, 1, 6);
    grid->addWidget(labAvviso_, 5, 0, 1, 6);
    grid->addWidget(rtfContenuto_, 6, 0, 1, 6);
    grid->addWidget(labFont_, 7, 0, 1, 4);
    grid->addWidget(cmdClipboard_, 7, 5);
    grid->setRowStretch(6, 1);
    grid->setColumnStretch(1, 2);
    grid->setColumnStretch(3, 1);

    // Tab walks the controls as the layout reads: top row, code, options, preview, copy.
    QWidget* const order[] = {cmbSimbologia_, cmbStile_, txtDimensione_, txtCodice_,
                              chkDigit_,      chkHRC_,   rtfContenuto_,  cmdClipboard_};
    for (std::size_t i = 1; i < std::size(order); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

void frmPrincipale::CreaMenu()
{
    mnuFile_ = Named(menuBar()->addMenu(QString()), "mnuFile");
    mnuEsci_ = Named(mnuFile_->addAction(QString()), "mnuEsci");
    mnuModifica_ = Named(menuBar()->addMenu(QString()), "mnuModifica");
    mnuFont_ = Named(mnuModifica_->addAction(QString()), "mnuFont");
    mnuIncludiCheckDigit_ = Named(mnuModifica_->addAction(QString()), "mnuIncludiCheckDigit");
    mnuIncludiCheckDigit_->setCheckable(true);
    mnuModifica_->addSeparator();
    mnuWizard_ = Named(mnuModifica_->addAction(QString()), "mnuWizard");
    mnuWizard_->setEnabled(false);
    mnuLingua_ = Named(menuBar()->addMenu(QString()), "mnuLingua");
    mnuLinguaItaliano_ = Named(mnuLingua_->addAction(QString()), "mnuLinguaItaliano");
    mnuLinguaEnglish_ = Named(mnuLingua_->addAction(QString()), "mnuLinguaEnglish");
    auto* languages = new QActionGroup(this); // a checked language stays checked when clicked again
    for (QAction* a : {mnuLinguaItaliano_, mnuLinguaEnglish_}) {
        a->setCheckable(true);
        languages->addAction(a);
    }
    mnuQmark_ = Named(menuBar()->addMenu(QString()), "mnuQmark");
    mnuInformazioni_ = Named(mnuQmark_->addAction(QString()), "mnuInformazioni");
    mnuBar_ = Named(mnuQmark_->addSeparator(), "mnuBar");
    mnuManuale_ = Named(mnuQmark_->addAction(QString()), "mnuManuale");
}

void frmPrincipale::Collega()
{
    txtCodice_->installEventFilter(this);
    txtDimensione_->installEventFilter(this);
    connect(txtDimensione_, &QLineEdit::textChanged, this, [this] { txtDimensione_Change(); });
    connect(cmbSimbologia_, &QComboBox::currentIndexChanged, this, [this] { cmbSimbologia_Click(); });
    connect(cmbStile_, &QComboBox::currentIndexChanged, this, [this] { cmbStile_Click(); });
    connect(chkHRC_, &QCheckBox::toggled, this, [this] { chkHRC_Click(); });
    connect(chkDigit_, &QCheckBox::toggled, this, [this] { chkDigit_Click(); });
    connect(mnuIncludiCheckDigit_, &QAction::triggered, this, [this] { mnuIncludiCheckDigit_Click(); });
    connect(imgWizard_, &ClickLabel::clicked, this, [this] { OpenWizard(); });
    connect(mnuWizard_, &QAction::triggered, this, [this] { OpenWizard(); });
    // The wizard's line belongs to the code it came with: any edit drops it.
    connect(txtCodice_, &QLineEdit::textChanged, this, [this] { wizardHrc.clear(); });
    connect(mnuFont_, &QAction::triggered, this, [this] { mnuFont_Click(); });
    connect(cmdClipboard_, &QPushButton::clicked, this, [this] { cmdClipboard_Click(); });
    connect(mnuInformazioni_, &QAction::triggered, this, [this] { mnuInformazioni_Click(); });
    connect(mnuLinguaItaliano_, &QAction::triggered, this, [this] { mnuLingua_Click(true); });
    connect(mnuLinguaEnglish_, &QAction::triggered, this, [this] { mnuLingua_Click(false); });
    connect(mnuManuale_, &QAction::triggered, this, [this] { mnuManuale_Click(); });
    connect(mnuEsci_, &QAction::triggered, this, &QWidget::close);
}

bool frmPrincipale::Avvia(QString* errore)
{
    const auto cartella = lum::assistant::SettingsFolder(app_);
    if (!cartella.Ok()) {
        if (errore)
            *errore = FolderFailure(*cartella.error);
        return false;
    }
    cartella_ = cartella.value;
    lstFont_->clear();
    lstFont_->addItems(InstalledBarcodeFamilies());
    ReadProblem problem;
    cfg_ = CaricaConfigurazione(UnisciPercorsoNome(cartella_, kSettingsFileName), &problem);
    ImpostaLingua();
    CaricaTesti();
    ApplicaConfigurazione();
    if (problem.Any())
        NotifySettingsNotRead(problem);
    return true;
}

void frmPrincipale::ApplicaConfigurazione()
{
    // The handlers fired below store what they are given, which is what was
    // read: saving it back would only rewrite the file (or fail in a
    // read-only folder) before the user has done anything.
    holdSaves_ = true;
    chkDigit_->setChecked(cfg_.checkDigit == 1);
    chkHRC_->setChecked(cfg_.hrcOption == 1);
    mnuIncludiCheckDigit_->setChecked(cfg_.includiCheckDigit);
    AggiornaEtichettaFont();
    txtDimensione_->setText(QString::number(cfg_.barcodeSize));
    // A stored name that is not in its list leaves the selection unchanged.
    const int simbologia = cmbSimbologia_->findText(FromCp1252(TrimBlanks(cfg_.simbologia)));
    if (simbologia >= 0)
        cmbSimbologia_->setCurrentIndex(simbologia);
    const int stile = cmbStile_->findText(FromCp1252(TrimBlanks(cfg_.stile)));
    if (stile >= 0)
        cmbStile_->setCurrentIndex(stile);
    holdSaves_ = false;
}

void frmPrincipale::ImpostaLingua() { ApplyLanguage(LanguageFromMarker(cartella_)); }

void frmPrincipale::ApplyLanguage(const LanguageChoice& lingua)
{
    offset_ = lingua.offset;
    manuale_ = lingua.manual;
    mnuLinguaItaliano_->setChecked(offset_ == kItalian);
    mnuLinguaEnglish_->setChecked(offset_ != kItalian);
    UpdateQtTranslator();
}

void frmPrincipale::UpdateQtTranslator()
{
    const bool italian = offset_ == kItalian;
    if (!italian && qtTranslator_) {
        QCoreApplication::removeTranslator(qtTranslator_.get());
        qtTranslator_.reset();
    }
    if (!italian || qtTranslator_)
        return;
    // Qt's own dialogs (the font dialog, message-box buttons) in Italian too;
    // without the translations installed they stay English.
    auto translator = std::make_unique<QTranslator>();
    if (translator->load(QLocale(QLocale::Italian, QLocale::Italy), QStringLiteral("qt"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
        QCoreApplication::installTranslator(translator.get()))
        qtTranslator_ = std::move(translator);
}

void frmPrincipale::CaricaTesti()
{
    auto t = [this](int id) { return LoadText(id, offset_); };
    labCodice_->setText(t(kTextCodeCaption));
    txtCodice_->setToolTip(t(kTextCodeTip));
    labSimbologia_->setText(t(kTextSymbologyCaption));
    cmbSimbologia_->setToolTip(t(kTextSymbologyTip));
    labDimensione_->setText(t(kTextSizeCaption));
    txtDimensione_->setToolTip(t(kTextSizeTip));
    labStile_->setText(t(kTextStyleCaption));
    cmbStile_->setToolTip(t(kTextStyleTip));
    chkDigit_->setText(t(kTextCheckDigitCaption));
    chkDigit_->setToolTip(t(kTextCheckDigitTip));
    chkHRC_->setText(t(kTextHrcCaption));
    chkHRC_->setToolTip(t(kTextHrcTip));
    cmdClipboard_->setText(t(kTextClipboardCaption));
    cmdClipboard_->setToolTip(t(kTextClipboardTip));
    imgWizard_->setToolTip(t(kTextWizardTip));
    imgWizard_->setAccessibleName(t(kTextWizardTip));
    mnuWizard_->setText(t(kTextWizardMenu));
    const std::pair<QAction*, int> menus[] = {{mnuFile_->menuAction(), kTextMenuFile},
                                              {mnuEsci_, kTextMenuExit},
                                              {mnuModifica_->menuAction(), kTextMenuEdit},
                                              {mnuFont_, kTextMenuHrcFont},
                                              {mnuQmark_->menuAction(), kTextMenuHelp},
                                              {mnuInformazioni_, kTextMenuInformation},
                                              {mnuManuale_, kTextMenuGuide},
                                              {mnuLingua_->menuAction(), kTextMenuLanguage},
                                              {mnuLinguaItaliano_, kTextMenuItalian},
                                              {mnuLinguaEnglish_, kTextMenuEnglish},
                                              {mnuIncludiCheckDigit_, kTextMenuCheckDigitInHrc}};
    for (const auto& [action, id] : menus)
        action->setText(t(id));

    loading_ = true;
    cmbSimbologia_->clear();
    std::vector<std::string> families;
    for (int i = 0; i < lstFont_->count(); ++i)
        families.push_back(ToCp1252(lstFont_->item(i)->text()));
    for (int id : DisplayNamesFor(families))
        cmbSimbologia_->addItem(t(id));
    cmbSimbologia_->setCurrentIndex(-1);
    loading_ = false;
    UpdateWizardEntry();

    labAvviso_->setText(t(kTextNoBarcodeFont));
    labAvviso_->setVisible(cmbSimbologia_->count() == 0);
}

void frmPrincipale::UpdateWizardEntry()
{
    const bool ean128 = TakesWizardText(SimbologiaCorrente());
    imgWizard_->setVisible(ean128);
    mnuWizard_->setEnabled(ean128);
}

void frmPrincipale::OpenWizard()
{
    if (TakesWizardText(SimbologiaCorrente())) // its result is an EAN 128 code
        servizi_.apriWizard(*this);
}

void frmPrincipale::RestoreChoices(int nameId, int styleId)
{
    const bool held = holdSaves_;
    holdSaves_ = true; // the caller saves once
    if (const int index = nameId ? cmbSimbologia_->findText(LoadText(nameId, offset_)) : -1; index >= 0)
        cmbSimbologia_->setCurrentIndex(index); // refills the style list in this language
    if (const int index = styleId ? cmbStile_->findText(LoadText(styleId, offset_)) : -1; index >= 0)
        cmbStile_->setCurrentIndex(index);
    holdSaves_ = held;
}

int frmPrincipale::CurrentStyleId() const
{
    for (const StyleInfo& style : Styles())
        if (cmbStile_->currentIndex() >= 0 && cmbStile_->currentText() == LoadText(style.textId, offset_))
            return style.textId;
    return 0;
}

Language frmPrincipale::LinguaCorrente() const { return offset_ == kItalian ? Language::Italian : Language::English; }

int frmPrincipale::SimbologiaCorrente() const
{
    return preview::DisplayNameId(ToCp1252(cmbSimbologia_->currentText()), LinguaCorrente());
}

void frmPrincipale::DescriviSimbologia()
{
    preview::DescriptionRequest request;
    request.nameId = SimbologiaCorrente();
    request.language = LinguaCorrente();
    request.checkDigit = chkDigit_->isChecked();
    request.styleIndex = cmbStile_->currentIndex();
    request.styleCount = cmbStile_->count();
    const preview::SymbologyDescription d = preview::DescriviSimbologia(request, TestoTabella);
    if (d.matched) {
        {
            const QSignalBlocker quiet(cmbStile_); // refilling is no choice of the user's
            cmbStile_->clear();
            for (const std::string& name : d.styleNames)
                cmbStile_->addItem(FromCp1252(name));
            cmbStile_->setCurrentIndex(-1);
        }
        cmbStile_->setEnabled(d.styleListEnabled);
        ApplicaCasella(*chkHRC_, d.hrc);
        ApplicaCasella(*chkDigit_, d.digit);
    }
    labAttributi_->setText(FromCp1252(d.caption));
    if (d.styleIndex != cmbStile_->currentIndex())
        cmbStile_->setCurrentIndex(d.styleIndex);
}

bool frmPrincipale::GeneraBarcode(bool quiet)
{
    const QString text = txtCodice_->text();
    if (text.isEmpty())
        return false;
    const int nameId = SimbologiaCorrente();
    const GenerateRequest request{ToCp1252(text), nameId, chkDigit_->isChecked(), chkHRC_->isChecked()};
    // A character without a Windows-1252 byte would reach the engine as "?"
    // and print a code the user never typed: it is not allowed.
    const bool representable = !FindDisplayChoice(nameId) || FitsCp1252(text);
    const Generated result = representable ? Generate(request, quiet) : Generated{};
    if (!result.valid) {
        if (!quiet)
            servizi_.errore(this, LoadText(kTextNotAllowed, offset_), LoadText(kTextErrorTitle, offset_));
        return false;
    }
    const auto choice = FindDisplayChoice(nameId);
    if (quiet || !choice)
        return true;
    const std::string_view family = choice->entry->family;
    std::string font = FontName(family, ToCp1252(cmbStile_->currentText()));
    if (font.empty())
        font = family; // a style the family lacks: its plain font
    const std::string hrc = HrcText(nameId, result, cfg_.checkDigit == 1, cfg_.includiCheckDigit, ToCp1252(wizardHrc));
    AggiornaAnteprima(result.fontString, font, hrc);
    return true;
}

void frmPrincipale::AggiornaAnteprima(const std::string& fontString, const std::string& family, const std::string& hrc)
{
    const std::string size = ToCp1252(txtDimensione_->text());
    const preview::PreviewOptions options{size, chkHRC_->isChecked(), FontHrc(cfg_)};
    WritePreview(*rtfContenuto_->document(), preview::AggiornaAnteprima(fontString, family, hrc, options));
}

void frmPrincipale::AggiornaEtichettaFont()
{
    labFont_->setText(FromCp1252(preview::AggiornaEtichettaFont(FontHrc(cfg_))));
}

void frmPrincipale::SalvaConfigurazione()
{
    if (holdSaves_)
        return;
    QString why;
    if (!lum::assistant::SalvaConfigurazione(UnisciPercorsoNome(cartella_, kSettingsFileName), cfg_, &why))
        NotifySettingsNotSaved(why);
}

void frmPrincipale::NotifySettingsNotSaved(const QString& reason)
{
    if (!salvataggioFallito_) // once per run; the settings stay in use in memory
        servizi_.avviso(this, LoadText(kTextSaveFailed, offset_) + reason, LoadText(kTextTitleNotice, offset_));
    salvataggioFallito_ = true;
}

void frmPrincipale::NotifySettingsNotRead(const ReadProblem& problem)
{
    const QString reason = problem.notRegular ? LoadText(kTextNotRegular, offset_) : SystemReason(problem.systemError);
    servizi_.avviso(this, LoadText(kTextReadFailed, offset_) + reason, LoadText(kTextTitleNotice, offset_));
}

} // namespace lum::assistant
