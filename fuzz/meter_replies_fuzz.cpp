// Feeds arbitrary bytes to the meter reply parsers, to a whole upload as the
// replies of a hostile meter, and to the meter emulator as a hostile client's
// requests. A reply that is no answer must never give a count out of range nor
// an upload that succeeds with what it did not read, and a failed upload must
// leave the list it was to fill as it was.

#include "core/device/hid_link.h"
#include "core/device/meter_emulator.h"
#include "core/device/plan_upload.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>

namespace {

// A meter whose replies are the input, 64 bytes each behind the report id; it
// falls silent when the input runs out.
class ReplayedMeter : public HidBackend {
public:
    explicit ReplayedMeter(std::span<const std::uint8_t> replies) : replies_(replies) {}

    std::vector<HidDeviceInfo> enumerate() override
    {
        return {HidDeviceInfo{"replayed", static_cast<std::uint16_t>(kMeterIdentities[1].vendorId),
                              static_cast<std::uint16_t>(kMeterIdentities[1].productId)}};
    }
    HidOpenResult open(const std::string&) override { return {std::make_unique<Device>(replies_), {}}; }

private:
    class Device : public HidDevice {
    public:
        explicit Device(std::span<const std::uint8_t>& replies) : replies_(replies) {}
        std::size_t inputReportLength() const override { return frame::kReportSize; }
        std::size_t outputReportLength() const override { return frame::kReportSize; }
        bool writeReport(std::span<const std::uint8_t>) override { return true; }
        ReadResult readReport(std::span<std::uint8_t> buffer, std::chrono::milliseconds) override
        {
            if (replies_.empty())
                return ReadResult::Timeout;
            const std::size_t taken = std::min(replies_.size(), frame::kReportSize - 1);
            std::fill(buffer.begin(), buffer.end(), std::uint8_t{0});
            std::copy_n(replies_.begin(), taken, buffer.begin() + 1);
            replies_ = replies_.subspan(taken);
            return ReadResult::Reply;
        }

    private:
        std::span<const std::uint8_t>& replies_;
    };

    std::span<const std::uint8_t> replies_;
};

class IgnoringObserver : public TransferObserver {
public:
    void statusText(MessageId) override {}
    void progressRange(int) override {}
    void progressStep() override {}
    void message(MessageId) override {}
    void stopped(const TransferStop&) override {}
    void finished(TransferOutcome) override {}
};

void require(bool holds)
{
    if (!holds)
        std::abort();
}

void checkCount(const MeterCount& count)
{
    using Fault = MeterCount::Fault;
    if (count.fault == Fault::None)
        require(count.value >= 0 && count.value <= kMaxMeterCount);
    if (count.fault == Fault::OutOfRange)
        require(count.value > kMaxMeterCount && count.value <= 255);
    require(countStop(count, std::nullopt).has_value() == (count.fault != Fault::None));
}

void uploadFrom(std::span<const std::uint8_t> replies)
{
    HidLink link(std::make_unique<ReplayedMeter>(replies));
    link.setReplyLimit(std::chrono::milliseconds(0));
    PlanList plans;
    plans.append(CComonOrbitune::withAddDefaults(1, "Kept"));
    const Guid kept = plans.at(0).id;
    IgnoringObserver observer;
    const TransferOutcome outcome = runUpload(link, plans, observer, TransferTiming{std::chrono::milliseconds(0)});
    if (outcome != TransferOutcome::Succeeded) {
        require(plans.count() == 1 && plans.at(0).id == kept);
        return;
    }
    require(plans.count() >= 1 && plans.count() <= kMaxMeterCount);
    for (const auto& plan : plans)
        require(plan.channelCount >= 0 && plan.channelCount <= kMaxMeterCount && plan.id != kept);
}

void countsFrom(std::span<const std::uint8_t> replies)
{
    HidLink link(std::make_unique<ReplayedMeter>(replies));
    link.setReplyLimit(std::chrono::milliseconds(0));
    checkCount(link.queryPlanCount());
    checkCount(link.queryTpCount(0));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::span input(data, size);
    frame::Report reply{};
    std::copy_n(data, std::min(size, reply.size()), reply.begin());
    static_cast<void>(parseHeaderReply(reply));
    static_cast<void>(parseTpReply(reply));
    static_cast<void>(parseLongitude(input));

    uploadFrom(input);
    countsFrom(input);

    MeterEmulator meter(size % 2 == 0 ? MeterState::Normal : MeterState::Upgrade);
    for (std::size_t at = 0; at < size; at += frame::kReportSize) {
        frame::Report request{};
        std::copy_n(data + at, std::min(size - at, request.size()), request.begin());
        static_cast<void>(meter.receive(request));
    }
    static_cast<void>(meter.storedRecords());
    return 0;
}
