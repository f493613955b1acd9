#pragma once

// What every record an import makes must be, whatever the source held: the
// rules of the TP cells and of the plan list. A broken rule ends the fuzz run.

#include "core/import/plan_import.h"
#include "core/import/satellite.h"
#include "core/model/value_tables.h"
#include "core/rules/channel_cell_rules.h"

#include <cstdlib>
#include <filesystem>
#include <span>

namespace fuzz_checks {

inline void require(bool holds)
{
    if (!holds)
        std::abort();
}

// Where a target writes the files it reads back: memory when the system has
// a folder there, so that a run is not held up by a disk.
inline std::filesystem::path scratchFolder()
{
    std::error_code error;
    return std::filesystem::is_directory("/dev/shm", error) ? std::filesystem::path("/dev/shm")
                                                            : std::filesystem::temp_directory_path();
}

inline bool knownTp(const SateChannel& tp)
{
    if (tp.frequency < 340000 || tp.frequency > 1275000 || tp.symbolRate < 1000 || tp.symbolRate > 45000 ||
        tp.bandwidth < 140 || tp.bandwidth > 6080)
        return false;
    const auto type = valueOf(kSignalTypes, textOf(kSignalTypes, tp.signalType).value_or(""));
    const auto modulation = valueOf(kModulations, textOf(kModulations, tp.modulation).value_or(""));
    if (!type || *type == SignalType::TV || !modulation)
        return false;
    if (*type == SignalType::DVB_S && *modulation != Modulation::QPSK)
        return false;
    const auto rate = codeRateOf(tp.codeRate, *type);
    if (!rate || (*type == SignalType::DVB_S2 && rate->modulation != *modulation))
        return false;
    return textOf(kRollOffs, tp.rollOff) && textOf(kPilotSettings, tp.pilots) &&
           textOf(kPolarizations, tp.polarization) && holds(tp.lnbLo, LnbLo::Auto) && holds(tp.enabled, Enable::Enable);
}

// Each TP of a satellite is a record that keeps the rules or is left out with
// a reason, never both; the position is one a plan holds.
inline void checkSatellite(const Satellite& satellite)
{
    require(satellite.position.inRange());
    for (const SourceTp& tp : satellite.tps) {
        require(tp.channel.has_value() != tp.leftOut.has_value());
        require(!tp.label.empty());
        if (tp.channel)
            require(knownTp(*tp.channel));
    }
}

// The plans made of the satellites keep the plan rules and the model's limit.
inline void checkImport(std::span<const Satellite> satellites, MeterModel model)
{
    const ImportResult result = importSatellites(satellites, PlanList{}, model, 0);
    require(result.plans.size() == satellites.size());
    for (const PlanImport& made : result.plans) {
        const CComonOrbitune& plan = made.plan;
        require(IsNameText(plan.nameText()) && plan.nameText().size() <= 8);
        require(plan.longitude >= 0.0F && plan.longitude <= 180.0F);
        require(plan.channelCount >= 0 && plan.channelCount <= tpLimitOf(model));
        for (const SateChannel& tp : plan.usedChannels())
            require(knownTp(tp) && IsNameText(tp.nameText()));
    }
}

} // namespace fuzz_checks
