// The user guide as a rich-text document: the guide's Markdown sources, with
// directive lines that insert what is generated from the program itself
// (facts tables, example barcodes in the project's fonts, screenshots, the
// table of contents).
//
// Directives, each on a line of its own:
//   @title TEXT              the title page
//   @toc                     the table of contents (chapters and sections)
//   @chapter TEXT            a chapter heading on a new page
//   @overview                every symbology: name, what to type, font
//   @facts KEY...            the facts table of those symbologies ("EAN13", "EAN13+ADD5")
//   @example KEY TEXT [check] an example barcode as the program draws it
//   @screenshot NAME         a picture supplied by the caller
//   @newpage                 a page break
// Every other line is Markdown, in which {{N}} stands for the program's text N
// in the guide's language (menus, buttons, messages), without its access key,
// and {{isbn-ranges}} for the date of the ISBN range data built in.
#pragma once

#include <QImage>
#include <QString>
#include <QStringList>
#include <QTextCursor>
#include <QTextDocument>
#include <functional>
#include <vector>

#include "assistant/guide/guide_facts.h"

namespace lum::guide {

struct Heading {
    int level = 1;
    QString text;
    int blockNumber = 0; // the heading's block in the document
};

struct BarcodeExample {
    QString key, text, code; // code: the (main) code as the program validated it
    int blockNumber = 0;     // the block of its bars
    int page = 0;            // once laid out
};

class GuideDocument {
public:
    using Screenshot = std::function<QImage(const QString& name)>;

    GuideDocument(Language language, std::vector<SymbologyFacts> facts, Screenshot screenshot);

    // Builds the document from the source lines; false with `error` set on an
    // unknown directive, an unknown symbology, or a symbology of the program's
    // list that no @facts line names.
    bool Build(const QStringList& lines, QString* error);

    QTextDocument& Document() { return document_; }
    const std::vector<Heading>& Headings() const { return headings_; }
    const std::vector<BarcodeExample>& Examples() const { return examples_; }

    // Writes the page numbers of the headings into the table of contents.
    void SetTocPages(const std::vector<int>& pages);
    std::vector<BarcodeExample>& Examples() { return examples_; }

    // The document's text width in its own units; pictures are scaled to it.
    void SetTextWidth(double width) { textWidth_ = width; }

private:
    bool Directive(const QString& line, QString* error);
    QString ProgramTexts(const QString& line) const;
    void FlushMarkdown();
    void BoldLine(const QString& text, const QTextBlockFormat& block, double points);
    void Title(const QString& text);
    void Chapter(const QString& text);
    void Toc();
    void Overview();
    bool Facts(const QStringList& keys, QString* error);
    bool Example(const QStringList& args, QString* error);
    void Picture(const QImage& image);
    void PageBreak();
    QString Word(const char* english, const char* italian) const;

    Language language_;
    std::vector<SymbologyFacts> facts_;
    Screenshot screenshot_;
    QTextDocument document_;
    QTextCursor cursor_;
    QString markdown_;
    std::vector<Heading> headings_;
    std::vector<BarcodeExample> examples_;
    std::vector<bool> named_; // per facts row: named by @facts
    int tocTable_ = -1;       // first block of the contents table, or -1
    bool breakBefore_ = false;
    double textWidth_ = 600;
};

} // namespace lum::guide
