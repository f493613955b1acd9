#pragma once

#include "core/commands/transfer_commands.h"
#include "core/device/emulator_backend.h"
#include "core/device/hid_link.h"
#include "core/device/meter_emulator.h"
#include "core/device/transfer_observer.h"

#include <chrono>
#include <memory>
#include <string>
#include <vector>

// A link over emulated meters with a reply limit short enough for tests.
struct EmulatedLink {
    static constexpr std::chrono::milliseconds kShortLimit{20};

    std::shared_ptr<MeterEmulator> meter = std::make_shared<MeterEmulator>();
    EmulatorBackend* backend = nullptr;
    std::unique_ptr<HidLink> link;

    EmulatedLink();
};

// Records what a transfer reported, as text lines ("status 112", "range 3", ...).
class RecordingObserver : public TransferObserver {
public:
    std::vector<std::string> events;
    std::vector<MessageId> messages;
    std::optional<TransferStop> stop;
    std::optional<TransferOutcome> outcome;

    void statusText(MessageId id) override { events.push_back("status " + std::to_string(static_cast<int>(id))); }
    void progressRange(int maximum) override { events.push_back("range " + std::to_string(maximum)); }
    void progressStep() override { events.push_back("step"); }
    void message(MessageId id) override
    {
        messages.push_back(id);
        events.push_back("message " + std::to_string(static_cast<int>(id)));
    }
    void stopped(const TransferStop& s) override { stop = s; }
    void finished(TransferOutcome o) override { outcome = o; }
};

inline constexpr TransferTiming kNoPause{std::chrono::milliseconds{0}};

// Runs each transfer on the calling thread, telling its messages through
// `prompts` as the progress dialog does.
class DirectRunner : public TransferRunner {
public:
    explicit DirectRunner(Prompts& prompts) : prompts_(prompts) {}

    TransferResult run(bool isDownload, const Transfer& transfer) override;

private:
    Prompts& prompts_;
};
