#include "assistant/frmean128wizard.h"

#include <QBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyle>

#include "assistant/cp1252.h"
#include "assistant/frmprincipale.h"
#include "assistant/stringtable.h"

namespace lum::assistant {
namespace {

template <class W> W* Named(W* widget, const char* name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

Language LinguaDi(int offset) { return offset == kItalian ? Language::Italian : Language::English; }

} // namespace

frmEan128Wizard::Messaggio frmEan128Wizard::MessaggioPredefinito()
{
    return [](QWidget* parent, const QString& text, const QString& title) {
        QMessageBox::information(parent, title, text);
    };
}

bool frmEan128Wizard::VirgolaDecimale(int offset)
{
    return offset == kItalian || QLocale().decimalPoint() == QLatin1String(",");
}

frmEan128Wizard::frmEan128Wizard(int offset, bool decimalComma, Messaggio messaggio, QWidget* parent)
    : QDialog(parent), offset_(offset), wizard_(decimalComma), messaggio_(std::move(messaggio))
{
    setObjectName(QStringLiteral("frmEan128Wizard"));
    setWindowTitle(QStringLiteral(" Wizard EAN 128"));
    setModal(true);
    CreaControlli();
    MostraAi();
    MostraCodice();
}

void frmEan128Wizard::CreaControlli()
{
    labListaAI_ = Named(new QLabel(LoadText(wizard::kTextAiListCaption, offset_), this), "labListaAI");
    lstAI_ = Named(new QListWidget(this), "lstAI");
    lstAI_->setToolTip(LoadText(wizard::kTextAiListTip, offset_));
    lstRegole_ = Named(new QListWidget(this), "lstRegole");
    lstRegole_->setVisible(false);
    for (const wizard::AiRow& row : wizard::AiCatalogue()) {
        lstAI_->addItem(LoadText(row.textId, offset_));
        lstRegole_->addItem(QString::fromLatin1(row.rule.data(), qsizetype(row.rule.size())));
    }
    // No current row either, so the list's first focus picks no AI by itself
    // (a view without one makes its first row current when it gets the focus).
    lstAI_->setCurrentIndex(QModelIndex());
    labListaAI_->setBuddy(lstAI_);

    labCodice_ = Named(new QLabel(LoadText(wizard::kTextCodeListCaption, offset_), this), "labCodice");
    lstCodice_ = Named(new QListWidget(this), "lstCodice");
    lstCodice_->setToolTip(LoadText(wizard::kTextCodeListTip, offset_));
    labCodice_->setBuddy(lstCodice_);
    labAI_ = Named(new QLabel(this), "labAI");

    labValore_ = Named(new QLabel(LoadText(wizard::kTextValueCaption, offset_), this), "labValore");
    txtValore_ = Named(new QLineEdit(this), "txtValore");
    txtValore_->setToolTip(LoadText(wizard::kTextValueTip, offset_));
    labValore_->setBuddy(txtValore_);
    labDescrizione_ = Named(new QLabel(this), "labDescrizione");
    labDescrizione_->setWordWrap(true);

    cmdUp_ = Named(new QPushButton(style()->standardIcon(QStyle::SP_ArrowUp), QString(), this), "cmdUp");
    cmdUp_->setToolTip(LoadText(wizard::kTextUpTip, offset_));
    cmdUp_->setAccessibleName(LoadText(wizard::kTextUpTip, offset_));
    cmdDown_ = Named(new QPushButton(style()->standardIcon(QStyle::SP_ArrowDown), QString(), this), "cmdDown");
    cmdDown_->setToolTip(LoadText(wizard::kTextDownTip, offset_));
    cmdDown_->setAccessibleName(LoadText(wizard::kTextDownTip, offset_));
    cmdOk_ = Named(new QPushButton(LoadText(kTextOk, offset_), this), "cmdOk");
    cmdAnnulla_ = Named(new QPushButton(LoadText(kTextAbort, offset_), this), "cmdAnnulla");
    // Enter belongs to the value box (Add), never to a default button.
    for (QPushButton* b : {cmdUp_, cmdDown_, cmdOk_, cmdAnnulla_}) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }

    auto* left = new QVBoxLayout;
    left->addWidget(labListaAI_);
    left->addWidget(lstAI_, 1);
    auto* arrows = new QHBoxLayout;
    arrows->addWidget(cmdUp_);
    arrows->addWidget(cmdDown_);
    arrows->addStretch(1);
    auto* right = new QVBoxLayout;
    right->addWidget(labCodice_);
    right->addWidget(lstCodice_, 1);
    right->addWidget(labAI_);
    right->addLayout(arrows);
    right->addWidget(labValore_);
    right->addWidget(txtValore_);
    right->addWidget(labDescrizione_);
    auto* lists = new QHBoxLayout;
    lists->addLayout(left, 3);
    lists->addLayout(right, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdOk_);
    buttons->addWidget(cmdAnnulla_);
    auto* all = new QVBoxLayout(this);
    all->addLayout(lists, 1);
    all->addLayout(buttons);
    resize(720, 420);

