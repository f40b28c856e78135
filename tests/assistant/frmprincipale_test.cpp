// The main window driven through its real controls, offscreen.
#include "assistant/frmprincipale.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <cstring>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "assistant/cp1252.h"
#include "assistant/fontdiscovery.h"
#include "assistant/settings.h"
#include "assistant/stringtable.h"
#include "assistant/wizard/ean128_wizard.h"
#include "engine/catalogue.h"
#include "mainwindow.h"

namespace lum::assistant {
namespace {

TEST_F(MainWindow, FirstRunShowsTheDefaults)
{
    EXPECT_EQ(window->windowTitle(), QStringLiteral(" LUM Assistant"));
    EXPECT_FALSE(digit->isChecked());
    EXPECT_FALSE(hrc->isChecked());
    EXPECT_EQ(size->text(), QStringLiteral("100"));
    EXPECT_EQ(Child<QLabel>("labFont")->text(), QStringLiteral("Courier (10 punti)"));
    EXPECT_EQ(symbology->currentIndex(), -1);
    EXPECT_FALSE(Child<QLabel>("labAvviso")->isVisibleTo(window.get()));
    EXPECT_TRUE(QFileInfo(home.SettingsFolder()).isDir());
    EXPECT_TRUE(SettingsBytes().isEmpty()); // nothing written until a choice is made
    EXPECT_EQ(Child<QLabel>("labCodice")->text(), QStringLiteral("&Code:"));
    EXPECT_TRUE(Action("mnuLinguaEnglish")->isChecked());
    for (const char* name : {"mnuFile", "mnuEsci", "mnuModifica", "mnuFont", "mnuIncludiCheckDigit", "mnuLingua",
                             "mnuLinguaItaliano", "mnuQmark", "mnuInformazioni", "mnuBar", "mnuManuale"})
        EXPECT_TRUE(window->findChild<QObject*>(QLatin1String(name))) << name;
    for (const char* name : {"labAttributi", "imgWizard", "lstFont", "Line1", "cmdClipboard"})
        EXPECT_TRUE(window->findChild<QWidget*>(QLatin1String(name))) << name;
}

TEST_F(MainWindow, MinimumSizeIsTheTwipsLimit)
{
    const double dpi = window->screen()->logicalDotsPerInch();
    EXPECT_EQ(window->minimumWidth(), qRound(10080 * dpi / 1440));
    EXPECT_EQ(window->minimumHeight(), qRound(8685 * dpi / 1440));
}

TEST_F(MainWindow, ListsTheSymbologiesOfTheInstalledFamilies)
{
    auto* fonts = Child<QListWidget>("lstFont");
    QStringList listed;
    for (int i = 0; i < fonts->count(); ++i)
        listed << fonts->item(i)->text();
    EXPECT_TRUE(listed.contains(QStringLiteral("VOR39")));
    EXPECT_TRUE(listed.contains(QStringLiteral("VOR39 Narrow")));
    EXPECT_FALSE(listed.contains(QStringLiteral("vorlower"))); // the prefix is case-sensitive
    EXPECT_EQ(symbology->count(), 36);                         // every family has its stand-in font
    EXPECT_EQ(symbology->itemText(0), QStringLiteral("Code 39"));
    EXPECT_EQ(symbology->itemText(35), QStringLiteral("ISBN-13"));
}

TEST_F(MainWindow, EnterDrawsTheCodeInTheBarcodeFont)
{
    Choose(400);
    Type(QStringLiteral("abc-12"));
    EXPECT_TRUE(errors.empty());
    EXPECT_EQ(Shown(), FromCp1252(Encode("ABC-12", "C39", false, kWho)));
    EXPECT_EQ(ShownFamily(), QStringLiteral("VOR39"));
    EXPECT_EQ(ShownSize(), 100.0);
    EXPECT_EQ(code->selectedText(), QStringLiteral("abc-12")); // Enter selects the code
    EXPECT_EQ(code->text(), QStringLiteral("abc-12"));         // and swallows the key
}

TEST_F(MainWindow, TypingAloneNeverRedraws)
{
    Choose(400);
    Type(QStringLiteral("ABC"));
    const QString before = Shown();
    Type(QStringLiteral("XYZ"), false);
    EXPECT_EQ(Shown(), before);
}

TEST_F(MainWindow, InvalidCodeOnEnterShowsMessage93)
{
    Choose(400);
    Type(QStringLiteral("ABC"));
    const QString before = Shown();
    Type(QStringLiteral("A B"));
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].text, QStringLiteral("The value introduced is not allowed"));
    EXPECT_EQ(errors[0].title, QStringLiteral("Error"));
    EXPECT_EQ(Shown(), before);
    Type(QString()); // an empty code: nothing, no message
    EXPECT_EQ(errors.size(), 1u);
}

