#include "assistant/preview_widget.h"

#include <QFont>
#include <QMimeData>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include "assistant/cp1252.h"
#include "assistant/preview/html_writer.h"
#include "assistant/preview/rtf_writer.h"
#include "assistant/settings.h"

namespace lum::assistant {
namespace {

using preview::TextRun;

QTextCharFormat Formato(const TextRun& run)
{
    QTextCharFormat format;
    format.setFontFamilies({FromCp1252(run.family)});
    if (run.size > 0) // a size text that is no number draws at the widget's size
        format.setFontPointSize(run.size);
    format.setFontWeight(run.bold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(run.italic);
    format.setFontUnderline(run.underline);
    format.setFontStrikeOut(run.strikethrough);
    return format;
}

TextRun Run(const QTextCharFormat& format, const QFont& fallback)
{
    TextRun run;
    const QStringList families = format.fontFamilies().toStringList();
    run.family = ToCp1252(families.isEmpty() ? fallback.family() : families.first());
    run.size = format.fontPointSize() > 0 ? format.fontPointSize() : fallback.pointSizeF();
    run.bold = format.fontWeight() > QFont::Medium;
    run.italic = format.fontItalic();
    run.underline = format.fontUnderline();
    run.strikethrough = format.fontStrikeOut();
    return run;
}

bool SameFont(const TextRun& a, const TextRun& b)
{
    return a.family == b.family && a.size == b.size && a.bold == b.bold && a.italic == b.italic &&
           a.underline == b.underline && a.strikethrough == b.strikethrough;
}

void Append(preview::PreviewDocument& doc, TextRun run)
{
    if (!doc.runs.empty() && SameFont(doc.runs.back(), run))
        doc.runs.back().text += run.text;
    else
        doc.runs.push_back(std::move(run));
}

} // namespace

preview::HrcFont FontHrc(const Configurazione& cfg)
{
    preview::HrcFont font;
    font.faceName = cfg.faceName;
    font.bold = cfg.bold;
    font.italic = cfg.italic;
    font.strikethrough = cfg.strikethrough;
    font.underline = cfg.underline;
    font.size = cfg.hrcSize;
    return font;
}

void WritePreview(QTextDocument& document, const preview::PreviewDocument& runs)
{
    document.clear();
    QTextCursor cursor(&document);
    for (const TextRun& run : runs.runs) {
        const QTextCharFormat format = Formato(run);
        QString text = FromCp1252(run.text);
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QChar('\r'), QChar('\n'));
        qsizetype start = 0;
        while (true) {
            if (cursor.atBlockStart())
                cursor.setBlockCharFormat(format); // an empty paragraph keeps the run's font
            const qsizetype end = text.indexOf(QChar('\n'), start);
            cursor.insertText(text.mid(start, end < 0 ? -1 : end - start), format);
            if (end < 0)
                break;
            cursor.insertBlock(cursor.blockFormat(), format);
            start = end + 1;
        }
    }
}

preview::PreviewDocument ReadPreview(const QTextDocument& document)
{
    preview::PreviewDocument doc;
    const QFont fallback = document.defaultFont();
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        bool empty = true;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.isValid())
                continue;
            TextRun run = Run(fragment.charFormat(), fallback);
            run.text = ToCp1252(fragment.text());
            Append(doc, std::move(run));
            empty = false;
        }
        if (!block.next().isValid())
            break;
        if (empty) {
            TextRun run = Run(block.charFormat(), fallback);
            run.text = "\r\n";
            Append(doc, std::move(run));
        } else {
            doc.runs.back().text += "\r\n";
        }
    }
    return doc;
}

QMimeData* PreviewMimeData(const preview::PreviewDocument& runs)
{
    auto* data = new QMimeData;
    const QByteArray rtf = QByteArray::fromStdString(preview::WriteRtf(runs));
    for (const char* type : {"text/rtf", "application/rtf", "text/richtext"})
        data->setData(QLatin1String(type), rtf);
    data->setHtml(QString::fromStdString(preview::WriteHtml(runs)));
    data->setText(QString::fromStdString(preview::WritePlainText(runs)));
    return data;
}

} // namespace lum::assistant
