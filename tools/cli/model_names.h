#pragma once

#include "core/rules/model_checks.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

// The --model names of the verbs: general, q24, q36, q9100.
inline constexpr std::array<std::string_view, 4> kModelNames{"general", "q24", "q36", "q9100"};

std::optional<MeterModel> modelNamed(std::string_view name);