TEST_F(MainWindow, OptionChangesRedrawOnlyWhenTheCodeStaysValid)
{
    Choose(427); // Code CIP: 6 digits with the check digit, 7 without
    digit->setChecked(false);
    Type(QStringLiteral("1234567"));
    ASSERT_TRUE(errors.empty());
    const QString drawn = Shown();
    EXPECT_EQ(drawn, FromCp1252(Encode("1234567", "CIP", false, kWho)));

    digit->setChecked(true); // now one digit too many: silence, old barcode stays
    EXPECT_TRUE(errors.empty());
    EXPECT_EQ(Shown(), drawn);
    QTest::keyClick(code, Qt::Key_Return);
    EXPECT_EQ(errors.size(), 1u);

    Type(QStringLiteral("123456"));
    EXPECT_EQ(Shown(), FromCp1252(Encode("123456", "CIP", true, kWho)));
    size->setText(QStringLiteral("48"));
    QTest::keyClick(size, Qt::Key_Return); // refresh at the new size
    EXPECT_EQ(ShownSize(), 48.0);
}

TEST_F(MainWindow, TextTheEncoderRejectsFailsOnEnterAndStaysQuietOnRefresh)
{
    Choose(401); // Code 39 Full Ascii: no rule, the encoder decides
    Type(QStringLiteral("Code"));
    const QString drawn = Shown();
    ASSERT_FALSE(drawn.isEmpty());
    code->setText(QStringLiteral("Caf\u00E9")); // typed through an input method
    QTest::keyClick(code, Qt::Key_Return);
    EXPECT_EQ(errors.size(), 1u);
    EXPECT_EQ(Shown(), drawn);
    hrc->setChecked(true); // refresh: quiet check fails, nothing drawn, no message
    EXPECT_EQ(errors.size(), 1u);
    EXPECT_EQ(Shown(), drawn);
}

TEST_F(MainWindow, SizeBox)
{
    Choose(400);
    size->setFocus();
    size->selectAll();
    QTest::keyClicks(size, QStringLiteral("4x8"));
    EXPECT_EQ(size->text(), QStringLiteral("48")); // letters are swallowed
    EXPECT_EQ(window->Config().barcodeSize, 48);
    size->clear();
    EXPECT_EQ(size->text(), QStringLiteral("100")); // never left empty
    EXPECT_EQ(window->Config().barcodeSize, 100);
    size->setText(QStringLiteral("99999"));
    EXPECT_EQ(window->Config().barcodeSize, 100); // beyond 16 bits: not stored
    const QByteArray bytes = SettingsBytes();
    ASSERT_EQ(bytes.size(), 240);
    EXPECT_EQ(quint8(bytes[172]), 100);
    EXPECT_EQ(quint8(bytes[173]), 0);
}

