#pragma once

#include "core/device/meter_frame.h"
#include "core/model/comon_orbitune.h"

#include <cstdint>
#include <optional>
#include <vector>

enum class MeterState { Normal, Upgrade };

// Misbehaviour of an emulated meter, for tests and demonstrations. Frames are
// counted from 1 over the emulator's whole life.
struct MeterFaults {
    std::optional<int> silentAfter;   // frames after this one get no reply
    std::optional<int> dropAfter;     // the connection drops at the next frame
    std::optional<int> wrongLengthAt; // this frame's reply has another length
    std::optional<int> wrongCodeAt;   // this frame's reply has another code
    std::optional<int> status;        // answered instead of the state's status
    std::optional<int> planCount;     // answered instead of the stored count
    std::optional<int> tpCount;       // answered instead of every stored TP count
};

// What the meter does with one received frame.
struct MeterResponse {
    enum class Kind { Reply, Silent, Drop };
    Kind kind = Kind::Silent;
    frame::Report reply{};
};

// The meter's side of every command: status, plan and TP counts, plan write
// and download end, plan read, upgrade blocks. A plan is stored as the frames
// that carried it, so that a read answers the fields at the offsets they were
// written to.
class MeterEmulator {
public:
    struct StoredPlan {
        frame::Report header{};
        std::vector<frame::Report> tps;
    };

    explicit MeterEmulator(MeterState state = MeterState::Normal) : state_(state) {}

    MeterState state() const { return state_; }
    void setState(MeterState state) { state_ = state; }

    MeterFaults faults;

    // Stores plans as a finished download would.
    void preload(const std::vector<CComonOrbitune>& plans);

    MeterResponse receive(std::span<const std::uint8_t> report);

    // Every frame received, in order.
    const std::vector<frame::Report>& received() const { return received_; }
    // The committed plan table.
    const std::vector<StoredPlan>& storedPlans() const { return stored_; }
    // The stored plans as records (the fields the meter carries).
    std::vector<CComonOrbitune> storedRecords() const;
    // The firmware image received in upgrade blocks: total blocks x 32 bytes.
    const std::vector<std::uint8_t>& firmware() const { return firmware_; }
    int firmwareBlocksReceived() const { return firmwareBlocks_; }

private:
    std::optional<frame::Report> answer(const frame::Report& request);
    frame::Report planRead(const frame::Report& request) const;
    void planWrite(const frame::Report& request);
    void upgradeBlock(const frame::Report& request);
    int frameCount() const { return static_cast<int>(received_.size()); }

    MeterState state_;
    std::vector<frame::Report> received_;
    std::vector<StoredPlan> stored_;
    std::vector<std::optional<StoredPlan>> pending_;
    std::vector<std::uint8_t> firmware_;
    int firmwareBlocks_ = 0;
};
