#include "scratch_folder.h"

#include "core/editing/pasted_rows.h"
#include "core/editing/record_gate.h"
#include "core/import/import_source.h"
#include "core/import/plan_import.h"
#include "core/import/satellites_xml.h"
#include "core/import/satellites_xml_mapping.h"
#include "core/model/plan_list.h"
#include "core/rules/record_rules.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// Feeds arbitrary text through every way records join the lists from outside
// their own editing: the editor's JSON and a table pasted into the plan list
// or a plan, a DVBv5 scan file and a satellites.xml imported as new plans and
// into a plan. It stops (traps) when anything that comes out breaks a rule of
// the record gate or a limit, not only when something crashes.
//
// The first byte picks the way in, the second the list or plan the records
// join and the model of an import; the rest is the text.

namespace {

void require(bool holds)
{
    if (!holds)
        __builtin_trap();
}

// The lists and the plans the records are offered to: empty, part filled, one
// short of the limit.
const PlanList& listOf(std::uint8_t choice)
{
    static const std::array<PlanList, 3> lists = [] {
        std::array<PlanList, 3> made;
        const std::array<int, 3> counts{0, 3, PlanList::kMaxPlans - 1};
        for (std::size_t i = 0; i < made.size(); ++i)
            for (int n = 1; n <= counts[i]; ++n)
                made[i].append(
                    CComonOrbitune::withAddDefaults(static_cast<std::uint8_t>(n), "Plan" + std::to_string(n)));
        return made;
    }();
    return lists[choice % lists.size()];
}

const CComonOrbitune& planOf(std::uint8_t choice)
{
    static const std::array<CComonOrbitune, 3> plans = [] {
        std::array<CComonOrbitune, 3> made;
        const std::array<int, 3> counts{0, 3, CComonOrbitune::kTpLimit - 1};
        for (std::size_t i = 0; i < made.size(); ++i) {
            made[i] = CComonOrbitune::withAddDefaults(1, "Mine");
            for (int n = 1; n <= counts[i]; ++n) {
                SateChannel tp = SateChannel::withAddDefaults(static_cast<std::uint8_t>(n), "TP" + std::to_string(n));
                tp.frequency = 1100000 + 1000 * static_cast<std::uint32_t>(n); // a TP every 10 MHz
                made[i].appendChannel(tp);
            }
        }
        return made;
    }();
    return plans[choice % plans.size()];
}

MeterModel modelOf(std::uint8_t choice)
{
    constexpr std::array models{MeterModel::General, MeterModel::Q24, MeterModel::Q36, MeterModel::Q9100};
    return models[(choice / 3U) % models.size()];
}

// Every record admitted passes the rules, fits the list or the plan, has a
// fresh id and a name of its own.
void checkPlans(const Admitted<CComonOrbitune>& admitted, const PlanList& list)
{
    if (admitted.refusal) {
        require(admitted.records.empty());
        return;
    }
    require(static_cast<std::size_t>(list.count()) + admitted.records.size() <=
            static_cast<std::size_t>(PlanList::kMaxPlans));
    std::set<std::string> names;
    for (const CComonOrbitune& plan : list)
        names.insert(plan.nameText());
    for (const CComonOrbitune& plan : admitted.records) {
        require(!recordFault(plan));
        require(!plan.id.isNull() && list.findPlanById(plan.id) == nullptr);
        require(!plan.nameText().empty() && names.insert(plan.nameText()).second);
    }
}

void checkTps(const Admitted<SateChannel>& admitted, const CComonOrbitune& plan)
{
    if (admitted.refusal) {
        require(admitted.records.empty());
        return;
    }
    require(plan.usedChannels().size() + admitted.records.size() <= static_cast<std::size_t>(CComonOrbitune::kTpLimit));
    std::set<std::string> names;
    for (const SateChannel& tp : plan.usedChannels())
        names.insert(tp.nameText());
    for (const SateChannel& tp : admitted.records) {
        require(!recordFault(tp));
        require(!tp.id.isNull() && plan.findChannelById(tp.id) == nullptr);
        require(!tp.nameText().empty() && names.insert(tp.nameText()).second);
    }
}

// A table is read through the cells' own rules: whatever it gives, the gate
// must take as it stands.
template <typename Record> void checkTable(const PastedRows<Record>& pasted, std::size_t room)
{
    if (pasted.failure) {
        require(pasted.records.empty());
        return;
    }
    require(pasted.records.size() <= room);
    for (const Record& record : pasted.records)
        require(!recordFault(record));
}

std::size_t planRoom(const PlanList& list)
{
    return static_cast<std::size_t>(PlanList::kMaxPlans - list.count());
}

std::size_t tpRoom(const CComonOrbitune& plan)
{
    return static_cast<std::size_t>(CComonOrbitune::kTpLimit - plan.channelCount);
}

// New plans of the satellites and their TPs added to a plan: every plan and
// every TP added passes the rules and the limits.
void checkImport(std::span<const Satellite> satellites, std::uint8_t choice)
{
    const PlanList& list = listOf(choice);
    const MeterModel model = modelOf(choice);
    const ImportResult imported = importSatellites(satellites, list, model, list.count());
    if (!imported.refused) {
        require(static_cast<std::size_t>(list.count()) + imported.plans.size() <=
                static_cast<std::size_t>(PlanList::kMaxPlans));
        for (const PlanImport& plan : imported.plans) {
            require(!recordFault(plan.plan));
            require(plan.plan.channelCount <= tpLimitOf(model));
        }
    }
    std::vector<SourceTp> tps;
    for (const Satellite& satellite : satellites)
        tps.insert(tps.end(), satellite.tps.begin(), satellite.tps.end());
    const CComonOrbitune& plan = planOf(choice);
    const PlanImport added = addToPlan(plan, tps, model);
    require(added.plan.channelCount <= std::max(plan.channelCount, tpLimitOf(model)));
    const auto used = added.plan.usedChannels();
    for (std::size_t k = plan.usedChannels().size(); k < used.size(); ++k)
        require(!recordFault(used[k]));
}

// A scan file named after a satellite at 19.2E.
std::filesystem::path scanFile()
{
    return fuzz_checks::ownFolder() / "Fuzz-19.2E";
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2)
        return 0;
    const std::uint8_t way = data[0];
    const std::uint8_t choice = data[1];
    const std::string_view text(reinterpret_cast<const char*>(data + 2), size - 2);
    const PlanList& list = listOf(choice);
    const CComonOrbitune& plan = planOf(choice);
    switch (way % 6) {
    case 0: {
        const auto pasted = plansFromJson(text, planRoom(list));
        require(pasted.records.size() <= planRoom(list));
        checkPlans(admitPlans(pasted.records, list, list.count()), list);
        break;
    }
    case 1: {
        const auto pasted = channelsFromJson(text, tpRoom(plan));
        require(pasted.records.size() <= tpRoom(plan));
        checkTps(admitChannels(pasted.records, plan), plan);
        break;
    }
    case 2: {
        const auto pasted = plansFromTable(text, planRoom(list));
        checkTable(pasted, planRoom(list));
        checkPlans(admitPlans(pasted.records, list, list.count()), list);
        break;
    }
    case 3: {
        const auto pasted = channelsFromTable(text, tpRoom(plan));
        checkTable(pasted, tpRoom(plan));
        checkTps(admitChannels(pasted.records, plan), plan);
        break;
    }
    case 4: {
        std::ofstream(scanFile(), std::ios::binary | std::ios::trunc)
            .write(text.data(), static_cast<std::streamsize>(text.size()));
        checkImport(readSource(scanFile()).satellites, choice);
        break;
    }
    default: {
        std::vector<Satellite> satellites;
        for (const auto& satellite : parseSatellitesXml(text, "fuzz.xml").satellites)
            satellites.push_back(satelliteOf(satellite));
        checkImport(satellites, choice);
        break;
    }
    }
    return 0;
}
