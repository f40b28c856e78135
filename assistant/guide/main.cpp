// lum_guide LANGUAGE SOURCE FONT_FOLDER OUTPUT.pdf [EXAMPLES.tsv]
// Builds the user guide in English ("en") or Italian ("it") from its
// Markdown source; the example barcodes it printed go to EXAMPLES.tsv (key,
// text, validated code, page) for the tests that scan the pages.
#include <QApplication>
#include <QFile>
#include <QPdfWriter>
#include <QTextStream>
#include <cstdio>

#include "assistant/fontdiscovery.h"
#include "assistant/guide/guide_document.h"
#include "assistant/guide/guide_pdf.h"
#include "assistant/guide/screenshots.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 5 || (args[1] != QStringLiteral("en") && args[1] != QStringLiteral("it"))) {
        std::fprintf(stderr, "usage: lum_guide en|it SOURCE FONT_FOLDER OUTPUT.pdf [EXAMPLES.tsv]\n");
        return 2;
    }
    const lum::Language language = args[1] == QStringLiteral("it") ? lum::Language::Italian : lum::Language::English;
    QFile source(args[2]);
    if (!source.open(QIODevice::ReadOnly | QIODevice::Text)) {
        std::fprintf(stderr, "lum_guide: cannot read %s\n", qPrintable(args[2]));
        return 1;
    }
    const QStringList lines = QString::fromUtf8(source.readAll()).split(QLatin1Char('\n'));
    if (lum::assistant::RegisterFontFolders({args[3]}) == 0) {
        std::fprintf(stderr, "lum_guide: no barcode fonts in %s\n", qPrintable(args[3]));
        return 1;
    }

    lum::guide::Screenshots screenshots(language);
    lum::guide::GuideDocument guide(language, lum::guide::CollectFacts(language, args[3]),
                                    [&](const QString& name) { return screenshots.Take(name); });
    const QString partial = args[4] + QStringLiteral(".part");
    int pages = 0;
    {
        QPdfWriter writer(partial);
        lum::guide::SetUpWriter(writer, language == lum::Language::Italian ? QStringLiteral("LUM - Guida")
                                                                           : QStringLiteral("LUM - Guide"));
        guide.SetTextWidth(lum::guide::TextWidth(writer));
        QString error;
        if (!guide.Build(lines, &error)) {
            std::fprintf(stderr, "lum_guide: %s: %s\n", qPrintable(args[2]), qPrintable(error));
            QFile::remove(partial);
            return 1;
        }
        pages = lum::guide::WritePages(guide, writer);
    }
    if (pages == 0 || (QFile::exists(args[4]) && !QFile::remove(args[4])) || !QFile::rename(partial, args[4])) {
        std::fprintf(stderr, "lum_guide: cannot write %s\n", qPrintable(args[4]));
        QFile::remove(partial);
        return 1;
    }
    if (args.size() > 5) {
        QFile examples(args[5]);
        if (!examples.open(QIODevice::WriteOnly | QIODevice::Text))
            return 1;
        QTextStream out(&examples);
        for (const lum::guide::BarcodeExample& e : guide.Examples())
            out << e.key << '\t' << e.text << '\t' << e.code << '\t' << e.page << '\n';
    }
    std::printf("%s: %d pages\n", qPrintable(args[4]), pages);
    return 0;
}
