#include "core/pictures/band_svg.h"

#include "core/pictures/band_canvas.h"
#include "core/pictures/band_colours.h"
#include "core/res/string_ids.h"
#include "core/rules/decimal_text.h"
#include "core/rules/longitude.h"

#include <array>
#include <charconv>
#include <cstdint>
#include <sstream>

namespace {

constexpr double kLaneHeight = 64.0;
constexpr int kMaxTicks = 12;
constexpr double kSwatch = 10.0;
// The room an edge's frequency needs right of the edge.
constexpr double kEdgeLabelRoom = 36.0;

// Text and attribute values: markup characters as entities, control
// characters (which XML does not allow) as "?".
std::string escaped(std::string_view text)
{
    std::string out;
    for (const char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        case '\'':
            out += "&apos;";
            break;
        default:
            out += static_cast<unsigned char>(c) < 0x20 && c != '\n' && c != '\t' ? '?' : c;
        }
    }
    return out;
}

std::string number(double value)
{
    return decimal::formatFixed(value, 1);
}

std::string colour(BandColour c)
{
    std::string text = "#";
    for (const std::uint8_t part : {c.red, c.green, c.blue}) {
        std::array<char, 2> digits{'0', '0'};
        const auto end = std::to_chars(digits.data(), digits.data() + digits.size(), part, 16).ptr;
        text += end == digits.data() + 1 ? std::string{'0', digits[0]} : std::string(digits.data(), 2);
    }
    return text;
}

std::string rect(const CanvasRect& r, const std::string& attributes)
{
    return "<rect x=\"" + number(r.x) + "\" y=\"" + number(r.y) + "\" width=\"" + number(r.width) + "\" height=\"" +
           number(r.height) + "\" " + attributes + "/>\n";
}

std::string line(double x1, double y1, double x2, double y2, const std::string& attributes)
{
    return "<line x1=\"" + number(x1) + "\" y1=\"" + number(y1) + "\" x2=\"" + number(x2) + "\" y2=\"" + number(y2) +
           "\" " + attributes + "/>\n";
}

std::string text(double x, double y, std::string_view content, const std::string& attributes = {})
{
    return "<text x=\"" + number(x) + "\" y=\"" + number(y) + "\"" + (attributes.empty() ? "" : " " + attributes) +
           ">" + escaped(content) + "</text>\n";
}

std::string systemClass(BandSystem system)
{
    switch (system) {
    case BandSystem::TV:
        return "tv";
    case BandSystem::DvbS:
        return "dvb-s";
    case BandSystem::DvbS2:
        break;
    }
    return "dvb-s2";
}

// "Plan1  19.2E  LNB 9750/10600 MHz".
std::string titleOf(const CComonOrbitune& plan)
{
    return plan.nameText() + "  " + longitude::hemisphereText(plan.longitude, plan.isEast != 0) + "  LNB " +
           decimal::formatScaled(plan.lnbLow, 2) + "/" + decimal::formatScaled(plan.lnbHigh, 2) + " MHz";
}

