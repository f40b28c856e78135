#include "assistant/guide/guide_facts.h"

#include <QFile>
#include <QtEndian>

#include "assistant/generate.h"
#include "assistant/preview/description.h"
#include "engine/fonts.h"

namespace lum::guide {
namespace {

// The module width a font records (name ID 256), in font units; 0 when absent.
int ModuleUnits(const QString& file)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray font = f.readAll();
    const auto u16 = [&](qsizetype at) { return at + 2 <= font.size() ? qFromBigEndian<quint16>(font.constData() + at) : 0; };
    const auto u32 = [&](qsizetype at) { return at + 4 <= font.size() ? qFromBigEndian<quint32>(font.constData() + at) : 0u; };
    const int tables = u16(4);
    for (int t = 0; t < tables; ++t) {
        const qsizetype entry = 12 + 16 * t;
        if (font.mid(entry, 4) != "name")
            continue;
        const qsizetype base = u32(entry + 8);
        const int count = u16(base + 2);
        const qsizetype strings = base + u16(base + 4);
        for (int r = 0; r < count; ++r) {
            const qsizetype rec = base + 6 + 12 * r;
            if (u16(rec + 6) != 256)
                continue;
            const int length = u16(rec + 8), offset = u16(rec + 10);
            QString text;
            const bool wide = u16(rec) == 3 || u16(rec) == 0; // Windows and Unicode platforms: UTF-16BE
            for (int i = 0; i < length; i += wide ? 2 : 1)
                text += QChar(wide ? u16(strings + offset + i) : quint8(font.at(strings + offset + i)));
            return text.trimmed().toInt();
        }
    }
    return 0;
}

QString Text1252(std::string_view bytes) { return QString::fromLatin1(bytes.data(), qsizetype(bytes.size())); }

QString Caption(int nameId, Language language, bool checkDigit)
{
    preview::DescriptionRequest request;
    request.nameId = nameId;
    request.language = language;
    request.checkDigit = checkDigit;
    const preview::SymbologyDescription d = preview::DescriviSimbologia(request);
    // The description after "Length: ", as the program shows it.
    const std::string head = preview::DescriptionText(94, language);
    std::string_view caption = d.caption;
    if (caption.substr(0, head.size()) == head)
        caption.remove_prefix(head.size());
    return QString::fromLatin1(caption.data(), qsizetype(caption.size()));
}

} // namespace

std::vector<SymbologyFacts> CollectFacts(Language language, const QString& fontFolder)
{
    std::vector<SymbologyFacts> all;
    for (const assistant::GenerateRow& row : assistant::GenerateTable()) {
        SymbologyFacts f;
        f.nameId = row.nameId;
        f.key = Text1252(row.id);
        if (!row.addOnId.empty())
            f.key += QLatin1Char('+') + Text1252(row.addOnId);
        f.name = Text1252(DisplayNameText(row.nameId, language));
        f.lengthWithout = Caption(row.nameId, language, false);
        f.lengthWith = Caption(row.nameId, language, true);

        preview::DescriptionRequest request;
        request.nameId = row.nameId;
        request.language = language;
        const preview::SymbologyDescription d = preview::DescriviSimbologia(request);
        f.checkAlways = d.digit == preview::BoxAction::CheckAndDisable;
        for (const std::string& style : d.styleNames)
            f.styles << QString::fromLatin1(style.data(), qsizetype(style.size()));

        f.family = Text1252(row.family);
        const QString file = fontFolder + QLatin1Char('/') + f.family + QStringLiteral(".ttf");
        f.fontSupplied = QFile::exists(file);
        if (const int units = f.fontSupplied ? ModuleUnits(file) : 0; units > 0) {
            f.nominalModuleMm = f.family == QStringLiteral("VOREAN") ? 0.33 : 0.33;
            f.nominalPoints = f.nominalModuleMm / 25.4 * 72 * 1000 / units;
            f.quietLeftMm = 10 * f.nominalModuleMm;
            f.quietRightMm = 10 * f.nominalModuleMm;
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
