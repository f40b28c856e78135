// The main window started offscreen in a private settings folder, with the
// desktop services (message boxes, the shell, the font dialog) replaced by
// recorders; controls are found by object name.
#pragma once

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <vector>

#include "assistant/frmprincipale.h"
#include "assistant/stringtable.h"
#include "engine/catalogue.h"
#include "testenv.h"

namespace lum::assistant {

constexpr Deliverable kWho = Deliverable::Assistant;

struct Message {
    QString text, title;
};

// What the Clipboard button put on the clipboard.
struct Copied {
    QString text;   // the plain-text form, paragraphs joined by "\n"
    QByteArray rtf; // the rich-text form
};

class MainWindow : public ::testing::Test {
protected:
    void SetUp() override { Start(); }

    void Start()
    {
        frmPrincipale::Servizi s;
        s.errore = [this](QWidget*, const QString& text, const QString& title) { errors.push_back({text, title}); };
        s.avviso = [this](QWidget*, const QString& text, const QString& title) { notices.push_back({text, title}); };
        s.apri = [this](const QUrl& url) {
            opened.push_back(url);
            return true;
        };
        s.apriWizard = [this](frmPrincipale&) { ++wizardOpened; };
        s.sceltaFont = [this](QWidget*, const QFont& current) {
            fontAsked.push_back(current);
            return fontAnswer;
        };
        s.cartelleDati = dataFolders.isEmpty() ? QStringList{home.Path() + QStringLiteral("/data")} : dataFolders;
        window = std::make_unique<frmPrincipale>(s);
        QString why;
        ASSERT_TRUE(window->Avvia(&why)) << why.toStdString();
        window->show();
        code = Child<QLineEdit>("txtCodice");
        size = Child<QLineEdit>("txtDimensione");
        symbology = Child<QComboBox>("cmbSimbologia");
        style = Child<QComboBox>("cmbStile");
        digit = Child<QCheckBox>("chkDigit");
        hrc = Child<QCheckBox>("chkHRC");
        preview = Child<QTextEdit>("rtfContenuto");
    }

    template <class W> W* Child(const char* name)
    {
        auto* w = window->findChild<W*>(QLatin1String(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }

    QAction* Action(const char* name) { return window->findChild<QAction*>(QLatin1String(name)); }

    void Choose(int nameId)
    {
        const int index = symbology->findText(LoadText(nameId, window->Offset()));
        ASSERT_GE(index, 0) << nameId;
        symbology->setCurrentIndex(index);
    }

    void Type(const QString& text, bool enter = true)
    {
        code->setFocus();
        code->clear();
        QTest::keyClicks(code, text);
        if (enter)
            QTest::keyClick(code, Qt::Key_Return);
    }

    // Presses the Clipboard button and reads back what it copied.
    Copied Copy()
    {
        QGuiApplication::clipboard()->setText(QStringLiteral("stale")); // so a copy that did not happen shows
        QTest::mouseClick(Child<QPushButton>("cmdClipboard"), Qt::LeftButton);
        const QMimeData* data = QGuiApplication::clipboard()->mimeData();
        if (!data)
            return {};
        return {data->text(), data->data(QStringLiteral("text/rtf"))};
    }

    QString Shown() const { return preview->toPlainText(); }
    QString ShownFamily() const
    {
        const QTextBlock first = preview->document()->firstBlock();
        if (!first.isValid() || first.begin().atEnd())
            return {};
        const auto families = first.begin().fragment().charFormat().fontFamilies().toStringList();
        return families.isEmpty() ? QString() : families.first();
    }
    double ShownSize() const
    {
        return preview->document()->firstBlock().begin().fragment().charFormat().fontPointSize();
    }

    QByteArray SettingsBytes() const
    {
        QFile f(home.SettingsFolder() + QStringLiteral("/LUM.CFG"));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    ScopedConfigHome home;
    QStringList dataFolders; // where the window looks for its guides; empty: a folder of the test's own
    std::unique_ptr<frmPrincipale> window;
    std::vector<Message> errors, notices;
    std::vector<QUrl> opened;
    int wizardOpened = 0;
    std::vector<QFont> fontAsked;    // the presets the font dialog was shown with
    std::optional<QFont> fontAnswer; // what it answers: nothing is Cancel
    QLineEdit *code{}, *size{};
    QComboBox *symbology{}, *style{};
    QCheckBox *digit{}, *hrc{};
    QTextEdit* preview{};
};

} // namespace lum::assistant
