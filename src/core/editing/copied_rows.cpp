#include "core/editing/copied_rows.h"

#include "core/editing/table_text.h"
#include "core/rules/channel_cell_rules.h"
#include "core/rules/channel_cell_texts.h"
#include "core/rules/decimal_text.h"
#include "core/rules/plan_cell_rules.h"
#include "core/rules/plan_cell_texts.h"

namespace {

template <std::size_t N> std::vector<std::string> headerRow(const std::array<std::string_view, N>& headers)
{
    return {headers.begin(), headers.end()};
}

} // namespace

std::string exactFrequency(std::uint32_t tenKilohertz)
{
    std::string text = decimal::formatScaled(tenKilohertz, 2);
    text.erase(text.find_last_not_of('0') + 1);
    if (text.back() == '.')
        text.pop_back();
    return text;
}

std::string channelsTableText(const CComonOrbitune& plan, const std::vector<Guid>& ids)
{
    TableRows rows{headerRow(channel_column::kHeaders)};
    const auto used = plan.usedChannels();
    for (const Guid& id : ids) {
        for (std::size_t slot = 0; slot < used.size(); ++slot) {
            if (used[slot].id != id)
                continue;
            std::vector<std::string> row{std::to_string(slot + 1)};
            for (int column = 1; column < channel_column::kCount; ++column)
                row.push_back(column == channel_column::kFrequency ? exactFrequency(used[slot].frequency)
                                                                   : ChannelCellText(used[slot], column));
            rows.push_back(std::move(row));
            break;
        }
    }
    return tableText(rows);
}

std::string plansTableText(const PlanList& plans, const std::vector<Guid>& ids)
{
    TableRows rows{headerRow(plan_column::kHeaders)};
    for (const Guid& id : ids) {
        const int position = plans.indexOf(id);
        if (position < 0)
            continue;
        std::vector<std::string> row{std::to_string(position + 1)};
        for (int column = 1; column < plan_column::kCount; ++column)
            row.push_back(PlanCellText(plans.at(position), column));
        rows.push_back(std::move(row));
    }
    return tableText(rows);
}
