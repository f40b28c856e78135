// lum_web_data: what the label page takes from the native program, as JSON on
// standard output, so that the page never carries a second copy.
//   lum_web_data texts        the desktop program's main-window texts (ids
//                             below 600): {"id": {"en": ..., "it": ...}}
//   lum_web_data quiet-zones  the renderer's quiet zones per font family, in
//                             modules: {"family": {"left": ..., ...}}
#include <algorithm>
#include <cstdio>
#include <string>
#include <string_view>

#include "assistant/stringtable.h"
#include "engine/catalogue.h"
#include "engine/fonts.h"
#include "fonts/render/render.h"
#include "web/json_text.h"

namespace {

// The wizard's texts and descriptions start at 600; the page has no wizard.
constexpr int kFirstWizardText = 600;

void AppendText(int id, std::string& out)
{
    using lum::assistant::LoadText;
    out += "\"" + std::to_string(id) + "\":{\"en\":";
    lum::web::AppendJsonUtf8(LoadText(id, lum::assistant::kEnglish).toStdString(), out);
    out += ",\"it\":";
    lum::web::AppendJsonUtf8(LoadText(id, lum::assistant::kItalian).toStdString(), out);
    out.push_back('}');
}

std::string Texts()
{
    std::string out = "{";
    for (const int id : lum::assistant::TextIds()) {
        if (id >= kFirstWizardText)
            continue;
        if (out.size() > 1)
            out += ",\n";
        AppendText(id, out);
    }
    return out + "}\n";
}

// Per font family, the widest quiet zones of the symbologies set in it, so a
// label leaves enough room whichever of them it shows.
std::string QuietZones()
{
    std::string out = "{";
    for (const lum::FontFamily& family : lum::FontFamilies()) {
        double left = 0, right = 0;
        for (const lum::Symbology& entry : lum::Catalogue()) {
            const lum::PrintGeometry* g = &entry.print;
            if (entry.family == family.name && g) {
                left = std::max(left, g->quietLeft);
                right = std::max(right, g->quietRight);
            }
        }
        if (out.size() > 1)
            out += ",\n";
        lum::web::AppendJsonUtf8(family.name, out);
        char buf[128];
        std::snprintf(buf, sizeof buf, ":{\"left\":%g,\"right\":%g,\"top\":%g,\"bottom\":%g}", left, right,
                      lum::render::kVerticalMargin, lum::render::kVerticalMargin);
        out += buf;
    }
    return out + "}\n";
}

} // namespace

int main(int argc, char** argv)
{
    const std::string_view what = argc == 2 ? argv[1] : "";
    std::string out;
    if (what == "texts") {
        out = Texts();
    } else if (what == "quiet-zones") {
        out = QuietZones();
    } else {
        std::fputs("usage: lum_web_data texts | quiet-zones\n", stderr);
        return 2;
    }
    if (std::fwrite(out.data(), 1, out.size(), stdout) != out.size() || std::fflush(stdout) != 0) {
        std::fputs("lum_web_data: cannot write the output\n", stderr);
        return 1;
    }
    return 0;
}
