#include "assistant/stringtable.h"

#include <algorithm>
#include <array>

#include "assistant/cp1252.h"
#include "engine/catalogue.h"
#include "engine/fonts.h"

namespace lum::assistant {
namespace {

struct Text {
    int id;
    const char* english; // UTF-8
    const char* italian; // UTF-8, stored under id + 1000
};

// Interface texts, wizard texts and application-identifier descriptions. The
// symbology display names (400 to 435) and the style names (278 to 283) come
// from the engine's tables, which the font-name rule reads too.
constexpr Text kTexts[] = {
    {89, "Information - Version ", "Informazioni - Versione "},
    {90, "O&k", "O&k"},
    {91, "&Abort", "&Annulla"},
    {92, "Error", "Errore"},
    {93, "The value introduced is not allowed", "Il valore digitato non è ammesso"},
    {94, "Length: ", "Lunghezza: "},
    {95, "characters", "caratteri"},
    {96, "digits", "cifre"},
    {97, "alphabet", "alfabeto"},
    {98, "variable", "variabile"},
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
    {600, "00   SSCC-18", "00   Numero sequenziale del collo (SSCC)"},
    {601, "01   SCC-14", "01   Numero di codice EAN/codice unità-imballo (GTIN)"},
    {602, "02   Item Number of Goods Contained Within Another Unit (Must Use with AI 37)", "02   Numero di codice EAN di prodotti contenuti all'interno di altra unità di conf. (GTIN)"},
    {603, "10   Batch or Lot Number", "10   Numero del lotto di fabbricazione"},
    {604, "11   Production Date (YYMMDD)", "11   Data di fabbricazione (aammgg)"},
    {605, "12   Expiration date for the payment notified in an invoice", "12   Data stabilita per il pagamento notificato in uno scontrino di pagamento"},
    {606, "13   Packaging Date (YYMMDD)", "13   Data d'imballaggio"},
    {607, "15   Sell By Date (Quality) (YYMMDD)", "15   Data min. di validità (aammgg) (Qualità)"},
    {608, "17   Expiration Date (Safety) (YYMMDD)", "17   Data max. di validità (aammgg) (Sicurezza)"},
    {609, "20   Product Variant", "20   Variante di prodotto"},
    {610, "21   Serial Number", "21   Numero di serie"},
    {611, "22   HIBCC - Quantity, Date, Batch and Link", "22   Farmaceutici, quantità, data, lotto"},
    {612, "23   Lot Number (Transitional Use)", "23   Numero di lotto (uso transitorio)"},
    {613, "240  Additional Product Identification assigned by the Manufacturer", "240  Informazioni di prodotto addizionali"},
    {614, "241  Identification number for customer/supplier", "241  Numero identificativo del cliente/fornitore"},
    {615, "250  Secondary Serial Number", "250  Numero seriale secondario"},
    {616, "30   Quantity", "30   Quantità variabile"},
    {617, "310  Net Weight, Kilograms", "310  Peso netto in kg"},
    {618, "311  Length or 1st Dimension, Meters", "311  Lunghezza o prima dimensione, in metri, uso commerciale"},
    {619, "312  Width, Diameter or 2nd Dimension, Meters", "312  Larghezza, diametro o seconda dimensione, in metri, uso commerciale"},
    {620, "313  Depth, Thickness, Height or 3rd Dimension, Meters", "313  Profondità, spessore, altezza o terza dimensione, in metri, uso commerciale"},
    {621, "314   Area, Square Meters", "314  Superficie, in metri quadri, uso commerciale"},
    {622, "315  Volume, Liters", "315  Volume, in litri"},
    {623, "316  Volume, Cubic Meters", "316  Volume, in metri cubi"},
    {624, "320  Net Weight, Pounds", "320  Peso netto, in libbre"},
    {625, "330  Gross Weight, Kilograms", "330  Peso lordo, in chilogrammi"},
    {626, "331  Length or 1st Dimension, Meters, Logistics", "331  Lunghezza o prima dimensione, in metri, uso logistico"},
    {627, "332  Width, Diameter or 2nd Dimension, Meters, Logistics", "332  Larghezza, diametro o seconda dimensione, in metri, uso logistico"},
    {628, "333  Depth, Thickness, Height or 3rd Dimension, Meters, Logistics", "333  Profondità, spessore, altezza o terza dimensione, in metri, uso logistico"},
    {629, "334  Area, Square Meters, Logistics", "334  Superficie, in metri quadri, uso logistico"},
    {630, "335  Gross Volume, Liters", "335  Volume lordo, in litri"},
    {631, "336  Gross Volume, Cubic Meters", "336  Volume lordo, in metri cubi"},
    {632, "337  Kilograms for square meter", "337  Chilogrammi per metro quadro"},
    {633, "340  Gross Weight, Pounds", "340  Peso lordo, in libbre"},
    {634, "37   Quantity of Units Contained (For Use With AI 02 Only)", "37   Quantità"},
    {635, "390  Quantity payable in local currency", "390  Quantità pagabile in uno scontrino di pagamento nella moneta locale"},
    {636, "391  Quantity payable in local currency (ISO code)", "391  Quantità pagabile in uno scontrino di pagamento nella moneta locale (Codice ISO)"},
    {637, "400  Customer's Purchase Order Number", "400  Numero d'ordine dell'acquirente"},
    {638, "401  Delivery number assigned by carrier", "401  Numero di consegna assegnato dal trasportatore"},
    {639, "402  Delivery number (assigned by manufacturer)", "402  Numero identificativo di spedizione (assegnato dal produttore)"},
    {640, "403  Delivery number assigned by local carrier", "403  Codice di consegna assegnato dal trasportatore locale"},
    {641, "410  Ship To (Deliver To) Location Code Using EAN-13", "410  Luogo di consegna - numero EAN-13 o DUNS (Dun & Bradstreet) con zeri anteposti (GLN)"},
    {642, "411  Bill To (Invoice To) Location Code Using EAN-13", "411  Luogo di fatturazione - numero EAN-13 o DUNS (Dun & Bradstreet) con zeri anteposti (GLN)"},
    {643, "412  Purchase From (Location Code of Party from Whom Goods are Purchased)", "412  Luogo del fornitore - numero EAN-13 o DUNS (Dun & Bradstreet) con zeri anteposti (GLN)"},
    {644, "413  Intermediate shipment location - EAN-13 number or DUNS (Dun & Bradstreet) preceded by zero (GLN)", "413  Luogo di consegna intermedia - numero EAN-13 o DUNS (Dun & Bradstreet) con zeri anteposti (GLN)"},
    {645, "414  EAN Location Code for Physical Identification", "414  Numero di locazione EAN (GLN)"},
    {646, "415  Location number for the partner to whom invoice is being sent (GLN)", "415  Numero di locazione del partner a cui si invia la fattura (GLN)"},
    {647, "420  Ship To (Deliver To) Postal Code Within a Single Postal Authority", "420  Luogo di acquisto (identifica delle aziende da cui si acquistano delle merci), codice postale"},
    {648, "421  Ship To (Deliver To) Postal Code With 3-Digit ISO Country Code Prefix", "421  Luogo di consegna, codice postale e codice nazione ISO"},
    {649, "422  Origin of the product", "422  Luogo di origine del prodotto"},
    {650, "8001 Roll products - Width, Length, Core Diameter, Direction and Splices", "8001 Prodotti in rotoli - larghezza, lunghezza, diametro interno, senso di svolgimento e giunte"},
    {651, "8002 Electronic Serial Number for Cellular Mobile Telephones", "8002 Numero sequenziale elettronico per applicazioni di telefonia cellulare (CMTI)"},
    {652, "8003 UPC/EAN Number and Serial Number of Returnable Asset", "8003 Numero internazionale di bene riutilizzabile per trasporto e/o spedizioni (GRAI)"},
    {653, "8004 UCC/EAN Serial Identification", "8004 Numero internazionale di bene riutilizzabile generale (GIAI)"},
    {654, "8005 Identifies the Price Per Unit of Measure", "8005 Prezzo per unità di misura"},
    {655, "8006 Identification number for article components (GTIN)", "8006 Numero di identificazione componenti in un articolo (GTIN)"},
    {656, "8007 International bank address number (IBAN)", "8007 Numero di codice bancario internazionale (IBAN)"},
    {657, "8018 Identification number for service supplier (GRSN)", "8018 Numero di identificazione del fornitore di servizi (GRSN)"},
    {658, "8020 Reference number for payment invoice", "8020 Numero di riferimento di scontrino di pagamento"},
    {659, "8100 Coupon Extended Code - Number System Character and Offer", "8100 Numero di codice destinato ai coupon (UCC)"},
    {660, "8101 Coupon Extended Code - Number System Character, Offer, and End of Offer", "8101 Numero di codice destinato ai coupon (UCC) e data di riferimento"},
    {661, "8102 Coupon Extended Code - Number System Character preceded by zero", "8102 Numero codice destinato ai coupon (UCC)"},
    {662, "90   Mutually Agreed, Between Trading Partners or FACT DIs", "90   Applicazioni interne (informazioni concordate fra partner commerciali o propri identificatori di dati)"},
    {663, "91   Intra-Company (Internal)", "91   Interno - materie prime, imballaggi, componenti"},
    {664, "92   Intra-Company (Internal)", "92   Interno, materie prime, imballaggi, componenti"},
    {665, "93   Intra-Company (Internal)", "93   Interno - produttori"},
    {666, "94   Intra-Company (Internal)", "94   Interno - produttori"},
    {667, "95   Internal-Carriers", "95   Interno - spedizionieri (n° polizza di carico, ecc.)"},
    {668, "96   Internal-Carriers", "96   Spedizionieri"},
    {669, "97   Intra-Company (Internal)", "97   Interno - grossisti e dettaglianti"},
    {670, "98   Intra-Company (Internal)", "98   Interno - grossisti e dettaglianti"},
    {671, "99   Internal", "99   Testo libero (numero identificativo coupon nazionali)"},
    {680, "AI &List:", "&Lista AI:"},
    {681, "List of available AIs", "Elenco degli AI disponibili"},
    {682, "Code:", "Codice:"},
    {683, "AI inserted into code and their values", "Lista degli AI introdotti nel codice e relativo valore"},
    {684, "&Value:", "&Valore:"},
    {685, "Value for selected AI", "Valore corrispondente all'AI selezionato"},
    {686, "Insert AI into code with specified value", "Aggiunge nel codice un AI con il valore indicato"},
    {687, "Remove last AI from code", "Rimuove l'ultimo AI introdotto nel codice"},
    {688, "Unable to undo.", "Impossibile tornare indietro."},
    {689, "The code is empty!", "Il codice è vuoto!"},
    {690, "Alfanumerico variabile, massimo % caratteri", "Alfanumerico variabile, massimo % caratteri"},
    {691, "Integer of length %", "Numerico intero lunghezza %"},
    {692, "Integer of length 14 followed by a string of variable length, max 16 characters", "Numerico intero lunghezza 14 seguito da alfanumerico variabile, massimo 16 caratteri"},
    {693, "Integer of length 3 followed by a string of variable length, max 9 characters", "Numerico intero lunghezza 3 seguito da alfanumerico variabile, massimo 9 caratteri"},
    {694, "Float of length %", "Numerico decimale lunghezza %"},
    {695, "Integer, max length 19", "Numerico intero, massima lunghezza 19"},
    {696, "Integer, max length 8", "Numerico intero massima lunghezza 8"},
    {697, "Wrong length!", "Lunghezza errata!"},
    {698, "The value should be integer.", "Il valore deve essere un numero intero."},
    {699, "The first 14 characters must be digits.", "I primi 14 caratteri devono essere cifre."},
    {700, "The first 3 characters must be digits.", "I primi 3 caratteri devono essere cifre."},
    {701, "The value must be an integer or a float.", "Il valore deve essere un numero intero o decimale."},
    {730, "321  Length or 1st Dimension, Inches", "321  Lunghezza o prima dimensione, pollici"},
    {731, "322  Length or 1st Dimension, Feet", "322  Lunghezza o prima dimensione, piedi"},
    {732, "323  Length or 1st Dimension, Yards", "323  Lunghezza o prima dimensione, iarde"},
    {733, "324  Width, Diameter, or 2nd Dimension, Inches", "324  Larghezza, diametro o seconda dimensione, pollici"},
    {734, "325  Width, Diameter, or 2nd Dimension, Feet", "325  Larghezza, diametro o seconda dimensione, piedi"},
    {735, "326  Width, Diameter, or 2nd Dimension, Yards", "326  Larghezza, diametro o seconda dimensione, iarde"},
    {736, "327  Depth, Thickness, Height or 3rd Dimension, Inches", "327  Profondità, spessore, altezza o terza dimensione, pollici"},
    {737, "328  Depth, Thickness, Height or 3rd Dimension, Feet", "328  Profondità, spessore, altezza o terza dimensione, piedi"},
    {738, "329  Depth, Thickness, Height or 3rd Dimension, Yards", "329  Profondità, spessore, altezza o terza dimensione, iarde"},
    {739, "341  Length or 1st Dimension, Inches, Logistics", "341  Lunghezza o prima dimensione, pollici, uso logistico"},
    {740, "342  Length or 1st Dimension, Feet, Logistics", "342  Lunghezza o prima dimensione, piedi, uso logistico"},
    {741, "343  Length or 1st Dimension, Yards, Logistics", "343  Lunghezza o prima dimensione, iarde, uso logistico"},
    {742, "344  Width, Diameter or 2nd Dimension, Inches, Logistics", "344  Larghezza, diametro o seconda dimensione, pollici, uso logistico"},
    {743, "345  Width, Diameter or 2nd Dimension, Feet, Logistics", "345  Larghezza, diametro o seconda dimensione, piedi, uso logistico"},
    {744, "346  Width, Diameter or 2nd Dimension, Yards, Logistics", "346  Larghezza, diametro o seconda dimensione, iarde, uso logistico"},
    {745, "347  Depth, Thickness, Height or 3rd Dimension, Inches, Logistics", "347  Profondità, spessore, altezza o terza dimensione, pollici, uso logistico"},
    {746, "348  Depth, Thickness, Height or 3rd Dimension, Feet, Logistics", "348  Profondità, spessore, altezza o terza dimensione, piedi, uso logistico"},
    {747, "349  Depth, Thickness, Height or 3rd Dimension, Yards, Logistics", "349  Profondità, spessore, altezza o terza dimensione, iarde, uso logistico"},
    {748, "350  Area, Square Inches", "350  Area, pollici quadrati"},
    {749, "351  Area, Square Feet", "351  Area, piedi quadrati"},
    {750, "352  Area, Square Yards", "352  Area, iarde quadrate"},
    {751, "353  Area, Square Inches, Logistics", "353  Area, pollici quadrati, uso logistico"},
    {752, "354  Area, Square Feet, Logistics", "354  Area, piedi quadrati, uso logistico"},
    {753, "355  Area, Square Yards, Logistics", "355  Area, iarde quadrate, uso logistico"},
    {754, "356  Net Weight, Troy Ounce", "356  Peso netto, once"},
    {755, "360  Volume, Quarts", "360  Volume, quarti"},
    {756, "361  Volume, Gallons", "361  Volume, galloni"},
    {757, "362  Gross Volume, Quarts", "362  Volume lordo, quarti"},
    {758, "363  Gross Volume, Gallons", "363  Volume lordo, galloni"},
    {759, "364  Volume, Cubic Inches", "364  Volume, pollici cubici"},
    {760, "365  Volume, Cubic Feet", "365  Volume, piedi cubici"},
    {761, "366  Volume, Cubic Yards", "366  Volume, iarde cubiche"},
    {762, "367  Gross Volume, Cubic Inches", "367  Volume lordo, pollici cubici"},
    {763, "368  Gross Volume, Cubic Feet", "368  Volume lordo, piedi cubici"},
    {764, "369  Gross Volume, Cubic Yards", "369  Volume lordo, iarde cubiche"},
    {301, "No barcode font is installed. Install the LUM fonts (the \"fonts\" folder of the build, or share/fonts/truetype/lum of the installation) and start the program again.",
     "Nessun font barcode installato. Installare i font LUM (la cartella \"fonts\" della compilazione, o share/fonts/truetype/lum dell'installazione) e riavviare il programma."},
    {302, "The settings could not be saved: ", "Impossibile salvare le impostazioni: "},
    {303, "The guide was not found: ", "Guida non trovata: "},
    {304, "LUM Assistant", "LUM Assistant"},
};

const Text* FindText(int englishId)
{
    const auto it = std::find_if(std::begin(kTexts), std::end(kTexts), [&](const Text& t) { return t.id == englishId; });
    return it == std::end(kTexts) ? nullptr : &*it;
}

} // namespace

QString LoadTextRaw(int id)
{
    const bool italian = id >= kItalian;
    const int base = italian ? id - kItalian : id;
    if (const Text* t = FindText(base))
        return QString::fromUtf8(italian ? t->italian : t->english);
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
    for (const DisplayName& n : DisplayNames())
        ids.push_back(n.id);
    for (const StyleInfo& s : Styles())
        ids.push_back(s.textId);
    std::sort(ids.begin(), ids.end());
    return ids;
}

} // namespace lum::assistant
