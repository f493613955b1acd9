#include "core/import/plan_update.h"

#include "core/import/plan_import.h"
#include "core/import/satellite_names.h"
#include "core/import/source_tp.h"
#include "core/import/tp_match.h"
#include "core/rules/channel_cell_rules.h"
#include "core/rules/channel_cell_texts.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <iterator>

namespace {

std::string lowered(std::string_view text)
{
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return out;
}

// Tenths of a degree East, West negative.
int tenthsEast(OrbitalPosition position)
{
    return position.east ? position.tenths : -position.tenths;
}

bool nearPosition(const CComonOrbitune& plan, OrbitalPosition position)
{
    const auto planTenths = static_cast<int>(std::lround(plan.longitude * 10.0F));
    const int planEast = plan.isEast != 0 ? planTenths : -planTenths;
    const int apart = std::abs(planEast - tenthsEast(position)) % 3600;
    return std::min(apart, 3600 - apart) <= 1;
}

std::string satelliteTitle(const Satellite& satellite)
{
    return satellite.name + " " + positionText(satellite.position);
}

// The fields that tell a TP of the plan from the source's.
constexpr std::array kComparedColumns{channel_column::kSymbolRate, channel_column::kSignalType,
                                      channel_column::kModulation, channel_column::kCodeRate};

std::vector<std::string> changedFields(const SateChannel& had, const SourceTp& source)
{
    std::vector<std::string> fields;
    for (const int column : kComparedColumns) {
        if (column == channel_column::kCodeRate && source.codeRateGuessed)
            continue;
        const std::string before = ChannelCellText(had, column);
        const std::string after = ChannelCellText(*source.channel, column);
        if (before != after)
            fields.push_back(std::string(channel_column::kHeaders[static_cast<std::size_t>(column)]) + " " + before +
                             " > " + after);
    }
    return fields;
}

} // namespace

PlanUpdate planUpdate(const CComonOrbitune& plan, std::span<const Satellite> satellites)
{
    PlanUpdate update{plan.id, plan.nameText(), {}, std::nullopt, {}};
    std::vector<const Satellite*> near;
    for (const Satellite& satellite : satellites)
        if (nearPosition(plan, satellite.position))
            near.push_back(&satellite);
    const std::string where = positionText({static_cast<int>(std::lround(plan.longitude * 10.0F)), plan.isEast != 0});
    if (near.empty()) {
        update.problem = Notice{msg::kUpdateNoSatellite, {where}};
        return update;
    }
    const Satellite* chosen = near.front();
    if (near.size() > 1) {
        const std::string name = lowered(update.planName);
        const auto named = std::find_if(near.begin(), near.end(), [&](const Satellite* satellite) {
            return lowered(satellitePlanName(satellite->name)) == name ||
                   (!name.empty() && lowered(satellite->name).find(name) != std::string::npos);
        });
        if (named == near.end()) {
            std::string names;
            for (const Satellite* satellite : near)
                names += (names.empty() ? "" : ", ") + satellite->name;
            update.problem = Notice{msg::kUpdateSeveralSatellites, {where, names}};
            return update;
        }
        chosen = *named;
    }
    update.satellite = satelliteTitle(*chosen);

    const auto tps = plan.usedChannels();
    std::vector<bool> matched(tps.size(), false);
    std::vector<TpChange> added;
    for (const SourceTp& source : chosen->tps) {
        if (!source.channel)
            continue;
        const auto had =
            std::find_if(tps.begin(), tps.end(), [&](const SateChannel& tp) { return sameTp(tp, *source.channel); });
        if (had == tps.end()) {
            added.push_back({TpDifference::Added, source.label, std::nullopt, source, {}});
            continue;
        }
        const auto k = static_cast<std::size_t>(had - tps.begin());
        if (matched[k])
            continue;
        matched[k] = true;
        if (auto fields = changedFields(*had, source); !fields.empty())
            update.changes.push_back({TpDifference::Changed, source.label, had->id, source, std::move(fields)});
    }
    std::vector<TpChange> removed;
    for (std::size_t k = 0; k < tps.size(); ++k)
        if (!matched[k])
            removed.push_back({TpDifference::Removed, sourceTpOfRecord(tps[k]).label, tps[k].id, std::nullopt, {}});
    // Removals and changes in the plan's order, then the additions.
    std::vector<TpChange> ordered;
    for (const SateChannel& tp : tps) {
        for (auto* list : {&removed, &update.changes})
            for (TpChange& change : *list)
                if (change.planTp == tp.id)
                    ordered.push_back(std::move(change));
    }
    ordered.insert(ordered.end(), std::make_move_iterator(added.begin()), std::make_move_iterator(added.end()));
    update.changes = std::move(ordered);
    return update;
}

UpdatedPlan applyUpdate(const CComonOrbitune& plan, const PlanUpdate& update, const std::vector<bool>& taken,
                        MeterModel model, Language language)
{
    UpdatedPlan result{plan, {}, std::nullopt};
    std::vector<SourceTp> additions;
    for (std::size_t i = 0; i < update.changes.size() && i < taken.size(); ++i) {
        if (!taken[i])
            continue;
        const TpChange& change = update.changes[i];
        if (change.kind == TpDifference::Removed) {
            result.plan.removeChannelById(*change.planTp);
        } else if (change.kind == TpDifference::Changed) {
            if (SateChannel* tp = result.plan.findChannelById(*change.planTp)) {
                const SateChannel& from = *change.source->channel;
                tp->symbolRate = from.symbolRate;
                tp->bandwidth = from.bandwidth;
                tp->rollOff = from.rollOff;
                tp->pilots = from.pilots;
                // A guessed rate replaces the plan's only where the plan's
                // cannot stay: another system or modulation.
                if (!change.source->codeRateGuessed || tp->modulation != from.modulation ||
                    tp->signalType != from.signalType)
                    tp->codeRate = from.codeRate;
                tp->signalType = from.signalType;
                tp->modulation = from.modulation;
            }
        } else {
            additions.push_back(*change.source);
        }
    }
    // TPs keep their numbers in slot order.
    int number = 0;
    for (SateChannel& tp : result.plan.usedChannels())
        tp.number = static_cast<std::uint8_t>(++number);
    const PlanImport added = addToPlan(result.plan, additions, model);
    result.plan = added.plan;
    for (const LeftOutTp& tp : added.leftOut)
        result.notTaken.push_back({msg::kTpNotTaken, {tp.tp, update.planName, noticeText(tp.why, language)}});
    for (const GuessedTp& tp : added.guessed)
        result.notTaken.push_back({msg::kCodeRateGuessed, {tp.tp, update.planName, tp.codeRate}});
    const CComonOrbitune* updated = &result.plan;
    if (const auto failed = checkModel(model, std::span(&updated, 1)))
        result.refused = Notice{msg::kUpdateRefused, {update.planName, noticeText(*failed, language)}};
    return result;
}

std::vector<std::string> changeLines(const PlanUpdate& update)
{
    std::vector<std::string> lines;
    for (const TpChange& change : update.changes) {
        const char sign = change.kind == TpDifference::Added ? '+' : change.kind == TpDifference::Removed ? '-' : '~';
        std::string line = std::string(1, sign) + " " + change.label;
        for (std::size_t i = 0; i < change.fields.size(); ++i)
            line += (i == 0 ? ": " : ", ") + change.fields[i];
        lines.push_back(std::move(line));
    }
    return lines;
}