TEST_F(MainWindow, SizeBoxKeepsOnlyTheDigitsOfPastedText)
{
    struct Row {
        const char* clipboard;
        bool replace; // the box's text selected first, else pasted at its end
        const char* size;
    };
    const Row rows[] = {{"4x8 pt", true, "48"}, {"abc", true, "100"}, {"7 points", false, "1007"}, {"36", true, "36"}};
    Choose(400);
    hrc->setChecked(true);
    Type(QStringLiteral("AB"));
    for (const Row& r : rows) {
        SCOPED_TRACE(r.clipboard);
        QGuiApplication::clipboard()->setText(QString::fromLatin1(r.clipboard));
        size->setText(QStringLiteral("100"));
        size->setFocus();
        if (r.replace)
            size->selectAll();
        else
            size->end(false);
        QTest::keyClick(size, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(size->text(), QString::fromLatin1(r.size));
        QTest::keyClick(size, Qt::Key_Return); // drawn at that size
        const Copied copied = Copy();
        EXPECT_EQ(copied.text, Shown());
        EXPECT_TRUE(copied.rtf.contains("\\fs" + QByteArray::number(2 * QByteArray(r.size).toInt()) + ' '))
            << copied.rtf.toStdString(); // half-points
    }
}

TEST_F(MainWindow, StyleListKeepsItsPosition)
{
    Choose(400);
    style->setCurrentIndex(2); // Wide
    Choose(428);               // Plessey: Normal and Short
    EXPECT_EQ(style->count(), 2);
    EXPECT_EQ(style->currentText(), QStringLiteral("Normal"));
    Choose(400);
    EXPECT_EQ(style->currentIndex(), 0);
    Choose(428);
    style->setCurrentIndex(1); // Short
    Choose(400);
    EXPECT_EQ(style->currentText(), QStringLiteral("Narrow"));
    EXPECT_EQ(TrimBlanks(window->Config().stile), "Narrow");
    Choose(410); // Code 32
    EXPECT_EQ(style->count(), 1);
    EXPECT_FALSE(style->isEnabled());
}

TEST_F(MainWindow, StyleChoosesTheFontOfTheFamily)
{
    Choose(400);
    style->setCurrentIndex(1); // Narrow
    Type(QStringLiteral("AB"));
    EXPECT_EQ(ShownFamily(), QStringLiteral("VOR39 Narrow"));
}

TEST_F(MainWindow, IsbnForcesTheBoxesAndIgnoresThem)
{
    Choose(434);
    EXPECT_TRUE(digit->isChecked());
    EXPECT_FALSE(digit->isEnabled());
    EXPECT_TRUE(hrc->isChecked());
    EXPECT_FALSE(hrc->isEnabled());
    digit->setChecked(false); // as a stored record could leave it
    Type(QStringLiteral("123456789"));
    const std::string expected = Encode("123456789", "ISBN", true, kWho);
    if (expected.empty()) {
        EXPECT_EQ(errors.size(), 1u); // not encodable yet: reported, never drawn empty
    } else {
        EXPECT_TRUE(errors.empty());
        EXPECT_EQ(Shown(), FromCp1252(expected).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    }
    Choose(400); // enabled again, still checked
    EXPECT_TRUE(hrc->isEnabled());
    EXPECT_TRUE(hrc->isChecked());
}

TEST_F(MainWindow, SymbologiesWithoutShippedFonts)
{
    struct Row {
        int nameId;
        const char* code;
        const char* id;
        const char* family;
    };
    // Their families exist here only as the tests' stand-in fonts.
    const Row rows[] = {{408, "1234", "CBCD", "VORBCD"},
                        {429, "12KL", "DELTA", "VORDELTA DA"},
                        {430, "1234", "C25INV", "VOR25 INV"},
                        {431, "1234", "C25COMP", "VOR25 COMP"}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.id);
        errors.clear();
        Choose(r.nameId);
        Type(QString::fromLatin1(r.code));
        const std::string expected = Encode(r.code, r.id, false, kWho);
        if (expected.empty()) {
            EXPECT_EQ(errors.size(), 1u);
        } else {
            ASSERT_TRUE(errors.empty());
            EXPECT_EQ(Shown(), FromCp1252(expected));
            EXPECT_EQ(ShownFamily(), QString::fromLatin1(r.family));
        }
        Type(QStringLiteral("12A4")); // letters are no 2 of 5 digits and no Delta-Distance characters
        EXPECT_EQ(errors.size(), expected.empty() ? 2u : 1u);
    }
}

TEST_F(MainWindow, Code32TwoLineFormFollowsTheHrcBox)
{
    Choose(410);
    digit->setChecked(true);
    hrc->setChecked(false);
    Type(QStringLiteral("12345678"));
    const std::string plain = Encode("12345678", "C32", true, kWho);
    ASSERT_FALSE(plain.empty());
    EXPECT_EQ(Shown(), FromCp1252(plain));
    hrc->setChecked(true); // refresh: the engine's two-line form, no line of the program's own
    const std::string twoLines = Encode("12345678", "C32HRC", true, kWho);
    ASSERT_NE(twoLines, plain);
    EXPECT_EQ(Shown(), FromCp1252(twoLines).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    EXPECT_EQ(preview->document()->blockCount(), 2);
}

TEST_F(MainWindow, SizeBoxRefreshesWhenLeft)
{
    Choose(400);
    Type(QStringLiteral("AB"));
    size->setText(QStringLiteral("36"));
    EXPECT_EQ(ShownSize(), 100.0); // typing a size does not redraw
    QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(size, &leave); // leaving the box does
    EXPECT_EQ(ShownSize(), 36.0);
}

TEST_F(MainWindow, AddOnNamesSplitTheCode)
{
    Choose(420); // UPC-A Add-on 5
    digit->setChecked(true);
    Type(QStringLiteral("123456789012345"));
    const std::string expected =
        Encode("12345678901", "UPCA", true, kWho) + Encode("02345", "ADD5", true, kWho); // 11 digits, then the rest
    if (Encode("12345678901", "UPCA", true, kWho).empty() || Encode("02345", "ADD5", true, kWho).empty()) {
        EXPECT_EQ(errors.size(), 1u); // the engine cannot encode UPC-A yet: reported, not drawn empty
    } else {
        EXPECT_TRUE(errors.empty());
        EXPECT_EQ(Shown(), FromCp1252(expected));
        EXPECT_EQ(ShownFamily(), QStringLiteral("VOREAN"));
    }
    errors.clear();
    Type(QStringLiteral("12345678901234567")); // one digit more than both parts
    EXPECT_EQ(errors.size(), 1u);
}

TEST_F(MainWindow, WizardPictureOnlyForEan128)
{
    auto* wizard = Child<QLabel>("imgWizard");
    Choose(425);
    EXPECT_TRUE(wizard->isVisibleTo(window.get()));
    window->wizardHrc = QStringLiteral("(10)ABC");
    Choose(400);
    EXPECT_FALSE(wizard->isVisibleTo(window.get()));
    EXPECT_TRUE(window->wizardHrc.isEmpty());
}

TEST_F(MainWindow, ChoicesAreSavedAndComeBack)
{
    Choose(402);
    style->setCurrentIndex(3);
    hrc->setChecked(true);
    digit->setChecked(true);
    Action("mnuIncludiCheckDigit")->trigger();
    const QByteArray bytes = SettingsBytes();
    ASSERT_EQ(bytes.size(), 240);
    EXPECT_EQ(bytes.mid(138, 30), QByteArray("Code 93").leftJustified(30, ' '));
    EXPECT_EQ(bytes.mid(174, 64), QByteArray("Short").leftJustified(64, ' '));
    EXPECT_EQ(bytes.mid(238, 2), QByteArray("\xFF\xFF"));

    window.reset();
    Start();
    EXPECT_EQ(symbology->currentText(), QStringLiteral("Code 93"));
    EXPECT_EQ(style->currentText(), QStringLiteral("Short"));
    EXPECT_TRUE(hrc->isChecked());
    EXPECT_TRUE(digit->isChecked());
    EXPECT_TRUE(Action("mnuIncludiCheckDigit")->isChecked());
}

TEST_F(MainWindow, LanguageSwitch)
{
    Choose(400);
    Action("mnuLinguaItaliano")->trigger();
    const QString marker = home.SettingsFolder() + QStringLiteral("/ITALIANO.LNG");
    EXPECT_TRUE(QFileInfo::exists(marker));
    EXPECT_EQ(window->Offset(), kItalian);
    EXPECT_EQ(symbology->itemText(0), QStringLiteral("Codice 39"));
    EXPECT_EQ(symbology->currentText(), QStringLiteral("Codice 39"));
    EXPECT_EQ(Child<QLabel>("labCodice")->text(), QStringLiteral("&Codice:"));
    EXPECT_TRUE(Action("mnuLinguaItaliano")->isChecked());

    const QByteArray saved = SettingsBytes();
    QFile::remove(home.SettingsFolder() + QStringLiteral("/LUM.CFG"));
    Action("mnuLinguaItaliano")->trigger(); // already Italian: no rebuild, no save
    EXPECT_EQ(symbology->currentText(), QStringLiteral("Codice 39"));
    EXPECT_TRUE(SettingsBytes().isEmpty());
    EXPECT_TRUE(Action("mnuLinguaItaliano")->isChecked());

    Action("mnuLinguaEnglish")->trigger();
    EXPECT_FALSE(QFileInfo::exists(marker));
    EXPECT_EQ(window->Offset(), kEnglish);

    // "Codice 39" stored in Italian is not selected when the marker is
    // deleted by hand and the program starts in English.
    ASSERT_EQ(saved.mid(138, 9), QByteArray("Codice 39"));
    window.reset();
    QFile cfg(home.SettingsFolder() + QStringLiteral("/LUM.CFG"));
    ASSERT_TRUE(cfg.open(QIODevice::WriteOnly));
    cfg.write(saved);
    cfg.close();
    Start();
    EXPECT_EQ(window->Offset(), kEnglish);
    EXPECT_EQ(symbology->currentIndex(), -1);
}

TEST_F(MainWindow, LanguageSwitchKeepsTheWork)
{
    struct Row {
        const char* note;
        int nameId;
        int styleIndex;
        const char* code;
        bool toItalian;
        const char* style; // the same style in the new language
    };
    const Row rows[] = {
        {"EAN 128, short, to Italian", 425, 1, "10ABC", true, "Corto"},
        {"Code 39, wide, to English", 400, 2, "AB", false, "Wide"},
        {"Code 93, narrow short, to Italian", 402, 4, "XY", true, "Stretto e corto"},
    };
    hrc->setChecked(true);
    for (const Row& r : rows) {
        SCOPED_TRACE(r.note);
        Choose(r.nameId);
        style->setCurrentIndex(r.styleIndex);
        Type(QString::fromLatin1(r.code));
        const Copied before = Copy();
        ASSERT_FALSE(before.text.isEmpty());
        Action(r.toItalian ? "mnuLinguaItaliano" : "mnuLinguaEnglish")->trigger();
        ASSERT_EQ(window->Offset(), r.toItalian ? kItalian : kEnglish);
        EXPECT_EQ(symbology->currentText(), LoadText(r.nameId, window->Offset()));
        EXPECT_EQ(style->currentText(), QString::fromUtf8(r.style));
        const bool ean128 = r.nameId == 425;
        EXPECT_EQ(Child<QLabel>("imgWizard")->isVisibleTo(window.get()), ean128);
        EXPECT_EQ(Action("mnuWizard")->isEnabled(), ean128);
        // Stored as now shown, so the next start in this language finds them.
        const QByteArray bytes = SettingsBytes();
        EXPECT_EQ(bytes.mid(138, 30).trimmed(), QByteArray::fromStdString(ToCp1252(symbology->currentText())));
        EXPECT_EQ(bytes.mid(174, 64).trimmed(), QByteArray::fromStdString(ToCp1252(style->currentText())));
        const Copied after = Copy();
        EXPECT_EQ(after.text, before.text);
        EXPECT_EQ(after.rtf, before.rtf);
    }
    window.reset();
    Start();
    EXPECT_EQ(symbology->currentText(), LoadText(402, kItalian));
    EXPECT_EQ(style->currentText(), QStringLiteral("Stretto e corto"));
}

TEST_F(MainWindow, QtsOwnTextsFollowTheLanguage)
{
    struct Row {
        const char* context;
        const char* english;
        const char* italian;
    };
    // Texts of Qt's own message boxes and font dialog, with the Italian of Qt's translations.
    const Row rows[] = {{"QPlatformTheme", "Cancel", "Annulla"}, {"QFontDialog", "Select Font", "Seleziona carattere"}};
    const auto expect = [&](bool italian) {
        for (const Row& r : rows)
            EXPECT_EQ(QCoreApplication::translate(r.context, r.english),
                      QString::fromUtf8(italian ? r.italian : r.english))
                << r.english << (italian ? " in Italian" : " in English");
        QMessageBox box(QMessageBox::Critical, QString(), QString(), QMessageBox::Cancel);
        EXPECT_EQ(box.button(QMessageBox::Cancel)->text(), QString::fromLatin1(italian ? "Annulla" : "Cancel"));
    };
    expect(false);
    Action("mnuLinguaItaliano")->trigger();
    expect(true);
    Action("mnuLinguaEnglish")->trigger();
    expect(false);
    Action("mnuLinguaItaliano")->trigger();
    window.reset(); // the window takes them with it
    expect(false);
    Start(); // and a start in Italian brings them
    expect(true);
    window.reset();
    expect(false);
}

TEST_F(MainWindow, CharactersOutsideWindows1252AreRefused)
{
    struct Row {
        int nameId;
        const char* drawn;   // a code drawn first
        const char16_t* bad; // then one with characters Windows-1252 lacks
    };
    // Each of these would accept the "?" those characters used to become.
    const Row rows[] = {
        {424, "AB", u"A\u0151\u2192B"}, {425, "10AB", u"10A\u0151"}, {401, "AB", u"A\u2192B"}, {403, "AB", u"\u0151"}};
    hrc->setChecked(true);
    for (const Row& r : rows) {
        SCOPED_TRACE(r.nameId);
        errors.clear();
        Choose(r.nameId);
        Type(QString::fromLatin1(r.drawn));
        ASSERT_TRUE(errors.empty());
        const Copied before = Copy();
        code->clear();
        code->insert(QString::fromUtf16(r.bad)); // the test keyboard types ASCII only
        QTest::keyClick(code, Qt::Key_Return);
        ASSERT_EQ(errors.size(), 1u);
        EXPECT_EQ(errors[0].text, LoadText(kTextNotAllowed, kEnglish));
        EXPECT_EQ(errors[0].title, LoadText(kTextErrorTitle, kEnglish));
        hrc->setChecked(false); // an option change stays silent and draws nothing
        hrc->setChecked(true);
        EXPECT_EQ(errors.size(), 1u);
        const Copied after = Copy();
        EXPECT_EQ(after.text, before.text);
        EXPECT_EQ(after.rtf, before.rtf);
        EXPECT_FALSE(after.text.contains(QChar('?')));
    }
}

TEST_F(MainWindow, PreviewTakesNoKeystrokes)
{
    Choose(400);
    hrc->setChecked(true);
    Type(QStringLiteral("AB"));
    const QString shown = Shown();
    const Copied before = Copy();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    preview->setFocus(Qt::TabFocusReason);
    ASSERT_EQ(QApplication::focusWidget(), preview);
    QTest::keyClicks(preview, QStringLiteral("xy"));
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Backspace, Qt::Key_Delete})
        QTest::keyClick(preview, key);
    QTest::keyClick(preview, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Shown(), shown);

    // Selecting and copying stay possible.
    QTest::keyClick(preview, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(preview, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), shown);

    QTest::keyClick(preview, Qt::Key_Tab); // moves on, inserts nothing
    EXPECT_EQ(QApplication::focusWidget(), Child<QPushButton>("cmdClipboard"));
    EXPECT_EQ(Shown(), shown);
    const Copied after = Copy();
    EXPECT_EQ(after.text, before.text);
    EXPECT_EQ(after.rtf, before.rtf);
}

