#include "cli/render_size.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace lum::cli {
namespace {

constexpr double kTolerance = 1e-9;

std::string Mm(double value)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.3f mm", value);
    return buf;
}

// "0.300 mm" or, for a magnifiable symbology, "0.300 mm (91%)".
std::string Size(const PrintGeometry& g, double mm)
{
    std::string out = Mm(mm);
    if (g.magnification) {
        char buf[32];
        std::snprintf(buf, sizeof buf, " (%.0f%%)", mm / g.nominalMm * 100);
        out += buf;
    }
    return out;
}

bool InRange(const PrintGeometry& g, double mm)
{
    return mm >= g.minimumMm * (1 - kTolerance) && (g.maximumMm == 0 || mm <= g.maximumMm * (1 + kTolerance));
}

// Whole dots for `askedMm`: the nearest count, moved into the standard's
// range when the size asked was in it and a count in the range exists.
int FitDots(const PrintGeometry& g, double askedMm, double mmPerDot)
{
    int dots = std::max(1, int(std::lround(askedMm / mmPerDot)));
    if (!InRange(g, askedMm) || InRange(g, dots * mmPerDot))
        return dots;
    const int low = std::max(1, int(std::ceil(g.minimumMm / mmPerDot - kTolerance)));
    const int high = g.maximumMm == 0 ? low : int(std::floor(g.maximumMm / mmPerDot + kTolerance));
    if (low > high)
        return dots; // the range is narrower than a dot: the nearest count it is
    return std::clamp(dots, low, high);
}

} // namespace

ResolvedSize ResolveSize(const SizeRequest& request, const PrintGeometry& g, double mmPerPoint, int dpi)
{
    ResolvedSize out;
    switch (request.by) {
    case SizeBy::Nominal:
        out.askedMm = g.nominalMm;
        break;
    case SizeBy::Points:
        out.askedMm = request.value * mmPerPoint;
        break;
    case SizeBy::Module:
        out.askedMm = request.value;
        break;
    case SizeBy::Magnification:
        out.askedMm = g.nominalMm * request.value / 100;
        break;
    }
    out.moduleMm = out.askedMm;
    if (dpi > 0) {
        const double mmPerDot = 25.4 / dpi;
        out.dots = FitDots(g, out.askedMm, mmPerDot);
        out.moduleMm = out.dots * mmPerDot;
        if (std::fabs(out.moduleMm - out.askedMm) > 0.0005) {
            char buf[160];
            std::snprintf(buf, sizeof buf, "module %s, %d dot%s at %d dpi (%.1f pt); %s asked",
                          Mm(out.moduleMm).c_str(), out.dots, out.dots == 1 ? "" : "s", dpi, out.moduleMm / mmPerPoint,
                          Mm(out.askedMm).c_str());
            out.notes.emplace_back(buf);
        }
    }
    if (out.moduleMm < g.minimumMm * (1 - kTolerance))
        out.warnings.push_back("module " + Size(g, out.moduleMm) + " is under the " + Size(g, g.minimumMm) +
                               " minimum (" + std::string(g.standard) + "); scanners may fail to read it");
    else if (g.maximumMm > 0 && out.moduleMm > g.maximumMm * (1 + kTolerance))
        out.warnings.push_back("module " + Size(g, out.moduleMm) + " is over the " + Size(g, g.maximumMm) +
                               " maximum (" + std::string(g.standard) + ")");
    return out;
}

} // namespace lum::cli