void writeLegend(std::ostream& out, const CComonOrbitune& plan, const BandCanvas& canvas, Language language)
{
    const double baseline = BandCanvas::kLegendHeight - 8.0;
    const std::string title = titleOf(plan);
    out << text(6.0, baseline, title, "font-weight=\"bold\"");
    struct Item {
        std::string label;
        std::string swatch;
    };
    const std::string disabledLabel(*textOf(kEnableValues, stored(Enable::Disable)));
    const std::vector<Item> items{
        {std::string(systemText(BandSystem::TV)), "fill=\"" + colour(band_colours::kTv) + "\""},
        {std::string(systemText(BandSystem::DvbS)), "fill=\"" + colour(band_colours::kDvbS) + "\""},
        {std::string(systemText(BandSystem::DvbS2)), "fill=\"" + colour(band_colours::kDvbS2) + "\""},
        {disabledLabel, "fill=\"" + colour(band_colours::kDvbS) + "\" fill-opacity=\"0.3\" stroke=\"" +
                            colour(band_colours::kDvbS) + "\" stroke-dasharray=\"2,2\""},
        {std::string(messageText(msg::kMarkOverlapping, language)),
         "fill=\"" + colour(band_colours::kOverlapping) + "\""},
        {std::string(messageText(msg::kMarkRepeated, language)), "fill=\"" + colour(band_colours::kRepeated) + "\""},
        {std::string(messageText(msg::kMarkOutsideLnb, language)),
         "fill=\"url(#outside)\" stroke=\"" + colour(band_colours::kOutsideLnb) + "\""},
    };
    // Against the right edge, about 7 pixels a character (8 in bold).
    std::vector<double> widths;
    for (const Item& item : items)
        widths.push_back(7.0 * static_cast<double>(item.label.size()) + kSwatch + 16.0);
    const std::size_t shown = canvas.legendItemsThatFit(6.0 + 8.0 * static_cast<double>(title.size()), widths);
    double x = canvas.width() - BandCanvas::kRightMargin;
    std::ostringstream legend;
    for (std::size_t i = shown; i-- > 0;) {
        const Item& item = items[i];
        x -= widths[i];
        legend << rect({x, baseline - kSwatch + 1.0, kSwatch, kSwatch}, item.swatch)
               << text(x + kSwatch + 4.0, baseline, item.label);
    }
    out << "<g class=\"legend\">\n" << legend.str() << "</g>\n";
}

void writeBands(std::ostream& out, const BandCanvas& canvas, Language language)
{
    const CanvasRect plot = canvas.plotArea();
    const BandLayout& layout = canvas.layout();
    for (const LnbBand& band : layout.bands) {
        const double left = std::max(canvas.xOf(band.range.low), plot.x);
        const double right = std::min(canvas.xOf(band.range.high), plot.right());
        if (right > left)
            out << rect({left, plot.y, right - left, plot.height},
                        "class=\"band\" fill=\"" + colour(band_colours::kBand) + "\"");
    }
    for (const LnbBand& band : layout.bands)
        for (const double edge : {band.range.low, band.range.high}) {
            const double x = canvas.xOf(edge);
            if (x < plot.x || x > plot.right())
                continue;
            out << line(x, plot.y, x, plot.bottom(),
                        "class=\"band-edge\" stroke=\"" + colour(band_colours::kBandEdge) + "\" stroke-width=\"1\"");
            // Written right of the edge, or left of it near the plot's end.
            const bool leftOfEdge = x > plot.right() - kEdgeLabelRoom;
            out << text(leftOfEdge ? x - 3.0 : x + 3.0, plot.bottom() - 4.0, decimal::formatFixed(edge, 0),
                        "fill=\"" + colour(band_colours::kBandEdge) + "\" font-size=\"10\"" +
                            (leftOfEdge ? " text-anchor=\"end\"" : ""));
        }
    if (layout.switchMHz) {
        const double x = canvas.xOf(*layout.switchMHz);
        if (x >= plot.x && x <= plot.right()) {
            out << line(x, plot.y, x, plot.bottom(),
                        "class=\"switch\" stroke=\"" + colour(band_colours::kSwitch) +
                            "\" stroke-width=\"1.5\" stroke-dasharray=\"6,3\"");
            out << text(
                x + 3.0, plot.y + 11.0,
                formatMessage(msg::kSwitchAt, language, std::vector{decimal::formatFixed(*layout.switchMHz, 0)}),
                "fill=\"" + colour(band_colours::kSwitch) + "\" font-size=\"10\"");
        }
    }
}