TEST_F(MainWindow, KeyboardPaths)
{
    Choose(400);
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    symbology->setFocus(Qt::TabFocusReason);
    QStringList walked;
    for (int i = 0; i < 8 && QApplication::focusWidget(); ++i) {
        walked << QApplication::focusWidget()->objectName();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    EXPECT_EQ(walked, (QStringList{"cmbSimbologia", "cmbStile", "txtDimensione", "txtCodice", "chkDigit", "chkHRC",
                                   "rtfContenuto", "cmdClipboard"}));

    // The wizard from the Edit menu, only while EAN 128 is selected.
    QAction* entry = Action("mnuWizard");
    ASSERT_NE(entry, nullptr);
    struct Row {
        int nameId;
        bool wizard;
    };
    int opened = 0;
    for (const Row& r : {Row{400, false}, Row{425, true}, Row{424, false}, Row{425, true}}) {
        SCOPED_TRACE(r.nameId);
        Choose(r.nameId);
        EXPECT_EQ(entry->isEnabled(), r.wizard);
        EXPECT_EQ(Child<QLabel>("imgWizard")->isVisibleTo(window.get()), r.wizard);
        entry->trigger();
        opened += r.wizard ? 1 : 0;
        EXPECT_EQ(wizardOpened, opened);
    }

    // An access key of its own in the Edit menu, and a tooltip on the picture, in both languages.
    for (const char* language : {"mnuLinguaEnglish", "mnuLinguaItaliano"}) {
        SCOPED_TRACE(language);
        Action(language)->trigger();
        QStringList keys;
        for (const char* name : {"mnuFont", "mnuIncludiCheckDigit", "mnuWizard"}) {
            const QString text = Action(name)->text();
            const qsizetype amp = text.indexOf(QChar('&'));
            ASSERT_GE(amp, 0) << name;
            keys << text.mid(amp + 1, 1).toLower();
        }
        keys.removeDuplicates();
        EXPECT_EQ(keys.size(), 3) << keys.join(QChar(' ')).toStdString();
        EXPECT_FALSE(Child<QLabel>("imgWizard")->toolTip().isEmpty());
    }
}

TEST_F(MainWindow, ItalianAtStartFromTheMarker)
{
    window.reset();
    QFile marker(home.SettingsFolder() + QStringLiteral("/ITALIANO.LNG"));
    ASSERT_TRUE(marker.open(QIODevice::WriteOnly));
    marker.close();
    Start();
    EXPECT_EQ(window->Offset(), kItalian);
    EXPECT_EQ(Child<QLabel>("labDimensione")->text(), QStringLiteral("&Dimensione:"));
    Choose(400);
    Type(QStringLiteral("A B"));
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].text, QStringLiteral("Il valore digitato non è ammesso"));
    EXPECT_EQ(errors[0].title, QStringLiteral("Errore"));
}

