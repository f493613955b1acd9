#include "cli/model_names.h"

std::optional<MeterModel> modelNamed(std::string_view name)
{
    if (name == "general")
        return MeterModel::General;
    if (name == "q24")
        return MeterModel::Q24;
    if (name == "q36")
        return MeterModel::Q36;
    if (name == "q9100")
        return MeterModel::Q9100;
    return std::nullopt;
}
