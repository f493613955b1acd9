#include "cli/device_commands.h"

#include "cli/cli_progress.h"
#include "cli/plan_inputs.h"
#include "device/firmware_upgrade.h"
#include "device/hid_link.h"
#include "device/meter_selection.h"
#include "device/plan_download.h"
#include "device/plan_upload.h"
#include "device/transfer_messages.h"
#include "files/atomic_save.h"
#include "files/general_file.h"
#include "files/plans_json.h"
#include "model/model_checks.h"
#include "res/string_ids.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>
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
    int deviceType = 1;
};

std::string hex4(std::int32_t value)
{
    std::array<char, 8> text{};
    std::snprintf(text.data(), text.size(), "%04x", static_cast<unsigned>(value & 0xFFFF));
    return text.data();
}

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
    meter.name = "meter " + (choice && !choice->empty() ? *choice : std::string("hid")) + " (" +
                 hex4(identity.vendorId) + ":" + hex4(identity.productId) + ")";
    return meter;
}

// What a finished transfer leaves: the outcome text on stdout after a
// success; otherwise the failure on stderr, unless the transfer has shown its
// message already.
void reportOutcome(TransferOutcome outcome, const CliProgress& progress, const Meter& meter, int successId,
                   int failureId, CliContext& context)
{
    switch (outcome) {
    case TransferOutcome::Succeeded:
        context.out << messageText(progress.status().value_or(successId), context.language) << '\n';
        return;
    case TransferOutcome::NothingToSend:
        context.failText(CliContext::kRefused, "no plans to download");
        return;
    case TransferOutcome::NotFound:
    case TransferOutcome::WrongState:
    case TransferOutcome::TooLarge:
    case TransferOutcome::Failed:
        break;
    }
    if (progress.messaged())
        return;
    if (const auto& stop = progress.stop()) {
        const MeterMessage report = transferStopMessage(*stop);
        context.failAbout(CliContext::kRefused, meter.name, report.id, report.args);
        return;
    }
    context.failAbout(CliContext::kRefused, meter.name, progress.status().value_or(failureId));
}

// Reports a meter that `open` did not bring up: one that is there but cannot
// be opened, or none at all (message 144).
void reportMissing(const Meter& meter, CliContext& context)
{
    const MeterMessage report = meterMissingMessage(meter.link->openFailure(), msg::kQ36NotFound);
    context.failAbout(CliContext::kRefused, meter.name, report.id, report.args);
}

const char* stateName(int status)
{
    if (status == kMeterNormal)
        return "normal";
    if (status == kMeterUpgrade)
        return "upgrade";
    return "unknown";
}

void runStatus(const MeterOptions& options, CliContext& context)
{
    auto meter = chooseMeter(options, context);
    if (!meter)
        return;
    HidLink& link = *meter->link;
    if (!link.open()) {
        reportMissing(*meter, context);
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
    const int plans = link.queryPlanCount();
    if (!link.connected()) {
        context.failAbout(CliContext::kRefused, meter->name, msg::kDeviceNotFound);
        return;
    }
    context.out << "plans: " << plans << '\n';
    for (int planIndex = 0; planIndex < plans; ++planIndex) {
        const int tps = link.queryTpCount(planIndex);
        if (!link.connected()) {
            context.failAbout(CliContext::kRefused, meter->name, msg::kDeviceNotFound);
            return;
        }
        context.out << "Plan " << planIndex + 1 << ": " << tps << " TPs\n";
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
    // As the editor's Download: the Q36 checks with the default identity, then
    // the meter must be present before the transfer starts.
    if (meter->deviceType == 1) {
        if (const auto failed = checkDownloadLimits(loaded->plans)) {
            context.fail(CliContext::kRefused, *failed);
            return;
        }
    }
    if (!meter->link->open()) {
        reportMissing(*meter, context);
        return;
    }
    CliProgress progress(context, meter->name, msg::kDownloading);
    const auto outcome = runDownload(*meter->link, loaded->plans, progress);
    reportOutcome(outcome, progress, *meter, msg::kDownloadSucceeded, msg::kDeviceNotFound, context);
}

struct UploadOptions {
    std::string output;
    bool overwrite = false;
};

std::string lowerExtension(const std::filesystem::path& path)
{
    std::string extension = path.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension;
}

SaveResult writeUploaded(const std::filesystem::path& output, const PlanList& plans)
{
    if (lowerExtension(output) == ".gnr")
        return writeGeneralFile(output, allPlans(plans));
    const std::string text = encodePlansJson(plans.count(), plans);
    return saveFileAtomically(output, std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

void runUploadCommand(const MeterOptions& options, const UploadOptions& upload, CliContext& context)
{
    const std::filesystem::path output = upload.output;
    const auto extension = lowerExtension(output);
    if (extension != ".gnr" && extension != ".json")
        throw CLI::ValidationError("upload", "OUTPUT must end in .gnr or .json");
    std::error_code ec;
    if (!upload.overwrite && std::filesystem::exists(output, ec)) {
        context.fail(CliContext::kRefused, msg::kFileExists, {output.string()});
        return;
    }
    auto meter = chooseMeter(options, context);
    if (!meter)
        return;
    if (!meter->link->open()) {
        reportMissing(*meter, context);
        return;
    }
    PlanList plans;
    CliProgress progress(context, meter->name, msg::kUploading);
    const auto outcome = runUpload(*meter->link, plans, progress);
    if (outcome != TransferOutcome::Succeeded) {
        reportOutcome(outcome, progress, *meter, msg::kUploadTitle, msg::kDeviceNotFound, context);
        if (!plans.empty())
            context.err << plans.count() << " plan(s) had arrived; " << output.string() << " is not written\n";
        return;
    }
    const auto saved = writeUploaded(output, plans);
    if (!saved.ok()) {
        context.fail(CliContext::kRefused, msg::kSaveFileFailed, {saved.error->path});
        return;
    }
    reportOutcome(outcome, progress, *meter, msg::kUploadTitle, msg::kDeviceNotFound, context);
}

void runUpgradeCommand(const MeterOptions& options, const std::string& imagePath, CliContext& context)
{
    // One byte beyond the largest image that can be numbered is enough to
    // know that an image is too large.
    const auto image = readFilePrefix(imagePath, kMaxUpgradeImageSize + 1);
    if (image.error) {
        context.fail(CliContext::kUnreadable, msg::kOpenFileFailed, {imagePath});
        return;
    }
    auto meter = chooseMeter(options, context);
    if (!meter)
        return;
    CliProgress progress(context, meter->name, msg::kUpgradeTitle);
    const auto outcome = runUpgrade(*meter->link, image.bytes, progress);
    if (outcome == TransferOutcome::TooLarge) {
        context.fail(CliContext::kRefused, msg::kUpgradeImageTooLarge, {imagePath});
        return;
    }
    reportOutcome(outcome, progress, *meter, msg::kUpgradeSucceeded, msg::kUpgradeFailed, context);
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
