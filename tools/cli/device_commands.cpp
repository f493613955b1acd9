#include "cli/device_commands.h"

#include "cli/cli_progress.h"
#include "cli/cli_prompts.h"
#include "cli/plan_inputs.h"
#include "core/commands/firmware_image.h"
#include "core/commands/transfer_commands.h"
#include "core/device/firmware_upgrade.h"
#include "core/device/hid_link.h"
#include "core/device/meter_selection.h"
#include "core/device/plan_download.h"
#include "core/device/plan_upload.h"
#include "core/device/transfer_messages.h"
#include "core/files/atomic_save.h"
#include "core/files/general_file.h"
#include "core/files/open_files.h"
#include "core/files/plans_json.h"
#include "core/res/string_ids.h"
#include "core/rules/model_checks.h"

#include <filesystem>
#include <memory>
#include <optional>

namespace {

struct MeterOptions {
    std::optional<std::string> environment; // ORBITUNE_METER at start
    std::optional<std::string> meter;       // --meter
    std::string identity = "default";
    int replyLimitMs = static_cast<int>(HidLink::kReplyLimit.count());
};

// The link to the chosen meter and the name that messages about it carry.
struct Meter {
    std::unique_ptr<HidLink> link;
    std::string name;
    DeviceType deviceType = DeviceType::Q36Checked;
};

// The link to the meter --meter (or else ORBITUNE_METER) names, looking for the
// identity --identity names; nothing, with the reason on stderr, when the
// choice is refused. Nothing is connected yet.
std::optional<Meter> chooseMeter(const MeterOptions& options, CliContext& context)
{
    const auto choice = options.meter ? options.meter : options.environment;
    auto selection = selectMeterBackend(choice);
    if (!selection.backend) {
        context.failText(CliContext::kUnreadable, selection.error);
        return std::nullopt;
    }
    const auto& identity = kMeterIdentities[options.identity == "q36" ? 0 : 1];
    Meter meter;
    meter.link = std::make_unique<HidLink>(std::move(selection.backend));
    meter.link->setIdentity(identity);
    meter.link->setReplyLimit(std::chrono::milliseconds(options.replyLimitMs));
    meter.deviceType = identity.deviceType;
    meter.name =
        "meter " + (choice && !choice->empty() ? *choice : std::string("hid")) + " (" +
        identityText(static_cast<std::uint16_t>(identity.vendorId), static_cast<std::uint16_t>(identity.productId)) +
        ")";
    return meter;
}

// The meter was not there: missing, or there but not to be opened.
void reportMissing(const Meter& meter, CliPrompts& prompts)
{
    tellMeterMessage(prompts, PromptOwner::MainWindow,
                     meterMissingMessage(meter.link->openFailure(), msg::kQ36NotFound));
}

const char* stateName(int status)
{
    if (status == kMeterNormal)
        return "normal";
    if (status == kMeterUpgrade)
        return "upgrade";
    return "unknown";
}

// Whether the meter gave a count; if not, what was wrong is told after the
// meter's name (a lost link as the transfers tell it).
bool countGiven(const Meter& meter, const MeterCount& count, std::optional<int> planIndex, CliContext& context)
{
    const auto stop = countStop(count, planIndex);
    if (!stop)
        return true;
    if (count.fault == MeterCount::Fault::NoReply) {
        context.failAbout(CliContext::kRefused, meter.name, msg::kDeviceNotFound);
        return false;
    }
    const MeterMessage message = transferStopMessage(*stop);
    context.failAbout(CliContext::kRefused, meter.name, message.id, message.args);
    return false;
}

void runStatus(const MeterOptions& options, CliContext& context)
{
    auto meter = chooseMeter(options, context);
    if (!meter)
        return;
    HidLink& link = *meter->link;
    if (!link.open()) {
        CliPrompts prompts(context, meter->name);
        reportMissing(*meter, prompts);
        return;
    }
    const int status = link.queryStatus();
    if (!link.connected() || status == -1) {
        context.failAbout(CliContext::kRefused, meter->name, msg::kDeviceNotFound);
        return;
    }
    context.out << meter->name << '\n' << "status: " << status << " (" << stateName(status) << ")\n";
    // Plans are only counted in the normal state, the one in which they can be
    // transferred.
    if (status != kMeterNormal)
        return;
    const MeterCount plans = link.queryPlanCount();
    if (!countGiven(*meter, plans, std::nullopt, context))
        return;
    context.out << "plans: " << plans.value << '\n';
    for (int planIndex = 0; planIndex < plans.value; ++planIndex) {
        const MeterCount tps = link.queryTpCount(planIndex);
        if (!countGiven(*meter, tps, planIndex, context))
            return;
        context.out << "Plan " << planIndex + 1 << ": " << tps.value << " TPs\n";
    }
}

void runDownloadCommand(const MeterOptions& options, const std::vector<std::string>& files, CliContext& context)
{
    const auto loaded = readPlanInputs(files, context);
    if (!loaded)
        return;
    auto meter = chooseMeter(options, context);
    if (!meter)
        return;
    CliPrompts prompts(context, meter->name);
    CliTransferRunner runner(context, meter->name);
    const auto outcome = downloadPlans(loaded->plans, *meter->link, prompts, runner, meter->deviceType);
    if (outcome == TransferOutcome::Succeeded)
        context.out << messageText(msg::kDownloadSucceeded, context.language) << '\n';
    else if (outcome == TransferOutcome::NothingToSend)
        context.failText(CliContext::kRefused, "no plans to download");
}

struct UploadOptions {
    std::string output;
    bool overwrite = false;
};

SaveResult writeUploaded(const std::filesystem::path& output, const PlanList& plans)
{
    if (planFileKind(output.string()) == PlanFileKind::General)
        return writeGeneralFile(output, allPlans(plans));
    const std::string text = encodePlansJson(plans.count(), plans);
    return saveFileAtomically(output, std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

void runUploadCommand(const MeterOptions& options, const UploadOptions& upload, CliContext& context)
{
    const std::filesystem::path output = upload.output;
    const auto kind = planFileKind(output.string());
    if (kind != PlanFileKind::General && kind != PlanFileKind::Json)
        throw CLI::ValidationError("upload", "OUTPUT must end in .gnr or .json");
    std::error_code ec;
    if (!upload.overwrite && std::filesystem::exists(output, ec)) {
        context.fail(CliContext::kRefused, msg::kFileExists, {output.string()});
        return;
    }
    auto meter = chooseMeter(options, context);
    if (!meter)
        return;
    CliPrompts prompts(context, meter->name);
    CliTransferRunner runner(context, meter->name);
    PlanList plans;
    const auto outcome = uploadPlans(plans, *meter->link, prompts, runner, {});
    if (!outcome)
        return;
    // A failed upload leaves the list empty: nothing is written.
    if (*outcome != TransferOutcome::Succeeded) {
        context.err << output.string() << " is not written\n";
        return;
    }
    const auto saved = writeUploaded(output, plans);
    if (!saved.ok()) {
        context.failFile(CliContext::kRefused, *saved.error);
        return;
    }
    context.out << messageText(msg::kUploadTitle, context.language) << '\n';
}

void runUpgradeCommand(const MeterOptions& options, const std::string& imagePath, CliContext& context)
{
    const auto load = loadFirmwareImage(imagePath);
    if (load.error == FirmwareLoad::Error::Unreadable) {
        context.failFile(CliContext::kUnreadable, *load.unreadable);
        return;
    }
    if (load.error == FirmwareLoad::Error::TooLarge) {
        context.fail(CliContext::kRefused, msg::kUpgradeImageTooLarge, {imagePath});
        return;
    }
    auto meter = chooseMeter(options, context);
    if (!meter)
        return;
    CliProgress progress(context, meter->name, msg::kUpgradeTitle);
    if (runUpgrade(*meter->link, load.image->data, progress) == TransferOutcome::Succeeded) {
        context.out << messageText(msg::kUpgradeSucceeded, context.language) << '\n';
        return;
    }
    if (progress.stop()) {
        CliPrompts prompts(context, meter->name);
        tellMeterMessage(prompts, PromptOwner::MainWindow, transferStopMessage(*progress.stop()));
    }
}

} // namespace

void addDeviceCommands(CLI::App& app, CliContext& context)
{
    auto options = std::make_shared<MeterOptions>();
    options->environment = meterFromEnvironment();
    app.add_option("--meter", options->meter,
                   "Meter to use: hid, sim or tcp://127.0.0.1:PORT (overrides ORBITUNE_METER; default hid)");
    app.add_option("--identity", options->identity,
                   "USB identity looked for: default (1357:2468, Q36 checks before a download) or q36 (1234:5678)")
        ->check(CLI::IsMember({"default", "q36"}));
    app.add_option("--reply-limit", options->replyLimitMs, "Milliseconds to wait for each reply of the meter")
        ->check(CLI::Range(1, 600000));

    app.add_subcommand("status", "Print the meter's state, its plan count and each plan's TP count")
        ->callback([options, &context] { runStatus(*options, context); });

    auto files = std::make_shared<std::vector<std::string>>();
    auto* download = app.add_subcommand("download", "Send the plans of plan files to the meter");
    download->add_option("FILE", *files, "Plan files, read as the Open command reads them")->required();
    download->callback([options, files, &context] { runDownloadCommand(*options, *files, context); });

    auto upload = std::make_shared<UploadOptions>();
    auto* uploadCommand = app.add_subcommand("upload", "Read the meter's plans into a .gnr or .json file");
    uploadCommand->add_flag("--overwrite", upload->overwrite, "Replace an existing OUTPUT");
    uploadCommand->add_option("OUTPUT", upload->output, "File to write, as General plan file or JSON")->required();
    uploadCommand->callback([options, upload, &context] { runUploadCommand(*options, *upload, context); });

    auto image = std::make_shared<std::string>();
    auto* upgrade = app.add_subcommand("upgrade", "Send a firmware image to a meter in its upgrade state");
    upgrade->add_option("IMAGE", *image, "Firmware image file (.bin), sent unchanged")->required();
    upgrade->callback([options, image, &context] { runUpgradeCommand(*options, *image, context); });
}