void writeBars(std::ostream& out, const CComonOrbitune& plan, const BandCanvas& canvas, Language language)
{
    const BandLayout& layout = canvas.layout();
    for (const std::size_t index : drawOrder(layout)) {
        const BandBar& bar = layout.bars[index];
        const auto box = canvas.barRect(bar);
        if (!box)
            continue;
        std::string classes = "tp " + systemClass(bar.system);
        if (!bar.enabled)
            classes += " disabled";
        if (!bar.overlaps.empty())
            classes += " overlapping";
        if (bar.repeats)
            classes += " repeated";
        if (bar.outsideLnb)
            classes += " outside";
        out << "<g class=\"" << classes << "\" data-slot=\"" << bar.slot << "\">\n<title>";
        bool first = true;
        for (const std::string& tooltip : barDescription(plan, bar, language)) {
            out << (first ? "" : "\n") << escaped(tooltip);
            first = false;
        }
        out << "</title>\n";
        const std::string fill = colour(band_colours::ofSystem(bar.system));
        out << rect(*box, bar.enabled
                              ? "fill=\"" + fill + "\""
                              : "fill=\"" + fill + "\" fill-opacity=\"" + number(band_colours::kDisabledOpacity) +
                                    "\" stroke=\"" + fill + "\" stroke-dasharray=\"3,2\"");
        if (bar.outsideLnb)
            out << rect(*box, "fill=\"url(#outside)\" stroke=\"" + colour(band_colours::kOutsideLnb) +
                                  "\" stroke-width=\"1.5\"");
        if (const auto mark = canvas.markRect(bar)) {
            const double half = mark->height / 2.0;
            if (!bar.overlaps.empty())
                out << rect({mark->x, mark->y, mark->width, half},
                            "fill=\"" + colour(band_colours::kOverlapping) + "\"");
            if (bar.repeats)
                out << rect({mark->x, mark->y + half, mark->width, half},
                            "fill=\"" + colour(band_colours::kRepeated) + "\"");
        }
        out << "</g>\n";
    }
}

void writeAxis(std::ostream& out, const BandCanvas& canvas)
{
    const CanvasRect axis = canvas.axisArea();
    out << line(axis.x, axis.y, axis.right(), axis.y, "stroke=\"#333333\"");
    const auto ticks = axisTicks(canvas.visible(), kMaxTicks);
    const double step = ticks.size() > 1 ? ticks[1] - ticks[0] : 1.0;
    for (const double tick : ticks) {
        const double x = canvas.xOf(tick);
        out << line(x, axis.y, x, axis.y + 5.0, "stroke=\"#333333\"");
        out << text(x, axis.y + 17.0, mhzText(tick, step), "text-anchor=\"middle\"");
    }
    out << text(axis.right(), axis.bottom() - 2.0, "MHz", "text-anchor=\"end\" font-size=\"10\"");
}

} // namespace

int bandSvgHeight(const BandLayout& layout)
{
    return static_cast<int>(BandCanvas::kLegendHeight + BandCanvas::kAxisHeight +
                            kLaneHeight * static_cast<double>(layout.lanes.size()));
}

std::string bandSvg(const CComonOrbitune& plan, const BandLayout& layout, Language language, int width)
{
    const int height = bandSvgHeight(layout);
    const BandCanvas canvas(layout, width, height, layout.span);
    std::ostringstream out;
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << width << "\" height=\"" << height
        << "\" viewBox=\"0 0 " << width << ' ' << height << "\" font-family=\"sans-serif\" font-size=\"11\">\n"
        << "<title>" << escaped(titleOf(plan)) << "</title>\n"
        << "<defs><pattern id=\"outside\" width=\"6\" height=\"6\" patternUnits=\"userSpaceOnUse\" "
           "patternTransform=\"rotate(45)\"><line x1=\"0\" y1=\"0\" x2=\"0\" y2=\"6\" stroke=\""
        << colour(band_colours::kOutsideLnb) << "\" stroke-width=\"2\"/></pattern></defs>\n"
        << "<rect width=\"" << width << "\" height=\"" << height << "\" fill=\"#FFFFFF\"/>\n";
    writeBands(out, canvas, language);
    for (std::size_t lane = 0; lane < layout.lanes.size(); ++lane) {
        const CanvasRect area = canvas.laneRect(static_cast<int>(lane));
        out << line(area.x, area.bottom(), area.right(), area.bottom(), "class=\"lane\" stroke=\"#C8D0D8\"");
        const CanvasRect label = canvas.laneLabelRect(static_cast<int>(lane));
        out << text(label.right(), label.y + label.height / 2.0 + 4.0, laneText(layout.lanes[lane]),
                    "text-anchor=\"end\"");
    }
    writeBars(out, plan, canvas, language);
    writeAxis(out, canvas);
    writeLegend(out, plan, canvas, language);
    out << "</svg>\n";
    return out.str();
}
