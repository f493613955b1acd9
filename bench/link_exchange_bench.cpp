// The software cost of meter exchanges through HidLink with the in-process
// meter emulator. The USB full-speed limit is one report per millisecond each
// way, so one exchange should cost a small fraction of a millisecond.

#include "core/device/emulator_backend.h"
#include "core/device/firmware_upgrade.h"
#include "core/device/hid_link.h"

#include <benchmark/benchmark.h>

namespace {

class NullObserver : public TransferObserver {
public:
    void statusText(MessageId) override {}
    void progressRange(int) override {}
    void progressStep() override {}
    void message(MessageId) override {}
    void stopped(const TransferStop&) override {}
    void finished(TransferOutcome) override {}
};

std::unique_ptr<HidLink> emulatedLink(MeterState state)
{
    auto backend = std::make_unique<EmulatorBackend>();
    const auto& identity = kMeterIdentities[1];
    backend->add("emu:0", static_cast<std::uint16_t>(identity.vendorId), static_cast<std::uint16_t>(identity.productId),
                 std::make_shared<MeterEmulator>(state));
    auto link = std::make_unique<HidLink>(std::move(backend));
    link->open();
    return link;
}

void statusExchange(benchmark::State& state)
{
    // A fresh meter now and then keeps its frame log from growing without end.
    constexpr int kBatch = 10000;
    auto link = emulatedLink(MeterState::Normal);
    int done = 0;
    for (auto _ : state) {
        if (++done % kBatch == 0) {
            state.PauseTiming();
            link = emulatedLink(MeterState::Normal);
            state.ResumeTiming();
        }
        benchmark::DoNotOptimize(link->queryStatus());
    }
    state.counters["per_exchange"] = benchmark::Counter(static_cast<double>(state.iterations()),
                                                        benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(statusExchange);

void firmwareImage2MB(benchmark::State& state)
{
    const std::vector<std::uint8_t> image(2'000'000, 0xA5);
    const auto blocks = static_cast<double>(upgradeBlockCount(image.size()) + 1);
    NullObserver observer;
    for (auto _ : state) {
        state.PauseTiming();
        auto link = emulatedLink(MeterState::Upgrade);
        state.ResumeTiming();
        benchmark::DoNotOptimize(runUpgrade(*link, image, observer));
    }
    state.counters["per_exchange"] = benchmark::Counter(static_cast<double>(state.iterations()) * blocks,
                                                        benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(firmwareImage2MB)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
