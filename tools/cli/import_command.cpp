#include "cli/import_command.h"

#include "cli/cli_prompts.h"
#include "cli/model_names.h"
#include "cli/plan_inputs.h"
#include "cli/plan_outputs.h"
#include "core/commands/file_commands.h"
#include "core/files/atomic_save.h"
#include "core/files/open_files.h"
#include "core/files/orbtab_file.h"
#include "core/import/import_source.h"
#include "core/import/plan_import.h"
#include "core/import/plan_update.h"
#include "core/import/table_source.h"
#include "core/res/string_ids.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <iomanip>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

struct ImportOptions {
    bool list = false;
    std::vector<std::string> satellites;
    std::string model;
    bool overwrite = false;
    std::vector<std::string> paths;
};

std::string satelliteTitle(const Satellite& satellite)
{
    return satellite.name + " " + positionText(satellite.position);
}

// Each satellite on a line: position, name, TP count and how many the records
// cannot hold, then those TPs with their reasons. Names come from the source:
// they are printed as terminalText writes them.
void printListing(const SourceListing& listing, CliContext& context)
{
    for (const auto& satellite : listing.satellites) {
        const auto count = static_cast<int>(satellite.tps.size());
        const int leftOut = count - satellite.storableCount();
        context.out << std::right << std::setw(6) << positionText(satellite.position) << "  "
                    << terminalText(satellite.name) << "  " << count << " TPs";
        if (leftOut > 0)
            context.out << ", " << leftOut << " left out";
        context.out << '\n';
        for (const auto& tp : satellite.tps)
            if (tp.leftOut)
                context.out << "        " << tp.label << ": " << terminalText(noticeText(*tp.leftOut, context.language))
                            << '\n';
    }
}

// Names the satellites that are left out, then reports the source's problems;
// true when it had none. A satellite left out does not stop the others.
bool sourceReadWell(const SourceListing& listing, CliContext& context)
{
    for (const auto& satellite : listing.leftOut)
        context.note(satellite.message, satellite.args);
    for (const auto& problem : listing.problems)
        context.fail(CliContext::kUnreadable, problem.message, problem.args);
    return listing.problems.empty();
}

// The satellites each --satellite value names, by position ("13.0E") or by
// name, in the order named; nothing when one names none.
std::optional<std::vector<Satellite>> chosenSatellites(const SourceListing& listing, const ImportOptions& options,
                                                       const std::string& source, CliContext& context)
{
    std::vector<const Satellite*> chosen;
    for (const auto& wanted : options.satellites) {
        const auto position = parsePosition(wanted);
        bool found = false;
        for (const auto& satellite : listing.satellites) {
            if (position ? satellite.position != *position : satellite.name != wanted)
                continue;
            found = true;
            if (std::find(chosen.begin(), chosen.end(), &satellite) == chosen.end())
                chosen.push_back(&satellite);
        }
        if (!found) {
            context.fail(CliContext::kUnreadable, msg::kNoSatelliteAt, {source, wanted});
            return std::nullopt;
        }
    }
    std::vector<Satellite> satellites;
    for (const Satellite* satellite : chosen)
        satellites.push_back(*satellite);
    return satellites;
}

// The model an output is checked for: the one named, else the family of its
// format. An .Orbtab file is held to what it can store: general means Q9100.
MeterModel modelFor(const ImportOptions& options, PlanFileKind kind)
{
    const auto named = modelNamed(options.model);
    if (named && !(*named == MeterModel::General && kind == PlanFileKind::Q9100))
        return *named;
    if (kind == PlanFileKind::Q24)
        return MeterModel::Q24;
    if (kind == PlanFileKind::Q9100)
        return MeterModel::Q9100;
    return MeterModel::General;
}

// An .Orbtab file holds the one plan written to it.
void writeOrbtab(const CComonOrbitune& plan, const std::filesystem::path& output, bool overwrite, CliContext& context)
{
    std::error_code ec;
    if (!overwrite && std::filesystem::exists(output, ec)) {
        context.fail(CliContext::kRefused, msg::kFileExists, {output.string()});
        return;
    }
    const auto image = orbtab_file::encode(plan, 1);
    const auto saved = saveFileAtomically(output, image);
    if (!saved.ok())
        context.failFile(CliContext::kRefused, *saved.error);
}

