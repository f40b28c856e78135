// The EAN-128 wizard driven through its real controls, offscreen, opened from
// the main window's wizard picture.
#include "assistant/frmean128wizard.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>
#include <functional>
#include <gtest/gtest.h>

#include "assistant/cp1252.h"
#include "assistant/frmprincipale.h"
#include "assistant/stringtable.h"
#include "assistant/wizard/ai_catalogue.h"
#include "engine/catalogue.h"
#include "testenv.h"

namespace lum::assistant {
namespace {

struct Message {
    QString text, title;
};

// The row of an AI number in the wizard's list.
int AiIndex(std::string_view ai)
{
    const auto rows = wizard::AiCatalogue();
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (rows[i].ai == ai)
            return int(i);
    ADD_FAILURE() << "no AI " << ai;
    return -1;
}

class Wizard : public ::testing::Test {
protected:
    void SetUp() override
    {
        frmPrincipale::Servizi s;
        s.errore = [this](QWidget*, const QString& text, const QString& title) { mainErrors.push_back({text, title}); };
        s.avviso = [](QWidget*, const QString&, const QString&) {};
        s.apri = [](const QUrl&) { return true; };
        s.apriWizard = [this](frmPrincipale& w) {
            dialog = frmEan128Wizard::Apri(w, [this](QWidget*, const QString& text, const QString& title) {
                messages.push_back({text, title});
            });
        };
        s.cartelleDati = {home.Path() + QStringLiteral("/data")};
        window = std::make_unique<frmPrincipale>(s);
        QString why;
        ASSERT_TRUE(window->Avvia(&why)) << why.toStdString();
        window->show();
        code = window->findChild<QLineEdit*>(QStringLiteral("txtCodice"));
        preview = window->findChild<QTextEdit*>(QStringLiteral("rtfContenuto"));
        ASSERT_TRUE(code && preview);
    }

    void ChooseEan128()
    {
        auto* symbology = window->findChild<QComboBox*>(QStringLiteral("cmbSimbologia"));
        const int index = symbology->findText(LoadText(425, window->Offset()));
        ASSERT_GE(index, 0);
        symbology->setCurrentIndex(index);
    }

    // EAN 128 chosen, then a click on the wizard picture.
    void Open()
    {
        ChooseEan128();
        auto* picture = window->findChild<QLabel*>(QStringLiteral("imgWizard"));
        ASSERT_TRUE(picture && picture->isVisibleTo(window.get()));
        QTest::mouseClick(picture, Qt::LeftButton);
        ASSERT_TRUE(dialog);
        ASSERT_TRUE(dialog->isVisible());
    }

    template <class W> W* Child(const char* name)
    {
        auto* w = dialog ? dialog->findChild<W*>(QLatin1String(name)) : nullptr;
        EXPECT_NE(w, nullptr) << name;
        return w;
    }

    void Select(std::string_view ai) { Child<QListWidget>("lstAI")->setCurrentRow(AiIndex(ai)); }

    // Types the value and adds it: by Enter in the value box, or by the Add button.
    void Add(std::string_view ai, const QString& value, bool enter = false)
    {
        Select(ai);
        auto* box = Child<QLineEdit>("txtValore");
        box->clear();
        bool ascii = true;
        for (const QChar c : value)
            ascii = ascii && c.unicode() < 0x80;
        if (ascii)
            QTest::keyClicks(box, value);
        else
            box->insert(value); // the test keyboard types ASCII only
        if (enter)
            QTest::keyClick(box, Qt::Key_Return);
        else
            QTest::mouseClick(Child<QPushButton>("cmdUp"), Qt::LeftButton);
    }

    void Click(const char* button) { QTest::mouseClick(Child<QPushButton>(button), Qt::LeftButton); }

