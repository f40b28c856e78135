#include "assistant/stringtable.h"

#include <algorithm>
#include <array>
#include <span>

#include "assistant/cp1252.h"
#include "assistant/preview/description.h"
#include "assistant/wizard/wizard_texts.h"
#include "engine/catalogue.h"
#include "engine/fonts.h"

namespace lum::assistant {
namespace {

using wizard::kAiDescriptions;
using wizard::kWizardTexts;
using wizard::WizardTextEntry;

struct Text {
    int id;
    const char* english; // UTF-8
    const char* italian; // UTF-8, stored under id + 1000
};

// Interface texts. The wizard texts and application-identifier descriptions
// (600 to 764) come from the wizard's tables, the words of the description
// line (94 to 98) from the preview's, the symbology display names (400 to 435)
// and the style names (278 to 283) from the engine's tables, which the
// font-name rule reads too.
// clang-format off
constexpr Text kTexts[] = {
    {89, "Information - Version ", "Informazioni - Versione "},
    {90, "O&k", "O&k"},
    {91, "&Abort", "&Annulla"},
    {92, "Error", "Errore"},
    {93, "The value introduced is not allowed", "Il valore digitato non è ammesso"},
    {260, "Si&ze:", "&Dimensione:"},
    {261, "Barcode size in dots", "Dimensione in punti del barcode"},
    {262, "Si&mbology:", "Simb&ologia:"},
    {263, "Select barcode simbology", "Selezionare la simbologia da utilizzare per generare i codici"},
    {264, "&HRC", "&HRC"},
    {265, "Add Human Readable Code below the barcode", "Include nella stampa il codice in chiaro"},
    {266, "Chec&k Digit", "Ch&eck Digit"},
    {267, "Include check digit in the barcode", "Aggiunge una cifra di controllo ad ogni codice generato"},
    {268, "&Code:", "&Codice:"},
    {269, "Text to be encoded", "Contenuto da codificare"},
    {270, "Clipbo&ard", "App&unti"},
    {271, "Copy to clipboard the contents of the preview area", "Copia negli appunti il contenuto dell'anteprima"},
    {272, "&File", "&File"},
    {273, "&Exit", "&Esci"},
    {274, "&Edit", "&Modifica"},
    {275, "&HRC Font", "&Font HRC"},
    {276, "&?", "&?"},
    {277, "&Information", "&Informazioni"},
    {284, "&Style:", "St&ile:"},
    {285, "Style of barcode font", "Stile del carattere barcode"},
    {286, "&Guide", "&Guida"},
    {289, "&Language", "&Lingua"},
    {290, "&Italian", "&Italiano"},
    {291, "&English", "I&nglese"},
    {292, "Include &check digit in HRC", "Includi &check digit in HRC"},
    {300, "Loading fonts: please wait..", "Caricamento font: attendere.."},
    {301, "No barcode font is installed. Install the LUM fonts (the \"fonts\" folder of the build, or share/fonts/truetype/lum of the installation) and start the program again.",
     "Nessun font barcode installato. Installare i font LUM (la cartella \"fonts\" della compilazione, o share/fonts/truetype/lum dell'installazione) e riavviare il programma."},
    {302, "The settings could not be saved: ", "Impossibile salvare le impostazioni: "},
    {303, "The guide was not found: ", "Guida non trovata: "},
    {304, "LUM Assistant", "LUM Assistant"},
    {305, "EAN 128 &Wizard...", "&Wizard EAN 128..."},
    {306, "Compose an EAN 128 code from application identifiers (AI)",
     "Compone un codice EAN 128 con gli identificatori di applicazione (AI)"},
    {307, "The settings folder %1 cannot be used: %2", "Impossibile usare la cartella delle impostazioni %1: %2"},
    {308, "The settings could not be read, the defaults are in use: ",
     "Impossibile leggere le impostazioni, sono in uso i valori predefiniti: "},
    {309, "it is not a regular file", "non è un file normale"},
};
// clang-format on

const Text* FindText(int englishId)
{
    const auto it =
        std::find_if(std::begin(kTexts), std::end(kTexts), [&](const Text& t) { return t.id == englishId; });
    return it == std::end(kTexts) ? nullptr : &*it;
}

const WizardTextEntry* FindWizardText(int englishId)
{
    using Table = std::span<const WizardTextEntry>;
    for (const Table table : {Table(kAiDescriptions), Table(kWizardTexts)})
        for (const WizardTextEntry& w : table)
            if (w.id == englishId)
                return &w;
    return nullptr;
}

} // namespace

QString LoadTextRaw(int id)
{
    const bool italian = id >= kItalian;
    const int base = italian ? id - kItalian : id;
    if (const Text* t = FindText(base))
        return QString::fromUtf8(italian ? t->italian : t->english);
    if (const WizardTextEntry* w = FindWizardText(base)) {
        const std::string_view text = italian ? w->italian : w->english;
        return QString::fromUtf8(text.data(), qsizetype(text.size()));
    }
    if (base >= kTextLength && base <= kTextVariable)
        return FromCp1252(preview::DescriptionText(base, italian ? Language::Italian : Language::English));
    if (base >= 400 && base <= 435) {
        const auto name = DisplayNameText(base, italian ? Language::Italian : Language::English);
        return FromCp1252(name);
    }
    for (const StyleInfo& s : Styles())
        if (s.textId == base)
            return FromCp1252(italian ? s.italian : s.english);
    return {};
}

std::vector<int> TextIds()
{
    std::vector<int> ids;
    for (const Text& t : kTexts)
        ids.push_back(t.id);
    for (int id = kTextLength; id <= kTextVariable; ++id)
        ids.push_back(id);
    for (const WizardTextEntry& w : kAiDescriptions)
        ids.push_back(w.id);
    for (const WizardTextEntry& w : kWizardTexts)
        ids.push_back(w.id);
    for (const DisplayName& n : DisplayNames())
        ids.push_back(n.id);
    for (const StyleInfo& s : Styles())
        ids.push_back(s.textId);
    std::sort(ids.begin(), ids.end());
    return ids;
}

} // namespace lum::assistant
