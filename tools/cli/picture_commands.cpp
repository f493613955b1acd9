#include "cli/picture_commands.h"

#include "cli/plan_inputs.h"
#include "core/files/atomic_save.h"
#include "core/pictures/band_layout.h"
#include "core/pictures/band_svg.h"
#include "core/pointing/plan_pointing.h"
#include "core/pointing/site.h"
#include "core/res/string_ids.h"
#include "core/rules/longitude.h"

#include <nlohmann/json.hpp>

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <iomanip>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace {

struct DrawOptions {
    std::vector<std::string> files;
    std::string plan;
    std::string output;
    int width = 1200;
    bool overwrite = false;
};

// The plan --plan names (the first of that name), or the only plan when it
// names none.
const CComonOrbitune* chosenPlan(const LoadedPlans& loaded, const DrawOptions& options, CliContext& context)
{
    if (options.plan.empty()) {
        if (loaded.plans.count() == 1)
            return &loaded.plans.at(0);
        context.failText(CliContext::kUnreadable, options.files.front() + " holds " +
                                                      std::to_string(loaded.plans.count()) +
                                                      " plans: name the one to draw with --plan NAME");
        return nullptr;
    }
    for (const CComonOrbitune& plan : loaded.plans)
        if (plan.nameText() == options.plan)
            return &plan;
    context.fail(CliContext::kUnreadable, msg::kNoPlanNamed, {options.files.front(), options.plan});
    return nullptr;
}

void runDraw(const DrawOptions& options, CliContext& context)
{
    const auto loaded = readPlanInputs(options.files, context);
    if (!loaded)
        return;
    const CComonOrbitune* plan = chosenPlan(*loaded, options, context);
    if (plan == nullptr)
        return;
    const std::string svg = bandSvg(*plan, layOutBand(*plan), context.language, options.width);
    if (options.output.empty() || options.output == "-") {
        context.out << svg;
        return;
    }
    const std::filesystem::path output = options.output;
    std::error_code ec;
    if (!options.overwrite && std::filesystem::exists(output, ec)) {
        context.fail(CliContext::kRefused, msg::kFileExists, {output.string()});
        return;
    }
    const auto saved =
        saveFileAtomically(output, std::span(reinterpret_cast<const std::uint8_t*>(svg.data()), svg.size()));
    if (!saved.ok())
        context.failFile(CliContext::kRefused, *saved.error);
}

struct PointOptions {
    std::string site;
    std::string date;
    bool json = false;
    std::vector<std::string> files;
};

// "YYYY-MM-DD", a real day.
std::optional<std::chrono::year_month_day> parseDate(const std::string& text)
{
    if (text.size() != 10 || text[4] != '-' || text[7] != '-')
        return std::nullopt;
    const auto part = [&text](std::size_t at, std::size_t length) -> std::optional<int> {
        int value = 0;
        const char* begin = text.data() + at;
        const auto [end, ec] = std::from_chars(begin, begin + length, value);
        if (ec != std::errc{} || end != begin + length || value < 0)
            return std::nullopt;
        return value;
    };
    const auto year = part(0, 4);
    const auto month = part(5, 2);
    const auto day = part(8, 2);
    if (!year || !month || !day)
        return std::nullopt;
    const std::chrono::year_month_day date{std::chrono::year{*year}, std::chrono::month{static_cast<unsigned>(*month)},
                                           std::chrono::day{static_cast<unsigned>(*day)}};
    return date.ok() ? std::optional(date) : std::nullopt;
}

// The site of --site, each part checked on its own so that the message names
// the part at fault.
std::optional<Site> siteOf(const std::string& text, CliContext& context)
{
    const auto comma = text.find(',');
    if (comma == std::string::npos || text.find(',', comma + 1) != std::string::npos) {
        context.failText(CliContext::kUnreadable, "--site " + text + ": give LAT,LON such as 52.5,13.4 or 40.7N,74.0W");
        return std::nullopt;
    }
    const std::string latitude = text.substr(0, comma);
    const std::string longitude = text.substr(comma + 1);
    const auto lat = site_text::parseLatitude(latitude);
    const auto lon = site_text::parseLongitude(longitude);
    if (!lat)
        context.fail(CliContext::kUnreadable, msg::kBadLatitude, {latitude});
    if (!lon)
        context.fail(CliContext::kUnreadable, msg::kBadLongitude, {longitude});
    if (!lat || !lon)
        return std::nullopt;
    return Site{*lat, *lon};
}

double rounded(double value)
{
    return std::round(value * 100.0) / 100.0 + 0.0;
}

void printCell(std::ostream& out, const std::string& text, int width)
{
    out << std::left << std::setw(width) << text;
}

void printPointingTable(const LoadedPlans& loaded, const std::vector<PlanPointing>& rows, CliContext& context)
{
    static constexpr std::array<int, 7> kWidths{4, 10, 9, 9, 10, 11, 10};
    const std::array<std::string, 7> headers{"No", "Plan Name", "Position", "Azimuth", "Magnetic", "Elevation", "Skew"};
    context.out << ' ';
    for (std::size_t i = 0; i < headers.size(); ++i)
        printCell(context.out, ' ' + headers[i], kWidths[i] + 1);
    context.out << '\n';
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const PlanPointing& row = rows[i];
        const CComonOrbitune& plan = loaded.plans.at(static_cast<int>(i));
        const std::array<std::string, 7> cells{
            std::to_string(i + 1),
            plan.nameText(),
            longitude::hemisphereText(plan.longitude, plan.isEast != 0),
            pointing_text::figureText(row, PointingFigure::Azimuth, context.language),
            pointing_text::figureText(row, PointingFigure::MagneticAzimuth, context.language),
            pointing_text::figureText(row, PointingFigure::Elevation, context.language),
            pointing_text::figureText(row, PointingFigure::Skew, context.language)};
        context.out << ' ';
        for (std::size_t c = 0; c < cells.size(); ++c)
            printCell(context.out, ' ' + cells[c], kWidths[c] + 1);
        if (!row.dish.aboveHorizon())
            context.out << ' ' << messageText(msg::kBelowHorizon, context.language);
        context.out << '\n';
    }
}