TEST_F(MainWindow, FailedSaveIsToldOnceAndSettingsStayInUse)
{
    const QString file = home.SettingsFolder() + QStringLiteral("/LUM.CFG");
    ASSERT_TRUE(QDir().mkpath(file)); // a folder where the file should be: every save fails
    Choose(400);
    hrc->setChecked(true);
    size->setText(QStringLiteral("72"));
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_TRUE(notices[0].text.startsWith(QStringLiteral("The settings could not be saved: ")));
    EXPECT_EQ(window->Config().hrcOption, 1);
    EXPECT_EQ(window->Config().barcodeSize, 72);
    Type(QStringLiteral("AB"));
    EXPECT_EQ(ShownSize(), 72.0);
}

TEST_F(MainWindow, LanguageMarkerThatCannotBeChangedIsTold)
{
    struct Row {
        const char* note;
        bool makeItalian; // the switch asked for
        int error;        // what the system says
    };
    const Row rows[] = {{"marker cannot be created: a link into a missing folder stands there", true, ENOENT},
                        {"marker cannot be deleted: a folder stands there", false, EISDIR}};
    const QString folder = home.SettingsFolder();
    const QString marker = folder + QStringLiteral("/ITALIANO.LNG");
    for (const Row& r : rows) {
        SCOPED_TRACE(r.note);
        window.reset();
        ASSERT_TRUE(QDir(folder).removeRecursively() && QDir().mkpath(folder));
        if (r.makeItalian)
            ASSERT_TRUE(QFile::link(home.Path() + QStringLiteral("/missing/ITALIANO.LNG"), marker));
        else
            ASSERT_TRUE(QDir().mkpath(marker + QStringLiteral("/kept")));
        notices.clear();
        Start();
        const int from = window->Offset();
        ASSERT_EQ(from, r.makeItalian ? kEnglish : kItalian);
        Choose(400);
        hrc->setChecked(true);
        Type(QStringLiteral("AB"));
        const Copied before = Copy();
        ASSERT_TRUE(notices.empty());

        Action(r.makeItalian ? "mnuLinguaItaliano" : "mnuLinguaEnglish")->trigger();
        ASSERT_EQ(notices.size(), 1u);
        EXPECT_EQ(notices[0].text, LoadText(kTextSaveFailed, from) + QString::fromLocal8Bit(std::strerror(r.error)));
        // The language changes for this run, with the work kept.
        EXPECT_EQ(window->Offset(), r.makeItalian ? kItalian : kEnglish);
        EXPECT_EQ(symbology->currentText(), LoadText(400, window->Offset()));
        EXPECT_EQ(Child<QLabel>("labCodice")->text(), LoadText(268, window->Offset()));
        // The notice is the failed save's own: once per run.
        ASSERT_TRUE(QFile::remove(folder + QStringLiteral("/LUM.CFG")) &&
                    QDir().mkpath(folder + QStringLiteral("/LUM.CFG")));
        hrc->setChecked(false);
        EXPECT_EQ(notices.size(), 1u);
        hrc->setChecked(true);
        const Copied after = Copy();
        EXPECT_EQ(after.text, before.text);
        EXPECT_EQ(after.rtf, before.rtf);
    }
}

