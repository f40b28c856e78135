// The preview, the description line, the HRC font dialog and the clipboard,
// driven through the main window's controls offscreen.
#include <QClipboard>
#include <QFontDialog>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QTextDocument>

#include "assistant/cp1252.h"
#include "assistant/preview_widget.h"
#include "assistant/settings.h"
#include "mainwindow.h"

namespace lum::assistant {
namespace {

// What a stretch of the preview is set in, read from the QTextDocument.
struct Shape {
    QString family;
    double size = 0;
    bool bold = false, italic = false, underline = false, strikethrough = false;
};

Shape ShapeOf(const QTextCharFormat& f)
{
    const QStringList families = f.fontFamilies().toStringList();
    return {families.value(0), f.fontPointSize(), f.fontWeight() >= QFont::Bold,
            f.fontItalic(),    f.fontUnderline(), f.fontStrikeOut()};
}

class Preview : public MainWindow {
protected:
    // The paragraphs of the preview: text and the font of each fragment.
    struct Paragraph {
        QString text;
        std::vector<Shape> shapes;
    };
    std::vector<Paragraph> Paragraphs() const
    {
        std::vector<Paragraph> out;
        for (QTextBlock b = preview->document()->begin(); b.isValid(); b = b.next()) {
            Paragraph p{b.text(), {}};
            for (auto it = b.begin(); !it.atEnd(); ++it)
                p.shapes.push_back(ShapeOf(it.fragment().charFormat()));
            out.push_back(p);
        }
        return out;
    }

    QString Caption() { return Child<QLabel>("labAttributi")->text(); }
    QString FontLabel() { return Child<QLabel>("labFont")->text(); }

