#pragma once

#include "core/model/comon_orbitune.h"
#include "core/model/plan_list.h"
#include "core/res/string_ids.h"
#include "core/res/string_table.h"

#include <array>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

// The file family chosen in the File Type Select dialog, by its item index.
enum class FileType { General = 0, Q24 = 1, Q9100 = 2 };

// The meter families plans are made for: the three file families and the Q36,
// whose limits a download checks.
enum class MeterModel { General, Q24, Q36, Q9100 };
inline constexpr std::array kMeterModels{MeterModel::General, MeterModel::Q24, MeterModel::Q36, MeterModel::Q9100};

// "General", "Q24", "Q36", "Q9100".
std::string_view modelName(MeterModel model);

// What the checks of a model allow: plans in a list, TPs in a plan, DVB-S2 TPs.
struct ModelLimits {
    int maxPlans;
    int maxTps;
    bool dvbS2;
};
ModelLimits limitsOf(MeterModel model);

using PlanRefs = std::vector<const CComonOrbitune*>;
PlanRefs allPlans(const PlanList& plans);

// Each check answers the message of the first failing rule, or nothing when
// the plans may be saved or sent.

// Save Select over the ticked plans, in row order.
std::optional<Notice> checkSaveSelected(FileType type, std::span<const CComonOrbitune* const> plans);
// Save All over every plan of the list.
std::optional<Notice> checkSaveAll(FileType type, std::span<const CComonOrbitune* const> plans);
// The Q36 limits that a download must pass.
std::optional<MessageId> checkQ36Download(std::span<const CComonOrbitune* const> plans);
// Save All's checks for a file family, the download's for the Q36.
std::optional<Notice> checkModel(MeterModel model, std::span<const CComonOrbitune* const> plans);