    ScopedConfigHome home;
    std::unique_ptr<frmPrincipale> window;
    QPointer<frmEan128Wizard> dialog;
    std::vector<Message> messages, mainErrors;
    QLineEdit* code{};
    QTextEdit* preview{};
};

TEST_F(Wizard, OpensFromThePictureWithItsCaptions)
{
    Open();
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral(" Wizard EAN 128"));
    EXPECT_TRUE(dialog->isModal());
    EXPECT_EQ(Child<QLabel>("labListaAI")->text(), QStringLiteral("AI &List:"));
    EXPECT_EQ(Child<QLabel>("labCodice")->text(), QStringLiteral("Code:"));
    EXPECT_EQ(Child<QLabel>("labValore")->text(), QStringLiteral("&Value:"));
    EXPECT_EQ(Child<QPushButton>("cmdOk")->text(), QStringLiteral("O&k"));
    EXPECT_EQ(Child<QPushButton>("cmdAnnulla")->text(), QStringLiteral("&Abort"));
    EXPECT_EQ(Child<QListWidget>("lstAI")->toolTip(), QStringLiteral("List of available AIs"));
    EXPECT_EQ(Child<QListWidget>("lstCodice")->toolTip(), QStringLiteral("AI inserted into code and their values"));
    EXPECT_EQ(Child<QLineEdit>("txtValore")->toolTip(), QStringLiteral("Value for selected AI"));
    EXPECT_EQ(Child<QPushButton>("cmdUp")->toolTip(), QStringLiteral("Insert AI into code with specified value"));
    EXPECT_EQ(Child<QPushButton>("cmdDown")->toolTip(), QStringLiteral("Remove last AI from code"));

    // The list against the wizard's own text table (the string table is a second copy).
    auto* list = Child<QListWidget>("lstAI");
    ASSERT_EQ(list->count(), 107);
    for (int i = 0; i < list->count(); ++i)
        EXPECT_EQ(list->item(i)->text(),
                  QString::fromUtf8(wizard::AiDescription(wizard::AiCatalogue()[std::size_t(i)], Language::English)))
            << i;
    EXPECT_EQ(list->currentRow(), -1);
    EXPECT_EQ(Child<QListWidget>("lstCodice")->count(), 0);
}

TEST_F(Wizard, ValueBoxAndAddWaitForAnAi)
{
    Open();
    auto* box = Child<QLineEdit>("txtValore");
    auto* add = Child<QPushButton>("cmdUp");
    EXPECT_FALSE(box->isEnabled());
    EXPECT_FALSE(add->isEnabled());
    EXPECT_TRUE(Child<QLabel>("labDescrizione")->text().isEmpty());

    struct Row {
        const char* ai;
        const char* hint; // the format hint texts 690 to 696
        int length;       // the value box limit of the format
    };
    for (const Row& r :
         {Row{"01", "Integer of length 14", 14}, Row{"10", "Alfanumerico variabile, massimo 20 caratteri", 20},
          Row{"310", "Float of length 6", 11}, Row{"391", "Float of length 18", 19},
          Row{"23", "Integer, max length 19", 19},
          Row{"8003", "Integer of length 14 followed by a string of variable length, max 16 characters", 30}}) {
        SCOPED_TRACE(r.ai);
        Select(r.ai);
        EXPECT_TRUE(box->isEnabled());
        EXPECT_TRUE(add->isEnabled());
        EXPECT_EQ(Child<QLabel>("labDescrizione")->text(), QString::fromUtf8(r.hint));
        EXPECT_EQ(box->maxLength(), r.length);
    }
}

TEST_F(Wizard, OkHandsTheEscapedCodeToTheMainWindow)
{
    // A fixed field first, then a variable one at the end: no separator.
    // Expected element string by the GS1 rules: 01 + GTIN-14, 10 + lot.
    struct Case {
        const char* note;
        std::vector<std::pair<std::string_view, QString>> rows;
        QString code, hrc;
    };
    const std::vector<Case> cases{
        {"variable field last: no FNC1 at the end",
         {{"01", QStringLiteral("09501101530003")}, {"10", QStringLiteral("ABC")}},
         QStringLiteral("010950110153000310ABC"),
         QStringLiteral("(01)09501101530003(10)ABC")},
        {"variable field followed by another: FNC1 between",
         {{"10", QStringLiteral("ABC")}, {"11", QStringLiteral("991231")}},
         QStringLiteral("10ABC\\x8111991231"),
         QStringLiteral("(10)ABC(11)991231")},
        {"decimals coded into the AI, value padded to 6 digits",
         {{"310", QStringLiteral("12.5")}},
         QStringLiteral("3101000125"),
         QStringLiteral("(3101)000125")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.note);
        code->clear();
        Open();
        wizard::Ean128Wizard logic(false); // the same input through the plain logic
        bool enter = true;
        for (const auto& [ai, value] : c.rows) {
            Add(ai, value, enter);
            enter = !enter; // Enter in the value box and the Add button alike
            logic.SelectAi(AiIndex(ai));
            logic.SetValue(ToCp1252(value));
            EXPECT_EQ(logic.Add(), 0);
        }
        EXPECT_TRUE(messages.empty());
        EXPECT_EQ(Child<QListWidget>("lstCodice")->count(), int(c.rows.size()));
        Click("cmdOk");
        EXPECT_FALSE(dialog && dialog->isVisible());
        EXPECT_EQ(code->text(), c.code);
        EXPECT_EQ(code->text(), FromCp1252(logic.Finish().code));
        EXPECT_EQ(window->wizardHrc, c.hrc);
        // Enter was pressed for it: the preview shows the font string of the code.
        const std::string font = Encode(ToCp1252(c.code), "E128", false, Deliverable::Assistant);
        EXPECT_FALSE(font.empty());
        EXPECT_EQ(preview->toPlainText(), FromCp1252(font));
        EXPECT_TRUE(mainErrors.empty());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_FALSE(dialog); // closed and gone
    }
}

TEST_F(Wizard, EmptyListMessages)
{
    Open();
    Click("cmdDown");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, QStringLiteral("Unable to undo."));
    EXPECT_EQ(messages[0].title, QStringLiteral("Error"));
    Click("cmdOk");
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[1].text, QStringLiteral("The code is empty!"));
    EXPECT_EQ(messages[1].title, QStringLiteral("Error"));
    EXPECT_TRUE(dialog && dialog->isVisible()); // the wizard stays open
}