    void PickFont(const QFont& font)
    {
        fontAnswer = font;
        Action("mnuFont")->trigger();
        fontAnswer.reset();
    }
};

TEST_F(Preview, BarsAndHumanReadableLineInTheirFonts)
{
    Choose(400);
    hrc->setChecked(true);
    Type(QStringLiteral("AB_1"));
    ASSERT_TRUE(errors.empty());
    const auto paragraphs = Paragraphs();
    ASSERT_EQ(paragraphs.size(), 2u);
    EXPECT_EQ(paragraphs[0].text, FromCp1252(Encode("AB_1", "C39", false, kWho)));
    ASSERT_EQ(paragraphs[0].shapes.size(), 1u);
    EXPECT_EQ(paragraphs[0].shapes[0].family, QStringLiteral("VOR39"));
    EXPECT_EQ(paragraphs[0].shapes[0].size, 100.0);
    EXPECT_EQ(paragraphs[1].text, QStringLiteral("*AB 1*")); // asterisks, blank for the space symbol
    ASSERT_EQ(paragraphs[1].shapes.size(), 1u);
    const Shape& line = paragraphs[1].shapes[0];
    EXPECT_EQ(line.family, QStringLiteral("Courier")); // the first-run HRC font
    EXPECT_EQ(line.size, 10.0);
    EXPECT_FALSE(line.bold || line.italic || line.underline || line.strikethrough);

    // A new HRC font shows at the next generation, not at once.
    QFont chosen(QStringLiteral("DejaVu Sans"));
    chosen.setPointSizeF(14);
    chosen.setBold(true);
    chosen.setItalic(true);
    chosen.setUnderline(true);
    chosen.setStrikeOut(true);
    PickFont(chosen);
    EXPECT_EQ(Paragraphs()[1].shapes[0].family, QStringLiteral("Courier"));
    size->setText(QStringLiteral("48"));
    QTest::keyClick(size, Qt::Key_Return);
    const Shape after = Paragraphs()[1].shapes[0];
    EXPECT_EQ(after.family, QStringLiteral("DejaVu Sans"));
    EXPECT_EQ(after.size, 14.0);
    EXPECT_TRUE(after.bold && after.italic && after.underline && after.strikethrough);
    EXPECT_EQ(Paragraphs()[0].shapes[0].size, 48.0); // the bars follow the size box
}

TEST_F(Preview, NoSecondParagraphWithoutTheHrcLine)
{
    Choose(400);
    hrc->setChecked(false);
    Type(QStringLiteral("AB"));
    EXPECT_EQ(preview->document()->blockCount(), 1);
    EXPECT_FALSE(Shown().endsWith(QChar('\n')));
    hrc->setChecked(true); // refresh adds the line
    EXPECT_EQ(preview->document()->blockCount(), 2);
    hrc->setChecked(false); // and takes it away again, break included
    EXPECT_EQ(preview->document()->blockCount(), 1);
    EXPECT_EQ(Shown(), FromCp1252(Encode("AB", "C39", false, kWho)));
}

TEST_F(Preview, Ean13HasNoSecondLine)
{
    Choose(415); // EAN 13 forces the box on but has no line of the program's own
    ASSERT_TRUE(hrc->isChecked());
    Type(QStringLiteral("5901234123457"));
    const std::string ean = Encode("5901234123457", "EAN13", false, kWho);
    if (ean.empty())
        GTEST_SKIP() << "no EAN-13 encoder in this tree";
    EXPECT_EQ(Shown(), FromCp1252(ean));
    EXPECT_EQ(preview->document()->blockCount(), 1);
}

TEST_F(Preview, HumanReadableLinePerSymbology)
{
    struct Row {
        int nameId;
        const char* code;
        bool digit, inHrc;
        const char* line;
        const char* note;
    };
    const Row rows[] = {
        {411, "a123b", false, false, "a123b", "Codabar: validated upper case, line lower case"},
        {402, "AB", true, true, "*ABV-*", "Code 93: C = 11+2*10 = 31 (V), K = 31+2*11+3*10 = 83 mod 47 = 36 (-), hand"},
        {402, "AB", true, false, "AB", "Code 93 without the check in the line: bare"},
        {402, "AB", false, true, "AB", "Code 93 without the check digit: bare"},
        {400, "AB_1", true, true, "*AB 1H*", "Code 39 mod 43: 10+11+38+1 = 60, 17 = H, hand"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.note);
        Choose(r.nameId);
        hrc->setChecked(true);
        digit->setChecked(r.digit);
        QAction* inHrc = Action("mnuIncludiCheckDigit");
        if (inHrc->isChecked() != r.inHrc)
            inHrc->trigger();
        Type(QString::fromLatin1(r.code));
        ASSERT_TRUE(errors.empty());
        const auto paragraphs = Paragraphs();
        ASSERT_EQ(paragraphs.size(), 2u);
        EXPECT_EQ(paragraphs[1].text, QString::fromLatin1(r.line));
    }
    Choose(411);
    digit->setChecked(false);
    Type(QStringLiteral("a123b"));
    std::string upper = "A123B";
    ASSERT_TRUE(Validate(upper, "CBAR", false));
    EXPECT_EQ(Paragraphs()[0].text, FromCp1252(Encode(upper, "CBAR", false, kWho))); // bars upper case
}

TEST_F(Preview, EightBitCharactersThroughWindows1252)
{
    hrc->setChecked(true);
    window->AggiornaAnteprima("\x80\x87\x8A\x9F\xE8 A", "VOR128", "\x93x\x94\x81");
    // Unicode values from the Windows-1252 code page chart; 0x81 is undefined
    // there and stays the C1 control of the same value.
    const auto paragraphs = Paragraphs();
    ASSERT_EQ(paragraphs.size(), 2u);
    EXPECT_EQ(paragraphs[0].text, QString::fromUtf16(u"\u20AC\u2021\u0160\u0178\u00E8 A"));
    EXPECT_EQ(paragraphs[1].text, QString::fromUtf16(u"\u201Cx\u201D\u0081"));
    EXPECT_EQ(paragraphs[0].shapes[0].family, QStringLiteral("VOR128"));

    Child<QPushButton>("cmdClipboard")->click();
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    const QByteArray rtf = data->data(QStringLiteral("text/rtf"));
    EXPECT_TRUE(rtf.contains("\\'80\\'87\\'8a\\'9f\\'e8 A")) << rtf.toStdString(); // the same bytes again
    EXPECT_TRUE(rtf.contains("\\'93x\\'94\\'81")) << rtf.toStdString();
}

TEST_F(Preview, Code128StartAndStopReachTheFontThroughWindows1252)
{
    Choose(424);
    hrc->setChecked(true);
    Type(QStringLiteral("Ab1"));
    const std::string bars = Encode("Ab1", "C128", true, kWho);
    if (bars.empty())
        GTEST_SKIP() << "no Code 128 encoder in this tree";
    ASSERT_TRUE(errors.empty());
    const auto paragraphs = Paragraphs();
    ASSERT_EQ(paragraphs.size(), 2u);
    const QString shown = paragraphs[0].text;
    ASSERT_EQ(shown.size(), qsizetype(bars.size()));
    int high = 0;
    for (std::size_t i = 0; i < bars.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bars[i]);
        if (byte < 0x80)
            continue;
        ++high;
        // The fonts' 8-bit characters are at their Windows-1252 code points,
        // never at the C1 controls of the same value.
        EXPECT_FALSE(shown.at(qsizetype(i)).unicode() >= 0x80 && shown.at(qsizetype(i)).unicode() <= 0x9F) << i;
        EXPECT_EQ(ToCp1252(QString(shown.at(qsizetype(i)))), std::string(1, bars[i])) << i;
    }
    EXPECT_GE(high, 1); // the start character at least (codes 130 and above)
    EXPECT_EQ(paragraphs[0].shapes[0].family, QStringLiteral("VOR128"));
    EXPECT_EQ(paragraphs[1].text, QStringLiteral("Ab1")); // the validated code
}

TEST_F(Preview, DescriptionLineInBothLanguages)
{
    struct Row {
        int nameId;
        bool italian, digit;
        const char* caption; // as the description table writes it
    };
    const Row rows[] = {
        {400, false, false, "Length: variable, alphabet 0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-._$/+%"},
        {432, false, true, "Length: 13 digits"},
        {432, false, false, "Length: 14 digits"},
        {417, false, true, "Length: 17 digits"},
        {411, false, false, "Length: variable, a/b/c/d + alphabet: 0123456789+.-$:/ + e/m/t/*"},
        {409, false, false, "Length: variable, max 15 digits"},
        {424, true, false, "Lunghezza: variabile, alfabeto ASCII"},
        {422, true, false, "Lunghezza: 0/1 + 9 cifre"},
        {429, true, true, "Lunghezza: variabile, max 15 caratteri, alfabeto 0123456789KLMO"},
        {428, true, false, "Lunghezza: variabile, max 15 caratteri, alfabeto 0123456789ABCDEF"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.caption);
        if ((window->Offset() == kItalian) != r.italian)
            Action(r.italian ? "mnuLinguaItaliano" : "mnuLinguaEnglish")->trigger();
        Choose(r.nameId);
        digit->setChecked(r.digit); // reruns the description (a forced box stays checked)
        EXPECT_EQ(Caption(), QString::fromUtf8(r.caption));
    }
    Action("mnuLinguaEnglish")->trigger(); // the symbology stays selected, described in the new language
    EXPECT_EQ(Caption(), QStringLiteral("Length: variable, max 15 characters, alphabet 0123456789ABCDEF"));
}

TEST_F(Preview, DescriptionFollowsTheCheckBoxAndTheMenu)
{
    Choose(432);
    digit->setChecked(true);
    EXPECT_EQ(Caption(), QStringLiteral("Length: 13 digits"));
    digit->setChecked(false);
    EXPECT_EQ(Caption(), QStringLiteral("Length: 14 digits"));
    Child<QLabel>("labAttributi")->setText(QString());
    Action("mnuIncludiCheckDigit")->trigger(); // the menu reruns it as well
    EXPECT_EQ(Caption(), QStringLiteral("Length: 14 digits"));
}

TEST_F(Preview, ForcedOptionBoxes)
{
    digit->setChecked(false);
    hrc->setChecked(false);
    Choose(415); // EAN 13: HRC forced
    EXPECT_TRUE(hrc->isChecked());
    EXPECT_FALSE(hrc->isEnabled());
    EXPECT_FALSE(digit->isChecked());
    EXPECT_TRUE(digit->isEnabled());
    Choose(424); // Code 128: check digit forced, HRC free again (and still checked)
    EXPECT_TRUE(digit->isChecked());
    EXPECT_FALSE(digit->isEnabled());
    EXPECT_TRUE(hrc->isChecked());
    EXPECT_TRUE(hrc->isEnabled());
    Choose(400); // both free, both still checked, and so stored
    EXPECT_TRUE(digit->isEnabled() && digit->isChecked());
    EXPECT_TRUE(hrc->isEnabled() && hrc->isChecked());
    const QByteArray bytes = SettingsBytes();
    ASSERT_EQ(bytes.size(), 240);
    EXPECT_EQ(bytes.mid(168, 2), QByteArray("\x01\x00", 2));
    EXPECT_EQ(bytes.mid(170, 2), QByteArray("\x01\x00", 2));
}

TEST_F(Preview, FontDialogCancelChangesNothing)
{
    Action("mnuFont")->trigger();
    ASSERT_EQ(fontAsked.size(), 1u);
    // Preset from the settings: the face that draws "Courier".
    EXPECT_EQ(fontAsked[0].family(), QFontInfo(QFont(QStringLiteral("Courier"))).family());
    EXPECT_EQ(fontAsked[0].pointSize(), 10);
    EXPECT_FALSE(fontAsked[0].bold());
    EXPECT_EQ(FontLabel(), QStringLiteral("Courier (10 punti)"));
    EXPECT_TRUE(SettingsBytes().isEmpty()); // nothing saved
}

TEST_F(Preview, FontDialogPickIsShownAndSaved)
{
    QFont chosen(QStringLiteral("DejaVu Sans"));
    chosen.setPointSizeF(12.5); // halves to the even neighbour: 12
    chosen.setBold(true);
    chosen.setUnderline(true);
    PickFont(chosen);
    EXPECT_EQ(FontLabel(), QStringLiteral("DejaVu Sans (BU; 12 punti)"));
    const QByteArray bytes = SettingsBytes();
    ASSERT_EQ(bytes.size(), 240);
    EXPECT_EQ(bytes.mid(0, 128), QByteArray("DejaVu Sans").leftJustified(128, ' '));
    EXPECT_EQ(bytes.mid(128, 8), QByteArray("\xFF\xFF\x00\x00\x00\x00\xFF\xFF", 8)); // bold, italic, strike, underline
    EXPECT_EQ(bytes.mid(136, 2), QByteArray("\x0C\x00", 2));

    PickFont(chosen); // the dialog opens on the stored font
    ASSERT_EQ(fontAsked.size(), 2u);
    EXPECT_EQ(fontAsked[1].family(), QStringLiteral("DejaVu Sans"));
    EXPECT_EQ(fontAsked[1].pointSize(), 12);
    EXPECT_TRUE(fontAsked[1].bold() && fontAsked[1].underline() && !fontAsked[1].italic());

    window.reset();
    Start();
    EXPECT_EQ(FontLabel(), QStringLiteral("DejaVu Sans (BU; 12 punti)"));
}

TEST_F(Preview, DefaultHrcFaceAndTheFontDialogAgree)
{
    // The default face is drawn by a metric-compatible stand-in when Courier
    // itself is not installed: fixed pitch, 600 units to the em.
    const QString drawn = QFontInfo(QFont(QStringLiteral("Courier"))).family();
    QFont probe(QStringLiteral("Courier"));
    probe.setPixelSize(1000);
    EXPECT_TRUE(QFontInfo(probe).fixedPitch()) << drawn.toStdString();
    EXPECT_NEAR(QFontMetricsF(probe).horizontalAdvance(QChar('M')), 600.0, 6.0) << drawn.toStdString();
    // Qt's font dialog shows that face when it is opened on it (it has no entry named Courier).
    const QFontDialog dialog(QFont(drawn, 10));
    EXPECT_EQ(dialog.currentFont().family(), drawn);

    struct Row {
        const char* note;
        const char* family; // what the dialog answers; nullptr: the face it was opened on
        int points;
        const char* stored; // the face name then kept
    };
    const Row rows[] = {
        {"OK without a change keeps the stored name", nullptr, 10, "Courier"},
        {"another size alone keeps it too", nullptr, 14, "Courier"},
        {"another face is stored", "DejaVu Sans", 12, "DejaVu Sans"},
    };
    Choose(400);
    hrc->setChecked(true);
    for (const Row& r : rows) {
        SCOPED_TRACE(r.note);
        fontAsked.clear();
        QFont answer(r.family ? QString::fromLatin1(r.family) : drawn);
        answer.setPointSize(r.points);
        PickFont(answer);
        ASSERT_EQ(fontAsked.size(), 1u);
        EXPECT_EQ(fontAsked[0].family(), drawn); // opened on the face that draws "Courier"
        EXPECT_EQ(TrimBlanks(window->Config().faceName), r.stored);
        EXPECT_EQ(SettingsBytes().mid(0, 128).trimmed(), QByteArray(r.stored));
        EXPECT_EQ(FontLabel(), QStringLiteral("%1 (%2 punti)").arg(QString::fromLatin1(r.stored)).arg(r.points));
        Type(QStringLiteral("AB")); // the preview and the clipboard take the stored name
        EXPECT_EQ(Paragraphs().at(1).shapes.at(0).family, QString::fromLatin1(r.stored));
        const Copied copied = Copy();
        EXPECT_EQ(copied.text, Shown());
        EXPECT_TRUE(copied.rtf.contains(" " + QByteArray(r.stored) + ";")) << copied.rtf.toStdString();
        EXPECT_TRUE(copied.rtf.contains("\\fs" + QByteArray::number(2 * r.points) + " *AB*}"))
            << copied.rtf.toStdString();
    }
}

TEST_F(Preview, FontDialogOpensOnTheStoredStyle)
{
    struct Row {
        const char* face;
        bool bold, italic, italian;
    };
    // Qt's dialog chooses its style entry by name: a regular face must not
    // open as the family's first style ("Bold Italic", "Oblique").
    const Row rows[] = {{"Courier", false, false, false},   {"Courier", false, false, true},
                        {"Courier", true, false, true},     {"DejaVu Sans", false, false, false},
                        {"DejaVu Sans", false, true, true}, {"DejaVu Sans", true, true, false}};
    for (const Row& r : rows) {
        SCOPED_TRACE(std::string(r.face) + (r.bold ? " bold" : "") + (r.italic ? " italic" : "") +
                     (r.italian ? " in Italian" : ""));
        Action(r.italian ? "mnuLinguaItaliano" : "mnuLinguaEnglish")->trigger();
        QFont stored(QString::fromLatin1(r.face), 11);
        stored.setBold(r.bold);
        stored.setItalic(r.italic);
        PickFont(stored);
        Action("mnuFont")->trigger(); // cancelled: only the preset is of interest
        ASSERT_FALSE(fontAsked.empty());
        const QFontDialog dialog(fontAsked.back());
        const QFont shown = dialog.currentFont();
        EXPECT_EQ(shown.family(), QFontInfo(QFont(QString::fromLatin1(r.face))).family());
        EXPECT_EQ(shown.bold(), r.bold);
        EXPECT_EQ(shown.italic(), r.italic);
        EXPECT_EQ(shown.pointSize(), 11);
    }
}

TEST_F(Preview, FontDialogSizesRoundHalvesToEven)
{
    struct Row {
        double points;
        const char* label;
    };
    const Row rows[] = {{10.5, "Courier (I; 10 punti)"}, {11.5, "Courier (I; 12 punti)"},
                        {13.5, "Courier (I; 14 punti)"}, {9.4, "Courier (I; 9 punti)"},
                        {9.6, "Courier (I; 10 punti)"},  {72, "Courier (I; 72 punti)"}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.points);
        QFont chosen(QStringLiteral("Courier"));
        chosen.setPointSizeF(r.points);
        chosen.setItalic(true);
        PickFont(chosen);
        EXPECT_EQ(FontLabel(), QString::fromLatin1(r.label));
    }
    QFont strike(QStringLiteral("Courier"));
    strike.setPointSize(8);
    strike.setStrikeOut(true);
    strike.setUnderline(true);
    PickFont(strike);
    EXPECT_EQ(FontLabel(), QStringLiteral("Courier (US; 8 punti)")); // U before S
}