// Writes the plans in the format OUTPUT's extension names, as the Save
// commands write it.
void writePlans(LoadedPlans& loaded, PlanFileKind kind, const std::filesystem::path& output, bool overwrite,
                CliContext& context)
{
    if (kind == PlanFileKind::Json) {
        writeJsonPlans(loaded, output, overwrite, context);
        return;
    }
    if (kind == PlanFileKind::Q9100) {
        writeOrbtab(loaded.plans.at(0), output, overwrite, context);
        return;
    }
    CliPrompts prompts(context);
    prompts.fileType = kind == PlanFileKind::Q24 ? FileType::Q24 : FileType::General;
    prompts.outputFile = output.string();
    prompts.overwrite = overwrite;
    saveAll(loaded.plans, prompts, {});
}

void runImport(const ImportOptions& options, CliContext& context)
{
    const std::size_t sourceArgs = options.list ? 1 : 2;
    if (options.list == !options.satellites.empty())
        throw CLI::ValidationError("import", "give either --list or at least one --satellite");
    if (options.paths.size() > sourceArgs || (!options.list && options.paths.empty()))
        throw CLI::ValidationError("import", options.list ? "takes at most one SOURCE" : "needs [SOURCE] OUTPUT");
    const bool sourceGiven = options.paths.size() == sourceArgs;
    const std::string source = sourceGiven ? options.paths.front() : defaultScanFolder().string();
    const std::string output = options.list ? std::string() : options.paths.back();
    const auto kind = planFileKind(output);
    if (!options.list && !kind)
        throw CLI::ValidationError("import", "OUTPUT must end in .gnr, .planList, .Orbtab or .json");

    const SourceListing listing = readAnySource(source, context.language);
    if (options.list) {
        printListing(listing, context);
        sourceReadWell(listing, context);
        return;
    }
    if (!sourceReadWell(listing, context))
        return;
    const auto satellites = chosenSatellites(listing, options, source, context);
    if (!satellites)
        return;
    if (kind == PlanFileKind::Q9100 && satellites->size() != 1)
        throw CLI::ValidationError("import", "an .Orbtab file holds one plan: choose one satellite");

    const ImportResult result = importSatellites(*satellites, PlanList{}, modelFor(options, *kind), 0);
    for (std::size_t i = 0; i < result.plans.size(); ++i) {
        if (const auto& renamed = result.plans[i].nameChanged)
            context.note(renamed->message, renamed->args);
        for (const auto& left : result.plans[i].leftOut)
            context.note(msg::kTpLeftOut,
                         {left.tp, satelliteTitle((*satellites)[i]), noticeText(left.why, context.language)});
        for (const auto& guessed : result.plans[i].guessed)
            context.note(msg::kCodeRateGuessed, {guessed.tp, satelliteTitle((*satellites)[i]), guessed.codeRate});
    }
    if (result.refused) {
        context.fail(CliContext::kRefused, result.refused->message, result.refused->args);
        return;
    }
    LoadedPlans loaded;
    loaded.nextPlanNumber = result.nextPlanNumber;
    for (const auto& made : result.plans)
        loaded.plans.append(made.plan);
    writePlans(loaded, *kind, output, options.overwrite, context);
}

struct UpdateOptions {
    std::vector<std::string> satellites;
    std::string model;
    bool dryRun = false;
    bool overwrite = false;
    std::vector<std::string> paths;
};