TEST_F(Wizard, RejectedValuesStayInTheBox)
{
    Open();
    struct Row {
        const char* ai;
        QString value;
        const char* message;
    };
    for (const Row& r : {Row{"01", QStringLiteral("123"), "Wrong length!"},
                         Row{"01", QStringLiteral("1234567890123A"), "The value should be integer."},
                         Row{"00", QStringLiteral("000000000000000001"), "The value introduced is not allowed"},
                         // no Windows-1252 form: refused, never sent on as "?"
                         Row{"10", QStringLiteral("A\u03A9B"), "The value introduced is not allowed"},
                         // in Windows-1252 (0x80), but beyond what the EAN 128 encoder carries as data
                         Row{"10", QStringLiteral("A\u20ACB"), "The value introduced is not allowed"},
                         Row{"310", QStringLiteral("1x"), "The value must be an integer or a float."}}) {
        SCOPED_TRACE(r.value.toStdString());
        messages.clear();
        Add(r.ai, r.value);
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].text, QString::fromUtf8(r.message));
        EXPECT_EQ(Child<QLineEdit>("txtValore")->text(), r.value);
        EXPECT_EQ(Child<QListWidget>("lstCodice")->count(), 0);
    }
}

TEST_F(Wizard, CompletesAndEscapesValues)
{
    Open();
    // 17 digits of an SSCC: the check digit 0 is appended (hand calculation: total 0).
    Add("00", QStringLiteral("00000000000000000"));
    // A backslash reaches the code box escaped, so the encoder reads it back as itself.
    Add("21", QStringLiteral("A\\B"));
    EXPECT_TRUE(messages.empty());
    auto* rows = Child<QListWidget>("lstCodice");
    ASSERT_EQ(rows->count(), 2);
    EXPECT_EQ(rows->item(0)->text(), QStringLiteral("000000000000000000"));
    EXPECT_EQ(rows->item(0)->data(Qt::UserRole).toInt(), AiIndex("00"));
    EXPECT_EQ(rows->item(1)->text(), QStringLiteral("A\\B"));
    rows->setCurrentRow(1);
    EXPECT_EQ(Child<QLabel>("labAI")->text(), QStringLiteral("AI: 21"));
    Click("cmdOk");
    EXPECT_EQ(code->text(), QStringLiteral("0000000000000000000021A\\\\B"));
    EXPECT_EQ(window->wizardHrc, QStringLiteral("(00)000000000000000000(21)A\\B"));
}