    connect(lstAI_, &QListWidget::currentRowChanged, this, [this] { lstAI_Click(); });
    connect(lstCodice_, &QListWidget::currentRowChanged, this, [this] { lstCodice_Click(); });
    connect(cmdUp_, &QPushButton::clicked, this, [this] { cmdUp_Click(); });
    connect(txtValore_, &QLineEdit::returnPressed, this, [this] { cmdUp_Click(); });
    connect(cmdDown_, &QPushButton::clicked, this, [this] { cmdDown_Click(); });
    connect(cmdOk_, &QPushButton::clicked, this, [this] { cmdOk_Click(); });
    connect(cmdAnnulla_, &QPushButton::clicked, this, &QDialog::reject);
}

void frmEan128Wizard::MostraAi()
{
    const QSignalBlocker block(lstAI_);
    lstAI_->setCurrentRow(wizard_.SelectedAi());
    labDescrizione_->setText(QString::fromStdString(wizard_.Hint(LinguaDi(offset_))));
    txtValore_->setMaxLength(wizard_.CanAdd() ? wizard_.MaxLength() : 32767);
    txtValore_->setEnabled(wizard_.CanAdd());
    cmdUp_->setEnabled(wizard_.CanAdd());
}

void frmEan128Wizard::MostraCodice()
{
    const QSignalBlocker block(lstCodice_);
    lstCodice_->clear();
    for (const wizard::WizardRow& row : wizard_.Rows()) {
        auto* item = new QListWidgetItem(FromCp1252(row.value), lstCodice_);
        item->setData(Qt::UserRole, row.aiIndex);
    }
    lstCodice_->setCurrentRow(wizard_.SelectedRow());
    labAI_->setText(QString::fromStdString(wizard_.SelectedRowLabel()));
}

void frmEan128Wizard::Messaggio_(int textId)
{
    if (textId != 0 && messaggio_)
        messaggio_(this, LoadText(textId, offset_), LoadText(kTextErrorTitle, offset_));
}

void frmEan128Wizard::lstAI_Click()
{
    wizard_.SelectAi(lstAI_->currentRow());
    MostraAi();
}

void frmEan128Wizard::lstCodice_Click()
{
    wizard_.SelectRow(lstCodice_->currentRow());
    labAI_->setText(QString::fromStdString(wizard_.SelectedRowLabel()));
}

void frmEan128Wizard::cmdUp_Click()
{
    if (!wizard_.CanAdd())
        return;
    const QString typed = txtValore_->text();
    if (!FitsCp1252(typed)) { // such a character cannot reach the code as itself
        Messaggio_(kTextNotAllowed);
        return;
    }
    wizard_.SetValue(ToCp1252(typed));
    const int message = wizard_.Add();
    if (message != 0) {
        Messaggio_(message);
        return;
    }
    txtValore_->setText(FromCp1252(wizard_.Value()));
    MostraCodice();
}

void frmEan128Wizard::cmdDown_Click()
{
    const int message = wizard_.RemoveLast();
    if (message != 0) {
        Messaggio_(message);
        return;
    }
    MostraAi();
    txtValore_->setText(FromCp1252(wizard_.Value()));
    MostraCodice();
}

void frmEan128Wizard::cmdOk_Click()
{
    wizard::WizardOutput out = wizard_.Finish();
    if (out.message != 0) {
        Messaggio_(out.message);
        return;
    }
    risultato_ = std::move(out);
    accept();
}

frmEan128Wizard* frmEan128Wizard::Apri(frmPrincipale& principale, Messaggio messaggio)
{
    const int offset = principale.Offset();
    auto* dialog = new frmEan128Wizard(offset, VirgolaDecimale(offset), std::move(messaggio), &principale);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::accepted, &principale,
            [&principale, dialog] { ConsegnaWizard(principale, dialog->Risultato()); });
    dialog->show();
    return dialog;
}

void ConsegnaWizard(frmPrincipale& principale, const wizard::WizardOutput& risultato)
{
    // The code first: a new code text drops the previous wizard line, then
    // this line belongs to this code.
    if (auto* codice = principale.findChild<QLineEdit*>(QStringLiteral("txtCodice")))
        codice->setText(FromCp1252(risultato.code));
    principale.wizardHrc = FromCp1252(risultato.hrc);
    int enter = 13;
    principale.txtCodice_KeyPress(enter);
}

} // namespace lum::assistant