TEST_F(MainWindow, UnusableSettingsFolderIsNamedWithTheReason)
{
    window.reset();
    struct Row {
        const char* blocked; // a file where a folder of the settings path should be
    };
    for (const Row& r : {Row{"VOR"}, Row{"VOR/LUMAssistant"}}) {
        SCOPED_TRACE(r.blocked);
        QFile::remove(home.Path() + QStringLiteral("/VOR"));
        ASSERT_TRUE(QDir(home.Path() + QStringLiteral("/VOR")).removeRecursively());
        const QString path = home.Path() + '/' + QString::fromLatin1(r.blocked);
        QDir().mkpath(QFileInfo(path).path());
        QFile blocker(path);
        ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        frmPrincipale w;
        QString why;
        ASSERT_FALSE(w.Avvia(&why));
        EXPECT_EQ(why, LoadText(kTextFolderFailed, kEnglish).arg(path, QString::fromLocal8Bit(std::strerror(ENOTDIR))));
    }
}

TEST_F(MainWindow, StartUpRewritesNothing)
{
    Choose(402);
    style->setCurrentIndex(3);
    hrc->setChecked(true);
    window.reset();

    // The settings are a link to a file kept elsewhere.
    const QString link = home.SettingsFolder() + QStringLiteral("/LUM.CFG");
    const QString real = home.Path() + QStringLiteral("/kept/LUM.CFG");
    ASSERT_TRUE(QDir().mkpath(QFileInfo(real).path()) && QFile::rename(link, real) && QFile::link(real, link));
    struct stat before {};
    ASSERT_EQ(::stat(QFile::encodeName(real).constData(), &before), 0);
    Start();
    EXPECT_EQ(symbology->currentText(), QStringLiteral("Code 93"));
    EXPECT_EQ(style->currentText(), QStringLiteral("Short"));
    EXPECT_TRUE(notices.empty());
    struct stat after {};
    ASSERT_EQ(::stat(QFile::encodeName(real).constData(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino); // not replaced
    EXPECT_EQ(QFileInfo(link).symLinkTarget(), real);

    // A settings file that is there but no regular file: the defaults, and the user is told.
    window.reset();
    ASSERT_TRUE(QFile::remove(link) && QDir().mkpath(link));
    Start();
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices[0].text, LoadText(kTextReadFailed, kEnglish) + LoadText(kTextNotRegular, kEnglish));
    EXPECT_EQ(symbology->currentIndex(), -1);
}

TEST_F(MainWindow, GuideMenu)
{
    Action("mnuManuale")->trigger();
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_TRUE(notices[0].text.endsWith(QStringLiteral("LUMGuide.pdf")));
    EXPECT_TRUE(opened.empty());

    QDir().mkpath(home.Path() + QStringLiteral("/data"));
    QFile guide(home.Path() + QStringLiteral("/data/LUMGuide_ita.pdf"));
    ASSERT_TRUE(guide.open(QIODevice::WriteOnly));
    guide.close();
    Action("mnuLinguaItaliano")->trigger();
    Action("mnuManuale")->trigger();
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], QUrl::fromLocalFile(guide.fileName()));
}

TEST_F(MainWindow, NoBarcodeFontSaysWhatToDo)
{
    window.reset();
    QFontDatabase::removeAllApplicationFonts();
    Start();
    RegisterFontFolders({QStringLiteral(LUM_TEST_FONT_DIR)}); // for the tests after this one
    if (!InstalledBarcodeFamilies().isEmpty() && Child<QListWidget>("lstFont")->count() > 0)
        GTEST_SKIP() << "barcode fonts are installed on this system";
    EXPECT_EQ(symbology->count(), 0);
    auto* notice = Child<QLabel>("labAvviso");
    EXPECT_TRUE(notice->isVisibleTo(window.get()));
    EXPECT_TRUE(notice->text().startsWith(QStringLiteral("No barcode font is installed.")));
}

} // namespace
} // namespace lum::assistant