TEST_F(Wizard, RemoveLastTakesTheRowBack)
{
    Open();
    Add("01", QStringLiteral("09501101530003"));
    Add("10", QStringLiteral("ABC"));
    Select("30");
    Click("cmdDown");
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(Child<QListWidget>("lstAI")->currentRow(), AiIndex("10"));
    EXPECT_EQ(Child<QLineEdit>("txtValore")->text(), QStringLiteral("ABC"));
    EXPECT_EQ(Child<QLineEdit>("txtValore")->maxLength(), 20);
    EXPECT_EQ(Child<QLabel>("labDescrizione")->text(), QStringLiteral("Alfanumerico variabile, massimo 20 caratteri"));
    ASSERT_EQ(Child<QListWidget>("lstCodice")->count(), 1);
    EXPECT_EQ(Child<QListWidget>("lstCodice")->currentRow(), 0);
    EXPECT_EQ(Child<QLabel>("labAI")->text(), QStringLiteral("AI: 01"));
}

TEST_F(Wizard, AnEditedCodeGetsItsOwnLine)
{
    struct Row {
        const char* note;
        std::function<void(QLineEdit&)> edit; // then Enter
        QString line;                         // the human-readable line drawn
    };
    const Row rows[] = {
        {"a new code typed",
         [](QLineEdit& box) {
             box.clear();
             QTest::keyClicks(&box, QStringLiteral("21SERIAL99"));
         },
         QStringLiteral("21SERIAL99")},
        {"one character taken away",
         [](QLineEdit& box) {
             box.end(false);
             QTest::keyClick(&box, Qt::Key_Backspace);
         },
         QStringLiteral("10BATCH")},
        {"a code pasted over it",
         [](QLineEdit& box) {
             QGuiApplication::clipboard()->setText(QStringLiteral("21SERIAL99"));
             box.selectAll();
             QTest::keyClick(&box, Qt::Key_V, Qt::ControlModifier);
         },
         QStringLiteral("21SERIAL99")},
        {"no edit: the wizard's line stays with its code", [](QLineEdit&) {}, QStringLiteral("(10)BATCH7")},
    };
    ChooseEan128();
    window->findChild<QCheckBox*>(QStringLiteral("chkHRC"))->setChecked(true);
    auto* clipboardButton = window->findChild<QPushButton*>(QStringLiteral("cmdClipboard"));
    ASSERT_TRUE(clipboardButton);
    for (const Row& r : rows) {
        SCOPED_TRACE(r.note);
        Open();
        Add("10", QStringLiteral("BATCH7"));
        Click("cmdOk");
        ASSERT_EQ(preview->toPlainText().section(QChar('\n'), 1), QStringLiteral("(10)BATCH7"));
        r.edit(*code);
        QTest::keyClick(code, Qt::Key_Return);
        ASSERT_TRUE(mainErrors.empty());
        const std::string bars = Encode(ToCp1252(code->text()), "E128", true, Deliverable::Assistant);
        ASSERT_FALSE(bars.empty());
        EXPECT_EQ(preview->toPlainText(), FromCp1252(bars) + '\n' + r.line);
        QGuiApplication::clipboard()->clear();
        QTest::mouseClick(clipboardButton, Qt::LeftButton);
        const QMimeData* copied = QGuiApplication::clipboard()->mimeData();
        ASSERT_TRUE(copied);
        EXPECT_EQ(copied->text(), preview->toPlainText());
        const QByteArray rtf = copied->data(QStringLiteral("text/rtf"));
        EXPECT_TRUE(rtf.contains(" " + r.line.toLatin1() + "}")) << rtf.toStdString();
        EXPECT_EQ(rtf.contains("(10)BATCH7"), r.line == QStringLiteral("(10)BATCH7")) << rtf.toStdString();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

TEST_F(Wizard, OpensWithNoAiSelected)
{
    Open();
    dialog->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog));
    auto* list = Child<QListWidget>("lstAI");
    for (const Qt::FocusReason reason : {Qt::TabFocusReason, Qt::ActiveWindowFocusReason, Qt::OtherFocusReason}) {
        SCOPED_TRACE(reason);
        Child<QPushButton>("cmdOk")->setFocus(reason);
        list->setFocus(reason);
        ASSERT_EQ(QApplication::focusWidget(), list);
        EXPECT_EQ(list->currentRow(), -1);
        EXPECT_FALSE(Child<QLineEdit>("txtValore")->isEnabled());
        EXPECT_FALSE(Child<QPushButton>("cmdUp")->isEnabled());
        EXPECT_TRUE(Child<QLabel>("labDescrizione")->text().isEmpty());
    }
    QTest::keyClick(list, Qt::Key_Down); // the keyboard then picks the first AI
    EXPECT_EQ(list->currentRow(), 0);
    EXPECT_TRUE(Child<QLineEdit>("txtValore")->isEnabled());
}

