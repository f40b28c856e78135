#include "assistant/guide/guide_facts.h"

#include <QFile>
#include <memory>

#include "assistant/preview/description.h"
#include "engine/fonts.h"
#include "fonts/render/render.h"

namespace lum::guide {
namespace {

QString Text1252(std::string_view bytes) { return QString::fromLatin1(bytes.data(), qsizetype(bytes.size())); }

QString Caption(int nameId, Language language, bool checkDigit)
{
    preview::DescriptionRequest request;
    request.nameId = nameId;
    request.language = language;
    request.checkDigit = checkDigit;
    const preview::SymbologyDescription d = preview::DescriviSimbologia(request);
    // The description after "Length: ", as the program shows it.
    const std::string head = preview::DescriptionText(kTextLength, language);
    std::string_view caption = d.caption;
    if (caption.substr(0, head.size()) == head)
        caption.remove_prefix(head.size());
    return QString::fromLatin1(caption.data(), qsizetype(caption.size()));
}

} // namespace

std::vector<SymbologyFacts> CollectFacts(Language language, const QString& fontFolder)
{
    std::vector<SymbologyFacts> all;
    for (const DisplayName& name : DisplayNames()) {
        const auto choice = FindDisplayChoice(name.id);
        if (!choice)
            continue;
        const Symbology& entry = *choice->entry;
        SymbologyFacts f;
        f.nameId = name.id;
        f.key = Text1252(entry.id);
        if (choice->addOn)
            f.key += QLatin1Char('+') + Text1252(choice->addOn->id);
        f.name = Text1252(DisplayNameText(name.id, language));
        f.lengthWithout = Caption(name.id, language, false);
        f.lengthWith = Caption(name.id, language, true);
        f.hrcInFont = entry.hrc.line == HrcLine::InFont;

        preview::DescriptionRequest request;
        request.nameId = name.id;
        request.language = language;
        const preview::SymbologyDescription d = preview::DescriviSimbologia(request);
        f.checkAlways = d.digit == preview::BoxAction::CheckAndDisable;
        for (const std::string& style : d.styleNames)
            f.styles << QString::fromLatin1(style.data(), qsizetype(style.size()));

        f.family = Text1252(entry.family);
        const QString file = fontFolder + QLatin1Char('/') + f.family + QStringLiteral(".ttf");
        f.fontSupplied = QFile::exists(file);
        // The size that prints the standard's nominal module, from the font's
        // own module width, and the quiet zones the renderer leaves.
        const PrintGeometry& geometry = entry.print;
        render::Status status;
        const std::unique_ptr<render::Font> font =
            f.fontSupplied ? render::Font::Open(file.toStdString(), status) : nullptr;
        if (font) {
            f.nominalModuleMm = geometry.nominalMm;
            f.nominalPoints = font->PointSizeForModule(geometry.nominalMm);
            f.quietLeftMm = geometry.quietLeft * geometry.nominalMm;
            f.quietRightMm = geometry.quietRight * geometry.nominalMm;
        }
        all.push_back(f);
    }
    return all;
}

const SymbologyFacts* FindFacts(const std::vector<SymbologyFacts>& facts, const QString& key)
{
    for (const SymbologyFacts& f : facts)
        if (f.key.compare(key, Qt::CaseInsensitive) == 0)
            return &f;
    return nullptr;
}

} // namespace lum::guide
