#include "cli/file_commands.h"

#include "cli/cli_prompts.h"
#include "cli/model_names.h"
#include "cli/plan_inputs.h"
#include "cli/plan_outputs.h"
#include "core/commands/file_commands.h"
#include "core/files/file_error_message.h"
#include "core/files/general_file.h"
#include "core/files/orbtab_file.h"
#include "core/files/plan_list_file.h"
#include "core/files/plans_json.h"
#include "core/res/string_ids.h"
#include "core/rules/channel_cell_rules.h"
#include "core/rules/channel_cell_texts.h"
#include "core/rules/decimal_text.h"
#include "core/rules/longitude.h"
#include "core/rules/model_checks.h"

#include <array>
#include <filesystem>
#include <iomanip>
#include <memory>
#include <optional>

namespace {

// One row of the TP table: each cell left-aligned in its column's width.
void printRow(std::ostream& out, const std::vector<std::string>& cells)
{
    static constexpr std::array<int, channel_column::kCount> kWidths{4, 10, 8, 7, 10, 8, 9, 5, 5, 5, 13, 5, 6};
    out << ' ';
    for (std::size_t i = 0; i < cells.size(); ++i)
        out << ' ' << std::left << std::setw(kWidths[i]) << cells[i];
    out << '\n';
}

// The plans, each with its TPs as the TP list shows them.
void printTable(const LoadedPlans& loaded, std::ostream& out)
{
    out << "nextPlanNumber: " << loaded.nextPlanNumber << '\n';
    out << "plans: " << loaded.plans.count() << '\n';
    int row = 0;
    for (const auto& plan : loaded.plans) {
        out << '\n'
            << "Plan " << ++row << ": \"" << terminalText(plan.nameText()) << "\"  number " << int{plan.number} << "  "
            << longitude::hemisphereText(plan.longitude, plan.isEast == 1) << "  LNB " << plan.lnbLow << "/"
            << plan.lnbHigh << " (10 kHz)  tag " << plan.tag << "  flag " << plan.flag << "  TPs " << plan.channelCount
            << "  id " << plan.id.toString() << '\n';
        if (plan.channelCount == 0)
            continue;
        printRow(out, {"No", "Name", "Enable", "Type", "Freq(MHz)", "BW(MHz)", "SR(MS/s)", "CR", "Mod", "RO",
                       "Polarization", "LNB", "Pilots"});
        for (const auto& c : plan.usedChannels()) {
            std::vector<std::string> cells{std::to_string(int{c.number})};
            for (int column = 1; column < channel_column::kCount; ++column)
                cells.push_back(ChannelCellText(c, column));
            // The frequency exactly, where the list shows whole MHz.
            cells[channel_column::kFrequency] = decimal::formatScaled(c.frequency, 2);
            cells[channel_column::kName] = terminalText(cells[channel_column::kName]);
            printRow(out, cells);
        }
    }
}

struct ShowOptions {
    bool json = false;
    std::vector<std::string> files;
};

void runShow(const ShowOptions& options, CliContext& context)
{
    const auto loaded = readPlanInputs(options.files, context);
    if (!loaded)
        return;
    if (options.json)
        context.out << encodePlansJson(loaded->nextPlanNumber, loaded->plans);
    else
        printTable(*loaded, context.out);
}

struct ConvertOptions {
    std::string to;
    bool renumber = false;
    bool overwrite = false;
    std::vector<std::string> paths;
};

// The file types of the Save commands by --to name.
std::optional<FileType> fileTypeOf(const std::string& to)
{
    if (to == "gnr")
        return FileType::General;
    if (to == "planList")
        return FileType::Q24;
    if (to == "orbtab")
        return FileType::Q9100;
    return std::nullopt;
}

// Writes the plans as the Save commands do, the dialogs answered by the
// options: Save All, or with --renumber Save Select of every plan.
void runConvert(const ConvertOptions& options, CliContext& context)
{
    if (options.paths.size() < 2)
        throw CLI::ValidationError("convert", "needs at least one INPUT and the OUTPUT");
    if (options.renumber && options.to == "json")
        throw CLI::ValidationError("convert",
                                   "--renumber numbers the plans of a .gnr file; --to json keeps their numbers");
    const std::vector<std::string> inputs(options.paths.begin(), options.paths.end() - 1);
    const std::filesystem::path output = options.paths.back();
    auto loaded = readPlanInputs(inputs, context);
    // A file of part of the inputs would lose the rest: nothing is written.
    if (!loaded || !loaded->allTaken)
        return;
    const auto type = fileTypeOf(options.to);
    if (!type) {
        writeJsonPlans(*loaded, output, options.overwrite, context);
        return;
    }
    CliPrompts prompts(context);
    prompts.fileType = type;
    prompts.outputFile = output.string();
    prompts.outputFolder = output.string();
    prompts.overwrite = options.overwrite;
    if (*type == FileType::Q9100) {
        std::error_code ec;
        std::filesystem::create_directories(output, ec);
    }
    if (options.renumber) {
        std::vector<Guid> all;
        for (const auto& plan : loaded->plans)
            all.push_back(plan.id);
        saveSelected(loaded->plans, prompts, all, {});
    } else {
        saveAll(loaded->plans, prompts, {});
    }
}

struct CheckOptions {
    std::string model;
    std::vector<std::string> files;
};

void runCheck(const CheckOptions& options, CliContext& context)
{
    const auto loaded = readPlanInputs(options.files, context);
    if (!loaded)
        return;
    const MeterModel model = *modelNamed(options.model);
    // Inputs the list cannot hold whole pass no model's check; the General
    // file holds no more than the list.
    if (!loaded->allTaken && model == MeterModel::General) {
        context.fail(CliContext::kRefused, msg::kGeneralMaxPlans);
        return;
    }
    const auto failed = checkModel(model, allPlans(loaded->plans));
    if (failed) {
        context.fail(CliContext::kRefused, failed->message, failed->args);
        return;
    }
    if (loaded->allTaken)
        context.out << "OK\n";
}

} // namespace

void addFileCommands(CLI::App& app, CliContext& context)
{
    auto show = std::make_shared<ShowOptions>();
    auto* showCommand = app.add_subcommand("show", "Print the plans of plan files as a table or as JSON");
    showCommand->add_flag("--json", show->json, "Print JSON instead of a table");
    showCommand->add_option("FILE", show->files, "Plan files, read as the Open command reads them")->required();
    showCommand->callback([show, &context] { runShow(*show, context); });

    auto convert = std::make_shared<ConvertOptions>();
    auto* convertCommand = app.add_subcommand("convert", "Convert plan files to another format");
    convertCommand->add_option("--to", convert->to, "Target format")
        ->required()
        ->check(CLI::IsMember({"gnr", "planList", "orbtab", "json"}));
    convertCommand->add_flag("--renumber", convert->renumber, "Number the plans 0, 1, 2, ... (gnr)");
    convertCommand->add_flag("--overwrite", convert->overwrite, "Replace existing files");
    convertCommand->add_option("INPUT... OUTPUT", convert->paths, "Input files, then the output file or folder")
        ->required();
    convertCommand->callback([convert, &context] { runConvert(*convert, context); });

    auto check = std::make_shared<CheckOptions>();
    auto* checkCommand = app.add_subcommand("check", "Check plan files against a meter family's limits");
    checkCommand->add_option("--model", check->model, "Meter family")
        ->required()
        ->check(CLI::IsMember(std::vector<std::string>(kModelNames.begin(), kModelNames.end())));
    checkCommand->add_option("FILE", check->files, "Plan files")->required();
    checkCommand->callback([check, &context] { runCheck(*check, context); });
}