TEST_F(Preview, ClipboardCarriesRtfHtmlAndText)
{
    Choose(400);
    hrc->setChecked(true);
    Type(QStringLiteral("AB"));
    const std::string bars = Encode("AB", "C39", false, kWho);
    ASSERT_FALSE(bars.empty());
    QGuiApplication::clipboard()->setText(QStringLiteral("old"));
    Child<QPushButton>("cmdClipboard")->click();

    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    const QByteArray rtf = data->data(QStringLiteral("text/rtf"));
    EXPECT_TRUE(rtf.startsWith("{\\rtf1"));
    EXPECT_TRUE(rtf.contains("\\ansicpg1252"));
    EXPECT_TRUE(rtf.contains(" VOR39;")) << rtf.toStdString();   // font table
    EXPECT_TRUE(rtf.contains(" Courier;")) << rtf.toStdString(); // the HRC font
    EXPECT_TRUE(rtf.contains("\\fs200 ")) << rtf.toStdString();  // 100 points in half-points
    EXPECT_TRUE(rtf.contains("\\fs20 *AB*}")) << rtf.toStdString();
    for (const char* type : {"application/rtf", "text/richtext"})
        EXPECT_EQ(data->data(QLatin1String(type)), rtf) << type;
    ASSERT_TRUE(data->hasHtml());
    EXPECT_TRUE(data->html().contains(QStringLiteral("font-family:'VOR39'")));
    EXPECT_TRUE(data->html().contains(QStringLiteral("font-size:100pt")));
    ASSERT_TRUE(data->hasText());
    EXPECT_EQ(data->text(), FromCp1252(bars) + QStringLiteral("\n*AB*"));
    // The whole preview stays selected.
    EXPECT_EQ(preview->textCursor().selectedText().size(), preview->document()->characterCount() - 1);
}