TEST_F(Wizard, CancelLeavesTheMainWindowAlone)
{
    ChooseEan128();
    code->setText(QStringLiteral("10XYZ"));
    int enter = 13;
    window->txtCodice_KeyPress(enter);
    const QString shown = preview->toPlainText();
    Open();
    Add("10", QStringLiteral("ABC"));
    Click("cmdAnnulla");
    EXPECT_FALSE(dialog && dialog->isVisible());
    EXPECT_EQ(code->text(), QStringLiteral("10XYZ"));
    EXPECT_TRUE(window->wizardHrc.isEmpty());
    EXPECT_EQ(preview->toPlainText(), shown);
}

TEST_F(Wizard, ItalianAfterALanguageSwitch)
{
    window->findChild<QAction*>(QStringLiteral("mnuLinguaItaliano"))->trigger();
    Open();
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral(" Wizard EAN 128"));
    EXPECT_EQ(Child<QLabel>("labListaAI")->text(), QStringLiteral("&Lista AI:"));
    EXPECT_EQ(Child<QLabel>("labCodice")->text(), QStringLiteral("Codice:"));
    EXPECT_EQ(Child<QLabel>("labValore")->text(), QStringLiteral("&Valore:"));
    EXPECT_EQ(Child<QPushButton>("cmdAnnulla")->text(), QStringLiteral("&Annulla"));
    EXPECT_EQ(Child<QPushButton>("cmdUp")->toolTip(),
              QStringLiteral("Aggiunge nel codice un AI con il valore indicato"));
    EXPECT_EQ(Child<QListWidget>("lstAI")->item(0)->text(), QStringLiteral("00   Numero sequenziale del collo (SSCC)"));
    Select("01");
    EXPECT_EQ(Child<QLabel>("labDescrizione")->text(), QStringLiteral("Numerico intero lunghezza 14"));
    Click("cmdOk");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, QString::fromUtf8("Il codice è vuoto!"));
    EXPECT_EQ(messages[0].title, QStringLiteral("Errore"));
    // Italian takes "," as the decimal point.
    Add("310", QStringLiteral("12,5"));
    EXPECT_EQ(messages.size(), 1u);
    Click("cmdOk");
    EXPECT_EQ(code->text(), QStringLiteral("3101000125"));
}

} // namespace
} // namespace lum::assistant
