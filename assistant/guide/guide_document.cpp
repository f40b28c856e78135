#include "assistant/guide/guide_document.h"

#include <QRegularExpression>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextTable>

#include "assistant/generate.h"
#include "assistant/preview/hrc_text.h"
#include "assistant/stringtable.h"
#include "engine/isbn.h"

namespace lum::guide {
namespace {

const QString kBodyFamily = QStringLiteral("DejaVu Sans");
constexpr double kDeviceDpi = 300; // the resolution the guide is laid out for

QString Latin1(const std::string& bytes) { return QString::fromLatin1(bytes.data(), qsizetype(bytes.size())); }

QString Millimetres(double mm, Language language, int decimals = 1)
{
    QString s = QString::number(mm, 'f', decimals);
    if (language == Language::Italian)
        s.replace(QLatin1Char('.'), QLatin1Char(','));
    return s + QStringLiteral(" mm");
}

QTextTableFormat PlainTable()
{
    QTextTableFormat format;
    format.setBorder(0.5);
    format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
    format.setCellPadding(4);
    format.setCellSpacing(0);
    format.setWidth(QTextLength(QTextLength::PercentageLength, 100));
    return format;
}

void CellText(QTextTable* table, int row, int column, const QString& text, bool bold = false)
{
    QTextCursor c = table->cellAt(row, column).firstCursorPosition();
    QTextCharFormat f;
    f.setFontFamilies({kBodyFamily});
    f.setFontPointSize(9);
    f.setFontWeight(bold ? QFont::Bold : QFont::Normal);
    c.insertText(text, f);
}

} // namespace

GuideDocument::GuideDocument(Language language, std::vector<SymbologyFacts> facts, Screenshot screenshot)
    : language_(language), facts_(std::move(facts)), screenshot_(std::move(screenshot)), cursor_(&document_),
      named_(facts_.size(), false)
{
    QFont body(kBodyFamily);
    body.setPointSize(10);
    document_.setDefaultFont(body);
}

QString GuideDocument::Word(const char* english, const char* italian) const
{
    return QString::fromUtf8(language_ == Language::Italian ? italian : english);
}

QString GuideDocument::ProgramTexts(const QString& line) const
{
    static const QRegularExpression textId(QStringLiteral("\\{\\{(\\d+)\\}\\}"));
    QString out = line;
    for (QRegularExpressionMatchIterator it = textId.globalMatch(line); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        QString text = assistant::LoadText(m.captured(1).toInt(),
                                           language_ == Language::Italian ? assistant::kItalian : assistant::kEnglish);
        text.remove(QLatin1Char('&'));
        while (text.endsWith(QLatin1Char(':')) || text.endsWith(QLatin1Char('.')))
            text.chop(1);
        out.replace(m.captured(0), text.trimmed());
    }
    const std::string_view edition = IsbnRangeDataEdition().date;
    out.replace(QStringLiteral("{{isbn-ranges}}"), QString::fromLatin1(edition.data(), qsizetype(edition.size())));
    return out;
}

bool GuideDocument::Build(const QStringList& lines, QString* error)
{
    // The contents are laid out before the chapters exist: collect the
    // headings from the sources first.
    for (const QString& line : lines) {
        if (line.startsWith(QStringLiteral("@chapter ")))
            headings_.push_back({1, line.mid(9).trimmed(), -1});
        else if (line.startsWith(QStringLiteral("## ")))
            headings_.push_back({2, line.mid(3).trimmed(), -1});
    }
    for (const QString& line : lines) {
        if (line.startsWith(QLatin1Char('@'))) {
            FlushMarkdown();
            if (!Directive(line, error))
                return false;
        } else {
            markdown_ += ProgramTexts(line) + QLatin1Char('\n');
        }
    }
    FlushMarkdown();

    QStringList missing;
    for (std::size_t i = 0; i < facts_.size(); ++i)
        if (!named_[i])
            missing << facts_[i].key;
    if (!missing.isEmpty()) {
        *error = QStringLiteral("no @facts line names ") + missing.join(QStringLiteral(", "));
        return false;
    }

    // Tie the collected headings to their blocks.
    std::size_t next = 0;
    for (QTextBlock b = document_.begin(); b.isValid() && next < headings_.size(); b = b.next())
        if (b.blockFormat().headingLevel() > 0 && b.text().trimmed() == headings_[next].text)
            headings_[next++].blockNumber = b.blockNumber();
    if (next != headings_.size()) {
        *error = QStringLiteral("heading not found in the document: ") + headings_[next].text;
        return false;
    }
    return true;
}

bool GuideDocument::Directive(const QString& line, QString* error)
{
    QStringList args = line.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
    const QString name = args.takeFirst();
    const QString rest = line.mid(name.size()).trimmed();
    if (name == QStringLiteral("@title"))
        Title(rest);
    else if (name == QStringLiteral("@toc"))
        Toc();
    else if (name == QStringLiteral("@chapter"))
        Chapter(rest);
    else if (name == QStringLiteral("@overview"))
        Overview();
    else if (name == QStringLiteral("@facts"))
        return Facts(args, error);
    else if (name == QStringLiteral("@example"))
        return Example(args, error);
    else if (name == QStringLiteral("@screenshot")) {
        const QImage image = screenshot_ ? screenshot_(rest) : QImage();
        if (image.isNull()) {
            *error = QStringLiteral("no screenshot ") + rest;
            return false;
        }
        Picture(image);
    } else if (name == QStringLiteral("@newpage"))
        PageBreak();
    else {
        *error = QStringLiteral("unknown directive ") + name;
        return false;
    }
    return true;
}

void GuideDocument::FlushMarkdown()
{
    if (markdown_.trimmed().isEmpty()) {
        markdown_.clear();
        return;
    }
    // The first Markdown block merges into the current (empty) block and
    // would take its format: start with an empty line so a heading keeps its own.
    if (markdown_.startsWith(QLatin1Char('#')))
        markdown_.prepend(QLatin1Char('\n'));
    const int first = cursor_.block().blockNumber();
    cursor_.insertMarkdown(markdown_);
    markdown_.clear();
    if (breakBefore_) {
        QTextCursor c(document_.findBlockByNumber(first));
        QTextBlockFormat f = c.blockFormat();
        f.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
        c.setBlockFormat(f);
        breakBefore_ = false;
    }
    cursor_.movePosition(QTextCursor::End);
    cursor_.insertBlock(QTextBlockFormat(), QTextCharFormat());
}

void GuideDocument::PageBreak() { breakBefore_ = true; }

void GuideDocument::BoldLine(const QString& text, const QTextBlockFormat& block, double points)
{
    QTextCharFormat chars;
    chars.setFontFamilies({kBodyFamily});
    chars.setFontPointSize(points);
    chars.setFontWeight(QFont::Bold);
    cursor_.setBlockFormat(block);
    cursor_.insertText(text, chars);
    cursor_.insertBlock(QTextBlockFormat(), QTextCharFormat());
}

void GuideDocument::Title(const QString& text)
{
    QTextBlockFormat block;
    block.setAlignment(Qt::AlignCenter);
    block.setTopMargin(200);
    BoldLine(text, block, 28);
}

void GuideDocument::Chapter(const QString& text)
{
    QTextBlockFormat block;
    block.setHeadingLevel(1);
    block.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    block.setBottomMargin(12);
    BoldLine(text, block, 20);
}

void GuideDocument::Toc()
{
    PageBreak();
    markdown_ = QStringLiteral("**") + Word("Contents", "Indice") + QStringLiteral("**\n");
    FlushMarkdown();
    if (headings_.empty())
        return;
    QTextTableFormat format = PlainTable();
    format.setBorder(0);
    format.setColumnWidthConstraints(
        {QTextLength(QTextLength::PercentageLength, 88), QTextLength(QTextLength::PercentageLength, 12)});
    QTextTable* table = cursor_.insertTable(int(headings_.size()), 2, format);
    tocTable_ = table->cellAt(0, 0).firstCursorPosition().block().blockNumber();
    for (std::size_t i = 0; i < headings_.size(); ++i) {
        const Heading& h = headings_[i];
        CellText(table, int(i), 0, (h.level > 1 ? QStringLiteral("      ") : QString()) + h.text, h.level == 1);
        CellText(table, int(i), 1, QStringLiteral("--"));
    }
    cursor_.movePosition(QTextCursor::End);
}

void GuideDocument::SetTocPages(const std::vector<int>& pages)
{
    if (tocTable_ < 0)
        return;
    QTextCursor at(document_.findBlockByNumber(tocTable_));
    QTextTable* table = at.currentTable();
    if (!table)
        return;
    for (std::size_t i = 0; i < pages.size() && int(i) < table->rows(); ++i) {
        QTextCursor c = table->cellAt(int(i), 1).firstCursorPosition();
        c.setPosition(table->cellAt(int(i), 1).lastCursorPosition().position(), QTextCursor::KeepAnchor);
        QTextCharFormat f = c.charFormat();
        c.insertText(QString::number(pages[i]), f);
    }
}

void GuideDocument::Overview()
{
    QTextTable* table = cursor_.insertTable(int(facts_.size()) + 1, 3, PlainTable());
    CellText(table, 0, 0, Word("Symbology", "Simbologia"), true);
    CellText(table, 0, 1,
             Word("What to type (Check digit ticked / clear)", "Cosa digitare (Check digit spuntato / no)"), true);
    CellText(table, 0, 2, Word("Font", "Font"), true);
    for (std::size_t i = 0; i < facts_.size(); ++i) {
        const SymbologyFacts& f = facts_[i];
        CellText(table, int(i) + 1, 0, f.name);
        CellText(table, int(i) + 1, 1,
                 f.lengthWith == f.lengthWithout ? f.lengthWith
                                                 : f.lengthWith + QStringLiteral(" / ") + f.lengthWithout);
        CellText(table, int(i) + 1, 2, f.family);
    }
    cursor_.movePosition(QTextCursor::End);
    cursor_.insertBlock(QTextBlockFormat(), QTextCharFormat());
}

bool GuideDocument::Facts(const QStringList& keys, QString* error)
{
    for (const QString& key : keys) {
        const SymbologyFacts* f = FindFacts(facts_, key);
        if (!f) {
            *error = QStringLiteral("@facts: unknown symbology ") + key;
            return false;
        }
        named_[std::size_t(f - facts_.data())] = true;

        QTextTableFormat format = PlainTable();
        format.setColumnWidthConstraints(
            {QTextLength(QTextLength::PercentageLength, 28), QTextLength(QTextLength::PercentageLength, 72)});
        QTextTable* table = cursor_.insertTable(6, 2, format);
        CellText(table, 0, 0, Word("Symbology", "Simbologia"), true);
        CellText(table, 0, 1, f->name, true);
        CellText(table, 1, 0, Word("What to type", "Cosa digitare"));
        if (f->checkAlways)
            CellText(table, 1, 1,
                     f->lengthWith + Word("; the program always adds the check digit",
                                          "; il programma aggiunge sempre la cifra di controllo"));
        else if (f->lengthWith == f->lengthWithout)
            CellText(table, 1, 1,
                     f->lengthWith + Word("; with Check digit ticked the program adds the check character(s)",
                                          "; con Check digit spuntato il programma aggiunge i caratteri di controllo"));
        else
            CellText(table, 1, 1,
                     f->lengthWith +
                         Word(" with Check digit ticked (the program adds it); ",
                              " con Check digit spuntato (la aggiunge il programma); ") +
                         f->lengthWithout +
                         Word(" when you type the check digit yourself", " se la cifra di controllo la digitate voi"));
        CellText(table, 2, 0, Word("Font and styles", "Font e stili"));
        CellText(table, 2, 1, f->family + QStringLiteral(": ") + f->styles.join(QStringLiteral(", ")));
        CellText(table, 3, 0, Word("Print size", "Dimensione di stampa"));
        CellText(table, 4, 0, Word("Quiet zones", "Zone di rispetto"));
        if (f->fontSupplied && f->nominalPoints > 0) {
            CellText(table, 3, 1,
                     QString::number(f->nominalPoints, 'f', 0) +
                         Word(" pt for the nominal module of ", " pt per il modulo nominale di ") +
                         Millimetres(f->nominalModuleMm, language_, 2));
            CellText(table, 4, 1,
                     Word("leave at least ", "lasciate almeno ") + Millimetres(f->quietLeftMm, language_) +
                         Word(" on the left and ", " a sinistra e ") + Millimetres(f->quietRightMm, language_) +
                         Word(" on the right", " a destra"));
        } else {
            const QString none =
                Word("this font is not supplied with LUM: use the size its maker gives",
                     "questo font non è fornito con LUM: usate la dimensione indicata da chi lo fornisce");
            CellText(table, 3, 1, none);
            CellText(table, 4, 1, none);
        }
        CellText(table, 5, 0, Word("Human-readable line", "Riga leggibile"));
        CellText(table, 5, 1,
                 f->hrcInFont ? Word("drawn by the font itself", "disegnata dal font stesso")
                              : Word("printed by the program under the bars when HRC is ticked",
                                     "stampata dal programma sotto le barre se HRC è spuntato"));
        cursor_.movePosition(QTextCursor::End);
        cursor_.insertBlock(QTextBlockFormat(), QTextCharFormat());
    }
    return true;
}

bool GuideDocument::Example(const QStringList& args, QString* error)
{
    if (args.size() < 2) {
        *error = QStringLiteral("@example needs a symbology and a text");
        return false;
    }
    const SymbologyFacts* f = FindFacts(facts_, args[0]);
    if (!f || !f->fontSupplied) {
        *error = QStringLiteral("@example: no font for ") + args[0];
        return false;
    }
    const bool check = args.size() > 2 && args[2] == QStringLiteral("check");
    assistant::GenerateRequest request;
    request.code = args[1].toLatin1().toStdString();
    request.nameId = f->nameId;
    request.checkDigit = check || f->checkAlways;
    request.hrcOption = true;
    const assistant::Generated generated = assistant::Generate(request, false);
    if (!generated.valid) {
        *error = QStringLiteral("@example: the program rejects ") + args[1];
        return false;
    }

    QTextBlockFormat block;
    block.setAlignment(Qt::AlignCenter);
    block.setTopMargin(12);
    QTextCharFormat bars;
    bars.setFontFamilies({f->family});
    bars.setFontPointSize(f->nominalPoints > 0 ? f->nominalPoints : 24);
    cursor_.insertBlock(block);
    examples_.push_back({f->key, args[1], Latin1(generated.code), cursor_.block().blockNumber(), 0});
    // Two-line font strings (ISBN) break at their CR LF.
    const QStringList lines = Latin1(generated.fontString).split(QStringLiteral("\r\n"));
    for (int i = 0; i < lines.size(); ++i) {
        if (i > 0)
            cursor_.insertBlock(block);
        cursor_.insertText(lines[i], bars);
    }
    const std::string hrc = assistant::HrcText(request.nameId, generated, request.checkDigit, true, {});
    if (!hrc.empty()) {
        QTextCharFormat line;
        line.setFontFamilies({QStringLiteral("Liberation Mono"), QStringLiteral("DejaVu Sans Mono")});
        line.setFontPointSize(10);
        QTextBlockFormat under = block;
        under.setTopMargin(0);
        cursor_.insertBlock(under);
        cursor_.insertText(Latin1(hrc), line);
    }
    QTextBlockFormat caption = block;
    caption.setTopMargin(4);
    cursor_.insertBlock(caption);
    QTextCharFormat small;
    small.setFontFamilies({kBodyFamily});
    small.setFontPointSize(8);
    small.setFontItalic(true);
    cursor_.insertText(f->name + QStringLiteral(": ") + args[1] +
                           (request.checkDigit ? Word(", Check digit ticked", ", Check digit spuntato") : QString()),
                       small);
    cursor_.insertBlock(QTextBlockFormat(), QTextCharFormat());
    return true;
}

void GuideDocument::Picture(const QImage& image)
{
    const QString name = QStringLiteral("picture%1.png").arg(document_.blockCount());
    document_.addResource(QTextDocument::ImageResource, QUrl(name), image);
    QTextImageFormat format;
    format.setName(name);
    // Image sizes are in 96-dpi pixels whatever the device: a wide window
    // fills most of the text width.
    const double width = std::min(textWidth_, image.width() * textWidth_ / 900.0) * 96.0 / kDeviceDpi;
    format.setWidth(width);
    format.setHeight(width * image.height() / image.width());
    QTextBlockFormat block;
    block.setAlignment(Qt::AlignCenter);
    cursor_.insertBlock(block);
    cursor_.insertImage(format);
    cursor_.insertBlock(QTextBlockFormat(), QTextCharFormat());
}

} // namespace lum::guide