TEST_F(Preview, ClipboardOfAnEmptyPreview)
{
    Child<QPushButton>("cmdClipboard")->click();
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    EXPECT_TRUE(data->data(QStringLiteral("text/rtf")).startsWith("{\\rtf1"));
    EXPECT_TRUE(data->text().isEmpty());
}

bool operator==(const preview::TextRun& a, const preview::TextRun& b)
{
    return a.family == b.family && a.size == b.size && a.bold == b.bold && a.italic == b.italic &&
           a.underline == b.underline && a.strikethrough == b.strikethrough && a.text == b.text;
}

// The runs written into a QTextDocument and read back from it come out the
// same; the line break belongs to the run it ends.
TEST(PreviewDocument, RunsSurviveTheWidget)
{
    using preview::TextRun;
    const TextRun bars{"VOR39 Narrow", 100, false, false, false, false, "#AB#\r\n"};
    const TextRun line{"DejaVu Sans", 12, true, true, true, true, "*AB* \x80\xE8"};
    struct Row {
        const char* note;
        std::vector<TextRun> runs;
        int paragraphs;
    };
    const std::vector<Row> rows = {
        {"bars and HRC line", {bars, line}, 2},
        {"bars alone", {{"VOR39", 36.5, false, false, false, false, "#AB#"}}, 1},
        {"empty font string, then the line", {{"VOR39", 100, false, false, false, false, "\r\n"}, line}, 2},
        {"the engine's two-line form", {{"VOREAN", 72, false, false, false, false, "ab\r\ncd"}}, 2},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.note);
        QTextDocument document;
        WritePreview(document, {r.runs});
        EXPECT_EQ(document.blockCount(), r.paragraphs);
        const preview::PreviewDocument back = ReadPreview(document);
        ASSERT_EQ(back.runs.size(), r.runs.size());
        for (std::size_t i = 0; i < r.runs.size(); ++i)
            EXPECT_TRUE(back.runs[i] == r.runs[i]) << i << ": " << back.runs[i].family << " " << back.runs[i].text;
    }
    QTextDocument lone; // a lone CR or LF is a paragraph break as well
    WritePreview(lone, {{{"VOR39", 10, false, false, false, false, "a\rb\nc"}}});
    EXPECT_EQ(lone.blockCount(), 3);
    EXPECT_EQ(ReadPreview(lone).runs.at(0).text, "a\r\nb\r\nc");
}

} // namespace
} // namespace lum::assistant