// Each plan of INPUT against the satellite of SOURCE at its position: the
// differences on stdout, a plan no satellite matches on stderr; then, unless
// --dry-run, every difference taken and the plans written to OUTPUT.
void runUpdate(const UpdateOptions& options, CliContext& context)
{
    if (options.paths.size() != 3 && !(options.dryRun && options.paths.size() == 2))
        throw CLI::ValidationError("update",
                                   options.dryRun ? "needs SOURCE INPUT [OUTPUT]" : "needs SOURCE INPUT OUTPUT");
    const std::string& source = options.paths[0];
    const std::string output = options.paths.size() == 3 ? options.paths[2] : std::string();
    const auto kind = planFileKind(output.empty() ? options.paths[1] : output);
    if (!kind)
        throw CLI::ValidationError("update", "OUTPUT must end in .gnr, .planList, .Orbtab or .json");

    const SourceListing listing = readAnySource(source, context.language);
    if (!sourceReadWell(listing, context))
        return;
    std::vector<Satellite> satellites = listing.satellites;
    if (!options.satellites.empty()) {
        ImportOptions chosen;
        chosen.satellites = options.satellites;
        auto named = chosenSatellites(listing, chosen, source, context);
        if (!named)
            return;
        satellites = std::move(*named);
    }
    auto loaded = readPlanInputs({options.paths[1]}, context);
    if (!loaded || !loaded->allTaken)
        return;
    ImportOptions modelOptions;
    modelOptions.model = options.model;
    const MeterModel model = modelFor(modelOptions, *kind);
    for (CComonOrbitune& plan : loaded->plans) {
        const PlanUpdate update = planUpdate(plan, satellites);
        if (update.problem) {
            context.note(msg::kUpdateRefused, {update.planName, noticeText(*update.problem, context.language)});
            continue;
        }
        const auto count = [&](TpDifference kind) {
            return std::to_string(std::count_if(update.changes.begin(), update.changes.end(),
                                                [kind](const TpChange& change) { return change.kind == kind; }));
        };
        context.out << terminalText(noticeText(
                           {msg::kUpdateSummary,
                            {update.planName,
                             positionText({static_cast<int>(std::lround(plan.longitude * 10.0F)), plan.isEast != 0}),
                             update.satellite, count(TpDifference::Added), count(TpDifference::Removed),
                             count(TpDifference::Changed)}},
                           context.language))
                    << '\n';
        for (const std::string& line : changeLines(update))
            context.out << "  " << terminalText(line) << '\n';
        const UpdatedPlan updated =
            applyUpdate(plan, update, std::vector<bool>(update.changes.size(), true), model, context.language);
        if (updated.refused) {
            context.fail(CliContext::kRefused, updated.refused->message, updated.refused->args);
            continue;
        }
        for (const Notice& note : updated.notTaken)
            context.note(note.message, note.args);
        plan = updated.plan;
    }
    if (options.dryRun || context.exitCode != CliContext::kSuccess)
        return;
    writePlans(*loaded, *kind, output, options.overwrite, context);
}

} // namespace

void addUpdateCommand(CLI::App& app, CliContext& context)
{
    auto options = std::make_shared<UpdateOptions>();
    auto* command = app.add_subcommand(
        "update", "Bring plans up to date with a satellite database: each plan takes the TPs the satellite at its "
                  "position adds, drops those it no longer has and changes those it gives otherwise");
    command
        ->add_option("--satellite", options->satellites,
                     "A satellite of SOURCE the plans may match, by position (19.2E) or by name; may be repeated")
        ->allow_extra_args(false);
    command->add_option("--model", options->model, "Meter family whose limits the plans keep (default: by OUTPUT)")
        ->check(CLI::IsMember(std::vector<std::string>(kModelNames.begin(), kModelNames.end())));
    command->add_flag("--dry-run", options->dryRun, "Print the differences and write nothing");
    command->add_flag("--overwrite", options->overwrite, "Replace an existing OUTPUT");
    command->add_option("SOURCE INPUT OUTPUT", options->paths,
                        "The source (as import reads it), the plan file, then the .gnr, .planList, .Orbtab or .json "
                        "file to write");
    command->callback([options, &context] { runUpdate(*options, context); });
}

void addImportCommand(CLI::App& app, CliContext& context)
{
    auto options = std::make_shared<ImportOptions>();
    auto* command = app.add_subcommand(
        "import", "Make plans from a satellite database: DVBv5 scan files (a file or a folder, by default " +
                      defaultScanFolder().string() + "), a satellites.xml file, or a .csv or .tsv table of TPs");
    command->add_flag("--list", options->list, "List the satellites with their TP counts and the TPs left out");
    command
        ->add_option("--satellite", options->satellites,
                     "A satellite to make a plan of, by position (19.2E, 30.0W) or by name; may be repeated")
        ->allow_extra_args(false);
    command->add_option("--model", options->model, "Meter family whose limits the plans keep (default: by OUTPUT)")
        ->check(CLI::IsMember(std::vector<std::string>(kModelNames.begin(), kModelNames.end())));
    command->add_flag("--overwrite", options->overwrite, "Replace an existing OUTPUT");
    command->add_option("SOURCE OUTPUT", options->paths, "The source, then the .gnr, .planList, .Orbtab or .json file");
    command->callback([options, &context] { runImport(*options, context); });
}