void runPoint(const PointOptions& options, CliContext& context)
{
    const auto site = siteOf(options.site, context);
    std::optional<std::chrono::year_month_day> day = pointing::today();
    if (!options.date.empty()) {
        day = parseDate(options.date);
        if (!day)
            context.failText(CliContext::kUnreadable, "--date " + options.date + ": give a day such as 2026-03-01");
    }
    if (!site || !day)
        return;
    const auto loaded = readPlanInputs(options.files, context);
    if (!loaded)
        return;
    const Declination declination = pointing::declinationAt(*site, *day);
    const auto rows = pointPlans(loaded->plans, *site, declination);
    const auto gap = pointing_text::gapNotice(declination.gap, *day);
    if (gap)
        context.note(gap->message, gap->args);

    if (options.json) {
        nlohmann::ordered_json json;
        json["site"] = {{"latitude", site->latitude}, {"longitude", site->longitude}};
        json["date"] = pointing_text::dateText(*day);
        json["declination"] = declination.known() ? nlohmann::ordered_json(rounded(declination.degrees)) : nullptr;
        json["plans"] = nlohmann::ordered_json::array();
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const PlanPointing& row = rows[i];
            const CComonOrbitune& plan = loaded->plans.at(static_cast<int>(i));
            nlohmann::ordered_json entry;
            entry["name"] = plan.nameText();
            entry["id"] = plan.id.toString();
            entry["longitude"] = rounded(row.longitude);
            entry["azimuth"] = rounded(row.dish.azimuth);
            entry["magneticAzimuth"] =
                row.magneticAzimuth ? nlohmann::ordered_json(rounded(*row.magneticAzimuth)) : nullptr;
            entry["elevation"] = rounded(row.dish.elevation);
            entry["skew"] = rounded(row.dish.skew);
            entry["aboveHorizon"] = row.dish.aboveHorizon();
            json["plans"].push_back(entry);
        }
        context.out << json.dump(2) << '\n';
        return;
    }
    context.out << "Site: " << site_text::latitudeText(site->latitude) << ' '
                << site_text::longitudeText(site->longitude) << '\n';
    if (declination.known())
        context.out << formatMessage(
                           msg::kDeclination, context.language,
                           std::vector{pointing_text::angleText(declination.degrees), pointing_text::dateText(*day)})
                    << '\n';
    context.out << '\n';
    printPointingTable(*loaded, rows, context);
}

} // namespace

void addPictureCommands(CLI::App& app, CliContext& context)
{
    auto draw = std::make_shared<DrawOptions>();
    auto* drawCommand = app.add_subcommand("draw", "Write the band picture of a plan as SVG: its TPs on a frequency "
                                                   "axis in lanes by polarization, with its LNB's bands and switch");
    drawCommand->add_option("FILE", draw->files, "Plan files, read as the Open command reads them")->required();
    drawCommand->add_option("--plan", draw->plan, "The plan to draw, by name (needed when the files hold several)");
    drawCommand->add_option("-o,--output", draw->output, "The SVG file to write; without it, standard output");
    drawCommand->add_option("--width", draw->width, "The picture's width in pixels")
        ->check(CLI::Range(400, 10000))
        ->capture_default_str();
    drawCommand->add_flag("--overwrite", draw->overwrite, "Replace an existing output file");
    drawCommand->callback([draw, &context] { runDraw(*draw, context); });

    auto point = std::make_shared<PointOptions>();
    auto* pointCommand = app.add_subcommand(
        "point", "Print where to point the dish at each plan's satellite from a site: azimuth (true and magnetic), "
                 "elevation and LNB skew");
    pointCommand
        ->add_option("--site", point->site,
                     "The site as LAT,LON in degrees, south and west negative or with N, S, E, W: 52.5,13.4 or "
                     "40.7N,74.0W")
        ->required();
    pointCommand->add_option("--date", point->date,
                             "The day of the magnetic declination, YYYY-MM-DD (default: today, UTC)");
    pointCommand->add_flag("--json", point->json, "Print JSON instead of a table");
    pointCommand->add_option("FILE", point->files, "Plan files, read as the Open command reads them")->required();
    pointCommand->footer(
        "The Earth is taken as a sphere; the magnetic azimuth comes from the World Magnetic Model 2025, which holds "
        "from 2025-01-01 to 2029-12-31. The skew is how far to turn the LNB from upright, positive clockwise as seen "
        "from behind the dish.");
    pointCommand->callback([point, &context] { runPoint(*point, context); });
}
